// The two layout strings a host saves and restores: the column layout (width, display
// position and visibility of every column) and the sort layout (sort key and order of every
// sorted column). Both are flat lists of "column|name|value|" triples, each field ending
// with "|"; the column is its index, not its display position.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

class ColumnTable;

// The fields of a layout string. Text after the last "|" is not a field.
std::vector<std::string_view> LayoutFields(std::string_view text);

// A decimal integer (optional sign, surrounding blanks allowed) that fits 32 bits.
std::optional<std::int32_t> ParseLayoutNumber(std::string_view field);

// "1", "0", any integer (non-zero is true), "True" or "False" in any case.
std::optional<bool> ParseLayoutBoolean(std::string_view field);

// ---- Column layout ----

std::string WriteColumnLayout(const ColumnTable& columns);

// Where a column goes, and how wide and whether visible it is there.
struct ColumnPlacement {
    std::int32_t index = 0;
    std::int32_t width = 0;
    bool visible = true;
};

// The new display order a column layout string gives for the columns as they stand:
// element p - 1 is what goes to position p. Groups of three triples describe one column
// (the index of a group is that of its last triple); groups naming a column beyond the
// last one are skipped and move the orders after them down by one each; columns beyond the
// highest index described keep their index as position. A string that cannot be applied
// whole raises 514 (a value that is not a number, an order out of range, a width below 0,
// positions not filled by exactly one column each) or 513 (a column index below 1), and
// nothing is applied.
std::vector<ColumnPlacement> ReadColumnLayout(std::string_view text, const ColumnTable& columns);

// ---- Sort layout ----

std::string WriteSortLayout(const ColumnTable& columns);

// One setting of a sort layout string: a sort key or a sort order for a display position.
struct SortSetting {
    std::int32_t position = 0;
    bool isKey = false;  // SortKey, else SortOrder
    std::int32_t value = 0;
};

struct SortLayout {
    std::vector<SortSetting> settings;  // in the order of the string
    std::int32_t maxKey = 0;            // the largest key set (0 when none is above 0)
};

// The settings of a sort layout string. Triples whose column is not a column of the grid,
// whose value is not a number or whose name is neither "SortKey" nor "SortOrder" are left out.
SortLayout ReadSortLayout(std::string_view text, const ColumnTable& columns);

}  // namespace vexa
