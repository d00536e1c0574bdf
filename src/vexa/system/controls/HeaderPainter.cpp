// Drawing the header: each item's background (the classic raised, pushed, etched or flat
// frames, or the themed item part), then its content (image, bitmap, text and sort arrow) or,
// for HDF_OWNERDRAW items, the parent's WM_DRAWITEM; the empty part right of the items; and
// while an item is dragged, its translucent picture under the pointer and the drop marker.
#include <algorithm>

#include "vexa/system/controls/HeaderState.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::header_detail {

namespace {

constexpr int kContentMargin = 6;  // between an item's frame and its content, either side
constexpr int kElementGap = 4;     // between the image, the bitmap and the text
constexpr int kArrowWidth = 9;     // the sort arrow: a triangle 9 wide and 5 high
constexpr int kArrowHeight = 5;
constexpr int kArrowGap = 6;     // between the text and the sort arrow
constexpr int kMarkerWidth = 2;  // the drop marker's bar

struct ItemLook {
    bool pushed = false;
    bool hot = false;
    bool disabled = false;
};

void Fill(HDC hdc, const RECT& rect, COLORREF color) {
    const HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

RECT Inset(const RECT& r, int left, int top, int right, int bottom) {
    return RECT{r.left + left, r.top + top, r.right - right, r.bottom - bottom};
}

bool Themed(const HeaderState& state) {
    return state.theme != 0;
}

ItemLook LookOf(const HeaderState& state, int index) {
    ItemLook look;
    look.pushed =
        state.mode == HeaderMode::Pressing && state.pushedLook && state.activeItem == index;
    look.hot = state.mode == HeaderMode::Idle && state.hotItem == index &&
               (StyleOf(state) & HDS_HOTTRACK) != 0;
    look.disabled = !IsWindowEnabled(state.hwnd);
    return look;
}

// The classic frames; returns the face inside them.
RECT DrawClassicFrame(HDC hdc, const RECT& rect, UINT style, bool pushed) {
    RECT frame = rect;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    if (style & HDS_FLAT) {
        Fill(hdc, rect, GetSysColor(COLOR_BTNFACE));
        if (pushed) {
            FrameRect(hdc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
        } else {
            Fill(hdc, {rect.right - 1, rect.top, rect.right, rect.bottom}, shadow);
            Fill(hdc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, shadow);
        }
        return Inset(rect, 0, 0, 1, 1);
    }
    if (style & HDS_BUTTONS) {
        if (pushed)
            DrawEdge(hdc, &frame, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_MIDDLE);
        else
            DrawEdge(hdc, &frame, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
        return Inset(rect, 2, 2, 2, 2);
    }
    DrawEdge(hdc, &frame, EDGE_ETCHED, BF_BOTTOM | BF_RIGHT | BF_MIDDLE);
    return Inset(rect, 0, 0, 2, 2);
}

// The item's background; returns the rectangle its content goes in.
RECT DrawBackground(const HeaderState& state, HDC hdc, const RECT& rect, ItemLook look) {
    if (!Themed(state)) return DrawClassicFrame(hdc, rect, StyleOf(state), look.pushed);
    const int part = look.pushed ? HIS_PRESSED : look.hot ? HIS_HOT : HIS_NORMAL;
    DrawThemeBackground(state.theme, hdc, HP_HEADERITEM, part, &rect, nullptr);
    RECT content = rect;
    GetThemeBackgroundContentRect(state.theme, hdc, HP_HEADERITEM, part, &rect, &content);
    return content;
}

COLORREF TextColor(const HeaderState& state, ItemLook look) {
    if (look.disabled) return GetSysColor(COLOR_GRAYTEXT);
    if (look.hot && !Themed(state)) return GetSysColor(COLOR_HOTLIGHT);
    return GetSysColor(COLOR_BTNTEXT);
}

// Ascending points up: rows 1, 3, 5, 7 and 9 pixels wide from the top; descending the reverse.
void DrawSortArrow(HDC hdc, const RECT& area, bool ascending, COLORREF color) {
    const int top = area.top + (area.bottom - area.top - kArrowHeight) / 2;
    for (int row = 0; row < kArrowHeight; ++row) {
        const int width = ascending ? 1 + 2 * row : kArrowWidth - 2 * row;
        const int left = area.left + (kArrowWidth - width) / 2;
        Fill(hdc, {left, top + row, left + width, top + row + 1}, color);
    }
}

SIZE ImageSize(const HeaderState& state, const HeaderItem& item) {
    SIZE size;
    if ((item.format & HDF_IMAGE) && item.image >= 0 &&
        item.image < ImageList_GetImageCount(state.images))
        ImageList_GetIconSize(state.images, &size.cx, &size.cy);
    return size;
}

SIZE BitmapSize(const HeaderItem& item) {
    cairo_surface_t* surface = (item.format & HDF_BITMAP) ? GetBitmapSurface(item.bitmap) : nullptr;
    if (surface == nullptr) return SIZE{};
    return SIZE{cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
}

void DrawBitmap(HDC hdc, HBITMAP bitmap, int x, int y, SIZE size) {
    const HDC source = CreateCompatibleDC(hdc);
    const HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(hdc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

bool HasText(const HeaderItem& item) {
    return (item.format & HDF_STRING) != 0 && !item.text.empty();
}

// Where the image, the bitmap and the text go, side by side and aligned as the format asks;
// when they do not fit they start at the left and the text gives up the room.
struct ContentLayout {
    SIZE image;
    SIZE bitmap;
    int textWidth = 0;
    int gap = 0;   // between the pictures and the text
    int left = 0;  // where the first part starts
};

ContentLayout LayOutContent(const HeaderState& state, HDC hdc, const HeaderItem& item,
                            const RECT& content) {
    ContentLayout layout;
    layout.image = ImageSize(state, item);
    layout.bitmap = BitmapSize(item);
    SIZE text;
    if (HasText(item)) GetTextExtentPoint32(hdc, item.text, -1, &text);
    const bool both = layout.image.cx > 0 && layout.bitmap.cx > 0;
    const int pictures = layout.image.cx + layout.bitmap.cx + (both ? kElementGap : 0);
    layout.gap = pictures > 0 && text.cx > 0 ? kElementGap : 0;
    const int room = std::max(0, int(content.right - content.left));
    layout.textWidth = std::min(int(text.cx), std::max(0, room - pictures - layout.gap));
    const int total = pictures + layout.gap + layout.textWidth;
    const int justify = item.format & HDF_JUSTIFYMASK;
    layout.left = justify == HDF_CENTER  ? content.left + (room - total) / 2
                  : justify == HDF_RIGHT ? content.right - total
                                         : content.left;
    layout.left = std::max(layout.left, int(content.left));
    return layout;
}

// Draws the image and the bitmap from x on; returns where the next part starts.
int DrawPictures(const HeaderState& state, HDC hdc, const HeaderItem& item,
                 const ContentLayout& layout, const RECT& content, int x) {
    const int height = content.bottom - content.top;
    if (layout.image.cx > 0) {
        ImageList_Draw(state.images, item.image, hdc, x,
                       content.top + (height - layout.image.cy) / 2, ILD_TRANSPARENT);
        x += layout.image.cx + kElementGap;
    }
    if (layout.bitmap.cx > 0) {
        const SIZE shown{layout.bitmap.cx, std::min(int(layout.bitmap.cy), height)};
        DrawBitmap(hdc, item.bitmap, x, content.top + (height - shown.cy) / 2, shown);
        x += layout.bitmap.cx + kElementGap;
    }
    return x;
}

// Reserves the sort arrow's room at the right and draws the arrow there; returns the rest.
RECT DrawSortArrowOf(HDC hdc, const HeaderItem& item, RECT content, ItemLook look) {
    if ((item.format & (HDF_SORTUP | HDF_SORTDOWN)) == 0) return content;
    if (content.right - content.left < kArrowWidth) return RECT{};
    const RECT arrow{content.right - kArrowWidth, content.top, content.right, content.bottom};
    const COLORREF color = GetSysColor(look.disabled ? COLOR_GRAYTEXT : COLOR_BTNSHADOW);
    DrawSortArrow(hdc, arrow, (item.format & HDF_SORTUP) != 0, color);
    content.right -= kArrowWidth + kArrowGap;
    return content;
}

void DrawContent(const HeaderState& state, HDC hdc, const HeaderItem& item, RECT content,
                 ItemLook look) {
    content = DrawSortArrowOf(hdc, item, content, look);
    if (content.right <= content.left) return;
    const ContentLayout layout = LayOutContent(state, hdc, item, content);
    const bool picturesRight = (item.format & HDF_BITMAP_ON_RIGHT) != 0;
    int x = layout.left;
    if (!picturesRight) x = DrawPictures(state, hdc, item, layout, content, x);
    if (HasText(item)) {
        RECT textRect{x, content.top, x + layout.textWidth, content.bottom};
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                            ((item.format & HDF_RTLREADING) ? DT_RTLREADING : 0);
        SetTextColor(hdc, TextColor(state, look));
        DrawText(hdc, item.text, -1, &textRect, format);
        x += layout.textWidth + layout.gap;
    }
    if (picturesRight) DrawPictures(state, hdc, item, layout, content, x);
}

void OwnerDraw(const HeaderState& state, HDC hdc, int index, const RECT& rect, ItemLook look) {
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_HEADER;
    draw.CtlID = UINT(GetWindowLongPtr(state.hwnd, GWLP_ID));
    draw.itemID = UINT(index);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = look.pushed ? ODS_SELECTED : 0;
    draw.hwndItem = state.hwnd;
    draw.hDC = hdc;
    draw.rcItem = rect;
    draw.itemData = std::uintptr_t(state.items[std::size_t(index)].param);
    const HWND parent = GetParent(state.hwnd);
    if (parent != 0) SendMessage(parent, WM_DRAWITEM, WPARAM(draw.CtlID), LPARAM(&draw));
}

// An owner-drawn item is handed the face inside the classic frame, or the whole item when
// themed (the owner then draws the themed part itself).
void DrawItem(const HeaderState& state, HDC hdc, int index, const RECT& rect, ItemLook look) {
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    const RECT face = DrawBackground(state, hdc, rect, look);
    const HeaderItem item = state.items[std::size_t(index)];
    if (item.format & HDF_OWNERDRAW) {
        OwnerDraw(state, hdc, index, Themed(state) ? rect : face, look);
    } else {
        RECT content = Inset(face, kContentMargin, 0, kContentMargin, 0);
        if (look.pushed && !Themed(state)) OffsetRect(&content, 1, 1);
        DrawContent(state, hdc, item, content, look);
    }
    RestoreDC(hdc, saved);
}

// Right of the last item the header looks like one more, empty, item without a right edge.
void DrawFiller(const HeaderState& state, HDC hdc, const RECT& rect) {
    const RECT beyondRight{rect.left, rect.top, rect.right + 2, rect.bottom};
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    DrawBackground(state, hdc, beyondRight, ItemLook{});
    RestoreDC(hdc, saved);
}

void DrawDragFeedback(const HeaderState& state, HDC hdc, int width, int height) {
    if (state.mode == HeaderMode::Dragging && state.dragImage != 0)
        ImageList_DrawEx(state.dragImage, 0, hdc, state.pointerX - state.grabOffset, 0, 0, 0,
                         CLR_NONE, CLR_NONE, ILD_BLEND50);
    if (state.hotDivider < 0) return;
    const int x = std::clamp(DividerX(state, state.hotDivider) - kMarkerWidth / 2, 0,
                             std::max(0, width - kMarkerWidth));
    Fill(hdc, {x, 0, x + kMarkerWidth, height}, GetSysColor(COLOR_HIGHLIGHT));
}

void PrepareContext(const HeaderState& state, HDC hdc) {
    if (state.font != 0) SelectObject(hdc, state.font);
    SetBkMode(hdc, TRANSPARENT);
}

}  // namespace

void PaintHeader(HeaderState& state, HDC hdc, const RECT& area) {
    const HWND hwnd = state.hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    PrepareContext(state, hdc);
    int x = 0;
    // The parent draws owner-drawn items and may change the items meanwhile: the loop reads the
    // order afresh each step and stops if the header goes away.
    for (std::size_t k = 0; k < state.order.size(); ++k) {
        const int index = state.order[k];
        const RECT rect{x, 0, x + state.items[std::size_t(index)].width, client.bottom};
        x = rect.right;
        RECT visible;
        if (!IntersectRect(&visible, &rect, &area)) continue;
        DrawItem(state, hdc, index, rect, LookOf(state, index));
        if (StateOf(hwnd) != &state) return;
    }
    if (x < client.right) DrawFiller(state, hdc, RECT{x, 0, client.right, client.bottom});
    DrawDragFeedback(state, hdc, client.right, client.bottom);
}

HIMAGELIST CreateDragImage(HeaderState& state, int index) {
    if (!IsItem(state, index)) return 0;
    const int width = state.items[std::size_t(index)].width;
    const int height = ClientHeight(state);
    if (width <= 0 || height <= 0) return 0;
    const HDC hdc = CreateCompatibleDC(0);
    const HBITMAP bitmap = CreateCompatibleBitmap(hdc, width, height);
    const HGDIOBJ previous = SelectObject(hdc, bitmap);
    PrepareContext(state, hdc);
    DrawItem(state, hdc, index, RECT{0, 0, width, height}, ItemLook{});
    const HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32, 1, 0);
    ImageList_Add(list, GetBitmapSurface(bitmap));
    SelectObject(hdc, previous);
    DeleteObject(bitmap);
    DeleteDC(hdc);
    return list;
}

}  // namespace vexa::sys::header_detail
