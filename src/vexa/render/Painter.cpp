#include "vexa/render/Painter.h"

#include <algorithm>
#include <cstdlib>

#include "vexa/events/EventSinks.h"
#include "vexa/model/CellValues.h"
#include "vexa/model/GridStore.h"
#include "vexa/render/Appearance.h"
#include "vexa/render/PainterPass.h"
#include "vexa/render/UxTheme.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/Picture.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

// The row band is cleared this far beyond the visible width, and rows are copied this far,
// so that a partly scrolled start column and the grid-line extension are covered.
constexpr std::int32_t kBandSlack = 24;
constexpr std::int32_t kCopySlack = 32;
constexpr std::int32_t kExtensionRight = 32000;
// The system brush of a system colour is taken by the low five bits of its index.
constexpr OLE_COLOR kSystemColorIndexMask = 0x1F;

// The brush of an OLE colour: the system brush of a system colour, else a new solid brush
// that the caller deletes.
struct ColorBrush {
    sys::HBRUSH brush = 0;
    bool owned = false;
    explicit ColorBrush(OLE_COLOR color) {
        if ((color & 0x80000000u) != 0 && color != kDefaultColor) {
            brush = sys::GetSysColorBrush(int(color & kSystemColorIndexMask));
            if (brush != 0) return;
        }
        brush = sys::CreateSolidBrush(TranslateColor(color));
        owned = true;
    }
    ~ColorBrush() {
        if (owned) sys::DeleteObject(brush);
    }
    ColorBrush(const ColorBrush&) = delete;
    ColorBrush& operator=(const ColorBrush&) = delete;
};

}  // namespace

Painter::Painter(GridStore& store, CellValues& cellValues, Geometry& geometry,
                 Appearance& appearance, VisualStyles& styles, cUxTheme& theme, EventSinks& events,
                 PainterHost& host)
    : store_(store),
      cellValues_(cellValues),
      geometry_(geometry),
      appearance_(appearance),
      styles_(styles),
      theme_(theme),
      events_(events),
      host_(host) {}

Painter::~Painter() {
    ReleaseRowBuffer();
    ReleasePictureDc();
    for (const auto& [key, font] : fonts_) sys::DeleteObject(font);
    if (gridFont_ != 0) sys::DeleteObject(gridFont_);
}

// ---- Fonts ----

sys::HFONT Painter::FontFor(std::int16_t fontIndex) {
    if (fontIndex == 0) return GridFont();
    const std::shared_ptr<Font> font = cellValues_.Fonts().At(fontIndex);
    if (!font) return GridFont();
    auto found = fonts_.find(font->Handle());
    if (found != fonts_.end()) return found->second;
    const sys::HFONT realised = sys::CreateFontFromObject(*font);
    fonts_.emplace(font->Handle(), realised);
    return realised;
}

// The grid font can change in place: it is realised again when its attributes differ from
// those it was realised with, and the new font replaces the old one in the row buffer before
// the old one goes.
sys::HFONT Painter::GridFont() {
    const FontAttributes& attributes = cellValues_.GridFont()->Attributes();
    if (gridFont_ != 0 && attributes == gridFontAttributes_) return gridFont_;
    const sys::HFONT previous = gridFont_;
    gridFont_ = sys::CreateFontFromObject(*cellValues_.GridFont());
    gridFontAttributes_ = attributes;
    if (buffer_.dc != 0 && previous != 0) sys::SelectObject(buffer_.dc, gridFont_);
    if (previous != 0) sys::DeleteObject(previous);
    return gridFont_;
}

void Painter::GridFontChanged() {
    if (buffer_.dc == 0) return;
    sys::SelectObject(buffer_.dc, GridFont());
}

// ---- The row buffer ----

