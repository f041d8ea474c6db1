#pragma once

#include <QDate>
#include <QList>

class CTavDbDateRecord;

// A repeating event moved as a whole, one occurrence to another day and the others with it.
// In a weekly rule only the moved occurrence's weekday moves; the other weekdays stay.
class CTavScSeriesMove final
{
public:
    // moved holds the event as it is to be: its times on `to` and its rule as seen on `to`.
    // It gets the series' start (the first day its rule meets, from the old start moved along)
    // and the original's deleted occurrences, moved with theirs.
    static void Apply(CTavDbDateRecord& moved, const CTavDbDateRecord& original, const QDate& from,
                      const QDate& to);
    // Where the original's deleted occurrences (from `since` on; all when invalid) fall under
    // the moved rule; those that are no occurrence of it are left out.
    static QList<QDate> Exceptions(const CTavDbDateRecord& moved, const CTavDbDateRecord& original,
                                   const QDate& from, const QDate& to, const QDate& since = QDate());
};
