#pragma once

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <functional>

class CTavAddrFrame;
class CTavDbAddrRecord;

// The address book's record commands: new, edit and delete, e-mail, categories, preferences,
// columns, order, the record clipboard, the thumbnail and category cells and the context menu.
// Every change of cards is one step of the document's undo stack.
class CTavAddrCommands final : public QObject
{
    Q_OBJECT
public:
    explicit CTavAddrCommands(CTavAddrFrame& frame);

    // Message 61612 for a refused new card or paste.
    static QString RecordLimitMessage();
    // Message 21026 when the store refuses a card.
    static QString StoreFailedMessage();
    // "mailto:?to=a&to=b": every e-mail slot of the cards, in order, unescaped.
    static QString MailUrl(const QList<const CTavDbAddrRecord*>& cards);
    // Where the e-mail command sends its address (tests catch it); the desktop by default.
    static void SetMailOpener(std::function<bool(const QString&)> opener);

    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnMail();
    bool CanMail() const;
    void OnCategories();
    void OnPrefs();
    void OnColumns();
    void OnSort(int mode);
    void OnCut();
    void OnCopy();
    void OnPaste();
    bool CanPaste() const;
    void OnSelectAll();
    // Gives every selected card the category of index i of the store's list (one step).
    void AssignCategory(int categoryIndex);
    void OnThumbnailClicked(int row);
    void ShowContextMenu(const QPoint& globalPos, int row);
    void ShowCategoryMenu(const QPoint& globalPos);
    QMenu* ContextMenu() const { return m_menu; }
    QMenu* CategoryMenu() const { return m_categoryMenu; }

    // Rebuilds the rows and selects the listed cards of these ids (the first one current).
    void RefreshAndSelect(const QList<uint32_t>& uniqueIds);

private:
    QList<uint32_t> selectedIds(bool withMasked) const;
    void copySelection(const QList<uint32_t>& ids);
    void deleteIds(const QList<uint32_t>& ids, bool backup, const QString& stepName);
    // Stores the card of the edit dialog as a new card or over the edited one.
    void storeCard(const CTavDbAddrRecord& card, bool asNew, const QString& stepName);

    CTavAddrFrame& m_frame;
    QPointer<QMenu> m_menu;
    QPointer<QMenu> m_categoryMenu;
};
