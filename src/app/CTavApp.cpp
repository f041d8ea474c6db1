#include "CTavApp.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QSet>
#include <QTranslator>
#include <QUndoStack>
#include <memory>

#include "CTavAppStyle.h"
#include "CTavDbAddr.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbDate.h"
#include "CTavDbEnv.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "CTavDbUser.h"
#include "CTavDesktopConflict.h"
#include "CTavFreeSheetManager.h"
#include "CTavMainFrame.h"
#include "CTavMessageBox.h"
#include "CTavModuleDoc.h"
#include "CTavModuleFrame.h"
#include "CTavPasswordDlg.h"
#include "CTavProfile.h"
#include "CTavRegOption.h"
#include "CTavSingleInstance.h"
#include "CTavStartup.h"
#include "CTavTransferLimit.h"
#include "TavFileProblem.h"
#include "TavStrings.h"

namespace {
CTavApp* g_app = nullptr;
const QString kDataFileKind = QStringLiteral("Lumora のデータファイル");

bool isScheduleWindow(int module)
{
    return module >= TavModule::Day && module <= TavModule::Year;
}

int slotOfScheduleView(int view)
{
    switch (view) {
    case TavModule::Week:
        return TavSlot::Week;
    case TavModule::Month:
        return TavSlot::Month;
    case TavModule::Year:
        return TavSlot::Year;
    default:
        return TavSlot::Day;
    }
}
} // namespace

CTavApp::CTavApp(QObject* parent)
    : QObject(parent), m_env(std::make_unique<CTavDbEnv>()), m_users(std::make_unique<CTavDbUser>()),
      m_addr(std::make_unique<CTavDbAddr>()), m_date(std::make_unique<CTavDbDate>()),
      m_memo(std::make_unique<CTavDbMemo>()), m_todo(std::make_unique<CTavDbTodo>()),
      m_sheets(std::make_unique<CTavFreeSheetManager>()), m_options(std::make_unique<CTavRegOption>()),
      m_conflict(new CTavDesktopConflict(this))
{
    for (CTavDbStoreBase* store : RecordStores())
        store->AttachUsers(m_users.get());
    g_app = this;
    CTavFreeSheetManager::InstallReferenceCounter(*this);
    CTavAppStyle::Install();
    // A display setting that cannot be kept is said once a file, after the action that set it.
    CTavProfile::SetWriteFailureHandler([this,
                                         told = std::make_shared<QSet<QString>>()](const QString& path) {
        QMetaObject::invokeMethod(
            this,
            [this, told, path] {
                if (told->contains(path))
                    return;
                told->insert(path);
                ShowMessage(MessageOwner(),
                            QStringLiteral(
                                "設定ファイル %1 "
                                "に書き込めませんでした。\n表示の設定は、次に起動したときには元に戻ります。"
                                "フォルダーのアクセス権と空き容量を確認してください。")
                                .arg(QDir::toNativeSeparators(path)),
                            QString(), TavMsg::IconExclamation);
            },
            Qt::QueuedConnection);
    });
}

CTavApp::~CTavApp()
{
    delete m_mainFrame.data();
    for (CTavModuleDoc*& doc : m_documents) {
        delete doc;
        doc = nullptr;
    }
    if (g_app == this) {
        g_app = nullptr;
        CTavProfile::SetWriteFailureHandler(nullptr);
        CTavFreeSheetManager::RemoveReferenceCounter();
    }
}

CTavApp* CTavApp::instance()
{
    return g_app;
}

void CTavApp::AddDocTemplate(CTavDocTemplate docTemplate)
{
    m_templates.push_back(std::move(docTemplate));
}

bool CTavApp::InitInstance(const QStringList& arguments)
{
    return CTavStartup(*this).Run(arguments);
}

int CTavApp::ExitInstance()
{
    if (m_instance)
        m_instance->release();
    m_instance.reset();
    return 0;
}

QList<CTavDbStoreBase*> CTavApp::RecordStores() const
{
    return {m_addr.get(), m_date.get(), m_memo.get(), m_todo.get()};
}

