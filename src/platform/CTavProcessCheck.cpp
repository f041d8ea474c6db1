#include "CTavProcessCheck.h"

#include <QFile>
#include <cerrno>
#include <csignal>

bool CTavProcessCheck::isAlive(qint64 pid)
{
    if (pid <= 0 || pid != static_cast<pid_t>(pid))
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0)
        return errno == EPERM; // it exists, only not ours to signal
    // A zombie has ended: its state follows the parenthesised command name in stat.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.read(4096);
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) != "Z";
}
