#include "CTavDbSearchSheets.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "../sheet/CTavDbFreeMiscInfoObject.h"
#include "../sheet/CTavDbFreePdbObjectManager.h"

namespace {
// The title from the misc-info record alone: the drawing objects need not be made.
QString titleOf(const CTavDbFreePdbObjectManager& sheet)
{
    const CTavDbPalmDatabase& db = sheet.GetHeader();
    for (int i = 0; i < db.GetRecordCount(); ++i) {
        const QByteArrayView data = db.GetRecordView(i);
        if (CTavDbFreeRecord::PeekKind(data) != CTavDbFreeRecord::KindMiscInfo)
            continue;
        CTavDbFreeMiscInfoObject misc;
        return misc.Parse(data) ? misc.GetTitle() : QString();
    }
    return QString();
}
} // namespace

bool CTavDbSearchSheets::Scan(const QString& folder)
{
    bool changed = folder != m_folder;
    if (changed)
        m_files.clear();
    m_folder = folder;
    QHash<QString, File> files;
    if (!folder.isEmpty()) {
        const QFileInfoList infos =
            QDir(folder).entryInfoList({QStringLiteral("*.pdb"), QStringLiteral("*.PDB")}, QDir::Files);
        files.reserve(infos.size());
        for (const QFileInfo& info : infos) {
            const QString path = info.absoluteFilePath();
            File file = m_files.value(path);
            if (file.size != info.size() || file.modified != info.lastModified()) {
                changed = true;
                file.size = info.size();
                file.modified = info.lastModified();
                CTavDbFreePdbObjectManager sheet;
                file.isSheet = sheet.LoadFromFile(path) == TavStatusCode::Ok && sheet.IsSheetOfType(m_type);
                file.title = file.isSheet ? titleOf(sheet) : QString();
            }
            files.insert(path, file);
        }
    }
    if (files.size() != m_files.size())
        changed = true;
    m_files = std::move(files);
    return changed;
}

std::vector<CTavDbSearchTable::Row> CTavDbSearchSheets::Rows() const
{
    std::vector<CTavDbSearchTable::Row> rows;
    for (auto it = m_files.begin(); it != m_files.end(); ++it) {
        if (!it->isSheet || it->title.isEmpty())
            continue;
        CTavDbSearchTable::Row row;
        row.path = it.key();
        row.title = it->title;
        row.fields.append({0, it->title});
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return rows;
}
