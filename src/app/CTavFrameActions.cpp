#include "CTavFrameActions.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoGroup>
#include <QUndoStack>

#include "CTavApp.h"
#include "CTavFileDlg.h"
#include "CTavHelp.h"
#include "CTavHotSyncCoordinator.h"
#include "CTavMainFrame.h"
#include "CTavModuleButton.h"
#include "CTavModuleFrame.h"
#include "CTavUserSwitcher.h"
#include "TavStrings.h"

namespace {
QIcon drawnIcon(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x30, 0x38), 1.2));
    draw(p);
    return QIcon(pixmap);
}

QIcon saveIcon()
{
    return drawnIcon([](QPainter& p) {
        p.setBrush(QColor(0x30, 0x60, 0xB0));
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3.5, 10, 7));
        p.setBrush(QColor(0xD0, 0xD0, 0xD0));
        p.drawRect(QRectF(7, 14, 10, 6.5));
    });
}

QIcon privateIcon()
{
    return drawnIcon([](QPainter& p) {
        p.setBrush(QColor(0xE0, 0xB0, 0x30));
        p.drawRoundedRect(QRectF(5, 11, 14, 10), 2, 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x30, 0x30, 0x38), 2));
        p.drawArc(QRectF(8, 4, 8, 12), 0, 180 * 16);
        p.drawLine(QPointF(8, 10), QPointF(8, 11));
        p.drawLine(QPointF(16, 10), QPointF(16, 11));
    });
}

QIcon usersIcon()
{
    return drawnIcon([](QPainter& p) {
        p.setBrush(QColor(0x60, 0x90, 0xC0));
        p.drawEllipse(QRectF(8, 3, 8, 8));
        p.drawChord(QRectF(4, 12, 16, 16), 0, 180 * 16);
    });
}

QIcon optionsIcon()
{
    return drawnIcon([](QPainter& p) {
        p.setBrush(QColor(0x90, 0x90, 0x98));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(12, 12);
            p.rotate(45 * i);
            p.drawRect(QRectF(-2, -10, 4, 5));
            p.restore();
        }
        p.drawEllipse(QRectF(5, 5, 14, 14));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(9, 9, 6, 6));
    });
}

QIcon helpIcon()
{
    return drawnIcon([](QPainter& p) {
        p.setBrush(QColor(0x30, 0x80, 0x50));
        p.drawEllipse(QRectF(2, 2, 20, 20));
        QFont f = p.font();
        f.setPixelSize(15);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    });
}

// A bent arrow pointing left (undo) or, mirrored, right (redo), for themes without the icons.
QIcon undoIcon(bool redo)
{
    return drawnIcon([redo](QPainter& p) {
        if (redo) {
            p.translate(24, 0);
            p.scale(-1, 1);
        }
        QPainterPath path;
        path.moveTo(19, 19);
        path.cubicTo(20, 11, 15, 8, 8, 9);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x30, 0x60, 0xB0), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0x60, 0xB0));
        p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(10, 3.5), QPointF(10, 14.5)}));
    });
}

// The text of an undo or redo entry, with the step's name when it has one.
QString undoText(const QString& verb, const QString& step, QChar mnemonic)
{
    const QString text = step.isEmpty() ? verb : verb + QStringLiteral(": ") + step;
    return text + QStringLiteral("(&") + mnemonic + u')';
}

QIcon moduleIcon(CTavModuleButton::Picture picture)
{
    return drawnIcon(
        [picture](QPainter& p) { CTavModuleButton::DrawPicture(p, QRectF(0, 0, 24, 24), picture, false); });
}
} // namespace

