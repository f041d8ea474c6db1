#include "CTavComTextFlow.h"

#include <QPainter>
#include <QTextLayout>

int CTavComTextFlow::Draw(QPainter& painter, const QString& text, const QFont& font,
                          const QFontMetrics& metrics, const QRect& first, const QRect& rest)
{
    if (text.isEmpty())
        return 0;
    const int lineHeight = metrics.height();
    const int em = metrics.horizontalAdvance(QChar(0x3042));
    const int restLines = rest.width() >= em ? rest.height() / lineHeight : 0;
    const bool useFirst = first.width() >= em;
    const int maxLines = (useFirst ? 1 : 0) + restLines;
    if (maxLines == 0)
        return 0;

    QString flow = text;
    flow.remove(u'\r');
    flow.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(flow, font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);

    auto lineRect = [&](int index) {
        if (useFirst && index == 0)
            return first;
        const int row = index - (useFirst ? 1 : 0);
        return QRect(rest.left(), rest.top() + row * lineHeight, rest.width(), lineHeight);
    };

    int normal = 0;
    QString elided;
    QRect elidedRect;
    layout.beginLayout();
    for (int i = 0; i < maxLines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        const QRect r = lineRect(i);
        line.setLineWidth(r.width());
        // Too narrow for an ellipsis and a character or two: the line is simply cut.
        const bool elide = r.width() >= 3 * em;
        if (elide && i == maxLines - 1 && line.textStart() + line.textLength() < flow.size()) {
            // Out of room: what is left goes onto this line, cut with an ellipsis.
            const QString left = flow.mid(line.textStart()).replace(QChar::LineSeparator, u' ').simplified();
            elided = metrics.elidedText(left, Qt::ElideRight, r.width());
            elidedRect = r;
            break;
        }
        line.setPosition(QPointF(r.left(), r.top() + (r.height() - lineHeight) / 2.0));
        ++normal;
    }
    layout.endLayout();
    for (int i = 0; i < normal; ++i)
        layout.lineAt(i).draw(&painter, QPointF(0, 0));
    if (!elidedRect.isNull()) {
        painter.setFont(font);
        painter.drawText(elidedRect, Qt::AlignLeft | Qt::AlignVCenter, elided);
    }
    return normal + (elidedRect.isNull() ? 0 : 1);
}
