// The size an item needs for its icon, sort information and title, and the header height
// that fits every item.
#include <algorithm>

#include "vexa/header/HeaderControl.h"
#include "vexa/model/GridStore.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int32_t kStartWidth = 12;
constexpr std::int32_t kIconExtraWidth = 14;
constexpr std::int32_t kSortIconHeight = 16;
constexpr std::int32_t kVerticalPadding = 6;
constexpr std::int32_t kWidthStep = 16;

sys::SIZE Measure(sys::HDC dc, std::string_view text, std::int32_t width, std::uint32_t flags) {
    sys::RECT rect{0, 0, width, 0};
    sys::DrawText(dc, text, -1, &rect, flags | sys::DT_CALCRECT);
    return sys::SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// A title that wraps gets the narrowest width (in steps) at which it is no taller than
// `maxHeight`; it never needs more than its one-line width.
sys::SIZE NarrowestWrap(sys::HDC dc, std::string_view text, std::uint32_t flags,
                        std::int32_t maxHeight) {
    const std::int32_t oneLine = Measure(dc, text, 1, flags & ~sys::DT_WORDBREAK).cx;
    std::int32_t width = 1;
    sys::SIZE size = Measure(dc, text, width, flags);
    while (size.cy > maxHeight && width < oneLine) {
        width += kWidthStep;
        size = Measure(dc, text, width, flags);
    }
    return size;
}

}  // namespace

sys::SIZE cHeaderControl::CalcItemAutoSize(std::int32_t index, std::int32_t availableWidth,
                                           bool limited) {
    sys::SIZE size{kStartWidth, 0};
    const ColumnRecord* column = ColumnOfItem(index);
    if (column == nullptr) return sys::SIZE{size.cx, kVerticalPadding};
    const sys::HDC dc = sys::GetDC(hwnd_);
    if (column->headerIcon >= 0 && images_ != 0)
        size = sys::SIZE{iconWidth_ + kIconExtraWidth, iconHeight_};
    const bool sortShown = column->sortKey > 0 && (look_.sortInfoStyle == vxSortInfoOnlyIcons ||
                                                   look_.sortInfoStyle == vxSortInfoNumIcons);
    if (sortShown) {
        size.cx += kSortIconWidth;
        size.cy = std::max(size.cy, kSortIconHeight);
        const std::string number = SortNumberOf(*column);
        if (!number.empty()) {
            const sys::HGDIOBJ previous = sys::SelectObject(dc, sortInfoFont_);
            const sys::SIZE measured = Measure(dc, number, 1, sys::DT_SINGLELINE);
            sys::SelectObject(dc, previous);
            size.cx += measured.cx;
            size.cy = std::max(size.cy, measured.cy);
        }
    }
    if (!column->headerText.empty()) {
        const std::uint32_t flags =
            std::uint32_t(column->headerTextFlags) & ~sys::DT_SHORTENING_BITS;
        const std::int32_t gap = sortShown ? kSortInfoGap : 0;
        const sys::HGDIOBJ previous = titleFont_ != 0 ? sys::SelectObject(dc, titleFont_) : 0;
        sys::SIZE text;
        if (limited) {
            text =
                Measure(dc, column->headerText, std::max(availableWidth - size.cx - gap, 1), flags);
        } else if ((flags & sys::DT_WORDBREAK) &&
                   column->headerText.find("\r\n") == std::string::npos) {
            const std::int32_t lineHeight = Measure(dc, "A", 1, sys::DT_SINGLELINE).cy;
            text = NarrowestWrap(dc, column->headerText, flags,
                                 std::max(lineHeight, Height() - kVerticalPadding));
        } else {
            text = Measure(dc, column->headerText, 1, flags);
        }
        if (previous != 0) sys::SelectObject(dc, previous);
        size.cx += text.cx + gap;
        size.cy = std::max(size.cy, text.cy);
    }
    sys::ReleaseDC(hwnd_, dc);
    size.cy += kVerticalPadding;
    return size;
}

void cHeaderControl::AutoHeight() {
    std::int32_t height = minHeight_;
    const std::int32_t count = ItemCount();
    for (std::int32_t index = 0; index < count; ++index) {
        height = std::max(height, CalcItemAutoSize(index, ItemWidth(index), true).cy);
    }
    SetHeight(height);
}

}  // namespace vexa
