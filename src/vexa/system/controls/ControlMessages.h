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
// The window class "SysHeader32" (HeaderControl.h). Text is UTF-8 throughout: HDM_INSERTITEM
// and HDM_SETITEM read pszText as a NUL-terminated string; HDM_GETITEM copies the item's text
// into the caller's buffer pszText of cchTextMax bytes, cut at a whole character and always
// NUL-terminated. The message and notification numbers are those of the ANSI variants.

constexpr UINT HDM_FIRST = 0x1200;
constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
constexpr UINT HDM_INSERTITEM = HDM_FIRST + 1;     // wParam index, lParam HDITEM*; new index or -1
constexpr UINT HDM_DELETEITEM = HDM_FIRST + 2;     // wParam index
constexpr UINT HDM_GETITEM = HDM_FIRST + 3;        // wParam index, lParam HDITEM*
constexpr UINT HDM_SETITEM = HDM_FIRST + 4;        // wParam index, lParam HDITEM*
constexpr UINT HDM_LAYOUT = HDM_FIRST + 5;         // lParam HDLAYOUT*
constexpr UINT HDM_HITTEST = HDM_FIRST + 6;        // lParam HDHITTESTINFO*; the item or -1
constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;    // wParam index, lParam RECT*
constexpr UINT HDM_SETIMAGELIST = HDM_FIRST + 8;   // wParam HDSIL_*, lParam HIMAGELIST
constexpr UINT HDM_GETIMAGELIST = HDM_FIRST + 9;   // wParam HDSIL_*
constexpr UINT HDM_ORDERTOINDEX = HDM_FIRST + 15;  // wParam order; an invalid order comes back
constexpr UINT HDM_CREATEDRAGIMAGE = HDM_FIRST + 16;  // wParam index; an HIMAGELIST to destroy
constexpr UINT HDM_GETORDERARRAY = HDM_FIRST + 17;    // wParam count, lParam int[count]
constexpr UINT HDM_SETORDERARRAY = HDM_FIRST + 18;    // wParam count, lParam const int[count]
// wParam true: lParam is a client point and the divider nearest it is lit; false: lParam is
// the divider (0 = left of the first item in order, count = right of the last, -1 = none).
constexpr UINT HDM_SETHOTDIVIDER = HDM_FIRST + 19;

// Styles.
constexpr UINT HDS_HORZ = 0x0000;
constexpr UINT HDS_BUTTONS = 0x0002;
constexpr UINT HDS_HOTTRACK = 0x0004;
constexpr UINT HDS_HIDDEN = 0x0008;
constexpr UINT HDS_DRAGDROP = 0x0040;
constexpr UINT HDS_FULLDRAG = 0x0080;
constexpr UINT HDS_FLAT = 0x0200;

// HDITEM::mask.
constexpr UINT HDI_WIDTH = 0x0001;
constexpr UINT HDI_HEIGHT = HDI_WIDTH;
constexpr UINT HDI_TEXT = 0x0002;
constexpr UINT HDI_FORMAT = 0x0004;
constexpr UINT HDI_LPARAM = 0x0008;
constexpr UINT HDI_BITMAP = 0x0010;
constexpr UINT HDI_IMAGE = 0x0020;
constexpr UINT HDI_ORDER = 0x0080;

// HDITEM::fmt.
constexpr int HDF_LEFT = 0x0000;
constexpr int HDF_RIGHT = 0x0001;
constexpr int HDF_CENTER = 0x0002;
constexpr int HDF_JUSTIFYMASK = 0x0003;
constexpr int HDF_RTLREADING = 0x0004;
constexpr int HDF_SORTDOWN = 0x0200;
constexpr int HDF_SORTUP = 0x0400;
constexpr int HDF_IMAGE = 0x0800;
constexpr int HDF_BITMAP_ON_RIGHT = 0x1000;
constexpr int HDF_BITMAP = 0x2000;
constexpr int HDF_STRING = 0x4000;
constexpr int HDF_OWNERDRAW = 0x8000;

