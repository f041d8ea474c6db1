#include "CTavFreeBackupFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "CTavApp.h"
#include "CTavDbUser.h"
#include "CTavFreeCommands.h"
#include "CTavFreeDoc.h"
#include "CTavFreeFrame.h"
#include "CTavFreeSheetManager.h"
#include "CTavSyncLock.h"

CTavFreeBackupFolder::CTavFreeBackupFolder(CTavFreeFrame& frame) : QObject(&frame), m_frame(frame) {}

QString CTavFreeBackupFolder::RestoreQuestion()
{
    return QStringLiteral("保存されていないデータは破棄されます。よろしいですか？");
}

QString CTavFreeBackupFolder::NoSheetsMessage(const QString& folder)
{
    return QStringLiteral("%1\nこのフォルダには手書きメモがありません。")
        .arg(QDir::toNativeSeparators(folder));
}

void CTavFreeBackupFolder::OnOpenBackupFolder()
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    CTavApp& app = doc->App();
    if (app.backupFileOpen())
        return;
    CTavSyncLock lock(app);
    const QString folder = m_frame.Commands().ChooseFolder(QStringLiteral("バックアップフォルダの選択"),
                                                           app.Users().GetCurrUserPath());
    if (folder.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = doc->OpenBackupFolder(folder);
    QGuiApplication::restoreOverrideCursor();
    if (!opened) {
        app.ShowMessage(&m_frame, NoSheetsMessage(folder), QStringLiteral("手書きメモ"),
                        TavMsg::IconExclamation);
        return;
    }
    app.setBackupFileOpen(1);
    m_frame.SetDocumentTitle(QStringLiteral("%1 (バックアップ ファイル)").arg(QFileInfo(folder).fileName()));
}

void CTavFreeBackupFolder::showUserSheets()
{
    m_frame.FreeDoc()->CloseBackupFolder();
    m_frame.SetDocumentTitle(QString());
}

void CTavFreeBackupFolder::OnOpenCurrentFolder()
{
    CTavApp& app = m_frame.FreeDoc()->App();
    if (m_frame.FreeDoc()->BackupFolder().isEmpty())
        return;
    showUserSheets();
    app.setBackupFileOpen(0);
}

void CTavFreeBackupFolder::Leave()
{
    showUserSheets();
}

void CTavFreeBackupFolder::OnRestore()
{
    CTavFreeDoc* doc = m_frame.FreeDoc();
    CTavApp& app = doc->App();
    CTavSyncLock lock(app);
    QString question = RestoreQuestion();
    // Restoring copies the backup's sheets over the user's own of the same name: say which.
    if (const QStringList replaced = doc->SheetsReplacedByRestore(); !replaced.isEmpty())
        question +=
            QStringLiteral("\n\n次の手書きメモは、バックアップの内容で置き換えられます:\n") +
            replaced.mid(0, 10).join(u'\n') +
            (replaced.size() > 10 ? QStringLiteral("\nほか %1 個").arg(replaced.size() - 10) : QString());
    if (app.ShowMessage(&m_frame, question, QString(), TavMsg::YesNo | TavMsg::IconExclamation) !=
        TavMsg::IdYes)
        return;
    if (doc->BackupFolder().isEmpty()) {
        app.SheetManager().Load(app.Users().GetCurrUserPath());
        app.ClearUndoHistory();
        m_frame.CategoriesChanged();
        return;
    }
    QStringList failed;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    doc->RestoreBackupFolder(&failed);
    QGuiApplication::restoreOverrideCursor();
    if (!failed.isEmpty()) {
        // The backup stays open, so that the user can look at what did not come back.
        app.ShowMessage(&m_frame,
                        QStringLiteral("復元できなかった手書きメモがあります。\n\n") + failed.join(u'\n'),
                        QStringLiteral("手書きメモ"), TavMsg::IconExclamation);
        return;
    }
    app.setBackupFileOpen(0);
    m_frame.SetDocumentTitle(QString());
    m_frame.CategoriesChanged();
}
