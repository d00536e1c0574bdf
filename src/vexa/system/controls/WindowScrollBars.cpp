#include "vexa/system/controls/WindowScrollBars.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "vexa/system/controls/ScrollBarNonClient.h"
#include "vexa/system/controls/ScrollBarPainter.h"
#include "vexa/system/controls/ScrollBarState.h"
#include "vexa/system/controls/ScrollBarTracking.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

using namespace scrollbar_detail;

namespace {

constexpr UINT kKnownMask = SIF_ALL | SIF_DISABLENOSCROLL;
// The size of a SCROLLINFO written before nTrackPos existed.
constexpr UINT kShortScrollInfoSize = sizeof(SCROLLINFO) - sizeof(std::int32_t);

bool ValidSize(UINT cbSize) {
    return cbSize == sizeof(SCROLLINFO) || cbSize == kShortScrollInfoSize;
}

std::int64_t LastPosition(const ScrollBarState& s) {
    return std::int64_t(s.max) - std::max<std::int64_t>(std::int64_t(s.page) - 1, 0);
}

bool HasSomethingToScroll(const ScrollBarState& s) {
    return s.min < LastPosition(s);
}

void ApplyRange(ScrollBarState& s, int minPos, int maxPos) {
    // An inverted range, or one wider than a position can count, becomes empty.
    const bool valid = minPos <= maxPos && std::int64_t(maxPos) - minPos <= INT_MAX;
    s.min = valid ? minPos : 0;
    s.max = valid ? maxPos : 0;
}

void ClampPageAndPosition(ScrollBarState& s) {
    const std::int64_t extent = std::int64_t(s.max) - s.min + 1;
    if (std::int64_t(s.page) > extent) s.page = UINT(extent);
    const std::int64_t last = std::max<std::int64_t>(LastPosition(s), s.min);
    s.pos = int(std::clamp<std::int64_t>(s.pos, s.min, last));
}

enum class Visibility { Keep, Show, Hide };

// A new range or page that leaves nothing to scroll hides the bar, or with
// SIF_DISABLENOSCROLL disables it; one with something to scroll enables it again and shows
// it. A change of the page alone never shows a bar.
Visibility FollowNeedForBar(ScrollBarState& s, UINT mask, bool rangeOrPageChanged) {
    if ((mask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) == 0) return Visibility::Keep;
    if (!HasSomethingToScroll(s)) {
        if ((mask & SIF_DISABLENOSCROLL) != 0) {
            s.disabledArrows = ESB_DISABLE_BOTH;
            return Visibility::Keep;
        }
        return rangeOrPageChanged ? Visibility::Hide : Visibility::Keep;
    }
    if ((mask & ~SIF_DISABLENOSCROLL) == SIF_PAGE) return Visibility::Keep;
    s.disabledArrows = ESB_ENABLE_BOTH;
    return rangeOrPageChanged ? Visibility::Show : Visibility::Keep;
}

bool SameLook(const ScrollBarState& a, const ScrollBarState& b) {
    return a.min == b.min && a.max == b.max && a.page == b.page && a.pos == b.pos &&
           a.disabledArrows == b.disabledArrows;
}

// SetScrollInfo's work; false when the request or the window is not valid.
bool ChangeScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw) {
    if (!ValidSize(info.cbSize) || (info.fMask & ~kKnownMask) != 0) return false;
    ScrollBarState* state = BarOf(ScrollBarsOf(hwnd), bar);
    if (state == nullptr) return false;
    const ScrollBarState before = *state;
    if ((info.fMask & SIF_PAGE) != 0) state->page = info.nPage;
    if ((info.fMask & SIF_RANGE) != 0) ApplyRange(*state, info.nMin, info.nMax);
    if ((info.fMask & SIF_POS) != 0) state->pos = info.nPos;
    ClampPageAndPosition(*state);
    const bool rangeOrPageChanged =
        before.min != state->min || before.max != state->max || before.page != state->page;
    const Visibility visibility = FollowNeedForBar(*state, info.fMask, rangeOrPageChanged);
    const bool changed = !SameLook(before, *state);
    const bool shown = BarShown(hwnd, bar);
    if (visibility == Visibility::Show && !shown) {
        ShowScrollBar(hwnd, bar, true);
    } else if (visibility == Visibility::Hide && shown) {
        ShowScrollBar(hwnd, bar, false);
    } else if (redraw && changed) {
        RepaintScrollBarIfLookChanged(hwnd, bar);
    }
    return true;
}

