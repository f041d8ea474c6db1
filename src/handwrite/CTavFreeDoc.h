#pragma once

#include <QSet>
#include <QStringList>
#include <vector>

#include "CTavFreeSheetEntry.h"
#include "CTavModuleDoc.h"

// The handwritten memo sheets of the current user: the sheet files of the current and the
// past sheet folder that pass the category filter, in the chosen order. The list is read from
// disk on every reload; only the entries' fields and small thumbnails stay in memory.
class CTavFreeDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    static constexpr int kAllCategories = -1;

    explicit CTavFreeDoc(CTavApp& app, QObject* parent = nullptr);

    // Where new and imported sheets go: the backup folder while one is open, else the user's
    // current sheet folder.
    QString CurrentFolder() const;
    QString UserFolder() const;
    QString PastFolder() const;
    QString ContentsFolder() const;

    // A backup folder's sheets shown in place of the user's (empty: none). While one is open,
    // edits go to its files and nothing moves between the user's folders.
    QString BackupFolder() const { return m_backupFolder; }
    // False when the folder holds no memo sheet (nothing changes then).
    bool OpenBackupFolder(const QString& folder);
    void CloseBackupFolder();
    // Copies the open backup folder's sheets over the user's current sheets (categories merged
    // by name) and closes it; failures are added to *failed and keep it open. The number copied.
    int RestoreBackupFolder(QStringList* failed);
    // The user's sheets a restore of the open backup folder would write over (same name,
    // other content).
    QStringList SheetsReplacedByRestore() const;

    // Copies another user's memo sheets, current then past folder, into the current folder,
    // with their categories and contents files, then applies the transfer limit. The
    // failures, one per line; empty when all went well.
    QString MigrateFrom(const QString& sourceUserPath) override;

    // Scans both folders, sorts by the current key and tells the views.
    void Reload() override;
    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<CTavFreeSheetEntry>& Entries() const { return m_entries; }
    const CTavFreeSheetEntry* Entry(int index) const;
    // Byte-wise comparison of the path; -1 when not listed.
    int IndexOfPath(const QString& path) const;
    // The category name of an id, "Unknown Category" when no category has it.
    QString CategoryName(int id) const;

    // Sort keys 0-9 (see CTavFreeSheetSort); the list is sorted again at once.
    void Sort(int key);
    int SortKey() const { return m_sortKey; }
    // A category id or kAllCategories; reloads sorted by the first key.
    void SetFilter(int categoryId);
    int CategoryFilter() const { return m_filter; }

    // Deletes the files as one undo step; the files that are there but could not be deleted.
    QStringList DeleteFiles(const QStringList& paths);
    // Files the sheets under a category as one undo step; the sheets it could not change.
    QStringList MoveToCategory(const QStringList& paths, int categoryId);

    // The transfer-limit moves between the current and the past folder; each reloads and
    // returns the number of files moved. A sheet linked from an event or a To Do item is
    // never archived.
    int Archive(qint64 cutoff);
    int Restore(qint64 cutoff);
    // Archive then restore, for the cutoff the application hands on.
    void ApplyCutoff(qint64 cutoff);

    // Copies the files to a folder (existing files of the same name are replaced) and the
    // memo sheets of a folder into the current folder (under a new name when the name is
    // taken). Each returns the number copied.
    int ExportTo(const QString& folder, const QStringList& paths);
    int ImportFrom(const QString& folder);

    // After a category was removed: its sheets in both folders go to unfiled, or are deleted;
    // the sheets that could not be.
    QStringList MoveCategoryToUnfiled(int categoryId);
    QStringList DeleteCategoryData(int categoryId);

    // Removes what deleted sheets an earlier run left aside (while no step can want them).
    void DropKeptFiles();

    // What the last reloads found damaged and not yet shown to the user; cleared when taken.
    QString TakeProblems();

signals:
    // The entries were rebuilt or reordered.
    void entriesRebuilt();

private:
    void rescan();
    int archive(const std::vector<CTavFreeSheetEntry>& sheets, qint64 cutoff);
    int restore(const std::vector<CTavFreeSheetEntry>& sheets, qint64 cutoff);
    // Archive then restore over one scan of the user's folders.
    void moveByCutoff(qint64 cutoff);
    // Every memo sheet of both folders, regardless of the filter.
    std::vector<CTavFreeSheetEntry> allSheets() const;
    QString asideRoot() const;

    std::vector<CTavFreeSheetEntry> m_entries;
    int m_sortKey = 0;
    int m_filter = kAllCategories;
    QStringList m_problems;
    QSet<QString> m_reported; // problems already told
    QString m_backupFolder;
};
