// What one edit window keeps, and the operations its message handlers share (they live in
// EditControl.cpp, EditInput.cpp, EditActions.cpp and EditPainter.cpp).
#pragma once

#include <string_view>

#include "vexa/system/controls/EditFontMeasure.h"
#include "vexa/system/controls/EditText.h"
#include "vexa/system/controls/EditView.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys::edit_control {

struct EditState {
    HWND hwnd = 0;                 // the edit window
    EditText text;                 // characters, selection, undo step, lines
    EditView view;                 // formatting rectangle, alignment, scroll position
    EditFontMeasure measure;       // widths and shaping in the current font
    HFONT font = 0;                // the font WM_SETFONT gave; 0 is the system font
    bool multiLine = false;        // ES_MULTILINE at creation; fixed for the window's life
    bool focused = false;          // has the keyboard focus, so the caret shows
    bool selecting = false;        // the left button is down and drags the selection
    bool formatRectFixed = false;  // EM_SETRECT chose the formatting rectangle
    bool fontMargins = false;      // the margins follow the font (EC_USEFONTINFO)
    int leftMargin = 0;            // pixels between the client's left edge and the text
    int rightMargin = 0;           // pixels between the text and the client's right edge
    int desiredX = -1;             // client x that up/down moves keep to, -1 when not moving
    int wheelRest = 0;             // wheel delta not yet worth a whole line
    char32_t highSurrogate = 0;    // first half of a character that arrived in two WM_CHARs
    HWND menu = 0;                 // the open context menu, 0 when none
    bool menuTookKey = false;      // the menu took the last key, so its character is dropped
};

EditState* StateOf(HWND hwnd);
UINT StyleOf(const EditState& state);
bool IsReadOnly(const EditState& state);

// ---- Layout and display (EditActions.cpp)
// Formatting rectangle, alignment, wrapping and caret size after a size, font or style
// change; keeps the caret in view.
void Relayout(EditState& state);
void UpdateCaret(EditState& state);
void Redraw(EditState& state);
// Sends WM_COMMAND(code) to the parent; false when the edit window did not survive it.
bool Notify(HWND hwnd, UINT code);
// Scrolls the caret into view, telling the parent (EN_HSCROLL/EN_VSCROLL) before it shows.
bool ScrollCaretIntoView(EditState& state);
void PublishScrollBars(EditState& state);

// ---- Selection and editing (EditActions.cpp); all return false when the window is gone.
bool MoveSelection(EditState& state, int anchor, int caret);
// Typed, pasted or replaced text: case styles applied, cut to the length limit and to what
// the window can show without scrolling when it may not scroll, then notified.
bool InsertText(EditState& state, std::u32string_view text, EditKind kind, bool undoable);
bool DeleteRange(EditState& state, int from, int to, EditKind kind);
// Replaces the text (case styles applied); notify: EN_UPDATE and EN_CHANGE when it changed.
bool SetAllText(EditState& state, std::u32string text, bool notify);
bool CopySelection(EditState& state);
bool CutSelection(EditState& state);
bool PasteClipboard(EditState& state);
bool ClearSelection(EditState& state);
bool UndoLastStep(EditState& state);

// ---- Input (EditInput.cpp)
void OnKeyDown(EditState& state, int virtualKey);
void OnChar(EditState& state, char32_t code);
void OnLButtonDown(EditState& state, POINT point, WPARAM keys);
void OnLButtonDblClk(EditState& state, POINT point);
void OnMouseMove(EditState& state, POINT point);
void OnLButtonUp(EditState& state);
bool OnMouseWheel(EditState& state, int delta);
void OnScroll(EditState& state, int bar, int request, int position);
void OnContextMenu(EditState& state, LPARAM screenPoint);

// ---- Painting (EditPainter.cpp)
void Paint(EditState& state, HDC hdc, const RECT& area);

}  // namespace vexa::sys::edit_control
