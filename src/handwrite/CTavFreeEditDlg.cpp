#include "CTavFreeEditDlg.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>

#include "CTavApp.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbEnv.h"
#include "CTavDbFreePrcObjectManager.h"
#include "CTavDbPalmCategoryInfo.h"
#include "CTavDbPalmDatabase.h"
#include "CTavDbUser.h"
#include "CTavFreeEditColorDlg.h"
#include "CTavFreeEditContents.h"
#include "CTavFreeEditDetailDlg.h"
#include "CTavFreeEditIcons.h"
#include "CTavFreeEditMedia.h"
#include "CTavFreeEditPenDlg.h"
#include "CTavFreeEditSaver.h"
#include "CTavFreeEditSealDlg.h"
#include "CTavFreePage.h"
#include "CTavFreeTextDlg.h"
#include "CTavOptions.h"
#include "CTavRegOption.h"
#include "CTavSheetLink.h"
#include "CTavSyncLock.h"
#include "TavFileProblem.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbMMContentsObject.h"
#include "sheet/CTavDbSealObject.h"
#include "sheet/CTavDbTextObject.h"

namespace {
constexpr int kToolTop = 4;
constexpr int kToolSide = 32;
constexpr int kRowHeight = 28;
} // namespace

CTavFreeEditDlg::CTavFreeEditDlg(CTavApp& app, const CTavFreeEditRequest& request, QWidget* parent)
    : CTavDialogBase(parent), app_(app), request_(request), lastFont_(CTavDbTextObject::DefaultFont)
{
    setWindowTitle(QStringLiteral("手書きメモ編集"));
    QDir().mkpath(request_.folder);
    QDir().mkpath(contentsFolder());
    resources_ = std::make_shared<CTavDbFreePrcObjectManager>(QStringList{
        CTavDbBackupFolder::Path(app_.Users()), CTavDbEnv::GetCorePath() + QStringLiteral("Seals")});

    const QSize canvas = request_.canvas.expandedTo(request_.page);
    page_ = new CTavFreePage(request_.page, canvas, this);
    page_->SetResources(resources_);
    connect(page_, &CTavFreePage::textBoxPlaced, this, &CTavFreeEditDlg::placeText);
    connect(page_, &CTavFreePage::objectDoubleClicked, this, &CTavFreeEditDlg::openObject);
    connect(page_, &CTavFreePage::deletePressed, this, &CTavFreeEditDlg::deleteSelection);
    connect(page_, &CTavFreePage::toolChanged, this, &CTavFreeEditDlg::showTool);
    layOut();
    loadSheet();
    page_->Tools().SetTool(CTavFreeEditTools::Pen);
    showTool(CTavFreeEditTools::Pen);
    showPen();

    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, page_, &CTavFreePage::UndoStroke);

    // Centred on the screen; a coordinate of 0 would put the frame under the screen's edge.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const int x = area.left() + (area.width() - width()) / 2;
        const int y = area.top() + (area.height() - height()) / 2;
        move(x == 0 ? 1 : x, y == 0 ? 1 : y);
    }
}

CTavFreeEditDlg::~CTavFreeEditDlg() = default;

bool CTavFreeEditDlg::Saved() const
{
    return saved_;
}

QString CTavFreeEditDlg::Path() const
{
    return QDir(request_.folder).filePath(request_.fileName);
}

bool CTavFreeEditDlg::Edit(CTavApp& app, const CTavFreeEditRequest& request, QWidget* parent)
{
    CTavSyncLock lock(app);
    CTavFreeEditDlg dlg(app, request, parent);
    if (!dlg.LoadError().isEmpty()) {
        app.ShowMessage(parent, dlg.LoadError(), QString(), TavMsg::Ok | TavMsg::IconExclamation);
        return false;
    }
    // What loading had to repair, before the user works on it.
    if (const QStringList& problems = dlg.Page()->Sheet()->GetProblems(); !problems.isEmpty())
        app.ShowMessage(parent, QDir::toNativeSeparators(dlg.Path()) + u'\n' + problems.join(u'\n'),
                        QString(), TavMsg::Ok | TavMsg::IconExclamation);
    dlg.exec();
    return dlg.Saved();
}

