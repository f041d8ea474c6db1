#include "CTavFreeFileMove.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace CTavFreeFileMove {

bool Copy(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 16);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
    }
    return target.commit();
}

bool Move(const QString& from, const QString& to)
{
    if (QFile::exists(to) && !QFile::remove(to))
        return false;
    if (QFile::rename(from, to))
        return true;
    return Copy(from, to) && QFile::remove(from);
}

bool MoveOverOlder(const QString& from, const QString& to)
{
    if (QFile::exists(to) && !SameBytes(from, to) &&
        QFileInfo(to).lastModified() >= QFileInfo(from).lastModified())
        return false;
    return Move(from, to);
}

bool SameBytes(const QString& a, const QString& b)
{
    QFile first(a);
    QFile second(b);
    return first.size() == second.size() && first.open(QIODevice::ReadOnly) &&
           second.open(QIODevice::ReadOnly) && first.readAll() == second.readAll();
}

} // namespace CTavFreeFileMove
