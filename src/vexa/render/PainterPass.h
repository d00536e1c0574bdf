// The inputs of one painting pass, gathered before the first row is painted.
#pragma once

#include <cstdint>

#include "vexa/render/Geometry.h"
#include "vexa/render/Painter.h"
#include "vexa/system/paint/GdiTypes.h"

namespace vexa {

struct Painter::Pass {
    PaintState state;
    VisibleRange range;
    sys::HWND window = 0;
    sys::HDC target = 0;  // the window's context
    sys::HDC dc = 0;      // where the current row is drawn: the buffer or the target
    bool buffered = false;
    sys::RECT client;
    std::int32_t headerHeight = 0;
    bool rowTextActive = false;
    std::int32_t rowTextStart = 1;     // display position where the row-text band starts
    std::int32_t firstSelectable = 1;  // display position
    std::int32_t lastPosition = 0;     // last visible non-row-text display position
    std::int32_t contentRight = 0;     // client x of that position's right edge
    std::int32_t bandWidth = 0;        // width of the row band cleared before each row
    std::int32_t copyWidth = 0;        // width copied from the buffer
    std::int32_t runningBottom = 0;    // cells-area y below the last row handled
    sys::HBRUSH gridBrush = 0;
    bool ownsGridBrush = false;
    sys::HBRUSH selectionBrush = 0;
    sys::HBRUSH focusBrush = 0;  // black, for the frame under focus rectangles
    sys::HRGN savedClip = 0;     // where a cell keeps the clip it found
};

}  // namespace vexa
