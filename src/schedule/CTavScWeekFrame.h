#pragma once

#include "CTavScEventFrame.h"

class CTavScWeekDoc;
class CTavScWeekLeftView;
class CTavScWeekRightView;

class CTavScWeekFrame final : public CTavScEventFrame
{
    Q_OBJECT
public:
    explicit CTavScWeekFrame(CTavScWeekDoc* document, QWidget* parent = nullptr);

    CTavScWeekLeftView* View() const { return m_view; }
    CTavScWeekRightView* RightView() const { return m_right; }

    // The week's title: its year and month in the handheld's week format, its days and number.
    static QString WeekTitle(const QString& handheldFormat, const QDate& first, const QDate& last, int week);

    void UpdateCommandUI() override;

private:
    CTavScWeekDoc* m_document;
    CTavScWeekLeftView* m_view;
    CTavScWeekRightView* m_right;
};
