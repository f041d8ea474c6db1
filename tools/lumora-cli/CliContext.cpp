#include "CliContext.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>
#include <cstdio>

#include "CTavDbEnv.h"
#include "CTavRegOption.h"
#include "CliCommand.h"

namespace {
// Lumora saves everything before it answers.
constexpr int kAnswerTimeoutMs = 60000;

void prepareDataDir(const QString& dataDir)
{
    if (!dataDir.isEmpty())
        CTavDbEnv::SetCorePath(dataDir);
}
} // namespace

CliContext::CliContext(const QString& dataDir, const QString& userName)
    : m_users((prepareDataDir(dataDir), CTavDbUser())), m_userName(userName)
{
}

CliContext::~CliContext() = default;

int CliContext::beginWrite(bool settingsOnly)
{
    if (m_sync)
        return CliExit::Ok;
    auto sync = std::make_unique<CTavSyncSession>();
    const QString root = settingsOnly ? QString() : CTavDbEnv::GetCorePath();
    switch (sync->begin(root, QCoreApplication::applicationPid(), kAnswerTimeoutMs)) {
    case CTavSyncSession::Outcome::Started:
        // Lumora has just saved: the users it knows are on disk now.
        m_users.Reload();
        m_sync = std::move(sync);
        return CliExit::Ok;
    case CTavSyncSession::Outcome::Alone:
        return CliExit::Ok;
    case CTavSyncSession::Outcome::Refused:
        return fail(CliExit::DataError,
                    QStringLiteral("Lumora refused; nothing was written: %1").arg(sync->explanation()));
    case CTavSyncSession::Outcome::SyncRunning:
        return fail(CliExit::DataError,
                    QStringLiteral("a HotSync is running; nothing was written, try again when it has ended"));
    case CTavSyncSession::Outcome::Failed:
        break;
    }
    return fail(CliExit::DataError,
                QStringLiteral("Lumora runs but did not answer, or the HotSync state cannot "
                               "be written; nothing was written"));
}

QString CliContext::resolveUser()
{
    if (!m_userName.isEmpty()) {
        if (m_users.GetUserID(m_userName) == 0) {
            fail(CliExit::DataError, QStringLiteral("no user named \"%1\"").arg(m_userName));
            return QString();
        }
        return m_userName;
    }
    // Looking must not create the settings, so the value is peeked, not read.
    QString name;
    CTavRegOption().PeekString(CTavRegOption::kCurrentUser, &name);
    if (name.isEmpty() || m_users.GetUserID(name) == 0)
        name = m_users.GetUserNameList().value(0);
    if (name.isEmpty())
        fail(CliExit::DataError, QStringLiteral("there are no users; add one with \"useradd NAME\""));
    return name;
}

bool CliContext::selectUser()
{
    const QString name = resolveUser();
    if (name.isEmpty())
        return false;
    m_users.SetCurrUserName(name);
    if (m_users.AddUserDirectory(name) != TavStatusCode::Ok) {
        fail(CliExit::DataError, QStringLiteral("cannot create the folders of user \"%1\"").arg(name));
        return false;
    }
    return true;
}

void CliContext::printJson(const QJsonObject& object)
{
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
}

void CliContext::printLine(const QString& text)
{
    const QByteArray line = text.toUtf8() + '\n';
    fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
}

int CliContext::fail(int exitStatus, const QString& message)
{
    const QByteArray line = "lumora-cli: " + message.toUtf8() + '\n';
    fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    return exitStatus;
}

QString CliContext::statusText(TavStatus status)
{
    switch (status) {
    case TavStatusCode::Ok:
        return QStringLiteral("ok");
    case TavStatusCode::NotFound:
        return QStringLiteral("not found");
    case TavStatusCode::InvalidArgument:
        return QStringLiteral("invalid value");
    case TavStatusCode::FileError:
        return QStringLiteral("the file could not be read or written");
    case TavStatusCode::NotOurFile:
        return QStringLiteral("the file is neither a Lumora store nor a desktop archive of this kind");
    case TavStatusCode::Corrupt:
        return QStringLiteral("the file is damaged or cut short");
    case TavStatusCode::Unsupported:
        return QStringLiteral("the file is of a newer layout that cannot be read");
    case TavStatusCode::WrongKind:
        return QStringLiteral("the file holds another kind of records");
    case TavStatusCode::Refused:
        return QStringLiteral("refused");
    case TavStatusCode::CategoryLimit:
        return QStringLiteral("no free category slot");
    case TavStatusCode::Duplicate:
        return QStringLiteral("the name is already used");
    case TavStatusCode::RecordLimit:
        return QStringLiteral("the store's record limit is reached");
    default:
        return QStringLiteral("error %1").arg(status);
    }
}

QStringList CliContext::readStdinLines()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    QStringList lines;
    while (!in.atEnd()) {
        const QString line = QString::fromUtf8(in.readLine()).trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

bool CliContext::takeOption(QStringList& args, const QString& name, QString* value)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == name && i + 1 < args.size()) {
            *value = args[i + 1];
            args.remove(i, 2);
            return true;
        }
        if (args[i].startsWith(name + u'=')) {
            *value = args[i].mid(name.size() + 1);
            args.remove(i);
            return true;
        }
    }
    return false;
}

bool CliContext::takeFlag(QStringList& args, const QString& name)
{
    return args.removeAll(name) > 0;
}
