#pragma once

#include "CTavDbAddrRecord.h"

// The names a card's text fields go by outside the program (JSON lines of the command-line
// tool, search results), in the record's field order.
inline constexpr const char* kAddrFieldKeys[CTavDbAddrRecord::FieldCount] = {
    "last_name",  "last_name_reading",
    "first_name", "first_name_reading",
    "company",    "company_reading",
    "title",      "phone1",
    "phone2",     "phone3",
    "phone4",     "phone5",
    "address",    "city",
    "state",      "zip",
    "country",    "custom1",
    "custom2",    "custom3",
    "custom4",    "note"};
