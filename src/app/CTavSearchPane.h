#pragma once

#include <QDockWidget>

#include "search/CTavDbSearchHit.h"
#include "search/CTavDbSearchIndex.h"

class CTavApp;
class QLineEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The results of the search box: every module's records holding the text, grouped by module,
// the match marked. It searches again as the text changes and whenever the records under it
// change (edits, a HotSync, a user switch); Enter or a double click opens a record in its
// module window, selected.
class CTavSearchPane final : public QDockWidget
{
    Q_OBJECT
public:
    // Hits listed per module; the group tells how many more there are.
    static constexpr int kHitsPerModule = 200;
    // How often the stores and sheet folders are looked at while results are shown.
    static constexpr int kWatchMs = 1000;

    CTavSearchPane(CTavApp& app, QWidget* parent = nullptr);
    ~CTavSearchPane() override;

    // The search box the pane answers: typing searches, Enter opens the chosen (else the first)
    // result, Down goes into the list, Escape empties the box.
    void AttachBox(QLineEdit* box);
    QTreeWidget* List() const { return m_list; }
    const CTavDbSearchResult& Result() const { return m_result; }

    void SetQuery(const QString& text);
    QString Query() const { return m_query; }
    // Searches again, keeping the chosen result where it is still found.
    void Refresh();
    // Opens the chosen result, else the first; false when there is none.
    bool OpenCurrent();
    void Open(const CTavDbSearchHit& hit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();
    void fill();
    void onWatch();
    const CTavDbSearchHit* hitOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* firstHitItem() const;

    CTavApp& m_app;
    CTavDbSearchIndex m_index;
    CTavDbSearchResult m_result;
    QString m_query;
    QTreeWidget* m_list;
    QLineEdit* m_box = nullptr;
    QTimer* m_watch;
};