void Painter::CreateRowBuffer(std::int32_t height) {
    ReleaseRowBuffer();
    const sys::HWND window = host_.Window();
    const sys::HDC windowDc = sys::GetDC(window);
    const std::int32_t width = sys::GetSystemMetrics(sys::SM_CXSCREEN);
    buffer_.dc = sys::CreateCompatibleDC(windowDc);
    buffer_.bitmap = sys::CreateCompatibleBitmap(windowDc, width, height);
    sys::ReleaseDC(window, windowDc);
    if (buffer_.dc == 0 || buffer_.bitmap == 0) {
        ReleaseRowBuffer();
        return;
    }
    buffer_.previousBitmap = sys::SelectObject(buffer_.dc, buffer_.bitmap);
    buffer_.previousFont = sys::SelectObject(buffer_.dc, FontFor(0));
    buffer_.height = height;
    sys::SetTextColor(buffer_.dc, TranslateColor(appearance_.foreColor));
    sys::SetBkColor(buffer_.dc, TranslateColor(appearance_.backColor));
    sys::SetBkMode(buffer_.dc, sys::TRANSPARENT);
}

void Painter::ReleaseRowBuffer() {
    if (buffer_.dc != 0) {
        if (buffer_.previousBitmap != 0) sys::SelectObject(buffer_.dc, buffer_.previousBitmap);
        if (buffer_.previousFont != 0) sys::SelectObject(buffer_.dc, buffer_.previousFont);
        sys::DeleteDC(buffer_.dc);
    }
    if (buffer_.bitmap != 0) sys::DeleteObject(buffer_.bitmap);
    buffer_ = RowBuffer{};
}

void Painter::EnlargeRowBuffer(std::int32_t height) {
    // A row taller than the screen never shows whole: such rows are painted straight onto
    // the window instead of into a buffer of absurd size.
    const std::int32_t limit = sys::GetSystemMetrics(sys::SM_CYSCREEN);
    height = std::min(height, limit);
    wantedBufferHeight_ = std::max(wantedBufferHeight_, height);
    if (height <= buffer_.height || !flags_.shown) return;
    CreateRowBuffer(height);
}

void Painter::DropGlyphCaches() {
    checkBoxes_.Drop();
    comboButtons_.Drop();
}

// ---- Handlers ----

void Painter::ResetCachedState() {
    flags_.fullRepaint = true;
    flags_.repaintBelow = true;
}

void Painter::MarkVisibleCellsForRepaint() {
    const VisibleRange range = geometry_.Visible();
    if (range.endRow < 1) return;
    const std::int32_t columns = store_.ColCount();
    for (std::int32_t r = range.startRow; r <= std::min(range.endRow, store_.RowCount()); ++r) {
        CellRecord* cells = store_.Cells().Row(r);
        if (cells == nullptr) continue;
        for (std::int32_t c = 0; c < columns; ++c) cells[c].SetFlag(kCellNeedsRepaint, true);
    }
}

void Painter::OnPaint() {
    if (!appearance_.redraw || !flags_.shown) return;
    MarkVisibleCellsForRepaint();
    flags_.repaintBelow = true;
    flags_.paintAnyway = true;
    EnlargeRowBuffer(store_.DefaultRowHeight());
    Draw();
}

void Painter::OnResize() {
    geometry_.Invalidate(RangeState::RecomputeAll);
    if (!flags_.shown || !appearance_.redraw) return;
    flags_.fullRepaint = true;
    flags_.repaintBelow = true;
    Draw();
}

// ---- The pass ----

void Painter::Draw() {
    // A handler of an event raised while painting (CustomDrawCell, RequestRow) that changes
    // a cell asks for painting again: that is done once, after this pass.
    if (painting_) {
        drawAgain_ = true;
        return;
    }
    RunPass();
    if (drawAgain_) {
        drawAgain_ = false;
        RunPass();
        drawAgain_ = false;
    }
}

void Painter::RunPass() {
    if (!appearance_.redraw || !flags_.shown || host_.RowRequestInProgress()) return;
    if (flags_.paintAnyway) {
        flags_.paintAnyway = false;
    } else if (flags_.columnResize && !appearance_.immediateColumnResizing) {
        return;
    }
    if (NothingToPaint()) return;
    painting_ = true;
    {
        TableWalk walk(store_);
        Pass pass;
        if (BeginPass(pass)) {
            PaintRows(pass);
            EndPass(pass);
        }
    }
    painting_ = false;
}

