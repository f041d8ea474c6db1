#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "CTavModuleDoc.h"
#include "CTavReferEntry.h"

class CTavDbFreePrcObjectManager;

// The read-only reference sheets of the current user: every sheet file of the reference folder
// that is a reference database, in title order.
class CTavReferDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    enum SortChoice
    {
        TitleAscending = 0,
        TitleDescending = 1
    };
    // A page-shaped picture that the list draws unscaled in its 40-pixel rows.
    static constexpr QSize kThumbnailSize{30, 40};

    explicit CTavReferDoc(CTavApp& app, QObject* parent = nullptr);
    ~CTavReferDoc() override;

    // The current user's reference folder, and the folder the sheets' pictures are found in.
    QString Folder() const;

    // Reads the folder again; nothing is selected afterwards.
    void Reload() override;
    int Count() const { return static_cast<int>(m_entries.size()); }
    const CTavReferEntry* Entry(int index) const;
    // The entry the right pane shows, -1 for none.
    void Select(int index);
    int Selected() const { return m_selected; }

    int SortChoice() const { return m_sort; }
    void SetSort(int choice);

    // Moves the files aside as one undo step; they are deleted for good when the step leaves
    // the undo stack. The files that could not be moved aside.
    QStringList DeleteFiles(const QStringList& paths);

signals:
    void entriesRebuilt();
    void entrySelected(int index);

private:
    void sortEntries();

    std::vector<CTavReferEntry> m_entries;
    std::shared_ptr<CTavDbFreePrcObjectManager> m_resources;
    int m_sort = TitleAscending;
    int m_selected = -1;
};
