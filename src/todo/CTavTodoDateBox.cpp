#include "CTavTodoDateBox.h"

#include <QListView>

#include "CTavDbClock.h"
#include "CTavScDatePickDlg.h"
#include "CTavTodoDetailText.h"
#include "ScheduleState.h"

namespace {
// Seconds from now of the first four entries.
constexpr qint64 kAhead[] = {0, 86400, 604800, 1209600};
} // namespace

CTavTodoDateBox::CTavTodoDateBox(QWidget* parent) : QComboBox(parent)
{
    // Row 0 only shows the chosen day; the list offers the six entries below it.
    addItem(QString());
    addItems({QStringLiteral("今日"), QStringLiteral("明日"), QStringLiteral("一週間後"),
              QStringLiteral("二週間後"), QStringLiteral("指定なし"),
              QStringLiteral("カレンダーより選択...")});
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setRowHidden(0, true);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, &CTavTodoDateBox::Choose);
    SetDate(maxDateTime);
}

void CTavTodoDateBox::SetDate(TavTime date)
{
    m_date = date < maxDateTime ? CTavDbTime::fromDate(CTavDbTime::toDate(date)) : maxDateTime;
    setItemText(0,
                m_date < maxDateTime ? CTavTodoDetailText::FormatDate(m_date) : QStringLiteral("指定なし"));
    setCurrentIndex(0);
}

void CTavTodoDateBox::Choose(int entry)
{
    const TavTime before = m_date;
    if (entry >= Today && entry <= InTwoWeeks) {
        SetDate(CTavDbTime::fromDate(CTavDbClock::Now().addSecs(kAhead[entry - Today]).date()));
    } else if (entry == NoDate) {
        SetDate(maxDateTime);
    } else if (entry == FromCalendar) {
        const QDate shown = m_date < maxDateTime ? CTavDbTime::toDate(m_date) : CTavDbClock::Today();
        CTavScDatePickDlg dialog(shown, ScheduleState::ReadStartDayOfWeek(), nullptr, this);
        if (dialog.exec() == QDialog::Accepted && CTavDbTime::inRange(dialog.Date()))
            SetDate(CTavDbTime::fromDate(dialog.Date()));
        else
            SetDate(m_date);
    } else {
        SetDate(m_date);
    }
    if (m_date != before)
        emit dateChanged();
}
