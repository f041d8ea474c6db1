#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include "CTavDbDateICalDraft.h"
#include "TavStatus.h"

// Events as iCalendar 2.0 files. Reads what calendar programs write (zoned, UTC and floating
// times, VTIMEZONE, RRULE, EXDATE, RDATE, moved occurrences, VALARM) into local handheld events;
// writes floating local times, as the handheld knows no zones.
class CTavDbDateICal final
{
public:
    // The events that the handheld can hold, in file order; notes gets a line for each event
    // refused or changed to fit. Corrupt when the bytes are no calendar at all.
    static TavStatus Read(const QByteArray& bytes, QList<CTavDbDateICalEvent>* events, QStringList* notes);
    // UTF-8, CR LF, lines folded at 75 octets. An event whose rule never occurs is left out.
    static QByteArray Write(const QList<CTavDbDateICalEvent>& events);
};
