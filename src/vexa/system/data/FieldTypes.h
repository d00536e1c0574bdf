// How SQLite's declared column types and stored values map to field data type codes,
// defined sizes and automation values.
#pragma once

#include <cstdint>
#include <string_view>

#include "vexa/system/automation/Variant.h"

struct sqlite3_stmt;

namespace vexa {

// The data type code of a column declared as `declaredType` (empty: none declared, 0 back).
std::int32_t FieldTypeOfDeclared(std::string_view declaredType);
// The data type code for a value of an undeclared column (an expression), by its variant.
std::int32_t FieldTypeOfValue(const Variant& value);
// The defined size of a field: the declared length of character types, else the type's size.
std::int32_t DefinedSizeOf(std::int32_t type, std::string_view declaredType);
// The value of column `col` of the current row of `statement`, converted for a field of
// `type` (0: by the stored value alone). NULL is Null.
Variant ReadFieldValue(sqlite3_stmt* statement, int col, std::int32_t type);

}  // namespace vexa
