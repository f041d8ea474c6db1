#pragma once

#include <QString>
#include <memory>

class CliContext;
struct CliStoreKind;
class CTavDbStoreBase;

// A store of the resolved user, loaded for a command.
struct CliOpenStore
{
    const CliStoreKind* kind = nullptr;
    std::unique_ptr<CTavDbStoreBase> store;
};

namespace CliStoreAccess {
// The named kind of store, or null with the list of stores printed.
const CliStoreKind* kind(const QString& name);
// Loads the named store of the resolved user; prints the problem and answers the exit status.
int open(CliContext& ctx, const QString& name, CliOpenStore* out);
// Private records are shown only with withPrivate, and then only after the user's password
// (read from standard input) when the user has one. Sets the store's private mode and answers
// the exit status.
int applyPrivateMode(CliContext& ctx, CTavDbStoreBase& store, bool withPrivate);
} // namespace CliStoreAccess
