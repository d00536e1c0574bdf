// The scroll bars' part of DefWindowProc, installed with SetDefWindowProcHook: draws the bars
// with the frame, starts following presses on them, follows settings and theme changes, and
// forgets a window's bars when it is destroyed. Internal to the scroll bars.
#pragma once

#include "vexa/system/window/Window.h"

namespace vexa::sys::scrollbar_detail {

// Returns true when it handled the message and stored its result.
bool ScrollBarNonClientHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace vexa::sys::scrollbar_detail
