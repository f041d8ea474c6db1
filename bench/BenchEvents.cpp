#include "BenchEvents.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include "BenchEnv.h"
#include "CTavDbDate.h"

CTavDbDateRecord BenchEvents::FromJson(const QJsonObject& o)
{
    const auto time = [](const QJsonValue& v) {
        return CTavDbTime::fromDateTime(
            QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    };
    CTavDbDateRecord r;
    r.SetDesc(o.value(QStringLiteral("desc")).toString());
    r.SetNote(o.value(QStringLiteral("note")).toString());
    r.SetStartTime(time(o.value(QStringLiteral("start"))));
    r.SetEndTime(time(o.value(QStringLiteral("end"))));
    r.SetUntimed(o.value(QStringLiteral("untimed")).toBool());
    r.SetPrivate(o.value(QStringLiteral("private")).toBool());
    const QJsonObject rule = o.value(QStringLiteral("repeat")).toObject();
    r.SetMyBrand(rule.value(QStringLiteral("kind")).toInt());
    r.SetInterval(rule.value(QStringLiteral("interval")).toInt());
    r.SetWeekDayMask(static_cast<uint8_t>(rule.value(QStringLiteral("weekMask")).toInt()));
    r.SetDayIndex(rule.value(QStringLiteral("dayIndex")).toInt());
    r.SetWeekIndex(rule.value(QStringLiteral("weekIndex")).toInt());
    r.SetMonthIndex(rule.value(QStringLiteral("monthIndex")).toInt());
    r.SetDayNumber(rule.value(QStringLiteral("dayNumber")).toInt());
    r.SetFirstDayOfWeek(rule.value(QStringLiteral("firstDayOfWeek")).toInt());
    const QString end = rule.value(QStringLiteral("endDate")).toString();
    if (!end.isEmpty())
        r.SetEndDate(CTavDbTime::fromDate(QDate::fromString(end, Qt::ISODate)));
    QList<QDate> exceptions;
    for (const QJsonValue& e : rule.value(QStringLiteral("exceptions")).toArray())
        exceptions << QDate::fromString(e.toString(), Qt::ISODate);
    r.SetExceptions(exceptions);
    return r;
}

std::string BenchEvents::Load(CTavDbDate& store, int colourEvery)
{
    QFile file(BenchEnv::dataDir() + QStringLiteral("/events/events.cli.jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return BenchEnv::missing(file.fileName());
    while (!file.atEnd()) {
        CTavDbDateRecord r = FromJson(QJsonDocument::fromJson(file.readLine()).object());
        if (colourEvery > 0)
            r.SetTextColor(r.GetDesc().size() % colourEvery == 0, 0xCCFFCC);
        if (store.AddRecord(r) != TavStatusCode::Ok)
            return "event " + std::to_string(store.GetRecordCount() + 1) + " refused";
    }
    if (store.GetRecordCount() != BenchEnv::events())
        return BenchEnv::mismatch(QStringLiteral("events"), BenchEnv::events(), store.GetRecordCount());
    return {};
}
