#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "CTavDbDateICalRule.h"
#include "CTavDbDateRecord.h"

class CTavDbDateICalLocal;

// One event of a calendar file as a handheld event, with its categories by name.
struct CTavDbDateICalEvent
{
    CTavDbDateRecord record;
    QStringList categories;
};

// An event as a calendar reader found it, in local time, before it becomes handheld events.
// Both readers fill one and leave the handheld's limits to Build.
struct CTavDbDateICalDraft
{
    QString summary;
    QString description;
    QStringList categories;
    bool isPrivate = false;
    QDate startDate;
    int startSeconds = 0;
    bool untimed = false;
    bool hasEnd = false;
    QDate endDate; // for untimed events the day after the last (as calendar files state it)
    int endSeconds = 0;
    // Days the local start lies after the start in the event's own zone: a weekly rule's days
    // move with it.
    int zoneShift = 0;
    bool repeats = false;
    CTavDbDateICalRule rule;
    QList<QDate> exceptions; // local days
    QList<QDate> extraDays;  // further single occurrences at the start's time
    bool hasAlarm = false;
    int alarmMinutes = 0; // before the start; negative after it
    QString problem;      // why the reader refuses the event; empty when it does not
    QString caution;      // what the reader had to change, told with the event

    // The handheld events of the draft, appended to out; notes gets one line naming the event
    // when it is refused (nothing appended) or when a value had to be changed to fit.
    void Build(CTavDbDateICalLocal& local, QList<CTavDbDateICalEvent>* out, QStringList* notes) const;
    // "「summary」(2024/05/01)", as notes name an event.
    QString Name() const;
};
