#pragma once

#include <QString>

// The address book's index tabs and the folding its search uses.
//
// Japanese tabs 0-8 are the kana rows あ か さ た な は ま や らわ: a card falls under the row
// that holds the first character of its leading sort text (a reading where there is one),
// in hiragana, katakana, half-width or small form. Other locales use the Latin tabs ABC DEF
// GHI JKL MNO PQR STU VW XYZ, compared without case, width or accents. Everything else falls
// under tab 9 ("A1" or "etc"); tab 10 lists every card.
class CTavDbAddrIndex final
{
public:
    static constexpr int kTabCount = 11;
    static constexpr int kTabOther = 9;
    static constexpr int kTabAll = 10;
    // The locale string under which the kana tabs are used.
    static QString JapaneseLocale() { return QStringLiteral("jpJP"); }

    // The tab (0-9) of a text, by its first character.
    static int TabOf(const QString& text, bool japanese);
    // A form of the text in which case, full and half width, and hiragana against katakana
    // make no difference, for matching search words.
    static QString Fold(const QString& text);
    // Whether the text holds the folded word, folding the text on the fly.
    static bool Contains(const QString& text, const QString& foldedWord);
};
