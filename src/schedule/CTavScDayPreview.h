#pragma once

#include "CTavScRightViewBase.h"

class CTavScDayDoc;

// The day window's right pane: the handheld's day screen as it will show after the next
// HotSync, with the memo sheet linked to the day.
class CTavScDayPreview final : public CTavScRightViewBase
{
    Q_OBJECT
public:
    explicit CTavScDayPreview(CTavScDayDoc* document, QWidget* parent = nullptr);

protected:
    QString ReadSheetName() override;
    bool StoreSheetName(const QString& name) override;
    QString ScreenTitle() const override;
    void PaintScreen(QPainter& p) override;
};
