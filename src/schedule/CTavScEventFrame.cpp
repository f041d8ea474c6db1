#include "CTavScEventFrame.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "CTavComScheduleView.h"
#include "CTavScEventDoc.h"
#include "ScheduleState.h"

namespace {
QToolButton* smallButton(QWidget* parent, const QString& text, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    return button;
}
} // namespace

CTavScEventFrame::CTavScEventFrame(CTavScEventDoc* document, int slot, int view, QWidget* parent)
    : CTavScFrameBase(document, slot, view, document->Title(), parent), m_document(document),
      m_new(new QAction(QStringLiteral("新規予定(&N)..."), this)),
      m_edit(new QAction(QStringLiteral("予定の編集(&I)..."), this)),
      m_delete(new QAction(QStringLiteral("予定の削除(&D)..."), this)),
      m_discard(new QAction(QStringLiteral("予定の破棄(&O)..."), this)),
      m_calendar(smallButton(TopBar(), QStringLiteral("カレンダー"), QStringLiteral("calendarButton"))),
      m_today(smallButton(TopBar(), QStringLiteral("今日"), QStringLiteral("todayButton")))
{
    auto* bar = static_cast<QHBoxLayout*>(TopBar()->layout());
    auto* newButton = new QPushButton(QStringLiteral("新規予定"), TopBar());
    newButton->setObjectName(QStringLiteral("newEventButton"));
    bar->insertWidget(4, m_calendar);
    bar->insertWidget(5, m_today);
    bar->insertWidget(6, newButton);

    connect(m_calendar, &QToolButton::clicked, this, [this] { m_document->PickDate(this); });
    connect(m_today, &QToolButton::clicked, this, [this] { m_document->GoToday(); });
    connect(newButton, &QPushButton::clicked, m_new, &QAction::trigger);
    connect(m_new, &QAction::triggered, this, [this] { m_document->NewEvent(m_view); });
    // Ctrl+N works wherever the focus is in the main window while this window shows.
    m_new->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_new->setShortcutContext(Qt::WindowShortcut);
    addAction(m_new);
    connect(m_edit, &QAction::triggered, this, [this] { m_document->EditEvent(m_view); });
    connect(m_delete, &QAction::triggered, this, [this] { m_document->DeleteEvent(m_view); });
    connect(m_discard, &QAction::triggered, this, [this] { m_document->DiscardOldEvents(this); });
    connect(document, &CTavModuleDoc::viewsUpdated, this, &CTavScEventFrame::UpdateCommandUI);
}

void CTavScEventFrame::CreateEventPanes(QWidget* view, QWidget* right, const Step& step)
{
    m_view = view;
    auto* pane = new QWidget(this);
    m_previous = smallButton(pane, QStringLiteral("◀"), QStringLiteral("previous%1Button").arg(step.name));
    m_next = smallButton(pane, QStringLiteral("▶"), QStringLiteral("next%1Button").arg(step.name));
    m_previous->setToolTip(QStringLiteral("前の%1").arg(step.unit));
    m_next->setToolTip(QStringLiteral("次の%1").arg(step.unit));
    m_title = new QLabel(pane);
    m_title->setObjectName(step.name.toLower() + QStringLiteral("Title"));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2); // its own: the pane's column below packs its rows without spacing
    row->addWidget(m_previous);
    row->addWidget(m_next);
    row->addSpacing(8);
    row->addWidget(m_title, 1);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(row);
    view->setParent(pane);
    layout->addWidget(view, 1);
    pane->setFocusProxy(view);
    connect(m_previous, &QToolButton::clicked, this, [this] { m_document->StepBack(); });
    connect(m_next, &QToolButton::clicked, this, [this] { m_document->StepOn(); });
    if (auto* grid = qobject_cast<CTavComScheduleView*>(view))
        connect(grid, &CTavComScheduleView::selectionChanged, this, &CTavScEventFrame::UpdateCommandUI);

    CreatePanes(pane, right);
    m_document->SetFirstView(view);
    UpdateCommandUI();
}

void CTavScEventFrame::FillMenu(MenuKind menu, QMenu* target)
{
    CTavScFrameBase::FillMenu(menu, target);
    if (menu == EditMenu)
        target->addActions({m_new, m_edit, m_delete});
    else if (menu == ToolsMenu)
        target->addAction(m_discard);
}

void CTavScEventFrame::UpdateCommandUI()
{
    CTavScFrameBase::UpdateCommandUI();
    const bool selected = m_document->State().selectedEvent != nullptr;
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}
