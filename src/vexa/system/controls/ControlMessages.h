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
// (edit section)

// ---- Drop-down list ------------------------------------------------------------------------
// (drop-down list section)

}  // namespace vexa::sys
