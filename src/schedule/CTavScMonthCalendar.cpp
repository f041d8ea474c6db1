#include "CTavScMonthCalendar.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

#include "CTavDbDate.h"
#include "CTavDbTime.h"

namespace {

struct Step
{
    const char* name;
    const char16_t* text;
    const char16_t* tip;
    int months;
};

// Left to right across the header; the title sits between the second and the third.
constexpr Step kSteps[] = {{"prevYearButton", u"«", u"前の年", -12},
                           {"prevMonthButton", u"◀", u"前の月", -1},
                           {"nextMonthButton", u"▶", u"次の月", 1},
                           {"nextYearButton", u"»", u"次の年", 12}};

} // namespace

CTavScMonthCalendar::CTavScMonthCalendar(CTavDbDate* store, QWidget* parent)
    : QWidget(parent), m_store(store), m_calendar(new QCalendarWidget(this)), m_header(new QLabel(this))
{
    // Qt's own bar reads "3月 2024"; ours puts the year first as Japanese dates do.
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setDateRange(CTavDbTime::firstDate(), CTavDbTime::lastDate());
    // The locale first: setting it resets the first day of the week to the locale's.
    m_calendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    m_header->setObjectName(QStringLiteral("monthTitle"));
    m_header->setAlignment(Qt::AlignCenter);
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);

    auto* bar = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_steps[i] = new QToolButton(this);
        m_steps[i]->setObjectName(QLatin1String(kSteps[i].name));
        m_steps[i]->setText(QString::fromUtf16(kSteps[i].text));
        m_steps[i]->setToolTip(QString::fromUtf16(kSteps[i].tip));
        m_steps[i]->setAutoRaise(true);
        const int months = kSteps[i].months;
        connect(m_steps[i], &QToolButton::clicked, this, [this, months] { StepMonths(months); });
        bar->addWidget(m_steps[i]);
        if (i == 1)
            bar->addWidget(m_header, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &CTavScMonthCalendar::OnPageChanged);
    OnPageChanged();
}

QString CTavScMonthCalendar::MonthTitle(int year, int month)
{
    return QStringLiteral("%1年%2月").arg(year).arg(month);
}

QString CTavScMonthCalendar::HeaderText() const
{
    return m_header->text();
}

bool CTavScMonthCalendar::IsMarked(const QDate& date) const
{
    return m_calendar->dateTextFormat(date).fontWeight() == QFont::Bold;
}

void CTavScMonthCalendar::StepMonths(int months)
{
    const QDate first = QDate(m_calendar->yearShown(), m_calendar->monthShown(), 1).addMonths(months);
    const QDate min = m_calendar->minimumDate();
    const QDate max = m_calendar->maximumDate();
    // A step past either end stops at the end's month.
    const QDate page = first < min ? min : (first > max ? max : first);
    m_calendar->setCurrentPage(page.year(), page.month());
}

void CTavScMonthCalendar::OnPageChanged()
{
    const int year = m_calendar->yearShown();
    const int month = m_calendar->monthShown();
    m_header->setText(MonthTitle(year, month));
    const QDate first(year, month, 1);
    const bool atStart = first <= m_calendar->minimumDate();
    const bool atEnd = first.addMonths(1) > m_calendar->maximumDate();
    m_steps[0]->setEnabled(!atStart);
    m_steps[1]->setEnabled(!atStart);
    m_steps[2]->setEnabled(!atEnd);
    m_steps[3]->setEnabled(!atEnd);
    MarkEventDays();
}

void CTavScMonthCalendar::MarkEventDays()
{
    // Only the shown month is looked up: one index walk per day.
    m_calendar->setDateTextFormat(QDate(), QTextCharFormat());
    if (!m_store)
        return;
    QTextCharFormat marked;
    marked.setFontWeight(QFont::Bold);
    marked.setFontUnderline(true);
    const QDate first(m_calendar->yearShown(), m_calendar->monthShown(), 1);
    QList<CTavDbDateRecord*> records;
    for (QDate day = first; day.month() == first.month(); day = day.addDays(1)) {
        if (!CTavDbTime::inRange(day))
            continue;
        m_store->GetDayRecords(CTavDbTime::dayKey(day), records);
        if (!records.isEmpty())
            m_calendar->setDateTextFormat(day, marked);
    }
}
