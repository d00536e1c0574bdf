#include "vexa/render/Geometry.h"

#include <algorithm>

#include "vexa/model/GridStore.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int32_t kVerticalSlack = 5;  // room below the last row when scrolled down
constexpr std::int32_t kVisibleMargin = 8;  // gap left when navigation scrolls a cell in
// Positions stop growing here, so that position + size + offsets never leave 32 bits.
constexpr std::int32_t kMaxPosition = 1 << 30;

std::int32_t Advance(std::int32_t position, std::int32_t size) {
    return std::min(position + std::clamp(size, 0, kMaxPosition), kMaxPosition);
}

bool IsNavigableColumn(const ColumnRecord& column) {
    return column.visible && !column.rowTextColumn;
}

}  // namespace

Geometry::Geometry(GridStore& store, GeometryHost& host)
    : store_(store),
      host_(host),
      hBarThickness_(sys::GetSystemMetrics(sys::SM_CYHSCROLL)),
      vBarThickness_(sys::GetSystemMetrics(sys::SM_CXVSCROLL)) {}

// ---- Positions ----

void Geometry::RecomputeColumnPositions() {
    ColumnTable& columns = store_.Columns();
    std::int32_t left = 0;
    for (std::int32_t p = 1; p <= columns.Count(); ++p) {
        ColumnRecord& column = columns.At(p);
        column.left = left;
        if (column.visible) left = Advance(left, column.width);
    }
}

void Geometry::RecomputeRowPositionsFrom(std::int32_t row) {
    const std::int32_t count = store_.RowCount();
    std::int32_t first = std::max(row, 1);
    if (first > count) return;
    std::int32_t y = 0;
    if (first > 1) {
        const RowRecord& above = store_.Row(first - 1);
        y = above.visible ? Advance(above.top, above.height) : above.top;
    }
    for (std::int32_t r = first; r <= count; ++r) {
        RowRecord& record = store_.Row(r);
        record.top = y;
        if (record.visible) y = Advance(y, record.height);
    }
}

void Geometry::RecomputeParityFrom(std::int32_t row) {
    std::int32_t above = std::max(row, 1) - 1;
    while (above > 0 && !store_.Row(above).visible) --above;
    bool parity = store_.Row(above).parity;
    for (std::int32_t r = std::max(row, 1); r <= store_.RowCount(); ++r) {
        RowRecord& record = store_.Row(r);
        if (!record.visible) continue;
        parity = !parity;
        record.parity = parity;
    }
    parityDirty_ = false;
}

void Geometry::RowParityChangedFrom(std::int32_t row) {
    if (host_.UsesRowParity()) {
        RecomputeParityFrom(row);
    } else {
        parityDirty_ = true;
    }
}

// ---- The visible-range cache ----

void Geometry::Invalidate(RangeState state) {
    state_ = state_ != RangeState::Valid ? RangeState::RecomputeAll : state;
}

const VisibleRange& Geometry::Visible() {
    if (state_ == RangeState::Valid) return cache_;
    VisibleRange range = cache_;
    ComputeColumnRange(range);
    if (state_ != RangeState::ScrolledHorizontally) groupRowInRange_ = ComputeRowRange(range);
    // A group row spans every column.
    if (groupRowInRange_) range.endPos = store_.ColCount();
    cache_ = range;
    state_ = RangeState::Valid;
    return cache_;
}

void Geometry::ComputeColumnRange(VisibleRange& range) const {
    const ColumnTable& columns = store_.Columns();
    range.startPos = 0;
    range.endPos = columns.Count();
    range.startX = range.endX = 0;
    bool started = false;
    for (std::int32_t p = 1; p <= columns.Count(); ++p) {
        const ColumnRecord& column = columns.At(p);
        if (!IsNavigableColumn(column)) continue;
        if (!started && column.left + column.width >= hOffset_) {
            started = true;
            range.startPos = p;
            range.startX = column.left - hOffset_;
        }
        if (!started) continue;
        range.endPos = p;
        range.endX = column.left + column.width - hOffset_;
        if (range.endX > visibleWidth_) break;
    }
}

