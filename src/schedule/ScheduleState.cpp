#include "ScheduleState.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QUndoStack>

#include "CTavApp.h"
#include "CTavComDragTracker.h"
#include "CTavComScheduleView.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavDbFreePalmBitmap.h"
#include "CTavDbFreePrcObjectManager.h"
#include "CTavDbUser.h"
#include "CTavModuleDoc.h"
#include "CTavOptions.h"
#include "CTavProfile.h"
#include "CTavScDeleteDlg.h"
#include "CTavScDiscardDlg.h"
#include "CTavScRepeatRule.h"
#include "CTavScRepeatScopeDlg.h"
#include "CTavScSeriesMove.h"
#include "CTavStoreCommand.h"

namespace {
const QString kDatebook = QStringLiteral("datebook");

QString limitMessage(const QString& command)
{
    return QStringLiteral("データが最大数に達したため、Lumora "
                          "は%1を実行できません。\n\n不要なデータを削除またはバックアップ "
                          "ファイルに保存し、HotSync 機能を実行してから、%1を実行してください。")
        .arg(command);
}

TavTime atSecond(const QDate& day, int seconds)
{
    return CTavDbTime::fromDateAndTime(day, QTime::fromMSecsSinceStartOfDay(seconds * 1000));
}
} // namespace

ScheduleState::ScheduleState(CTavApp& app) : QObject(&app), m_app(app), m_undo(new QUndoStack(this))
{
    m_undo->setUndoLimit(CTavModuleDoc::kUndoLimit);
    setObjectName(QStringLiteral("ScheduleState"));
    const QDate today =
        CTavDbTime::inRange(CTavDbClock::Today()) ? CTavDbClock::Today() : CTavDbTime::firstDate();
    currentDate = CTavDbTime::fromDate(today);
    // Made with the first schedule window, after start-up read the user's preferences.
    LoadPrefs();
    connect(&app, &CTavApp::userPrefsReloaded, this, &ScheduleState::ReloadPrefs);
}

ScheduleState& ScheduleState::Of(CTavApp& app)
{
    if (auto* state =
            app.findChild<ScheduleState*>(QStringLiteral("ScheduleState"), Qt::FindDirectChildrenOnly))
        return *state;
    return *new ScheduleState(app);
}

CTavDbDate& ScheduleState::Store() const
{
    return m_app.DateStore();
}

int ScheduleState::ReadStartDayOfWeek()
{
    const int day = CTavProfile::GetProfileInt(kDatebook, QStringLiteral("StartDayOfWeek"), 0);
    return day >= 0 && day <= 6 ? day : 0;
}

int ScheduleState::ReadStartTime()
{
    const int hour = CTavProfile::GetProfileInt(kDatebook, QStringLiteral("StartTime"), 9);
    return hour >= 0 && hour <= 23 ? hour : 9;
}

void ScheduleState::GoToDate(const QDate& date)
{
    if (!CTavDbTime::inRange(date))
        return;
    const QDate old = CurrentDay();
    currentDate = CTavDbTime::fromDate(date);
    const int firstDay = ReadStartDayOfWeek();
    if (firstDay != startDayOfWeek) {
        startDayOfWeek = firstDay;
        calendar.Build(old.year(), old.month(), startDayOfWeek);
    }
    calendar.Build(date.year(), date.month(), startDayOfWeek);
    emit changed();
}

bool ScheduleState::NextDay()
{
    if (CurrentDay() >= CTavDbTime::lastDate())
        return false;
    SetCurrent(CTavScCalendarGrid::StepDays(currentDate, 1));
    return true;
}

bool ScheduleState::PreviousDay()
{
    if (CurrentDay() <= CTavDbTime::firstDate())
        return false;
    SetCurrent(CTavScCalendarGrid::StepDays(currentDate, -1));
    return true;
}

void ScheduleState::SetCurrent(TavTime day)
{
    GoToDate(CTavDbTime::toDate(day));
}

bool ScheduleState::Step(const QString& text, const std::function<bool()>& body,
                         const QList<uint32_t>& editedInPlace)
{
    if (!m_app.MainFrame())
        return body();
    bool done = false;
    CTavStoreCommand::Run(
        *m_undo, Store(), text,
        [&] {
            done = body();
            return TavStatus(TavStatusCode::Ok);
        },
        [this] {
            // The selection pointed into records the undo replaced.
            selectedEvent = nullptr;
            emit changed();
        },
        editedInPlace);
    return done;
}