bool CTavApp::LoadAll(QString* failureText)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_users->AddUserDirectory(m_users->GetCurrUserName());
    // After a HotSync or for another user the backup folder holds other databases.
    CTavDbBackupFolder::MarkChanged();
    const QString userPath = m_users->GetCurrUserPath();
    QStringList failures;
    // Categories a save could not write stay for the next save, as the stores' changes do.
    const bool keepSheets =
        m_sheets->HasUnsavedChanges() && m_sheets->Path() == CTavFreeSheetManager::CategoryPath(userPath);
    if (const TavStatus status = keepSheets ? TavStatusCode::Ok : m_sheets->Load(userPath);
        status != TavStatusCode::Ok)
        failures << TavFileProblem::ReadFailed(m_sheets->Path(), status, kDataFileKind);
    for (CTavDbStoreBase* store : RecordStores()) {
        // A backup file open in place of the data (save all) is what the store reads again.
        const bool backup = m_backupFileOpen && !store->GetFilePath().isEmpty() &&
                            store->GetFilePath() != store->StoreFilePath(userPath);
        // Changes a save could not write stay for the next save (which merges what the file
        // got meanwhile) rather than being dropped by loading the same file again.
        if (store->HasPendingChanges() && (backup || store->GetFilePath() == store->StoreFilePath(userPath)))
            continue;
        const QString path = backup ? store->GetFilePath() : store->StoreFilePath(userPath);
        if (const TavStatus status = backup ? store->LoadFromFile(path) : store->Load();
            status != TavStatusCode::Ok)
            failures << TavFileProblem::ReadFailed(path, status, kDataFileKind);
    }
    QGuiApplication::restoreOverrideCursor();
    ClearUndoHistory();
    tellFailures(failures, failureText);
    return failures.isEmpty();
}

void CTavApp::ClearUndoHistory()
{
    for (CTavModuleDoc* doc : m_documents)
        if (doc)
            doc->UndoStack().clear();
}

void CTavApp::LoadLanguage(const QString& language)
{
    if (m_qtTexts) {
        QCoreApplication::removeTranslator(m_qtTexts.get());
        m_qtTexts.reset();
    }
    if (language == QLatin1String("jpJP"))
        m_qtTexts = InstallJapaneseQtTexts();
}

std::unique_ptr<QTranslator> CTavApp::InstallJapaneseQtTexts()
{
    auto texts = std::make_unique<QTranslator>();
    if (texts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(texts.get()))
        return texts;
    return nullptr;
}

bool CTavApp::SaveAll(QString* failureText)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const CTavTransferLimit transfer = CTavTransferLimit::FromProfile();
    transfer.ApplyTo(*m_date);
    m_quillosCutoff = transfer.QuillosCutoff();
    emit quillosCutoffChanged(m_quillosCutoff);
    bool ok = true;
    bool merged = false;
    QStringList failures;
    if (const TavStatus status = m_sheets->Save(); status != TavStatusCode::Ok) {
        ok = false;
        failures << TavFileProblem::SaveFailed(m_sheets->Path(), status);
    }
    for (CTavDbStoreBase* store : RecordStores()) {
        if (store->GetFilePath().isEmpty())
            continue;
        const TavStatus status = store->Write();
        merged = merged || store->LastWriteMerged();
        if (status == TavStatusCode::Ok || !store->HasPendingChanges())
            continue;
        ok = false;
        failures << TavFileProblem::SaveFailed(store->GetFilePath(), status);
    }
    QGuiApplication::restoreOverrideCursor();
    // Another program's changes came in with the save: the views show the merged stores.
    if (merged && m_mainFrame)
        m_mainFrame->RefreshAll();
    tellFailures(failures, failureText);
    return ok;
}

void CTavApp::tellFailures(const QStringList& failures, QString* failureText)
{
    const QString text = failures.join(QStringLiteral("\n\n"));
    if (failureText)
        *failureText = text;
    else if (!failures.isEmpty())
        ShowMessage(MessageOwner(), text, QString(), TavMsg::IconExclamation);
}

