#include "CTavDbMemo.h"
#include "CTavDbMemoCsv.h"
#include "CTavDbMemoRecord.h"
#include "CliCommand.h"
#include "CliJson.h"
#include "CliStoreKind.h"

namespace {
std::unique_ptr<CTavDbPcRecord> memoFromJson(const QJsonObject& object, CTavDbStoreBase& store,
                                             QString* error)
{
    CliJsonReader in(object, error);
    auto memo = std::make_unique<CTavDbMemoRecord>();
    // The memo dialog and the import take one byte less than the handheld, so that nothing
    // added here is refused when it is edited.
    memo->SetMemo(in.text(QStringLiteral("memo"), QString(), CTavDbMemoRecord::kMaxBytes));
    memo->SetCreateDateTime(in.dateTime(QStringLiteral("created"), 0));
    memo->SetUpdateDateTime(in.dateTime(QStringLiteral("updated"), 0));
    in.common(*memo, store);
    if (!in.finish({QStringLiteral("id")}))
        return nullptr;
    return memo;
}

QJsonObject memoToJson(const CTavDbPcRecord& record, const CTavDbStoreBase& store)
{
    const auto& memo = static_cast<const CTavDbMemoRecord&>(record);
    QJsonObject o;
    CliJson::addCommon(o, record, store);
    o.insert(QStringLiteral("memo"), memo.GetMemo());
    o.insert(QStringLiteral("created"), CliJson::dateTimeText(memo.GetCreateDateTime()));
    o.insert(QStringLiteral("updated"), CliJson::dateTimeText(memo.GetUpdateDateTime()));
    return o;
}
} // namespace

LUMORA_CLI_STORE_KIND({"memo",
                       [] { return std::unique_ptr<CTavDbStoreBase>(std::make_unique<CTavDbMemo>()); },
                       &memoFromJson, &memoToJson, "memo, created, updated, category, private"})
