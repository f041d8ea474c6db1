#pragma once

#include <QByteArray>
#include <QString>

// The rich text every detail pane shows: a fixed header, then the record's text escaped, or
// "Private Data." for a private record in a masked pane. The document is code page 932 bytes;
// the few characters that code page cannot hold are written as Unicode escapes.
class CTavRichText final
{
public:
    static const QByteArray& Header();
    // The text with backslashes, line breaks and braces escaped, in code page 932.
    static QByteArray Escape(const QString& text);
    // The document of one record.
    static QByteArray Document(const QString& text, bool masked, bool isPrivate);
    // The document when nothing is selected.
    static QByteArray EmptyDocument();
};
