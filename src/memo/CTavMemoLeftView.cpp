#include "CTavMemoLeftView.h"

#include <QPainter>

#include "CTavListBitmaps.h"
#include "CTavMemoDoc.h"
#include "CTavProfile.h"

CTavMemoLeftView::CTavMemoLeftView(CTavMemoDoc* document, QWidget* parent)
    : CTavListView(parent), m_doc(document)
{
    setObjectName(QStringLiteral("memoList"));
    LoadColumns();
    connect(this, &CTavListView::headerClicked, this, &CTavMemoLeftView::onHeaderClicked);
    connect(this, &CTavListView::columnResized, this, &CTavMemoLeftView::SaveColumns);
}

QList<CTavListColumn> CTavMemoLeftView::DefaultColumns()
{
    return {{KindText, 260, 0, true, QStringLiteral("内容")},
            {KindCategory, 90, 0, true, QStringLiteral("カテゴリ")},
            {KindPrivate, 28, 0, true, QStringLiteral("プライベート")},
            {KindCreated, 120, 0, true, QStringLiteral("作成日 切り替え")},
            {KindUpdated, 120, 0, true, QStringLiteral("更新日 切り替え")}};
}

QString CTavMemoLeftView::HeaderItemText(const CTavListColumn& column)
{
    return column.kind == KindPrivate ? kPrivateMarker : column.title;
}

QString CTavMemoLeftView::DateText(TavTime t, bool withTime)
{
    if (t == 0)
        return QString();
    const QDateTime dt = CTavDbTime::toDateTime(t);
    const QDate d = dt.date();
    QString text = QStringLiteral("%1/%2/%3").arg(d.year()).arg(d.month()).arg(d.day());
    if (withTime)
        text +=
            QStringLiteral(" %1:%2").arg(dt.time().hour()).arg(dt.time().minute(), 2, 10, QLatin1Char('0'));
    return text;
}

void CTavMemoLeftView::LoadColumns()
{
    m_profilePath = CTavProfile::ProfilePath();
    SetColumns(CTavListColumnTable::Load(kSectionFormat, DefaultColumns()));
}

void CTavMemoLeftView::FollowProfile()
{
    if (CTavProfile::ProfilePath() != m_profilePath)
        LoadColumns();
}

void CTavMemoLeftView::SaveColumns() const
{
    Columns().Save(kSectionFormat);
}

int CTavMemoLeftView::RowCount() const
{
    return m_doc->Count();
}

void CTavMemoLeftView::SetMasked(bool masked)
{
    m_masked = masked;
    viewport()->update();
}

int CTavMemoLeftView::ShownRow() const
{
    const int current = Selection().Current();
    if (Selection().IsSelected(current))
        return current;
    return Selection().FirstSelected();
}

bool CTavMemoLeftView::IsRowMasked(int row) const
{
    const CTavMemoEntry* entry = m_doc->Entry(row);
    return m_masked && entry && entry->isPrivate;
}

void CTavMemoLeftView::DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column,
                                const QRect& cell, bool)
{
    const CTavMemoEntry* entry = m_doc->Entry(row);
    if (!entry)
        return;
    const QRect text = cell.adjusted(4, 0, -4, 0);
    switch (column.kind) {
    case KindText: {
        const qsizetype end = entry->text.indexOf(u'\n');
        painter.DrawText(text, end < 0 ? entry->text : entry->text.left(end));
        break;
    }
    case KindCategory:
        painter.DrawText(text, m_doc->CategoryName(entry->categoryId));
        break;
    case KindPrivate:
        if (entry->isPrivate) {
            const int size = std::min(16, cell.height() - 2);
            painter.DrawBitmap(cell.left() + (cell.width() - size) / 2,
                               cell.top() + (cell.height() - size) / 2, CTavListBitmaps::PrivateMark(size));
        }
        break;
    case KindCreated:
        painter.DrawText(text, DateText(entry->created, column.option != 0));
        break;
    case KindUpdated:
        painter.DrawText(text, DateText(entry->updated, column.option != 0));
        break;
    default:
        break;
    }
}

void CTavMemoLeftView::DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell)
{
    if (HeaderItemText(column) != kPrivateMarker) {
        CTavListView::DrawHeaderCell(painter, column, cell);
        return;
    }
    const int size = std::min(16, cell.height() - 6);
    painter.drawPixmap(cell.left() + (cell.width() - size) / 2, cell.top() + (cell.height() - size) / 2,
                       CTavListBitmaps::PrivateMark(size));
}

void CTavMemoLeftView::onHeaderClicked(int column)
{
    const int kind = Columns().Kind(column);
    if (kind != KindCreated && kind != KindUpdated)
        return;
    CTavListColumnTable table = Columns();
    table.SetOption(column, table.At(column).option ? 0 : 1);
    SetColumns(table);
    SaveColumns();
}
