#pragma once

#include "CTavScEventFrame.h"

class CTavScMonthDoc;
class CTavScMonthLeftView;
class CTavScMonthRightView;

class CTavScMonthFrame final : public CTavScEventFrame
{
    Q_OBJECT
public:
    explicit CTavScMonthFrame(CTavScMonthDoc* document, QWidget* parent = nullptr);

    CTavScMonthLeftView* View() const { return m_view; }
    CTavScMonthRightView* Preview() const { return m_preview; }
    QString MonthTitle() const;

    void UpdateCommandUI() override;

private:
    CTavScMonthDoc* m_document;
    CTavScMonthLeftView* m_view;
    CTavScMonthRightView* m_preview;
};
