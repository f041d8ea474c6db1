#pragma once

#include <QStringList>

#include "CTavModuleFrame.h"

class CTavFreeBackupFolder;
class CTavFreeCommands;
class CTavFreeDoc;
class CTavFreeLeftView;
class CTavFreeRightView;
class QComboBox;

// The handwritten memo's window: category and order selectors above, the sheet list and the
// selected sheet's preview, and the new, edit and delete buttons below. The selected sheets
// stay selected across reloads and reorderings.
class CTavFreeFrame final : public CTavModuleFrame
{
    Q_OBJECT
public:
    explicit CTavFreeFrame(CTavFreeDoc* document, QWidget* parent = nullptr);

    static QStringList SortNames();

    CTavFreeDoc* FreeDoc() const { return m_doc; }
    CTavFreeLeftView* LeftView() const { return m_left; }
    CTavFreeRightView* RightView() const { return m_right; }
    QComboBox* CategoryBox() const { return m_category; }
    QComboBox* SortBox() const { return m_sort; }
    CTavFreeCommands& Commands() const { return *m_commands; }
    CTavFreeBackupFolder& Backup() const { return *m_backup; }

    // Reloads the list and selects these sheets.
    void ReloadAndSelect(const QStringList& paths);
    // After the category dialog: the selector is filled again and the list reloaded.
    void CategoriesChanged();

    void Update(int hint) override;
    void FillMenu(MenuKind menu, QMenu* target) override;
    void UpdateCommandUI() override;
    QString HelpPage() const override { return QStringLiteral("handwrite.html"); }
    // Selects the sheet of that file, showing every category when its own is filtered out.
    bool ShowFile(const QString& path) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createBars();
    void refillCategoryBox();
    void onCategoryChosen(int index);
    void onEntriesRebuilt();
    void onSelectionChanged();
    void tellProblems();

    CTavFreeDoc* m_doc;
    CTavFreeLeftView* m_left;
    CTavFreeRightView* m_right;
    CTavFreeCommands* m_commands;
    CTavFreeBackupFolder* m_backup;
    QComboBox* m_category = nullptr;
    QComboBox* m_sort = nullptr;
    QStringList m_keptPaths; // the selection to find again after a rebuild
    bool m_rebuilding = false;
};
