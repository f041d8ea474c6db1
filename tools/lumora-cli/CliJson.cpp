#include "CliJson.h"

#include <QJsonArray>

#include "CTavDbPcRecord.h"
#include "CTavDbStoreBase.h"
#include "CTavDbText.h"

bool CliJsonReader::finish(const QStringList& alsoAllowed)
{
    for (auto it = m_object.begin(); it != m_object.end(); ++it)
        if (!m_seen.contains(it.key()) && !alsoAllowed.contains(it.key()))
            fail(QStringLiteral("unknown field \"%1\"").arg(it.key()));
    return ok();
}

void CliJsonReader::fail(const QString& message)
{
    if (m_error->isEmpty())
        *m_error = message;
}

QJsonValue CliJsonReader::value(const QString& key)
{
    m_seen.insert(key);
    return m_object.value(key);
}

QString CliJsonReader::text(const QString& key, const QString& def, int maxCp932Bytes)
{
    const QJsonValue v = value(key);
    if (v.isUndefined() || v.isNull())
        return def;
    if (!v.isString()) {
        fail(QStringLiteral("\"%1\" must be a string").arg(key));
        return def;
    }
    const QString s = v.toString();
    if (maxCp932Bytes >= 0 && CTavDbText::mbLength(s) > maxCp932Bytes) {
        fail(QStringLiteral("\"%1\" is longer than %2 bytes").arg(key).arg(maxCp932Bytes));
        return def;
    }
    return s;
}

bool CliJsonReader::boolean(const QString& key, bool def)
{
    const QJsonValue v = value(key);
    if (v.isUndefined() || v.isNull())
        return def;
    if (!v.isBool()) {
        fail(QStringLiteral("\"%1\" must be true or false").arg(key));
        return def;
    }
    return v.toBool();
}

int CliJsonReader::integer(const QString& key, int def, int min, int max)
{
    const QJsonValue v = value(key);
    if (v.isUndefined() || v.isNull())
        return def;
    const double d = v.toDouble(-1e300);
    if (!v.isDouble() || d != static_cast<double>(static_cast<long long>(d)) || d < min || d > max) {
        fail(QStringLiteral("\"%1\" must be a whole number from %2 to %3").arg(key).arg(min).arg(max));
        return def;
    }
    return static_cast<int>(d);
}

TavTime CliJsonReader::dateTime(const QString& key, TavTime def)
{
    const QJsonValue v = value(key);
    if (v.isUndefined() || v.isNull())
        return def;
    const QDateTime dt = QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!v.isString() || !dt.isValid() || !CTavDbTime::inRange(dt.date())) {
        fail(QStringLiteral("\"%1\" must be a local time YYYY-MM-DDTHH:MM:SS from 1970-01-02 to 2031-12-31").arg(key));
        return def;
    }
    return CTavDbTime::fromDateTime(dt);
}

TavTime CliJsonReader::date(const QString& key, TavTime def)
{
    const QJsonValue v = value(key);
    if (v.isUndefined())
        return def;
    if (v.isNull())
        return maxDateTime;
    const QDate d = QDate::fromString(v.toString(), QStringLiteral("yyyy-MM-dd"));
    if (!v.isString() || !CTavDbTime::inRange(d)) {
        fail(QStringLiteral("\"%1\" must be a date YYYY-MM-DD from 1970-01-02 to 2031-12-31, or null").arg(key));
        return def;
    }
    return CTavDbTime::fromDate(d);
}

void CliJsonReader::common(CTavDbPcRecord& record, CTavDbStoreBase& store)
{
    record.SetPrivate(boolean(QStringLiteral("private")));
    const QJsonValue v = value(QStringLiteral("category"));
    if (v.isUndefined() || v.isNull())
        return;
    if (!v.isString()) {
        fail(QStringLiteral("\"category\" must be a category name"));
        return;
    }
    const QString name = v.toString();
    if (const CTavDbCategory* c = store.FindCategoryByName(name)) {
        record.SetCategoryID(c->GetID());
        return;
    }
    if (CTavDbText::mbLength(name) > 15) {
        fail(QStringLiteral("category names take at most 15 bytes"));
        return;
    }
    uint32_t id = 0;
    if (store.AddCategory(name, &id) != TavStatusCode::Ok)
        fail(QStringLiteral("cannot add the category \"%1\" (at most 15 categories)").arg(name));
    else
        record.SetCategoryID(id);
}

QString CliJson::dateTimeText(TavTime t)
{
    return CTavDbTime::toDateTime(t).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QJsonValue CliJson::dateText(TavTime t)
{
    if (t == maxDateTime || t == 0)
        return QJsonValue::Null;
    return CTavDbTime::toDate(t).toString(QStringLiteral("yyyy-MM-dd"));
}

void CliJson::addCommon(QJsonObject& object, const CTavDbPcRecord& record, const CTavDbStoreBase& store)
{
    object.insert(QStringLiteral("id"), static_cast<qint64>(record.GetUniqueId()));
    const CTavDbCategory* c = store.FindCategoryById(record.GetCategoryID());
    object.insert(QStringLiteral("category"), c ? c->GetName() : QString());
    object.insert(QStringLiteral("private"), record.GetIsPrivate());
}
