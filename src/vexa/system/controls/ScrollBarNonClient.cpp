#include "vexa/system/controls/ScrollBarNonClient.h"

#include "vexa/system/controls/ScrollBarPainter.h"
#include "vexa/system/controls/ScrollBarState.h"
#include "vexa/system/controls/ScrollBarTracking.h"

namespace vexa::sys::scrollbar_detail {

namespace {

bool HasBars(HWND hwnd) {
    return BarShown(hwnd, SB_HORZ) || BarShown(hwnd, SB_VERT);
}

// The window and its descendants that show bars take the new thickness: their frames are
// computed again, which gives them a new client area and WM_SIZE.
void RecomputeFramesWithBars(HWND hwnd) {
    if (HasBars(hwnd)) {
        SetWindowPos(hwnd, 0, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (HWND child : GetChildWindows(hwnd)) {
        if (IsWindow(child)) RecomputeFramesWithBars(child);
    }
}

void OnNcPaint(HWND hwnd) {
    PaintScrollBars(hwnd);
}

bool OnNcLButtonDown(HWND hwnd, WPARAM hit, LPARAM screenPoint, LRESULT* result) {
    if (LRESULT(hit) != HTHSCROLL && LRESULT(hit) != HTVSCROLL) return false;
    const int bar = LRESULT(hit) == HTVSCROLL ? SB_VERT : SB_HORZ;
    BeginScrollBarTracking(hwnd, bar, POINT{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)});
    *result = 0;
    return true;
}

void OnNcDestroy(HWND hwnd) {
    AbandonScrollBarTracking(hwnd);
    ForgetScrollBars(hwnd);
}

void OnCancelMode(HWND hwnd) {
    CancelScrollBarTracking(hwnd);
}

void OnThemeChanged(HWND hwnd) {
    PaintScrollBars(hwnd);
}

void OnSettingChange(HWND hwnd, WPARAM setting) {
    if (setting == SPI_SETNONCLIENTMETRICS) RecomputeFramesWithBars(hwnd);
}

}  // namespace

bool ScrollBarNonClientHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
        case WM_NCPAINT:
            OnNcPaint(hwnd);
            return false;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            return OnNcLButtonDown(hwnd, wParam, lParam, result);
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONUP:
            *result = 0;
            return ContinueScrollBarTracking(hwnd, msg);
        case WM_NCDESTROY:
            OnNcDestroy(hwnd);
            return false;
        case WM_CANCELMODE:
            OnCancelMode(hwnd);
            return false;
        case WM_THEMECHANGED:
            OnThemeChanged(hwnd);
            return false;
        case WM_SETTINGCHANGE:
            OnSettingChange(hwnd, wParam);
            return false;
        default:
            return false;
    }
}

}  // namespace vexa::sys::scrollbar_detail
