#include "CliCommand.h"

#include <algorithm>

namespace {
std::vector<CliCommand>& registry()
{
    static std::vector<CliCommand> commands;
    return commands;
}
} // namespace

bool CliRegistry::add(const CliCommand& command)
{
    auto& commands = registry();
    commands.push_back(command);
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand& a, const CliCommand& b) { return qstrcmp(a.name, b.name) < 0; });
    return true;
}

const CliCommand* CliRegistry::find(const QString& name)
{
    for (const CliCommand& c : registry())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

const std::vector<CliCommand>& CliRegistry::all() { return registry(); }
