#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class CTavDbPalmDatabase;
class CTavDbUser;

// The folder where the HotSync backup leaves the handheld's databases, and the search for the
// database that covers one year (the holiday and six-day databases carry their year in
// record 0).
class CTavDbBackupFolder final
{
public:
    static constexpr int YearOffset = 280;

    // A HotSync or a user switch may have put other databases into the folder: every cache
    // of its databases (holidays, six-day labels, application resources) compares this count
    // with its own and starts afresh when it moved on.
    static void MarkChanged();
    static uint64_t Generation();

    // The current user's folder + CTavDbEnv::GetBackupDir(), ending in '/'; empty without a
    // current user.
    static QString Path(const CTavDbUser& user);

    // The year in record 0 (16-bit big-endian at offset 280); -1 when the record is too short.
    static int HeaderYear(const CTavDbPalmDatabase& database);

    // Opens the folder's ".pdb" files in name order and takes the first with the creator and
    // type whose header year is the year and that `accept` takes (false for a foreign layout).
    // Returns 0 with that database in *found, -1 when no file matches.
    static int FindYearDatabase(const QString& folder, uint32_t creator, uint32_t type, int year,
                                const std::function<bool(const CTavDbPalmDatabase&)>& accept,
                                CTavDbPalmDatabase* found);

private:
    CTavDbBackupFolder() = delete;
};
