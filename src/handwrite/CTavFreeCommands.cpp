#include "CTavFreeCommands.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

#include "CTavApp.h"
#include "CTavCategoryDlg.h"
#include "CTavColumnDlg.h"
#include "CTavFileDlg.h"
#include "CTavFreeCategorySource.h"
#include "CTavFreeDoc.h"
#include "CTavFreeEditDlg.h"
#include "CTavFreeFrame.h"
#include "CTavFreeLeftView.h"
#include "CTavFreeSheetManager.h"
#include "CTavOptions.h"
#include "CTavSyncLock.h"
#include "TavFreeCommandIds.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

namespace {
const QString kSheet = QStringLiteral("手書きメモ");
}

CTavFreeCommands::CTavFreeCommands(CTavFreeFrame& frame) : QObject(&frame), m_frame(frame) {}

QString CTavFreeCommands::NothingSelectedMessage()
{
    return QStringLiteral("%1が選択されていません。").arg(kSheet);
}

QString CTavFreeCommands::SeveralSelectedMessage()
{
    return QStringLiteral("複数の%1が選択されています。一つの%1を選択して下さい。").arg(kSheet);
}

// The sheets a category change or removal left as they were, one file a line.
QString unchangedMessage(const QStringList& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names << QDir::toNativeSeparators(path);
    return QStringLiteral("次の%1は壊れているか書き込めないため、変更できませんでした。\n\n%2")
        .arg(kSheet, names.join(u'\n'));
}

QString CTavFreeCommands::DeleteQuestion()
{
    return QStringLiteral("選択された手書きメモを削除します。よろしいですか？");
}

void CTavFreeCommands::OnNew()
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    QDir().mkpath(doc->CurrentFolder());
    CTavFreeEditRequest request;
    request.folder = doc->CurrentFolder();
    request.fileName = CTavDbFreePdbObjectManager::CreateFileName(request.folder);
    request.newSheet = true;
    request.type = CTavDbFreePdbObjectManager::TypeSheet;
    const QString path = QDir(request.folder).filePath(request.fileName);
    // A sheet written and then left with Cancel is there all the same.
    if (CTavFreeEditDlg::Edit(app, request, &m_frame) || QFileInfo::exists(path))
        m_frame.ReloadAndSelect({path});
}

void CTavFreeCommands::OnEdit()
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    const QStringList paths = m_frame.LeftView()->SelectedPaths();
    if (paths.size() > 1) {
        app.ShowMessage(&m_frame, SeveralSelectedMessage(), QStringLiteral("複数選択"),
                        TavMsg::IconExclamation);
        return;
    }
    if (paths.isEmpty()) {
        app.ShowMessage(&m_frame, NothingSelectedMessage(), QStringLiteral("選択"), TavMsg::IconExclamation);
        return;
    }
    const QFileInfo file(paths.first());
    CTavFreeEditRequest request;
    request.folder = file.absolutePath();
    request.fileName = file.fileName();
    const auto stamp = [&file] {
        const QFileInfo now(file.absoluteFilePath());
        return std::make_pair(now.size(), now.lastModified());
    };
    const auto before = stamp();
    if (CTavFreeEditDlg::Edit(app, request, &m_frame) || stamp() != before)
        m_frame.ReloadAndSelect({paths.first()});
}

void CTavFreeCommands::OnDelete()
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    const QStringList paths = m_frame.LeftView()->SelectedPaths();
    if (paths.isEmpty()) {
        app.ShowMessage(&m_frame, NothingSelectedMessage(), QStringLiteral("選択"), TavMsg::IconExclamation);
        return;
    }
    if (CTavOptions::instance().CheckDelete() != 0 &&
        app.ShowMessage(&m_frame, DeleteQuestion(), QStringLiteral("手書きメモの削除"),
                        TavMsg::YesNo | TavMsg::IconQuestion) != TavMsg::IdYes)
        return;
    const QList<int> rows = m_frame.LeftView()->Selection().SelectedRows();
    const int first = rows.isEmpty() ? 0 : *std::min_element(rows.begin(), rows.end());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList failed = doc->DeleteFiles(paths);
    QApplication::restoreOverrideCursor();
    QStringList shown;
    for (const QString& path : failed)
        shown << QDir::toNativeSeparators(path);
    if (!failed.isEmpty())
        app.ShowMessage(&m_frame,
                        QStringLiteral("次の%1を削除できませんでした:\n%2").arg(kSheet, shown.join(u'\n')),
                        QStringLiteral("手書きメモの削除"), TavMsg::IconExclamation);
    if (doc->Count() > 0)
        m_frame.LeftView()->SelectRow(std::min(first, doc->Count() - 1));
}

void CTavFreeCommands::OnSelectAll()
{
    m_frame.LeftView()->SelectAllRows();
}

void CTavFreeCommands::OnSort(int key)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_frame.FreeDoc()->Sort(key);
    QApplication::restoreOverrideCursor();
}

void CTavFreeCommands::OnCategories()
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    CTavSyncLock lock(doc->App());
    QStringList unchanged;
    CTavFreeCategorySource source(doc->App().SheetManager(), [doc, &unchanged](uint32_t id,
                                                                               bool deleteSheets) {
        unchanged << (deleteSheets ? doc->DeleteCategoryData(int(id)) : doc->MoveCategoryToUnfiled(int(id)));
    });
    CTavCategoryDlg dlg(source, &m_frame);
    dlg.exec();
    m_frame.CategoriesChanged();
    if (!unchanged.isEmpty())
        doc->App().ShowMessage(&m_frame, unchangedMessage(unchanged), QString(), TavMsg::IconExclamation);
}

