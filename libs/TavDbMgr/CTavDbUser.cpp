#include "CTavDbUser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <sodium.h>

#include "CTavDbEnv.h"
#include "CTavDbFileUtil.h"
#include "CTavDbText.h"

namespace {
QString userListPath()
{
    return CTavDbEnv::GetCorePath() + QStringLiteral("users.json");
}

QString folderOf(uint32_t id)
{
    return QStringLiteral("User%1").arg(id, 4, 10, QLatin1Char('0'));
}

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

QString hashPassword(const QString& password)
{
    if (!sodiumReady())
        return QString();
    const QByteArray utf8 = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    // Interactive limits: a start-up check must not take seconds.
    if (crypto_pwhash_str_alg(hash, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                              crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        return QString();
    return QString::fromLatin1(hash);
}
} // namespace

CTavDbUser::CTavDbUser()
{
    Reload();
}

QString CTavDbUser::ListFilePath()
{
    return userListPath();
}

TavStatus CTavDbUser::Reload()
{
    QFile file(userListPath());
    if (!file.exists()) {
        m_users.clear();
        m_lastId = 0;
        m_unreadable = false;
        return TavStatusCode::Ok;
    }
    // A list that does not read leaves the users known so far in place, and is never written
    // over until it reads again.
    m_unreadable = true;
    if (!file.open(QIODevice::ReadOnly))
        return TavStatusCode::FileError;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return TavStatusCode::Corrupt;
    QList<Entry> users;
    uint32_t lastId = static_cast<uint32_t>(doc.object().value(QStringLiteral("lastId")).toInteger());
    for (const QJsonValue& v : doc.object().value(QStringLiteral("users")).toArray()) {
        const QJsonObject o = v.toObject();
        Entry e;
        e.id = static_cast<uint32_t>(o.value(QStringLiteral("id")).toInteger());
        e.name = o.value(QStringLiteral("name")).toString();
        e.passwordHash = o.value(QStringLiteral("password")).toString();
        const auto named = [&e](const Entry& u) { return u.name == e.name; };
        const auto sameFolder = [&e](const Entry& u) { return u.id == e.id; };
        if (e.id == 0 || e.name.isEmpty() || std::any_of(users.cbegin(), users.cend(), named))
            continue;
        // The id names the data folder: two users on one folder cannot be told apart.
        if (std::any_of(users.cbegin(), users.cend(), sameFolder))
            return TavStatusCode::Corrupt;
        users.append(e);
        lastId = std::max(lastId, e.id);
    }
    m_users = std::move(users);
    m_lastId = lastId;
    m_unreadable = false;
    if (!find(m_current))
        m_current.clear();
    return TavStatusCode::Ok;
}

TavStatus CTavDbUser::save() const
{
    if (m_unreadable)
        return TavStatusCode::Corrupt;
    QJsonArray list;
    for (const Entry& e : m_users) {
        QJsonObject o{{QStringLiteral("id"), static_cast<qint64>(e.id)}, {QStringLiteral("name"), e.name}};
        if (!e.passwordHash.isEmpty())
            o.insert(QStringLiteral("password"), e.passwordHash);
        list.append(o);
    }
    const QJsonDocument doc(QJsonObject{{QStringLiteral("lastId"), static_cast<qint64>(m_lastId)},
                                        {QStringLiteral("users"), list}});
    return CTavDbFileUtil::writeAtomically(userListPath(), doc.toJson()) ? TavStatusCode::Ok
                                                                         : TavStatusCode::FileError;
}

const CTavDbUser::Entry* CTavDbUser::find(const QString& name) const
{
    for (const Entry& e : m_users)
        if (e.name == name)
            return &e;
    return nullptr;
}

int CTavDbUser::GetUserCount() const
{
    return static_cast<int>(m_users.size());
}

QStringList CTavDbUser::GetUserNameList() const
{
    QStringList names;
    for (const Entry& e : m_users)
        names << e.name;
    return names;
}

uint32_t CTavDbUser::GetUserID(const QString& name) const
{
    const Entry* e = find(name);
    return e ? e->id : 0;
}

QString CTavDbUser::GetUserNameById(uint32_t id) const
{
    for (const Entry& e : m_users)
        if (e.id == id)
            return e.name;
    return QString();
}

TavStatus CTavDbUser::SetCurrUserName(const QString& name)
{
    if (!name.isEmpty() && !find(name))
        return TavStatusCode::NotFound;
    m_current = name;
    return TavStatusCode::Ok;
}

QString CTavDbUser::GetUserPath(const QString& name) const
{
    const Entry* e = find(name);
    return e ? CTavDbEnv::GetCorePath() + folderOf(e->id) + u'/' : QString();
}

bool CTavDbUser::IsValidName(const QString& name)
{
    // Names are labels, not folder names, but they travel to the handheld.
    return !name.trimmed().isEmpty() && !name.contains(u'\n') && CTavDbText::mbLength(name) <= kMaxNameBytes;
}

TavStatus CTavDbUser::AddUser(const QString& name)
{
    if (!IsValidName(name))
        return TavStatusCode::InvalidArgument;
    if (find(name))
        return TavStatusCode::Duplicate;
    if (m_unreadable)
        return TavStatusCode::Corrupt;
    uint32_t id = m_lastId + 1;
    while (QFileInfo::exists(CTavDbEnv::GetCorePath() + folderOf(id)))
        ++id;
    m_users.append(Entry{id, name, QString()});
    // The folders first: a listed user without them could hold no data.
    if (AddUserDirectory(name) != TavStatusCode::Ok) {
        m_users.removeLast();
        return TavStatusCode::Failed;
    }
    m_lastId = id;
    const TavStatus status = save();
    if (status != TavStatusCode::Ok)
        Reload();
    return status;
}

TavStatus CTavDbUser::AddUserDirectory(const QString& name)
{
    const QString root = GetUserPath(name);
    if (root.isEmpty())
        return TavStatusCode::NotFound;
    const QStringList folders = {CTavDbEnv::GetPdtDateDir(),
                                 CTavDbEnv::GetPdtAddrDir(),
                                 CTavDbEnv::GetPdtTodoDir(),
                                 CTavDbEnv::GetPdtMemoDir(),
                                 CTavDbEnv::GetMmContentsDir(),
                                 CTavDbEnv::GetBenriDir(),
                                 CTavDbEnv::GetBackupDir(),
                                 CTavDbEnv::GetQuillosDir(),
                                 CTavDbEnv::GetPastDataDir() + u'/' + CTavDbEnv::GetQuillosDir(),
                                 CTavDbEnv::GetDokoDir(),
                                 CTavDbEnv::GetTavDateDir(),
                                 QStringLiteral("TAV")};
    for (const QString& folder : folders)
        if (!CTavDbFileUtil::ensureDirectory(root + folder))
            return TavStatusCode::FileError;
    return TavStatusCode::Ok;
}

TavStatus CTavDbUser::UpdateUser(const QString& oldName, const QString& newName)
{
    if (!IsValidName(newName))
        return TavStatusCode::InvalidArgument;
    if (!find(oldName))
        return TavStatusCode::NotFound;
    if (m_unreadable)
        return TavStatusCode::Corrupt; // memory must not drift from a list that cannot be written
    if (oldName == newName)
        return TavStatusCode::Ok;
    if (find(newName))
        return TavStatusCode::Duplicate;
    for (Entry& e : m_users)
        if (e.name == oldName)
            e.name = newName;
    const TavStatus status = save();
    if (status != TavStatusCode::Ok) {
        Reload();
        return status;
    }
    if (m_current == oldName)
        m_current = newName;
    return TavStatusCode::Ok;
}

TavStatus CTavDbUser::DeleteUser(const QString& name)
{
    const QString path = GetUserPath(name);
    if (path.isEmpty())
        return TavStatusCode::NotFound;
    if (m_unreadable)
        return TavStatusCode::Corrupt;
    m_users.removeIf([&name](const Entry& e) { return e.name == name; });
    const TavStatus status = save();
    if (status != TavStatusCode::Ok) {
        Reload();
        return status;
    }
    if (m_current == name)
        m_current.clear();
    QDir(path).removeRecursively();
    return TavStatusCode::Ok;
}

bool CTavDbUser::IsSettingPassword(const QString& name) const
{
    const Entry* e = find(name);
    return e && !e->passwordHash.isEmpty();
}

int CTavDbUser::IsValidPassword(const QString& name, const QString& password) const
{
    const Entry* e = find(name);
    if (!e)
        return 0;
    if (e->passwordHash.isEmpty())
        return 1;
    if (!sodiumReady())
        return 0;
    const QByteArray hash = e->passwordHash.toLatin1();
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0
               ? 1
               : 0;
}

TavStatus CTavDbUser::SetPassword(const QString& name, const QString& password)
{
    Entry* entry = nullptr;
    for (Entry& e : m_users)
        if (e.name == name)
            entry = &e;
    if (!entry)
        return TavStatusCode::NotFound;
    QString hash;
    if (!password.isEmpty()) {
        hash = hashPassword(password);
        if (hash.isEmpty())
            return TavStatusCode::Failed;
    }
    const QString old = entry->passwordHash;
    entry->passwordHash = hash;
    const TavStatus status = save();
    if (status != TavStatusCode::Ok)
        entry->passwordHash = old;
    return status;
}