// A pass would only look: no full repaint or area below the rows is pending, nothing that
// moves rows or columns happened since the visible range was worked out (so the layout stands
// as it is), no row may be asked for, and no cell in view is marked. A cell out of view keeps
// its mark; scrolling it into view paints it anyway. Setting values on cells out of view thus
// costs no painting at all.
bool Painter::NothingToPaint() {
    if (flags_.fullRepaint || flags_.repaintBelow || geometry_.State() != RangeState::Valid ||
        host_.MoreRowsMayCome()) {
        return false;
    }
    const VisibleRange& range = geometry_.Visible();
    if (range.endRow < 1) return true;
    const ColumnTable& columns = store_.Columns();
    const std::int32_t rowTextCol = store_.RowTextColumn();
    const std::int32_t lastRow = std::min(range.endRow, store_.RowCount());
    for (std::int32_t r = std::max(range.startRow, 1); r <= lastRow; ++r) {
        const CellRecord* cells = store_.Cells().Row(r);
        if (cells == nullptr) continue;
        if (rowTextCol > 0 && cells[rowTextCol - 1].NeedsRepaint()) return false;
        for (std::int32_t p = std::max(range.startPos, 1);
             p <= std::min(range.endPos, columns.Count()); ++p) {
            if (cells[columns.At(p).index - 1].NeedsRepaint()) return false;
        }
    }
    return true;
}

bool Painter::BeginPass(Pass& pass) {
    const sys::HWND window = host_.Window();
    if (!sys::IsWindow(window)) return false;
    if (buffer_.dc == 0 && wantedBufferHeight_ > 0) CreateRowBuffer(wantedBufferHeight_);
    pass.state = host_.GatherPaintState();
    pass.rowTextActive = host_.RowTextActive();
    pass.headerHeight = host_.HeaderHeight();
    pass.window = window;
    // The layout may show or hide scroll bars, which changes the client area.
    if (!flags_.columnResize) host_.ApplyLayout(geometry_.Layout());
    pass.target = sys::GetDC(window);
    sys::GetClientRect(window, &pass.client);
    pass.buffered = buffer_.dc != 0;
    pass.dc = pass.buffered ? buffer_.dc : pass.target;
    if (appearance_.focusRect) pass.focusBrush = sys::CreateSolidBrush(0);
    pass.savedClip = sys::CreateRectRgn(0, 0, 0, 0);

    pass.range = geometry_.Visible();
    pass.rowTextStart = geometry_.RowTextStartPosition();
    pass.firstSelectable = geometry_.FirstSelectablePosition();
    pass.lastPosition = geometry_.LastVisiblePosition();
    pass.contentRight = geometry_.ContentRight() - geometry_.HorizontalOffset();
    pass.bandWidth = geometry_.VisibleWidth() + std::abs(pass.range.startX) + kBandSlack;
    pass.copyWidth = geometry_.VisibleWidth() + std::abs(pass.range.startX) + kCopySlack;
    ExtendForVirtualRows(pass);
    if (!pass.buffered) {
        FillBackground(pass, pass.target, pass.client, -pass.headerHeight);
    }

    if (appearance_.gridLines != vxGridLinesNone) {
        pass.gridBrush = appearance_.enabled
                             ? sys::CreateSolidBrush(TranslateColor(appearance_.gridLineColor))
                             : sys::GetSysColorBrush(sys::COLOR_GRAYTEXT);
        pass.ownsGridBrush = appearance_.enabled;
    }
    pass.selectionBrush = sys::CreateSolidBrush(
        TranslateColor(pass.state.hasFocus ? appearance_.highlightBackColor
                                           : appearance_.highlightBackColorNoFocus));
    return true;
}

