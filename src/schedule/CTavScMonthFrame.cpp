#include "CTavScMonthFrame.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "CTavScMonthCalendar.h"
#include "CTavScMonthDoc.h"
#include "CTavScMonthLeftView.h"
#include "CTavScMonthRightView.h"
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

CTavScMonthFrame::CTavScMonthFrame(CTavScMonthDoc* document, QWidget* parent)
    : CTavScFrameBase(document, TavSlot::Month, TavModule::Month, document->Title(), parent),
      m_document(document), m_new(new QAction(QStringLiteral("新規予定(&N)..."), this)),
      m_edit(new QAction(QStringLiteral("予定の編集(&I)..."), this)),
      m_delete(new QAction(QStringLiteral("予定の削除(&D)..."), this)),
      m_discard(new QAction(QStringLiteral("予定の破棄(&O)..."), this))
{
    auto* bar = static_cast<QHBoxLayout*>(TopBar()->layout());
    m_calendar = smallButton(TopBar(), QStringLiteral("カレンダー"), QStringLiteral("calendarButton"));
    m_calendar->setToolTip(QStringLiteral("月を指定"));
    m_today = smallButton(TopBar(), QStringLiteral("今日"), QStringLiteral("todayButton"));
    auto* newButton = new QPushButton(QStringLiteral("新規予定"), TopBar());
    newButton->setObjectName(QStringLiteral("newEventButton"));
    bar->insertWidget(4, m_calendar);
    bar->insertWidget(5, m_today);
    bar->insertWidget(6, newButton);

    m_view = new CTavScMonthLeftView(document);
    m_preview = new CTavScMonthRightView(document, this);
    CreatePanes(MakeLeftPane(), m_preview);
    document->SetFirstView(m_view);

    connect(m_calendar, &QToolButton::clicked, this, [this] { m_document->PickMonth(this); });
    connect(m_today, &QToolButton::clicked, this, [this] { m_document->GoToday(); });
    connect(newButton, &QPushButton::clicked, m_new, &QAction::trigger);
    connect(m_new, &QAction::triggered, this, [this] { m_document->NewEvent(m_view); });
    // Ctrl+N works wherever the focus is in the main window while the month window shows.
    m_new->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_new->setShortcutContext(Qt::WindowShortcut);
    addAction(m_new);
    connect(m_edit, &QAction::triggered, this, [this] { m_document->EditEvent(m_view); });
    connect(m_delete, &QAction::triggered, this, [this] { m_document->DeleteEvent(m_view); });
    connect(m_discard, &QAction::triggered, this, [this] { m_document->DiscardOldEvents(this); });
    connect(document, &CTavModuleDoc::viewsUpdated, this, &CTavScMonthFrame::UpdateCommandUI);
    UpdateCommandUI();
}

QWidget* CTavScMonthFrame::MakeLeftPane()
{
    auto* pane = new QWidget(this);
    m_previous = smallButton(pane, QStringLiteral("◀"), QStringLiteral("previousMonthButton"));
    m_next = smallButton(pane, QStringLiteral("▶"), QStringLiteral("nextMonthButton"));
    m_previous->setToolTip(QStringLiteral("前の月"));
    m_next->setToolTip(QStringLiteral("次の月"));
    m_title = new QLabel(pane);
    m_title->setObjectName(QStringLiteral("monthTitle"));
    QFont font = m_title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() + 2);
    m_title->setFont(font);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    row->addWidget(m_previous);
    row->addWidget(m_next);
    row->addSpacing(8);
    row->addWidget(m_title, 1);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(row);
    m_view->setParent(pane);
    layout->addWidget(m_view, 1);
    pane->setFocusProxy(m_view);
    connect(m_previous, &QToolButton::clicked, this, [this] { m_document->PreviousMonth(); });
    connect(m_next, &QToolButton::clicked, this, [this] { m_document->NextMonth(); });
    return pane;
}

QString CTavScMonthFrame::MonthTitle() const
{
    return m_title->text();
}

void CTavScMonthFrame::FillMenu(MenuKind menu, QMenu* target)
{
    CTavScFrameBase::FillMenu(menu, target);
    if (menu == EditMenu)
        target->addActions({m_new, m_edit, m_delete});
    else if (menu == ToolsMenu)
        target->addAction(m_discard);
}

void CTavScMonthFrame::UpdateCommandUI()
{
    CTavScFrameBase::UpdateCommandUI();
    const ScheduleState& state = m_document->State();
    m_edit->setEnabled(state.selectedEvent != nullptr);
    m_delete->setEnabled(state.selectedEvent != nullptr);
    const CTavScCalendarGrid& grid = m_document->Grid();
    m_title->setText(CTavScMonthCalendar::MonthTitle(grid.GetYear(), grid.GetMonth()));
    m_previous->setEnabled(grid.GetYear() * 12 + grid.GetMonth() > CTavScCalendarGrid::kFirstYear * 12 + 1);
    m_next->setEnabled(grid.GetYear() * 12 + grid.GetMonth() < CTavScCalendarGrid::kLastYear * 12 + 12);
}
