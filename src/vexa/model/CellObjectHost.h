/// \file
/// What a column default cell needs from its grid: the format-string table and the combo
/// lists. The cell-values model implements it, so a default cell reaches its grid without
/// knowing the control.
#pragma once

#include <cstdint>
#include <string>

#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// The combo item a value selects: its index in the list and its icon (-1 each when none).
struct VEXA_API ComboMatch {
    /// The item's 0-based index in its list.
    std::int16_t itemIndex = -1;
    /// The item's icon index.
    std::int16_t icon = -1;
};

/// What a column default cell asks its grid for.
class VEXA_API CellObjectHost {
  public:
    virtual ~CellObjectHost() = default;

    /// The number under which the grid's format table keeps `format`, entering it when new.
    virtual std::int16_t EnterFormatString(const std::string& format) = 0;
    /// Index of the combo list with that key (binary comparison), 0 when there is none.
    virtual std::int16_t ComboListIndex(const std::string& key) const = 0;
    /// The item of combo list `listIndex` that `value` selects.
    virtual ComboMatch MatchComboItem(std::int16_t listIndex, const Variant& value) const = 0;
};

/// The non-owning reference a default cell keeps to its grid. The grid clears it when it
/// goes, so a default cell a host still holds never reaches a grid that is gone.
struct VEXA_API CellObjectHostLink {
    /// Null once the grid is gone.
    CellObjectHost* host = nullptr;
    /// Grows with every change made to a default cell of the grid, so that the grid can tell
    /// whether the cells it made for new rows from its default cells still match them.
    std::uint64_t revision = 0;
};

}  // namespace vexa

VEXA_PUBLIC_END
