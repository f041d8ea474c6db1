#pragma once

#include "CTavModuleDoc.h"

class CTavDbDateRecord;
class ScheduleState;
class QWidget;

// The schedule's day window: commands on the shared schedule state and the date store.
class CTavScDayDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    explicit CTavScDayDoc(CTavApp& app, QObject* parent = nullptr);

    ScheduleState& State() const { return m_state; }
    // The stores were loaded again: the selection points into the old records.
    void Reload() override;

    void NewEvent(QWidget* owner);
    void EditEvent(QWidget* owner);
    void DeleteEvent(QWidget* owner);
    void PickDate(QWidget* owner);
    void GoToday();
    void NextDay();
    void PreviousDay();
    void DiscardOldEvents(QWidget* owner);
    // Opens the editor on a record; true on OK. existing: the record is the copy of a stored one.
    bool RunEditor(QWidget* owner, CTavDbDateRecord& record, bool existing);

private:
    ScheduleState& m_state;
};
