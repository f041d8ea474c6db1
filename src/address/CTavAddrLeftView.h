#pragma once

#include <QHash>
#include <QPixmap>

#include "CTavListView.h"

class CTavAddrDoc;
class CTavAddrTabBar;

// The address list: the index tabs down the left edge, the column header and one row per
// listed card (thumbnail, name, company, usual contact, category and the private, comment and
// memo-sheet marks). Private cards of a masked list are drawn as a patterned bar.
class CTavAddrLeftView final : public CTavListView
{
    Q_OBJECT
public:
    enum Kind
    {
        KindThumb = 0,
        KindName = 10,
        KindContact = 11,
        KindCompany = 12,
        KindCategory = 13,
        KindPrivate = 15,
        KindComment = 16,
        KindMemoSheet = 17
    };
    static inline const QString kSectionFormat = QStringLiteral("address%1");

    explicit CTavAddrLeftView(CTavAddrDoc* document, QWidget* parent = nullptr);

    static QList<CTavListColumn> DefaultColumns();
    // The text of a column's header item: "thumb", "priv", "com" or "nan" for the columns whose
    // header shows a mark, else the title.
    static QString HeaderItemText(const CTavListColumn& column);

    int RowCount() const override;
    CTavAddrTabBar* TabBar() const { return m_tabs; }
    bool IsMasked() const { return m_masked; }
    void SetMasked(bool masked);
    // The row the detail pane shows: the current row when selected, else the first selected.
    int ShownRow() const;
    // The kind of the shown column under a viewport point, -1 for none.
    int KindAt(const QPoint& viewportPos) const;
    // The thumbnail of a row's card scaled to the row, null when it has none or it does not
    // decode. Kept per card until the document's cards change.
    QPixmap Thumbnail(int row);

    void LoadColumns();
    void SaveColumns() const;
    void FollowProfile();

signals:
    // A left click on a row's thumbnail cell (not for a masked row).
    void thumbnailClicked(int row);
    // A click on the category cell of a row while rows are selected.
    void categoryCellClicked(const QPoint& globalPos);

protected:
    void DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column, const QRect& cell,
                  bool selected) override;
    bool IsRowMasked(int row) const override;
    void DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void drawMark(const QPixmap& mark, const QRect& cell);

    CTavAddrDoc* m_doc;
    CTavAddrTabBar* m_tabs;
    bool m_masked = false;
    QString m_profilePath;
    struct Thumb
    {
        uint64_t generation = 0;
        QPixmap picture;
    };
    QHash<uint32_t, Thumb> m_thumbs;
};
