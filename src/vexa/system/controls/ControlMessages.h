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
