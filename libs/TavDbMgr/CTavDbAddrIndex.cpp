#include "CTavDbAddrIndex.h"

#include <algorithm>
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

namespace {
bool hasWidthForms(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar ch) { return ch.unicode() >= 0xFF00 && ch.unicode() <= 0xFFEF; });
}

char16_t foldChar(char16_t u)
{
    if (u >= 0x30A1 && u <= 0x30F6)
        return static_cast<char16_t>(u - 0x60); // katakana to hiragana
    return u < 0x80 ? (u >= u'A' && u <= u'Z' ? u + 0x20 : u) : QChar::toCaseFolded(u);
}
} // namespace

QString CTavDbAddrIndex::Fold(const QString& text)
{
    // Half-width kana and full-width Latin become their usual forms (ｶﾞ to ガ, Ａ to A).
    QString out = hasWidthForms(text) ? text.normalized(QString::NormalizationForm_KC) : text;
    for (QChar& ch : out)
        ch = QChar(foldChar(ch.unicode()));
    return out;
}

bool CTavDbAddrIndex::Contains(const QString& text, const QString& foldedWord)
{
    const qsizetype n = text.size();
    const qsizetype m = foldedWord.size();
    if (m == 0 || n < m)
        return false;
    // Width forms change the length; only those texts pay for a folded copy.
    if (hasWidthForms(text))
        return Fold(text).contains(foldedWord);
    const char16_t* t = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* w = reinterpret_cast<const char16_t*>(foldedWord.constData());
    for (qsizetype i = 0; i + m <= n; ++i) {
        qsizetype j = 0;
        while (j < m && foldChar(t[i + j]) == w[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}