// HDHITTESTINFO::flags.
constexpr UINT HHT_NOWHERE = 0x0001;
constexpr UINT HHT_ONHEADER = 0x0002;
constexpr UINT HHT_ONDIVIDER = 0x0004;
constexpr UINT HHT_ONDIVOPEN = 0x0008;
constexpr UINT HHT_ABOVE = 0x0100;
constexpr UINT HHT_BELOW = 0x0200;
constexpr UINT HHT_TORIGHT = 0x0400;
constexpr UINT HHT_TOLEFT = 0x0800;

// HDM_SETIMAGELIST / HDM_GETIMAGELIST wParam.
constexpr WPARAM HDSIL_NORMAL = 0;
constexpr WPARAM HDSIL_STATE = 1;

// Notification codes (NMHDR::code). The HDN_ ones carry an NMHEADER.
constexpr UINT NM_RCLICK = UINT(-5);
constexpr UINT NM_RELEASEDCAPTURE = UINT(-16);
constexpr UINT HDN_FIRST = UINT(-300);
constexpr UINT HDN_ITEMCHANGING = HDN_FIRST - 0;  // non-zero answer: the change is refused
constexpr UINT HDN_ITEMCHANGED = HDN_FIRST - 1;
constexpr UINT HDN_ITEMCLICK = HDN_FIRST - 2;
constexpr UINT HDN_ITEMDBLCLICK = HDN_FIRST - 3;
constexpr UINT HDN_DIVIDERDBLCLICK = HDN_FIRST - 5;
constexpr UINT HDN_BEGINTRACK = HDN_FIRST - 6;  // non-zero answer: no tracking
constexpr UINT HDN_ENDTRACK = HDN_FIRST - 7;
constexpr UINT HDN_TRACK = HDN_FIRST - 8;       // non-zero answer: tracking ends, as cancelled
constexpr UINT HDN_BEGINDRAG = HDN_FIRST - 10;  // non-zero answer: the header does not drag
constexpr UINT HDN_ENDDRAG = HDN_FIRST - 11;    // non-zero answer: the order stays

struct HDITEM {
    UINT mask = 0;            // HDI_* bits: which of the fields below are used
    int cxy = 0;              // width in pixels
    char* pszText = nullptr;  // UTF-8 (see the section comment)
    std::uintptr_t hbm = 0;   // HBITMAP drawn with HDF_BITMAP; stays the caller's
    int cchTextMax = 0;       // size of the pszText buffer in bytes, for HDM_GETITEM
    int fmt = 0;              // HDF_* bits
    LPARAM lParam = 0;        // the application's value
    int iImage = 0;           // image-list index drawn with HDF_IMAGE
    int iOrder = 0;           // position from the left, 0-based
};

// HDM_LAYOUT: prc is the rectangle the header may take; the header fills pwpos with where it
// goes (at prc's top-left, prc's width, the height it wants; 0 high with HDS_HIDDEN) and moves
// prc's top below itself.
struct HDLAYOUT {
    RECT* prc = nullptr;
    WINDOWPOS* pwpos = nullptr;
};

struct HDHITTESTINFO {
    POINT pt;        // client coordinates
    UINT flags = 0;  // HHT_* bits
    int iItem = -1;  // the item hit, -1 when none
};

struct NMHEADER {
    NMHDR hdr;
    int iItem = -1;           // item index
    int iButton = 0;          // 0 left, 1 right, 2 middle
    HDITEM* pitem = nullptr;  // the item's fields concerned, or null
};

// ---- Edit control --------------------------------------------------------------------------
// The window class is "EDIT" (RegisterEditControl in EditControl.h). Positions, selection
// ends, line indexes and lengths count characters (Unicode code points); the two messages that
// size a caller's buffer, WM_GETTEXTLENGTH and WM_GETTEXT (and EM_GETLINE), count UTF-8 bytes
// as every window of the window system does, and never copy part of a character.
constexpr const char* kEditClassName = "EDIT";

