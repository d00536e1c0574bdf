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
// The combo box ("COMBOBOX") in its drop-down list kind, with its popup list ("ComboLBox").

// Styles. The low two bits hold the kind; the drop-down list is the kind provided.
constexpr UINT CBS_DROPDOWNLIST = 0x0003;
constexpr UINT CBS_OWNERDRAWFIXED = 0x0010;
constexpr UINT CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr UINT CBS_HASSTRINGS = 0x0200;

// Messages.
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr UINT CB_GETTOPINDEX = 0x015B;
constexpr UINT CB_SETTOPINDEX = 0x015C;
constexpr UINT CB_GETDROPPEDWIDTH = 0x015F;
constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;
constexpr UINT CB_GETCOMBOBOXINFO = 0x0164;

// Results.
constexpr LRESULT CB_OKAY = 0;
constexpr LRESULT CB_ERR = -1;
constexpr LRESULT CB_ERRSPACE = -2;

// Notification codes, in the high word of the WM_COMMAND wParam sent to the parent.
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_SETFOCUS = 3;
constexpr UINT CBN_KILLFOCUS = 4;
constexpr UINT CBN_DROPDOWN = 7;
constexpr UINT CBN_CLOSEUP = 8;
constexpr UINT CBN_SELENDOK = 9;
constexpr UINT CBN_SELENDCANCEL = 10;

// GetComboBoxInfo / CB_GETCOMBOBOXINFO. For the drop-down list kind hwndItem is the combo box
// itself (there is no edit window). stateButton is 8 (pressed) while the list is dropped.
struct COMBOBOXINFO {
    DWORD cbSize = sizeof(COMBOBOXINFO);
    RECT rcItem;    // the selection field, client coordinates of the combo box
    RECT rcButton;  // the drop-down button, client coordinates of the combo box
    DWORD stateButton = 0;
    HWND hwndCombo = 0;
    HWND hwndItem = 0;
    HWND hwndList = 0;
};

}  // namespace vexa::sys
