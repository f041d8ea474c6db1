#include "CTavScDayFrame.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavScDayDoc.h"
#include "CTavScDayPreview.h"
#include "CTavScDayView.h"
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
} // namespace

CTavScDayFrame::CTavScDayFrame(CTavScDayDoc* document, QWidget* parent)
    : CTavScFrameBase(document, TavSlot::Day, TavModule::Day, document->Title(), parent),
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

    m_view = new CTavScDayView(document);
    m_preview = new CTavScDayPreview(document, this);
    CreatePanes(MakeLeftPane(), m_preview);
    document->SetFirstView(m_view);

    connect(m_calendar, &QToolButton::clicked, this, [this] { m_document->PickDate(this); });
    connect(m_today, &QToolButton::clicked, this, [this] { m_document->GoToday(); });
    connect(newButton, &QPushButton::clicked, m_new, &QAction::trigger);
    connect(m_new, &QAction::triggered, this, [this] { m_document->NewEvent(m_view); });
    // Ctrl+N works wherever the focus is in the main window while the day window shows.
    m_new->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_new->setShortcutContext(Qt::WindowShortcut);
    addAction(m_new);
    connect(m_edit, &QAction::triggered, this, [this] { m_document->EditEvent(m_view); });
    connect(m_delete, &QAction::triggered, this, [this] { m_document->DeleteEvent(m_view); });
    connect(m_discard, &QAction::triggered, this, [this] { m_document->DiscardOldEvents(this); });
    connect(m_view, &CTavComScheduleView::selectionChanged, this, &CTavScDayFrame::UpdateCommandUI);
    connect(document, &CTavModuleDoc::viewsUpdated, this, &CTavScDayFrame::UpdateCommandUI);
    UpdateCommandUI();
}

QWidget* CTavScDayFrame::MakeLeftPane()
{
    auto* pane = new QWidget(this);
    m_previous = smallButton(pane, QStringLiteral("◀"), QStringLiteral("previousDayButton"));
    m_next = smallButton(pane, QStringLiteral("▶"), QStringLiteral("nextDayButton"));
    m_previous->setToolTip(QStringLiteral("前の日"));
    m_next->setToolTip(QStringLiteral("次の日"));
    m_dateLabel = new QLabel(pane);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2); // its own: the pane's column below packs its rows without spacing
    row->addWidget(m_previous);
    row->addWidget(m_next);
    row->addSpacing(8);
    row->addWidget(m_dateLabel, 1);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(row);
    m_view->setParent(pane);
    layout->addWidget(m_view, 1);
    pane->setFocusProxy(m_view);
    connect(m_previous, &QToolButton::clicked, this, [this] { m_document->PreviousDay(); });
    connect(m_next, &QToolButton::clicked, this, [this] { m_document->NextDay(); });
    return pane;
}

void CTavScDayFrame::FillMenu(MenuKind menu, QMenu* target)
{
    CTavScFrameBase::FillMenu(menu, target);
    if (menu == EditMenu)
        target->addActions({m_new, m_edit, m_delete});
    else if (menu == ToolsMenu)
        target->addAction(m_discard);
}

bool CTavScDayFrame::ShowRecord(uint32_t uniqueId)
{
    ScheduleState& state = m_document->State();
    CTavDbDate& store = state.Store();
    auto* event = static_cast<CTavDbDateRecord*>(store.FindRecord(uniqueId));
    if (!event || event->IsDeleted())
        return false;
    QDate day = event->GetStartDate();
    if (event->IsRepeating()) {
        const QDate today = CTavDbClock::Today();
        for (QDate d = std::max(today, day); d <= today.addYears(2) && CTavDbTime::inRange(d);
             d = d.addDays(1)) {
            if (store.IsRepeatTarget(*event, CTavDbTime::dayKey(d))) {
                day = d;
                break;
            }
        }
    }
    state.GoToDate(day);
    state.SelectEvent(event);
    emit state.changed();
    return true;
}

void CTavScDayFrame::UpdateCommandUI()
{
    CTavScFrameBase::UpdateCommandUI();
    const ScheduleState& state = m_document->State();
    m_edit->setEnabled(state.selectedEvent != nullptr);
    m_delete->setEnabled(state.selectedEvent != nullptr);
    const QDate day = state.CurrentDay();
    m_dateLabel->setText(CTavScDayView::DayTitle(day));
    m_previous->setEnabled(day > CTavDbTime::firstDate());
    m_next->setEnabled(day < CTavDbTime::lastDate());
}
