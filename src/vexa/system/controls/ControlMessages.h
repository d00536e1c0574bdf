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
// (drop-down list section)

}  // namespace vexa::sys
