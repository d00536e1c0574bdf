// The top-level window the benchmarks put a grid on: a visible popup of the given size on
// the headless display, with no caption or border to take room from the grid.
#pragma once

#include "vexa/system/window/Window.h"

namespace vexa::bench {

inline sys::HWND MakeBenchFrame(int width, int height) {
    sys::WNDCLASS frameClass;
    frameClass.lpfnWndProc = &sys::DefWindowProc;
    frameClass.lpszClassName = "VexaBenchFrame";
    sys::RegisterClass(frameClass);  // a second registration fails harmlessly
    return sys::CreateWindowEx(0, "VexaBenchFrame", "bench", sys::WS_POPUP | sys::WS_VISIBLE, 0, 0,
                               width, height);
}

}  // namespace vexa::bench
