// Painting the header: each item drawn by the header itself when the header window asks
// (background, icon, title, sort icon and sort number, the hot item's highlighted parts),
// and, without visual styles, the classic frames over the header window's own painting.
#include <algorithm>
#include <array>
#include <string>

#include "vexa/header/HeaderControl.h"
#include "vexa/model/GridStore.h"
#include "vexa/render/Appearance.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/paint/RectHelpers.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int32_t kContentInsetX = 6;
constexpr std::int32_t kContentInsetY = 3;
constexpr std::int32_t kIconGap = 2;
constexpr std::uint32_t kAlignmentBits = sys::DT_CENTER | sys::DT_RIGHT;

struct Pixel {
    std::int32_t dx;
    std::int32_t dy;
};

// The 3D descending icon: a shadow top edge and left slope, a highlighted right slope.
constexpr std::array<Pixel, 9> kLeftSlopeDown = {
    {{1, 4}, {2, 4}, {2, 5}, {2, 6}, {3, 6}, {3, 7}, {3, 8}, {4, 8}, {4, 9}}};
constexpr std::array<Pixel, 9> kRightSlopeDown = {
    {{8, 4}, {7, 4}, {7, 5}, {7, 6}, {6, 6}, {6, 7}, {6, 8}, {5, 8}, {5, 9}}};
constexpr std::int32_t kEdgeDownY = 3;
// The ascending icon is the same figure mirrored top to bottom about this line (doubled).
constexpr std::int32_t kMirrorSum = 12;

sys::COLORREF ColorOf(OLE_COLOR color) {
    return TranslateColor(color);
}

void FillSolid(sys::HDC dc, const sys::RECT& rect, sys::COLORREF color) {
    const sys::HBRUSH brush = sys::CreateSolidBrush(color);
    sys::FillRect(dc, &rect, brush);
    sys::DeleteObject(brush);
}

void Polyline(sys::HDC dc, std::initializer_list<sys::POINT> points, sys::COLORREF color) {
    const sys::HPEN pen = sys::CreatePen(sys::PS_SOLID, 1, color);
    const sys::HGDIOBJ previous = sys::SelectObject(dc, pen);
    bool first = true;
    for (const sys::POINT& point : points) {
        if (first) {
            sys::MoveToEx(dc, point.x, point.y, nullptr);
        } else {
            sys::LineTo(dc, point.x, point.y);
        }
        first = false;
    }
    sys::SelectObject(dc, previous);
    sys::DeleteObject(pen);
}

}  // namespace

// One item being drawn.
struct cHeaderControl::ItemPaint {
    sys::HDC dc = 0;
    std::int32_t item = -1;
    sys::RECT rect{};     // the item as the header hands it over
    sys::RECT content{};  // what is left for the parts still to draw
    const ColumnRecord* column = nullptr;
    bool pressed = false;
    // Highlighted parts show only without visual styles; with them the themed background
    // shows the hot state.
    bool hot = false;
};

void cHeaderControl::OnDrawItem(const sys::DRAWITEMSTRUCT& draw) {
    ItemPaint paint;
    paint.dc = draw.hDC;
    paint.item = std::int32_t(draw.itemID);
    paint.rect = draw.rcItem;
    paint.pressed = (draw.itemState & sys::ODS_SELECTED) != 0;
    paint.hot = !stylesInUse_ && look_.hotTrack && paint.item == hotItem_;
    const std::int32_t position = std::int32_t(draw.itemData);
    if (position >= 1 && position <= store_.ColCount()) {
        paint.column = &store_.Columns().At(position);
    }
    const int saved = sys::SaveDC(paint.dc);
    PaintBackground(paint);
    if (paint.column != nullptr) {
        // The content keeps its place in the whole height of the header, whatever frame the
        // header drew around the part it hands over.
        sys::RECT client;
        sys::GetClientRect(hwnd_, &client);
        paint.content =
            sys::RECT{paint.rect.left + kContentInsetX, client.top + kContentInsetY,
                      paint.rect.right - kContentInsetX, client.bottom - kContentInsetY};
        if (paint.pressed) sys::OffsetRect(&paint.content, 1, 1);
        sys::SetBkMode(paint.dc, sys::TRANSPARENT);
        PaintIcon(paint);
        PaintTextAndSortInfo(paint, SortInfoWidth(paint));
    }
    sys::RestoreDC(paint.dc, saved);
}