QString CTavFreeEditDlg::contentsFolder() const
{
    return app_.Users().GetCurrUserPath() + CTavDbEnv::GetMmContentsDir();
}

QString CTavFreeEditDlg::sheetFolder() const
{
    return CTavSheetLink::Folder(app_);
}

QAbstractButton* CTavFreeEditDlg::addButton(int id, const QRect& place, const QString& text,
                                            const QIcon& icon, bool checkable)
{
    QAbstractButton* button = nullptr;
    if (icon.isNull()) {
        auto* push = new QPushButton(text, this);
        push->setAutoDefault(false);
        button = push;
    } else {
        auto* tool = new QToolButton(this);
        tool->setIcon(icon);
        tool->setIconSize(QSize(CTavFreeEditIcons::Side, CTavFreeEditIcons::Side));
        tool->setToolTip(text);
        tool->setCheckable(checkable);
        button = tool;
    }
    button->setGeometry(place);
    button->setObjectName(QStringLiteral("id%1").arg(id));
    buttons_.insert(id, button);
    return button;
}

void CTavFreeEditDlg::layOut()
{
    const QSize pageSize = request_.page;
    const QPoint origin = page_->Geometry().Origin();
    setFixedSize(page_->Geometry().WindowSize());
    page_->move(origin);

    // The tools above the page, the pen's pair first, then the sheet's own commands.
    struct Tool
    {
        int id;
        QString tip;
        QIcon icon;
        bool checkable;
    };
    const Tool tools[] = {
        {IdPen, QStringLiteral("ペン (太さ)"), QIcon(), true},
        {IdPenColor, QStringLiteral("ペンの色"), QIcon(), false},
        {IdEraser, QStringLiteral("消しゴム"), CTavFreeEditIcons::Eraser(), true},
        {IdText, QStringLiteral("テキスト"), CTavFreeEditIcons::Text(), true},
        {IdUndo, QStringLiteral("元に戻す (Ctrl+Z)"), CTavFreeEditIcons::Undo(), false},
        {IdSeal, QStringLiteral("シール"), CTavFreeEditIcons::Seal(), false},
        {IdContents, QStringLiteral("コンテンツ"), CTavFreeEditIcons::Contents(), false},
    };
    int x = origin.x();
    for (const Tool& tool : tools) {
        const QIcon icon = tool.icon.isNull() ? CTavFreeEditIcons::Pen(1, Qt::black) : tool.icon;
        addButton(tool.id, QRect(x, kToolTop, kToolSide, kToolSide - 3), tool.tip, icon, tool.checkable);
        // A gap after the pen pair and after undo groups the buttons.
        x += kToolSide + 2 + ((tool.id == IdPenColor || tool.id == IdUndo) ? 8 : 0);
    }
    connect(Button(IdPen), &QAbstractButton::clicked, this, &CTavFreeEditDlg::choosePenWidth);
    connect(Button(IdPenColor), &QAbstractButton::clicked, this, &CTavFreeEditDlg::choosePenColor);
    connect(Button(IdEraser), &QAbstractButton::clicked, this, [this] {
        page_->Tools().SetTool(CTavFreeEditTools::Eraser);
        showTool(CTavFreeEditTools::Eraser);
    });
    connect(Button(IdText), &QAbstractButton::clicked, this, [this] {
        page_->Tools().SetTool(CTavFreeEditTools::Text);
        showTool(CTavFreeEditTools::Text);
    });
    connect(Button(IdUndo), &QAbstractButton::clicked, page_, &CTavFreePage::UndoStroke);
    connect(Button(IdSeal), &QAbstractButton::clicked, this, &CTavFreeEditDlg::addSeal);
    connect(Button(IdContents), &QAbstractButton::clicked, this, &CTavFreeEditDlg::addContents);

    const int left = origin.x();
    const int right = origin.x() + pageSize.width();
    const int top = origin.y() + pageSize.height() + 10;
    category_ = new QComboBox(this);
    category_->setGeometry(left, top, 150, kRowHeight);
    category_->setToolTip(QStringLiteral("カテゴリ"));
    connect(category_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0 || !page_->Sheet())
            return;
        CTavDbFreeMiscInfoObject* misc = page_->Sheet()->GetMiscInfo();
        if (!misc) {
            page_->Sheet()->SetQuilloTitle(CTavDbFreePdbObjectManager::CreateDefaultTitle());
            misc = page_->Sheet()->GetMiscInfo();
        }
        misc->SetCategoryId(category_->itemData(index).toInt());
    });
    addButton(IdDetails, QRect(right - 80, top, 80, kRowHeight), QStringLiteral("詳細"));
    const int row2 = top + kRowHeight + 8;
    const int third = (pageSize.width() - 8) / 3;
    addButton(IdClear, QRect(left, row2, third, kRowHeight), QStringLiteral("クリア"));
    addButton(IdSave, QRect(left + third + 4, row2, third, kRowHeight), QStringLiteral("上書き保存"));
    addButton(IdSaveAs, QRect(right - third, row2, third, kRowHeight), QStringLiteral("別名で保存"));
    const int row3 = row2 + kRowHeight + 14;
    addButton(IdOk, QRect(right - 2 * 84 - 6, row3, 84, kRowHeight), QStringLiteral("OK"));
    addButton(IdCancel, QRect(right - 84, row3, 84, kRowHeight), QStringLiteral("キャンセル"));
    static_cast<QPushButton*>(Button(IdOk))->setDefault(true);
    connect(Button(IdDetails), &QAbstractButton::clicked, this, &CTavFreeEditDlg::showDetails);
    connect(Button(IdClear), &QAbstractButton::clicked, this, &CTavFreeEditDlg::clearSheet);
    connect(Button(IdSave), &QAbstractButton::clicked, this, [this] { save(true); });
    connect(Button(IdSaveAs), &QAbstractButton::clicked, this, &CTavFreeEditDlg::saveAs);
    connect(Button(IdOk), &QAbstractButton::clicked, this, &CTavFreeEditDlg::accept);
    connect(Button(IdCancel), &QAbstractButton::clicked, this, &CTavFreeEditDlg::reject);

    const int side = width() - right - 4;
    addButton(IdScrollUp, QRect(right + 2, origin.y(), side, 40), QStringLiteral("上へ"),
              CTavFreeEditIcons::ScrollUp());
    addButton(IdScrollDown, QRect(right + 2, origin.y() + pageSize.height() - 40, side, 40),
              QStringLiteral("下へ"), CTavFreeEditIcons::ScrollDown());
    connect(Button(IdScrollUp), &QAbstractButton::clicked, this,
            [this] { page_->ScrollBy(-CTavDbFreePageGeometry::ScrollStep); });
    connect(Button(IdScrollDown), &QAbstractButton::clicked, this,
            [this] { page_->ScrollBy(CTavDbFreePageGeometry::ScrollStep); });

    Button(IdScrollUp)->setVisible(request_.large);
    Button(IdScrollDown)->setVisible(request_.large);
    category_->setVisible(!request_.large);
    Button(IdSaveAs)->setEnabled(!request_.large);
    Button(IdText)->setEnabled(!request_.large);
}

