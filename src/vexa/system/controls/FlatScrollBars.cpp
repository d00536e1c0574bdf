#include "vexa/system/controls/FlatScrollBars.h"

#include "vexa/system/controls/ScrollBarPainter.h"
#include "vexa/system/controls/ScrollBarState.h"
#include "vexa/system/controls/ScrollBarTracking.h"
#include "vexa/system/controls/WindowScrollBars.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

using namespace scrollbar_detail;

namespace {

constexpr HRESULT kNotInitialized = 1;  // S_FALSE

bool& ServiceAvailable() {
    static bool available = true;
    return available;
}

WindowScrollBarsState* InitializedBars(HWND hwnd) {
    WindowScrollBarsState* bars = FindScrollBars(hwnd);
    return bars != nullptr && bars->flatInitialized && IsWindow(hwnd) ? bars : nullptr;
}

bool IsKnownStyle(std::intptr_t style) {
    return style == FSB_REGULAR_MODE || style == FSB_ENCARTA_MODE || style == FSB_FLAT_MODE;
}

}  // namespace

BOOL InitializeFlatSB(HWND hwnd) {
    RegisterWindowScrollBars();
    if (!ServiceAvailable()) return 0;
    WindowScrollBarsState* bars = ScrollBarsOf(hwnd);
    if (bars == nullptr) return 0;
    bars->flatInitialized = true;
    return 1;
}

HRESULT UninitializeFlatSB(HWND hwnd) {
    RegisterWindowScrollBars();
    WindowScrollBarsState* bars = InitializedBars(hwnd);
    if (bars == nullptr) return kNotInitialized;
    if (IsTrackingScrollBar(hwnd)) return E_FAIL;
    bars->flatInitialized = false;
    bars->horizontal.flatStyle = FSB_REGULAR_MODE;
    bars->vertical.flatStyle = FSB_REGULAR_MODE;
    PaintScrollBars(hwnd);
    return S_OK;
}

bool FlatSB_ShowScrollBar(HWND hwnd, int bar, bool show) {
    return ShowScrollBar(hwnd, bar, show);
}

bool FlatSB_EnableScrollBar(HWND hwnd, UINT bars, UINT arrows) {
    return EnableScrollBar(hwnd, bars, arrows);
}

int FlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw) {
    return SetScrollInfo(hwnd, bar, info, redraw);
}

bool FlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    return GetScrollInfo(hwnd, bar, info);
}

int FlatSB_SetScrollPos(HWND hwnd, int bar, int pos, bool redraw) {
    return SetScrollPos(hwnd, bar, pos, redraw);
}

int FlatSB_GetScrollPos(HWND hwnd, int bar) {
    return GetScrollPos(hwnd, bar);
}

bool FlatSB_SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw) {
    return SetScrollRange(hwnd, bar, minPos, maxPos, redraw);
}

bool FlatSB_GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    return GetScrollRange(hwnd, bar, minPos, maxPos);
}

bool FlatSB_SetScrollProp(HWND hwnd, UINT index, std::intptr_t value, bool redraw) {
    RegisterWindowScrollBars();
    WindowScrollBarsState* bars = InitializedBars(hwnd);
    if (bars == nullptr || !IsKnownStyle(value)) return false;
    if (index != WSB_PROP_VSTYLE && index != WSB_PROP_HSTYLE) return false;
    ScrollBarState& state = index == WSB_PROP_VSTYLE ? bars->vertical : bars->horizontal;
    if (state.flatStyle == int(value)) return true;
    state.flatStyle = int(value);
    if (redraw) PaintScrollBar(hwnd, index == WSB_PROP_VSTYLE ? SB_VERT : SB_HORZ);
    return true;
}

bool FlatSB_GetScrollProp(HWND hwnd, UINT index, int* value) {
    RegisterWindowScrollBars();
    const WindowScrollBarsState* bars = InitializedBars(hwnd);
    if (bars == nullptr || value == nullptr) return false;
    switch (index) {
        case WSB_PROP_VSTYLE:
            *value = bars->vertical.flatStyle;
            return true;
        case WSB_PROP_HSTYLE:
            *value = bars->horizontal.flatStyle;
            return true;
        case WSB_PROP_WINSTYLE:
            *value = int(GetWindowLongPtr(hwnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
            return true;
        default:
            return false;
    }
}

void SetFlatScrollBarsAvailableForTesting(bool available) {
    ServiceAvailable() = available;
}

}  // namespace vexa::sys