CTavFrameActions::CTavFrameActions(CTavMainFrame& frame) : QObject(&frame), m_frame(frame)
{
    CTavApp& app = frame.App();
    auto sw = [&app](int module) { return [&app, module] { app.SwitchModule(module); }; };
    const struct
    {
        int id;
        const char16_t* text;
        int module;
        CTavModuleButton::Picture picture;
        Qt::Key key;
    } modules[] = {
        {TavCmd::ViewSchedule, u"予定表(&S)", TavModule::Schedule, CTavModuleButton::Schedule, Qt::Key_F2},
        {TavCmd::ViewAddress, u"アドレス(&A)", TavModule::Address, CTavModuleButton::Address, Qt::Key_F3},
        {TavCmd::ViewTodo, u"To Do リスト(&T)", TavModule::Todo, CTavModuleButton::Todo, Qt::Key_F4},
        {TavCmd::ViewFreeMemo, u"手書きメモ(&F)", TavModule::FreeMemo, CTavModuleButton::FreeMemo,
         Qt::Key_F5},
        {TavCmd::ViewMemoPad, u"メモ帳(&M)", TavModule::MemoPad, CTavModuleButton::MemoPad, Qt::Key_F6},
        {TavCmd::ViewReference, u"便利情報(&R)", TavModule::Reference, CTavModuleButton::Reference,
         Qt::Key_F7}};
    for (const auto& m : modules) {
        QAction* a = Add(m.id, QString::fromUtf16(m.text), sw(m.module));
        a->setShortcut(QKeySequence(m.key));
        a->setCheckable(true);
        a->setIcon(moduleIcon(m.picture));
        a->setIconVisibleInMenu(false); // the check mark shows the current module there
    }
    auto* group = new QActionGroup(this);
    const int privateIds[] = {TavCmd::PrivateShow, TavCmd::PrivateMask, TavCmd::PrivateHide};
    const QString privateTexts[] = {TavStr::PrivateShow, TavStr::PrivateMask, TavStr::PrivateHide};
    for (int mode = 0; mode < 3; ++mode) {
        QAction* a =
            Add(privateIds[mode], privateTexts[mode], [&frame, mode] { frame.SetPrivateMode(mode); });
        a->setCheckable(true);
        group->addAction(a);
    }
    Add(TavCmd::SaveAll, QStringLiteral("すべて保存(&S)"), [&frame] {
        frame.OnSaveAll();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_actions[TavCmd::SaveAll]->setIcon(saveIcon());
    Add(TavCmd::EditUndo, undoText(TavStr::Undo, {}, u'U'), [this] {
        if (UndoAllowed())
            m_frame.UndoGroup().undo();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_actions[TavCmd::EditUndo]->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), undoIcon(false)));
    Add(TavCmd::EditRedo, undoText(TavStr::Redo, {}, u'R'), [this] {
        if (UndoAllowed())
            m_frame.UndoGroup().redo();
    })->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_actions[TavCmd::EditRedo]->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), undoIcon(true)));
    QUndoGroup& undo = frame.UndoGroup();
    for (auto signal : {&QUndoGroup::canUndoChanged, &QUndoGroup::canRedoChanged})
        connect(&undo, signal, this, &CTavFrameActions::UpdateUndoActions);
    for (auto signal : {&QUndoGroup::undoTextChanged, &QUndoGroup::redoTextChanged})
        connect(&undo, signal, this, &CTavFrameActions::UpdateUndoActions);
    connect(&undo, &QUndoGroup::activeStackChanged, this, &CTavFrameActions::UpdateUndoActions);
    Add(TavCmd::Users, QStringLiteral("ユーザ(&U)..."), [&frame] {
        frame.UserSwitcher().OnUserManagement();
    })->setIcon(usersIcon());
    Add(TavCmd::Options, QStringLiteral("オプション(&O)..."), [&frame] {
        frame.OnOptions();
    })->setIcon(optionsIcon());
    Add(TavCmd::DataMigration, QStringLiteral("データ移行(&D)..."), [&frame] { frame.OnDataMigration(); });
    Add(TavCmd::HotSyncOperation, QStringLiteral("動作設定(&O)..."),
        [&frame] { frame.HotSync().ShowManagerWindow(TavCmd::HotSyncOperation); });
    Add(TavCmd::HotSyncLog, QStringLiteral("ログの表示(&L)..."),
        [&frame] { frame.HotSync().ShowManagerWindow(TavCmd::HotSyncLog); });
    Add(TavCmd::HotSyncConnection, QStringLiteral("起動/接続設定(&S)..."),
        [&frame] { frame.HotSync().ShowManagerWindow(TavCmd::HotSyncConnection); });
    Add(TavCmd::InstallTool, QStringLiteral("インストールツール(&I)..."),
        [&frame] { frame.OnInstallTool(); });
    Add(TavCmd::About, QStringLiteral("Lumora のバージョン情報(&A)..."),
        [&frame] { CTavHelp::ShowAbout(&frame); });
    Add(TavCmd::Help, QStringLiteral("Lumora ヘルプ(&Ｈ)..."), [&frame] {
        const CTavModuleFrame* module = frame.ActiveModuleFrame();
        // A window showing a backup file is helped by the page about backup files.
        if (frame.App().backupFileOpen())
            CTavHelp::ShowHelp(CTavFileDlg::kFilesHelpPage);
        else
            CTavHelp::ShowHelp(module ? module->HelpPage() : QString());
    })->setShortcut(QKeySequence(Qt::Key_F1));
    m_actions[TavCmd::Help]->setIcon(helpIcon());
    Add(TavCmd::HomePage, QStringLiteral("Kiro HOME Webページ(&W)..."), [] { CTavHelp::OpenHomePage(); });
    Add(TavCmd::StylePage, QStringLiteral("Kiro Style(&S)..."), [] { CTavHelp::OpenStylePage(); });
    Add(TavCmd::ToolBarToggle, QStringLiteral("ツール バー(&T)"), [&frame] {
        frame.ToolBar()->setVisible(!frame.ToolBar()->isVisible());
        frame.UpdateCommandUI();
    })->setCheckable(true);
    Add(TavCmd::StatusBarToggle, QStringLiteral("ステータス バー(&S)"), [&frame] {
        frame.statusBar()->setVisible(!frame.statusBar()->isVisible());
        frame.UpdateCommandUI();
    })->setCheckable(true);
    Add(TavCmd::AppExit, QStringLiteral("Lumora の終了(&X)"), [&frame] { frame.close(); });

    m_privateMenu = new QMenu(&frame);
    m_privateMenu->setObjectName(QStringLiteral("privateMenu"));
    m_privateMenu->addActions(
        {Action(TavCmd::PrivateShow), Action(TavCmd::PrivateMask), Action(TavCmd::PrivateHide)});
}