// In virtual mode, while more rows may come and the content ends above the bottom of the
// cells area, the range grows by default-height rows that are asked for as they are reached.
void Painter::ExtendForVirtualRows(Pass& pass) {
    if (!host_.MoreRowsMayCome()) return;
    const std::int32_t defaultHeight = std::max(store_.DefaultRowHeight(), 1);
    std::int32_t endY = pass.range.endRow >= 1 ? pass.range.endY : 0;
    std::int32_t endRow = pass.range.endRow >= 1 ? pass.range.endRow : store_.RowCount();
    while (endY < geometry_.VisibleHeight()) {
        endY += defaultHeight;
        ++endRow;
    }
    if (endRow > std::max(pass.range.endRow, 0)) {
        if (pass.range.endRow < 1) pass.range.startRow = store_.RowCount() + 1;
        pass.range.endRow = endRow;
    }
}

void Painter::PaintRows(Pass& pass) {
    pass.runningBottom = pass.range.startRow >= 1 ? pass.range.startY : 0;
    if (pass.range.endRow < 1) return;
    for (std::int32_t row = pass.range.startRow; row <= pass.range.endRow; ++row) {
        if (row > store_.RowCount()) {
            if (store_.ColCount() == 0 || !host_.MoreRowsMayCome() || !host_.RequestRow(row)) {
                return;
            }
            // The host may have changed anything while it answered.
            if (row > store_.RowCount()) return;
        }
        const RowRecord& record = store_.Row(row);
        if (!record.visible) continue;
        const std::int32_t top = record.top - geometry_.VerticalOffset();
        pass.runningBottom = top + record.height;
        if (!RowNeedsPaint(pass, row)) continue;
        PaintRow(pass, row);
    }
}

bool Painter::RowNeedsPaint(const Pass& pass, std::int32_t row) {
    CellRecord* cells = store_.Cells().Row(row);
    if (cells == nullptr) return false;
    bool needed = flags_.fullRepaint;
    auto test = [&](std::int32_t col) {
        CellRecord& cell = cells[col - 1];
        needed = needed || cell.NeedsRepaint();
        cell.SetFlag(kCellNeedsRepaint, false);
    };
    const std::int32_t rowTextCol = store_.RowTextColumn();
    if (store_.Row(row).groupRow) {
        if (rowTextCol > 0) test(rowTextCol);
        return needed;
    }
    const ColumnTable& columns = store_.Columns();
    for (std::int32_t p = std::max(pass.range.startPos, 1);
         p <= std::min(pass.range.endPos, columns.Count()); ++p) {
        test(columns.At(p).index);
    }
    if (pass.rowTextActive && rowTextCol > 0) test(rowTextCol);
    return needed;
}

void Painter::PaintRow(Pass& pass, std::int32_t row) {
    const RowRecord& record = store_.Row(row);
    const std::int32_t top = record.top - geometry_.VerticalOffset();
    // Rows taller than the buffer go straight onto the window.
    const bool buffered = pass.buffered && record.height <= buffer_.height;
    pass.dc = buffered ? buffer_.dc : pass.target;
    sys::POINT previousOrigin;
    if (!buffered) sys::SetViewportOrgEx(pass.dc, 0, top + pass.headerHeight, &previousOrigin);

    const sys::RECT band{0, 0, pass.bandWidth, buffered ? buffer_.height : record.height};
    FillBackground(pass, pass.dc, band, top);
    FillRowParity(pass, record);
    if (!record.groupRow) {
        const ColumnTable& columns = store_.Columns();
        for (std::int32_t p = std::max(pass.range.startPos, 1);
             p <= std::min(pass.range.endPos, columns.Count()); ++p) {
            const ColumnRecord& column = columns.At(p);
            if (!column.visible || column.rowTextColumn) continue;
            const bool normalOnly = pass.rowTextActive && p >= pass.rowTextStart;
            PaintCell(pass, row, p, normalOnly ? record.normalCellHeight : record.height);
        }
    }
    PaintRowBand(pass, row);
    PaintRowFocus(pass, row);
    const bool horizontal =
        appearance_.gridLines == vxGridLinesHorizontal || appearance_.gridLines == vxGridLinesBoth;
    if (horizontal) DrawRightExtension(pass, record.height);

    if (buffered) {
        sys::BitBlt(pass.target, 0, top + pass.headerHeight, pass.copyWidth, record.height,
                    buffer_.dc, 0, 0, sys::SRCCOPY);
    } else {
        sys::SetViewportOrgEx(pass.dc, previousOrigin.x, previousOrigin.y, nullptr);
    }
    pass.dc = pass.buffered ? buffer_.dc : pass.target;
}

