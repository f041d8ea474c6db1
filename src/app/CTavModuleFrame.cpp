#include "CTavModuleFrame.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavDbStoreBase.h"
#include "CTavMainFrame.h"
#include "CTavModuleBar.h"
#include "CTavModuleDoc.h"
#include "CTavModuleSplitter.h"
#include "CTavPlaceholderPane.h"
#include "TavStrings.h"

namespace {
const QString kAllCategories = QStringLiteral("すべて");

QWidget* makeBar(QWidget* parent, int height, const char* name)
{
    auto* bar = new QWidget(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setFixedHeight(height);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(6);
    layout->addStretch();
    return bar;
}

void connectPane(CTavModuleDoc* doc, QWidget* pane)
{
    if (auto* placeholder = qobject_cast<CTavPlaceholderPane*>(pane))
        QObject::connect(doc, &CTavModuleDoc::viewsUpdated, placeholder,
                         &CTavPlaceholderPane::OnDocumentUpdate);
}
} // namespace

CTavModuleFrame::CTavModuleFrame(CTavModuleDoc* document, const Description& description, QWidget* parent)
    : QMdiSubWindow(parent), m_document(document), m_description(description)
{
    setWindowFlags(Qt::FramelessWindowHint);
    setWindowTitle(description.title);
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* body = new QWidget(this);
    // No border of its own on the right: the bar's black line at x 90 already closes it off,
    // and a second black line beside it reads as a heavy double border.
    m_moduleBar = new CTavModuleBar(0, body);
    m_moduleBar->SetCurrent(description.launcherIndex);
    connect(m_moduleBar, &CTavModuleBar::commandRequested, this, &CTavModuleFrame::commandRequested);

    m_topBar = makeBar(body, kTopBarHeight, "topBar");
    m_bottomBar = makeBar(body, kBottomBarHeight, "bottomBar");
    m_rightBar = new QWidget(body);
    m_rightBar->setObjectName(QStringLiteral("rightBar"));
    m_rightBar->hide(); // an empty bar until a module puts controls into it
    m_centre = new QWidget(body);
    auto* centreLayout = new QVBoxLayout(m_centre);
    centreLayout->setContentsMargins(2, 0, 2, 0);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_topBar);
    column->addWidget(m_centre, 1);
    column->addWidget(m_bottomBar);
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_moduleBar);
    row->addLayout(column, 1);
    row->addWidget(m_rightBar);
    setWidget(body);

    if (description.hasDetailToggle) {
        m_detailToggle = new QPushButton(QStringLiteral("詳細の非表示"), m_bottomBar);
        m_detailToggle->setObjectName(QStringLiteral("detailToggle"));
        m_detailToggle->setProperty("controlId", kDetailToggleId);
        static_cast<QHBoxLayout*>(m_bottomBar->layout())->addWidget(m_detailToggle);
        connect(m_detailToggle, &QPushButton::clicked, this, &CTavModuleFrame::ToggleDetail);
    }
}

void CTavModuleFrame::CreatePanes(QWidget* left, QWidget* right)
{
    m_splitter = new CTavModuleSplitter(m_centre);
    m_splitter->SetKeepsRightWidth(m_description.keepsRightWidth);
    m_left = left;
    m_right = right;
    m_splitter->addWidget(left);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 1);
    m_centre->layout()->addWidget(m_splitter);
    m_document->SetFirstView(left);
    connectPane(m_document, left);
    connectPane(m_document, right);
}

void CTavModuleFrame::SetSingleView(QWidget* view)
{
    m_left = view;
    m_centre->layout()->addWidget(view);
    m_document->SetFirstView(view);
    connectPane(m_document, view);
}

void CTavModuleFrame::LayOutPanes(int mdiWidth)
{
    if (!m_splitter)
        return;
    m_split = true;
    m_splitter->LayOutInitially(mdiWidth);
    if (m_description.keepsRightWidth && m_splitter->width() > 0)
        m_splitter->ApplyRightWidthRule();
}

void CTavModuleFrame::SplitWhenLaidOut()
{
    // Module windows are made before the main window is shown, when the MDI area has no size
    // yet: a split made then would leave both panes at their minimum.
    if (m_split || !m_splitter || !isVisible())
        return;
    LayOutPanes(mdiArea() ? mdiArea()->viewport()->width() : width());
}

void CTavModuleFrame::showEvent(QShowEvent* event)
{
    // Modules fill their bottom bar after this constructor; one left empty (only its stretch)
    // would just be a blank band above the status bar.
    m_bottomBar->setVisible(m_bottomBar->layout()->count() > 1);
    QMdiSubWindow::showEvent(event);
    SplitWhenLaidOut();
}

