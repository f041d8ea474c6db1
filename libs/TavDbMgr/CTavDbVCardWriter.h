#pragma once

#include <QByteArray>
#include <QString>

// Content lines of a vCard 3.0 file in UTF-8: "NAME;PARAMS:value" folded at 75 octets (never
// inside a character), continuation lines starting with a blank, every line ending in CR LF.
class CTavDbVCardWriter final
{
public:
    static constexpr int kFoldOctets = 75;

    // head: the name and parameters; value: already escaped.
    void line(const QByteArray& head, const QString& value);
    // The line only when the value is not empty.
    void optional(const QByteArray& head, const QString& value)
    {
        if (!value.isEmpty())
            line(head, value);
    }
    const QByteArray& bytes() const { return m_out; }

private:
    QByteArray m_out;
};
