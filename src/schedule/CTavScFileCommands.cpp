#include "CTavScFileCommands.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

#include "CTavApp.h"
#include "CTavDbDate.h"
#include "CTavDbDateICalExchange.h"
#include "CTavDbEnv.h"
#include "CTavExportFileDlg.h"
#include "CTavImportFileDlg.h"
#include "CTavModuleDoc.h"
#include "CTavRecordExport.h"
#include "CTavScFrameBase.h"
#include "CTavSyncLock.h"
#include "CTavWaitCursor.h"
#include "ScheduleState.h"
#include "TavCommandIds.h"
#include "TavFileProblem.h"
#include "TavShowMessage.h"
#include "TavStrings.h"

namespace {
const QString kBackupKind = QStringLiteral("予定表のバックアップファイル (*.dbc, *.dba)");
const QString kArchiveKind = QStringLiteral("予定のバックアップファイル (*.dba)");
const QString kCurrentKind = QStringLiteral("予定表のデータファイル");
const QString kCalendarKind = QStringLiteral("vCal / iCalendar ファイル");
const QString kOwnType = QStringLiteral("dbc");
const QString kArchiveType = QStringLiteral("dba");

// The day, week and month windows show one backup file: its path lives in the shared state,
// and all three name it.
CTavBackupFileSwitch::Place backupPlace(CTavApp& app)
{
    ScheduleState& state = ScheduleState::Of(app);
    return {[&state] { return state.BackupPath(); },
            [&state](const QString& path) { state.SetBackupPath(path); },
            [&app] {
                return QList<CTavModuleFrame*>{app.Frame(TavSlot::Day), app.Frame(TavSlot::Week),
                                               app.Frame(TavSlot::Month)};
            }};
}
} // namespace

CTavScFileCommands::CTavScFileCommands(CTavScFrameBase& frame)
    : QObject(&frame), m_frame(frame), m_import(new QAction(QStringLiteral("インポート(&I)..."), this)),
      m_export(new QAction(QStringLiteral("エクスポート(&E)..."), this)),
      m_importCalendar(new QAction(QStringLiteral("vCal のインポート"), this)),
      m_exportCalendar(new QAction(QStringLiteral("ｖCal 形式でエクスポート"), this)),
      m_switch(
          frame, ScheduleState::Of(frame.Document()->App()).Store(),
          {kBackupTitle, kBackupFilter, kBackupInitialFile, CTavDbEnv::GetPdtDateDir(), kArchiveKind,
           kCurrentKind, RestoreQuestion()},
          [this] { m_frame.Document()->Reload(); }, backupPlace(frame.Document()->App()))
{
    m_import->setObjectName(QStringLiteral("scheduleImport"));
    m_export->setObjectName(QStringLiteral("scheduleExport"));
    m_importCalendar->setObjectName(QStringLiteral("scheduleImportCalendar"));
    m_exportCalendar->setObjectName(QStringLiteral("scheduleExportCalendar"));
    connect(m_import, &QAction::triggered, this, &CTavScFileCommands::OnImport);
    connect(m_export, &QAction::triggered, this, &CTavScFileCommands::OnExport);
    connect(m_importCalendar, &QAction::triggered, this, &CTavScFileCommands::OnImportCalendar);
    connect(m_exportCalendar, &QAction::triggered, this, &CTavScFileCommands::OnExportCalendar);
}

QString CTavScFileCommands::ImportedMessage(int count)
{
    return TavStr::Imported(QStringLiteral("予定表"), count);
}

QString CTavScFileCommands::NotesMessage(const QStringList& notes)
{
    QString text = QStringLiteral("次の %1 件の予定は読み込めないか、手帳に合わせて変えて読み込みました。\n")
                       .arg(notes.size());
    text += notes.mid(0, kShownNotes).join(u'\n');
    if (notes.size() > kShownNotes)
        text += QStringLiteral("\nほか %1 件").arg(notes.size() - kShownNotes);
    return text;
}

QString CTavScFileCommands::RestoreQuestion()
{
    return TavStr::RestoreQuestion(QStringLiteral("予定"));
}

ScheduleState& CTavScFileCommands::State() const
{
    return ScheduleState::Of(m_frame.Document()->App());
}

void CTavScFileCommands::FillMenu(CTavModuleFrame::MenuKind menu, QMenu* target)
{
    if (menu != CTavModuleFrame::FileMenu)
        return;
    target->addActions({m_import, m_export});
    target->addSeparator();
    target->addActions({m_importCalendar, m_exportCalendar});
    target->addSeparator();
}

void CTavScFileCommands::OnImport()
{
    CTavSyncLock lock(m_frame.Document()->App());
    CTavImportFileDlg dlg(true, kFilter, &m_frame);
    if (State().RunModal(dlg) != QDialog::Accepted)
        return;
    const QString extension = CTavFileDlg::ExtensionOf(dlg.PathName());
    if (extension == kOwnType || extension == kArchiveType)
        ImportFile(dlg.PathName());
}

void CTavScFileCommands::OnImportCalendar()
{
    CTavSyncLock lock(m_frame.Document()->App());
    for (;;) {
        CTavFileDlg dlg(CTavFileDlg::Open, kImportTitle, kCalendarFilter, &m_frame);
        if (State().RunModal(dlg) != QDialog::Accepted)
            return;
        if (CTavDbDateICalExchange::FormatOf(dlg.PathName()) != CTavDbDateICalExchange::Format::Unknown) {
            ImportFile(dlg.PathName());
            return;
        }
    }
}

