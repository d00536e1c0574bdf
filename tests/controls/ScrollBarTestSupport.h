// A window with both scroll bars on the headless display, whose procedure records every
// message and, when asked, scrolls as a typical program does; and where its bars' parts are.
#pragma once

#include <vector>

#include "vexa/system/controls/FlatScrollBars.h"
#include "vexa/system/controls/WindowScrollBars.h"
#include "vexa/system/paint/ThemeService.h"
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {

// The test windows: bars of the default thickness, both tracks kTrack pixels long.
constexpr int kLeft = 100;
constexpr int kTop = 100;
constexpr int kThick = 17;
constexpr int kTrack = 200;
constexpr int kClient = kTrack + 2 * kThick;  // client width and height
constexpr int kSide = kClient + kThick;       // window width and height

// Lines by one, pages by the page, the thumb to where it is dragged.
inline LRESULT ScrollLikeAProgram(HWND hwnd, int bar, WPARAM wParam) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, bar, &si);
    int pos = si.nPos;
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            --pos;
            break;
        case SB_LINEDOWN:
            ++pos;
            break;
        case SB_PAGEUP:
            pos -= int(si.nPage);
            break;
        case SB_PAGEDOWN:
            pos += int(si.nPage);
            break;
        case SB_THUMBTRACK:
            pos = si.nTrackPos;
            break;
        default:
            break;
    }
    SetScrollPos(hwnd, bar, pos, true);
    return 0;
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

    // A shown window with both bars, each with the range and page given.
    HWND BarWindow(int maxPos = 99, UINT page = 50, UINT style = WS_HSCROLL | WS_VSCROLL) {
        HWND hwnd = TopLevel(kLeft, kTop, kSide, kSide, WS_POPUP | WS_VISIBLE | style);
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMax = maxPos;
        si.nPage = page;
        for (int bar : {SB_HORZ, SB_VERT}) {
            if ((style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0) {
                SetScrollInfo(hwnd, bar, &si, true);
            }
        }
        PumpMessages();
        return hwnd;
    }

    static void ScrollOnNotifications() {
        Log().handlers[WM_VSCROLL] = [](HWND h, WPARAM w, LPARAM) {
            return ScrollLikeAProgram(h, SB_VERT, w);
        };
        Log().handlers[WM_HSCROLL] = [](HWND h, WPARAM w, LPARAM) {
            return ScrollLikeAProgram(h, SB_HORZ, w);
        };
    }

    // The screen point `along` pixels from the start of a bar, in the middle of its thickness.
    static POINT OnBar(int bar, int along) {
        if (bar == SB_VERT) return POINT{kLeft + kClient + kThick / 2, kTop + along};
        return POINT{kLeft + along, kTop + kClient + kThick / 2};
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
