#include "CTavDbAddrIndex.h"

#include <array>

namespace {
// The characters of each kana row, as the tabs group them.
const char16_t* const kKanaRows[] = {
    u"あいうえおアイウエオｱｲｳｴｵぁぃぅぇぉァィゥェォｧｨｩｪｫ",
    u"かきくけこがぎぐげごカキクケコガギグゲゴｶｷｸｹｺ",
    u"さしすせそざじずぜぞサシスセソザジズゼゾｻｼｽｾｿ",
    u"たちつてとだぢづでどタチツテトダヂヅデドﾀﾁﾂﾃﾄっッｯ",
    u"なにぬねのナニヌネノﾅﾆﾇﾈﾉ",
    u"はひふへほばびぶべぼぱぴぷぺぽハヒフヘホバビブベボパピプヴペポﾊﾋﾌﾍﾎ",
    u"まみむめもマミムメモﾏﾐﾑﾒﾓ",
    u"やゆよヤユヨﾔﾕﾖゃゅょャュョｬｭｮ",
    u"らりるれろわゐゑをんラリルレロワヰヱヲンﾗﾘﾙﾚﾛﾜｦﾝゎヮ",
};

// Kana live in U+3040-U+30FF and U+FF61-U+FF9F; one small table covers both blocks.
struct KanaTable
{
    std::array<int8_t, 0x100> kana{};
    std::array<int8_t, 0x40> halfWidth{};
    KanaTable()
    {
        kana.fill(-1);
        halfWidth.fill(-1);
        for (int row = 0; row < 9; ++row) {
            for (const char16_t* p = kKanaRows[row]; *p; ++p) {
                if (*p >= 0x3000 && *p < 0x3100)
                    kana[*p - 0x3000] = static_cast<int8_t>(row);
                else if (*p >= 0xFF60 && *p < 0xFFA0)
                    halfWidth[*p - 0xFF60] = static_cast<int8_t>(row);
            }
        }
    }
    int rowOf(char16_t ch) const
    {
        if (ch >= 0x3000 && ch < 0x3100)
            return kana[ch - 0x3000];
        if (ch >= 0xFF60 && ch < 0xFFA0)
            return halfWidth[ch - 0xFF60];
        return -1;
    }
};

const KanaTable& kanaTable()
{
    static const KanaTable table;
    return table;
}

int latinTab(QChar first)
{
    // Full-width letters and accented letters decompose to their base letter.
    const QString base = QString(first).normalized(QString::NormalizationForm_KD);
    const char16_t ch = base.isEmpty() ? first.unicode() : QChar::toUpper(base.at(0).unicode());
    if (ch < u'A' || ch > u'Z')
        return CTavDbAddrIndex::kTabOther;
    if (ch <= u'U')
        return (ch - u'A') / 3; // ABC DEF GHI JKL MNO PQR STU
    return ch <= u'W' ? 7 : 8;  // VW, XYZ
}
} // namespace

int CTavDbAddrIndex::TabOf(const QString& text, bool japanese)
{
    if (text.isEmpty())
        return kTabOther;
    if (!japanese)
        return latinTab(text.at(0));
    const int row = kanaTable().rowOf(text.at(0).unicode());
    return row < 0 ? kTabOther : row;
}

QString CTavDbAddrIndex::Fold(const QString& text)
{
    QString out = text;
    // Half-width kana and full-width Latin become their usual forms (ｶﾞ to ガ, Ａ to A).
    for (QChar ch : text) {
        if (ch.unicode() >= 0xFF00 && ch.unicode() <= 0xFFEF) {
            out = text.normalized(QString::NormalizationForm_KC);
            break;
        }
    }
    for (QChar& ch : out) {
        const char16_t u = ch.unicode();
        if (u >= 0x30A1 && u <= 0x30F6)
            ch = QChar(static_cast<char16_t>(u - 0x60)); // katakana to hiragana
        else
            ch = ch.toCaseFolded();
    }
    return out;
}