void CTavFreeCommands::OnColumns()
{
    CTavSyncLock lock(m_frame.FreeDoc()->App());
    CTavColumnDlg dlg(m_frame.LeftView()->UserColumns(), &m_frame);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_frame.LeftView()->SetUserColumns(dlg.Result());
    m_frame.LeftView()->SaveColumns();
}

QString CTavFreeCommands::ChooseFolder(const QString& title, const QString& initialFolder)
{
    CTavFileDlg dlg(CTavFileDlg::Open, title, QString(), &m_frame);
    dlg.FileDialog()->setFileMode(QFileDialog::Directory);
    dlg.FileDialog()->setOption(QFileDialog::ShowDirsOnly, true);
    dlg.SetInitialFolder(initialFolder.isEmpty() ? QDir::homePath() : initialFolder);
    if (dlg.exec() != QDialog::Accepted)
        return QString();
    const QFileInfo chosen(dlg.PathName());
    return chosen.isDir() ? chosen.absoluteFilePath() : QString();
}

void CTavFreeCommands::OnImport()
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    CTavSyncLock lock(doc->App());
    const QString folder = ChooseFolder(QStringLiteral("インポートするフォルダの選択"));
    if (folder.isEmpty())
        return;
    const QStringList kept = m_frame.LeftView()->SelectedPaths();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int copied = doc->ImportFrom(folder);
    QApplication::restoreOverrideCursor();
    m_frame.LeftView()->SelectPaths(kept);
    if (copied == 0)
        doc->App().ShowMessage(&m_frame,
                               QStringLiteral("%1\nインポートできる手書きメモがありません。")
                                   .arg(QDir::toNativeSeparators(folder)),
                               kSheet, TavMsg::IconExclamation);
}

void CTavFreeCommands::OnExport()
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    CTavSyncLock lock(doc->App());
    QStringList paths = m_frame.LeftView()->SelectedPaths();
    if (paths.isEmpty())
        for (const CTavFreeSheetEntry& entry : doc->Entries())
            paths << entry.path;
    if (paths.isEmpty()) {
        doc->App().ShowMessage(&m_frame, NothingSelectedMessage(), QStringLiteral("選択"),
                               TavMsg::IconExclamation);
        return;
    }
    const QString folder = ChooseFolder(QStringLiteral("エクスポート先フォルダの選択"));
    if (folder.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int copied = doc->ExportTo(folder, paths);
    QApplication::restoreOverrideCursor();
    if (copied < paths.size())
        doc->App().ShowMessage(&m_frame,
                               QStringLiteral("%1\n%2 個の手書きメモのうち %3 個を書き出せませんでした。")
                                   .arg(QDir::toNativeSeparators(folder))
                                   .arg(paths.size())
                                   .arg(paths.size() - copied),
                               kSheet, TavMsg::IconExclamation);
}

void CTavFreeCommands::OnMoveToCategory(int position)
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    const QList<CTavDbCategory> categories = doc->App().SheetManager().Categories();
    if (position < 0 || position >= categories.size())
        return;
    const QStringList paths = m_frame.LeftView()->SelectedPaths();
    if (paths.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList unchanged = doc->MoveToCategory(paths, int(categories.at(position).GetID()));
    QApplication::restoreOverrideCursor();
    if (!unchanged.isEmpty())
        doc->App().ShowMessage(&m_frame, unchangedMessage(unchanged), QString(), TavMsg::IconExclamation);
}

void CTavFreeCommands::FillCategoryMenu(QMenu* menu)
{
    menu->clear();
    const QList<CTavDbCategory> categories = m_frame.FreeDoc()->App().SheetManager().Categories();
    for (int i = 0; i < categories.size(); ++i) {
        QAction* action =
            menu->addAction(categories.at(i).GetName(), this, [this, i] { OnMoveToCategory(i); });
        action->setData(TavFreeCmd::MoveToCategoryFirst + i);
    }
}

void CTavFreeCommands::ShowContextMenu(const QPoint& globalPos, int)
{
    if (!m_menu) {
        m_menu = new QMenu(&m_frame);
        m_menu->setObjectName(QStringLiteral("sheetContextMenu"));
        m_menu->addAction(QStringLiteral("新規"), this, &CTavFreeCommands::OnNew);
        m_menu->addAction(QStringLiteral("編集"), this, &CTavFreeCommands::OnEdit);
        m_menu->addAction(QStringLiteral("削除"), this, &CTavFreeCommands::OnDelete);
        m_menu->addSeparator();
        QMenu* move = m_menu->addMenu(QStringLiteral("カテゴリの移動"));
        move->setObjectName(QStringLiteral("moveToCategoryMenu"));
    }
    const bool selected = m_frame.LeftView()->Selection().SelectedCount() > 0;
    m_menu->actions().at(1)->setEnabled(selected);
    m_menu->actions().at(2)->setEnabled(selected);
    QMenu* move = m_menu->findChild<QMenu*>(QStringLiteral("moveToCategoryMenu"));
    FillCategoryMenu(move);
    // A backup folder's sheets carry that folder's category ids, not the user's.
    move->setEnabled(selected && m_frame.FreeDoc()->BackupFolder().isEmpty());
    m_menu->popup(globalPos);
}