void CTavFreeEditDlg::loadSheet()
{
    if (request_.newSheet || !QFileInfo::exists(Path())) {
        page_->New(Path(), request_.type);
    } else if (const TavStatus status = page_->Open(Path()); status != TavStatusCode::Ok) {
        // An unreadable file is never written over by an empty sheet.
        loadError_ = TavFileProblem::ReadFailed(Path(), status, QStringLiteral("手書きメモ"));
        page_->New(Path(), request_.type);
    }
    fillCategories();
}

void CTavFreeEditDlg::fillCategories()
{
    const QSignalBlocker blocker(category_);
    category_->clear();
    QStringList names = CTavDbFreePdbObjectManager::DefaultCategoryNames();
    QList<int> ids = {0, 1, 2};
    CTavDbPalmDatabase database;
    CTavDbPalmCategoryInfo info;
    if (database.LoadFromFile(QDir(sheetFolder()).filePath(CTavDbFreePdbObjectManager::CategoryFileName())) ==
            TavStatusCode::Ok &&
        CTavDbPalmCategoryInfo::Parse(database.GetAppInfo(), &info)) {
        names.clear();
        ids.clear();
        for (int i = 0; i < CTavDbPalmCategoryInfo::Count; ++i) {
            if (info.names[i].isEmpty())
                continue;
            names << info.names[i];
            ids << info.ids[i];
        }
    }
    for (int i = 0; i < names.size(); ++i)
        category_->addItem(names[i], ids[i]);
    const int current = page_->Sheet() ? page_->Sheet()->GetCategoryId() : 0;
    category_->setCurrentIndex(category_->findData(current));
}

