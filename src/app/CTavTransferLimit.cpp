#include "CTavTransferLimit.h"

#include <QDateTime>

#include "CTavDbClock.h"
#include "CTavDbDate.h"
#include "CTavProfile.h"

namespace {
const QString kSection = QStringLiteral("datebook");

int profileInt(const char* key, int def)
{
    return CTavProfile::GetProfileInt(kSection, QString::fromLatin1(key), def);
}
} // namespace

CTavTransferLimit CTavTransferLimit::FromProfile()
{
    CTavTransferLimit prefs;
    prefs.limit = profileInt("KiroTransfer", 0) != 0;
    const int number = profileInt("KiroTransferNum", prefs.number);
    if (number >= 1 && number <= 99)
        prefs.number = number;
    const int unit = profileInt("KiroTransferUnit", prefs.unit);
    if (unit >= 0 && unit <= 3)
        prefs.unit = unit;
    if (prefs.limit) {
        prefs.dateBook = profileInt("KiroTransferDateBook", 1) != 0;
        prefs.quillos = profileInt("KiroTransferQuillos", 1) != 0;
    }
    return prefs;
}

void CTavTransferLimit::ApplyTo(CTavDbDate& store) const
{
    store.SetPastParam(limit && dateBook, number, unit);
}

qint64 CTavTransferLimit::QuillosCutoff() const
{
    if (!limit || !quillos)
        return 0;
    const QDate first = CTavDbDate::PastLimitDate(CTavDbClock::Today(), number, unit);
    return first.startOfDay().toSecsSinceEpoch();
}
