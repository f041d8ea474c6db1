#include "CTavFreeSheetMigration.h"

#include <QDir>
#include <QFileInfo>

#include "CTavFreeFileMove.h"
#include "CTavFreeSheetManager.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbMMContentsObject.h"

using Manager = CTavDbFreePdbObjectManager;

namespace {
QString failure(const QString& path, const QString& why)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
}

// Contents paths may come from the handheld's desktop with backslashes.
QString contentsFileName(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

int copyContents(const Manager& sheet, const QString& from, const QString& to, QStringList* failed)
{
    int copied = 0;
    for (int i = 0; i < sheet.GetRecordCount(); ++i) {
        const auto* contents = dynamic_cast<const CTavDbMMContentsObject*>(sheet.GetRecord(i));
        if (!contents || contents->GetSubType() == CTavDbMMContentsObject::Sheet)
            continue;
        const QString name = contentsFileName(contents->GetPath());
        const QString source = QDir(from).filePath(name);
        const QString target = QDir(to).filePath(name);
        if (name.isEmpty() || !QFileInfo(source).isFile())
            continue;
        // A file of that name the user already has is theirs: it is never replaced, and the
        // sheet that would show it in place of its own picture is named.
        if (QFileInfo::exists(target)) {
            if (!CTavFreeFileMove::SameBytes(source, target))
                *failed << failure(
                    source, QStringLiteral("同じ名前の別のファイルがあるため、コピーしませんでした。"));
            continue;
        }
        QDir().mkpath(to);
        if (CTavFreeFileMove::Copy(source, target))
            ++copied;
        else
            *failed << failure(source, QStringLiteral("コピーできませんでした。"));
    }
    return copied;
}
} // namespace

QHash<int, int> CTavFreeSheetMigration::MergeCategories(const QList<CTavDbCategory>& source,
                                                        CTavFreeSheetManager& target)
{
    QHash<int, int> map;
    for (const CTavDbCategory& theirs : source) {
        const int from = int(theirs.GetID());
        int to = 0;
        if (from != 0) {
            bool found = false;
            for (const CTavDbCategory& mine : target.Categories())
                if (mine.GetName() == theirs.GetName()) {
                    to = int(mine.GetID());
                    found = true;
                    break;
                }
            uint32_t added = 0;
            if (!found && target.Add(theirs.GetName(), &added) == TavStatusCode::Ok)
                to = int(added);
        }
        map.insert(from, to);
    }
    return map;
}

CTavFreeSheetMigration::Outcome CTavFreeSheetMigration::Run(const Source& source,
                                                            CTavFreeSheetManager& categories,
                                                            const QString& targetFolder,
                                                            const QString& targetContents)
{
    Outcome outcome;
    QList<CTavDbCategory> theirs;
    const bool named = CTavFreeSheetManager::ReadCategories(source.categoryFile, &theirs);
    const QHash<int, int> map = named ? MergeCategories(theirs, categories) : QHash<int, int>();
    const auto mapped = [&](int id) {
        if (!named)
            return source.keepIdsWithoutCategories ? id : 0;
        return map.value(id, 0);
    };

    QDir().mkpath(targetFolder);
    for (const QString& folder : source.folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.pdb")}, QDir::Files, QDir::Name)) {
            if (name.compare(Manager::CategoryFileName(), Qt::CaseInsensitive) == 0)
                continue;
            const QString from = dir.filePath(name);
            const QString to = QDir(targetFolder).filePath(name);
            if (QFileInfo(from) == QFileInfo(to))
                continue;
            Manager sheet;
            if (sheet.LoadFromFile(from) != TavStatusCode::Ok) {
                outcome.failed << failure(from, QStringLiteral("読み込めませんでした。"));
                continue;
            }
            if (!sheet.IsSheetOfType(Manager::TypeSheet) || sheet.CreateObjects() <= 0)
                continue; // another kind of handheld file
            // Saving a sheet read in part would lose the rest; one only put in order is whole.
            if (sheet.LostData()) {
                outcome.failed << failure(from, QStringLiteral("壊れているため移行しませんでした。"));
                continue;
            }
            const int id = mapped(sheet.GetCategoryId());
            bool written = false;
            if (id == sheet.GetCategoryId()) {
                written = CTavFreeFileMove::Copy(from, to);
            } else if (CTavDbFreeMiscInfoObject* info = sheet.GetMiscInfo()) {
                info->SetCategoryId(id);
                written = sheet.SaveAsFile(to, true) == TavStatusCode::Ok;
            }
            if (!written) {
                outcome.failed << failure(to, QStringLiteral("書き込めませんでした。"));
                continue;
            }
            ++outcome.copied;
            if (!source.contentsFolder.isEmpty())
                outcome.contentsCopied +=
                    copyContents(sheet, source.contentsFolder, targetContents, &outcome.failed);
        }
    }
    return outcome;
}
