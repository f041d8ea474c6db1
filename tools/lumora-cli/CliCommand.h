#pragma once

#include <QStringList>
#include <vector>

class CliContext;

// Exit statuses of every command.
namespace CliExit {
constexpr int Ok = 0;
constexpr int DataError = 1;
constexpr int UsageError = 2;
} // namespace CliExit

// One command of lumora-cli. The arguments are those after the command's name, with the
// global options already taken out.
struct CliCommand
{
    const char* name;
    const char* synopsis; // "agenda FROM [TO]"
    const char* summary;  // one line for --help
    int (*run)(CliContext& context, const QStringList& args);
};

class CliRegistry final
{
public:
    static bool add(const CliCommand& command);
    static const CliCommand* find(const QString& name);
    static const std::vector<CliCommand>& all();
};

#define LUMORA_CLI_CONCAT2(a, b) a##b
#define LUMORA_CLI_CONCAT(a, b) LUMORA_CLI_CONCAT2(a, b)
// Registers a command at start-up: LUMORA_CLI_COMMAND({"users", "users", "...", &runUsers});
#define LUMORA_CLI_COMMAND(...)                                                                                 \
    namespace {                                                                                                 \
    const bool LUMORA_CLI_CONCAT(registered_, __LINE__) = CliRegistry::add(__VA_ARGS__);                         \
    }
