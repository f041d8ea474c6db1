#include "HsCommands.h"

#include <cstdio>
#include <unistd.h>

#include "CTavHotSyncNotifier.h"
#include "CTavHotSyncState.h"
#include "CTavSyncSession.h"
#include "HsLogFile.h"

namespace {
constexpr int kDefaultTimeoutSeconds = 60;

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int usageError(const QString& message)
{
    print(stderr, QStringLiteral("lumora-hotsync: ") + message);
    print(stderr, HsCommands::usage());
    return HsCommands::Usage;
}

int notRunning(const QString& message)
{
    print(stderr, QStringLiteral("lumora-hotsync: ") + message);
    return HsCommands::NotRunning;
}

QString withExplanation(const QString& head, const QString& explanation)
{
    return explanation.isEmpty() ? head : head + QStringLiteral(": ") + explanation;
}

int request(int timeoutMs)
{
    const QString head = QStringLiteral("HotSync の開始要求: ");
    const std::optional<CTavHotSyncChannel::Answer> answer = CTavSyncSession::request(timeoutMs);
    if (!answer) {
        HsLogFile::append(head + QStringLiteral("Lumora は応答しませんでした"));
        return notRunning(QStringLiteral("Lumora is not running"));
    }
    if (answer->value == 0) {
        HsLogFile::append(head + QStringLiteral("Lumora が受け付けました"));
        print(stdout, QStringLiteral("accepted"));
        return HsCommands::Ok;
    }
    HsLogFile::append(withExplanation(head + QStringLiteral("Lumora が拒否しました"), answer->explanation));
    print(stdout, withExplanation(QStringLiteral("refused"), answer->explanation));
    return HsCommands::Refused;
}

// The state is recorded before Lumora hears of the change, so that its next look at the
// state agrees with the notification. managerPid is the process that runs the HotSync: once it
// is gone, Lumora knows the HotSync will never end.
int startOrEnd(bool start, qint64 managerPid, int timeoutMs)
{
    if (!(start ? CTavSyncSession::recordRunning(managerPid) : CTavSyncSession::recordIdle())) {
        print(stderr, QStringLiteral("lumora-hotsync: cannot write %1").arg(CTavHotSyncState::filePath()));
        return HsCommands::Failed;
    }
    HsLogFile::append(start ? QStringLiteral("HotSync を開始しました")
                            : QStringLiteral("HotSync を終了しました"));
    if (!CTavHotSyncNotifier::send(start ? CTavSyncSession::Started : CTavSyncSession::Ended, timeoutMs))
        return notRunning(QStringLiteral("Lumora is not running; the HotSync state was recorded"));
    print(stdout, start ? QStringLiteral("started") : QStringLiteral("ended"));
    return HsCommands::Ok;
}

int status()
{
    CTavHotSyncState state;
    if (!CTavHotSyncState::read(&state)) {
        print(stderr, QStringLiteral("lumora-hotsync: cannot read %1").arg(CTavHotSyncState::filePath()));
        return HsCommands::Failed;
    }
    if (!state.running)
        print(stdout, QStringLiteral("idle"));
    else if (state.since.isValid())
        print(stdout, QStringLiteral("running since ") + state.since.toString(Qt::ISODate));
    else
        print(stdout, QStringLiteral("running"));
    return HsCommands::Ok;
}

int notify(const QString& number, int timeoutMs)
{
    bool ok = false;
    const int notification = number.toInt(&ok, 0);
    if (!ok || notification < 0)
        return usageError(QStringLiteral("not a notification number: ") + number);
    const std::optional<CTavHotSyncChannel::Answer> answer =
        CTavHotSyncNotifier::send(notification, timeoutMs);
    if (!answer)
        return notRunning(QStringLiteral("Lumora is not running"));
    print(stdout, withExplanation(QStringLiteral("answer %1").arg(answer->value), answer->explanation));
    return HsCommands::Ok;
}
} // namespace

QString HsCommands::usage()
{
    return QStringLiteral(
        "usage: lumora-hotsync [--timeout SECONDS] request|end|status|notify N\n"
        "       lumora-hotsync [--timeout SECONDS] [--pid PID] start\n"
        "       lumora-hotsync --settings|--connection|--log [--screenshot FILE]\n\n"
        "  request     ask Lumora whether a HotSync may start (exit 0 accepted, 1 refused)\n"
        "  start       record a running HotSync and tell Lumora it started; the HotSync belongs\n"
        "              to the process that ran this command, or to --pid PID\n"
        "  end         record that the HotSync ended and tell Lumora\n"
        "  status      print whether a HotSync runs (\"running since ...\" or \"idle\")\n"
        "  notify N    send Lumora any notification number and print its answer\n"
        "  --settings  the window \"HotSync 機能の動作設定\"\n"
        "  --connection  the window \"起動/接続設定\"\n"
        "  --log       the window \"HotSync ログ\"\n\n"
        "Exit status 2: Lumora is not running, or a usage error.");
}

int HsCommands::run(const QStringList& arguments)
{
    QStringList args = arguments;
    int timeoutSeconds = kDefaultTimeoutSeconds;
    const qsizetype timeoutAt = args.indexOf(QStringLiteral("--timeout"));
    if (timeoutAt >= 0) {
        bool ok = false;
        timeoutSeconds = args.value(timeoutAt + 1).toInt(&ok);
        if (!ok || timeoutSeconds <= 0 || timeoutSeconds > 24 * 3600)
            return usageError(QStringLiteral("--timeout needs a number of seconds"));
        args.remove(timeoutAt, 2);
    }
    qint64 managerPid = 0;
    const qsizetype pidAt = args.indexOf(QStringLiteral("--pid"));
    if (pidAt >= 0) {
        bool ok = false;
        managerPid = args.value(pidAt + 1).toLongLong(&ok);
        if (!ok || managerPid <= 0 || managerPid > 0x7FFFFFFF)
            return usageError(QStringLiteral("--pid needs a process id"));
        args.remove(pidAt, 2);
    }
    if (args.isEmpty())
        return usageError(QStringLiteral("no command"));
    const QString command = args.takeFirst();
    const int timeoutMs = timeoutSeconds * 1000;
    if (managerPid && command != QLatin1String("start"))
        return usageError(QStringLiteral("--pid goes with start only"));
    if (command == QLatin1String("--help") || command == QLatin1String("help")) {
        print(stdout, usage());
        return Ok;
    }
    if (command == QLatin1String("notify"))
        return args.size() == 1 ? notify(args.first(), timeoutMs)
                                : usageError(QStringLiteral("notify needs one number"));
    if (!args.isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\"").arg(args.first()));
    if (command == QLatin1String("request"))
        return request(timeoutMs);
    if (command == QLatin1String("start") || command == QLatin1String("end"))
        return startOrEnd(command == QLatin1String("start"), managerPid ? managerPid : ::getppid(),
                          timeoutMs);
    if (command == QLatin1String("status"))
        return status();
    return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
}
