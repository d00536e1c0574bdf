// The caret: one per program, owned by a window, drawn by inverting its rectangle in the
// window's back buffer and blinking on a timer of the message loop (so it blinks only as the
// display clock advances). It is hidden while its window paints through BeginPaint.
#pragma once

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// Replaces any existing caret; the new one starts hidden (ShowCaret makes it visible).
// bitmap is accepted for compatibility and ignored: the caret is a solid block.
bool CreateCaret(HWND hwnd, std::uintptr_t bitmap, int width, int height);
bool DestroyCaret();
// Hide and show nest: each HideCaret needs a ShowCaret. hwnd 0 means the caret's window.
bool HideCaret(HWND hwnd);
bool ShowCaret(HWND hwnd);
// Client coordinates of the caret's window.
bool SetCaretPos(int x, int y);
bool GetCaretPos(POINT* point);
UINT GetCaretBlinkTime();
bool SetCaretBlinkTime(UINT milliseconds);
// Whether the caret is drawn at this moment (blink phase included); for tests and painters.
bool IsCaretDrawn();

}  // namespace vexa::sys