bool CTavScFileCommands::ImportFile(const QString& path)
{
    CTavSyncLock lock(m_frame.Document()->App());
    const QString extension = CTavFileDlg::ExtensionOf(path);
    const bool backup = extension == kOwnType || extension == kArchiveType;
    if (!backup && CTavDbDateICalExchange::FormatOf(path) == CTavDbDateICalExchange::Format::Unknown)
        return false;
    if (State().Store().GetRecordCount() >= State().Store().GetMaxRecords()) {
        TavShowMessage(&m_frame, TavStr::ImportLimit, QString(), TavMsg::IconExclamation);
        return false;
    }
    return backup ? importBackup(path) : importCalendar(path);
}

bool CTavScFileCommands::importBackup(const QString& path)
{
    ScheduleState& state = State();
    CTavDbDate& store = state.Store();
    const int before = store.GetRecordCount();
    TavStatus status = TavStatusCode::Ok;
    {
        CTavWaitCursor wait;
        state.Step(QStringLiteral("インポート"), [&] {
            status = store.ImportBackupFile(path);
            return status == TavStatusCode::Ok;
        });
    }
    if (status == TavStatusCode::RecordLimit) {
        TavShowMessage(&m_frame, TavStr::ImportLimit, QString(), TavMsg::IconExclamation);
        return false;
    }
    if (status != TavStatusCode::Ok) {
        TavShowMessage(&m_frame, TavFileProblem::ReadFailed(path, status, kBackupKind), QString(),
                       TavMsg::IconExclamation);
        return false;
    }
    emit state.changed();
    TavShowMessage(&m_frame, ImportedMessage(store.GetRecordCount() - before), QString(),
                   TavMsg::IconInformation);
    return true;
}

bool CTavScFileCommands::importCalendar(const QString& path)
{
    ScheduleState& state = State();
    CTavDbDate& store = state.Store();
    QStringList notes;
    QList<CTavDbDateICalEvent> events;
    TavStatus status = TavStatusCode::Ok;
    {
        // The file is read whole before the store changes: a file that does not read leaves
        // no step behind.
        CTavWaitCursor wait;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            status = TavStatusCode::FileError;
        else if (file.size() > CTavDbDateICalExchange::kMaxFileBytes)
            status = TavStatusCode::InvalidArgument;
        else
            status = CTavDbDateICalExchange::Read(file.readAll(), &events, &notes);
    }
    if (status != TavStatusCode::Ok) {
        TavShowMessage(&m_frame, TavFileProblem::ReadFailed(path, status, kCalendarKind), QString(),
                       TavMsg::IconExclamation);
        return false;
    }
    if (store.GetRecordCount() + events.size() > store.GetMaxRecords()) {
        TavShowMessage(&m_frame, TavStr::ImportLimit, QString(), TavMsg::IconExclamation);
        return false;
    }
    int added = 0;
    if (!events.isEmpty()) {
        CTavWaitCursor wait;
        state.Step(QStringLiteral("vCal のインポート"), [&] {
            status = CTavDbDateICalExchange::AddEvents(store, events, &added);
            return status == TavStatusCode::Ok;
        });
    }
    emit state.changed();
    if (status != TavStatusCode::Ok) {
        TavShowMessage(&m_frame,
                       QStringLiteral("%1 をインポートできませんでした。").arg(QFileInfo(path).fileName()),
                       QString(), TavMsg::IconExclamation);
        return false;
    }
    TavShowMessage(&m_frame, ImportedMessage(added), QString(), TavMsg::IconInformation);
    if (!notes.isEmpty())
        TavShowMessage(&m_frame, NotesMessage(notes), QString(), TavMsg::IconExclamation);
    return true;
}

void CTavScFileCommands::OnExport()
{
    CTavSyncLock lock(m_frame.Document()->App());
    CTavExportFileDlg dlg(kFilter, &m_frame);
    // A backup file takes the whole schedule; one event leaves by vCal.
    dlg.rangeAll = true;
    dlg.rangeSelected = false;
    dlg.selectedEnabled = false;
    if (State().RunModal(dlg) != QDialog::Accepted)
        return;
    ExportFile(dlg.PathName(), false);
}

void CTavScFileCommands::OnExportCalendar()
{
    CTavSyncLock lock(m_frame.Document()->App());
    CTavExportFileDlg dlg(kCalendarFilter, &m_frame);
    dlg.setWindowTitle(kExportTitle);
    dlg.FileDialog()->setWindowTitle(kExportTitle);
    dlg.rangeAll = true;
    dlg.rangeSelected = false;
    dlg.selectedEnabled = State().selectedEvent != nullptr;
    if (State().RunModal(dlg) != QDialog::Accepted)
        return;
    const QString path = dlg.PathName();
    if (CTavDbDateICalExchange::FormatOf(path) != CTavDbDateICalExchange::Format::Unknown)
        ExportFile(path, dlg.rangeSelected && dlg.selectedEnabled);
}

bool CTavScFileCommands::ExportFile(const QString& path, bool selectedOnly)
{
    const QString extension = CTavFileDlg::ExtensionOf(path);
    const bool calendar = CTavDbDateICalExchange::FormatOf(path) != CTavDbDateICalExchange::Format::Unknown;
    if (extension != kOwnType && extension != kArchiveType && !calendar)
        return false;
    const ScheduleState& state = State();
    const CTavDbDate& store = state.Store();
    QList<CTavRecordExport::Candidate> events;
    if (!selectedOnly)
        events = CTavRecordExport::LiveRecords(store);
    else if (state.selectedEvent)
        events.append({state.selectedEvent->GetUniqueId(), state.selectedEvent->GetIsPrivate()});
    CTavRecordExport exporter(m_frame.Document()->App(), &m_frame, QStringLiteral("予定"));
    const QList<uint32_t> ids = exporter.Choose(events);
    return exporter.Write(path, [&] {
        return calendar ? CTavDbDateICalExchange::Export(store, path, ids)
                        : store.ExportBackupFile(path, ids);
    });
}
