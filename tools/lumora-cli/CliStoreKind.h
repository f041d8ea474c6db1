#pragma once

#include <QJsonObject>
#include <QString>
#include <memory>
#include <vector>

class CTavDbPcRecord;
class CTavDbStoreBase;

// How lumora-cli reads and prints the records of one store as JSON. Each store kind lives in
// its own file (StoreKind<Name>.cpp) and registers itself with LUMORA_CLI_STORE_KIND.
struct CliStoreKind
{
    const char* name; // "schedule", "address", "todo", "memo"
    std::unique_ptr<CTavDbStoreBase> (*makeStore)();
    // A new record from one JSON object; null with a message when a field is unknown, of the
    // wrong type, out of range or over its limit.
    std::unique_ptr<CTavDbPcRecord> (*fromJson)(const QJsonObject& object, CTavDbStoreBase& store, QString* error);
    // Every field of the record.
    QJsonObject (*toJson)(const CTavDbPcRecord& record, const CTavDbStoreBase& store);
    const char* fieldsHelp; // the field list for --help
};

class CliStoreKinds final
{
public:
    static bool add(const CliStoreKind& kind);
    static const CliStoreKind* find(const QString& name);
    static QStringList names();
};

#define LUMORA_CLI_STORE_KIND(...)                                                                              \
    namespace {                                                                                                 \
    const bool LUMORA_CLI_CONCAT(registeredKind_, __LINE__) = CliStoreKinds::add(__VA_ARGS__);                   \
    }
