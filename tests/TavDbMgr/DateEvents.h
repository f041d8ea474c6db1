#pragma once

#include <QStringList>

#include "CTavDbDate.h"

// Small builders shared by the date store tests.
namespace DateEvents {
inline CTavDbDateRecord single(const QString& desc, const QDate& day, const QTime& start, int minutes = 60)
{
    CTavDbDateRecord r;
    r.SetDesc(desc);
    r.SetStartTime(CTavDbTime::fromDateAndTime(day, start));
    r.SetEndTime(r.GetStartTime() + 60 * minutes);
    return r;
}

inline CTavDbDateRecord untimed(const QString& desc, const QDate& day)
{
    CTavDbDateRecord r;
    r.SetDesc(desc);
    r.SetStartTime(CTavDbTime::fromDate(day));
    r.SetEndTime(r.GetStartTime());
    r.SetUntimed(true);
    return r;
}

inline CTavDbDateRecord repeating(const QString& desc, const QDate& start, const QTime& time, int kind,
                                  int interval = 1)
{
    CTavDbDateRecord r = single(desc, start, time);
    r.SetMyBrand(kind);
    r.SetInterval(interval);
    return r;
}

inline QStringList descs(const QList<CTavDbDateRecord*>& list)
{
    QStringList out;
    for (const CTavDbDateRecord* r : list)
        out << r->GetDesc();
    return out;
}

inline uint32_t add(CTavDbDate& store, CTavDbDateRecord record)
{
    return store.AddRecord(record) == TavStatusCode::Ok ? record.GetUniqueId() : 0;
}
} // namespace DateEvents
