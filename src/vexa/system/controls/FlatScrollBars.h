// The flat scroll-bar service: a window initialised for it keeps its window scroll bars and
// gains a style per bar (regular, Encarta or flat). Every FlatSB_ function works on the
// window's bars whether or not the window was initialised, as the classic service falls back
// to the regular functions. The flat style draws flat arrows and thumb in the classic look;
// the Encarta style looks regular.
#pragma once

#include <cstdint>

#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/paint/GdiTypes.h"

namespace vexa::sys {

// Nonzero on success; 0 for an invalid window or while the service is made unavailable.
BOOL InitializeFlatSB(HWND hwnd);
// S_OK, S_FALSE (1) when the window was not initialised, E_FAIL while one of its bars is
// being dragged or pressed.
HRESULT UninitializeFlatSB(HWND hwnd);

bool FlatSB_ShowScrollBar(HWND hwnd, int bar, bool show);
bool FlatSB_EnableScrollBar(HWND hwnd, UINT bars, UINT arrows);
int FlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw);
bool FlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int FlatSB_SetScrollPos(HWND hwnd, int bar, int pos, bool redraw);
int FlatSB_GetScrollPos(HWND hwnd, int bar);
bool FlatSB_SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, bool redraw);
bool FlatSB_GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
// WSB_PROP_VSTYLE / WSB_PROP_HSTYLE take FSB_REGULAR_MODE, FSB_ENCARTA_MODE or FSB_FLAT_MODE
// (other values are ignored and give false); WSB_PROP_WINSTYLE reads the window's
// WS_HSCROLL / WS_VSCROLL bits. False for a window not initialised or another property.
bool FlatSB_SetScrollProp(HWND hwnd, UINT index, std::intptr_t value, bool redraw);
bool FlatSB_GetScrollProp(HWND hwnd, UINT index, int* value);

// Makes InitializeFlatSB fail (false) or work again (true), so that tests can check how a
// program copes without the service.
void SetFlatScrollBarsAvailableForTesting(bool available);

}  // namespace vexa::sys
