#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "CTavDocTemplate.h"
#include "CTavMainFrame.h"
#include "TavCommandIds.h"

class CTavDbAddr;
class CTavDbDate;
class QTranslator;
class CTavDbEnv;
class CTavDbMemo;
class CTavDbStoreBase;
class CTavDbTodo;
class CTavDbUser;
class CTavDesktopConflict;
class CTavFreeSheetManager;
class CTavModuleDoc;
class CTavModuleFrame;
class CTavRegOption;
class CTavSingleInstance;
class QWidget;

// The one owner of the program's state: the stores of the current user, the module windows,
// the shell state (current module, private mode, HotSync readiness, open dialogs), start-up and
// the saving and loading of all data.
class CTavApp final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTavApp)
public:
    explicit CTavApp(QObject* parent = nullptr);
    ~CTavApp() override;

    // The running application, or null before one is made.
    static CTavApp* instance();

    // Module windows to create at start-up, in this order.
    void AddDocTemplate(CTavDocTemplate docTemplate);

    // The start-up sequence; false ends the process without a main window. The arguments are
    // the command line without the program name.
    bool InitInstance(const QStringList& arguments);
    int ExitInstance();

    // Qt's own texts (file dialogs, standard buttons) in the language of the settings value;
    // "jpJP", the default, is Japanese.
    void LoadLanguage(const QString& language);
    // Qt's Japanese texts, installed in the application; null when they are not on this machine.
    static std::unique_ptr<QTranslator> InstallJapaneseQtTexts();
    // Loads the current user's stores, except ones with changes a save could not write; files
    // that do not read are told in a message (or handed back in *failures, as for SaveAll).
    bool LoadAll(QString* failures = nullptr);
    // The data under every document were replaced (loaded, restored, a backup file opened or
    // left): their undo steps no longer fit.
    void ClearUndoHistory();
    // Writes every store; failures are told in a message (or handed back in *failures, for a
    // caller that may not open one now), and merged stores refresh the views.
    bool SaveAll(QString* failures = nullptr);
    void ReloadUserPrefs();
    void SetProfilePath();

    // The program's message box; type and answer are TavMsg values. The caption defaults to
    // the product name.
    int ShowMessage(QWidget* owner, const QString& text, const QString& caption = QString(),
                    unsigned type = TavMsg::Ok);
    // The window a message box or the HotSync lock uses as owner now.
    QWidget* MessageOwner() const;
    void FocusModuleView(int module);
    // Activates a module window (TavModule numbers 1..10).
    void SwitchModule(int module);
    // While a backup file is open: writes the current module's edits to it and reloads the
    // user's data; false (told to the user) when either fails and the backup file stays open.
    bool CloseBackupOfCurrentModule();

    // The password dialog for a user. With repeat, a refusal shows a message and asks again;
    // without, a refusal ends silently. True when accepted (or the user has no password).
    bool AskPassword(const QString& userName, bool repeat, QWidget* parent = nullptr);

    // Stores and settings of the current user.
    CTavDbEnv& Env() { return *m_env; }
    CTavDbUser& Users() { return *m_users; }
    CTavDbAddr& AddrStore() { return *m_addr; }
    CTavDbDate& DateStore() { return *m_date; }
    CTavDbMemo& MemoStore() { return *m_memo; }
    CTavDbTodo& TodoStore() { return *m_todo; }
    // The memo sheets' category database.
    CTavFreeSheetManager& SheetManager() { return *m_sheets; }
    // The record stores in the order of loading and saving: address, date, memo, To Do.
    QList<CTavDbStoreBase*> RecordStores() const;
    CTavRegOption& Options() { return *m_options; }
    CTavDesktopConflict& DesktopConflict() { return *m_conflict; }

    CTavMainFrame* MainFrame() const { return m_mainFrame; }
    CTavModuleDoc* Document(int slot) const;
    CTavModuleFrame* Frame(int slot) const;
    void SetFrame(int slot, CTavModuleFrame* frame);
    // The frame of a module number (1 means the current schedule window).
    CTavModuleFrame* FrameOfModule(int module) const;

    int currentModule() const { return m_currentModule; }
    int currentScheduleView() const { return m_currentScheduleView; }
    int privateMode() const { return m_privateMode; }
    void setPrivateModeValue(int mode) { m_privateMode = mode; }
    int readyForSync() const { return m_readyForSync; }
    void setReadyForSync(int ready) { m_readyForSync = ready; }
    int backupFileOpen() const { return m_backupFileOpen; }
    // Tells backupFileOpenChanged when the value changes.
    void setBackupFileOpen(int open);

    // The memo-sheet transfer cutoff SaveAll last handed on (0: no limit on memo sheets).
    qint64 quillosCutoff() const { return m_quillosCutoff; }

    void RegisterDialog(QWidget* dialog);
    void UnregisterDialog(QWidget* dialog);
    QList<QPointer<QWidget>> openDialogs() const { return m_openDialogs; }

signals:
    // After ReloadUserPrefs: module documents re-read their per-user preferences.
    void userPrefsReloaded();
    // A module opened a backup file in place of the current data, or closed it.
    void backupFileOpenChanged(bool open);
    // From SaveAll, for the handwritten-memo window's archive and restore.
    void quillosCutoffChanged(qint64 cutoff);

private:
    // Hands the failures back, or tells them in one message when no one takes them.
    void tellFailures(const QStringList& failures, QString* failureText);
    friend class CTavStartup;

    std::unique_ptr<CTavDbEnv> m_env;
    std::unique_ptr<CTavDbUser> m_users;
    std::unique_ptr<CTavDbAddr> m_addr;
    std::unique_ptr<CTavDbDate> m_date;
    std::unique_ptr<CTavDbMemo> m_memo;
    std::unique_ptr<CTavDbTodo> m_todo;
    std::unique_ptr<CTavFreeSheetManager> m_sheets;
    std::unique_ptr<CTavRegOption> m_options;
    std::unique_ptr<CTavSingleInstance> m_instance;
    CTavDesktopConflict* m_conflict = nullptr;
    std::unique_ptr<QTranslator> m_qtTexts;

    std::vector<CTavDocTemplate> m_templates;
    std::array<CTavModuleDoc*, TavSlot::Count> m_documents{};
    std::array<CTavModuleFrame*, TavSlot::Count> m_frames{};
    QPointer<CTavMainFrame> m_mainFrame;

    int m_currentModule = TavModule::None;
    int m_currentScheduleView = TavModule::Day;
    int m_privateMode = 0;
    int m_readyForSync = 1;
    qint64 m_quillosCutoff = 0;
    int m_backupFileOpen = 0;
    QList<QPointer<QWidget>> m_openDialogs;
};
