// Where the header's items are: their rectangles in display order, what a point is over
// (an item, a divider, the divider that reveals a hidden item), where a dragged item would
// drop, and how high the header wants to be.
#include <algorithm>

#include "vexa/system/controls/HeaderState.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::header_detail {

namespace {

// How far either side of a divider the pointer grabs it.
constexpr int kDividerGrip = 4;
// Space above and below the text line.
constexpr int kTextPaddingY = 4;

struct Slot {
    int index;
    int left;
    int right;
};

std::vector<Slot> SlotsInOrder(const HeaderState& state) {
    std::vector<Slot> slots;
    slots.reserve(state.order.size());
    int x = 0;
    for (int index : state.order) {
        const int width = state.items[std::size_t(index)].width;
        slots.push_back(Slot{index, x, x + width});
        x += width;
    }
    return slots;
}

HDHITTESTINFO Hit(UINT flags, int item) {
    HDHITTESTINFO hit;
    hit.flags = flags;
    hit.iItem = item;
    return hit;
}

// The point lies right of the divider ending slot k - 1 (or at the very left, k = 0): when
// the items just before k are hidden (zero wide), the divider reveals the nearest of them;
// otherwise it sizes the item before it.
HDHITTESTINFO RightOfDivider(const std::vector<Slot>& slots, std::size_t k) {
    if (k > 0 && slots[k - 1].right == slots[k - 1].left)
        return Hit(HHT_ONDIVOPEN, slots[k - 1].index);
    for (std::size_t before = k; before > 0; --before)
        if (slots[before - 1].right > slots[before - 1].left)
            return Hit(HHT_ONDIVIDER, slots[before - 1].index);
    return Hit(0, -1);
}

}  // namespace

RECT ItemRect(const HeaderState& state, int index) {
    for (const Slot& slot : SlotsInOrder(state))
        if (slot.index == index) return RECT{slot.left, 0, slot.right, ClientHeight(state)};
    return RECT{};
}

int ItemsRight(const HeaderState& state) {
    int right = 0;
    for (const HeaderItem& item : state.items) right += item.width;
    return right;
}

HDHITTESTINFO HitTest(const HeaderState& state, POINT point) {
    RECT client;
    GetClientRect(state.hwnd, &client);
    UINT outside = 0;
    if (point.y < 0) outside |= HHT_ABOVE;
    if (point.y >= client.bottom) outside |= HHT_BELOW;
    if (point.x < 0) outside |= HHT_TOLEFT;
    if (point.x >= client.right) outside |= HHT_TORIGHT;
    if (outside != 0) return Hit(outside, -1);
    const std::vector<Slot> slots = SlotsInOrder(state);
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const Slot& slot = slots[k];
        if (point.x < slot.left || point.x >= slot.right) continue;
        if (point.x >= slot.right - kDividerGrip) return Hit(HHT_ONDIVIDER, slot.index);
        if (point.x < slot.left + kDividerGrip) {
            const HDHITTESTINFO divider = RightOfDivider(slots, k);
            if (divider.iItem >= 0) return divider;
        }
        return Hit(HHT_ONHEADER, slot.index);
    }
    // Right of every item: the last divider still grabs from this side.
    if (!slots.empty() && point.x < slots.back().right + kDividerGrip) {
        const HDHITTESTINFO divider = RightOfDivider(slots, slots.size());
        if (divider.iItem >= 0) return divider;
    }
    return Hit(HHT_NOWHERE, -1);
}

int ItemAt(const HeaderState& state, POINT point) {
    if (point.y < 0 || point.y >= ClientHeight(state)) return -1;
    for (const Slot& slot : SlotsInOrder(state))
        if (point.x >= slot.left && point.x < slot.right) return slot.index;
    return -1;
}

int DividerNear(const HeaderState& state, int x) {
    const std::vector<Slot> slots = SlotsInOrder(state);
    for (std::size_t k = 0; k < slots.size(); ++k)
        if (x < (slots[k].left + slots[k].right) / 2) return int(k);
    return int(slots.size());
}

int DividerX(const HeaderState& state, int divider) {
    int x = 0;
    for (int k = 0; k < divider && k < ItemCount(state); ++k)
        x += state.items[std::size_t(state.order[std::size_t(k)])].width;
    return x;
}

int WantedHeight(const HeaderState& state) {
    const HDC hdc = GetDC(state.hwnd);
    const HGDIOBJ previous = state.font != 0 ? SelectObject(hdc, state.font) : 0;
    TEXTMETRIC metrics;
    GetTextMetrics(hdc, &metrics);
    int height = metrics.tmHeight + 2 * kTextPaddingY;
    if (state.theme != 0) {
        SIZE part;
        if (GetThemePartSize(state.theme, hdc, HP_HEADERITEM, HIS_NORMAL, nullptr, TS_TRUE,
                             &part) == S_OK)
            height = std::max(height, int(part.cy));
    }
    if (previous != 0) SelectObject(hdc, previous);
    ReleaseDC(state.hwnd, hdc);
    return height;
}

}  // namespace vexa::sys::header_detail
