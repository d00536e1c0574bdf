// How the store reaches the column default cells without knowing the cell tables (fonts,
// format strings, combo lists) that the cell-values model keeps. The cell-values model
// implements it and installs itself with GridStore::SetDefaultCellSource; without a source
// the store creates no default cell objects and fills cells with CellRecord's defaults.
#pragma once

#include <cstdint>
#include <memory>

#include "vexa/model/GridRecords.h"

namespace vexa {

class DefaultCellSource {
  public:
    virtual ~DefaultCellSource() = default;

    // A new default cell for a column being added, bound to the grid, with the defaults of a
    // new column.
    virtual std::shared_ptr<CellObject> CreateDefaultCell() = 0;

    // Fills `cell` from `defaultCell` as InitCellFromDefault describes (attributes, font and
    // format indices, value, combo item for combo cells, flags with the needs-repaint bit).
    virtual void InitCellFromDefault(const CellObject& defaultCell, CellRecord& cell) = 0;

    // A count that grows with every change made to any default cell of the grid.
    virtual std::uint64_t DefaultsRevision() const = 0;
    // Whether InitCellFromDefault would still give a cell of `defaultCell` the font index
    // `fontIndex` it gave before: a default cell keeps the host's font object itself, which
    // the host may change without the default cell knowing.
    virtual bool FontStillEnters(const CellObject& defaultCell, std::int16_t fontIndex) const = 0;
};

}  // namespace vexa
