#include "CTavTodoLeftView.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>

#include "CTavDbClock.h"
#include "CTavDbTime.h"
#include "CTavListBitmaps.h"
#include "CTavTodoDoc.h"
#include "TavTodoCommandIds.h"

namespace {
// The due cell is narrow: month and day this year, the year's last two digits before them
// otherwise.
QString dueCellText(TavTime due)
{
    const QDate day = CTavDbTime::toDate(due);
    return day.toString(day.year() == CTavDbClock::Today().year() ? QStringLiteral("M/d")
                                                                  : QStringLiteral("yy/M/d"));
}

uint32_t colorRef(const QColor& c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

// A page with lines: the task has a note.
QPixmap noteMark(int size)
{
    static QHash<int, QPixmap> cache;
    if (const auto it = cache.constFind(size); it != cache.cend())
        return *it;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(size * 0.18, size * 0.08, size * 0.64, size * 0.84);
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    p.setBrush(QColor(0xFF, 0xF6, 0xC8));
    p.drawRect(page);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    for (double y = page.top() + size * 0.22; y < page.bottom() - 1; y += size * 0.18)
        p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
    cache.insert(size, pixmap);
    return pixmap;
}

// A sheet with a stroke of handwriting: a memo sheet is linked.
QPixmap sheetMark(int size)
{
    static QHash<int, QPixmap> cache;
    if (const auto it = cache.constFind(size); it != cache.cend())
        return *it;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(size * 0.1, size * 0.12, size * 0.8, size * 0.76);
    p.setPen(QPen(QColor(0x50, 0x6E, 0x9A), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    QPainterPath stroke(QPointF(sheet.left() + 2, sheet.center().y() + 1));
    stroke.cubicTo(QPointF(sheet.left() + size * 0.3, sheet.top()),
                   QPointF(sheet.center().x(), sheet.bottom()), QPointF(sheet.right() - 2, sheet.top() + 3));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x20, 0x40, 0xA0), 1.4));
    p.drawPath(stroke);
    cache.insert(size, pixmap);
    return pixmap;
}

void drawCentred(QPainter* p, const QPixmap& mark, const QRect& cell)
{
    p->drawPixmap(cell.left() + (cell.width() - mark.width()) / 2,
                  cell.top() + (cell.height() - mark.height()) / 2, mark);
}
} // namespace

CTavTodoLeftView::CTavTodoLeftView(CTavTodoDoc* document, QWidget* parent)
    : CTavListView(parent), m_doc(document), m_buttonBar(new QWidget(this))
{
    setObjectName(QStringLiteral("todoList"));
    m_buttonBar->setFixedHeight(kButtonBarHeight);
    SetColumns(CTavListColumnTable(FixedColumns()));
    auto* layout = new QHBoxLayout(m_buttonBar);
    layout->setContentsMargins(0, 2, 0, 4);
    layout->setSpacing(4);
    const struct
    {
        int id;
        const char16_t* text;
        const char* name;
    } buttons[] = {{TavTodoCtl::MoveUp, u"上に移動", "moveUpButton"},
                   {TavTodoCtl::MoveDown, u"下に移動", "moveDownButton"},
                   {TavTodoCtl::LevelUp, u"階層上げる", "levelUpButton"},
                   {TavTodoCtl::LevelDown, u"階層下げる", "levelDownButton"}};
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf16(b.text), m_buttonBar);
        button->setObjectName(QLatin1String(b.name));
        button->setProperty("controlId", b.id);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        m_buttons.insert(b.id, button);
    }
    layout->addStretch(1);
}

QList<CTavListColumn> CTavTodoLeftView::FixedColumns()
{
    return {{KindNone, 0, 0, false, QString()},
            {KindCompletion, 25, 0, true, QString()},
            {KindPriority, 30, 0, true, QStringLiteral("優先度")},
            {KindTitle, 230, 0, true, QStringLiteral("内容")},
            {KindDue, 50, 0, true, QStringLiteral("期日")},
            {KindCategory, 100, 0, true, QStringLiteral("カテゴリ")},
            {KindPrivate, 28, 0, true, QString()},
            {KindNote, 28, 0, true, QString()},
            {KindSheet, 28, 0, true, QString()}};
}