void Painter::DrawRightExtension(const Pass& pass, std::int32_t bottom) const {
    const bool right = appearance_.gridLinesExtend == vxGridLinesExtendRight ||
                       appearance_.gridLinesExtend == vxGridLinesExtendBoth;
    if (!right || pass.gridBrush == 0) return;
    const sys::RECT line{0, bottom - 1, kExtensionRight, bottom};
    sys::FrameRect(pass.dc, &line, pass.gridBrush);
}

void Painter::FillRowParity(const Pass& pass, const RowRecord& row) const {
    const OLE_COLOR color =
        row.parity ? appearance_.backColorOddRows : appearance_.backColorEvenRows;
    if (color == kDefaultColor) return;
    const std::int32_t right = pass.lastPosition > 0
                                   ? store_.Columns().At(pass.lastPosition).left +
                                         store_.Columns().At(pass.lastPosition).width -
                                         geometry_.HorizontalOffset()
                                   : 0;
    const sys::RECT rect{0, 0, right, row.height};
    ColorBrush brush(color);
    sys::FillRect(pass.dc, &rect, brush.brush);
}

// The background picture is copied into a memory context once and tiled from there.
sys::HDC Painter::PictureDc(const BackgroundTile& tile) {
    if (picture_.dc != 0 && picture_.source == tile.picture) return picture_.dc;
    ReleasePictureDc();
    picture_.source = tile.picture;
    picture_.dc = sys::CreateCompatibleDC(0);
    picture_.bitmap = sys::CreateBitmapFromSurface(tile.picture->Surface());
    picture_.previousBitmap = sys::SelectObject(picture_.dc, picture_.bitmap);
    return picture_.dc;
}

void Painter::ReleasePictureDc() {
    if (picture_.dc != 0) {
        sys::SelectObject(picture_.dc, picture_.previousBitmap);
        sys::DeleteDC(picture_.dc);
    }
    if (picture_.bitmap != 0) sys::DeleteObject(picture_.bitmap);
    picture_ = PictureCopy{};
}

void Painter::FillBackground(const Pass& /*pass*/, sys::HDC dc, const sys::RECT& rect,
                             std::int32_t phaseY) {
    const BackgroundTile& tile = appearance_.background;
    if (tile.picture && tile.width > 0 && tile.height > 0) {
        // Anchored to the cells area: the cells-area point (x, y) shows picture pixel
        // (x mod width, y mod height), whatever the scroll offsets.
        const sys::HDC pictureDc = PictureDc(tile);
        const std::int32_t startY = rect.top + phaseY;
        std::int32_t tileY = ((startY % tile.height) + tile.height) % tile.height;
        for (std::int32_t y = rect.top; y < rect.bottom;) {
            const std::int32_t h = std::min(tile.height - tileY, rect.bottom - y);
            std::int32_t tileX = ((rect.left % tile.width) + tile.width) % tile.width;
            for (std::int32_t x = rect.left; x < rect.right;) {
                const std::int32_t w = std::min(tile.width - tileX, rect.right - x);
                sys::BitBlt(dc, x, y, w, h, pictureDc, tileX, tileY, sys::SRCCOPY);
                x += w;
                tileX = 0;
            }
            y += h;
            tileY = 0;
        }
        return;
    }
    if (!appearance_.enabled) {
        sys::FillRect(dc, &rect, sys::GetSysColorBrush(sys::COLOR_BTNFACE));
        return;
    }
    ColorBrush brush(appearance_.backColor);
    sys::FillRect(dc, &rect, brush.brush);
}