void CTavApp::ReloadUserPrefs()
{
    // Callers point the profile at the new user only afterwards; the modules read it now.
    SetProfilePath();
    emit userPrefsReloaded();
}

void CTavApp::SetProfilePath()
{
    const QString userPath = m_users->GetCurrUserPath();
    CTavProfile::SetProfilePath(userPath.isEmpty() ? QString() : CTavProfile::ProfilePathForUser(userPath));
}

void CTavApp::setBackupFileOpen(int open)
{
    if (open == m_backupFileOpen)
        return;
    m_backupFileOpen = open;
    ClearUndoHistory();
    emit backupFileOpenChanged(open != 0);
}

void CTavApp::RegisterDialog(QWidget* dialog)
{
    m_openDialogs.append(dialog);
}

void CTavApp::UnregisterDialog(QWidget* dialog)
{
    for (qsizetype i = m_openDialogs.size() - 1; i >= 0; --i) {
        if (m_openDialogs.at(i) == dialog) {
            m_openDialogs.removeAt(i);
            break;
        }
    }
    m_openDialogs.removeAll(QPointer<QWidget>());
}

QWidget* CTavApp::MessageOwner() const
{
    // A dialog that has closed no longer owns anything, even while its object lives on.
    for (qsizetype i = m_openDialogs.size() - 1; i >= 0; --i)
        if (QWidget* w = m_openDialogs.at(i); w && w->isVisible())
            return w;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != m_mainFrame)
        return modal;
    return m_mainFrame;
}

int CTavApp::ShowMessage(QWidget* owner, const QString& text, const QString& caption, unsigned type)
{
    if (owner)
        RegisterDialog(owner);
    const CTavMessageRequest request{owner ? owner : MessageOwner(), text,
                                     caption.isEmpty() ? TavStr::ProductName : caption, type};
    const int answer = CTavMessageBox::Show(request);
    if (owner)
        UnregisterDialog(owner);
    // While the competing desktop program runs, nothing may be confirmed.
    return m_conflict->isRunning() ? TavMsg::IdCancel : answer;
}

bool CTavApp::AskPassword(const QString& userName, bool repeat, QWidget* parent)
{
    if (!m_users->IsSettingPassword(userName))
        return true;
    for (;;) {
        CTavPasswordDlg dlg(userName, parent ? parent : m_mainFrame.data());
        if (dlg.exec() != QDialog::Accepted)
            return false;
        if (m_users->IsValidPassword(userName, dlg.Password()))
            return true;
        if (!repeat)
            return false;
        ShowMessage(nullptr, TavStr::InvalidPassword);
    }
}

CTavModuleDoc* CTavApp::Document(int slot) const
{
    return slot >= 0 && slot < TavSlot::Count ? m_documents.at(slot) : nullptr;
}

CTavModuleFrame* CTavApp::Frame(int slot) const
{
    return slot >= 0 && slot < TavSlot::Count ? m_frames.at(slot) : nullptr;
}

void CTavApp::SetFrame(int slot, CTavModuleFrame* frame)
{
    if (slot >= 0 && slot < TavSlot::Count)
        m_frames.at(slot) = frame;
}

CTavModuleFrame* CTavApp::FrameOfModule(int module) const
{
    switch (module) {
    case TavModule::Schedule:
        return Frame(slotOfScheduleView(m_currentScheduleView));
    case TavModule::Address:
        return Frame(TavSlot::Address);
    case TavModule::Todo:
        return Frame(TavSlot::Todo);
    case TavModule::FreeMemo:
        return Frame(TavSlot::FreeMemo);
    case TavModule::MemoPad:
        return Frame(TavSlot::MemoPad);
    case TavModule::Reference:
        return Frame(TavSlot::Reference);
    default:
        return isScheduleWindow(module) ? Frame(slotOfScheduleView(module)) : nullptr;
    }
}

