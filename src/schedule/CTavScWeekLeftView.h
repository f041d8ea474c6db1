#pragma once

#include <QDate>
#include <array>
#include <memory>

#include "CTavScGridView.h"

class CTavScWeekDoc;

// The week's time grid: seven day columns of the calendar row that holds the current date,
// with the mouse and key commands of the day grid in each of them. A box dropped in another
// column moves the event to that day.
class CTavScWeekLeftView final : public CTavScGridView
{
    Q_OBJECT
public:
    explicit CTavScWeekLeftView(CTavScWeekDoc* document, QWidget* parent = nullptr);
    ~CTavScWeekLeftView() override;

    void UpdateKiroView() override;
    // The day of a column; invalid outside the range or the week.
    QDate ColumnDay(int column) const;
    // The column of a day, or -1 when the week does not show it.
    int DayColumn(const QDate& day) const;
    // "12/7 (月)", followed on a second line by the six-day label and the holiday name of the
    // day when the display settings show them.
    static QString ColumnTitle(const QDate& day, const QString& sixDay, const QString& holiday);

    static constexpr int kColumnMinWidth = 72;

protected:
    // The column's day becomes the current one and the slot under the point the selected one.
    void PickSlot(const CTavComHit& hit) override;
    QDate DropDay(const CTavComDragResult& result) const override;
    bool MayOpenAt(const CTavComHit& hit) const override;

private:
    class DayHost;

    void FillColumn(int index, const QDate& day);

    CTavScWeekDoc* m_document;
    std::array<QDate, 7> m_days;
    std::array<std::unique_ptr<DayHost>, 7> m_hosts;
    int m_lastStartTime = -1;
};