void CTavModuleFrame::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    SplitWhenLaidOut();
}

void CTavModuleFrame::Update(int hint)
{
    if (hint == 0 || hint == 2)
        m_document->Reload();
    else
        m_document->UpdateAllViews(hint);
}

void CTavModuleFrame::FillMenu(MenuKind, QMenu*) {}

void CTavModuleFrame::ToggleDetail()
{
    if (!m_right)
        return;
    m_detailShown = !m_detailShown;
    m_right->setVisible(m_detailShown);
    if (m_detailToggle)
        m_detailToggle->setText(m_detailShown ? QStringLiteral("詳細の非表示") : QStringLiteral("詳細表示"));
    if (m_detailShown && m_splitter) {
        if (m_description.keepsRightWidth)
            m_splitter->ApplyRightWidthRule();
        else
            m_splitter->setSizes({2 * m_splitter->width(), m_splitter->width()});
    }
    widget()->updateGeometry();
    update();
}

void CTavModuleFrame::AddCommands(std::initializer_list<Command> commands)
{
    for (const Command& command : commands) {
        auto* action = new QAction(QString::fromUtf16(command.text), this);
        action->setData(command.id);
        connect(action, &QAction::triggered, this, [this, run = command.run] {
            run();
            UpdateCommandUI();
        });
        if (command.listCommand) {
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            QWidget::addAction(action);
        }
        m_actions.insert(command.id, action);
    }
}

void CTavModuleFrame::Trigger(int id)
{
    UpdateCommandUI();
    if (QAction* a = Action(id); a && a->isEnabled())
        a->trigger();
}

QHash<int, QPushButton*> CTavModuleFrame::AddCommandButtons(std::initializer_list<CommandButton> buttons)
{
    auto* bottom = static_cast<QHBoxLayout*>(m_bottomBar->layout());
    QHash<int, QPushButton*> made;
    int at = 0;
    for (const CommandButton& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf16(b.text), m_bottomBar);
        button->setObjectName(QLatin1String(b.name));
        button->setProperty("controlId", b.controlId);
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, command = b.command] { Trigger(command); });
        bottom->insertWidget(at++, button);
        made.insert(b.command, button);
    }
    return made;
}

CTavModuleFrame::Selectors CTavModuleFrame::AddSelectors(int categoryControlId, int sortControlId,
                                                         const QStringList& orders)
{
    auto* category = new QComboBox(m_topBar);
    category->setObjectName(QStringLiteral("categoryBox"));
    category->setProperty("controlId", categoryControlId);
    category->setMinimumWidth(140);
    category->addItem(kAllCategories);
    auto* sort = new QComboBox(m_topBar);
    sort->setObjectName(QStringLiteral("sortBox"));
    sort->setProperty("controlId", sortControlId);
    sort->addItems(orders);
    auto* top = static_cast<QHBoxLayout*>(m_topBar->layout());
    top->insertWidget(0, new QLabel(QStringLiteral("カテゴリ"), m_topBar));
    top->insertWidget(1, category);
    top->insertSpacing(2, 16);
    top->insertWidget(3, new QLabel(QStringLiteral("並べ替え"), m_topBar));
    top->insertWidget(4, sort);
    return {category, sort};
}

void CTavModuleFrame::FillCategoryBox(QComboBox* box, const CTavDbStoreBase& store, uint32_t filter,
                                      uint32_t allId)
{
    QStringList names{kAllCategories};
    for (const CTavDbCategory& c : store.GetCategories())
        names << c.GetName();
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (shown != names) {
        box->clear();
        box->addItems(names);
    }
    const CTavDbCategory* current = store.FindCategoryById(filter);
    box->setCurrentIndex(
        filter == allId || !current ? 0 : static_cast<int>(store.GetCategories().indexOf(*current)) + 1);
}

uint32_t CTavModuleFrame::ChosenCategory(const QComboBox* box, int index, const CTavDbStoreBase& store,
                                         uint32_t allId)
{
    const CTavDbCategory* category = store.FindCategoryByName(box->itemText(index));
    return index == 0 || !category ? allId : category->GetID();
}

void CTavModuleFrame::SetDocumentTitle(const QString& title)
{
    setWindowTitle(title.isEmpty() ? m_description.title : title);
    CTavMainFrame* main = m_document->App().MainFrame();
    if (main && main->ActiveModuleFrame() == this)
        main->setWindowTitle(TavStr::ProductName + QStringLiteral(" - ") + windowTitle());
}
