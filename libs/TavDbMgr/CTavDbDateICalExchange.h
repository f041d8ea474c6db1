#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "CTavDbDateICalDraft.h"
#include "TavStatus.h"

class CTavDbDate;

// The schedule's events to and from calendar files: vCalendar 1.0 (.vcs) and iCalendar 2.0
// (.ics). A file is read by what it holds, whatever its name; it is written by its extension.
class CTavDbDateICalExchange final
{
public:
    static constexpr qsizetype kMaxFileBytes = qsizetype(64) << 20;

    enum class Format
    {
        Unknown,
        VCal,
        ICal
    };
    // By the extension (".vcs", ".ics").
    static Format FormatOf(const QString& path);

    // Adds the events of a calendar file that the handheld can hold, each category by name:
    // a name the store lacks is added while there is room, else the event is unfiled. notes
    // names each event refused or changed. FileError when the file cannot be read,
    // InvalidArgument when it is over kMaxFileBytes, Corrupt when it is no calendar, and
    // RecordLimit when the store cannot take every event (then nothing is added).
    static TavStatus Import(CTavDbDate& store, const QString& path, QStringList* notes, int* added = nullptr);
    static TavStatus ImportBytes(CTavDbDate& store, const QByteArray& bytes, QStringList* notes,
                                 int* added = nullptr);
    // Adds events read before, categories as Import does; RecordLimit (and nothing added) when
    // the store cannot take them all.
    static TavStatus AddEvents(CTavDbDate& store, QList<CTavDbDateICalEvent>& events, int* added = nullptr);
    // The events of a file's bytes, without a store.
    static TavStatus Read(const QByteArray& bytes, QList<CTavDbDateICalEvent>* events, QStringList* notes);

    // Writes the stored events of these ids, atomically, in the format of the extension.
    // NotFound for an id that is not stored, InvalidArgument for another extension.
    static TavStatus Export(const CTavDbDate& store, const QString& path, const QList<uint32_t>& uniqueIds);
    static TavStatus EventsOf(const CTavDbDate& store, const QList<uint32_t>& uniqueIds,
                              QList<CTavDbDateICalEvent>* events);
};
