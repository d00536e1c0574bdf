// The grid model mapped onto pixels: column lefts, row tops and row parity (kept in the
// store's records, computed only here), the cells area, the scroll offsets, the layout pass
// that decides the scroll bars, the visible range every painter and hit test starts from,
// hit testing, cell rectangles and the scroll values that bring a cell into view.
//
// Content coordinates start at the top-left corner of the first column and row; client
// coordinates are those of the control's window. A cell at content (x, y) shows at client
// (x - horizontal offset, y - vertical offset + header height).
#pragma once

#include <cstdint>
#include <optional>

#include "vexa/model/Enums.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class GridStore;

// How much of the visible-range cache is still right.
enum class RangeState : std::int32_t {
    Valid = 0,
    RecomputeAll = 1,
    ScrolledUp = 2,
    ScrolledDown = 3,
    ScrolledHorizontally = 4,
};

// The visible range: rows are row indices, columns display positions.
struct VisibleRange {
    std::int32_t startRow = 0;
    std::int32_t startPos = 0;
    std::int32_t startX = 0;   // client x of the start column's left edge
    std::int32_t startY = 0;   // cells-area y of the start row's top
    std::int32_t endRow = -1;  // -1 while no row is visible
    std::int32_t endPos = 0;
    std::int32_t endX = 0;  // client x of the end column's right edge
    std::int32_t endY = 0;  // cells-area y of the end row's bottom
};

// A cell under a point: row index and column index, 0 where nothing is hit.
struct CellHit {
    std::int32_t row = 0;
    std::int32_t col = 0;
    friend bool operator==(const CellHit&, const CellHit&) = default;
};

// A rectangle given by its corner and size, as the grid's public members report them.
struct CellBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const CellBox&, const CellBox&) = default;
};

// What the layout pass decided: which bars are needed, the sizes and the bars' maxima.
struct LayoutDecision {
    bool horizontalBar = false;
    bool verticalBar = false;
    std::int32_t visibleWidth = 0;
    std::int32_t visibleHeight = 0;
    std::int32_t contentWidth = 0;
    std::int32_t contentHeight = 0;
    std::int32_t horizontalMax = 0;
    std::int32_t verticalMax = 0;
};

// Scroll steps that would bring a cell into view, in pixels (0: that direction is fine).
struct ScrollDelta {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
};

// What the geometry needs from the roles above it.
class GeometryHost {
  public:
    virtual ~GeometryHost() = default;
    // The control window's rectangle in screen coordinates, border included.
    virtual sys::RECT WindowRect() const = 0;
    // The width of the window border on each side (0, 1 or 2 pixels).
    virtual std::int32_t BorderWidth() const = 0;
    // The header's height while it is shown, else 0.
    virtual std::int32_t HeaderHeight() const = 0;
    virtual bool BarVisible(EScrollBar bar) const = 0;
    virtual std::int32_t BarValue(EScrollBar bar) const = 0;
    virtual std::int32_t BarMin(EScrollBar bar) const = 0;
    virtual std::int32_t BarMax(EScrollBar bar) const = 0;
    // Virtual mode while the host has not refused a row yet.
    virtual bool MoreRowsMayCome() const = 0;
    // A row-text column exists, DrawRowText and RowMode are on.
    virtual bool RowTextActive() const = 0;
    // Odd or even row colours are in use, so parity is kept up to date at once.
    virtual bool UsesRowParity() const = 0;
};

class Geometry {
  public:
    Geometry(GridStore& store, GeometryHost& host);

    // ---- Positions (after the model changed) ----
    void RecomputeColumnPositions();
    // Tops from `row` on (row 1 starts at 0).
    void RecomputeRowPositionsFrom(std::int32_t row);
    void RecomputeParityFrom(std::int32_t row);
    // Recomputes parity from `row` when row colours are in use, else marks it out of date.
    void RowParityChangedFrom(std::int32_t row);
    bool ParityDirty() const { return parityDirty_; }

    // ---- The visible-range cache ----
    void Invalidate(RangeState state);
    RangeState State() const { return state_; }
    const VisibleRange& Visible();