void cHeaderControl::PaintBackground(const ItemPaint& paint) {
    if (stylesInUse_) {
        const bool hot = look_.hotTrack && paint.item == hotItem_;
        const int state = paint.pressed ? sys::HIS_PRESSED : hot ? sys::HIS_HOT : sys::HIS_NORMAL;
        sys::DrawThemeParentBackground(hwnd_, paint.dc, &paint.rect);
        sys::DrawThemeBackground(theme_, paint.dc, sys::HP_HEADERITEM, state, &paint.rect, nullptr);
        return;
    }
    const OLE_COLOR back = paint.column != nullptr && paint.column->headerBackColor != kDefaultColor
                               ? paint.column->headerBackColor
                               : look_.backColor;
    FillSolid(paint.dc, paint.rect, ColorOf(back));
}

void cHeaderControl::PaintIcon(ItemPaint& paint) {
    sys::RECT& content = paint.content;
    if (paint.column->headerIcon < 0 || images_ == 0) return;
    if (content.right <= content.left || content.bottom <= content.top) return;
    const int width = std::min<int>(iconWidth_, content.right - content.left);
    const int height = std::min<int>(iconHeight_, content.bottom - content.top);
    const bool highlighted = paint.hot && (look_.hotTrackFlags & vxHdrHotIcon) != 0;
    sys::ImageList_DrawEx(
        images_, paint.column->headerIcon, paint.dc, content.left, content.top, width, height,
        sys::CLR_NONE, highlighted ? sys::CLR_DEFAULT : sys::CLR_NONE,
        highlighted ? sys::ILD_TRANSPARENT | sys::ILD_BLEND50 : sys::ILD_TRANSPARENT);
    content.left += iconWidth_ + kIconGap;
}

std::string cHeaderControl::SortNumberOf(const ColumnRecord& column) const {
    if (look_.sortInfoStyle != vxSortInfoNumIcons || column.sortKey <= 0) return {};
    if (host_.LastSortCriteria() <= 1) return {};
    return std::to_string(column.sortKey);
}

std::int32_t cHeaderControl::SortInfoWidth(const ItemPaint& paint) const {
    const ColumnRecord& column = *paint.column;
    if (column.sortKey <= 0) return 0;
    if (look_.sortInfoStyle == vxSortInfoOnlyIcons) return kSortIconWidth;
    if (look_.sortInfoStyle != vxSortInfoNumIcons) return 0;
    const std::string number = SortNumberOf(column);
    if (number.empty()) return kSortIconWidth;
    const sys::HGDIOBJ previous = sys::SelectObject(paint.dc, sortInfoFont_);
    sys::SIZE size;
    sys::GetTextExtentPoint32(paint.dc, number, -1, &size);
    sys::SelectObject(paint.dc, previous);
    return size.cx + kSortIconWidth;
}

sys::COLORREF cHeaderControl::TextColor(const ItemPaint& paint, std::int32_t hotFlag) const {
    if (paint.hot && (look_.hotTrackFlags & hotFlag) != 0) return ColorOf(look_.hotTrackForeColor);
    const OLE_COLOR own = paint.column->headerForeColor;
    return ColorOf(own != kDefaultColor ? own : look_.foreColor);
}

void cHeaderControl::PaintTextAndSortInfo(ItemPaint& paint, std::int32_t sortInfoWidth) {
    const sys::RECT& content = paint.content;
    const std::int32_t room = content.right - content.left;
    if (sortInfoWidth > room) return;
    const std::int32_t reserved = sortInfoWidth > 0 ? sortInfoWidth + kSortInfoGap : 0;
    const std::string_view text = paint.column->headerText;
    const std::uint32_t flags = std::uint32_t(paint.column->headerTextFlags);
    if (titleFont_ != 0) sys::SelectObject(paint.dc, titleFont_);

    sys::RECT measured{content.left, content.top, content.right - reserved, content.bottom};
    sys::DrawText(paint.dc, text, -1, &measured,
                  (flags & ~sys::DT_SHORTENING_BITS) | sys::DT_CALCRECT);
    const std::int32_t textWidth = measured.right - measured.left;
    sys::RECT textRect{content.left, content.top, content.right - reserved, content.bottom};
    std::uint32_t drawFlags = flags;
    if (textWidth > room - reserved) {
        drawFlags &= ~kAlignmentBits;  // too wide: from the left, cut where it must
    } else if ((flags & kAlignmentBits) == 0) {
        textRect.right = content.left + textWidth;
    }
    sys::SetTextColor(paint.dc, TextColor(paint, vxHdrHotText));
    if (!text.empty()) sys::DrawText(paint.dc, text, -1, &textRect, drawFlags);
    if (sortInfoWidth == 0) return;
    const std::int32_t x0 = textRect.right + kSortInfoGap;
    PaintSortIcon(paint, x0, content.top);
    PaintSortNumber(paint, x0, content.top);
}

bool cHeaderControl::SortIconsSolid() const {
    if (look_.sortIconStyle == vxSortIconAuto) return stylesInUse_;
    return look_.sortIconStyle == vxSortIconSolid;
}

