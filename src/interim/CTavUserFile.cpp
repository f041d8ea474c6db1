#include "CTavUserFile.h"

#include <QFile>
#include <QtEndian>

#include "CTavDbFileUtil.h"

int CTavUserFile::ReadStartupPasswordFlag(const QString& userPath)
{
    if (userPath.isEmpty())
        return 0;
    QFile f(userPath + QStringLiteral("tavuser.dat"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray b = f.read(12);
    if (b.size() != 12)
        return 0;
    return qFromLittleEndian<int32_t>(b.constData() + 4);
}

bool CTavUserFile::Write(const QString& userPath, int32_t flag, int64_t time)
{
    if (userPath.isEmpty())
        return false;
    QByteArray b(12, '\0');
    qToLittleEndian<int32_t>(-1, b.data());
    qToLittleEndian<int32_t>(flag, b.data() + 4);
    qToLittleEndian<int32_t>(static_cast<int32_t>(time), b.data() + 8);
    return CTavDbFileUtil::writeAtomically(userPath + QStringLiteral("tavuser.dat"), b);
}
