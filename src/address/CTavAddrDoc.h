#pragma once

#include <QHash>
#include <QList>
#include <vector>

#include "CTavAddrListRow.h"
#include "CTavDbAddrRecord.h"
#include "CTavDbSortCond.h"
#include "CTavModuleDoc.h"

class CTavDbAddr;

// The address book's view of the address store: the sort mode, index tab, category filter and
// search text, the rows of the cards they let through, the cards copied for pasting and the
// default phone labels of new cards.
class CTavAddrDoc final : public CTavModuleDoc
{
    Q_OBJECT
public:
    static constexpr uint32_t kAllCategories = 99;
    static constexpr int kTabCount = 11;
    static constexpr int kTabAll = 10;
    static inline const QString kSection = QStringLiteral("address");

    explicit CTavAddrDoc(CTavApp& app, QObject* parent = nullptr);

    CTavDbAddr& Store() const;

    // Re-reads "dispCategory", "dispSort" and "aTab" (without writing them back) and the UI
    // language's tabs, applies them and rebuilds the rows.
    void Reload() override;
    void ApplyStoreOrder() override;

    int Count() const { return static_cast<int>(m_rows.size()); }
    const std::vector<CTavAddrListRow>& Rows() const { return m_rows; }
    const CTavAddrListRow* Row(int index) const;
    // The stored card of a row, null when out of range.
    const CTavDbAddrRecord* Card(int index) const;
    int IndexOfId(uint32_t uniqueId) const;
    // Raised whenever the cards may have changed (not by tab, order, filter or search), so that
    // pictures made from them are made again.
    uint64_t DataGeneration() const { return m_generation; }

    // 0 last name, first name; 1 company, last name; others answer -1. Writes "dispSort".
    int SetSortMode(int mode);
    int SortMode() const { return m_sortMode; }
    // Tabs 0-10; an index out of range counts as 10 (all). Writes "aTab" when asked to.
    void SetTab(int tab, bool remember = true);
    int Tab() const { return m_tab; }
    // A category id, 99 for all. Writes "dispCategory".
    void SetFilter(uint32_t categoryId);
    uint32_t CategoryFilter() const { return m_categoryFilter; }
    // While the text is not empty only the listed cards holding it are rows.
    void SetSearchText(const QString& text);
    QString SearchText() const { return m_search; }

    // The UI language ("jpJP" for Japanese) and the labels of the index tabs in it.
    QString Locale() const;
    static QStringList TabLabels(const QString& locale);

    bool Masked() const { return m_masked; }
    void SetMasked(bool masked) { m_masked = masked; }

    // The cards and, at the same indexes, the names of their categories where they were copied.
    void SetClipboard(const QList<CTavDbAddrRecord>& cards, const QStringList& categoryNames);
    const QList<CTavDbAddrRecord>& ClipboardCards() const { return m_clipboard; }
    const QStringList& ClipboardCategories() const { return m_clipboardCategories; }

    // Rebuilds the rows after a change of the cards.
    void Refresh();

signals:
    void rowsRebuilt();

protected:
    void RefreshAfterUndo() override { Refresh(); }

private:
    void applyOrder();
    void rebuild();
    // What the rows of the tab of all cards were made from.
    struct AllRowsKey
    {
        uint64_t generation = 0;
        int sortMode = -1;
        uint32_t categoryFilter = 0;
        int privateMode = -1;
        bool operator==(const AllRowsKey&) const = default;
    };
    AllRowsKey allRowsKey() const;

    std::vector<CTavAddrListRow> m_rows;
    AllRowsKey m_rowsKey;
    bool m_rowsAreAll = false;
    mutable QHash<uint32_t, int> m_indexOfId; // made on first need after a rebuild
    // The rows of the tab of all cards while another tab is shown: going back to all cards
    // takes them again instead of sorting the whole book anew.
    std::vector<CTavAddrListRow> m_allRows;
    AllRowsKey m_allRowsKey;
    CTavDbSortCond m_sortCond;
    int m_sortMode = 0;
    int m_tab = kTabAll;
    uint32_t m_categoryFilter = kAllCategories;
    QString m_search;
    bool m_masked = false;
    uint64_t m_generation = 0;
    QList<CTavDbAddrRecord> m_clipboard;
    QStringList m_clipboardCategories;
};
