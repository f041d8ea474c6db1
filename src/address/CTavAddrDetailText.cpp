#include "CTavAddrDetailText.h"

#include "CTavDbAddr.h"
#include "CTavDbAddrIndex.h"
#include "CTavRichText.h"

QList<CTavAddrDetailText::Paragraph> CTavAddrDetailText::Paragraphs(const CTavDbAddrRecord& card,
                                                                    const QStringList& customLabels,
                                                                    const QString& locale)
{
    QList<Paragraph> out;
    auto add = [&out](const QString& label, const QString& text) {
        if (!text.isEmpty())
            out.append({label, text});
    };
    // The name paragraph keeps the blank between the names as the card has them.
    const QString name = card.GetLastName().isEmpty() && card.GetFirstName().isEmpty()
                             ? QString()
                             : card.GetLastName() + u' ' + card.GetFirstName();
    add(QStringLiteral("名前"), name);
    add(QStringLiteral("会社名"), card.GetCompany());
    add(QStringLiteral("役職"), card.GetTitle());
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        add(CTavDbAddr::GetPhoneLabelName(card.GetPhoneLabelID(slot)), card.GetPhone(slot));
    const Paragraph zip{QStringLiteral("郵便番号"), card.GetZipCode()};
    const Paragraph state{QStringLiteral("都道府県"), card.GetState()};
    const Paragraph city{QStringLiteral("市町村"), card.GetCity()};
    const Paragraph street{QStringLiteral("住所"), card.GetAddress()};
    const Paragraph country{QStringLiteral("国名"), card.GetCountry()};
    const QList<Paragraph> postal = locale == CTavDbAddrIndex::JapaneseLocale()
                                        ? QList<Paragraph>{zip, state, city, street, country}
                                        : QList<Paragraph>{street, city, state, zip, country};
    for (const Paragraph& p : postal)
        add(p.label, p.text);
    for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i) {
        const QString label = customLabels.value(i);
        add(label.isEmpty() ? QStringLiteral("カスタム%1").arg(i + 1) : label, card.GetCustom(i));
    }
    add(QStringLiteral("コメント"), card.GetNote());
    return out;
}

QByteArray CTavAddrDetailText::Document(const CTavDbAddrRecord& card, const QStringList& customLabels,
                                        const QString& locale, bool masked)
{
    QByteArray doc = CTavRichText::Header();
    if (masked && card.GetIsPrivate()) {
        doc += "Private Data.";
    } else {
        for (const Paragraph& p : Paragraphs(card, customLabels, locale))
            doc += "\\b\\fs28 " + CTavRichText::Escape(p.label) + "\\b0  : \\deff\\fs28 " +
                   CTavRichText::Escape(p.text) + "\\par";
    }
    doc += '}';
    return doc;
}
