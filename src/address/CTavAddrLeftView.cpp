#include "CTavAddrLeftView.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "CTavAddrDoc.h"
#include "CTavAddrIcons.h"
#include "CTavAddrTabBar.h"
#include "CTavListBitmaps.h"
#include "CTavProfile.h"

CTavAddrLeftView::CTavAddrLeftView(CTavAddrDoc* document, QWidget* parent)
    : CTavListView(parent), m_doc(document), m_tabs(new CTavAddrTabBar(this))
{
    setObjectName(QStringLiteral("addressList"));
    setViewportMargins(CTavAddrTabBar::kWidth, 0, 0, 0);
    m_tabs->SetLabels(CTavAddrDoc::TabLabels(document->Locale()));
    LoadColumns();
    connect(this, &CTavListView::columnResized, this, &CTavAddrLeftView::SaveColumns);
}

QList<CTavListColumn> CTavAddrLeftView::DefaultColumns()
{
    return {{KindThumb, 38, 0, true, QStringLiteral("サムネイル")},
            {KindName, 100, 0, true, QStringLiteral("名前")},
            {KindCompany, 100, 0, true, QStringLiteral("会社名")},
            {KindContact, 100, 0, true, QStringLiteral("通常の連絡先")},
            {KindCategory, 70, 0, true, QStringLiteral("カテゴリ")},
            {KindPrivate, 28, 0, true, QStringLiteral("プライベート")},
            {KindComment, 28, 0, true, QStringLiteral("コメント")},
            {KindMemoSheet, 28, 0, true, QStringLiteral("手書きメモ")}};
}

QString CTavAddrLeftView::HeaderItemText(const CTavListColumn& column)
{
    switch (column.kind) {
    case KindThumb:
        return QStringLiteral("thumb");
    case KindPrivate:
        return QStringLiteral("priv");
    case KindComment:
        return QStringLiteral("com");
    case KindMemoSheet:
        return QStringLiteral("nan");
    default:
        return column.title;
    }
}

void CTavAddrLeftView::LoadColumns()
{
    m_profilePath = CTavProfile::ProfilePath();
    SetColumns(CTavListColumnTable::Load(kSectionFormat, DefaultColumns()));
}

void CTavAddrLeftView::FollowProfile()
{
    if (CTavProfile::ProfilePath() != m_profilePath)
        LoadColumns();
    m_tabs->SetLabels(CTavAddrDoc::TabLabels(m_doc->Locale()));
}

void CTavAddrLeftView::SaveColumns() const
{
    Columns().Save(kSectionFormat);
}

int CTavAddrLeftView::RowCount() const
{
    return m_doc->Count();
}

void CTavAddrLeftView::SetMasked(bool masked)
{
    m_masked = masked;
    viewport()->update();
}

int CTavAddrLeftView::ShownRow() const
{
    const int current = Selection().Current();
    if (Selection().IsSelected(current))
        return current;
    return Selection().FirstSelected();
}

bool CTavAddrLeftView::IsRowMasked(int row) const
{
    const CTavAddrListRow* r = m_doc->Row(row);
    return m_masked && r && r->isPrivate;
}

int CTavAddrLeftView::KindAt(const QPoint& viewportPos) const
{
    const int column = ColumnAtX(viewportPos.x());
    return column < 0 ? -1 : Columns().Kind(column);
}

void CTavAddrLeftView::resizeEvent(QResizeEvent* event)
{
    CTavListView::resizeEvent(event);
    const QRect area = contentsRect();
    m_tabs->setGeometry(area.left(), area.top() + kHeaderHeight, CTavAddrTabBar::kWidth,
                        area.height() - kHeaderHeight);
}

