#pragma once

#include "CTavScEventFrame.h"

class CTavScDayDoc;
class CTavScDayPreview;
class CTavScDayView;

class CTavScDayFrame final : public CTavScEventFrame
{
    Q_OBJECT
public:
    explicit CTavScDayFrame(CTavScDayDoc* document, QWidget* parent = nullptr);

    CTavScDayView* View() const { return m_view; }
    CTavScDayPreview* Preview() const { return m_preview; }

    // The window's heading: the day in the handheld's format, with its weekday.
    static QString DayHeading(const QString& handheldFormat, const QDate& day);

    void UpdateCommandUI() override;
    // Goes to the event's next day from today (its first day when none is left) and selects it.
    bool ShowRecord(uint32_t uniqueId) override;

private:
    CTavScDayDoc* m_document;
    CTavScDayView* m_view;
    CTavScDayPreview* m_preview;
};
