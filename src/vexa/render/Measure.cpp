#include "vexa/render/Measure.h"

#include <algorithm>
#include <string>

#include "vexa/events/EventSinks.h"
#include "vexa/model/CellValues.h"
#include "vexa/model/GridStore.h"
#include "vexa/render/Appearance.h"
#include "vexa/render/Painter.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa {

namespace {

constexpr std::int32_t kWidenStep = 16;
constexpr std::int32_t kCheckBoxWidth = 19;
constexpr std::int32_t kCheckBoxHeight = 17;
constexpr std::int32_t kComboButtonWidth = 20;

}  // namespace

class Measure::MeasuringDc {
  public:
    MeasuringDc(Painter& painter, std::int16_t fontIndex) {
        dc_ = painter.BufferDc();
        if (dc_ == 0) {
            dc_ = own_ = sys::CreateCompatibleDC(0);
        }
        previousFont_ = sys::SelectObject(dc_, painter.FontFor(fontIndex));
    }
    ~MeasuringDc() {
        sys::SelectObject(dc_, previousFont_);
        if (own_ != 0) sys::DeleteDC(own_);
    }
    MeasuringDc(const MeasuringDc&) = delete;
    MeasuringDc& operator=(const MeasuringDc&) = delete;

    sys::RECT Measure(const std::string& text, sys::RECT rect, std::uint32_t flags) const {
        sys::DrawText(dc_, text, -1, &rect, flags | sys::DT_CALCRECT);
        return rect;
    }

  private:
    sys::HDC dc_ = 0;
    sys::HDC own_ = 0;
    sys::HGDIOBJ previousFont_ = 0;
};

Measure::Measure(GridStore& store, CellValues& cellValues, Geometry& geometry, Painter& painter,
                 const Appearance& appearance, EventSinks& events)
    : store_(store),
      cellValues_(cellValues),
      geometry_(geometry),
      painter_(painter),
      appearance_(appearance),
      events_(events) {}

std::int32_t Measure::IconRoom(std::int32_t icon, std::int32_t extraIcon) const {
    const std::int32_t room = appearance_.imageList.iconWidth + 2;
    return (icon != -1 ? room : 0) + (extraIcon != -1 ? room : 0);
}

std::int32_t Measure::TextWidth(std::int32_t row, std::int32_t col, std::int32_t minWrapWidth,
                                bool forceNoModify) {
    const CellRecord& cell = store_.Cell(col, row);
    const std::string text = cellValues_.DisplayText(cell);
    if (text.empty()) return 0;
    MeasuringDc dc(painter_, cell.fontIndex);
    std::uint32_t flags = std::uint32_t(cell.textFlags);
    if (forceNoModify) flags &= ~sys::DT_SHORTENING_BITS;
    const bool wordBreak = (flags & sys::DT_WORDBREAK) != 0;
    std::int32_t width = 0;
    if (wordBreak) {
        width = std::max(store_.Columns().At(store_.Columns().PositionOfIndex(col)).width,
                         minWrapWidth);
        if (width == 0) width = 1;
    }
    sys::RECT measured = dc.Measure(text, sys::RECT{0, 0, width, 0}, flags);
    // Word-broken text is widened until it fits the row's height. Text with line breaks of
    // its own never fits one line, so it is measured as it is.
    if (wordBreak && text.find_first_of("\r\n") == std::string::npos) {
        const std::int32_t lineHeight = dc.Measure("A", sys::RECT{}, flags).bottom;
        const std::int32_t limit = std::max(lineHeight, store_.Row(row).height - 1);
        const std::int32_t unwrapped =
            dc.Measure(text, sys::RECT{}, flags & ~sys::DT_WORDBREAK).right;
        while (measured.bottom - measured.top > limit && width < unwrapped) {
            width += kWidenStep;
            measured = dc.Measure(text, sys::RECT{0, 0, width, 0}, flags);
        }
    }
    return measured.right - measured.left;
}

