#pragma once

#include <QString>
#include <vector>

// The form text is compared in when searching, so that a query matches the way a Japanese user
// types it: katakana (full- or half-width, voiced marks composed) becomes hiragana, full-width
// Latin letters, digits and signs become ASCII, and case is folded.
class CTavDbSearchFold final
{
public:
    // Never produced by Fold: separates folded fields kept in one text.
    static constexpr char16_t kSeparator = 0x0001;

    // The folded text. With starts, starts[i] is where the text's character folded into
    // position i begins, and one more entry holds the text's length, so that a folded range
    // [b, e) is the text's [starts[b], starts[e]).
    static QString Fold(const QString& text, std::vector<int>* starts = nullptr);

private:
    // The folded form of one character, without composing marks.
    static char16_t foldChar(char16_t c);
    // The character with a voiced (0x3099) or semi-voiced (0x309A) mark, or 0 when it has none.
    static char16_t voiced(char16_t base, char16_t mark);
};
