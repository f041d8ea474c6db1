#pragma once

#include <cstdint>

// Every store operation answers with one of these; 0 is success.
using TavStatus = int32_t;

namespace TavStatusCode {
constexpr TavStatus Ok = 0;
constexpr TavStatus Failed = 1;          // generic failure
constexpr TavStatus NotFound = 2;        // no record, category or user of that id or name
constexpr TavStatus InvalidArgument = 3; // a value out of range or an over-long field
constexpr TavStatus FileError = 4;       // the file could not be opened, read or written
constexpr TavStatus NotOurFile = 5;      // the file is not a store of this kind
constexpr TavStatus Corrupt = 6;         // the file is ours but damaged
constexpr TavStatus Refused = 7;         // the operation is not allowed in this state
constexpr TavStatus CategoryLimit = 8;   // all category slots are taken
constexpr TavStatus Duplicate = 9;       // a name that is already used
constexpr TavStatus Conflict = 10;       // the file changed since loading in a way that cannot be merged
constexpr TavStatus Unsupported = 11;    // a later, unknown version of a known file layout
constexpr TavStatus WrongKind = 12;      // a data file of another store kind
constexpr TavStatus RecordLimit = 20780; // the store's record limit is reached
} // namespace TavStatusCode