bool ScheduleState::CheckLimit(QWidget* owner, const QString& command)
{
    if (Store().GetRecordCount() < kMaxEvents)
        return true;
    m_app.ShowMessage(owner, limitMessage(command), QString(), TavMsg::Ok | TavMsg::IconExclamation);
    return false;
}

TavStatus ScheduleState::AddEvent(QWidget* owner, CTavDbDateRecord& record)
{
    const TavStatus status = Store().AddRecord(record);
    if (status != TavStatusCode::Ok)
        m_app.ShowMessage(owner, QStringLiteral("Add Failed"));
    return status;
}

TavStatus ScheduleState::UpdateEvent(const CTavDbDateRecord& record)
{
    const TavStatus status = Store().UpdateRecord(record);
    // A change the store refuses is said: the windows would show what is not kept.
    if (status != TavStatusCode::Ok)
        m_app.ShowMessage(m_app.MessageOwner(),
                          QStringLiteral("予定「%1」を変更できませんでした。\n日付が範囲の外にあるか、"
                                         "長すぎる項目があります。")
                              .arg(record.GetDesc()),
                          QString(), TavMsg::IconExclamation);
    return status;
}

TavStatus ScheduleState::DeleteEvent(CTavDbDateRecord& record, bool archive)
{
    if (selectedEvent == &record)
        selectedEvent = nullptr;
    return Store().DeleteRecord(record.GetUniqueId(), archive);
}

std::unique_ptr<CTavDbDateRecord> ScheduleState::MakeNewEvent() const
{
    auto record = std::make_unique<CTavDbDateRecord>();
    const TavTime start = CTavDbTime::fromDateAndTime(CurrentDay(), QTime(qBound(0, selectedHour, 23), 0));
    record->SetStartTime(start);
    record->SetEndTime(start);
    record->SetUntimed(selectedUntimed);
    record->SetTextColor(false, 0xFFFFFF);
    return record;
}

int ScheduleState::AskScope(QWidget* owner)
{
    CTavScRepeatScopeDlg dialog(owner);
    return RunModal(dialog);
}

bool ScheduleState::MayChange(QWidget* owner, const CTavDbDateRecord& record)
{
    if (!record.GetIsPrivate() || PrivateMode() != 1)
        return true;
    const ModalLock lock = BeginModal();
    const bool ok = m_app.AskPassword(m_app.Users().GetCurrUserName(), true, owner);
    EndModal(lock);
    return ok;
}

bool ScheduleState::DeleteSelected(QWidget* owner)
{
    CTavDbDateRecord* record = selectedEvent;
    if (!record)
        return false;
    return Step(QStringLiteral("予定の削除"),
                [this, owner, record] { return DeleteWithScope(owner, record); }, {record->GetUniqueId()});
}

bool ScheduleState::DeleteWithScope(QWidget* owner, CTavDbDateRecord* record)
{
    if (record->IsRepeating()) {
        const int scope = AskScope(owner);
        if (scope == CTavScRepeatScopeDlg::Cancel)
            return false;
        if (scope == CTavScRepeatScopeDlg::ThisOnly || scope == CTavScRepeatScopeDlg::Future) {
            // The stored event changes only once the store has taken the change.
            CTavDbDateRecord edited = *record;
            if (scope == CTavScRepeatScopeDlg::ThisOnly)
                edited.AddException(CurrentDay());
            else
                edited.SetEndDate(CTavDbTime::fromDateAndTime(CurrentDay().addDays(-1), QTime(23, 59, 59)));
            const bool updated = UpdateEvent(edited) == TavStatusCode::Ok;
            emit changed();
            return updated;
        }
    }
    const CTavOptions& options = CTavOptions::instance();
    bool archive = options.CheckBackup() != 0;
    if (options.CheckDelete()) {
        CTavScDeleteDlg dialog(archive, owner);
        if (RunModal(dialog) != QDialog::Accepted)
            return false;
        archive = dialog.Archive();
    }
    DeleteEvent(*record, archive);
    emit changed();
    return true;
}

