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
/**@{*/
/// The classic integer types of messages: the message number, its two parameters and a window
/// procedure's result.
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
/**@}*/
/// A window procedure.
using WNDPROC = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

/// 0x00BBGGRR, as the classic drawing functions take colours.
using COLORREF = std::uint32_t;

/// A colour from its red, green and blue parts.
constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
/**@{*/
/// The red, green and blue parts of a colour.
constexpr std::uint8_t GetRValue(COLORREF c) {
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GetGValue(COLORREF c) {
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(COLORREF c) {
    return std::uint8_t((c >> 16) & 0xFF);
    /**@}*/
}

/// A point in pixels.
struct VEXA_API POINT {
    /**@{*/
    /// The horizontal and vertical coordinate.
    std::int32_t x = 0;
    std::int32_t y = 0;
    /**@}*/
    /// Equal when both coordinates are.
    friend bool operator==(const POINT&, const POINT&) = default;
};

/// A size in pixels.
struct VEXA_API SIZE {
    /**@{*/
    /// The width and the height.
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    /**@}*/
    /// Equal when both extents are.
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

/// Left and top are inclusive, right and bottom exclusive.
struct VEXA_API RECT {
    /**@{*/
    /// The edges in pixels.
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    /**@}*/
    /**@{*/
    /// right - left and bottom - top.
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    /**@}*/
    /// Equal when all four edges are.
    friend bool operator==(const RECT&, const RECT&) = default;
};

/**@{*/
/// The low and high 16 bits of a message parameter.
constexpr std::uint16_t LOWORD(std::uintptr_t v) {
    return std::uint16_t(v & 0xFFFF);
}
constexpr std::uint16_t HIWORD(std::uintptr_t v) {
    return std::uint16_t((v >> 16) & 0xFFFF);
    /**@}*/
}
/**@{*/
/// The signed x and y of a point packed into an lParam, as mouse messages carry it.
constexpr std::int16_t GET_X_LPARAM(LPARAM lp) {
    return std::int16_t(lp & 0xFFFF);
}
constexpr std::int16_t GET_Y_LPARAM(LPARAM lp) {
    return std::int16_t((lp >> 16) & 0xFFFF);
    /**@}*/
}
/**@{*/
/// A message parameter from a low and a high 16-bit half.
constexpr LPARAM MAKELPARAM(std::int32_t lo, std::int32_t hi) {
    return LPARAM((std::uint32_t(lo) & 0xFFFF) | ((std::uint32_t(hi) & 0xFFFF) << 16));
}
constexpr WPARAM MAKEWPARAM(std::int32_t lo, std::int32_t hi) {
    return WPARAM((std::uint32_t(lo) & 0xFFFF) | ((std::uint32_t(hi) & 0xFFFF) << 16));
    /**@}*/
}

/**@{*/
/// Class atoms, cursor and brush handles, and the classic DWORD and BOOL.
using ATOM = std::uint16_t;
using HCURSOR = std::uintptr_t;
using HBRUSH = std::uintptr_t;
using DWORD = std::uint32_t;
using BOOL = int;
/**@}*/

/// Called for timers created with a procedure; idEvent is the timer's identifier and time the
/// display clock in milliseconds when the tick was delivered.
using TIMERPROC = void (*)(HWND hwnd, UINT msg, std::uintptr_t idEvent, DWORD time);

/// A message as the queue holds it; time is the display clock, pt the cursor in screen
/// coordinates when the message was queued.
struct VEXA_API MSG {
    /**@{*/
    /// The message's window, number and parameters, the display clock and the cursor position.
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
    /**@}*/
};

/// Filled by BeginPaint. hdc is left 0 by the window system; the drawing library's device
/// context provider (SetPaintDcProvider) fills it when one is installed.
struct VEXA_API PAINTSTRUCT {
    /**@{*/
    /// The device context to draw with, whether the background still needs erasing, and the
    /// rectangle to paint in client coordinates.
    std::uintptr_t hdc = 0;
    bool fErase = false;
    RECT rcPaint;
    /**@}*/
};

/// hbrBackground follows the classic convention of a system colour index plus one
/// (COLOR_WINDOW + 1); 0 leaves erasing to the window procedure.
struct VEXA_API WNDCLASS {
    /**@{*/
    /// The class's style bits, window procedure, cursor, background and name.
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HCURSOR hCursor = 0;
    HBRUSH hbrBackground = 0;
    std::string lpszClassName;
    /**@}*/
};

/// Passed by address in the lParam of WM_NCCREATE and WM_CREATE.
struct VEXA_API CREATESTRUCT {
    /// The last argument of CreateWindowEx.
    void* lpCreateParams = nullptr;
    std::uintptr_t hMenu = 0;  ///< the child identifier
    /**@{*/
    /// The window's parent, size, position (in the parent's client coordinates), styles, title and
    /// class name, as given to CreateWindowEx.
    HWND hwndParent = 0;
    std::int32_t cy = 0;
    std::int32_t cx = 0;
    std::int32_t y = 0;
    std::int32_t x = 0;
    UINT style = 0;
    const char* lpszName = "";
    const char* lpszClass = "";
    UINT dwExStyle = 0;
    /**@}*/
};

/// A window's new place, passed by address in the lParam of WM_WINDOWPOSCHANGING and
/// WM_WINDOWPOSCHANGED.
struct VEXA_API WINDOWPOS {
    /**@{*/
    /// The window, the window it goes behind, its position and size, and the SWP_ flags.
    HWND hwnd = 0;
    HWND hwndInsertAfter = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    UINT flags = 0;
    /**@}*/
};

/// WM_NCCALCSIZE: rgrc[0] arrives as the window rectangle in parent client coordinates and
/// leaves as the client rectangle in the same coordinates.
struct VEXA_API NCCALCSIZE_PARAMS {
    /**@{*/
    /// The rectangles, and the window's new place.
    RECT rgrc[3];
    WINDOWPOS* lppos = nullptr;
    /**@}*/
};

/// The header of every WM_NOTIFY payload.
struct VEXA_API NMHDR {
    /**@{*/
    /// The sending control's window and identifier, and the notification code.
    HWND hwndFrom = 0;
    std::uintptr_t idFrom = 0;
    UINT code = 0;
    /**@}*/
};

/// WM_DRAWITEM / WM_MEASUREITEM payloads; hDC is a device context of the drawing library.
struct VEXA_API DRAWITEMSTRUCT {
    /**@{*/
    /// The control's type and identifier, the item, what to draw and the item's state, the
    /// control's window, the device context, the item's rectangle and its data.
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = 0;
    std::uintptr_t hDC = 0;
    RECT rcItem;
    std::uintptr_t itemData = 0;
    /**@}*/
};

/// Passed by address in the lParam of WM_MEASUREITEM.
struct VEXA_API MEASUREITEMSTRUCT {
    /**@{*/
    /// The control's type and identifier, the item, the size the owner fills in, and the
    /// item's data.
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
    /**@}*/
};

/// What TrackMouseEvent is asked to report.
struct VEXA_API TRACKMOUSEEVENT {
    /**@{*/
    /// The TME_ flags, the window, and the hover time in milliseconds.
    DWORD dwFlags = 0;
    HWND hwndTrack = 0;
    DWORD dwHoverTime = 0;
    /**@}*/
};

/// WM_STYLECHANGING / WM_STYLECHANGED payload (wParam GWL_STYLE or GWL_EXSTYLE).
struct VEXA_API STYLESTRUCT {
    /**@{*/
    /// The style bits before and after the change.
    UINT styleOld = 0;
    UINT styleNew = 0;
    /**@}*/
};

}  // namespace vexa::sys

VEXA_PUBLIC_END
