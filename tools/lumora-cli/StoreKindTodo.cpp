#include "CTavDbTodo.h"
#include "CliCommand.h"
#include "CliJson.h"
#include "CliStoreKind.h"

namespace {
QString limitedText(CliJsonReader& in, const QString& key, int maxBytes)
{
    const QString text = in.text(key);
    if (CTavDbTodoRecord::TextBytes(text) > maxBytes) {
        in.fail(QStringLiteral("\"%1\" is longer than %2 bytes").arg(key).arg(maxBytes));
        return QString();
    }
    return text;
}

std::unique_ptr<CTavDbPcRecord> taskFromJson(const QJsonObject& object, CTavDbStoreBase& store,
                                             QString* error)
{
    CliJsonReader in(object, error);
    auto task = std::make_unique<CTavDbTodoRecord>();
    task->SetDesc(limitedText(in, QStringLiteral("description"), CTavDbTodoRecord::kMaxDescBytes));
    task->SetNote(limitedText(in, QStringLiteral("note"), CTavDbTodoRecord::kMaxNoteBytes));
    task->SetPriority(in.integer(QStringLiteral("priority"), CTavDbTodoRecord::kMinPriority,
                                 CTavDbTodoRecord::kMinPriority, CTavDbTodoRecord::kMaxPriority));
    task->SetDueDate(in.date(QStringLiteral("due"), maxDateTime));
    task->SetStartDate(in.date(QStringLiteral("start"), maxDateTime));
    task->SetCompleted(in.boolean(QStringLiteral("completed")));
    task->SetIndentLevel(in.integer(QStringLiteral("level"), 0, 0, CTavDbTodoRecord::kMaxLevel));
    task->SetFolded(in.boolean(QStringLiteral("folded")));
    task->SetQuilloName(in.text(QStringLiteral("memo_sheet"), QString(), 255));
    in.common(*task, store);
    if (!in.finish({QStringLiteral("id")}))
        return nullptr;
    return task;
}

QJsonObject taskToJson(const CTavDbPcRecord& record, const CTavDbStoreBase& store)
{
    const auto& task = static_cast<const CTavDbTodoRecord&>(record);
    QJsonObject o;
    CliJson::addCommon(o, record, store);
    o.insert(QStringLiteral("description"), task.GetDesc());
    o.insert(QStringLiteral("note"), task.GetNote());
    o.insert(QStringLiteral("priority"), task.GetPriority());
    o.insert(QStringLiteral("due"), CliJson::dateText(task.GetDueDate()));
    o.insert(QStringLiteral("start"), CliJson::dateText(task.GetStartDate()));
    o.insert(QStringLiteral("completed"), task.GetCompleted());
    o.insert(QStringLiteral("level"), task.GetIndentLevel());
    o.insert(QStringLiteral("folded"), task.GetFolded());
    o.insert(QStringLiteral("memo_sheet"), task.GetQuilloName());
    return o;
}

std::unique_ptr<CTavDbStoreBase> makeTodoStore()
{
    auto store = std::make_unique<CTavDbTodo>();
    store->SetFoldingApplied(false); // scripts see every task, folded or not
    return store;
}
} // namespace

LUMORA_CLI_STORE_KIND({"todo", &makeTodoStore, &taskFromJson, &taskToJson,
                       "description, note, priority (1-5), due, start (YYYY-MM-DD or null), completed, "
                       "level (0-2), folded, memo_sheet, category, private"})
