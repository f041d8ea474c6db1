#pragma once

#include <QByteArray>
#include <QStringList>

class CTavDbAddrRecord;

// The rich text of one card in the detail pane: the common header, then one paragraph per
// non-empty field with its label in bold (name, company, title, the phones, the postal address,
// the custom fields, the note), or "Private Data." for a private card in a masked pane.
class CTavAddrDetailText final
{
public:
    struct Paragraph
    {
        QString label;
        QString text;
    };

    // The labelled fields in the order they are shown; the postal address in the Japanese
    // order (zip code first) for "jpJP", else the Western one (street first).
    static QList<Paragraph> Paragraphs(const CTavDbAddrRecord& card, const QStringList& customLabels,
                                       const QString& locale);
    static QByteArray Document(const CTavDbAddrRecord& card, const QStringList& customLabels,
                               const QString& locale, bool masked);
};
