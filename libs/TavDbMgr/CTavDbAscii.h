#pragma once

#include <QByteArrayView>

// Case-insensitive comparison of ASCII words, inline: vCard and CSV readers compare every
// property name and parameter, and a library call per comparison shows in their imports.
struct CTavDbAscii
{
    static constexpr char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 0x20) : c; }

    static constexpr bool same(QByteArrayView a, QByteArrayView b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (upper(a[i]) != upper(b[i]))
                return false;
        return true;
    }

    // Literals keep their length: a view made of a char array would search it for its end.
    template <qsizetype N> static constexpr bool same(QByteArrayView a, const char (&b)[N])
    {
        return same(a, QByteArrayView(b, N - 1));
    }

    static constexpr bool startsWith(QByteArrayView text, QByteArrayView word)
    {
        return text.size() >= word.size() && same(text.first(word.size()), word);
    }

    template <qsizetype N> static constexpr bool startsWith(QByteArrayView text, const char (&word)[N])
    {
        return startsWith(text, QByteArrayView(word, N - 1));
    }
};