void CTavFreeEditDlg::showTool(int tool)
{
    for (int id : {IdPen, IdEraser, IdText}) {
        const int own = id == IdPen ? CTavFreeEditTools::Pen
                                    : (id == IdEraser ? CTavFreeEditTools::Eraser : CTavFreeEditTools::Text);
        Button(id)->setChecked(own == tool);
    }
}

void CTavFreeEditDlg::showPen()
{
    const CTavFreeEditTools& tools = page_->Tools();
    static_cast<QToolButton*>(Button(IdPen))
        ->setIcon(CTavFreeEditIcons::Pen(tools.PenWidth(), tools.PenColor()));
    static_cast<QToolButton*>(Button(IdPenColor))->setIcon(CTavFreeEditIcons::PenColor(tools.PenColor()));
}

void CTavFreeEditDlg::choosePenWidth()
{
    CTavFreeEditPenDlg dialog(page_->Tools().PenWidth(), this);
    if (dialog.exec() == QDialog::Accepted) {
        page_->Tools().SetPenWidth(dialog.Width());
        page_->Tools().SetTool(CTavFreeEditTools::Pen);
    }
    showTool(page_->Tools().Tool());
    showPen();
}

void CTavFreeEditDlg::choosePenColor()
{
    CTavFreeEditColorDlg dialog(page_->Tools().PenColor(), this);
    if (dialog.exec() == QDialog::Accepted) {
        page_->Tools().SetPenColor(dialog.Color());
        page_->Tools().SetTool(CTavFreeEditTools::Pen);
    }
    showTool(page_->Tools().Tool());
    showPen();
}

void CTavFreeEditDlg::addSeal()
{
    CTavFreeEditSealDlg dialog(*resources_, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Chosen() || !page_->Sheet())
        return;
    const auto chosen = *dialog.Chosen();
    auto* seal = page_->Sheet()->AddNew<CTavDbSealObject>();
    // The record names the database without its extension, as the handheld does.
    seal->SetSeal(QFileInfo(chosen.database).completeBaseName(), chosen.id, resources_.get());
    seal->MoveTo(QPoint(0, page_->Scroll()));
    page_->Tools().ClearSelection();
    page_->update();
}

void CTavFreeEditDlg::addContents()
{
    if (!page_->Sheet())
        return;
    if (CTavDbMMContentsObject* added =
            CTavFreeEditContents::Choose(app_, *page_->Sheet(), contentsFolder(), this)) {
        added->Offset(0, page_->Scroll());
        // One paste, one undo step: undo takes the object off again.
        page_->Undo().Add(added);
        page_->Tools().ClearSelection();
        page_->update();
    }
}

void CTavFreeEditDlg::clearSheet()
{
    page_->New(Path(), request_.type);
    fillCategories();
}

bool CTavFreeEditDlg::save(bool tell)
{
    page_->Tools().ClearSelection();
    page_->update();
    const CTavFreeEditSaver::Result result = CTavFreeEditSaver::Save(*page_, Path());
    switch (result) {
    case CTavFreeEditSaver::PathTooLong:
        app_.ShowMessage(this, QStringLiteral("ファイル名が長すぎます。"), QStringLiteral("エラー"),
                         TavMsg::Ok | TavMsg::IconStop);
        return false;
    case CTavFreeEditSaver::Failed:
    case CTavFreeEditSaver::TooMany:
        // The drawing stays open to be saved elsewhere or again: closing would lose it.
        app_.ShowMessage(
            this,
            QStringLiteral("%1 に保存できませんでした。\n%2手書きメモは閉じずにそのままにします。")
                .arg(QDir::toNativeSeparators(Path()),
                     result == CTavFreeEditSaver::TooMany
                         ? QStringLiteral("描いたものが多すぎます。いくつか消してください。")
                         : QString()),
            QStringLiteral("エラー"), TavMsg::Ok | TavMsg::IconStop);
        return false;
    case CTavFreeEditSaver::NoSheet:
        return true;
    case CTavFreeEditSaver::Saved:
        saved_ = true;
        if (tell)
            app_.ShowMessage(this, QStringLiteral("ファイルを保存しました。"), QStringLiteral("メッセージ"),
                             TavMsg::Ok | TavMsg::IconInformation);
        return true;
    }
    return true;
}

