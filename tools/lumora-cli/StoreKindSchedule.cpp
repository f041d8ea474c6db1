#include <QJsonArray>

#include "CTavDbDate.h"
#include "CliCommand.h"
#include "CliJson.h"
#include "CliStoreKind.h"

namespace {
QString typeText(uint32_t type)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += QChar(static_cast<char16_t>(type >> shift & 0xFF));
    return text;
}

// Windows colour values keep red in the low byte; JSON shows "#RRGGBB".
QString colorText(uint32_t color)
{
    const uint32_t rgb = (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

bool parseColor(const QString& text, uint32_t* color)
{
    bool ok = false;
    const uint32_t rgb = text.mid(1).toUInt(&ok, 16);
    if (text.size() != 7 || !text.startsWith(u'#') || !ok)
        return false;
    *color = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    return true;
}

// A category is a name (created when new), or a category id as the handheld numbers them; an id
// the store does not have yet is created under its number as name.
void readCategory(CliJsonReader& in, CTavDbPcRecord& record, CTavDbStoreBase& store)
{
    if (!in.value(QStringLiteral("category")).isDouble()) {
        in.common(record, store);
        return;
    }
    record.SetPrivate(in.boolean(QStringLiteral("private")));
    const int id = in.integer(QStringLiteral("category"), 0, 0, 255);
    if (!in.ok())
        return;
    if (!store.FindCategoryById(static_cast<uint32_t>(id)) &&
        store.AddCategoryWithId(static_cast<uint32_t>(id), QString::number(id)) != TavStatusCode::Ok) {
        in.fail(QStringLiteral("cannot add the category id %1 (at most 15 categories, never 99)").arg(id));
        return;
    }
    record.SetCategoryID(static_cast<uint32_t>(id));
}

void readIcon(CliJsonReader& in, CTavDbDateRecord& event)
{
    const QJsonValue v = in.value(QStringLiteral("icon"));
    if (v.isUndefined() || v.isNull())
        return;
    QString error;
    const QJsonObject object = v.toObject();
    CliJsonReader icon(object, &error);
    const QString name = icon.text(QStringLiteral("name"), QString(), CTavDbDateRecord::kMaxIconNameBytes);
    const QString type = icon.text(QStringLiteral("type"), QStringLiteral("Tbmp"));
    const int id = icon.integer(QStringLiteral("id"), 0, 0, 0xFFFF);
    if (!v.isObject() || type.size() != 4 || type.toLatin1().size() != 4)
        icon.fail(QStringLiteral("must be an object with \"name\", \"type\" (4 characters) and \"id\""));
    if (!icon.finish()) {
        in.fail(QStringLiteral("icon: ") + error);
        return;
    }
    const QByteArray t = type.toLatin1();
    event.SetIcon(name,
                  uint32_t(uint8_t(t[0])) << 24 | uint32_t(uint8_t(t[1])) << 16 |
                      uint32_t(uint8_t(t[2])) << 8 | uint8_t(t[3]),
                  id);
}

void readRepeat(CliJsonReader& in, CTavDbDateRecord& event)
{
    const QJsonValue v = in.value(QStringLiteral("repeat"));
    if (v.isUndefined() || v.isNull())
        return;
    QString error;
    const QJsonObject object = v.toObject();
    CliJsonReader rule(object, &error);
    if (!v.isObject())
        rule.fail(QStringLiteral("must be an object"));
    event.SetMyBrand(rule.integer(QStringLiteral("kind"), 0, 0, CTavDbDateRecord::RepeatYearly));
    event.SetInterval(rule.integer(QStringLiteral("interval"), 1, 0, CTavDbDateRecord::kMaxInterval));
    event.SetWeekDayMask(static_cast<uint8_t>(rule.integer(QStringLiteral("weekMask"), 0, 0, 0x7F)));
    event.SetDayIndex(rule.integer(QStringLiteral("dayIndex"), 0, 0, 6));
    event.SetWeekIndex(rule.integer(QStringLiteral("weekIndex"), 0, 0, CTavDbDateRecord::kLastWeek));
    event.SetMonthIndex(rule.integer(QStringLiteral("monthIndex"), 0, 0, 11));
    event.SetDayNumber(rule.integer(QStringLiteral("dayNumber"), 0, 0, 31));
    event.SetFirstDayOfWeek(rule.integer(QStringLiteral("firstDayOfWeek"), 0, 0, 6));
    event.SetEndDate(rule.date(QStringLiteral("endDate"), maxDateTime));
    const QJsonValue exceptions = rule.value(QStringLiteral("exceptions"));
    QList<QDate> dates;
    for (const QJsonValue& e : exceptions.toArray()) {
        const QDate d = QDate::fromString(e.toString(), QStringLiteral("yyyy-MM-dd"));
        if (!CTavDbTime::inRange(d))
            rule.fail(
                QStringLiteral("\"exceptions\" must list dates YYYY-MM-DD from 1970-01-02 to 2031-12-31"));
        dates << d;
    }
    if (!exceptions.isUndefined() && !exceptions.isNull() && !exceptions.isArray())
        rule.fail(QStringLiteral("\"exceptions\" must be a list of dates"));
    event.SetExceptions(dates);
    if (!rule.finish())
        in.fail(QStringLiteral("repeat: ") + error);
}

std::unique_ptr<CTavDbPcRecord> scheduleFromJson(const QJsonObject& object, CTavDbStoreBase& store,
                                                 QString* error)
{
    CliJsonReader in(object, error);
    auto event = std::make_unique<CTavDbDateRecord>();
    event->SetDesc(in.text(QStringLiteral("desc"), QString(), CTavDbDateRecord::kMaxDescBytes));
    event->SetNote(in.text(QStringLiteral("note"), QString(), CTavDbDateRecord::kMaxNoteBytes));
    if (!in.has(QStringLiteral("start")))
        in.fail(QStringLiteral("\"start\" is required"));
    event->SetStartTime(in.dateTime(QStringLiteral("start"), 0));
    event->SetEndTime(in.dateTime(QStringLiteral("end"), event->GetStartTime()));
    event->SetUntimed(in.boolean(QStringLiteral("untimed")));
    event->SetAlarm(in.boolean(QStringLiteral("alarm")));
    event->SetAlarmAdvance(
        in.integer(QStringLiteral("alarmAdvance"), 5, 0, CTavDbDateRecord::kMaxAlarmAdvance));
    event->SetAlarmUnit(in.integer(QStringLiteral("alarmUnit"), 0, 0, CTavDbDateRecord::AlarmDays));
    readIcon(in, *event);
    const QString color = in.text(QStringLiteral("color"));
    uint32_t colorValue = 0xFFFFFF;
    if (!color.isNull() && !parseColor(color, &colorValue))
        in.fail(QStringLiteral("\"color\" must be \"#RRGGBB\" or null"));
    event->SetTextColor(!color.isNull(), colorValue);
    event->SetSheetName(in.text(QStringLiteral("sheet"), QString(), CTavDbDateRecord::kMaxSheetNameBytes));
    readRepeat(in, *event);
    readCategory(in, *event, store);
    if (in.ok() && !event->GetIsUntimed() && event->GetEndTime() < event->GetStartTime())
        in.fail(QStringLiteral("\"end\" lies before \"start\""));
    if (!in.finish({QStringLiteral("id")}))
        return nullptr;
    if (event->Validate() != TavStatusCode::Ok) {
        *error = QStringLiteral("a field is out of its range");
        return nullptr;
    }
    return event;
}

QJsonObject repeatToJson(const CTavDbDateRecord& event)
{
    QJsonArray exceptions;
    for (const QDate& d : event.GetExceptions())
        exceptions.append(d.toString(QStringLiteral("yyyy-MM-dd")));
    return {{QStringLiteral("kind"), event.GetMyBrand()},
            {QStringLiteral("interval"), event.GetInterval()},
            {QStringLiteral("weekMask"), event.GetWeekDayMask()},
            {QStringLiteral("dayIndex"), event.GetDayIndex()},
            {QStringLiteral("weekIndex"), event.GetWeekIndex()},
            {QStringLiteral("monthIndex"), event.GetMonthIndex()},
            {QStringLiteral("dayNumber"), event.GetDayNumber()},
            {QStringLiteral("firstDayOfWeek"), event.GetFirstDayOfWeek()},
            {QStringLiteral("endDate"), CliJson::dateText(event.GetEndDate())},
            {QStringLiteral("exceptions"), exceptions}};
}

QJsonObject scheduleToJson(const CTavDbPcRecord& record, const CTavDbStoreBase& store)
{
    const auto& event = static_cast<const CTavDbDateRecord&>(record);
    QJsonObject o;
    CliJson::addCommon(o, record, store);
    o.insert(QStringLiteral("desc"), event.GetDesc());
    o.insert(QStringLiteral("note"), event.GetNote());
    o.insert(QStringLiteral("start"), CliJson::dateTimeText(event.GetStartTime()));
    o.insert(QStringLiteral("end"), CliJson::dateTimeText(event.GetEndTime()));
    o.insert(QStringLiteral("untimed"), event.GetIsUntimed());
    o.insert(QStringLiteral("alarm"), event.GetIsAlarmSet());
    o.insert(QStringLiteral("alarmAdvance"), event.GetAlarmAdvance());
    o.insert(QStringLiteral("alarmUnit"), event.GetAlarmUnit());
    QString iconName;
    uint32_t iconType = 0;
    int iconId = 0;
    event.GetIcon(iconName, iconType, iconId);
    o.insert(QStringLiteral("icon"), iconId == 0 ? QJsonValue()
                                                 : QJsonObject{{QStringLiteral("name"), iconName},
                                                               {QStringLiteral("type"), typeText(iconType)},
                                                               {QStringLiteral("id"), iconId}});
    bool colorSet = false;
    uint32_t color = 0;
    event.GetTextColor(colorSet, color);
    o.insert(QStringLiteral("color"), colorSet ? QJsonValue(colorText(color)) : QJsonValue());
    o.insert(QStringLiteral("sheet"), event.GetSheetName());
    o.insert(QStringLiteral("repeat"), repeatToJson(event));
    return o;
}
} // namespace

LUMORA_CLI_STORE_KIND({"schedule",
                       [] { return std::unique_ptr<CTavDbStoreBase>(std::make_unique<CTavDbDate>()); },
                       &scheduleFromJson, &scheduleToJson,
                       "desc, note, start, end, untimed, alarm, alarmAdvance, alarmUnit, icon, color, sheet, "
                       "repeat {kind, interval, weekMask, dayIndex, weekIndex, monthIndex, dayNumber, "
                       "firstDayOfWeek, endDate, exceptions}, category, private"})
