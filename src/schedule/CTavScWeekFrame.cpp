#include "CTavScWeekFrame.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "CTavComUtil.h"
#include "CTavScWeekDoc.h"
#include "CTavScWeekLeftView.h"
#include "CTavScWeekRightView.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"

namespace {
QToolButton* smallButton(QWidget* parent, const QString& text, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    return button;
}

QString shortDay(const QDate& day)
{
    static const char16_t* const days[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    return QStringLiteral("%1/%2 (%3)")
        .arg(day.month())
        .arg(day.day())
        .arg(QString::fromUtf16(days[day.dayOfWeek() % 7]));
}
} // namespace

CTavScWeekFrame::CTavScWeekFrame(CTavScWeekDoc* document, QWidget* parent)
    : CTavScFrameBase(document, TavSlot::Week, TavModule::Week, document->Title(), parent),
      m_document(document), m_new(new QAction(QStringLiteral("新規予定(&N)..."), this)),
      m_edit(new QAction(QStringLiteral("予定の編集(&I)..."), this)),
      m_delete(new QAction(QStringLiteral("予定の削除(&D)..."), this)),
      m_discard(new QAction(QStringLiteral("予定の破棄(&O)..."), this))
{
    auto* bar = static_cast<QHBoxLayout*>(TopBar()->layout());
    m_calendar = smallButton(TopBar(), QStringLiteral("カレンダー"), QStringLiteral("calendarButton"));
    m_today = smallButton(TopBar(), QStringLiteral("今日"), QStringLiteral("todayButton"));
    auto* newButton = new QPushButton(QStringLiteral("新規予定"), TopBar());
    newButton->setObjectName(QStringLiteral("newEventButton"));
    bar->insertWidget(4, m_calendar);
    bar->insertWidget(5, m_today);
    bar->insertWidget(6, newButton);

    m_view = new CTavScWeekLeftView(document);
    m_right = new CTavScWeekRightView(document, this);
    CreatePanes(MakeLeftPane(), m_right);
    document->SetFirstView(m_view);

    connect(m_calendar, &QToolButton::clicked, this, [this] { m_document->PickDate(this); });
    connect(m_today, &QToolButton::clicked, this, [this] { m_document->GoToday(); });
    connect(newButton, &QPushButton::clicked, m_new, &QAction::trigger);
    connect(m_new, &QAction::triggered, this, [this] { m_document->NewEvent(m_view); });
    // Ctrl+N works wherever the focus is in the main window while the week window shows.
    m_new->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_new->setShortcutContext(Qt::WindowShortcut);
    addAction(m_new);
    connect(m_edit, &QAction::triggered, this, [this] { m_document->EditEvent(m_view); });
    connect(m_delete, &QAction::triggered, this, [this] { m_document->DeleteEvent(m_view); });
    connect(m_discard, &QAction::triggered, this, [this] { m_document->DiscardOldEvents(this); });
    connect(m_view, &CTavComScheduleView::selectionChanged, this, &CTavScWeekFrame::UpdateCommandUI);
    connect(document, &CTavModuleDoc::viewsUpdated, this, &CTavScWeekFrame::UpdateCommandUI);
    UpdateCommandUI();
}

QWidget* CTavScWeekFrame::MakeLeftPane()
{
    auto* pane = new QWidget(this);
    m_previous = smallButton(pane, QStringLiteral("◀"), QStringLiteral("previousWeekButton"));
    m_next = smallButton(pane, QStringLiteral("▶"), QStringLiteral("nextWeekButton"));
    m_previous->setToolTip(QStringLiteral("前の週"));
    m_next->setToolTip(QStringLiteral("次の週"));
    m_titleLabel = new QLabel(pane);
    m_titleLabel->setObjectName(QStringLiteral("weekTitle"));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2); // its own: the pane's column below packs its rows without spacing
    row->addWidget(m_previous);
    row->addWidget(m_next);
    row->addSpacing(8);
    row->addWidget(m_titleLabel, 1);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(row);
    m_view->setParent(pane);
    layout->addWidget(m_view, 1);
    pane->setFocusProxy(m_view);
    connect(m_previous, &QToolButton::clicked, this, [this] { m_document->PreviousWeek(); });
    connect(m_next, &QToolButton::clicked, this, [this] { m_document->NextWeek(); });
    return pane;
}

QString CTavScWeekFrame::WeekTitle(const QString& handheldFormat, const QDate& first, const QDate& last,
                                   int week)
{
    // The handheld heads its week with the year and month of the week's first day.
    const QString head = CTavComUtil::GetTimeStr(first.startOfDay(), handheldFormat).simplified();
    QString title = head.isEmpty() ? QStringLiteral("%1年").arg(first.year()) : head;
    return QStringLiteral("%1    %2 〜 %3    第%4週").arg(title, shortDay(first), shortDay(last)).arg(week);
}

void CTavScWeekFrame::FillMenu(MenuKind menu, QMenu* target)
{
    CTavScFrameBase::FillMenu(menu, target);
    if (menu == EditMenu)
        target->addActions({m_new, m_edit, m_delete});
    else if (menu == ToolsMenu)
        target->addAction(m_discard);
}

void CTavScWeekFrame::UpdateCommandUI()
{
    CTavScFrameBase::UpdateCommandUI();
    ScheduleState& state = m_document->State();
    m_edit->setEnabled(state.selectedEvent != nullptr);
    m_delete->setEnabled(state.selectedEvent != nullptr);
    const QDate day = state.CurrentDay();
    QDate first;
    QDate last;
    for (int i = 0; i < 7; ++i) {
        const QDate shown = m_view->ColumnDay(i);
        if (shown.isValid()) {
            first = first.isValid() ? first : shown;
            last = shown;
        }
    }
    m_titleLabel->setText(
        first.isValid() ? WeekTitle(state.handheld.weekDateFormat, first, last, m_document->WeekNumber())
                        : QString());
    m_previous->setEnabled(day > CTavDbTime::firstDate());
    m_next->setEnabled(day < CTavDbTime::lastDate());
}
