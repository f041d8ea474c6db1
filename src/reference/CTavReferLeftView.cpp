#include "CTavReferLeftView.h"

#include "CTavReferDoc.h"

CTavReferLeftView::CTavReferLeftView(CTavReferDoc* document, QWidget* parent)
    : CTavListView(parent), m_doc(document)
{
    setObjectName(QStringLiteral("referList"));
    SetRowHeight(kRowHeight);
    SetColumns(CTavListColumnTable(DefaultColumns()));
}

QList<CTavListColumn> CTavReferLeftView::DefaultColumns()
{
    return {{KindThumbnail, 90, 0, true, QStringLiteral("サムネイル")},
            {KindTitle, 320, 0, true, QStringLiteral("タイトル")}};
}

int CTavReferLeftView::RowCount() const
{
    return m_doc->Count();
}

int CTavReferLeftView::ShownRow() const
{
    const int current = Selection().Current();
    if (Selection().IsSelected(current))
        return current;
    return Selection().FirstSelected();
}

QStringList CTavReferLeftView::SelectedPaths() const
{
    QStringList paths;
    for (int row : Selection().SelectedRows())
        if (const CTavReferEntry* entry = m_doc->Entry(row))
            paths << entry->path;
    return paths;
}

void CTavReferLeftView::DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column,
                                 const QRect& cell, bool)
{
    const CTavReferEntry* entry = m_doc->Entry(row);
    if (!entry)
        return;
    switch (column.kind) {
    case KindThumbnail:
        // Placeholder 3 is the handwriting picture: a sheet that draws nothing still looks like one.
        painter.DrawThumbnail(cell.left() + 2, cell.top(),
                              entry->thumbnail.isNull() ? nullptr : &entry->thumbnail, 3);
        break;
    case KindTitle:
        painter.DrawText(cell.adjusted(4, 0, -4, 0), entry->title);
        break;
    default:
        break;
    }
}
