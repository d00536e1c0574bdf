/// \file
/// Basic value types shared by the whole platform stand-in: handles, message parameters,
/// points, rectangles and colours, laid out as the classic desktop platform has them.
#pragma once

#include <cstdint>
#include <string>

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa::sys {

/// Window handles are numbers that are never reused: a destroyed handle stays invalid.
using HWND = std::uintptr_t;
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WNDPROC = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

/// 0x00BBGGRR, as the classic drawing functions take colours.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr std::uint8_t GetRValue(COLORREF c) {
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GetGValue(COLORREF c) {
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(COLORREF c) {
    return std::uint8_t((c >> 16) & 0xFF);
}

struct VEXA_API POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct VEXA_API SIZE {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

/// Left and top are inclusive, right and bottom exclusive.
struct VEXA_API RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr std::uint16_t LOWORD(std::uintptr_t v) {
    return std::uint16_t(v & 0xFFFF);
}
constexpr std::uint16_t HIWORD(std::uintptr_t v) {
    return std::uint16_t((v >> 16) & 0xFFFF);
}
constexpr std::int16_t GET_X_LPARAM(LPARAM lp) {
    return std::int16_t(lp & 0xFFFF);
}
constexpr std::int16_t GET_Y_LPARAM(LPARAM lp) {
    return std::int16_t((lp >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(std::int32_t lo, std::int32_t hi) {
    return LPARAM((std::uint32_t(lo) & 0xFFFF) | ((std::uint32_t(hi) & 0xFFFF) << 16));
}
constexpr WPARAM MAKEWPARAM(std::int32_t lo, std::int32_t hi) {
    return WPARAM((std::uint32_t(lo) & 0xFFFF) | ((std::uint32_t(hi) & 0xFFFF) << 16));
}

using ATOM = std::uint16_t;
using HCURSOR = std::uintptr_t;
using HBRUSH = std::uintptr_t;
using DWORD = std::uint32_t;
using BOOL = int;

/// Called for timers created with a procedure; idEvent is the timer's identifier and time the
/// display clock in milliseconds when the tick was delivered.
using TIMERPROC = void (*)(HWND hwnd, UINT msg, std::uintptr_t idEvent, DWORD time);

/// A message as the queue holds it; time is the display clock, pt the cursor in screen
/// coordinates when the message was queued.
struct VEXA_API MSG {
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

/// Filled by BeginPaint. hdc is left 0 by the window system; the drawing library's device
/// context provider (SetPaintDcProvider) fills it when one is installed.
struct VEXA_API PAINTSTRUCT {
    std::uintptr_t hdc = 0;
    bool fErase = false;
    RECT rcPaint;
};

/// hbrBackground follows the classic convention of a system colour index plus one
/// (COLOR_WINDOW + 1); 0 leaves erasing to the window procedure.
struct VEXA_API WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HCURSOR hCursor = 0;
    HBRUSH hbrBackground = 0;
    std::string lpszClassName;
};

/// Passed by address in the lParam of WM_NCCREATE and WM_CREATE.
struct VEXA_API CREATESTRUCT {
    void* lpCreateParams = nullptr;
    std::uintptr_t hMenu = 0;  ///< the child identifier
    HWND hwndParent = 0;
    std::int32_t cy = 0;
    std::int32_t cx = 0;
    std::int32_t y = 0;
    std::int32_t x = 0;
    UINT style = 0;
    const char* lpszName = "";
    const char* lpszClass = "";
    UINT dwExStyle = 0;
};

struct VEXA_API WINDOWPOS {
    HWND hwnd = 0;
    HWND hwndInsertAfter = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    UINT flags = 0;
};

/// WM_NCCALCSIZE: rgrc[0] arrives as the window rectangle in parent client coordinates and
/// leaves as the client rectangle in the same coordinates.
struct VEXA_API NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

/// The header of every WM_NOTIFY payload.
struct VEXA_API NMHDR {
    HWND hwndFrom = 0;
    std::uintptr_t idFrom = 0;
    UINT code = 0;
};

/// WM_DRAWITEM / WM_MEASUREITEM payloads; hDC is a device context of the drawing library.
struct VEXA_API DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = 0;
    std::uintptr_t hDC = 0;
    RECT rcItem;
    std::uintptr_t itemData = 0;
};

struct VEXA_API MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
};

struct VEXA_API TRACKMOUSEEVENT {
    DWORD dwFlags = 0;
    HWND hwndTrack = 0;
    DWORD dwHoverTime = 0;
};

/// WM_STYLECHANGING / WM_STYLECHANGED payload (wParam GWL_STYLE or GWL_EXSTYLE).
struct VEXA_API STYLESTRUCT {
    UINT styleOld = 0;
    UINT styleNew = 0;
};

}  // namespace vexa::sys

VEXA_PUBLIC_END
