// The text a cell shows: what CellText returns and what painting draws and measures.
#pragma once

#include <string>

#include "vexa/model/GridRecords.h"

namespace vexa {

class FormatStringTable;

// Text cells show an object's ToString, the value formatted with the cell's format string,
// or the value as a string (Null: empty). Combo cells show their combo item's text, which
// `comboItemText` supplies; check and custom-draw cells show nothing. A value that cannot
// be converted gives an empty text; no error escapes.
std::string DisplayTextOf(const CellRecord& cell, const FormatStringTable& formats,
                          const std::string& comboItemText = {});

// The text of a value in a text cell with format string `format` (empty: none).
std::string TextOfValue(const Variant& value, const std::string& format);

}  // namespace vexa
