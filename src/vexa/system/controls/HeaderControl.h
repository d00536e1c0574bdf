// The header control: a row of column titles above a list, with items that can be clicked,
// resized by their dividers and reordered by dragging, telling its parent through WM_NOTIFY
// (messages, styles and structures in ControlMessages.h, "Header control"). Items are drawn in
// the classic look, in the visual-styles look when the theme service is on, or by the parent
// (HDF_OWNERDRAW, through WM_DRAWITEM).
#pragma once

#include "vexa/system/controls/ControlMessages.h"

namespace vexa::sys {

constexpr const char* WC_HEADER = "SysHeader32";

// Registers the window class; later calls only confirm it is there.
bool RegisterHeaderControl();

}  // namespace vexa::sys
