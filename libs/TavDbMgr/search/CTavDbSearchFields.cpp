#include "CTavDbSearchFields.h"

#include "CTavDbAddr.h"
#include "CTavDbAddrFieldKeys.h"
#include "CTavDbAddrRecord.h"
#include "CTavDbDateRecord.h"
#include "CTavDbMemoRecord.h"
#include "CTavDbTodoRecord.h"

namespace {
using Row = CTavDbSearchTable::Row;
using Card = CTavDbAddrRecord;

void addField(Row& row, int number, const QString& text)
{
    if (!text.isEmpty())
        row.fields.append({number, text});
}

void identify(Row& row, const CTavDbPcRecord& record)
{
    row.id = record.GetUniqueId();
    row.isPrivate = record.GetIsPrivate();
}

QString firstLine(const QString& text)
{
    const qsizetype end = text.indexOf(u'\n');
    return (end < 0 ? text : text.left(end)).trimmed();
}

// Field names of cards, in the order of CTavDbAddrRecord::Field.
const char16_t* const kCardFieldNames[Card::FieldCount] = {
    u"姓",    u"姓のよみ",  u"名",        u"名のよみ",  u"会社",      u"会社のよみ", u"役職",     u"電話1",
    u"電話2", u"電話3",     u"電話4",     u"電話5",     u"住所",      u"市区町村",   u"都道府県", u"郵便番号",
    u"国",    u"カスタム1", u"カスタム2", u"カスタム3", u"カスタム4", u"メモ"};
} // namespace

Row CTavDbSearchFields::EventRow(const CTavDbDateRecord& event)
{
    Row row;
    identify(row, event);
    row.title = firstLine(event.GetDesc());
    row.date = event.GetStartDate();
    addField(row, kDescription, event.GetDesc());
    addField(row, kNote, event.GetNote());
    return row;
}

Row CTavDbSearchFields::CardRow(const CTavDbAddrRecord& card)
{
    Row row;
    identify(row, card);
    row.title = CardTitle(card);
    for (int f = 0; f < Card::FieldCount; ++f)
        addField(row, f, card.GetField(static_cast<Card::Field>(f)));
    return row;
}

Row CTavDbSearchFields::TaskRow(const CTavDbTodoRecord& task)
{
    Row row;
    identify(row, task);
    row.title = firstLine(task.GetDesc());
    addField(row, kDescription, task.GetDesc());
    addField(row, kNote, task.GetNote());
    return row;
}

Row CTavDbSearchFields::MemoRow(const CTavDbMemoRecord& memo)
{
    Row row;
    identify(row, memo);
    row.title = memo.GetTitle().trimmed();
    addField(row, kText, memo.GetMemo());
    return row;
}

QString CTavDbSearchFields::CardTitle(const CTavDbAddrRecord& card)
{
    QString name = (card.GetLastName() + u' ' + card.GetFirstName()).trimmed();
    if (name.isEmpty())
        name = card.GetCompany().trimmed();
    if (name.isEmpty())
        name = card.GetDisplayPhoneText().trimmed();
    return name;
}

QString CTavDbSearchFields::ModuleName(int module)
{
    switch (module) {
    case TavSearchModule::Schedule:
        return QStringLiteral("予定");
    case TavSearchModule::Address:
        return QStringLiteral("アドレス");
    case TavSearchModule::Todo:
        return QStringLiteral("To Do リスト");
    case TavSearchModule::FreeMemo:
        return QStringLiteral("手書きメモ");
    case TavSearchModule::MemoPad:
        return QStringLiteral("メモ帳");
    case TavSearchModule::Reference:
        return QStringLiteral("便利情報");
    default:
        return QString();
    }
}

QString CTavDbSearchFields::ModuleKey(int module)
{
    static const char* const keys[] = {"", "schedule", "address", "todo", "sheet", "memo", "reference"};
    return module >= TavSearchModule::First && module <= TavSearchModule::Last
               ? QString::fromLatin1(keys[module])
               : QString();
}

QString CTavDbSearchFields::FieldName(int module, int field, int phoneLabel)
{
    switch (module) {
    case TavSearchModule::Address:
        if (field >= Card::Phone1 && field <= Card::Phone5 && phoneLabel >= 0) {
            const QString label = CTavDbAddr::GetPhoneLabelName(phoneLabel);
            if (!label.isEmpty())
                return label;
        }
        return field >= 0 && field < Card::FieldCount ? QString::fromUtf16(kCardFieldNames[field])
                                                      : QString();
    case TavSearchModule::Schedule:
    case TavSearchModule::Todo:
        return field == kNote ? QStringLiteral("メモ") : QStringLiteral("内容");
    case TavSearchModule::MemoPad:
        return QStringLiteral("本文");
    default:
        return QStringLiteral("タイトル");
    }
}

QString CTavDbSearchFields::FieldKey(int module, int field)
{
    switch (module) {
    case TavSearchModule::Address:
        return field >= 0 && field < Card::FieldCount ? QString::fromLatin1(kAddrFieldKeys[field])
                                                      : QString();
    case TavSearchModule::Schedule:
        return field == kNote ? QStringLiteral("note") : QStringLiteral("desc");
    case TavSearchModule::Todo:
        return field == kNote ? QStringLiteral("note") : QStringLiteral("description");
    case TavSearchModule::MemoPad:
        return QStringLiteral("memo");
    default:
        return QStringLiteral("title");
    }
}
