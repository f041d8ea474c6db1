#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "CTavDbTime.h"
#include "CTavScBoxHost.h"
#include "CTavScCalendarGrid.h"
#include "CTavScDayStyle.h"
#include "CTavScHandheldPrefs.h"
#include "TavStatus.h"

class CTavApp;
class CTavComScheduleView;
class CTavDbDate;
class CTavDbDateRecord;
class CTavDbFreePrcObjectManager;
class QUndoStack;
class QWidget;

// The state every schedule window shares (current date, calendar, selection) and the
// operations on the date store that they all use. One per application, owned by it.
class ScheduleState final : public QObject, public CTavScBoxHost
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScheduleState)
public:
    static constexpr int kMaxEvents = 65536;

    // The application's schedule state, made on first use.
    static ScheduleState& Of(CTavApp& app);

    CTavApp& App() const { return m_app; }
    CTavDbDate& Store() const;
    // The one undo stack of every schedule window: steps over one store undo in one order.
    QUndoStack& UndoStack() const { return *m_undo; }

    CTavScCalendarGrid calendar;
    int startDayOfWeek = 0;
    int startTime = 9;
    TavTime currentDate = 0;
    int selectedHour = 9;
    bool selectedUntimed = false;
    CTavDbDateRecord* selectedEvent = nullptr;
    TavTime selectedEventDate = 0;
    bool idleRefresh = true;
    // The backup file the day, week and month windows show in place of the data; both empty
    // while none is open.
    QString backupFolder;
    QString backupFileName;
    QString BackupPath() const;
    void SetBackupPath(const QString& path);

    // The handheld's display preferences ("ScPrefs.dat"), read again by ReloadPrefs.
    CTavScHandheldPrefs handheld;

    // Colours, holidays and six-day labels of day numbers and headers, for the current user.
    CTavScDayStyle& DayStyle();
    // Re-reads the "datebook" settings, "ScPrefs.dat" and the icon table (after start-up, a
    // HotSync and a user switch); every schedule view follows.
    void ReloadPrefs();
    // The handheld's working hours on a time grid (shaded outside them).
    void ApplyHandheldHours(CTavComScheduleView& view) const;

    QDate CurrentDay() const { return CTavDbTime::toDate(currentDate); }
    static int ReadStartDayOfWeek();
    static int ReadStartTime();

    void GoToDate(const QDate& date);
    // One day on or back with the 22:00 rule; false at the ends of the range.
    bool NextDay();
    bool PreviousDay();

    // Runs body as one undo step named text on the active window's stack; its undo and redo
    // refresh every schedule view. Stored events body changes in place are named in editedInPlace.
    bool Step(const QString& text, const std::function<bool()>& body,
              const QList<uint32_t>& editedInPlace = {});

    // False (after the data-limit message naming the command) when the store is full.
    bool CheckLimit(QWidget* owner, const QString& command);
    // "Add Failed" on a store error; the record keeps its new unique id on success.
    TavStatus AddEvent(QWidget* owner, CTavDbDateRecord& record);
    TavStatus UpdateEvent(const CTavDbDateRecord& record);
    TavStatus DeleteEvent(CTavDbDateRecord& record, bool archive);

    // A new event at the selected hour of the current day (or untimed), without own colour.
    std::unique_ptr<CTavDbDateRecord> MakeNewEvent() const;
    // The scope question of a repeating event (CTavScRepeatScopeDlg::Scope).
    int AskScope(QWidget* owner);
    // The password of a masked private event; true when it may be changed.
    bool MayChange(QWidget* owner, const CTavDbDateRecord& record);
    // Delete event with its scope and confirmation; true when the store changed.
    bool DeleteSelected(QWidget* owner);
    // Moves or resizes the current day's occurrence of an event to new seconds of a day (the
    // current day when day is invalid); scope as for Delete. A repeating event moved to another
    // day takes its rule along, and the current day follows the event.
    bool MoveEvent(QWidget* owner, CTavDbDateRecord& record, int startSec, int endSec, bool untimed,
                   const QDate& day = QDate());
    // The discard dialog and DeletePastRecords; true when the user went ahead.
    bool DiscardOldEvents(QWidget* owner);

    // Runs a modal dialog with idleRefresh and readyForSync cleared for its duration; a dialog
    // opened from another keeps them cleared until the outer one closes.
    template <typename Dialog> int RunModal(Dialog& dialog);

    bool IsSelectedEvent(const CTavDbDateRecord* record) const override { return record == selectedEvent; }
    void SelectEvent(CTavDbDateRecord* record) override;
    int PrivateMode() const override;
    QImage IconImage(const QString& name, uint32_t type, int id) override;
    CTavDbFreePrcObjectManager& Icons();

signals:
    // The store or the current date changed: every schedule view refreshes.
    void changed();

private:
    struct ModalLock
    {
        bool idleRefresh;
        int readyForSync;
    };

    explicit ScheduleState(CTavApp& app);
    // What ReloadPrefs reads, without telling the views.
    void LoadPrefs();
    // Clears both flags and answers their previous values, which EndModal puts back.
    ModalLock BeginModal();
    void EndModal(const ModalLock& previous);
    void SetCurrent(TavTime day);
    bool DeleteWithScope(QWidget* owner, CTavDbDateRecord* record);
    bool MoveWithScope(QWidget* owner, CTavDbDateRecord& record, int startSec, int endSec, bool untimed,
                       const QDate& day);
    // The rule of a repeating record set for one day, moved to another.
    void MoveRule(CTavDbDateRecord& record, const QDate& from, const QDate& to) const;
    // Points the selection at the stored copy after the record it pointed at was updated.
    void KeepSelection(const CTavDbDateRecord* replaced, uint32_t id);
    // Emits changed, on the day when it is another than the current one.
    void ChangedOn(const QDate& day);

    CTavApp& m_app;
    QUndoStack* m_undo;
    std::unique_ptr<CTavDbFreePrcObjectManager> m_icons;
    CTavScDayStyle m_dayStyle;
    bool m_discardArchive = true;
};

template <typename Dialog> int ScheduleState::RunModal(Dialog& dialog)
{
    const ModalLock lock = BeginModal();
    const int result = dialog.exec();
    EndModal(lock);
    return result;
}
