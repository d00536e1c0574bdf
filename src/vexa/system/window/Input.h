// The entry points of user input. A display backend turns its native events into these
// calls; the headless display's injection helpers use them too, so both take the same path:
// hit testing, capture, cursor confinement, double-click detection, key state, then a message
// posted to the queue for the message loop to dispatch.
#pragma once

#include <string>

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// Moves the cursor to a screen point (kept inside the ClipCursor rectangle) and posts
// WM_MOUSEMOVE (or WM_NCMOUSEMOVE) to the window under it or to the capture window.
void InjectMouseMove(POINT screenPoint);
// button is VK_LBUTTON, VK_RBUTTON or VK_MBUTTON. A press within GetDoubleClickTime and
// SM_CXDOUBLECLK x SM_CYDOUBLECLK of the previous press of the same button on the same window
// becomes a WM_xBUTTONDBLCLK in the client area of a CS_DBLCLKS window, and a
// WM_NCxBUTTONDBLCLK in the non-client area of any window.
void InjectMouseButton(int button, bool down);
// WM_MOUSEWHEEL (or WM_MOUSEHWHEEL) to the focus window; delta in WHEEL_DELTA units.
void InjectMouseWheel(int delta, bool horizontal = false);
// WM_KEYDOWN/WM_KEYUP (WM_SYSKEY* with Alt or for F10) to the focus window; with no focus
// window, WM_SYSKEYDOWN/WM_SYSKEYUP to the active window. The key state read by GetKeyState
// follows.
void InjectKey(int virtualKey, bool down);
// A key press of a keyboard whose layout and input method the display knows, with what it
// typed there (nothing for a dead key or a key the input method kept): the message of
// InjectKey, which TranslateMessage turns into those characters instead of the ones the
// built-in US layout would give.
void InjectKeyTyping(int virtualKey, std::u32string typed);
// Sets a key's state without any message: for a key pressed or released while another
// program had the keyboard, found out when the keyboard comes back.
void SyncKeyState(int virtualKey, bool down);
// A character with no key of its own (WM_CHAR with the Unicode code point).
void InjectCharacter(char32_t codePoint);

}  // namespace vexa::sys
