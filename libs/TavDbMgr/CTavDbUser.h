#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "TavStatus.h"

// The users of this PC: names, stable ids, data folders and password hashes, kept in the
// data root. A user's folder is named after the id, so a rename keeps the data in place.
class CTavDbUser
{
public:
    CTavDbUser();

    // The user list's file in the data root; it is replaced as a whole on each change.
    static QString ListFilePath();
    // Re-reads the user list from the data root.
    TavStatus Reload();

    int GetUserCount() const;
    QStringList GetUserNameList() const;
    // 0 when the name is unknown.
    uint32_t GetUserID(const QString& name) const;
    QString GetUserNameById(uint32_t id) const;

    QString GetCurrUserName() const { return m_current; }
    TavStatus SetCurrUserName(const QString& name);

    // The user's data folder, ending in '/'; empty for an unknown name.
    QString GetUserPath(const QString& name) const;
    QString GetCurrUserPath() const { return GetUserPath(m_current); }

    // The handheld keeps its HotSync user name in 40 bytes of code page 932.
    static constexpr int kMaxNameBytes = 40;
    // Not blank, one line, at most kMaxNameBytes.
    static bool IsValidName(const QString& name);
    TavStatus AddUser(const QString& name);
    // Makes sure every folder of the user exists.
    TavStatus AddUserDirectory(const QString& name);
    TavStatus UpdateUser(const QString& oldName, const QString& newName);
    TavStatus DeleteUser(const QString& name);

    bool IsSettingPassword(const QString& name) const;
    // Non-zero when the password is accepted (always for a user without one).
    int IsValidPassword(const QString& name, const QString& password) const;
    // An empty password clears it.
    TavStatus SetPassword(const QString& name, const QString& password);

private:
    struct Entry
    {
        uint32_t id = 0;
        QString name;
        QString passwordHash; // Argon2id string, empty for no password
    };
    TavStatus save() const;
    const Entry* find(const QString& name) const;

    QList<Entry> m_users;
    QString m_current;
    uint32_t m_lastId = 0;     // ids are never reused, so a new user cannot see an old user's leftovers
    bool m_unreadable = false; // the list file exists but cannot be read: never overwrite it
};