bool ScheduleState::MoveEvent(QWidget* owner, CTavDbDateRecord& record, int startSec, int endSec,
                              bool untimed, const QDate& day)
{
    CTavComDragTracker::Normalise(startSec, endSec);
    if (!MayChange(owner, record))
        return false;
    const QDate target = day.isValid() ? day : CurrentDay();
    if (!CTavDbTime::inRange(target))
        return false;
    const bool resized = target == CurrentDay() && !untimed && !record.GetIsUntimed() &&
                         endSec - startSec != record.GetEndTime() - record.GetStartTime();
    return Step(resized ? QStringLiteral("予定の時間変更") : QStringLiteral("予定の移動"),
                [&] { return MoveWithScope(owner, record, startSec, endSec, untimed, target); },
                {record.GetUniqueId()});
}

void ScheduleState::MoveRule(CTavDbDateRecord& record, const QDate& from, const QDate& to) const
{
    if (from != to)
        CTavScRepeatRule::FromRecord(record).MovedTo(from, to).ToRecord(record, to, startDayOfWeek);
}

void ScheduleState::KeepSelection(const CTavDbDateRecord* replaced, uint32_t id)
{
    // The store keeps a copy of an updated record: the selection moves to it.
    if (selectedEvent == replaced)
        selectedEvent = static_cast<CTavDbDateRecord*>(Store().FindRecord(id));
}

void ScheduleState::ChangedOn(const QDate& day)
{
    if (day == CurrentDay()) {
        emit changed();
        return;
    }
    // A moved event stays selected on its new day.
    if (selectedEvent)
        selectedEventDate = CTavDbTime::fromDate(day);
    GoToDate(day);
}

bool ScheduleState::MoveWithScope(QWidget* owner, CTavDbDateRecord& record, int startSec, int endSec,
                                  bool untimed, const QDate& day)
{
    const TavTime start = atSecond(day, startSec);
    const TavTime end = atSecond(day, endSec);
    const QDate occurrence = CurrentDay();
    if (!record.IsRepeating()) {
        CTavDbDateRecord edited = record;
        edited.SetStartTime(start);
        edited.SetEndTime(end);
        edited.SetUntimed(untimed);
        if (UpdateEvent(edited) != TavStatusCode::Ok)
            return false;
        KeepSelection(&record, edited.GetUniqueId());
        ChangedOn(day);
        return true;
    }
    const int scope = AskScope(owner);
    if (scope == CTavScRepeatScopeDlg::Cancel)
        return false;
    if (scope == CTavScRepeatScopeDlg::All) {
        // The dropped occurrence's rule on its new day; the series moves along with it.
        CTavDbDateRecord edited = record;
        edited.SetStartTime(start);
        edited.SetEndTime(end);
        edited.SetUntimed(untimed);
        MoveRule(edited, occurrence, day);
        CTavScSeriesMove::Apply(edited, record, occurrence, day);
        if (UpdateEvent(edited) != TavStatusCode::Ok)
            return false;
        KeepSelection(&record, edited.GetUniqueId());
        ChangedOn(day);
        return true;
    }
    if (!CheckLimit(owner, QStringLiteral("予定の編集")))
        return false;
    CTavDbDateRecord added;
    added.SetDesc(record.GetDesc());
    added.SetNote(record.GetNote());
    added.SetAlarm(record.GetIsAlarmSet());
    added.SetAlarmAdvance(record.GetAlarmAdvance());
    added.SetAlarmUnit(record.GetAlarmUnit());
    bool colorSet = false;
    uint32_t color = 0;
    record.GetTextColor(colorSet, color);
    added.SetTextColor(colorSet, color);
    QString iconName;
    uint32_t iconType = 0;
    int iconId = 0;
    record.GetIcon(iconName, iconType, iconId);
    added.SetIcon(iconName, iconType, iconId);
    added.SetSheetName(record.GetSheetName());
    added.SetPrivate(record.GetIsPrivate());
    added.SetCategoryID(record.GetCategoryID());
    added.SetStartTime(start);
    added.SetEndTime(end);
    added.SetUntimed(untimed);
    if (scope == CTavScRepeatScopeDlg::Future) {
        added.CopyRepeatRule(record);
        MoveRule(added, occurrence, day);
        added.SetExceptions(CTavScSeriesMove::Exceptions(added, record, occurrence, day, occurrence));
    }
    if (AddEvent(owner, added) != TavStatusCode::Ok)
        return false;
    CTavDbDateRecord old = record;
    if (scope == CTavScRepeatScopeDlg::ThisOnly)
        old.AddException(occurrence);
    else
        old.SetEndDate(CTavDbTime::fromDateAndTime(occurrence.addDays(-1), QTime(23, 59, 59)));
    if (UpdateEvent(old) != TavStatusCode::Ok) {
        Store().DeleteRecord(added.GetUniqueId(), false); // no half of a split stays
        return false;
    }
    selectedEvent = nullptr;
    ChangedOn(day);
    return true;
}

