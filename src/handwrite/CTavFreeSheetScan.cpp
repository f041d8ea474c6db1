#include "CTavFreeSheetScan.h"

#include <QDir>

#include "CTavDbText.h"
#include "sheet/CTavDbFreeMiscInfoObject.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

using Manager = CTavDbFreePdbObjectManager;

bool CTavFreeSheetScan::Read(const QString& path, CTavFreeSheetEntry* entry, QStringList* problems,
                             bool withThumbnail)
{
    Manager sheet;
    if (sheet.LoadFromFile(path) != TavStatusCode::Ok || !sheet.IsSheetOfType(Manager::TypeSheet) ||
        sheet.CreateObjects() <= 0)
        return false;
    if (problems && !sheet.GetProblems().isEmpty())
        *problems << QStringLiteral("%1:\n  %2")
                         .arg(QDir::toNativeSeparators(path),
                              sheet.GetProblems().join(QStringLiteral("\n  ")));
    entry->path = path;
    entry->title = sheet.GetTitle();
    entry->titleKey = CTavDbText::toCp932(entry->title);
    if (withThumbnail)
        entry->smallThumbnail = sheet.CreateThumbnailBitmapEx(Manager::PageRect, Manager::SmallThumbnailSize);
    entry->categoryId = sheet.GetCategoryId();
    entry->created = sheet.GetHeader().GetCreationDate();
    entry->modified = sheet.GetHeader().GetModificationDate();
    entry->fileSize = sheet.GetFileSize();
    const CTavDbFreeMiscInfoObject* info = sheet.GetMiscInfo();
    entry->eventTime = info ? info->GetEventTime() : 0;
    entry->alarm = info && info->IsAlarm();
    return true;
}

void CTavFreeSheetScan::Folder(const QString& folder, bool inPastFolder, const Filter& filter,
                               std::vector<CTavFreeSheetEntry>* entries, QStringList* problems,
                               bool withThumbnails)
{
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*.pdb")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : names) {
        // The category database lives in the same folder.
        if (name.compare(Manager::CategoryFileName(), Qt::CaseInsensitive) == 0)
            continue;
        CTavFreeSheetEntry entry;
        if (!Read(dir.filePath(name), &entry, problems, withThumbnails))
            continue;
        if (filter && !filter(entry.categoryId))
            continue;
        entry.inPastFolder = inPastFolder;
        entries->push_back(std::move(entry));
    }
}
