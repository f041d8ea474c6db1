#include "CTavUserSwitcher.h"

#include <QComboBox>

#include "CTavApp.h"
#include "CTavDbUser.h"
#include "CTavMainFrame.h"
#include "CTavUserDlg.h"
#include "TavStrings.h"

CTavUserSwitcher::CTavUserSwitcher(CTavMainFrame& frame) : QObject(&frame), m_frame(frame) {}

void CTavUserSwitcher::RunUserDialog(uint32_t previousId)
{
    CTavApp& app = m_frame.App();
    CTavDbUser& users = app.Users();
    for (;;) {
        CTavUserDlg dlg(CTavUserDlg::Management, previousId, &m_frame);
        const bool ok = dlg.exec() == QDialog::Accepted;
        const QString previous = users.GetUserNameById(previousId);
        // Cancel keeps the previous user, unless the dialog deleted it.
        const QString chosen = ok || previous.isEmpty() ? dlg.ChosenName() : previous;
        if (chosen.isEmpty() || users.GetUserID(chosen) == previousId) {
            users.SetCurrUserName(previous);
            return;
        }
        if (app.AskPassword(chosen, true, &m_frame)) {
            users.SetCurrUserName(chosen);
            return;
        }
        if (!previous.isEmpty()) {
            users.SetCurrUserName(previous);
            return;
        }
    }
}

void CTavUserSwitcher::FinishSwitch(uint32_t previousId)
{
    CTavApp& app = m_frame.App();
    CTavDbUser& users = app.Users();
    const QString chosen = users.GetCurrUserName();
    const QString previous = users.GetUserNameById(previousId);
    if (users.GetUserID(chosen) != previousId && !previous.isEmpty()) {
        // The old user's data are saved while that user is still current, so that the
        // memo-sheet pass of the save works on that user's folders. A save that fails keeps
        // the old user: loading the new user's files would drop the edits it could not write.
        users.SetCurrUserName(previous);
        if (!app.SaveAll()) {
            m_frame.FillUserBox();
            return;
        }
        users.SetCurrUserName(chosen);
    }
    m_frame.FillUserBox();
    if (users.GetUserID(chosen) == previousId)
        return;
    app.LoadAll();
    app.ReloadUserPrefs();
    app.SetProfilePath();
    m_frame.RefreshAll();
}

bool CTavUserSwitcher::CloseBackupFirst()
{
    CTavApp& app = m_frame.App();
    if (!app.backupFileOpen())
        return true;
    if (app.ShowMessage(&m_frame, TavStr::BackupSwitchQuestion, TavStr::BackupSwitchCaption,
                        TavMsg::OkCancel) != TavMsg::IdOk)
        return false;
    if (!app.CloseBackupOfCurrentModule())
        return false;
    app.setBackupFileOpen(0);
    return true;
}

void CTavUserSwitcher::OnUserManagement()
{
    CTavApp& app = m_frame.App();
    app.setReadyForSync(0);
    // The command is off while a backup file is open; should it still come, the backup file
    // must not outlive its user, or HotSync would stay refused.
    if (!CloseBackupFirst()) {
        app.setReadyForSync(1);
        return;
    }
    const uint32_t previousId = app.Users().GetUserID(app.Users().GetCurrUserName());
    RunUserDialog(previousId);
    FinishSwitch(previousId);
    app.setReadyForSync(1);
}

void CTavUserSwitcher::OnUserBoxConfirmed(int index)
{
    CTavApp& app = m_frame.App();
    CTavDbUser& users = app.Users();
    const QString text = m_frame.UserComboBox()->itemText(index);
    const QString current = users.GetCurrUserName();
    if (text.isEmpty() || text == current)
        return;
    app.setReadyForSync(0);
    const auto giveUp = [&] {
        m_frame.FillUserBox();
        app.setReadyForSync(1);
    };
    if (!CloseBackupFirst())
        return giveUp();
    const uint32_t previousId = users.GetUserID(current);
    if (text == TavStr::EditUsers) {
        RunUserDialog(previousId);
    } else {
        if (!app.AskPassword(text, true, &m_frame))
            return giveUp();
        users.SetCurrUserName(text);
    }
    FinishSwitch(previousId);
    app.setReadyForSync(1);
}
