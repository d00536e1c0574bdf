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
// (scroll-bar section)

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
// (edit section)

// ---- Drop-down list ------------------------------------------------------------------------
// (drop-down list section)

}  // namespace vexa::sys
