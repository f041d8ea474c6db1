#include "CTavDbKana.h"

QString CTavDbKana::toFullWidth(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && !isHalfWidthKana(text.at(i)))
        ++i;
    if (i == n)
        return text;
    QString out = text.left(i);
    while (i < n) {
        qsizetype end = i;
        while (end < n && isHalfWidthKana(text.at(end)))
            ++end;
        // A voiced mark joins the letter before it, so the run is normalised as one piece.
        out += QStringView(text).sliced(i, end - i).toString().normalized(QString::NormalizationForm_KC);
        i = end;
        while (end < n && !isHalfWidthKana(text.at(end)))
            ++end;
        out += QStringView(text).sliced(i, end - i);
        i = end;
    }
    return out;
}
