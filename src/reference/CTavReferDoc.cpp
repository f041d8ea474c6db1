#include "CTavReferDoc.h"

#include <QCollator>
#include <QDir>
#include <QUndoStack>
#include <algorithm>

#include "CTavApp.h"
#include "CTavDbBackupFolder.h"
#include "CTavDbEnv.h"
#include "CTavDbFreePrcObjectManager.h"
#include "CTavDbUser.h"
#include "CTavReferDeleteCommand.h"
#include "sheet/CTavDbFreePdbObjectManager.h"

CTavReferDoc::CTavReferDoc(CTavApp& app, QObject* parent)
    : CTavModuleDoc(app, QStringLiteral("便利情報"), parent)
{
}

CTavReferDoc::~CTavReferDoc() = default;

QString CTavReferDoc::Folder() const
{
    return App().Users().GetCurrUserPath() + CTavDbEnv::GetBenriDir();
}

const CTavReferEntry* CTavReferDoc::Entry(int index) const
{
    return index >= 0 && index < Count() ? &m_entries[static_cast<size_t>(index)] : nullptr;
}

void CTavReferDoc::Reload()
{
    m_entries.clear();
    m_selected = -1;
    // The seals' pictures come from the handheld applications of the backup folder; one store
    // serves every sheet of the list.
    const QStringList resourceFolders{CTavDbBackupFolder::Path(App().Users())};
    if (!m_resources || m_resources->GetFolders() != resourceFolders)
        m_resources = std::make_shared<CTavDbFreePrcObjectManager>(resourceFolders);

    const QFileInfoList files =
        QDir(Folder()).entryInfoList({QStringLiteral("*.pdb"), QStringLiteral("*.PDB")}, QDir::Files);
    for (const QFileInfo& file : files) {
        auto sheet = std::make_shared<CTavDbFreePdbObjectManager>();
        sheet->SetResources(m_resources);
        // Other databases share the folder (memo sheets, pictures of sheets): only reference
        // sheets are listed.
        if (sheet->LoadFromFile(file.filePath()) != TavStatusCode::Ok ||
            !sheet->IsSheetOfType(CTavDbFreePdbObjectManager::TypeReference))
            continue;
        sheet->CreateObjects();
        CTavReferEntry entry;
        entry.path = file.filePath();
        entry.title = sheet->GetHeader().GetName();
        entry.thumbnail =
            sheet->CreateThumbnailBitmapEx(CTavDbFreePdbObjectManager::PageRect, kThumbnailSize);
        entry.sheet = std::move(sheet);
        m_entries.push_back(std::move(entry));
    }
    sortEntries();
    emit entriesRebuilt();
    emit entrySelected(-1);
    UpdateAllViews(0);
}

void CTavReferDoc::sortEntries()
{
    // Titles are Japanese: the locale's order puts kana and kanji where a reader looks for
    // them. Equal titles keep the order of their file names either way.
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setNumericMode(true);
    const bool descending = m_sort == TitleDescending;
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [&](const CTavReferEntry& a, const CTavReferEntry& b) {
                         const int byTitle = collator.compare(a.title, b.title);
                         if (byTitle != 0)
                             return descending ? byTitle > 0 : byTitle < 0;
                         return QString::compare(a.path, b.path) < 0;
                     });
}

void CTavReferDoc::Select(int index)
{
    m_selected = Entry(index) ? index : -1;
    emit entrySelected(m_selected);
}

void CTavReferDoc::SetSort(int choice)
{
    if (choice != TitleAscending && choice != TitleDescending)
        return;
    m_sort = choice;
    sortEntries();
    m_selected = -1;
    emit entriesRebuilt();
    emit entrySelected(-1);
}

QStringList CTavReferDoc::DeleteFiles(const QStringList& paths)
{
    auto command = std::make_unique<CTavReferDeleteCommand>(Folder(), paths, [this] { Reload(); });
    QStringList left;
    for (const QString& path : paths)
        if (!command->Moved().contains(path))
            left << path;
    if (!command->Moved().isEmpty()) {
        UndoStack().push(command.release());
        Reload();
    }
    return left;
}
