#pragma once

#include "CTavCategorySource.h"
#include "CTavDialogBase.h"

class CTavDbStoreBase;
class CTavModuleDoc;
class QListWidget;
class QPushButton;

// "[module] カテゴリの編集": adds, renames and deletes the categories of a module. The unfiled
// category is never listed, so it can be neither renamed nor deleted. Every change is written
// back at once.
class CTavCategoryDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    // Entries the list may hold before New refuses (15 categories with the unfiled one).
    static constexpr int kMaxListed = 14;

    explicit CTavCategoryDlg(CTavCategorySource& source, QWidget* parent = nullptr);

    static QString KindName(CTavCategorySource::Kind kind);
    // Lets the user edit the categories of a module's store; all of it is one undo step of doc.
    static void EditAsUndoStep(CTavModuleDoc& doc, CTavDbStoreBase& store, CTavCategorySource::Kind kind,
                               QWidget* parent);

    // The selected category's name after OK (empty when none was selected).
    QString SelectedName() const { return m_result; }
    QListWidget* List() const { return m_list; }

    void OnNew();
    void OnRename();
    void OnDelete();
    void accept() override;

private:
    void refresh(const QString& select);
    QString selectedName() const;
    uint32_t selectedId() const;
    // Tells the user why the source refused a name; false when it was refused.
    bool checkStatus(TavStatus status, const QString& caption);

    CTavCategorySource& m_source;
    QListWidget* m_list;
    QString m_result;
};
