#include "CTavBackupFileSwitch.h"

#include <QFileInfo>

#include "CTavApp.h"
#include "CTavDbStoreBase.h"
#include "CTavDbUser.h"
#include "CTavFileDlg.h"
#include "CTavModuleDoc.h"
#include "CTavModuleFrame.h"
#include "CTavSyncLock.h"
#include "TavFileProblem.h"
#include "TavShowMessage.h"

CTavBackupFileSwitch::CTavBackupFileSwitch(CTavModuleFrame& frame, CTavDbStoreBase& store, Setup setup,
                                           std::function<void()> refresh)
    : m_frame(frame), m_store(store), m_setup(std::move(setup)), m_refresh(std::move(refresh))
{
}

QString CTavBackupFileSwitch::currentPath() const
{
    return m_store.StoreFilePath(m_frame.Document()->App().Users().GetCurrUserPath());
}

void CTavBackupFileSwitch::OnOpenBackupFile()
{
    CTavApp& app = m_frame.Document()->App();
    CTavSyncLock lock(app);
    CTavFileDlg dlg(CTavFileDlg::Open, m_setup.dialogTitle, m_setup.filter, &m_frame);
    dlg.SetInitialFolder(app.Users().GetCurrUserPath() + m_setup.folder);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString path = dlg.PathName();
    if (const TavStatus saved = m_store.Write(); saved != TavStatusCode::Ok) {
        TavShowMessage(&m_frame, TavFileProblem::SaveFailed(m_store.GetFilePath(), saved), QString(),
                       TavMsg::IconExclamation);
        return;
    }
    if (const TavStatus loaded = m_store.LoadFromFile(path); loaded != TavStatusCode::Ok) {
        TavShowMessage(&m_frame, TavFileProblem::ReadFailed(path, loaded, m_setup.backupKind), QString(),
                       TavMsg::IconExclamation);
        return;
    }
    app.ClearUndoHistory();
    app.setBackupFileOpen(1);
    m_backupPath = path;
    m_frame.SetDocumentTitle(QStringLiteral("%1 (バックアップ ファイル)").arg(QFileInfo(path).fileName()));
    m_refresh();
}

void CTavBackupFileSwitch::OnOpenCurrentFile()
{
    CTavApp& app = m_frame.Document()->App();
    if (const TavStatus status = m_store.Load(); status != TavStatusCode::Ok) {
        TavShowMessage(&m_frame, TavFileProblem::ReadFailed(currentPath(), status, m_setup.currentKind),
                       QString(), TavMsg::IconExclamation);
        return;
    }
    app.ClearUndoHistory();
    app.setBackupFileOpen(0);
    m_backupPath.clear();
    m_frame.SetDocumentTitle(QString());
    m_refresh();
}

void CTavBackupFileSwitch::LeaveBackupFile()
{
    if (m_store.GetFilePath() != currentPath())
        m_store.Load();
    m_frame.Document()->App().ClearUndoHistory();
    m_backupPath.clear();
    m_frame.SetDocumentTitle(QString());
    m_refresh();
}

void CTavBackupFileSwitch::OnRestore()
{
    CTavApp& app = m_frame.Document()->App();
    CTavSyncLock lock(app);
    if (TavShowMessage(&m_frame, m_setup.restoreQuestion, QString(),
                       TavMsg::OkCancel | TavMsg::IconExclamation) != TavMsg::IdOk)
        return;
    const bool backup = app.backupFileOpen() && !m_backupPath.isEmpty();
    const TavStatus status = backup ? m_store.LoadFromFile(m_backupPath) : m_store.Load();
    if (status != TavStatusCode::Ok) {
        TavShowMessage(&m_frame,
                       TavFileProblem::ReadFailed(backup ? m_backupPath : currentPath(), status,
                                                  backup ? m_setup.backupKind : m_setup.currentKind),
                       QString(), TavMsg::IconExclamation);
        return;
    }
    app.ClearUndoHistory();
    m_refresh();
}
