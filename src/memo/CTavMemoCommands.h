#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class CTavMemoFrame;
class QMenu;

// The memo pad's record commands: new, edit and delete, categories, columns, order, the
// clipboard and the list's context menu.
class CTavMemoCommands final : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxDroppedBytes = 256 * 1024;

    explicit CTavMemoCommands(CTavMemoFrame& frame);

    // Message 61612 for a refused new memo or paste.
    static QString RecordLimitMessage();

    void OnNew();
    // A new memo starting with a text.
    void NewWithText(const QString& text);
    void OnEdit();
    void OnDelete();
    void OnCategories();
    void OnColumns();
    void OnSortSyllabary();
    void OnSortHandheld();
    void OnSortChoice(int choice);
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnSelectAll();
    bool CanPaste() const;
    void OnDroppedFile(const QString& path);
    void ShowContextMenu(const QPoint& globalPos, int row);
    QMenu* ContextMenu() const;

    // Rebuilds the list and selects the listed memos of these ids (the first one shown).
    void ReloadAndSelect(const QList<uint32_t>& uniqueIds);

private:
    // Copies the selected memos; in a masked pane private memos stay out. Answers the ids copied.
    QList<uint32_t> copySelection();
    void deleteRows(const QList<int>& rows, bool backup, const QString& stepName);

    CTavMemoFrame& m_frame;
    QPointer<QMenu> m_menu;
};