    // ---- Sizes, offsets and the layout pass ----
    LayoutDecision Layout();
    std::int32_t HorizontalOffset() const { return hOffset_; }
    std::int32_t VerticalOffset() const { return vOffset_; }
    void SetHorizontalOffset(std::int32_t offset) { hOffset_ = offset; }
    void SetVerticalOffset(std::int32_t offset) { vOffset_ = offset; }
    std::int32_t VisibleWidth() const { return visibleWidth_; }
    std::int32_t VisibleHeight() const { return visibleHeight_; }
    std::int32_t ContentWidth() const { return contentWidth_; }
    std::int32_t ContentHeight() const { return contentHeight_; }
    std::int32_t BarThickness(EScrollBar bar) const;
    void SetBarThickness(EScrollBar bar, std::int32_t thickness);
    // Screen coordinates.
    sys::RECT CellsArea(bool excludeHeader, bool excludeBars) const;

    // ---- Hit testing and rectangles ----
    CellHit HitTest(sys::POINT client);
    // Client coordinates, header included, scrolled into view or not. `col` is an index.
    CellBox CellBoundary(std::int32_t row, std::int32_t col) const;

    // ---- Derived positions ----
    // The first visible, non-row-text position whose column takes part in selection; 1
    // when there is none.
    std::int32_t FirstSelectablePosition() const;
    // Where the row-text band starts (a display position).
    std::int32_t RowTextStartPosition() const;
    // The last visible position that is not the row-text column; 0 when there is none.
    std::int32_t LastVisiblePosition() const;
    // The first visible, non-row-text position at or after `position`; 0 when there is none.
    std::int32_t FirstVisiblePositionFrom(std::int32_t position) const;
    // Right edge (content) of the last visible non-row-text position; 0 without one.
    std::int32_t ContentRight() const;
    // The height of a row's normal cells: the row height, or the normal-cell height while
    // row text is active and the position lies at or after the row-text start.
    std::int32_t CellHeight(std::int32_t row, std::int32_t position) const;

    // ---- Bringing cells into view: the bar value to set, or none to leave it ----
    std::optional<std::int32_t> EnsureVisibleRowValue(std::int32_t row, EEnsureVisibleRowMode mode,
                                                      std::int32_t gap) const;
    std::optional<std::int32_t> EnsureVisibleColValue(std::int32_t position,
                                                      EEnsureVisibleColMode mode,
                                                      std::int32_t gap) const;
    // The steps that bring (row, position) into view with the 8-pixel margin.
    ScrollDelta MakeCellVisibleDelta(std::int32_t row, std::int32_t position) const;

  private:
    void ComputeColumnRange(VisibleRange& range) const;
    // The row scans return whether a group row took part.
    bool ComputeRowRange(VisibleRange& range) const;
    bool ScanRowsForward(VisibleRange& range, std::int32_t from) const;
    bool ScanRowsBackward(VisibleRange& range, std::int32_t from) const;
    // Binary searches over the row tops, which never decrease.
    std::int32_t FirstRowEndingBelow(std::int32_t from, std::int32_t y) const;
    std::int32_t LastRowStartingAbove(std::int32_t upTo, std::int32_t y) const;
    bool TakesPart(std::int32_t row) const;
    std::int32_t VerticalMaximum() const;
    std::int32_t ColumnAtContentX(std::int32_t x, std::int32_t from, std::int32_t to) const;

    GridStore& store_;
    GeometryHost& host_;
    std::int32_t hOffset_ = 0;
    std::int32_t vOffset_ = 0;
    std::int32_t visibleWidth_ = 0;
    std::int32_t visibleHeight_ = 0;
    std::int32_t contentWidth_ = 0;
    std::int32_t contentHeight_ = 0;
    std::int32_t hBarThickness_ = 0;
    std::int32_t vBarThickness_ = 0;
    RangeState state_ = RangeState::RecomputeAll;
    VisibleRange cache_;
    bool groupRowInRange_ = false;
    bool parityDirty_ = false;
};

}  // namespace vexa
