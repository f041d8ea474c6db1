#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QTextDocument;

// Reads the rich text the program writes: groups, the font and colour tables (skipped), \par,
// \b, \b0, \fs, \tab, \deff, \plain, \'hh bytes and double-byte characters of code page 932,
// \u escapes, and escaped braces and backslashes. Anything else is passed over, so hostile
// input yields some text and never more.
class CTavRichTextReader final
{
public:
    static constexpr int kDefaultHalfPoints = 24;
    static constexpr int kMaxDepth = 100;

    struct Run
    {
        QString text;
        bool bold = false;
        int halfPoints = kDefaultHalfPoints;
        bool paragraphEnd = false; // the run ends its paragraph (\par)

        bool operator==(const Run&) const = default;
    };

    static QList<Run> Parse(const QByteArray& rtf);
    // The text alone, paragraphs separated by line feeds.
    static QString PlainText(const QByteArray& rtf);
    // Replaces the document's content with the parsed text and its formats.
    static void Fill(QTextDocument& document, const QByteArray& rtf);
};
