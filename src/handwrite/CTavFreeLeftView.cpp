#include "CTavFreeLeftView.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>

#include "CTavFreeDoc.h"
#include "CTavFreeIcons.h"
#include "CTavProfile.h"

CTavFreeLeftView::CTavFreeLeftView(CTavFreeDoc* document, QWidget* parent)
    : CTavListView(parent), m_doc(document)
{
    setObjectName(QStringLiteral("sheetList"));
    SetRowHeight(kRowHeight);
    LoadColumns();
    connect(this, &CTavListView::columnResized, this, &CTavFreeLeftView::SaveColumns);
}

QList<CTavListColumn> CTavFreeLeftView::DefaultColumns()
{
    // Wide enough for the full date and time in this desktop's font (the handheld's own
    // widths cut "更新日時" after the hour), and no wider.
    return {{KindThumbnail, 28, 0, true, QStringLiteral("サムネイル")},
            {KindTitle, 140, 0, true, QStringLiteral("タイトル")},
            {KindEventTime, 150, 0, true, QStringLiteral("予定表関連日時")},
            {KindAlarm, 28, 0, true, QStringLiteral("アラーム")},
            {KindSize, 100, 0, true, QStringLiteral("サイズ")},
            {KindModified, 150, 0, true, QStringLiteral("更新日時")},
            {KindCategory, 100, 0, true, QStringLiteral("カテゴリ")}};
}

QString CTavFreeLeftView::DateText(qint64 t)
{
    if (t == 0)
        return QString();
    const QDateTime dt = QDateTime::fromSecsSinceEpoch(t);
    const QString date = QLocale(QLocale::Japanese, QLocale::Japan).toString(dt.date(), QLocale::ShortFormat);
    return QString::asprintf("%s %02d:%02d:%02d", qUtf8Printable(date), dt.time().hour(), dt.time().minute(),
                             dt.time().second());
}

QString CTavFreeLeftView::SizeText(qint64 bytes)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(bytes) + QStringLiteral(" バイト");
}

QString CTavFreeLeftView::CellText(int row, int kind) const
{
    const CTavFreeSheetEntry* entry = m_doc->Entry(row);
    if (!entry)
        return QString();
    switch (kind) {
    case KindTitle:
        return entry->title;
    case KindEventTime:
        return DateText(entry->eventTime);
    case KindSize:
        return SizeText(entry->fileSize);
    case KindModified:
        return DateText(entry->modified);
    case KindCategory:
        return m_doc->CategoryName(entry->categoryId);
    default:
        return QString();
    }
}

void CTavFreeLeftView::LoadColumns()
{
    m_profilePath = CTavProfile::ProfilePath();
    SetUserColumns(CTavListColumnTable::Load(kSectionFormat, DefaultColumns()));
}

CTavListColumnTable CTavFreeLeftView::UserColumns() const
{
    QList<CTavListColumn> columns = Columns().Columns();
    columns.removeIf([](const CTavListColumn& c) { return c.kind == KindFiller; });
    return CTavListColumnTable(columns);
}

void CTavFreeLeftView::SetUserColumns(const CTavListColumnTable& columns)
{
    QList<CTavListColumn> all = columns.Columns();
    all << CTavListColumn{KindFiller, kFillerWidth, 0, true, QString()};
    SetColumns(CTavListColumnTable(all));
}

void CTavFreeLeftView::FollowProfile()
{
    if (CTavProfile::ProfilePath() != m_profilePath)
        LoadColumns();
}

void CTavFreeLeftView::SaveColumns() const
{
    UserColumns().Save(kSectionFormat);
}

int CTavFreeLeftView::RowCount() const
{
    return m_doc->Count();
}

QStringList CTavFreeLeftView::SelectedPaths() const
{
    QStringList paths;
    const int shown = ShownRow();
    if (const CTavFreeSheetEntry* entry = m_doc->Entry(shown))
        paths << entry->path;
    for (int row : Selection().SelectedRows())
        if (const CTavFreeSheetEntry* entry = m_doc->Entry(row); entry && row != shown)
            paths << entry->path;
    return paths;
}

void CTavFreeLeftView::SelectPaths(const QStringList& paths)
{
    QList<int> rows;
    for (const QString& path : paths)
        if (const int row = m_doc->IndexOfPath(path); row >= 0)
            rows << row;
    if (rows.isEmpty())
        ClearRowSelection();
    else
        SelectRows(rows);
    if (!rows.isEmpty())
        ScrollToRow(rows.first());
}

int CTavFreeLeftView::ShownRow() const
{
    const int current = Selection().Current();
    if (Selection().IsSelected(current))
        return current;
    return Selection().FirstSelected();
}

void CTavFreeLeftView::DrawCell(CTavListPainter& painter, int row, const CTavListColumn& column,
                                const QRect& cell, bool)
{
    const CTavFreeSheetEntry* entry = m_doc->Entry(row);
    if (!entry)
        return;
    switch (column.kind) {
    case KindThumbnail:
        if (!entry->smallThumbnail.isNull()) {
            const QImage& t = entry->smallThumbnail;
            const int x = cell.left() + (cell.width() - t.width()) / 2;
            const int y = cell.top() + (cell.height() - t.height()) / 2;
            painter.Target()->drawImage(x, y, t);
            painter.Target()->setPen(QColor(0xA0, 0xA0, 0xA0));
            painter.Target()->drawRect(QRect(x - 1, y - 1, t.width() + 1, t.height() + 1));
        }
        break;
    case KindAlarm:
        if (entry->alarm) {
            const int size = std::min(16, cell.height() - 2);
            painter.DrawBitmap(cell.left() + (cell.width() - size) / 2,
                               cell.top() + (cell.height() - size) / 2, CTavFreeIcons::Alarm(size));
        }
        break;
    case KindSize:
        painter.DrawText(cell.adjusted(4, 0, -4, 0), CellText(row, column.kind), Qt::AlignRight);
        break;
    case KindFiller:
        break;
    default:
        painter.DrawText(cell.adjusted(4, 0, -4, 0), CellText(row, column.kind));
        break;
    }
}

void CTavFreeLeftView::DrawHeaderCell(QPainter& painter, const CTavListColumn& column, const QRect& cell)
{
    if (column.kind != KindThumbnail && column.kind != KindAlarm) {
        CTavListView::DrawHeaderCell(painter, column, cell);
        return;
    }
    const int size = std::min(16, cell.height() - 6);
    const QPixmap icon = column.kind == KindAlarm ? CTavFreeIcons::Alarm(size) : CTavFreeIcons::Thumb(size);
    painter.drawPixmap(cell.left() + (cell.width() - size) / 2, cell.top() + (cell.height() - size) / 2,
                       icon);
}