std::int32_t Measure::TextHeight(std::int32_t row, std::int32_t col) {
    const CellRecord& cell = store_.Cell(col, row);
    const std::string text = cellValues_.DisplayText(cell);
    if (text.empty()) return 0;
    std::int32_t width = 0;
    if (col == store_.RowTextColumn()) {
        width = TextBoundary(row, col).width;
    } else {
        width = store_.Columns().At(store_.Columns().PositionOfIndex(col)).width - 3 - cell.indent -
                cell.rightIndent - IconRoom(cell.icon, cell.extraIcon);
    }
    MeasuringDc dc(painter_, cell.fontIndex);
    const sys::RECT measured =
        dc.Measure(text, sys::RECT{0, 0, std::max(width, 0), 0}, std::uint32_t(cell.textFlags));
    return measured.bottom - measured.top;
}

CellBox Measure::TextBoundary(std::int32_t row, std::int32_t col) {
    const CellRecord& cell = store_.Cell(col, row);
    CellBox box = geometry_.CellBoundary(row, col);
    box.left += 1;
    box.width -= 3;
    box.height -= 1;
    const std::int32_t room = IconRoom(cell.icon, cell.extraIcon);
    box.left += room;
    box.width -= room;
    box.left += cell.indent;
    box.width -= cell.indent + cell.rightIndent;
    return box;
}

std::int32_t Measure::CustomSize(std::int32_t row, std::int32_t col, bool width) {
    std::int32_t w = 0;
    std::int32_t h = 0;
    events_.Raise("CustomDrawCellGetSize",
                  [&](VexaEvents& e) { e.CustomDrawCellGetSize(row, col, w, h); });
    return width ? w : h;
}

std::int32_t Measure::FitColumn(std::int32_t position, std::int32_t headerWidth) {
    const ColumnRecord& column = store_.Columns().At(position);
    const std::int32_t col = column.index;
    std::int32_t widest = 0;
    std::int32_t widestText = 0;
    for (std::int32_t row = 1; row <= store_.RowCount(); ++row) {
        if (!store_.Row(row).visible) continue;
        const CellRecord& cell = store_.Cell(col, row);
        std::int32_t width = 0;
        switch (cell.CellType()) {
            case vxCellCheck:
                width = kCheckBoxWidth;
                break;
            case vxCellCustomDraw:
                width = CustomSize(row, col, true);
                break;
            default: {
                const std::int32_t text = TextWidth(row, col, widestText, true);
                widestText = std::max(widestText, text);
                width = text + cell.indent + cell.rightIndent +
                        IconRoom(cell.icon, cell.extraIcon) +
                        (cell.CellType() == vxCellCombo ? kComboButtonWidth : 0) + 3;
                break;
            }
        }
        widest = std::max(widest, width);
    }
    widest = std::max(widest, headerWidth);
    if (column.minWidth != -1 && column.minWidth > widest) widest = column.minWidth;
    if (column.maxWidth != -1 && column.maxWidth < widest) widest = column.maxWidth;
    return widest;
}

RowFit Measure::FitRow(std::int32_t row, std::int32_t minimum, bool rowTextActive) {
    const std::int32_t rowTextCol = store_.RowTextColumn();
    std::int32_t rowTextHeight = 0;
    std::int32_t start = 0;
    if (rowTextActive) {
        rowTextHeight = TextHeight(row, rowTextCol) + 1;
        start = geometry_.RowTextStartPosition();
    }
    RowFit fit;
    std::int32_t tallest = 0;
    const ColumnTable& columns = store_.Columns();
    for (std::int32_t p = 1; p <= columns.Count(); ++p) {
        const ColumnRecord& column = columns.At(p);
        if (!column.visible || column.width < 1 || column.rowTextColumn) continue;
        const CellRecord& cell = store_.Cell(column.index, row);
        std::int32_t h = 0;
        switch (cell.CellType()) {
            case vxCellCheck:
                h = kCheckBoxHeight;
                break;
            case vxCellCustomDraw:
                h = CustomSize(row, column.index, false);
                break;
            default:
                h = TextHeight(row, column.index);
                if ((cell.icon != -1 || cell.extraIcon != -1) &&
                    h < appearance_.imageList.iconHeight) {
                    h = appearance_.imageList.iconHeight;
                }
                h += 1;
                if (rowTextActive && p >= start) {
                    fit.normalCellHeight = std::max(fit.normalCellHeight, h);
                    h += rowTextHeight;
                }
                break;
        }
        tallest = std::max(tallest, h);
    }
    fit.height = std::max(tallest, minimum);
    return fit;
}

}  // namespace vexa
