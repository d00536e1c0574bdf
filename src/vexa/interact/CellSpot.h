// A cell of the grid named by its row index and column index; 0 in either means none.
#pragma once

#include <cstdint>

namespace vexa {

struct CellSpot {
    std::int32_t row = 0;
    std::int32_t col = 0;
    friend bool operator==(const CellSpot&, const CellSpot&) = default;
};

}  // namespace vexa
