#include <QJsonValue>

#include "CTavDbAddr.h"
#include "CTavDbAddrFieldKeys.h"
#include "CliCommand.h"
#include "CliJson.h"
#include "CliStoreKind.h"

namespace {
using Field = CTavDbAddrRecord::Field;

QString key(const char* name)
{
    return QString::fromLatin1(name);
}

QString labelKey(int slot)
{
    return QStringLiteral("phone%1_label").arg(slot + 1);
}

std::unique_ptr<CTavDbPcRecord> cardFromJson(const QJsonObject& object, CTavDbStoreBase& store,
                                             QString* error)
{
    CliJsonReader in(object, error);
    auto card = std::make_unique<CTavDbAddrRecord>();
    for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        card->SetField(field, in.text(key(kAddrFieldKeys[f]), QString(), CTavDbAddrRecord::MaxBytes(field)));
    }
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        card->SetPhoneLabelID(slot, in.integer(labelKey(slot), card->GetPhoneLabelID(slot), 0,
                                               CTavDbAddrRecord::kPhoneLabelCount - 1));
    card->SetDisplayPhone(in.integer(QStringLiteral("display_phone"), 1, 0, CTavDbAddrRecord::kPhoneCount));
    card->SetThumbName(in.text(QStringLiteral("thumb_name"), QString(), 255));
    card->SetDummyThumb(in.integer(QStringLiteral("thumb_kind"), 0, 0, 255));
    const QString thumb = in.text(QStringLiteral("thumb_data"));
    if (!thumb.isEmpty()) {
        const auto decoded =
            QByteArray::fromBase64Encoding(thumb.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            in.fail(QStringLiteral("\"thumb_data\" must be base64"));
        else if (decoded.decoded.size() > CTavDbAddrRecord::kMaxThumbBytes)
            in.fail(QStringLiteral("\"thumb_data\" is larger than %1 bytes")
                        .arg(CTavDbAddrRecord::kMaxThumbBytes));
        else
            card->SetThumbData(decoded.decoded);
    }
    card->SetQuilloName(in.text(QStringLiteral("memo_sheet"), QString(), 255));
    in.common(*card, store);
    if (!in.finish({QStringLiteral("id")}))
        return nullptr;
    return card;
}

QJsonObject cardToJson(const CTavDbPcRecord& record, const CTavDbStoreBase& store)
{
    const auto& card = static_cast<const CTavDbAddrRecord&>(record);
    QJsonObject o;
    CliJson::addCommon(o, record, store);
    for (int f = 0; f < CTavDbAddrRecord::FieldCount; ++f)
        o.insert(key(kAddrFieldKeys[f]), card.GetField(static_cast<Field>(f)));
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        o.insert(labelKey(slot), card.GetPhoneLabelID(slot));
    o.insert(QStringLiteral("display_phone"), card.GetDisplayPhone());
    o.insert(QStringLiteral("thumb_name"), card.GetThumbName());
    o.insert(QStringLiteral("thumb_kind"), card.GetDummyThumb());
    o.insert(QStringLiteral("thumb_data"),
             card.GetThumbData().isEmpty() ? QJsonValue(QJsonValue::Null)
                                           : QJsonValue(QString::fromLatin1(card.GetThumbData().toBase64())));
    o.insert(QStringLiteral("memo_sheet"), card.GetQuilloName());
    return o;
}
} // namespace

LUMORA_CLI_STORE_KIND(
    {"address", [] { return std::unique_ptr<CTavDbStoreBase>(std::make_unique<CTavDbAddr>()); },
     &cardFromJson, &cardToJson,
     "last_name, last_name_reading, first_name, first_name_reading, company, company_reading, "
     "title, phone1..phone5, phone1_label..phone5_label (0-7), display_phone (0-5), address, "
     "city, state, zip, country, custom1..custom4, note, thumb_name, thumb_kind, thumb_data "
     "(base64), memo_sheet, category, private"})
