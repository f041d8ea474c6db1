#include "CTavProfile.h"

#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include "CTavIniFile.h"

namespace {
struct ProfileState
{
    QMutex mutex;
    QString path;
    std::function<void(const QString&)> failed;
};

ProfileState& state()
{
    static ProfileState s;
    return s;
}

// The file is read at every call: it is small, read rarely, and may be changed by another
// program (a HotSync) between two reads.
bool loadProfile(const QString& path, CTavIniFile* ini)
{
    return !path.isEmpty() && ini->load(path);
}

template <typename Edit> bool editProfile(Edit edit)
{
    QMutexLocker lock(&state().mutex);
    const QString path = state().path;
    if (path.isEmpty())
        return false;
    CTavIniFile ini;
    // A file that exists but cannot be read is not ours to replace.
    const bool read = ini.load(path) || !QFileInfo::exists(path);
    if (read && !edit(ini))
        return false;
    if (read && ini.save(path))
        return true;
    const auto failed = state().failed;
    lock.unlock();
    if (failed)
        failed(path);
    return false;
}
} // namespace

QString CTavProfile::ProfilePathForUser(const QString& userPath)
{
    if (userPath.isEmpty())
        return QString();
    const bool separated = userPath.endsWith(u'/') || userPath.endsWith(u'\\');
    return userPath + (separated ? QString() : QStringLiteral("/")) + QStringLiteral("TAV/SetupTAV.INI");
}

void CTavProfile::SetProfilePath(const QString& path)
{
    QMutexLocker lock(&state().mutex);
    state().path = path;
}

QString CTavProfile::ProfilePath()
{
    QMutexLocker lock(&state().mutex);
    return state().path;
}

int CTavProfile::GetProfileInt(const QString& section, const QString& key, int def)
{
    CTavIniFile ini;
    return loadProfile(ProfilePath(), &ini) ? ini.getInt(section, key, def) : def;
}

QString CTavProfile::GetProfileString(const QString& section, const QString& key, const QString& def)
{
    CTavIniFile ini;
    return loadProfile(ProfilePath(), &ini) ? ini.getString(section, key, def) : def;
}

bool CTavProfile::WriteProfileInt(const QString& section, const QString& key, int value)
{
    return editProfile([&](CTavIniFile& ini) { return ini.setInt(section, key, value); });
}

void CTavProfile::SetWriteFailureHandler(std::function<void(const QString&)> handler)
{
    QMutexLocker lock(&state().mutex);
    state().failed = std::move(handler);
}

bool CTavProfile::WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    return editProfile([&](CTavIniFile& ini) { return ini.setString(section, key, value); });
}
