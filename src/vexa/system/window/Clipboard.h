// The clipboard, holding text (UTF-8) for the edit controls' cut, copy and paste. It lives in
// the window system so that every window of the program shares it.
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

}  // namespace vexa::sys