bool Geometry::ComputeRowRange(VisibleRange& range) const {
    const std::int32_t count = store_.RowCount();
    const std::int32_t value = host_.BarValue(vxScrollBarV);
    if (value <= host_.BarMin(vxScrollBarV)) return ScanRowsForward(range, 1);
    if (value >= VerticalMaximum()) return ScanRowsBackward(range, count);
    if (state_ == RangeState::ScrolledDown && cache_.startRow >= 1) {
        return ScanRowsForward(range, cache_.startRow);
    }
    if (state_ == RangeState::ScrolledUp && cache_.endRow >= 1) {
        return ScanRowsBackward(range, std::min(cache_.endRow, count));
    }
    return ScanRowsForward(range, 1);
}

bool Geometry::TakesPart(std::int32_t row) const {
    const RowRecord& record = store_.Row(row);
    return record.visible && record.height > 0;
}

// Rows whose bottom lies beyond y start at the first row whose successor's top is beyond y
// (a visible row ends where the next one starts); tops never decrease, so that row is found
// by bisection and the plain scan from `from` would stop at the same place.
std::int32_t Geometry::FirstRowEndingBelow(std::int32_t from, std::int32_t y) const {
    const std::int32_t count = store_.RowCount();
    auto bottomAfter = [&](std::int32_t r) {
        const RowRecord& record = store_.Row(r);
        return record.visible ? record.top + record.height : record.top;
    };
    std::int32_t lo = std::max(from, 1);
    std::int32_t hi = count + 1;
    while (lo < hi) {
        const std::int32_t mid = lo + (hi - lo) / 2;
        if (bottomAfter(mid) > y) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

std::int32_t Geometry::LastRowStartingAbove(std::int32_t upTo, std::int32_t y) const {
    std::int32_t lo = 0;
    std::int32_t hi = std::min(upTo, store_.RowCount());
    while (lo < hi) {
        const std::int32_t mid = lo + (hi - lo + 1) / 2;
        if (store_.Row(mid).top < y) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

bool Geometry::ScanRowsForward(VisibleRange& range, std::int32_t from) const {
    const std::int32_t count = store_.RowCount();
    const std::int32_t limit = vOffset_ + visibleHeight_;
    bool groupRow = false;
    range.startRow = 0;
    range.endRow = 0;
    for (std::int32_t r = FirstRowEndingBelow(from, vOffset_); r <= count; ++r) {
        if (!TakesPart(r)) continue;
        const RowRecord& record = store_.Row(r);
        groupRow = groupRow || record.groupRow;
        if (range.startRow == 0) {
            range.startRow = r;
            range.startY = record.top - vOffset_;
            continue;
        }
        range.endRow = r;
        range.endY = record.top - vOffset_ + record.height;
        if (record.top > limit) break;
    }
    if (range.startRow == 0) {
        range.endRow = -1;
    } else if (range.endRow == 0) {
        const RowRecord& start = store_.Row(range.startRow);
        range.endRow = range.startRow;
        range.endY = start.top - vOffset_ + start.height;
    }
    return groupRow;
}

bool Geometry::ScanRowsBackward(VisibleRange& range, std::int32_t from) const {
    bool groupRow = false;
    range.startRow = 0;
    range.endRow = 0;
    for (std::int32_t r = LastRowStartingAbove(from, vOffset_ + visibleHeight_); r >= 1; --r) {
        if (!TakesPart(r)) continue;
        const RowRecord& record = store_.Row(r);
        groupRow = groupRow || record.groupRow;
        if (range.endRow == 0) {
            range.endRow = r;
            range.endY = record.top - vOffset_ + record.height;
            continue;
        }
        range.startRow = r;
        range.startY = record.top - vOffset_;
        if (record.top <= vOffset_) break;
    }
    if (range.endRow == 0) {
        range.endRow = -1;
        range.startRow = 0;
    } else if (range.startRow == 0) {
        range.startRow = range.endRow;
        range.startY = store_.Row(range.endRow).top - vOffset_;
    }
    return groupRow;
}

// ---- Sizes and the layout pass ----

std::int32_t Geometry::BarThickness(EScrollBar bar) const {
    return bar == vxScrollBarH ? hBarThickness_ : vBarThickness_;
}

void Geometry::SetBarThickness(EScrollBar bar, std::int32_t thickness) {
    (bar == vxScrollBarH ? hBarThickness_ : vBarThickness_) = thickness;
}

sys::RECT Geometry::CellsArea(bool excludeHeader, bool excludeBars) const {
    sys::RECT area = host_.WindowRect();
    const std::int32_t border = host_.BorderWidth();
    area.left += border;
    area.top += border;
    area.right -= border;
    area.bottom -= border;
    if (excludeHeader) area.top += host_.HeaderHeight();
    if (excludeBars) {
        if (host_.BarVisible(vxScrollBarH)) area.bottom -= hBarThickness_;
        if (host_.BarVisible(vxScrollBarV)) area.right -= vBarThickness_;
    }
    return area;
}

std::int32_t Geometry::VerticalMaximum() const {
    const std::int32_t slack = host_.MoreRowsMayCome() ? store_.DefaultRowHeight() : kVerticalSlack;
    return contentHeight_ - visibleHeight_ + slack;
}

LayoutDecision Geometry::Layout() {
    const sys::RECT area = CellsArea(true, false);
    visibleWidth_ = area.right - area.left;
    visibleHeight_ = area.bottom - area.top;

    if (const std::int32_t last = LastVisiblePosition(); last > 0) {
        const ColumnRecord& column = store_.Columns().At(last);
        contentWidth_ = column.left + column.width;
    }
    contentHeight_ = 0;
    const std::int32_t count = store_.RowCount();
    for (std::int32_t r = count; r >= 1; --r) {
        if (!TakesPart(r)) continue;
        contentHeight_ = store_.Row(r).top + store_.Row(r).height;
        break;
    }
    if (host_.MoreRowsMayCome()) {
        const RowRecord& last = store_.Row(count);
        contentHeight_ = last.top + last.height + store_.DefaultRowHeight();
    }

    LayoutDecision decision;
    decision.horizontalBar = contentWidth_ > visibleWidth_;
    if (decision.horizontalBar) visibleHeight_ -= hBarThickness_;
    decision.verticalBar = contentHeight_ > visibleHeight_;
    if (decision.verticalBar) {
        visibleWidth_ -= vBarThickness_;
        if (!decision.horizontalBar && contentWidth_ > visibleWidth_) {
            decision.horizontalBar = true;
            visibleHeight_ -= hBarThickness_;
        }
    }
    decision.visibleWidth = visibleWidth_;
    decision.visibleHeight = visibleHeight_;
    decision.contentWidth = contentWidth_;
    decision.contentHeight = contentHeight_;
    decision.horizontalMax = contentWidth_ - visibleWidth_;
    decision.verticalMax = VerticalMaximum();
    return decision;
}

// ---- Hit testing and rectangles ----

std::int32_t Geometry::ColumnAtContentX(std::int32_t x, std::int32_t from, std::int32_t to) const {
    const ColumnTable& columns = store_.Columns();
    for (std::int32_t p = std::max(from, 1); p <= std::min(to, columns.Count()); ++p) {
        const ColumnRecord& column = columns.At(p);
        if (IsNavigableColumn(column) && column.left < x && x <= column.left + column.width) {
            return p;
        }
    }
    return 0;
}

CellHit Geometry::HitTest(sys::POINT client) {
    CellHit hit;
    const VisibleRange& range = Visible();
    const sys::RECT area = CellsArea(true, true);
    const sys::RECT window = host_.WindowRect();
    const std::int32_t border = host_.BorderWidth();
    // Client coordinates start inside the border.
    const sys::POINT screen{window.left + border + client.x, window.top + border + client.y};
    const std::int32_t x = client.x + hOffset_;
    const std::int32_t y = client.y + vOffset_ - host_.HeaderHeight();
    const bool xInArea = screen.x >= area.left && screen.x < area.right;

    std::int32_t row = 0;
    if (screen.y >= area.top && screen.y < area.bottom && range.endRow >= 1) {
        for (std::int32_t r = range.startRow; r <= range.endRow; ++r) {
            const RowRecord& record = store_.Row(r);
            if (record.visible && record.top < y && y <= record.top + record.height) {
                row = r;
                break;
            }
        }
    }
    const ColumnTable& columns = store_.Columns();
    auto indexAt = [&](std::int32_t position) {
        return position > 0 ? columns.At(position).index : 0;
    };
    if (row == 0) {
        if (xInArea) hit.col = indexAt(ColumnAtContentX(x, range.startPos, range.endPos));
        return hit;
    }
    hit.row = row;
    const RowRecord& record = store_.Row(row);
    if (record.groupRow) {
        if (ColumnAtContentX(x, record.groupStartCol, columns.Count()) > 0) {
            hit.col = store_.RowTextColumn();
        }
        return hit;
    }
    if (!xInArea) return hit;
    const std::int32_t position = ColumnAtContentX(x, range.startPos, range.endPos);
    hit.col = indexAt(position);
    if (host_.RowTextActive() && position > 0 && position >= RowTextStartPosition() &&
        y >= record.top + record.normalCellHeight) {
        hit.col = store_.RowTextColumn();
    }
    return hit;
}

CellBox Geometry::CellBoundary(std::int32_t row, std::int32_t col) const {
    const ColumnTable& columns = store_.Columns();
    const RowRecord& record = store_.Row(row);
    const std::int32_t header = host_.HeaderHeight();
    const std::int32_t top = record.top - vOffset_ + header;
    const std::int32_t right = ContentRight() - hOffset_;
    CellBox box;
    if (record.groupRow) {
        const std::int32_t g = std::clamp(record.groupStartCol, 0, columns.Count());
        box.left = columns.At(g).left - hOffset_;
        box.top = top;
        box.width = right - box.left;
        box.height = record.height;
        return box;
    }
    const std::int32_t position = columns.PositionOfIndex(col);
    const ColumnRecord& column = columns.At(position);
    if (column.rowTextColumn) {
        box.left = columns.At(RowTextStartPosition()).left - hOffset_;
        box.top = top + record.normalCellHeight;
        box.width = right - box.left;
        box.height = record.height - record.normalCellHeight;
        return box;
    }
    box.left = column.left - hOffset_;
    box.top = top;
    box.width = column.width;
    box.height = CellHeight(row, position);
    return box;
}

std::int32_t Geometry::CellHeight(std::int32_t row, std::int32_t position) const {
    const RowRecord& record = store_.Row(row);
    if (host_.RowTextActive() && position >= RowTextStartPosition()) {
        return record.normalCellHeight;
    }
    return record.height;
}

// ---- Derived positions ----

std::int32_t Geometry::FirstSelectablePosition() const {
    const ColumnTable& columns = store_.Columns();
    for (std::int32_t p = 1; p <= columns.Count(); ++p) {
        const ColumnRecord& column = columns.At(p);
        if (IsNavigableColumn(column) && column.includeInSelect) return p;
    }
    return 1;
}

std::int32_t Geometry::RowTextStartPosition() const {
    const std::int32_t startCol = store_.RowTextStartCol();
    std::int32_t start = startCol > 0 ? store_.Columns().PositionOfIndex(startCol) : 1;
    if (start < 1) start = 1;
    const std::int32_t selectable = FirstSelectablePosition();
    if (selectable >= 2 && start < selectable) start = selectable;
    return start;
}

std::int32_t Geometry::LastVisiblePosition() const {
    const ColumnTable& columns = store_.Columns();
    for (std::int32_t p = columns.Count(); p >= 1; --p) {
        if (IsNavigableColumn(columns.At(p))) return p;
    }
    return 0;
}

std::int32_t Geometry::FirstVisiblePositionFrom(std::int32_t position) const {
    const ColumnTable& columns = store_.Columns();
    for (std::int32_t p = std::max(position, 1); p <= columns.Count(); ++p) {
        if (IsNavigableColumn(columns.At(p))) return p;
    }
    return 0;
}

std::int32_t Geometry::ContentRight() const {
    const std::int32_t last = LastVisiblePosition();
    if (last == 0) return 0;
    const ColumnRecord& column = store_.Columns().At(last);
    return column.left + column.width;
}

// ---- Bringing cells into view ----

namespace {

// The value that brings [start, start + size) into a view of `extent` pixels at `offset`
// with bar value `value`: aligned to its leading edge or its trailing edge.
std::int32_t LeadingValue(std::int32_t value, std::int32_t start, std::int32_t offset,
                          std::int32_t gap) {
    return value + start - offset - gap;
}

std::int32_t TrailingValue(std::int32_t value, std::int32_t start, std::int32_t size,
                           std::int32_t offset, std::int32_t extent, std::int32_t gap) {
    return size <= extent ? value + start + size - (offset + extent) + gap : value + start - offset;
}

// The modes of both directions, in order: auto, leading, leading forced, trailing, trailing
// forced.
std::optional<std::int32_t> EnsureVisibleValue(std::int32_t mode, std::int32_t value,
                                               std::int32_t start, std::int32_t size,
                                               std::int32_t offset, std::int32_t extent,
                                               std::int32_t gap) {
    const std::int32_t end = start + size;
    const bool fullyVisible = start >= offset && end < offset + extent;
    switch (mode) {
        case 0:  // auto
            if (start < offset) return LeadingValue(value, start, offset, gap);
            if (end >= offset + extent) {
                return TrailingValue(value, start, size, offset, extent, gap);
            }
            return std::nullopt;
        case 1:
            if (fullyVisible) return std::nullopt;
            return LeadingValue(value, start, offset, gap);
        case 2:
            return LeadingValue(value, start, offset, gap);
        case 3:
            if (fullyVisible) return std::nullopt;
            return TrailingValue(value, start, size, offset, extent, gap);
        case 4:
            return TrailingValue(value, start, size, offset, extent, gap);
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<std::int32_t> Geometry::EnsureVisibleRowValue(std::int32_t row,
                                                            EEnsureVisibleRowMode mode,
                                                            std::int32_t gap) const {
    const RowRecord& record = store_.Row(row);
    if (!record.visible) return std::nullopt;
    return EnsureVisibleValue(mode, host_.BarValue(vxScrollBarV), record.top, record.height,
                              vOffset_, visibleHeight_, gap);
}

std::optional<std::int32_t> Geometry::EnsureVisibleColValue(std::int32_t position,
                                                            EEnsureVisibleColMode mode,
                                                            std::int32_t gap) const {
    const ColumnRecord& column = store_.Columns().At(position);
    if (!IsNavigableColumn(column)) return std::nullopt;
    return EnsureVisibleValue(mode, host_.BarValue(vxScrollBarH), column.left, column.width,
                              hOffset_, visibleWidth_, gap);
}

ScrollDelta Geometry::MakeCellVisibleDelta(std::int32_t row, std::int32_t position) const {
    ScrollDelta delta;
    if (position >= 1 && position <= store_.ColCount()) {
        const ColumnRecord& column = store_.Columns().At(position);
        const std::int32_t left = column.left;
        const std::int32_t right = left + column.width;
        if (left < hOffset_) {
            delta.dx = left - hOffset_ - kVisibleMargin;
        } else if (right > hOffset_ + visibleWidth_) {
            delta.dx = column.width <= visibleWidth_
                           ? right - visibleWidth_ - hOffset_ + kVisibleMargin
                           : left - hOffset_;
        }
    }
    if (row >= 1 && row <= store_.RowCount()) {
        const RowRecord& record = store_.Row(row);
        const std::int32_t top = record.top;
        const std::int32_t bottom = top + record.height;
        if (top < vOffset_) {
            delta.dy = top - vOffset_ - kVisibleMargin;
        } else if (bottom >= vOffset_ + visibleHeight_) {
            delta.dy = record.height < visibleHeight_
                           ? bottom - visibleHeight_ - vOffset_ + kVisibleMargin
                           : top - vOffset_;
        }
    }
    return delta;
}

}  // namespace vexa
