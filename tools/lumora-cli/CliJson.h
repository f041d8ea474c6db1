#pragma once

#include <QJsonObject>
#include <QSet>
#include <QString>

#include "CTavDbTime.h"

class CTavDbPcRecord;
class CTavDbStoreBase;

// Strict reading of record fields from JSON: every helper records the first problem in
// error() and then answers a harmless default, so a converter can read all its fields and
// check once at the end.
class CliJsonReader
{
public:
    CliJsonReader(const QJsonObject& object, QString* error) : m_object(object), m_error(error) {}

    // Fails on any key that no reader asked for.
    bool finish(const QStringList& alsoAllowed = {});
    bool ok() const { return m_error->isEmpty(); }
    void fail(const QString& message);
    bool has(const QString& key) const { return m_object.contains(key); }

    QString text(const QString& key, const QString& def = QString(), int maxCp932Bytes = -1);
    bool boolean(const QString& key, bool def = false);
    int integer(const QString& key, int def, int min, int max);
    // Local "YYYY-MM-DDTHH:MM:SS".
    TavTime dateTime(const QString& key, TavTime def);
    // "YYYY-MM-DD" or null (maxDateTime).
    TavTime date(const QString& key, TavTime def);
    // The common fields: "category" (a name; created when new), "private".
    void common(CTavDbPcRecord& record, CTavDbStoreBase& store);
    QJsonValue value(const QString& key);

private:
    const QJsonObject& m_object;
    QString* m_error;
    QSet<QString> m_seen;
};

namespace CliJson {
QString dateTimeText(TavTime t);
QJsonValue dateText(TavTime t); // null for maxDateTime
// "id", "category", "private" and, for archived records, "archived".
void addCommon(QJsonObject& object, const CTavDbPcRecord& record, const CTavDbStoreBase& store);
} // namespace CliJson