// Edit styles (the low 16 bits of the window style).
constexpr UINT ES_LEFT = 0x0000;
constexpr UINT ES_CENTER = 0x0001;
constexpr UINT ES_RIGHT = 0x0002;
constexpr UINT ES_MULTILINE = 0x0004;
constexpr UINT ES_UPPERCASE = 0x0008;
constexpr UINT ES_LOWERCASE = 0x0010;
constexpr UINT ES_PASSWORD = 0x0020;
constexpr UINT ES_AUTOVSCROLL = 0x0040;
constexpr UINT ES_AUTOHSCROLL = 0x0080;
constexpr UINT ES_NOHIDESEL = 0x0100;
constexpr UINT ES_OEMCONVERT = 0x0400;
constexpr UINT ES_READONLY = 0x0800;
constexpr UINT ES_WANTRETURN = 0x1000;
constexpr UINT ES_NUMBER = 0x2000;

// Notification codes (HIWORD of the WM_COMMAND wParam sent to the parent).
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT EN_UPDATE = 0x0400;
constexpr UINT EN_ERRSPACE = 0x0500;
constexpr UINT EN_MAXTEXT = 0x0501;
constexpr UINT EN_HSCROLL = 0x0601;
constexpr UINT EN_VSCROLL = 0x0602;

// Messages.
constexpr UINT EM_GETSEL = 0x00B0;     // wParam/lParam: DWORD* start/end or 0; MAKELONG(start, end)
constexpr UINT EM_SETSEL = 0x00B1;     // start (-1: deselect), end (-1: end of text)
constexpr UINT EM_GETRECT = 0x00B2;    // lParam: RECT*, the formatting rectangle
constexpr UINT EM_SETRECT = 0x00B3;    // lParam: RECT* (nullptr: the default)
constexpr UINT EM_SETRECTNP = 0x00B4;  // as EM_SETRECT, without repainting
constexpr UINT EM_SCROLL = 0x00B5;     // wParam: SB_LINEUP .. SB_PAGEDOWN
constexpr UINT EM_LINESCROLL = 0x00B6;  // wParam: characters across, lParam: lines down
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;  // line (-1: the caret's); first character
// A character of the line; -1: the unselected characters of the lines the selection touches.
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;  // wParam: can undo, lParam: const char*
constexpr UINT EM_GETLINE = 0x00C4;     // first WORD of the buffer: its size in bytes
constexpr UINT EM_LIMITTEXT = 0x00C5;   // 0: the largest limit
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;     // character (-1: the selection start's line)
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;  // 0 shows the text as it is
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
constexpr UINT EM_SETMARGINS = 0x00D3;  // wParam: EC_ bits, lParam: MAKELONG(left, right)
constexpr UINT EM_GETMARGINS = 0x00D4;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EM_POSFROMCHAR = 0x00D6;  // MAKELONG(x, y) of a character; -1 from the end on
constexpr UINT EM_CHARFROMPOS = 0x00D7;  // lParam: client point; MAKELONG(char, line)

// EM_SETMARGINS wParam.
constexpr WPARAM EC_LEFTMARGIN = 0x0001;
constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
constexpr WPARAM EC_USEFONTINFO = 0xFFFF;

// The limit of a new edit control, and EM_LIMITTEXT 0 for single-line and multi-line ones.
constexpr std::uint32_t kEditDefaultLimit = 32767;
constexpr std::uint32_t kEditMaxSingleLineLimit = 0x7FFFFFFE;
constexpr std::uint32_t kEditMaxMultiLineLimit = 0xFFFFFFFF;

// A dialog-like parent answers DM_GETDEFID with MAKELONG(id, DC_HASDEFID) when it has a
// default button; a multi-line edit without ES_WANTRETURN then leaves Enter to it and sends
// it WM_COMMAND(MAKEWPARAM(id, BN_CLICKED), button) instead of breaking the line.
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr std::uint16_t DC_HASDEFID = 0x534B;
constexpr UINT BN_CLICKED = 0;

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
