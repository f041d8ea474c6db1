#pragma once

#include "CTavScRightViewBase.h"

class CTavScMonthDoc;

// The month window's right pane: the month as the handheld lays it out (its own first day of
// week, a mark under each day with events) and the memo sheet linked to the month.
class CTavScMonthRightView final : public CTavScRightViewBase
{
    Q_OBJECT
public:
    explicit CTavScMonthRightView(CTavScMonthDoc* document, QWidget* parent = nullptr);

protected:
    QString ReadSheetName() override;
    bool StoreSheetName(const QString& name) override;
    QString ScreenTitle() const override;
    void PaintScreen(QPainter& p) override;

private:
    CTavScMonthDoc* m_document;
};