void Painter::PaintBelowRows(Pass& pass) {
    if (!flags_.repaintBelow) return;
    flags_.repaintBelow = false;
    const std::int32_t height = pass.client.bottom;
    if (pass.runningBottom + 1 >= height) return;
    const bool down = appearance_.gridLinesExtend == vxGridLinesExtendDown ||
                      appearance_.gridLinesExtend == vxGridLinesExtendBoth;
    const std::int32_t rowHeight = std::max(store_.DefaultRowHeight(), 1);
    // The empty rows are painted through the buffer; without one tall enough the area is
    // only cleared.
    const bool emptyRows = appearance_.gridLines != vxGridLinesNone && down && pass.buffered &&
                           rowHeight <= buffer_.height;
    if (!emptyRows) {
        const sys::RECT rest{0, pass.runningBottom + pass.headerHeight,
                             geometry_.VisibleWidth() + kCopySlack, height};
        FillBackground(pass, pass.target, rest, -pass.headerHeight);
        return;
    }
    pass.dc = buffer_.dc;
    for (std::int32_t y = pass.runningBottom + pass.headerHeight; y < height; y += rowHeight) {
        const sys::RECT band{0, 0, pass.bandWidth, rowHeight};
        FillBackground(pass, buffer_.dc, band, y - pass.headerHeight);
        const ColumnTable& columns = store_.Columns();
        for (std::int32_t p = std::max(pass.range.startPos, 1);
             p <= std::min(pass.range.endPos, columns.Count()); ++p) {
            const ColumnRecord& column = columns.At(p);
            if (!column.visible || column.rowTextColumn) continue;
            const std::int32_t left = column.left - geometry_.HorizontalOffset();
            PaintGridLine(pass, sys::RECT{left, 0, left + column.width, rowHeight});
        }
        DrawRightExtension(pass, rowHeight);
        sys::BitBlt(pass.target, 0, y, pass.copyWidth, rowHeight, buffer_.dc, 0, 0, sys::SRCCOPY);
    }
}

void Painter::EndPass(Pass& pass) {
    PaintBelowRows(pass);
    if (pass.ownsGridBrush) sys::DeleteObject(pass.gridBrush);
    sys::DeleteObject(pass.selectionBrush);
    if (pass.focusBrush != 0) sys::DeleteObject(pass.focusBrush);
    sys::DeleteObject(pass.savedClip);
    sys::ReleaseDC(pass.window, pass.target);
    flags_.fullRepaint = false;
    if (flags_.columnResize && !appearance_.immediateColumnResizing && resizeMarker_) {
        // Painting covered the marker: it is drawn again (not-xor) where it was.
        const sys::RECT line = *resizeMarker_;
        resizeMarker_.reset();
        const sys::HDC screen = sys::CreateDCA("DISPLAY");
        sys::SetROP2(screen, sys::R2_NOTXORPEN);
        sys::MoveToEx(screen, line.left, line.top, nullptr);
        sys::LineTo(screen, line.left, line.bottom);
        sys::DeleteDC(screen);
        resizeMarker_ = line;
    }
}

// ---- The column-resize marker ----

void Painter::MoveResizeMarker(std::int32_t position, std::optional<std::int32_t> newWidth,
                               bool erasePrevious, bool drawNew) {
    const sys::HDC screen = sys::CreateDCA("DISPLAY");
    if (screen == 0) return;
    sys::SetROP2(screen, sys::R2_NOTXORPEN);
    auto drawLine = [&](const sys::RECT& line) {
        sys::MoveToEx(screen, line.left, line.top, nullptr);
        sys::LineTo(screen, line.left, line.bottom);
    };
    if (erasePrevious && resizeMarker_) drawLine(*resizeMarker_);
    resizeMarker_.reset();
    if (drawNew && position >= 1 && position <= store_.ColCount()) {
        const ColumnRecord& column = store_.Columns().At(position);
        sys::POINT top{column.left + newWidth.value_or(column.width) - geometry_.HorizontalOffset(),
                       host_.HeaderHeight()};
        sys::RECT client;
        sys::GetClientRect(host_.Window(), &client);
        sys::POINT bottom{top.x, client.bottom};
        sys::ClientToScreen(host_.Window(), &top);
        sys::ClientToScreen(host_.Window(), &bottom);
        const sys::RECT line{top.x, top.y, top.x + 1, bottom.y};
        drawLine(line);
        resizeMarker_ = line;
    }
    sys::DeleteDC(screen);
}

}  // namespace vexa