QAction* CTavFrameActions::Add(int id, const QString& text, std::function<void()> handler)
{
    auto* a = new QAction(text, this);
    a->setData(id);
    a->setShortcutContext(Qt::WindowShortcut);
    // A command may be refused; the states are set from the outcome, not from the click.
    connect(a, &QAction::triggered, this, [this, handler = std::move(handler)] {
        handler();
        UpdateCommandUI();
    });
    m_frame.addAction(a);
    m_actions.insert(id, a);
    return a;
}

void CTavFrameActions::Trigger(int id)
{
    if (QAction* a = Action(id); a && a->isEnabled())
        a->trigger();
}

void CTavFrameActions::FillToolBar(QToolBar* bar)
{
    bar->setIconSize(QSize(24, 24));
    bar->addAction(Action(TavCmd::SaveAll));
    bar->addAction(Action(TavCmd::EditUndo));
    bar->addAction(Action(TavCmd::EditRedo));
    m_privateButton = new QToolButton(bar);
    m_privateButton->setObjectName(QStringLiteral("privateButton"));
    m_privateButton->setIcon(privateIcon());
    m_privateButton->setToolTip(QStringLiteral("プライベートデータ"));
    m_privateButton->setStatusTip(QStringLiteral("プライベートデータの表示を切り替えます。"));
    m_privateButton->setMenu(m_privateMenu);
    m_privateButton->setPopupMode(QToolButton::InstantPopup);
    m_privateButton->setProperty("commandId", TavCmd::PrivateDropDown);
    bar->addWidget(m_privateButton);
    bar->addSeparator();
    for (int id : {TavCmd::ViewSchedule, TavCmd::ViewAddress, TavCmd::ViewTodo, TavCmd::ViewFreeMemo,
                   TavCmd::ViewMemoPad, TavCmd::ViewReference})
        bar->addAction(Action(id));
    bar->addSeparator();
    bar->addAction(Action(TavCmd::Users));
    bar->addAction(Action(TavCmd::Options));
    bar->addSeparator();
    bar->addAction(Action(TavCmd::Help));
}

