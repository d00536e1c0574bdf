// The platform's edit control: window class "EDIT" (kEditClassName), single-line or
// multi-line, with the messages, styles and notifications of the classic edit control listed
// in the "Edit control" section of ControlMessages.h. Create it with CreateWindowEx once
// RegisterEditControl has run.
#pragma once

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// Registers the class; calling it again does nothing and still returns true.
bool RegisterEditControl();
LRESULT EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace vexa::sys
