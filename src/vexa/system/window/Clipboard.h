// The clipboard, holding text (UTF-8) for the edit controls' cut, copy and paste, and the
// primary selection, holding what the user selected last for a middle click to paste. On a
// display that shares them with other programs (X11) they are the desktop's; otherwise they
// live in the window system, so that every window of the program shares them.
#pragma once

#include <optional>
#include <string>

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// Classic-style access: open (optionally for a window), empty or set, close. Setting or
// emptying needs the clipboard open; reading does not.
bool OpenClipboard(HWND owner);
bool CloseClipboard();
bool EmptyClipboard();
bool SetClipboardText(const std::string& utf8);
std::optional<std::string> GetClipboardText();
bool IsClipboardTextAvailable();

// The primary selection: a program offers the text the user has just selected (no opening
// needed) and reads whatever text any program offers, for a middle-click paste.
bool SetPrimarySelectionText(const std::string& utf8);
std::optional<std::string> GetPrimarySelectionText();

}  // namespace vexa::sys
