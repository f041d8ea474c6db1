#include "CTavDbHolidayImport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

#include "CTavDbCsvSplitter.h"
#include "CTavDbEnv.h"
#include "CTavDbFileUtil.h"
#include "CTavDbPalmDate.h"
#include "CTavDbText.h"

namespace {
// "2024/2/12", also with '-' as published elsewhere.
QDate parseDate(const QString& text)
{
    const QStringList parts = text.trimmed().split(QRegularExpression(QStringLiteral("[/-]")));
    if (parts.size() != 3)
        return {};
    bool ok[3] = {};
    const QDate date(parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toInt(&ok[2]));
    return ok[0] && ok[1] && ok[2] ? date : QDate();
}
} // namespace

void CTavDbHolidayImport::Clear()
{
    m_years.clear();
}

bool CTavDbHolidayImport::Load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 を開けません。").arg(QDir::toNativeSeparators(path));
        return false;
    }
    return Parse(file.readAll(), QDir::toNativeSeparators(path), error);
}

bool CTavDbHolidayImport::Parse(const QByteArray& bytes, const QString& fileName, QString* error)
{
    QHash<int, QList<CTavDbHolidays::Holiday>> years;
    CTavDbCsvSplitter splitter(bytes, ',', 4096);
    QList<QByteArray> fields;
    bool first = true;
    for (CTavDbCsvSplitter::Result result; (result = splitter.Next(&fields)) != CTavDbCsvSplitter::End;) {
        if (result == CTavDbCsvSplitter::Ok && CTavDbCsvSplitter::IsBlank(fields))
            continue;
        bool decoded = result == CTavDbCsvSplitter::Ok && fields.size() >= 2;
        const QDate date = decoded ? parseDate(QString::fromLatin1(fields[0])) : QDate();
        const QString name = decoded ? CTavDbText::fromCp932(fields[1], &decoded).trimmed() : QString();
        const bool title = first;
        first = false;
        if (!date.isValid() || name.isEmpty() || !decoded) {
            if (title) // the title line ("国民の祝日・休日月日,...")
                continue;
            *error = QStringLiteral("%1 の %2 行目は「日付,名称」の形ではありません。")
                         .arg(fileName)
                         .arg(splitter.RecordLine());
            return false;
        }
        years[date.year()].append({date, CTavDbPalmDate::FromDate(date), name});
    }
    if (years.isEmpty()) {
        *error = QStringLiteral("%1 に祝日がありません。").arg(fileName);
        return false;
    }
    for (auto& days : years)
        std::stable_sort(days.begin(), days.end(),
                         [](const auto& a, const auto& b) { return a.date < b.date; });
    m_years = std::move(years);
    return true;
}

QList<int> CTavDbHolidayImport::Years() const
{
    QList<int> years = m_years.keys();
    std::sort(years.begin(), years.end());
    return years;
}

int CTavDbHolidayImport::Count() const
{
    int count = 0;
    for (const auto& days : m_years)
        count += static_cast<int>(days.size());
    return count;
}

QString CTavDbHolidayImport::PathIn(const QString& userFolder)
{
    if (userFolder.isEmpty())
        return QString();
    return QDir(userFolder).filePath(QString::fromLatin1(FileName));
}

QString CTavDbHolidayImport::UserFolderOf(const QString& backupFolder)
{
    const QString backup = CTavDbEnv::GetBackupDir() + u'/';
    if (!backupFolder.endsWith(backup))
        return QString();
    return backupFolder.chopped(backup.size());
}

bool CTavDbHolidayImport::Import(const QString& source, const QString& userFolder, CTavDbHolidayImport* list,
                                 QString* error)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 を開けません。").arg(QDir::toNativeSeparators(source));
        return false;
    }
    const QByteArray bytes = file.readAll();
    CTavDbHolidayImport parsed;
    if (!parsed.Parse(bytes, QDir::toNativeSeparators(source), error))
        return false;
    const QString target = PathIn(userFolder);
    if (target.isEmpty() || !CTavDbFileUtil::writeAtomically(target, bytes)) {
        *error = QStringLiteral("%1 に書き込めません。").arg(QDir::toNativeSeparators(target));
        return false;
    }
    if (list)
        *list = std::move(parsed);
    return true;
}