int CTavTodoLeftView::RowCount() const
{
    return m_doc->Count();
}

int CTavTodoLeftView::ShownRow() const
{
    const int current = Selection().Current();
    if (Selection().IsSelected(current))
        return current;
    return Selection().FirstSelected();
}

bool CTavTodoLeftView::IsRowMasked(int row) const
{
    const TodoListRow* r = m_doc->Row(row);
    return r && r->isPrivate && m_doc->Masked();
}

int CTavTodoLeftView::KindAt(const QPoint& viewportPos) const
{
    const int column = ColumnAtX(viewportPos.x());
    return column < 0 ? -1 : Columns().Kind(column);
}

QRect CTavTodoLeftView::CellRect(int row, int kind) const
{
    int x = -horizontalScrollBar()->value();
    const int y = kHeaderHeight + (row - TopRow()) * RowHeight();
    for (const CTavListColumn& c : Columns().Columns()) {
        if (!c.shown)
            continue;
        if (c.kind == kind)
            return QRect(x, y, c.width, RowHeight());
        x += c.width;
    }
    return {};
}

QRect CTavTodoLeftView::FoldMarkRect(int row) const
{
    const TodoListRow* r = m_doc->Row(row);
    if (!r || !r->hasChildren)
        return {};
    const QRect cell = CellRect(row, KindTitle);
    const int size = 9;
    return QRect(cell.left() + 4 + r->level * kIndent, cell.top() + (cell.height() - size) / 2, size, size);
}

QList<uint32_t> CTavTodoLeftView::SelectedIds(bool withMasked) const
{
    QList<uint32_t> ids;
    for (int row : Selection().SelectedRows())
        if (const TodoListRow* r = m_doc->Row(row); r && (withMasked || !IsRowMasked(row)))
            ids << r->uniqueId;
    return ids;
}

void CTavTodoLeftView::SelectIds(const QList<uint32_t>& ids)
{
    QList<int> rows;
    for (uint32_t id : ids)
        rows << m_doc->IndexOfId(id);
    SelectRows(rows);
}

