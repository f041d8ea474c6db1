#pragma once

#include "CTavScRightViewBase.h"

class CTavScWeekDoc;
class CTavScWeekEventList;
class QLabel;
class QScrollArea;

// The week window's right pane: the week's events day by day, and the memo sheet linked to the
// week (by the year and week number of the current date).
class CTavScWeekRightView final : public CTavScRightViewBase
{
    Q_OBJECT
public:
    explicit CTavScWeekRightView(CTavScWeekDoc* document, QWidget* parent = nullptr);

    CTavScWeekEventList* List() const { return m_list; }
    void Refresh() override;

protected:
    QString ReadSheetName() override;
    bool StoreSheetName(const QString& name) override;
    void OverlayToggled() override;

private:
    CTavScWeekDoc* m_document;
    QLabel* m_week;
    CTavScWeekEventList* m_list;
    QScrollArea* m_scroll;
};
