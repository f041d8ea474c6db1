#include "CTavProfile.h"

#include <QSettings>

namespace {
QString& profilePath()
{
    static QString path;
    return path;
}
} // namespace

void CTavProfile::SetProfilePath(const QString& path) { profilePath() = path; }
QString CTavProfile::GetProfilePath() { return profilePath(); }

int CTavProfile::GetProfileInt(const QString& section, const QString& key, int def)
{
    bool ok = false;
    const int v = GetProfileString(section, key, QString()).toInt(&ok);
    return ok ? v : def;
}

QString CTavProfile::GetProfileString(const QString& section, const QString& key, const QString& def)
{
    if (profilePath().isEmpty())
        return def;
    QSettings s(profilePath(), QSettings::IniFormat);
    return s.value(section + u'/' + key, def).toString();
}

bool CTavProfile::WriteProfileInt(const QString& section, const QString& key, int value)
{
    return WriteProfileString(section, key, QString::number(value));
}

bool CTavProfile::WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    if (profilePath().isEmpty())
        return false;
    QSettings s(profilePath(), QSettings::IniFormat);
    s.setValue(section + u'/' + key, value);
    s.sync();
    return s.status() == QSettings::NoError;
}
