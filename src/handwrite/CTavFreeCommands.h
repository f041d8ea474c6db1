#pragma once

#include <QObject>
#include <QPoint>

class CTavFreeFrame;
class QMenu;

// What the handwritten memo's menus, buttons and list do: new and edit through the sheet
// editor, delete, select all, sort, categories, columns, folder import and export, and the
// list's context menu with its moves to a category.
class CTavFreeCommands final : public QObject
{
    Q_OBJECT
public:
    explicit CTavFreeCommands(CTavFreeFrame& frame);

    static QString NothingSelectedMessage();
    static QString SeveralSelectedMessage();
    static QString DeleteQuestion();

    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnSelectAll();
    void OnSort(int key);
    void OnCategories();
    void OnColumns();
    void OnImport();
    void OnExport();
    // Files the selected sheets under the category at a position of the named categories.
    void OnMoveToCategory(int position);

    void ShowContextMenu(const QPoint& globalPos, int row);
    QMenu* ContextMenu() const { return m_menu; }
    // Fills a menu with the moves to each named category (ids 999 + position).
    void FillCategoryMenu(QMenu* menu);

    // A folder chosen in the folder dialog; empty when cancelled.
    QString ChooseFolder(const QString& title, const QString& initialFolder = QString());

private:
    CTavFreeFrame& m_frame;
    QMenu* m_menu = nullptr;
};
