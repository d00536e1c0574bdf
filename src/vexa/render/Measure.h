// Measuring cell text with the painter's fonts and the same rectangle arithmetic the painter
// uses, and the sizes that fit columns and rows to their content.
#pragma once

#include <cstdint>

#include "vexa/render/Geometry.h"
#include "vexa/system/paint/GdiTypes.h"

namespace vexa {

class GridStore;
class CellValues;
class EventSinks;
class Painter;
struct Appearance;

// What fitting a row found: its height and the height of its normal cells above the row
// text (0 while row text is not active).
struct RowFit {
    std::int32_t height = 0;
    std::int32_t normalCellHeight = 0;
};

class Measure {
  public:
    Measure(GridStore& store, CellValues& cellValues, Geometry& geometry, Painter& painter,
            const Appearance& appearance, EventSinks& events);

    // The width of a cell's display text; word-broken text at least `minWrapWidth` wide
    // and widened in 16-pixel steps until it fits the row's height. With `forceNoModify` the
    // ellipsis bits are ignored, so the whole text is measured.
    std::int32_t TextWidth(std::int32_t row, std::int32_t col, std::int32_t minWrapWidth,
                           bool forceNoModify);
    // The height of a cell's display text laid out in the cell's text width.
    std::int32_t TextHeight(std::int32_t row, std::int32_t col);
    // Where a cell's text is drawn, client coordinates.
    CellBox TextBoundary(std::int32_t row, std::int32_t col);
    // The width that fits every visible row of the column at `position` (0: nothing fits).
    std::int32_t FitColumn(std::int32_t position, std::int32_t headerWidth);
    // The height that fits row `row`, at least `minimum`.
    RowFit FitRow(std::int32_t row, std::int32_t minimum, bool rowTextActive);

  private:
    // A context to measure in: the painter's row buffer, or a memory context of its own.
    class MeasuringDc;
    std::int32_t CustomSize(std::int32_t row, std::int32_t col, bool width);
    std::int32_t IconRoom(std::int32_t icon, std::int32_t extraIcon) const;

    GridStore& store_;
    CellValues& cellValues_;
    Geometry& geometry_;
    Painter& painter_;
    const Appearance& appearance_;
    EventSinks& events_;
};

}  // namespace vexa
