// A window with both scroll bars on the headless display, recording its messages and, when
// asked, scrolling as a typical program does; and where its bars' parts are.
#pragma once

#include <vector>

#include "vexa/system/controls/FlatScrollBars.h"
#include "vexa/system/controls/WindowScrollBars.h"
#include "vexa/system/paint/ThemeService.h"
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {

// Test windows: both bars of the default thickness, both tracks kTrack pixels long.
constexpr int kLeft = 100, kTop = 100, kThick = 17, kTrack = 200;
constexpr int kClient = kTrack + 2 * kThick;  // client width and height
constexpr int kSide = kClient + kThick;       // window width and height

// Lines by one, pages by the page, the thumb to where it is dragged.
inline LRESULT ScrollLikeAProgram(HWND hwnd, int bar, WPARAM wParam) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, bar, &si);
    const int code = LOWORD(wParam), steps[] = {-1, 1, -int(si.nPage), int(si.nPage)};
    if (code == SB_THUMBTRACK) SetScrollPos(hwnd, bar, si.nTrackPos, true);
    if (code <= SB_PAGEDOWN) SetScrollPos(hwnd, bar, si.nPos + steps[code], true);
    return 0;
}

// The screen point `along` pixels from the start of a bar, `across` into its thickness.
inline POINT OnBar(int bar, int along, int across = kThick / 2) {
    if (bar == SB_VERT) return POINT{kLeft + kClient + across, kTop + along};
    return POINT{kLeft + along, kTop + kClient + across};
}

inline COLORREF BarPixel(int bar, int along, int across = kThick / 2) {
    const POINT p = OnBar(bar, along, across);
    return HeadlessDisplay::Instance().ScreenPixel(p.x, p.y);
}

class ScrollBarTest : public WindowTest {
  protected:
    void TearDown() override {
        SetThemeActive(true);
        SetSystemMetric(SM_CXVSCROLL, kThick);
        SetSystemMetric(SM_CYHSCROLL, kThick);
        SetFlatScrollBarsAvailableForTesting(true);
        WindowTest::TearDown();
    }

    HWND BarWindow(int maxPos = 99, UINT page = 50) {
        HWND hwnd =
            TopLevel(kLeft, kTop, kSide, kSide, WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL);
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMax = maxPos;
        si.nPage = page;
        SetScrollInfo(hwnd, SB_HORZ, &si, true);
        SetScrollInfo(hwnd, SB_VERT, &si, true);
        return hwnd;
    }

    static void ScrollOnNotifications() {
        for (int bar : {SB_HORZ, SB_VERT}) {
            Log().handlers[bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL] =
                [bar](HWND h, WPARAM w, LPARAM) { return ScrollLikeAProgram(h, bar, w); };
        }
    }

    // Presses the left button at a screen point; with heldMs, holds it that long and releases.
    static void Press(POINT p, int heldMs = -1) {
        display().MouseMove(p.x, p.y);
        display().MouseDown();
        if (heldMs < 0) return;
        display().AdvanceClock(heldMs);
        display().MouseUp();
    }

    // The notification codes (low words) the window got for one bar, in order.
    static std::vector<int> Codes(int bar) {
        std::vector<int> codes;
        for (const Received& r : Log().Of(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL)) {
            codes.push_back(LOWORD(r.wParam));
        }
        return codes;
    }
};

}  // namespace vexa::sys::testing
