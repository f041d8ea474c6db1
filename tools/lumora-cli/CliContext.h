#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "CTavDbUser.h"
#include "CTavSyncSession.h"
#include "TavStatus.h"

// What every command shares: the global options, the user list, and the output channels.
class CliContext
{
public:
    CliContext(const QString& dataDir, const QString& userName);
    ~CliContext();

    // Called by a command before it reads what it will change: a Lumora that runs on the same
    // data saves and keeps still until the command ends, then reloads (as for a HotSync).
    // settingsOnly: the command changes only the settings, which every Lumora of this runtime
    // folder shares. 0 to go ahead, else the exit status, the reason printed.
    int beginWrite(bool settingsOnly = false);

    CTavDbUser& users() { return m_users; }
    // The user the command works on: --user, else the registry's current user, else the
    // first user. Empty (with a message printed) when there is none or the name is unknown.
    QString resolveUser();
    // Selects the resolved user as current and makes sure its folders exist.
    bool selectUser();
    QString explicitUser() const { return m_userName; }

    // One JSON object on its own line of standard output.
    static void printJson(const QJsonObject& object);
    static void printLine(const QString& text);
    // A message on standard error; returns the given exit status for convenience.
    static int fail(int exitStatus, const QString& message);
    static QString statusText(TavStatus status);
    // Reads all of standard input as UTF-8 lines (empty lines dropped).
    static QStringList readStdinLines();
    // Takes "--name VALUE" or "--name=VALUE" out of args; returns whether it was there.
    static bool takeOption(QStringList& args, const QString& name, QString* value);
    static bool takeFlag(QStringList& args, const QString& name);

private:
    CTavDbUser m_users;
    QString m_userName;
    std::unique_ptr<CTavSyncSession> m_sync;
};
