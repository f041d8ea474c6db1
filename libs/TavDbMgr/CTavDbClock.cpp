#include "CTavDbClock.h"

namespace {
QDateTime& fixedMoment()
{
    static QDateTime moment;
    return moment;
}
} // namespace

QDateTime CTavDbClock::Now()
{
    const QDateTime& fixed = fixedMoment();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

void CTavDbClock::SetFixed(const QDateTime& moment) { fixedMoment() = moment; }

void CTavDbClock::Release() { fixedMoment() = QDateTime(); }
