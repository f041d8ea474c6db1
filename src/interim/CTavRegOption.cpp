#include "CTavRegOption.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "CTavDbFileUtil.h"
#include "CTavPlatformPaths.h"

namespace {
const QString kProductKey = QStringLiteral("SOFTWARE\\Ostrel Corporation\\Lumora");
const QString kOptionKey = kProductKey + QStringLiteral("\\Option");

QString storePath() { return CTavPlatformPaths::configDir() + QStringLiteral("/registry.json"); }

QJsonObject readAll()
{
    QFile file(storePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

bool writeValue(const QString& key, const QString& name, const QJsonObject& value)
{
    QJsonObject all = readAll();
    QJsonObject k = all.value(key).toObject();
    k.insert(name, value);
    all.insert(key, k);
    if (!CTavDbFileUtil::ensureDirectory(CTavPlatformPaths::configDir()))
        return false;
    return CTavDbFileUtil::writeAtomically(storePath(), QJsonDocument(all).toJson());
}

QJsonObject findValue(const QString& key, const QString& name)
{
    return readAll().value(key).toObject().value(name).toObject();
}

QJsonObject stringValue(const QString& s) { return {{"type", "string"}, {"value", s}}; }
QJsonObject numberValue(int32_t n) { return {{"type", "number"}, {"value", n}}; }
} // namespace

int CTavRegOption::ReadString(const QString& name, QString& out, const QString& def)
{
    out.clear();
    if (name.isEmpty())
        return 0;
    QJsonObject v = findValue(kOptionKey, name);
    if (v.isEmpty()) {
        if (!writeValue(kOptionKey, name, stringValue(def)))
            return 0;
        v = stringValue(def);
    }
    if (v.value("type").toString() != QLatin1String("string"))
        return 0;
    out = v.value("value").toString();
    return 1;
}

int CTavRegOption::ReadNumber(const QString& name, int32_t& out, int32_t def)
{
    out = 0;
    if (name.isEmpty())
        return 0;
    QJsonObject v = findValue(kOptionKey, name);
    if (v.isEmpty()) {
        if (!writeValue(kOptionKey, name, numberValue(def)))
            return 0;
        v = numberValue(def);
    }
    if (v.value("type").toString() != QLatin1String("number"))
        return 0;
    out = v.value("value").toInt();
    return 1;
}

int CTavRegOption::WriteString(const QString& name, const QString& value)
{
    const QJsonObject v = findValue(kOptionKey, name);
    if (name.isEmpty() || (!v.isEmpty() && v.value("type").toString() != QLatin1String("string")))
        return 0;
    return writeValue(kOptionKey, name, stringValue(value)) ? 1 : 0;
}

int CTavRegOption::WriteNumber(const QString& name, int32_t value)
{
    const QJsonObject v = findValue(kOptionKey, name);
    if (name.isEmpty() || (!v.isEmpty() && v.value("type").toString() != QLatin1String("number")))
        return 0;
    return writeValue(kOptionKey, name, numberValue(value)) ? 1 : 0;
}

int CTavRegOption::ReadLanguage(const QString& name, QString& out, const QString& def)
{
    out = def;
    const QJsonObject v = findValue(kProductKey, name);
    if (v.isEmpty()) {
        writeValue(kProductKey, name, stringValue(QString()));
        return 0;
    }
    if (v.value("type").toString() != QLatin1String("string") || v.value("value").toString().isEmpty())
        return 0;
    out = v.value("value").toString();
    return 1;
}
