#pragma once

#include <cstdint>

// Codec results follow the COM convention the rest of the picture code was written against.
using MediaStatus = uint32_t;

namespace MediaStatusCode {
constexpr MediaStatus Ok = 0;             // S_OK
constexpr MediaStatus Fail = 0x80004005u; // E_FAIL
} // namespace MediaStatusCode
