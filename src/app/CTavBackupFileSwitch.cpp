#include "CTavBackupFileSwitch.h"

#include <QDir>
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
#include "TavStrings.h"

CTavBackupFileSwitch::CTavBackupFileSwitch(CTavModuleFrame& frame, CTavDbStoreBase& store, Setup setup,
                                           std::function<void()> refresh, Place place)
    : m_frame(frame), m_store(store), m_setup(std::move(setup)), m_refresh(std::move(refresh)),
      m_place(std::move(place))
{
    if (!m_place.path) {
        m_place.path = [this] { return m_backupPath; };
        m_place.setPath = [this](const QString& path) { m_backupPath = path; };
    }
    if (!m_place.titled)
        m_place.titled = [this] { return QList<CTavModuleFrame*>{&m_frame}; };
}

QString CTavBackupFileSwitch::Title(const QString& fileName)
{
    return QStringLiteral("%1 (バックアップ ファイル)").arg(fileName);
}

QString CTavBackupFileSwitch::currentPath() const
{
    return m_store.StoreFilePath(m_frame.Document()->App().Users().GetCurrUserPath());
}

void CTavBackupFileSwitch::setOpenFile(const QString& path)
{
    m_place.setPath(path);
    const QString title = path.isEmpty() ? QString() : Title(QFileInfo(path).fileName());
    for (CTavModuleFrame* frame : m_place.titled())
        if (frame)
            frame->SetDocumentTitle(title);
}

void CTavBackupFileSwitch::OnOpenBackupFile()
{
    CTavApp& app = m_frame.Document()->App();
    CTavSyncLock lock(app);
    CTavFileDlg dlg(CTavFileDlg::Open, m_setup.dialogTitle, m_setup.filter, &m_frame);
    dlg.SetInitialFolder(app.Users().GetCurrUserPath() + m_setup.folder);
    dlg.SetInitialFile(m_setup.initialFile);
    if (dlg.exec() != QDialog::Accepted)
        return;
    QString path = dlg.PathName();
    // A bare name means a file of the dialog's kind, as the initial name shows.
    const QString extension = CTavFileDlg::ExtensionOf(m_setup.initialFile);
    if (!QFileInfo::exists(path) && CTavFileDlg::ExtensionOf(path).isEmpty() && !extension.isEmpty())
        path += u'.' + extension;
    // The user's own data file shown as a backup file would lose its edits on leaving.
    if (QFileInfo(path) == QFileInfo(currentPath())) {
        TavShowMessage(
            &m_frame,
            QStringLiteral("%1 は今のデータのファイルです。バックアップ ファイルを選んでください。")
                .arg(QDir::toNativeSeparators(path)),
            QString(), TavMsg::IconExclamation);
        return;
    }
    if (const TavStatus saved = m_store.Write(); saved != TavStatusCode::Ok) {
        TavShowMessage(&m_frame, TavFileProblem::SaveFailed(m_store.GetFilePath(), saved), QString(),
                       TavMsg::IconExclamation);
        return;
    }
    if (const TavStatus loaded = m_store.LoadFromFile(path); loaded != TavStatusCode::Ok) {
        // The store keeps what it held: mode and titles stay as they were.
        TavShowMessage(&m_frame, TavFileProblem::ReadFailed(path, loaded, m_setup.backupKind), QString(),
                       TavMsg::IconExclamation);
        return;
    }
    app.ClearUndoHistory();
    app.setBackupFileOpen(1);
    setOpenFile(path);
    m_refresh();
}

bool CTavBackupFileSwitch::saveBackupFile()
{
    // Edits made in the backup file belong to it: they are written before it is left, and only
    // restore throws them away.
    if (!m_frame.Document()->App().backupFileOpen() || !m_store.HasPendingChanges())
        return true;
    const TavStatus saved = m_store.Write();
    return saved == TavStatusCode::Ok ||
           TavShowMessage(
               &m_frame,
               TavFileProblem::SaveFailed(m_store.GetFilePath(), saved) + TavStr::DiscardBackupEdits,
               QString(), TavMsg::YesNo | TavMsg::IconExclamation | TavMsg::DefButton2) == TavMsg::IdYes;
}

void CTavBackupFileSwitch::OnOpenCurrentFile()
{
    CTavApp& app = m_frame.Document()->App();
    if (!saveBackupFile())
        return;
    if (const TavStatus status = m_store.Load(); status != TavStatusCode::Ok) {
        // The backup file, written just now, comes back whole, and the views show it again
        // before the message lets them paint.
        m_store.LoadFromFile(m_place.path());
        m_refresh();
        TavShowMessage(&m_frame, TavFileProblem::ReadFailed(currentPath(), status, m_setup.currentKind),
                       QString(), TavMsg::IconExclamation);
        return;
    }
    app.ClearUndoHistory();
    app.setBackupFileOpen(0);
    setOpenFile(QString());
    m_refresh();
}

void CTavBackupFileSwitch::LeaveBackupFile()
{
    if (m_store.GetFilePath() != currentPath())
        m_store.Load();
    m_frame.Document()->App().ClearUndoHistory();
    setOpenFile(QString());
    m_refresh();
}

void CTavBackupFileSwitch::OnRestore()
{
    CTavApp& app = m_frame.Document()->App();
    CTavSyncLock lock(app);
    if (TavShowMessage(&m_frame, m_setup.restoreQuestion, QString(),
                       TavMsg::OkCancel | TavMsg::IconExclamation) != TavMsg::IdOk)
        return;
    const QString backupPath = m_place.path();
    const bool backup = app.backupFileOpen() && !backupPath.isEmpty();
    const TavStatus status = backup ? m_store.LoadFromFile(backupPath) : m_store.Load();
    if (status != TavStatusCode::Ok) {
        TavShowMessage(&m_frame,
                       TavFileProblem::ReadFailed(backup ? backupPath : currentPath(), status,
                                                  backup ? m_setup.backupKind : m_setup.currentKind),
                       QString(), TavMsg::IconExclamation);
        return;
    }
    app.ClearUndoHistory();
    m_refresh();
}
