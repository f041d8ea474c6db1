#include "CTavSearchHitDelegate.h"

#include <QApplication>
#include <QPainter>

namespace {
const QColor kMatchBackground(0xFF, 0xE0, 0x66);
const QColor kFieldColour(0x70, 0x70, 0x70);

// Draws text from x on the baseline and answers where it ended; nothing past right.
int drawRun(QPainter* painter, const QFont& font, const QString& text, int x, int right, int top, int height)
{
    if (text.isEmpty() || x >= right)
        return x;
    painter->setFont(font);
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(text, Qt::ElideRight, right - x);
    const int width = metrics.horizontalAdvance(shown);
    painter->drawText(QRect(x, top, width + 1, height), Qt::AlignVCenter | Qt::AlignLeft, shown);
    return x + width;
}
} // namespace

void CTavSearchHitDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    if (!index.data(TitleRole).isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect r = option.rect.adjusted(kMargin, 0, -kMargin, 0);
    QFont bold = option.font;
    bold.setBold(true);
    int x = r.left();
    painter->setPen(text);
    x = drawRun(painter, bold, index.data(TitleRole).toString(), x, r.right(), r.top(), r.height());
    painter->setPen(selected ? text : kFieldColour);
    x = drawRun(painter, option.font, QStringLiteral("  %1: ").arg(index.data(FieldRole).toString()), x,
                r.right(), r.top(), r.height());

    const QString snippet = index.data(SnippetRole).toString();
    const int start = index.data(MatchStartRole).toInt();
    const int length = index.data(MatchLengthRole).toInt();
    painter->setPen(text);
    x = drawRun(painter, option.font, snippet.left(start), x, r.right(), r.top(), r.height());
    // The match on its marker, readable whether or not the line is selected.
    const QString match = snippet.mid(start, length);
    const QFontMetrics metrics(bold);
    const int matchWidth = std::min(metrics.horizontalAdvance(match), r.right() - x);
    if (matchWidth > 0) {
        painter->fillRect(QRect(x, r.top() + 2, matchWidth, r.height() - 4), kMatchBackground);
        painter->setPen(Qt::black);
        x = drawRun(painter, bold, match, x, r.right(), r.top(), r.height());
    }
    painter->setPen(text);
    drawRun(painter, option.font, snippet.mid(start + length), x, r.right(), r.top(), r.height());
    painter->restore();
}

QSize CTavSearchHitDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 6));
    return size;
}