UINT StyleBitsOf(int bar) {
    switch (bar) {
        case SB_HORZ:
            return WS_HSCROLL;
        case SB_VERT:
            return WS_VSCROLL;
        case SB_BOTH:
            return WS_HSCROLL | WS_VSCROLL;
        default:
            return 0;
    }
}

std::vector<int> BarsNamed(UINT bars) {
    if (bars == UINT(SB_BOTH)) return {SB_HORZ, SB_VERT};
    if (bars == UINT(SB_HORZ) || bars == UINT(SB_VERT)) return {int(bars)};
    return {};
}

}  // namespace

void RegisterWindowScrollBars() {
    SetDefWindowProcHook(&ScrollBarNonClientHook);
    RegisterScrollBarTracker();
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw) {
    RegisterWindowScrollBars();
    if (info == nullptr || !ChangeScrollInfo(hwnd, bar, *info, redraw)) return 0;
    // Read again: showing or hiding the bar sent WM_SIZE, whose handler may have scrolled.
    return GetScrollPos(hwnd, bar);
}

bool GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    RegisterWindowScrollBars();
    if (info == nullptr || !ValidSize(info->cbSize) || (info->fMask & SIF_ALL) == 0) return false;
    if ((bar != SB_HORZ && bar != SB_VERT) || !IsWindow(hwnd)) return false;
    const ScrollBarState* stored = BarOf(FindScrollBars(hwnd), bar);
    if (stored == nullptr && !BarShown(hwnd, bar)) return false;
    const ScrollBarState state = stored != nullptr ? *stored : ScrollBarState{};
    if ((info->fMask & SIF_RANGE) != 0) {
        info->nMin = state.min;
        info->nMax = state.max;
    }
    if ((info->fMask & SIF_PAGE) != 0) info->nPage = state.page;
    if ((info->fMask & SIF_POS) != 0) info->nPos = state.pos;
    if ((info->fMask & SIF_TRACKPOS) != 0 && info->cbSize == sizeof(SCROLLINFO)) {
        info->nTrackPos = state.tracking ? state.trackPos : state.pos;
    }
    return true;
}

int SetScrollPos(HWND hwnd, int bar, int pos, bool redraw) {
    const int previous = GetScrollPos(hwnd, bar);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    return ChangeScrollInfo(hwnd, bar, info, redraw) ? previous : 0;
}

int GetScrollPos(HWND hwnd, int bar) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

bool SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw) {
    RegisterWindowScrollBars();
    if (std::int64_t(maxPos) - minPos > INT_MAX) return false;
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    return ChangeScrollInfo(hwnd, bar, info, redraw);
}

bool GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    if (minPos == nullptr || maxPos == nullptr) return false;
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    const bool found = GetScrollInfo(hwnd, bar, &info);
    *minPos = found ? info.nMin : 0;
    *maxPos = found ? info.nMax : 0;
    return IsWindow(hwnd);
}

bool ShowScrollBar(HWND hwnd, int bar, bool show) {
    RegisterWindowScrollBars();
    const UINT bits = StyleBitsOf(bar);
    if (bits == 0 || ScrollBarsOf(hwnd) == nullptr) return false;
    const auto style = UINT(GetWindowLongPtr(hwnd, GWL_STYLE));
    const UINT wanted = show ? (style | bits) : (style & ~bits);
    if (wanted == style) return true;
    SetWindowLongPtr(hwnd, GWL_STYLE, LPARAM(wanted));
    SetWindowPos(hwnd, 0, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool EnableScrollBar(HWND hwnd, UINT bars, UINT arrows) {
    RegisterWindowScrollBars();
    bool changed = false;
    for (int bar : BarsNamed(bars)) {
        ScrollBarState* state = BarOf(ScrollBarsOf(hwnd), bar);
        if (state == nullptr || state->disabledArrows == (arrows & ESB_DISABLE_BOTH)) continue;
        state->disabledArrows = arrows & ESB_DISABLE_BOTH;
        changed = true;
        PaintScrollBar(hwnd, bar);
    }
    return changed;
}

}  // namespace vexa::sys
