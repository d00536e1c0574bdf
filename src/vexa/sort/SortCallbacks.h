// What the sort routine needs from the control without knowing it: the displayed text of a
// cell and the host's answer to a custom comparison. The control implements it.
#pragma once

#include <cstdint>
#include <string>

#include "vexa/system/automation/Variant.h"

namespace vexa {

class SortCallbacks {
  public:
    virtual ~SortCallbacks() = default;

    // The text of the cell (column index, row index) as the grid displays it.
    virtual std::string SortCellText(std::int32_t col, std::int32_t row) = 0;

    // Raises CustomSort(v1, v2, bIsGreater) and returns bIsGreater. The values are the stored
    // cell values themselves. A handler's exception propagates and ends the sort.
    virtual bool CustomSortIsGreater(Variant& v1, Variant& v2) = 0;
};

}  // namespace vexa