QMenu* CTavFrameActions::Menu(const QString& title) const
{
    for (const QPointer<QMenu>& m : m_menus)
        if (m && m->title().section(u'(', 0, 0) == title)
            return m;
    return nullptr;
}

void CTavFrameActions::BuildMenuBar(CTavModuleFrame* active)
{
    QMenuBar* bar = m_frame.menuBar();
    bar->clear();
    for (const QPointer<QMenu>& m : m_menus)
        delete m.data();
    m_menus.clear();
    auto menu = [this, bar](const QString& title) {
        QMenu* m = bar->addMenu(title);
        connect(m, &QMenu::aboutToShow, this, &CTavFrameActions::UpdateCommandUI);
        m_menus.append(m);
        return m;
    };
    QMenu* file = menu(QStringLiteral("ファイル(&F)"));
    if (active)
        active->FillMenu(CTavModuleFrame::FileMenu, file);
    if (!file->isEmpty())
        file->addSeparator();
    file->addActions({Action(TavCmd::SaveAll), Action(TavCmd::DataMigration)});
    file->addSeparator();
    file->addAction(Action(TavCmd::AppExit));
    if (active) {
        auto* edit = new QMenu(QStringLiteral("編集(&E)"), bar);
        edit->addActions({Action(TavCmd::EditUndo), Action(TavCmd::EditRedo)});
        QAction* separator = edit->addSeparator();
        active->FillMenu(CTavModuleFrame::EditMenu, edit);
        if (edit->actions().constLast() == separator)
            edit->removeAction(separator);
        bar->addMenu(edit);
        connect(edit, &QMenu::aboutToShow, this, &CTavFrameActions::UpdateCommandUI);
        m_menus.append(edit);
    }
    QMenu* view = menu(QStringLiteral("表示(&V)"));
    view->addActions({Action(TavCmd::ViewSchedule), Action(TavCmd::ViewAddress), Action(TavCmd::ViewTodo),
                      Action(TavCmd::ViewFreeMemo), Action(TavCmd::ViewMemoPad),
                      Action(TavCmd::ViewReference)});
    view->addSeparator();
    view->addActions({Action(TavCmd::PrivateShow), Action(TavCmd::PrivateMask), Action(TavCmd::PrivateHide)});
    view->addSeparator();
    view->addActions({Action(TavCmd::ToolBarToggle), Action(TavCmd::StatusBarToggle)});
    QMenu* tools = menu(QStringLiteral("ツール(&T)"));
    tools->addActions({Action(TavCmd::Users), Action(TavCmd::Options)});
    if (active) {
        auto* extra = new QMenu(tools);
        active->FillMenu(CTavModuleFrame::ToolsMenu, extra);
        if (!extra->isEmpty()) {
            tools->addSeparator();
            tools->addActions(extra->actions());
        }
    }
    QMenu* sync = menu(QStringLiteral("HotSync(&H)"));
    sync->addActions(
        {Action(TavCmd::HotSyncOperation), Action(TavCmd::HotSyncLog), Action(TavCmd::HotSyncConnection)});
    sync->addSeparator();
    sync->addAction(Action(TavCmd::InstallTool));
    connect(sync, &QMenu::aboutToShow, this, &CTavFrameActions::UpdateHotSyncAvailability);
    QMenu* help = menu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(Action(TavCmd::Help));
    help->addSeparator();
    help->addActions({Action(TavCmd::HomePage), Action(TavCmd::StylePage)});
    help->addSeparator();
    help->addAction(Action(TavCmd::About));
}

