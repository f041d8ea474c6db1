#include "CTavDbSearchFold.h"

#include <QChar>

namespace {
// Full-width forms of the half-width katakana block U+FF61..U+FF9F.
constexpr char16_t kHalfWidthKana[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
constexpr char16_t kVoicedMark = 0x309B;
constexpr char16_t kSemiVoicedMark = 0x309C;
} // namespace

char16_t CTavDbSearchFold::foldChar(char16_t c)
{
    if (c < 0x80) {
        if (c >= u'A' && c <= u'Z')
            return c + 0x20;
        // Line breaks and tabs read as spaces; the field separator can never be matched.
        return c < 0x20 ? u' ' : c;
    }
    if (c >= 0xFF01 && c <= 0xFF5E) {
        const char16_t ascii = c - 0xFEE0;
        return ascii >= u'A' && ascii <= u'Z' ? ascii + 0x20 : ascii;
    }
    if (c >= 0xFF61 && c <= 0xFF9F)
        c = kHalfWidthKana[c - 0xFF61];
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE)
        return c - 0x60; // katakana to hiragana
    switch (c) {
    case 0x3000:
        return u' ';
    case 0x3099:
        return kVoicedMark;
    case 0x309A:
        return kSemiVoicedMark;
    default:
        break;
    }
    if (c < 0x2000)
        return static_cast<char16_t>(QChar::toCaseFolded(char32_t(c)));
    return c;
}

char16_t CTavDbSearchFold::voiced(char16_t base, char16_t mark)
{
    if (mark == kVoicedMark) {
        if (base >= 0x304B && base <= 0x3062 && (base - 0x304B) % 2 == 0)
            return base + 1; // ka .. chi
        if (base == 0x3064 || base == 0x3066 || base == 0x3068 || base == 0x309D)
            return base + 1; // tsu, te, to, the iteration mark
        if (base >= 0x306F && base <= 0x307B && (base - 0x306F) % 3 == 0)
            return base + 1; // ha .. ho
        if (base == 0x3046)
            return 0x3094; // vu
        return 0;
    }
    if (base >= 0x306F && base <= 0x307B && (base - 0x306F) % 3 == 0)
        return base + 2;
    return 0;
}

QString CTavDbSearchFold::Fold(const QString& text, std::vector<int>* starts)
{
    const qsizetype n = text.size();
    QString out(n, Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    const char16_t* src = reinterpret_cast<const char16_t*>(text.constData());
    if (starts) {
        starts->clear();
        starts->reserve(n + 1);
    }
    qsizetype length = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = foldChar(src[i]);
        if ((c == kVoicedMark || c == kSemiVoicedMark) && length > 0) {
            if (const char16_t composed = voiced(dst[length - 1], c)) {
                dst[length - 1] = composed; // the mark joins its kana
                continue;
            }
        }
        dst[length++] = c;
        if (starts)
            starts->push_back(int(i));
    }
    if (starts)
        starts->push_back(int(n));
    out.truncate(length);
    return out;
}