bool ScheduleState::DiscardOldEvents(QWidget* owner)
{
    CTavScDiscardDlg dialog(m_discardArchive, owner);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    m_discardArchive = dialog.Archive();
    const QDate cut = CTavScDiscardDlg::CutOff(CTavDbClock::Today(), dialog.Period()->currentIndex());
    const int week = CTavScCalendarGrid::WeekNumber(cut, startDayOfWeek);
    selectedEvent = nullptr;
    Step(QStringLiteral("過去の予定の破棄"), [&] {
        Store().DeletePastRecords(CTavDbTime::dayKey(cut), cut.year(), week, cut.month(), m_discardArchive);
        return true;
    });
    emit changed();
    return true;
}

void ScheduleState::SelectEvent(CTavDbDateRecord* record)
{
    selectedEvent = record;
    selectedEventDate = currentDate;
}

int ScheduleState::PrivateMode() const
{
    return m_app.privateMode();
}

CTavDbFreePrcObjectManager& ScheduleState::Icons()
{
    if (!m_icons)
        m_icons = std::make_unique<CTavDbFreePrcObjectManager>();
    const QStringList folders{CTavDbBackupFolder::Path(m_app.Users())};
    if (m_icons->GetFolders() != folders)
        m_icons->SetFolders(folders);
    return *m_icons;
}

CTavScDayStyle& ScheduleState::DayStyle()
{
    const QString folder = CTavDbBackupFolder::Path(m_app.Users());
    if (m_dayStyle.Holidays().GetFolder() != folder)
        m_dayStyle.SetFolder(folder);
    return m_dayStyle;
}

void ScheduleState::ReloadPrefs()
{
    LoadPrefs();
    emit changed();
}

void ScheduleState::LoadPrefs()
{
    startDayOfWeek = ReadStartDayOfWeek();
    startTime = ReadStartTime();
    const QString userPath = m_app.Users().GetCurrUserPath();
    handheld = CTavScHandheldPrefs::Read(userPath.isEmpty() ? QString()
                                                            : CTavScHandheldPrefs::PathForUser(userPath));
    m_dayStyle.ReadSettings();
    m_dayStyle.SetHolidayColor(handheld);
    m_icons.reset();
    const QDate day = CurrentDay();
    calendar.Build(day.year(), day.month(), startDayOfWeek);
}

void ScheduleState::ApplyHandheldHours(CTavComScheduleView& view) const
{
    ColorSettingExt ext = view.GetExtColor();
    if (ext.startHour == handheld.startTime && ext.endHour == handheld.endTime)
        return;
    ext.startHour = handheld.startTime;
    ext.endHour = handheld.endTime;
    view.SetExtColor(ext);
}

QImage ScheduleState::IconImage(const QString& name, uint32_t type, int id)
{
    const QByteArray bytes = Icons().FindResource(name, type, static_cast<uint16_t>(id));
    QImage image;
    if (bytes.isEmpty() || CTavDbFreePalmBitmap::CreateBitmap(bytes, &image) != TavStatusCode::Ok)
        return {};
    return image;
}

ScheduleState::ModalLock ScheduleState::BeginModal()
{
    const ModalLock previous{idleRefresh, m_app.readyForSync()};
    idleRefresh = false;
    m_app.setReadyForSync(0);
    return previous;
}

void ScheduleState::EndModal(const ModalLock& previous)
{
    // A dialog opened from another one leaves the lock to the outer dialog.
    idleRefresh = previous.idleRefresh;
    m_app.setReadyForSync(previous.readyForSync);
}

QString ScheduleState::BackupPath() const
{
    return backupFileName.isEmpty() ? QString() : QDir(backupFolder).filePath(backupFileName);
}

void ScheduleState::SetBackupPath(const QString& path)
{
    const QFileInfo file(path);
    backupFolder = path.isEmpty() ? QString() : file.absolutePath();
    backupFileName = path.isEmpty() ? QString() : file.fileName();
}
