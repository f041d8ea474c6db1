#include "CTavUserFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "CTavDbFileUtil.h"

QString CTavUserFile::FilePath(const QString& userPath)
{
    if (userPath.isEmpty())
        return QString();
    const bool separated = userPath.endsWith(u'/') || userPath.endsWith(u'\\');
    return userPath + (separated ? QString() : QStringLiteral("/")) + QStringLiteral("tavuser.dat");
}

int CTavUserFile::ReadStartupPasswordFlag(const QString& userPath)
{
    if (userPath.isEmpty())
        return 0;
    QFile file(FilePath(userPath));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.read(kSize + 1);
    if (bytes.size() != kSize)
        return 0;
    return qFromLittleEndian<qint32>(bytes.constData() + 4);
}

bool CTavUserFile::Write(const QString& userPath, int flag, int64_t time)
{
    if (userPath.isEmpty() || !QFileInfo(userPath).isDir())
        return false;
    QByteArray bytes(kSize, '\0');
    qToLittleEndian<qint32>(-1, bytes.data());
    qToLittleEndian<qint32>(flag, bytes.data() + 4);
    // 32 bits of seconds: the low word, so that the field stays meaningful past 2038.
    qToLittleEndian<quint32>(static_cast<quint32>(time), bytes.data() + 8);
    return CTavDbFileUtil::writeAtomically(FilePath(userPath), bytes);
}
