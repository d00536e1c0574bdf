// How PostgreSQL's column types map to field data type codes and defined sizes, and how the
// text form of its values becomes automation values of those types.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "vexa/system/automation/Variant.h"
#include "vexa/system/data/Recordset.h"

struct pg_result;

namespace vexa {

// The data type code of a column of the server type `typeOid`.
std::int32_t FieldTypeOfPostgres(unsigned typeOid);
// The fields of a query result: names, data type codes and defined sizes.
std::vector<FieldInfo> DescribePostgresFields(const pg_result* result);
// Every value of a result, row-major (a row's fields together).
std::vector<Variant> ReadPostgresRows(const pg_result* result);
// The value of a result cell; NULL is Null. A value the field type cannot hold (a date
// outside the automation range, infinity) stays the server's text.
Variant ReadPostgresValue(const pg_result* result, int row, int col, unsigned typeOid);
// The date serial of a date, time or timestamp as the server writes it in the ISO style
// ("2024-03-01 10:30:00.25+02"; the time zone is dropped: the value is the server's local
// time); std::nullopt when the text is not one or lies outside the automation date range.
std::optional<double> PostgresDateSerial(std::string_view text);

}  // namespace vexa