void CTavFreeEditDlg::saveAs()
{
    if (!page_->Sheet())
        return;
    const QString before = request_.fileName;
    const QString title = page_->Sheet()->GetTitle();
    request_.fileName = CTavDbFreePdbObjectManager::CreateFileName(request_.folder);
    page_->Sheet()->SetQuilloTitle(CTavDbFreePdbObjectManager::CreateDefaultTitle());
    const bool wasSaved = saved_;
    saved_ = false;
    save(true);
    if (!saved_) {
        // Nothing was written: the sheet stays the one it was, title included.
        request_.fileName = before;
        page_->Sheet()->SetQuilloTitle(title);
    }
    saved_ = saved_ || wasSaved;
}

void CTavFreeEditDlg::showDetails()
{
    if (!page_->Sheet())
        return;
    CTavFreeEditDetailDlg dialog(*page_->Sheet(), request_.large, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.Apply();
    page_->update();
}

void CTavFreeEditDlg::placeText(CTavDbTextObject* box)
{
    showTool(page_->Tools().Tool());
    CTavFreeTextDlg dialog(QString(), lastTextColor_, lastFont_, this);
    if (dialog.exec() != QDialog::Accepted || dialog.Text().isEmpty()) {
        // An empty box would be an invisible object on the page.
        page_->Tools().Remove(box);
        page_->update();
        return;
    }
    lastFont_ = dialog.FontCode();
    lastTextColor_ = dialog.Color();
    box->SetString(dialog.Text(), dialog.Color(), dialog.FontCode());
    page_->update();
}

void CTavFreeEditDlg::editText(CTavDbTextObject* box)
{
    CTavFreeTextDlg dialog(box->GetString(), box->GetColor(), box->GetFontCode(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lastFont_ = dialog.FontCode();
    lastTextColor_ = dialog.Color();
    box->SetString(dialog.Text(), dialog.Color(), dialog.FontCode());
    page_->update();
}

void CTavFreeEditDlg::openObject(CTavDbFreeRecord* object)
{
    if (object->GetKind() == CTavDbFreeRecord::KindText) {
        editText(static_cast<CTavDbTextObject*>(object));
    } else if (object->GetKind() == CTavDbFreeRecord::KindContents) {
        if (CTavFreeEditMedia::Open(this, *static_cast<CTavDbMMContentsObject*>(object), contentsFolder(),
                                    sheetFolder(), resources_)) {
            page_->Tools().Remove(object);
            page_->update();
        }
    }
}

void CTavFreeEditDlg::deleteSelection()
{
    CTavDbFreeRecord* selection = page_->Tools().Selection();
    if (!selection)
        return;
    if (CTavOptions::instance().CheckDelete() &&
        app_.ShowMessage(this, QStringLiteral("選択されたデータを削除します。よろしいですか?"),
                         QStringLiteral("確認"), TavMsg::YesNo | TavMsg::IconQuestion) != TavMsg::IdYes)
        return;
    page_->Tools().Remove(selection);
    page_->update();
}

void CTavFreeEditDlg::accept()
{
    if (!save(false))
        return;
    CTavDialogBase::accept();
}

void CTavFreeEditDlg::reject()
{
    page_->Discard();
    CTavDialogBase::reject();
}

void CTavFreeEditDlg::paintEvent(QPaintEvent* event)
{
    CTavDialogBase::paintEvent(event);
    // The page lies on the dialog like a sheet of paper: a dark edge and a soft shadow.
    QPainter painter(this);
    const QRect page = page_->geometry();
    painter.fillRect(page.translated(3, 3), QColor(0, 0, 0, 40));
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(page.adjusted(-1, -1, 0, 0));
}
