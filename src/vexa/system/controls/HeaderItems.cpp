// The header's items: what HDITEM carries in and out, and the order in which items are shown
// (the order array maps display positions to item indices).
#include <algorithm>
#include <cstring>

#include "vexa/system/controls/HeaderState.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::header_detail {

namespace {

// The longest head of text that fits in capacity - 1 bytes without splitting a character.
std::size_t WholeCharactersFitting(const std::string& text, int capacity) {
    std::size_t length = std::min(text.size(), std::size_t(std::max(capacity - 1, 0)));
    while (length > 0 && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    return length;
}

void ApplyFields(HeaderState& state, int index, const HDITEM& fields) {
    HeaderItem& item = state.items[std::size_t(index)];
    if (fields.mask & HDI_WIDTH) item.width = std::max(fields.cxy, 0);
    if (fields.mask & HDI_TEXT) item.text = fields.pszText != nullptr ? fields.pszText : "";
    if (fields.mask & HDI_FORMAT) item.format = fields.fmt;
    if (fields.mask & HDI_LPARAM) item.param = fields.lParam;
    if (fields.mask & HDI_IMAGE) item.image = fields.iImage;
    if (fields.mask & HDI_BITMAP) item.bitmap = HBITMAP(fields.hbm);
    if (fields.mask & HDI_ORDER) MoveToOrder(state, index, fields.iOrder);
}

}  // namespace

int ItemCount(const HeaderState& state) {
    return int(state.items.size());
}

bool IsItem(const HeaderState& state, int index) {
    return index >= 0 && index < ItemCount(state);
}

int InsertItem(HeaderState& state, int index, const HDITEM& item) {
    const int count = ItemCount(state);
    if (index < 0) return -1;
    index = std::min(index, count);
    // Items at or after the new index move up one; so do the references to them.
    for (int& shown : state.order)
        if (shown >= index) ++shown;
    if (state.hotItem >= index) ++state.hotItem;
    if (state.activeItem >= index) ++state.activeItem;
    state.items.insert(state.items.begin() + index, HeaderItem{});
    const int order = (item.mask & HDI_ORDER) ? std::clamp(item.iOrder, 0, count) : index;
    state.order.insert(state.order.begin() + order, index);
    HDITEM fields = item;
    fields.mask &= ~HDI_ORDER;
    ApplyFields(state, index, fields);
    InvalidateAll(state);
    return index;
}

bool DeleteItem(HeaderState& state, int index) {
    if (!IsItem(state, index)) return false;
    state.order.erase(std::find(state.order.begin(), state.order.end(), index));
    for (int& shown : state.order)
        if (shown > index) --shown;
    state.items.erase(state.items.begin() + index);
    if (state.hotItem == index) state.hotItem = -1;
    if (state.hotItem > index) --state.hotItem;
    if (state.activeItem > index) --state.activeItem;
    if (state.hotDivider > ItemCount(state)) state.hotDivider = -1;
    InvalidateAll(state);
    return true;
}

bool GetItem(const HeaderState& state, int index, HDITEM* out) {
    if (out == nullptr || !IsItem(state, index)) return false;
    const HeaderItem& item = state.items[std::size_t(index)];
    if (out->mask & HDI_WIDTH) out->cxy = item.width;
    if (out->mask & HDI_FORMAT) out->fmt = item.format;
    if (out->mask & HDI_LPARAM) out->lParam = item.param;
    if (out->mask & HDI_IMAGE) out->iImage = item.image;
    if (out->mask & HDI_BITMAP) out->hbm = item.bitmap;
    if (out->mask & HDI_ORDER) out->iOrder = OrderOf(state, index);
    if ((out->mask & HDI_TEXT) && out->pszText != nullptr && out->cchTextMax > 0) {
        const std::size_t length = WholeCharactersFitting(item.text, out->cchTextMax);
        std::memcpy(out->pszText, item.text.data(), length);
        out->pszText[length] = '\0';
    }
    return true;
}

bool SetItem(HWND hwnd, int index, const HDITEM& fields) {
    HeaderState* state = StateOf(hwnd);
    if (state == nullptr || !IsItem(*state, index)) return false;
    HDITEM change = fields;
    if (NotifyItem(hwnd, HDN_ITEMCHANGING, index, &change) != 0) return false;
    state = StateOf(hwnd);
    if (state == nullptr || !IsItem(*state, index)) return false;
    // Width and order changes move the items to the right of it: repaint the whole row.
    InvalidateAll(*state);
    ApplyFields(*state, index, fields);
    InvalidateAll(*state);
    change = fields;
    NotifyItem(hwnd, HDN_ITEMCHANGED, index, &change);
    return true;
}

int OrderOf(const HeaderState& state, int index) {
    const auto it = std::find(state.order.begin(), state.order.end(), index);
    return it == state.order.end() ? -1 : int(it - state.order.begin());
}

int IndexAtOrder(const HeaderState& state, int order) {
    if (order < 0 || order >= ItemCount(state)) return order;
    return state.order[std::size_t(order)];
}

bool SetOrderArray(HeaderState& state, int count, const int* order) {
    if (order == nullptr || count != ItemCount(state)) return false;
    std::vector<int> proposed(order, order + count);
    std::vector<int> sorted = proposed;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < count; ++i)
        if (sorted[std::size_t(i)] != i) return false;  // not a permutation of the indices
    state.order = std::move(proposed);
    InvalidateAll(state);
    return true;
}

bool GetOrderArray(const HeaderState& state, int count, int* order) {
    if (order == nullptr || count != ItemCount(state)) return false;
    std::copy(state.order.begin(), state.order.end(), order);
    return true;
}

void MoveToOrder(HeaderState& state, int index, int order) {
    const int from = OrderOf(state, index);
    if (from < 0) return;
    state.order.erase(state.order.begin() + from);
    order = std::clamp(order, 0, int(state.order.size()));
    state.order.insert(state.order.begin() + order, index);
    InvalidateAll(state);
}

HDITEM DescribeItem(const HeaderState& state, int index, UINT mask) {
    HDITEM item;
    item.mask = mask & ~HDI_TEXT;
    GetItem(state, index, &item);
    return item;
}

}  // namespace vexa::sys::header_detail
