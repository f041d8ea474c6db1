#pragma once

#include "CTavModuleDoc.h"

class CTavDbDateRecord;
class QDate;
class ScheduleState;
class QWidget;

// What the day, week and month windows share: the event commands on the shared schedule state
// and the date store, and stepping through the calendar a window's own distance at a time.
class CTavScEventDoc : public CTavModuleDoc
{
    Q_OBJECT
public:
    CTavScEventDoc(CTavApp& app, const QString& title, QObject* parent = nullptr);

    ScheduleState& State() const { return m_state; }
    // The stores were loaded again: the selection points into the old records.
    void Reload() override;

    void NewEvent(QWidget* owner);
    void EditEvent(QWidget* owner);
    void DeleteEvent(QWidget* owner);
    void DiscardOldEvents(QWidget* owner);
    // Opens the editor on a record; true on OK. existing: the record is the copy of a stored one;
    // splitOffId: the event the editor added to split a repeating one, 0 for none.
    bool RunEditor(QWidget* owner, CTavDbDateRecord& record, bool existing, uint32_t* splitOffId = nullptr);

    virtual void GoToDate(const QDate& date);
    void GoToday();
    // The calendar button: a date dialog, or what the window picks by instead.
    virtual void PickDate(QWidget* owner);
    // The window's previous and next buttons.
    virtual void StepBack() = 0;
    virtual void StepOn() = 0;

protected:
    // The shared state changed: by default every view repaints.
    virtual void StateChanged();

private:
    ScheduleState& m_state;
};