QPixmap CTavAddrLeftView::Thumbnail(int row)
{
    const CTavAddrListRow* r = m_doc->Row(row);
    if (!r || !r->hasThumb)
        return {};
    auto it = m_thumbs.find(r->uniqueId);
    if (it != m_thumbs.end() && it->generation == m_doc->DataGeneration())
        return it->picture;
    Thumb thumb{m_doc->DataGeneration(), {}};
    if (const CTavDbAddrRecord* card = m_doc->Card(row)) {
        const QImage image = QImage::fromData(card->GetThumbData());
        if (!image.isNull())
            thumb.picture = QPixmap::fromImage(
                image.scaled(QSize(36, RowHeight() - 2), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    if (m_thumbs.size() > 4096)
        m_thumbs.clear();
    m_thumbs.insert(r->uniqueId, thumb);
    return thumb.picture;
}

void CTavAddrLeftView::drawMark(const QPixmap& mark, const QRect& cell)
{
    Painter().DrawBitmap(cell.left() + (cell.width() - mark.width()) / 2,
                         cell.top() + (cell.height() - mark.height()) / 2, mark);
}

void CTavAddrLeftView::DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column,
                                const QRect& cell, bool)
{
    const CTavAddrListRow* r = m_doc->Row(row);
    if (!r)
        return;
    const QRect text = cell.adjusted(4, 0, -4, 0);
    const int size = std::min(16, cell.height() - 2);
    switch (column.kind) {
    case KindThumb:
        if (r->hasThumb) {
            const QPixmap picture = Thumbnail(row);
            if (!picture.isNull())
                drawMark(picture, cell);
        } else if (r->thumbKind > 0) {
            drawMark(CTavListBitmaps::Placeholder(
                         std::min(r->thumbKind - 1, CTavListBitmaps::kPlaceholderKinds - 1))
                         .scaled(QSize(cell.width() - 4, cell.height() - 2), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation),
                     cell);
        }
        break;
    case KindName:
        painter.DrawText(text, r->DisplayName());
        break;
    case KindCompany:
        painter.DrawText(text, r->company);
        break;
    case KindContact:
        painter.DrawText(text, r->usualContact);
        break;
    case KindCategory:
        painter.DrawText(text, r->categoryName);
        break;
    case KindPrivate:
        if (r->isPrivate)
            drawMark(CTavListBitmaps::PrivateMark(size), cell);
        break;
    case KindComment:
        if (r->hasNote)
            drawMark(CTavAddrIcons::Icon(CTavAddrIcons::Comment, size), cell);
        break;
    case KindMemoSheet:
        if (r->hasMemoSheet)
            drawMark(CTavAddrIcons::Icon(CTavAddrIcons::MemoSheet, size), cell);
        break;
    default:
        break;
    }
}

void CTavAddrLeftView::DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell)
{
    const QString marker = HeaderItemText(column);
    const int size = std::min(16, cell.height() - 6);
    QPixmap mark;
    if (marker == QLatin1String("thumb"))
        mark = CTavAddrIcons::Icon(CTavAddrIcons::Thumbnail, size);
    else if (marker == QLatin1String("priv"))
        mark = CTavListBitmaps::PrivateMark(size);
    else if (marker == QLatin1String("com"))
        mark = CTavAddrIcons::Icon(CTavAddrIcons::Comment, size);
    else if (marker == QLatin1String("nan"))
        mark = CTavAddrIcons::Icon(CTavAddrIcons::MemoSheet, size);
    if (mark.isNull()) {
        CTavListView::DrawHeaderCell(painter, column, cell);
        return;
    }
    painter.drawPixmap(cell.left() + (cell.width() - size) / 2, cell.top() + (cell.height() - size) / 2,
                       mark);
}

void CTavAddrLeftView::mousePressEvent(QMouseEvent* event)
{
    CTavListView::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier || pos.y() < kHeaderHeight)
        return;
    const int row = RowAtPoint(pos);
    if (row < 0)
        return;
    const int kind = KindAt(pos);
    if (kind == KindThumb && !IsRowMasked(row))
        emit thumbnailClicked(row);
    else if (kind == KindCategory && Selection().SelectedCount() > 0 && !IsRowMasked(row))
        emit categoryCellClicked(event->globalPosition().toPoint());
}

void CTavAddrLeftView::contextMenuEvent(QContextMenuEvent* event)
{
    const int row = event->pos().y() < kHeaderHeight ? -1 : RowAtPoint(event->pos());
    if (row >= 0 && KindAt(event->pos()) == KindCategory && Selection().IsSelected(row) &&
        Selection().SelectedCount() >= 2) {
        emit categoryCellClicked(event->globalPos());
        return;
    }
    CTavListView::contextMenuEvent(event);
}
