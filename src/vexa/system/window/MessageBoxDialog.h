// The message box a display shows: a small top-level window of the window system holding
// an icon, the text and the buttons of the box type, run modally until a button is chosen.
//
// Mouse: a button answers when it is released over the button it was pressed on.
// Keyboard: Enter and Space press the focused button (the default button has the focus
// first); Tab, Shift+Tab and the arrow keys move the focus; a button's underlined letter
// chooses it; Escape and the window's close button answer Cancel, or OK in an OK-only box,
// and do nothing in a box without either (Yes/No, Abort/Retry/Ignore), as classic boxes do.
// The owner's top-level window is disabled while the box is up.
#pragma once

#include <string>
#include <vector>

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// The window class of message boxes (the classic dialog class name).
inline constexpr const char* kMessageBoxClassName = "#32770";

// The buttons of a box type, left to right (IDOK, IDCANCEL, ...). Unknown types show OK.
std::vector<int> MessageBoxButtons(UINT type);
// The button MB_DEFBUTTONn names, the last one when n is past the buttons.
int MessageBoxDefaultButton(UINT type);

// Shows the box and returns the chosen button. When the box cannot be answered by anyone
// (its window destroyed, the program quitting, nothing left that could ever arrive), the
// default button answers.
int RunMessageBoxDialog(HWND owner, const std::string& text, const std::string& caption, UINT type);

}  // namespace vexa::sys