void CTavTodoLeftView::DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column,
                                const QRect& cell, bool selected)
{
    const TodoListRow* r = m_doc->Row(row);
    if (!r)
        return;
    QPainter* p = painter.Target();
    const int markSize = std::min(16, cell.height() - 2);
    switch (column.kind) {
    case KindCompletion: {
        const QRect box(cell.left() + (cell.width() - 11) / 2, cell.top() + (cell.height() - 11) / 2, 11, 11);
        p->setPen(QColor(0x60, 0x60, 0x60));
        p->setBrush(Qt::white);
        p->drawRect(box.adjusted(0, 0, -1, -1));
        if (r->completed) {
            p->setRenderHint(QPainter::Antialiasing);
            p->setPen(QPen(Qt::black, 1.6));
            p->drawPolyline(QPolygonF({QPointF(box.left() + 2.5, box.top() + 5.5),
                                       QPointF(box.left() + 4.5, box.top() + 8),
                                       QPointF(box.left() + 8.5, box.top() + 2.5)}));
            p->setRenderHint(QPainter::Antialiasing, false);
        }
        break;
    }
    case KindPriority:
        p->setFont(painter.Font());
        p->setPen(CTavListPainter::ToQColor(painter.TextColor()));
        p->drawText(cell, Qt::AlignCenter, QString::number(r->priority));
        break;
    case KindTitle: {
        const int indent = 4 + r->level * kIndent;
        const QRect fold = FoldMarkRect(row).translated(0, cell.top() - CellRect(row, KindTitle).top());
        if (!fold.isEmpty()) {
            p->setPen(selected ? Qt::white : QColor(0x70, 0x70, 0x70));
            p->setBrush(selected ? QColor(Qt::transparent) : QColor(Qt::white));
            p->drawRect(fold.adjusted(0, 0, -1, -1));
            const int cy = fold.center().y();
            p->drawLine(fold.left() + 2, cy, fold.right() - 2, cy);
            if (r->folded)
                p->drawLine(fold.center().x(), fold.top() + 2, fold.center().x(), fold.bottom() - 2);
        }
        const uint32_t textColour = painter.TextColor();
        if (!selected)
            painter.SetTextColor(colorRef(r->stateColor));
        painter.DrawText(QRect(cell.left() + indent + kFoldMark, cell.top(),
                               cell.width() - indent - kFoldMark - 2, cell.height()),
                         r->title.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r')));
        painter.SetTextColor(textColour);
        break;
    }
    case KindDue:
        if (r->due < maxDateTime)
            painter.DrawText(cell.adjusted(3, 0, -2, 0), dueCellText(r->due));
        break;
    case KindCategory:
        painter.DrawText(cell.adjusted(4, 0, -4, 0), r->categoryName);
        break;
    case KindPrivate:
        if (r->isPrivate)
            drawCentred(p, CTavListBitmaps::PrivateMark(markSize), cell);
        break;
    case KindNote:
        if (!r->note.isEmpty())
            drawCentred(p, noteMark(markSize), cell);
        break;
    case KindSheet:
        if (r->hasSheet)
            drawCentred(p, sheetMark(markSize), cell);
        break;
    default:
        break;
    }
}

void CTavTodoLeftView::DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell)
{
    const int size = std::min(16, cell.height() - 6);
    switch (column.kind) {
    case KindPrivate:
        drawCentred(&painter, CTavListBitmaps::PrivateMark(size), cell);
        return;
    case KindNote:
        drawCentred(&painter, noteMark(size), cell);
        return;
    case KindSheet:
        drawCentred(&painter, sheetMark(size), cell);
        return;
    case KindPriority: {
        // The narrow column keeps its whole title in a smaller face.
        QFont font = Painter().Font();
        while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(column.title) > cell.width() - 2)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(cell, Qt::AlignCenter, column.title);
        return;
    }
    default:
        CTavListView::DrawHeaderCell(painter, column, cell);
    }
}

bool CTavTodoLeftView::isToggleSpot(int row, const QPoint& pos) const
{
    const int kind = KindAt(pos);
    if (kind == KindCompletion)
        return true;
    // The fold mark takes a few pixels around it, so that it is easy to hit.
    return kind == KindTitle && FoldMarkRect(row).adjusted(-3, -3, 3, 3).contains(pos);
}

void CTavTodoLeftView::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    // The columns are fixed: the header neither sorts nor resizes.
    if (pos.y() < kHeaderHeight)
        return;
    CTavListView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier)
        return;
    const int row = RowAtPoint(pos);
    if (row < 0 || IsRowMasked(row))
        return;
    const int kind = KindAt(pos);
    if (kind == KindCompletion)
        emit completionClicked(row);
    else if (isToggleSpot(row, pos))
        emit foldClicked(row);
    else if (kind == KindPriority || kind == KindDue || kind == KindCategory)
        emit cellClicked(row, kind, event->globalPosition().toPoint());
}

void CTavTodoLeftView::mouseMoveEvent(QMouseEvent*) {}

void CTavTodoLeftView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int row = RowAtPoint(pos);
    // A quick second click on a fold mark folds again; on the completion box it opens the task
    // like anywhere else, so that a completion and its new due date are not undone unseen.
    if (row >= 0 && event->button() == Qt::LeftButton && !IsRowMasked(row) && KindAt(pos) != KindCompletion &&
        isToggleSpot(row, pos)) {
        mousePressEvent(event);
        return;
    }
    CTavListView::mouseDoubleClickEvent(event);
}