void cHeaderControl::PaintSortIcon(const ItemPaint& paint, std::int32_t x0, std::int32_t y0) {
    const bool descending = paint.column->sortOrder == vxSortDesc;
    if (SortIconsSolid()) {
        const sys::COLORREF color = ColorOf(look_.solidSortIconColor);
        for (std::int32_t k = 0; k < 5; ++k) {
            const std::int32_t y = descending ? y0 + 4 + k : y0 + 8 - k;
            FillSolid(paint.dc, sys::RECT{x0 + k, y, x0 + 9 - k, y + 1}, color);
        }
        return;
    }
    const sys::COLORREF shadow = sys::GetSysColor(sys::COLOR_BTNSHADOW);
    const sys::COLORREF highlight = sys::GetSysColor(sys::COLOR_BTNHIGHLIGHT);
    auto put = [&](const Pixel& pixel, sys::COLORREF color) {
        const std::int32_t dy = descending ? pixel.dy : kMirrorSum - pixel.dy;
        sys::SetPixel(paint.dc, x0 + pixel.dx, y0 + dy, color);
    };
    for (std::int32_t dx = 1; dx <= 8; ++dx)
        put(Pixel{dx, kEdgeDownY}, descending ? shadow : highlight);
    for (const Pixel& pixel : kLeftSlopeDown) put(pixel, shadow);
    for (const Pixel& pixel : kRightSlopeDown) put(pixel, highlight);
}

void cHeaderControl::PaintSortNumber(const ItemPaint& paint, std::int32_t x0, std::int32_t y0) {
    const std::string number = SortNumberOf(*paint.column);
    if (number.empty()) return;
    sys::SelectObject(paint.dc, sortInfoFont_);
    sys::SetTextColor(paint.dc, TextColor(paint, vxHdrHotSortInfo));
    sys::RECT rect{x0 + kSortIconWidth, y0, paint.content.right, paint.content.bottom};
    sys::DrawText(paint.dc, number, -1, &rect,
                  sys::DT_SINGLELINE | sys::DT_NOPREFIX | sys::DT_NOCLIP);
}

// ---- Classic frames ----

void cHeaderControl::PaintClassicFrames() {
    // With buttons and without the flat look the header's own 3D frames stay.
    if (hwnd_ == 0 || (buttons_ && !flat_)) return;
    sys::RECT client;
    sys::GetClientRect(hwnd_, &client);
    const std::int32_t width = client.right, height = client.bottom;
    const sys::HDC dc = sys::GetDC(hwnd_);
    const sys::COLORREF shadow = sys::GetSysColor(sys::COLOR_BTNSHADOW);
    const sys::COLORREF back = ColorOf(look_.backColor);
    std::int32_t x = 0;
    const std::int32_t count = ItemCount();
    for (std::int32_t k = 0; k < count; ++k) {
        const std::int32_t index =
            std::int32_t(sys::SendMessage(hwnd_, sys::HDM_ORDERTOINDEX, sys::WPARAM(k)));
        const std::int32_t x0 = x, x1 = x + ItemWidth(index);
        const ColumnRecord* column = ColumnOfItem(index);
        const sys::COLORREF face = column != nullptr && column->headerBackColor != kDefaultColor
                                       ? ColorOf(column->headerBackColor)
                                       : back;
        if (!buttons_) {
            Polyline(dc, {{x0, height - 2}, {x1 - 2, height - 2}, {x1 - 2, -1}}, face);
            Polyline(dc, {{x0, height - 1}, {x1 - 1, height - 1}, {x1 - 1, -1}}, shadow);
        } else {
            Polyline(dc,
                     {{x0 + 1, height - 2},
                      {x1 - 2, height - 2},
                      {x1 - 2, 1},
                      {x0 + 1, 1},
                      {x0 + 1, height - 2}},
                     face);
        }
        x = x1;
    }
    if (x < width) {
        if (!buttons_) {
            FillSolid(dc, sys::RECT{x, 0, width, height - 1}, back);
            Polyline(dc, {{x, height - 1}, {width, height - 1}}, shadow);
        } else {
            FillSolid(dc, sys::RECT{x + 1, 1, width, height - 1}, back);
            Polyline(dc, {{x, height - 3}, {width, height - 3}},
                     sys::GetSysColor(sys::COLOR_BTNHIGHLIGHT));
            Polyline(dc, {{x, height - 2}, {width, height - 2}}, back);
            Polyline(dc, {{x, height - 1}, {width, height - 1}}, shadow);
            FillSolid(dc, sys::RECT{x + 2, 2, width, height - 3}, back);
        }
    }
    sys::ReleaseDC(hwnd_, dc);
}

}  // namespace vexa