void CTavFrameActions::UpdateHotSyncAvailability()
{
    const bool available = CTavHotSyncCoordinator::IsManagerAvailable();
    for (int id : {TavCmd::HotSyncOperation, TavCmd::HotSyncLog, TavCmd::HotSyncConnection})
        Action(id)->setEnabled(available);
}

void CTavFrameActions::UpdateCommandUI()
{
    const CTavApp& app = m_frame.App();
    const int module = app.currentModule();
    const std::pair<int, int> checks[] = {
        {TavCmd::ViewSchedule, TavModule::Schedule}, {TavCmd::ViewAddress, TavModule::Address},
        {TavCmd::ViewTodo, TavModule::Todo},         {TavCmd::ViewFreeMemo, TavModule::FreeMemo},
        {TavCmd::ViewMemoPad, TavModule::MemoPad},   {TavCmd::ViewReference, TavModule::Reference}};
    for (const auto& [id, number] : checks)
        Action(id)->setChecked(module == number);
    const int privateIds[] = {TavCmd::PrivateShow, TavCmd::PrivateMask, TavCmd::PrivateHide};
    Action(privateIds[std::clamp(app.privateMode(), 0, 2)])->setChecked(true);
    if (m_privateButton)
        m_privateButton->setEnabled(module != TavModule::FreeMemo && module != TavModule::Reference);
    // A user switch would leave the open backup file behind.
    Action(TavCmd::Users)->setEnabled(!app.backupFileOpen());
    Action(TavCmd::DataMigration)->setEnabled(!app.backupFileOpen());
    if (QComboBox* box = m_frame.UserComboBox())
        box->setEnabled(!app.backupFileOpen());
    Action(TavCmd::ToolBarToggle)->setChecked(m_frame.ToolBar() && m_frame.ToolBar()->isVisibleTo(&m_frame));
    Action(TavCmd::StatusBarToggle)->setChecked(m_frame.statusBar()->isVisibleTo(&m_frame));
    UpdateUndoActions();
    if (CTavModuleFrame* active = m_frame.ActiveModuleFrame())
        active->UpdateCommandUI();
}

bool CTavFrameActions::UndoAllowed() const
{
    const CTavApp& app = m_frame.App();
    // A dialog works on the records as they are; a HotSync or a backup file owns them now.
    const QList<QPointer<QWidget>> dialogs = app.openDialogs();
    const bool dialogOpen =
        std::any_of(dialogs.begin(), dialogs.end(), [](const QPointer<QWidget>& d) { return d; });
    return !dialogOpen && !m_frame.HotSync().SyncRunning() && !app.backupFileOpen();
}

void CTavFrameActions::UpdateUndoActions()
{
    const QUndoGroup& group = m_frame.UndoGroup();
    const bool allowed = UndoAllowed();
    const struct
    {
        int id;
        QString verb;
        QString step;
        QChar mnemonic;
        bool can;
    } entries[] = {{TavCmd::EditUndo, TavStr::Undo, group.undoText(), u'U', group.canUndo()},
                   {TavCmd::EditRedo, TavStr::Redo, group.redoText(), u'R', group.canRedo()}};
    for (const auto& e : entries) {
        QAction* a = Action(e.id);
        a->setText(undoText(e.verb, e.step, e.mnemonic));
        a->setToolTip(e.step.isEmpty() ? e.verb : e.verb + QStringLiteral(": ") + e.step);
        a->setEnabled(allowed && e.can);
    }
}