void CTavApp::FocusModuleView(int /*module*/)
{
    CTavModuleFrame* frame = FrameOfModule(m_currentModule);
    if (!frame || !frame->Document())
        return;
    if (QWidget* view = frame->Document()->FirstView())
        view->setFocus(Qt::OtherFocusReason);
}

bool CTavApp::CloseBackupOfCurrentModule()
{
    // Edits made in the backup file are written to it first. A write that fails, or data that
    // do not read, keep the backup file open and stop the switch, named to the user: nothing
    // may go on in the wrong file.
    auto reload = [this](CTavDbStoreBase& store, CTavModuleFrame* frame) {
        const QString backupPath = store.GetFilePath();
        const QString currentPath = store.StoreFilePath(m_users->GetCurrUserPath());
        if (store.HasPendingChanges() && backupPath != currentPath)
            if (const TavStatus saved = store.Write();
                saved != TavStatusCode::Ok &&
                ShowMessage(MessageOwner(),
                            TavFileProblem::SaveFailed(backupPath, saved) + TavStr::DiscardBackupEdits,
                            QString(),
                            TavMsg::YesNo | TavMsg::IconExclamation | TavMsg::DefButton2) != TavMsg::IdYes)
                return false;
        if (const TavStatus loaded = store.Load(); loaded != TavStatusCode::Ok) {
            // Written just now, the backup file comes back whole, and the views show it again
            // before the message lets them paint.
            store.LoadFromFile(backupPath);
            if (frame)
                frame->Update(0);
            ShowMessage(MessageOwner(), TavFileProblem::ReadFailed(currentPath, loaded, kDataFileKind),
                        QString(), TavMsg::IconExclamation);
            return false;
        }
        if (frame)
            frame->Update(2);
        return true;
    };
    switch (m_currentModule) {
    case TavModule::Schedule:
        return reload(*m_date, m_currentScheduleView == TavModule::Year ? nullptr
                                                                        : FrameOfModule(TavModule::Schedule));
    case TavModule::Address:
        return reload(*m_addr, Frame(TavSlot::Address));
    case TavModule::Todo:
        return reload(*m_todo, Frame(TavSlot::Todo));
    case TavModule::MemoPad:
        return reload(*m_memo, Frame(TavSlot::MemoPad));
    case TavModule::FreeMemo:
        if (CTavModuleFrame* frame = Frame(TavSlot::FreeMemo))
            frame->Update(2);
        break;
    default:
        break;
    }
    return true;
}

void CTavApp::SwitchModule(int module)
{
    if (!m_mainFrame)
        return;
    if (m_backupFileOpen) {
        if (m_currentModule == TavModule::Schedule && isScheduleWindow(module)) {
            if (module != TavModule::Year) {
                m_currentScheduleView = module;
                m_mainFrame->ActivateModuleFrame(Frame(slotOfScheduleView(module)));
            }
            return;
        }
        m_readyForSync = 0;
        const int answer = ShowMessage(m_mainFrame, TavStr::BackupSwitchQuestion, TavStr::BackupSwitchCaption,
                                       TavMsg::OkCancel);
        if (answer != TavMsg::IdOk) {
            m_readyForSync = 1;
            return;
        }
        if (!CloseBackupOfCurrentModule()) {
            m_readyForSync = 1;
            return;
        }
        setBackupFileOpen(0);
        m_readyForSync = 1;
    }
    const int slotOfModule[] = {
        -1, -1, TavSlot::Address, TavSlot::Todo, TavSlot::FreeMemo, TavSlot::MemoPad, TavSlot::Reference};
    if (module == TavModule::Schedule || isScheduleWindow(module)) {
        if (isScheduleWindow(module))
            m_currentScheduleView = module;
        m_currentModule = TavModule::Schedule;
    } else if (module >= TavModule::Address && module <= TavModule::Reference) {
        if (CTavModuleDoc* doc = Document(slotOfModule[module]))
            doc->ApplyStoreOrder();
        m_currentModule = module;
    } else {
        return;
    }
    m_mainFrame->ActivateModuleFrame(FrameOfModule(m_currentModule));
    FocusModuleView(module);
}
