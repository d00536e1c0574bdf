// The cells of a row, the row-text band or group row, grid lines and focus rectangles.
#include <algorithm>
#include <cmath>

#include "vexa/events/EventSinks.h"
#include "vexa/model/CellValues.h"
#include "vexa/model/GridStore.h"
#include "vexa/render/Appearance.h"
#include "vexa/render/Painter.h"
#include "vexa/render/PainterPass.h"
#include "vexa/render/PathText.h"
#include "vexa/render/UxTheme.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/window/Messages.h"

namespace vexa {

namespace {

constexpr std::int32_t kComboButtonRoom = 17;
constexpr std::int32_t kGlyphSize = 16;

sys::RECT TextRectOf(const sys::RECT& cell, const CellRecord& record) {
    return sys::RECT{cell.left + 1 + record.indent, cell.top + 1,
                     cell.right - 2 - record.rightIndent, cell.bottom - 2};
}

// Saves the context's clip region into the pass's region and restores it (or removes
// clipping when there was none) when the cell is done.
class ClipScope {
  public:
    ClipScope(sys::HDC dc, sys::HRGN saved, const sys::RECT& clip) : dc_(dc), saved_(saved) {
        hadClip_ = sys::GetClipRgn(dc, saved_) == 1;
        sys::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    }
    ~ClipScope() { sys::SelectClipRgn(dc_, hadClip_ ? saved_ : 0); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

  private:
    sys::HDC dc_;
    sys::HRGN saved_;
    bool hadClip_ = false;
};

// Rounds half-way values to even, as the classic integer conversion does.
std::int32_t RoundHalfEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

}  // namespace

bool Painter::IsHighlighted(const Pass& pass, const CellRecord& cell, std::int32_t position) const {
    return cell.Selected() && appearance_.enabled && appearance_.highlightSelCells &&
           position >= pass.firstSelectable;
}

void Painter::PaintCellBackground(const Pass& pass, const CellRecord& cell, const sys::RECT& rect,
                                  bool highlighted) const {
    if (highlighted) {
        sys::FillRect(pass.dc, &rect, pass.selectionBrush);
        return;
    }
    if (!appearance_.enabled || cell.backColor == kDefaultColor) return;
    sys::HBRUSH brush = 0;
    if (cell.hatch != vxHatchNone) {
        sys::SetBkColor(pass.dc, TranslateColor(appearance_.backColor));
        brush = sys::CreateHatchBrush(cell.hatch, TranslateColor(cell.backColor));
        // The hatch lines lie on the grid's background colour.
        const int mode = sys::SetBkMode(pass.dc, sys::OPAQUE);
        sys::FillRect(pass.dc, &rect, brush);
        sys::SetBkMode(pass.dc, mode);
    } else {
        brush = sys::CreateSolidBrush(TranslateColor(cell.backColor));
        sys::FillRect(pass.dc, &rect, brush);
    }
    sys::DeleteObject(brush);
}

void Painter::PaintIcons(const Pass& pass, const CellRecord& cell, sys::RECT& textRect,
                         bool limitToRect) const {
    const GridImageList& images = appearance_.imageList;
    if (images.handle == 0) return;
    const sys::HDC dc = pass.dc;
    for (std::int16_t icon : {cell.extraIcon, cell.icon}) {
        if (icon == -1 || textRect.right <= textRect.left) continue;
        std::int32_t width = images.iconWidth;
        std::int32_t height = images.iconHeight;
        if (limitToRect) {
            width = std::min(width, textRect.right - textRect.left);
            height = std::min(height, textRect.bottom - textRect.top);
        }
        if (!appearance_.enabled && appearance_.disableIcons) {
            sys::ImageList_DrawDisabled(images.handle, icon, dc, textRect.left, textRect.top);
        } else if (cell.Selected() && appearance_.highlightSelIcons) {
            sys::ImageList_DrawEx(images.handle, icon, dc, textRect.left, textRect.top, width,
                                  height, sys::CLR_NONE, sys::CLR_DEFAULT,
                                  sys::ILD_TRANSPARENT | sys::ILD_BLEND50);
        } else {
            sys::ImageList_DrawEx(images.handle, icon, dc, textRect.left, textRect.top, width,
                                  height, sys::CLR_NONE, sys::CLR_NONE, sys::ILD_TRANSPARENT);
        }
        textRect.left += images.iconWidth + 2;
    }
}

void Painter::PaintCell(Pass& pass, std::int32_t row, std::int32_t position, std::int32_t height) {
    const ColumnRecord& column = store_.Columns().At(position);
    const std::int32_t col = column.index;
    CellRecord& cell = store_.Cell(col, row);
    const std::int32_t left = column.left - geometry_.HorizontalOffset();
    const sys::RECT cellRect{left, 0, left + column.width, height};
    ClipScope clip(pass.dc, pass.savedClip, cellRect);
    sys::RECT textRect = TextRectOf(cellRect, cell);

    const bool highlighted = IsHighlighted(pass, cell, position);
    PaintCellBackground(pass, cell, cellRect, highlighted);
    const std::int32_t type = cell.CellType();
    if (type != vxCellCustomDraw) {
        PaintIcons(pass, cell, textRect, false);
    }
    const OLE_COLOR textColor =
        highlighted ? (pass.state.hasFocus ? appearance_.highlightForeColor
                                           : appearance_.highlightForeColorNoFocus)
                    : (cell.foreColor != kDefaultColor ? cell.foreColor : appearance_.foreColor);
    sys::SetTextColor(pass.dc, TranslateColor(textColor));
    sys::SetBkMode(pass.dc, sys::TRANSPARENT);

    const bool current = row == pass.state.currentRow && col == pass.state.currentCol;
    const bool hot = row == pass.state.hotRow && col == pass.state.hotCol;
    switch (type) {
        case vxCellCustomDraw:
            RaiseCustomDraw(pass, row, col, cellRect, cell.Selected());
            break;
        case vxCellCheck:
            PaintCheckBox(pass, cell, cellRect, hot && styles_.inUse);
            break;
        default: {
            const bool showButton = type == vxCellCombo && pass.state.editable &&
                                    (current || appearance_.showControlsInAllCells);
            if (showButton) textRect.right -= kComboButtonRoom;
            PaintCellText(pass, cell, textRect, TextIsOpaque(cell, highlighted));
            if (showButton) {
                PaintComboButton(pass, cellRect, current && pass.state.editing,
                                 (cell.TypeFlags() & vxComboBtnFlat) != 0, hot);
            }
            if (!pass.state.keySearchText.empty() && appearance_.enabled &&
                row == pass.state.currentRow && col == pass.state.keySearchCol) {
                PaintKeySearch(pass, cell, textRect);
            }
            break;
        }
    }

    if (CellGetsGridLine(pass, position)) PaintGridLine(pass, cellRect);
    if (current && appearance_.enabled && appearance_.focusRect && pass.state.hasFocus &&
        !pass.state.editing && !pass.state.rowMode) {
        PaintFocusRect(pass, cellRect);
    }
}

sys::RECT Painter::CheckBoxSquare(const sys::RECT& cellRect) const {
    const std::int32_t size =
        styles_.inUse && styles_.checkBoxSize < kGlyphSize ? styles_.checkBoxSize : kGlyphSize;
    sys::RECT box{cellRect.left + 1, cellRect.top + 1, cellRect.right - 2, cellRect.bottom - 2};
    if (box.right - box.left > size) {
        box.left = RoundHalfEven((box.left - size + box.right) / 2.0);
        box.right = box.left + size;
    }
    if (box.bottom - box.top > size) box.bottom = box.top + size;
    const std::int32_t width = box.right - box.left;
    const std::int32_t height = box.bottom - box.top;
    if (width < size || height < size) {
        const std::int32_t side = std::min(width, height);
        if (height < width) {
            box.left = RoundHalfEven((box.left - side + box.right) / 2.0);
            box.right = box.left + side;
        } else {
            box.bottom = box.top + side;
        }
    }
    const std::int32_t side = std::max(0, std::min(box.right - box.left, box.bottom - box.top));
    return sys::RECT{box.left, box.top, box.left + side, box.top + side};
}

void Painter::PaintCheckBox(Pass& pass, const CellRecord& cell, const sys::RECT& cellRect,
                            bool hot) {
    const sys::RECT box = CheckBoxSquare(cellRect);
    const std::int32_t side = box.right - box.left;
    if (side < 1) return;
    const std::int32_t state = CellValues::CheckState(cell);
    const bool flat = (cell.TypeFlags() & vxCheckBoxFlat) != 0;
    const std::int32_t index = state + (styles_.inUse ? (hot ? 6 : 0) : (flat ? 3 : 0));
    checkBoxes_.Copy(pass.dc, box.left, box.top, side, index, styles_.inUse, theme_, pass.window);
}

sys::RECT Painter::ComboButtonSquare(const sys::RECT& cellRect) {
    sys::RECT square{cellRect.left + 1, cellRect.top + 1, cellRect.right - 2, cellRect.bottom - 2};
    const std::int32_t width = square.right - square.left;
    const std::int32_t height = square.bottom - square.top;
    if (width > kGlyphSize && height > kGlyphSize) {
        return sys::RECT{cellRect.right - 18, cellRect.top + 1, cellRect.right - 2,
                         cellRect.top + 17};
    }
    const std::int32_t side = std::max(0, std::min(width, height));
    return sys::RECT{square.right - side, square.top, square.right, square.top + side};
}

void Painter::PaintComboButton(Pass& pass, const sys::RECT& cellRect, bool pressed, bool flat,
                               bool hot) {
    const sys::RECT square = ComboButtonSquare(cellRect);
    const std::int32_t side = square.right - square.left;
    if (side < 1) return;
    const std::int32_t index =
        styles_.inUse ? (hot ? 4 : (pressed ? 1 : 0)) : (flat ? 2 : 0) + (pressed ? 1 : 0);
    comboButtons_.Copy(pass.dc, square.left, square.top, side, index, styles_.inUse, theme_,
                       pass.window);
}

// Text on a hatch stays readable on an opaque BackColor background when the host wants it.
bool Painter::TextIsOpaque(const CellRecord& cell, bool highlighted) const {
    return cell.hatch != vxHatchNone && cell.backColor != kDefaultColor && !highlighted &&
           appearance_.enabled && appearance_.opaqueTextInHatchedCells;
}

void Painter::PaintCellText(Pass& pass, const CellRecord& cell, sys::RECT textRect,
                            bool hatchOpaque) {
    const std::string& text = cellTexts_.DisplayText(cellValues_, cell);
    if (text.empty()) return;
    const sys::HGDIOBJ previousFont =
        cell.fontIndex != 0 ? sys::SelectObject(pass.dc, FontFor(cell.fontIndex)) : 0;
    if (hatchOpaque) {
        sys::SetBkMode(pass.dc, sys::OPAQUE);
        sys::SetBkColor(pass.dc, TranslateColor(appearance_.backColor));
    }
    textRect.top -= 1;
    textRect.bottom += 1;
    const TextToDraw fitted =
        FitPathText(pass.dc, text, textRect.right - textRect.left, std::uint32_t(cell.textFlags));
    sys::DrawText(pass.dc, fitted.text, -1, &textRect, fitted.flags);
    sys::SetBkMode(pass.dc, sys::TRANSPARENT);
    if (previousFont != 0) sys::SelectObject(pass.dc, previousFont);
}

// The typed prefix is drawn again over the start of the text on an opaque background, so
// the user sees how much of it matched.
void Painter::PaintKeySearch(const Pass& pass, const CellRecord& cell, sys::RECT textRect) {
    constexpr std::uint32_t kPlacementKept =
        sys::DT_VCENTER | sys::DT_BOTTOM | sys::DT_SINGLELINE | sys::DT_RTLREADING;
    const sys::HGDIOBJ previousFont =
        cell.fontIndex != 0 ? sys::SelectObject(pass.dc, FontFor(cell.fontIndex)) : 0;
    sys::SetBkMode(pass.dc, sys::OPAQUE);
    sys::SetBkColor(pass.dc, TranslateColor(appearance_.highlightBackColor));
    sys::SetTextColor(pass.dc, TranslateColor(appearance_.highlightForeColor));
    textRect.top -= 1;
    textRect.bottom += 1;
    sys::DrawText(pass.dc, pass.state.keySearchText, -1, &textRect,
                  (std::uint32_t(cell.textFlags) & kPlacementKept) | sys::DT_NOPREFIX);
    sys::SetBkMode(pass.dc, sys::TRANSPARENT);
    if (previousFont != 0) sys::SelectObject(pass.dc, previousFont);
}

// Above the row-text band only the last column closes the row with its vertical line;
// the others draw theirs only when both kinds of lines are on (the band below has its own).
bool Painter::CellGetsGridLine(const Pass& pass, std::int32_t position) const {
    if (!pass.rowTextActive || position < pass.rowTextStart) return true;
    if (position == pass.lastPosition) return (appearance_.gridLines & vxGridLinesVertical) != 0;
    return appearance_.gridLines == vxGridLinesBoth;
}

void Painter::PaintGridLine(const Pass& pass, sys::RECT rect) const {
    if (pass.gridBrush == 0) return;
    switch (appearance_.gridLines) {
        case vxGridLinesVertical:
            rect.left = rect.right - 1;
            break;
        case vxGridLinesHorizontal:
            rect.top = rect.bottom - 1;
            break;
        case vxGridLinesBoth:
            // Moved out at left and top, so neighbours share their lines.
            rect.left -= 1;
            rect.top -= 1;
            break;
        default:
            return;
    }
    sys::FrameRect(pass.dc, &rect, pass.gridBrush);
}

void Painter::PaintFocusRect(const Pass& pass, sys::RECT rect) const {
    if (appearance_.gridLines == vxGridLinesVertical || appearance_.gridLines == vxGridLinesBoth) {
        rect.right -= 1;
    }
    if (appearance_.gridLines == vxGridLinesHorizontal ||
        appearance_.gridLines == vxGridLinesBoth) {
        rect.bottom -= 1;
    }
    sys::FrameRect(pass.dc, &rect, pass.focusBrush);
    const sys::COLORREF oldBack =
        sys::SetBkColor(pass.dc, TranslateColor(appearance_.focusRectColor1));
    const sys::COLORREF oldText =
        sys::SetTextColor(pass.dc, TranslateColor(appearance_.focusRectColor2));
    sys::DrawFocusRect(pass.dc, &rect);
    sys::SetBkColor(pass.dc, oldBack);
    sys::SetTextColor(pass.dc, oldText);
}

void Painter::PaintRowFocus(const Pass& pass, std::int32_t row) const {
    const RowRecord& record = store_.Row(row);
    if (!pass.state.rowMode || record.groupRow || row != pass.state.currentRow ||
        !appearance_.enabled || !appearance_.focusRect || !pass.state.hasFocus) {
        return;
    }
    const sys::RECT rect{pass.range.startX, 0, pass.contentRight, record.height};
    PaintFocusRect(pass, rect);
}

void Painter::PaintRowBand(Pass& pass, std::int32_t row) {
    const std::int32_t rowTextCol = store_.RowTextColumn();
    const RowRecord& record = store_.Row(row);
    if (rowTextCol == 0 || (!record.groupRow && !pass.rowTextActive)) return;
    const ColumnTable& columns = store_.Columns();
    sys::RECT band;
    if (record.groupRow) {
        const std::int32_t first = geometry_.FirstVisiblePositionFrom(std::max(
            record.groupStartCol > 0 ? columns.PositionOfIndex(record.groupStartCol) : 1, 1));
        if (first == 0) return;
        band = sys::RECT{columns.At(first).left - geometry_.HorizontalOffset(), 0,
                         pass.contentRight, record.height};
    } else {
        const std::int32_t start = pass.rowTextStart;
        if (start < 1 || start > columns.Count()) return;
        band = sys::RECT{columns.At(start).left - geometry_.HorizontalOffset(),
                         record.normalCellHeight, pass.contentRight, record.height};
    }
    CellRecord& cell = store_.Cell(rowTextCol, row);
    ClipScope clip(pass.dc, pass.savedClip, band);
    const bool highlighted =
        cell.Selected() && appearance_.enabled && appearance_.highlightSelCells;
    PaintCellBackground(pass, cell, band, highlighted);
    const OLE_COLOR fore = cell.foreColor != kDefaultColor ? cell.foreColor : appearance_.foreColor;
    sys::SetTextColor(
        pass.dc,
        TranslateColor(highlighted && pass.state.hasFocus ? appearance_.highlightForeColor : fore));
    if (cell.CellType() == vxCellCustomDraw) {
        RaiseCustomDraw(pass, row, rowTextCol, band, cell.Selected());
    } else {
        sys::RECT textRect = TextRectOf(band, cell);
        PaintIcons(pass, cell, textRect, true);
        PaintCellText(pass, cell, textRect, TextIsOpaque(cell, highlighted));
    }
    PaintGridLine(pass, band);
    const bool current = row == pass.state.currentRow && rowTextCol == pass.state.currentCol;
    if (record.groupRow && current && appearance_.enabled && appearance_.focusRect &&
        pass.state.hasFocus && !pass.state.editing) {
        PaintFocusRect(pass, band);
    }
}

void Painter::RaiseCustomDraw(const Pass& pass, std::int32_t row, std::int32_t col,
                              const sys::RECT& rect, bool selected) {
    const auto hdc = static_cast<std::int32_t>(pass.dc);
    events_.Raise("CustomDrawCell", [&](VexaEvents& e) {
        e.CustomDrawCell(row, col, hdc, rect.left, rect.top, rect.right, rect.bottom, selected);
    });
}

}  // namespace vexa
