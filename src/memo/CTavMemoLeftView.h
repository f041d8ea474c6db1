#pragma once

#include "CTavDbTime.h"
#include "CTavListView.h"

class CTavMemoDoc;

// The memo list: one row per listed memo, with the text's first line, the category, the
// private mark and the creation and update dates. Private memos of a masked pane are drawn
// as a patterned bar. A click on a date column's header switches it between the date and the
// date with the time.
class CTavMemoLeftView final : public CTavListView
{
    Q_OBJECT
public:
    enum Kind
    {
        KindText = 1,
        KindCategory = 2,
        KindPrivate = 3,
        KindCreated = 4,
        KindUpdated = 5
    };
    static inline const QString kSectionFormat = QStringLiteral("memo%1");
    static inline const QString kPrivateMarker = QStringLiteral("priv");

    explicit CTavMemoLeftView(CTavMemoDoc* document, QWidget* parent = nullptr);

    static QList<CTavListColumn> DefaultColumns();
    // The text of a column's header item: the marker "priv" for the private column, whose
    // header shows the private mark, else the title.
    static QString HeaderItemText(const CTavListColumn& column);
    // "%d/%d/%d" of the local date (year, month, day), with " H:MM" when withTime; empty for 0.
    static QString DateText(TavTime t, bool withTime);

    int RowCount() const override;
    bool IsMasked() const { return m_masked; }
    void SetMasked(bool masked);
    // The row the detail pane shows for the selection: the current row when it is selected,
    // else the first selected row, else -1.
    int ShownRow() const;

    // Re-reads the column table from the profile, and saves it.
    void LoadColumns();
    void SaveColumns() const;
    // Re-reads the table when the profile is another user's now.
    void FollowProfile();

protected:
    void DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column, const QRect& cell,
                  bool selected) override;
    bool IsRowMasked(int row) const override;
    void DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell) override;

private:
    void onHeaderClicked(int column);

    CTavMemoDoc* m_doc;
    bool m_masked = false;
    QString m_profilePath; // the profile the columns were read from
};
