// Message numbers, notification codes, style bits and structures of the standard controls,
// with the values of the classic desktop platform, so that code written against those
// controls carries over. One section per control; the window system's own messages are in
// "vexa/system/window/Messages.h".
#pragma once

#include <cstdint>

#include "vexa/system/window/Messages.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// WM_NOTIFY payloads start with NMHDR (WindowTypes.h).

// ---- Window scroll bars ----------------------------------------------------------------------
// The bars a window gets with WS_HSCROLL / WS_VSCROLL (bar ids SB_HORZ, SB_VERT, SB_BOTH and
// the notification codes are in Messages.h), and the flat scroll-bar service over them.

// SCROLLINFO.fMask: which members a call reads or fills.
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
// Disables a bar that its new range makes unnecessary instead of hiding it.
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize = 28;  // sizeof(SCROLLINFO); 24 (without nTrackPos) is accepted too
    UINT fMask = 0;
    std::int32_t nMin = 0;
    std::int32_t nMax = 0;
    UINT nPage = 0;
    std::int32_t nPos = 0;
    std::int32_t nTrackPos = 0;  // where the thumb is while the user drags it
};
static_assert(sizeof(SCROLLINFO) == 28);

// EnableScrollBar: which arrows to disable.
constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_LEFT = 0x0001;
constexpr UINT ESB_DISABLE_UP = 0x0001;
constexpr UINT ESB_DISABLE_LTUP = 0x0001;
constexpr UINT ESB_DISABLE_RIGHT = 0x0002;
constexpr UINT ESB_DISABLE_DOWN = 0x0002;
constexpr UINT ESB_DISABLE_RTDN = 0x0002;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;

// Flat scroll-bar properties (FlatSB_SetScrollProp / FlatSB_GetScrollProp).
constexpr UINT WSB_PROP_CYVSCROLL = 0x0001;
constexpr UINT WSB_PROP_CXHSCROLL = 0x0002;
constexpr UINT WSB_PROP_CYHSCROLL = 0x0004;
constexpr UINT WSB_PROP_CXVSCROLL = 0x0008;
constexpr UINT WSB_PROP_CXHTHUMB = 0x0010;
constexpr UINT WSB_PROP_CYVTHUMB = 0x0020;
constexpr UINT WSB_PROP_VBKGCOLOR = 0x0040;
constexpr UINT WSB_PROP_HBKGCOLOR = 0x0080;
constexpr UINT WSB_PROP_VSTYLE = 0x0100;
constexpr UINT WSB_PROP_HSTYLE = 0x0200;
constexpr UINT WSB_PROP_WINSTYLE = 0x0400;
constexpr UINT WSB_PROP_PALETTE = 0x0800;
constexpr UINT WSB_PROP_MASK = 0x0FFF;

// Values of WSB_PROP_VSTYLE / WSB_PROP_HSTYLE.
constexpr int FSB_REGULAR_MODE = 0;
constexpr int FSB_ENCARTA_MODE = 1;
constexpr int FSB_FLAT_MODE = 2;

// ---- Header control ------------------------------------------------------------------------
// (header section)

// ---- Edit control --------------------------------------------------------------------------
// (edit section)

// ---- Drop-down list ------------------------------------------------------------------------
// (drop-down list section)

}  // namespace vexa::sys
