#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include "CTavDbAscii.h"

// One logical line of a vCard, "group.NAME;PARAM=a,b;BARE:value", and its value decoded: the
// transfer encoding first (quoted-printable, base64), then the character set, then the text
// escapes. The views point into the line given to parse(), which must outlive the property.
class CTavDbVCardProperty final
{
public:
    enum class Dialect
    {
        V21, // bare parameters, Shift_JIS unless a CHARSET says otherwise, no backslash escapes
        V30,
        V40, // as 3.0, and TEL values may be "tel:" addresses
    };

    // False when the line has no colon or no name.
    bool parse(QByteArrayView line);
    QByteArrayView name() const { return m_name; }
    template <qsizetype N> bool is(const char (&name)[N]) const { return CTavDbAscii::same(m_name, name); }
    QByteArrayView rawValue() const { return m_value; }

    // The first value of the parameter of that name (quotes removed), empty when absent.
    QByteArrayView param(QByteArrayView name) const;
    template <qsizetype N> QByteArrayView param(const char (&name)[N]) const
    {
        return param(QByteArrayView(name, N - 1));
    }
    // A TYPE value (of comma lists too) or, as 2.1 writes them, a bare parameter.
    bool hasType(QByteArrayView type) const;
    template <qsizetype N> bool hasType(const char (&type)[N]) const
    {
        return hasType(QByteArrayView(type, N - 1));
    }
    // How strongly the property is marked preferred: 1 for TYPE=PREF or a bare PREF, the
    // number of PREF=n, 0 for not at all.
    int prefRank() const;

    // The value's bytes after the transfer encoding; ok is false for base64 that is broken.
    QByteArray bytes(bool* ok = nullptr) const;
    // The value as text with its character set; line breaks become line feeds. Escapes are
    // left in place for the split and unescape functions below.
    QString text(Dialect dialect) const;
    // A parameter's value as text (SORT-AS), in the value's character set.
    QString paramText(QByteArrayView name, Dialect dialect) const;
    // The text of a single-valued property, escapes resolved.
    QString value(Dialect dialect) const;
    // The components of a structured value, split at unescaped separators and resolved.
    QStringList components(Dialect dialect, QChar separator = u';') const;

    static QString unescape(QString text);
    static QStringList split(QStringView text, QChar separator, Dialect dialect);
    // The text escaped for a 3.0 value: backslash, semicolon, comma and line feeds.
    static QString escape(const QString& text);

private:
    struct Param
    {
        QByteArrayView name; // empty for a bare parameter
        QByteArrayView value;
    };
    QByteArrayView encoding() const;

    QByteArrayView m_name;
    QByteArrayView m_value;
    QVarLengthArray<Param, 6> m_params;
};
