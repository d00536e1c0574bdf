// How SQLite's stored values become automation values of a field's type.
#pragma once

#include <cstdint>

#include "vexa/system/automation/Variant.h"

struct sqlite3_stmt;

namespace vexa {

// The value of column `col` of the current row of `statement`, converted for a field of
// `type` (0: by the stored value alone). NULL is Null.
Variant ReadSqliteValue(sqlite3_stmt* statement, int col, std::int32_t type);

}  // namespace vexa
