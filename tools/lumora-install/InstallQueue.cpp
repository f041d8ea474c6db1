#include "InstallQueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "CTavDbFileUtil.h"
#include "CTavDbPalmDatabase.h"

namespace {
const QStringList kSuffixes{QStringLiteral("prc"), QStringLiteral("pdb"), QStringLiteral("pqa")};
// Far above any handheld database; keeps a wrong pick from being read whole into memory.
constexpr qint64 kMaxFileSize = 64LL * 1024 * 1024;

QStringList nameFilters()
{
    QStringList filters;
    for (const QString& suffix : kSuffixes)
        filters << QStringLiteral("*.") + suffix;
    return filters;
}
} // namespace

InstallQueue::InstallQueue(QString folder) : m_folder(std::move(folder)) {}

QString InstallQueue::FolderOfUser(const QString& userPath)
{
    return userPath + QStringLiteral("Install");
}

QList<InstallQueue::Entry> InstallQueue::entries() const
{
    QList<Entry> list;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList(nameFilters(), QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : files) {
        CTavDbPalmDatabase database;
        if (database.LoadFromFile(info.filePath()) != TavStatusCode::Ok)
            continue;
        list.append({info.fileName(), database.GetName(), info.size()});
    }
    return list;
}

QString InstallQueue::add(const QString& sourcePath)
{
    const QFileInfo source(sourcePath);
    if (!kSuffixes.contains(source.suffix().toLower()))
        return QStringLiteral("Kiro にインストールできるのは .prc、.pdb、.pqa ファイルだけです。");
    QFile file(sourcePath);
    if (source.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("\"%1\" を読み込めません。").arg(source.fileName());
    const QByteArray bytes = file.readAll();
    CTavDbPalmDatabase database;
    if (database.LoadFromBytes(bytes) != TavStatusCode::Ok)
        return QStringLiteral("\"%1\" は Kiro のアプリケーションまたはデータベースではありません。")
            .arg(source.fileName());
    if (!CTavDbFileUtil::ensureDirectory(m_folder))
        return QStringLiteral("インストール フォルダ \"%1\" を作成できません。").arg(m_folder);

    const QString target = m_folder + u'/' + source.fileName();
    if (!CTavDbFileUtil::writeAtomically(target, bytes))
        return QStringLiteral("\"%1\" をインストール フォルダにコピーできません。").arg(source.fileName());
    // Only after the copy is safe does an older file of the same database leave the queue.
    for (const Entry& queued : entries())
        if (queued.databaseName == database.GetName() && queued.fileName != source.fileName() &&
            !remove(queued.fileName))
            return QStringLiteral("\"%1\" を追加しましたが、同じデータベースの古いファイル \"%2\" "
                                  "をインストール フォルダから削除できませんでした。")
                .arg(source.fileName(), queued.fileName);
    return QString();
}

bool InstallQueue::contains(const QString& fileName) const
{
    return QFileInfo::exists(m_folder + u'/' + fileName);
}

bool InstallQueue::remove(const QString& fileName)
{
    return QFile::remove(m_folder + u'/' + fileName);
}
