// The edit control's keyboard and mouse: WM_KEYDOWN moves the caret and deletes, WM_CHAR types
// and carries the control-key commands (Ctrl+A, C, V, X, Z arrive as characters 1, 3, 22, 24,
// 26 from the key translation, as on the classic platform), the left button places the caret
// and drags the selection, a double click selects a word, the wheel and the scroll-bar
// messages scroll, and the context-menu request opens the standard menu.
#include <algorithm>
#include <utility>

#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/controls/EditContextMenu.h"
#include "vexa/system/controls/EditState.h"
#include "vexa/system/window/Clipboard.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::edit_control {

namespace {

constexpr int kWheelLines = 3;

enum ControlCharacter : char32_t {
    kSelectAll = 1,
    kCopy = 3,
    kBackspace = 8,
    kTab = 9,
    kCtrlEnter = 10,
    kEnter = 13,
    kPaste = 22,
    kCut = 24,
    kUndo = 26,
    kCtrlBackspace = 127,
};

bool IsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

bool Alive(HWND hwnd, const EditState* state) {
    return IsWindow(hwnd) && StateOf(hwnd) == state;
}

bool MenuOpen(const EditState& state) {
    return state.menu != 0 && IsWindow(state.menu);
}

bool RightToLeft(const EditState& state) {
    return (GetWindowLongPtr(state.hwnd, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

// The caret moves to target; with extend the anchor stays, so the selection grows or shrinks.
// Up/down moves keep the column they started in (desiredX).
void MoveCaret(EditState& state, int target, bool extend, bool vertical = false) {
    const int desired = vertical ? state.desiredX : -1;
    const int anchor = extend ? state.text.Anchor() : target;
    if (MoveSelection(state, anchor, target)) state.desiredX = desired;
}

// The end of a line: before its line break, or before the last character of a wrapped line
// (the position after it is where the next line starts).
int LineEnd(const EditState& state, int line) {
    const EditLine& l = state.text.Lines()[line];
    const int end = l.start + l.length;
    const bool wrapped = l.breakLength == 0 && line + 1 < state.text.Lines().Count();
    return wrapped && l.length > 0 ? state.text.PreviousStop(end) : end;
}

int Across(const EditState& state, bool forward, bool byWord) {
    const int caret = state.text.Caret();
    if (byWord)
        return forward ? state.text.NextWordStart(caret) : state.text.PreviousWordStart(caret);
    return forward ? state.text.NextStop(caret) : state.text.PreviousStop(caret);
}

int Down(EditState& state, int lines) {
    if (state.desiredX < 0)
        state.desiredX = state.view.PosFromChar(state.text, state.text.Caret()).x;
    const int count = state.text.Lines().Count();
    const int line =
        std::clamp(state.text.Lines().LineOf(state.text.Caret()) + lines, 0, count - 1);
    return state.view.CharOnLine(state.text, line, state.desiredX);
}

void ArrowAcross(EditState& state, bool forward, bool shift, bool ctrl) {
    if (!shift && !ctrl && state.text.HasSelection()) {
        const int end = forward ? state.text.SelectionEnd() : state.text.SelectionStart();
        MoveCaret(state, end, false);
        return;
    }
    MoveCaret(state, Across(state, forward, ctrl), shift);
}

void PageDown(EditState& state, int pages, bool shift) {
    const int lines = pages * state.view.VisibleLines();
    const int target = Down(state, lines);
    if (state.view.SetTopLine(state.text, state.view.TopLine() + lines) &&
        !Notify(state.hwnd, EN_VSCROLL))
        return;
    MoveCaret(state, target, shift, true);
}

void DeleteKey(EditState& state, bool ctrl) {
    if (IsReadOnly(state)) return;
    if (state.text.HasSelection()) {
        ClearSelection(state);
        return;
    }
    const int caret = state.text.Caret();
    const int end = ctrl ? state.text.NextWordStart(caret) : state.text.NextStop(caret);
    DeleteRange(state, caret, end, EditKind::DeleteForward);
}

void Backspace(EditState& state, bool byWord) {
    if (IsReadOnly(state)) return;
    if (state.text.HasSelection()) {
        ClearSelection(state);
        return;
    }
    const int caret = state.text.Caret();
    const int start = byWord ? state.text.PreviousWordStart(caret) : state.text.PreviousStop(caret);
    DeleteRange(state, start, caret, EditKind::DeleteBackward);
}

void Type(EditState& state, std::u32string_view text) {
    if (IsReadOnly(state)) return;
    const bool digitsOnly = (StyleOf(state) & ES_NUMBER) != 0;
    if (digitsOnly &&
        std::any_of(text.begin(), text.end(), [](char32_t c) { return c < U'0' || c > U'9'; }))
        return;
    InsertText(state, text, EditKind::Typing, true);
}

// A dialog-like parent with a default button takes Enter: the button is "clicked".
bool ParentTakesEnter(const EditState& state) {
    const HWND parent = GetParent(state.hwnd);
    if (parent == 0 || (StyleOf(state) & WS_CHILD) == 0) return false;
    const LRESULT answer = SendMessage(parent, DM_GETDEFID, 0, 0);
    if (HIWORD(std::uintptr_t(answer)) != DC_HASDEFID) return false;
    const int id = LOWORD(std::uintptr_t(answer));
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, std::int32_t(BN_CLICKED)),
                LPARAM(GetDlgItem(parent, std::uintptr_t(id))));
    return true;
}

// Enter breaks the line of a multi-line edit with ES_WANTRETURN, or whose parent does not
// take Enter; Ctrl+Enter always breaks it.
void Enter(EditState& state, bool forced) {
    if (!state.multiLine || IsReadOnly(state)) return;
    if (!forced && (StyleOf(state) & ES_WANTRETURN) == 0 && ParentTakesEnter(state)) return;
    if (Alive(state.hwnd, &state)) InsertText(state, U"\r\n", EditKind::Typing, true);
}

// A character sent as two UTF-16 halves (by a program written for 16-bit characters) is
// joined; a half without its partner becomes U+FFFD.
bool JoinSurrogates(EditState& state, char32_t& code) {
    if (code >= 0xD800 && code <= 0xDBFF) {
        state.highSurrogate = code;
        return false;
    }
    if (code >= 0xDC00 && code <= 0xDFFF) {
        code = state.highSurrogate != 0
                   ? 0x10000 + ((state.highSurrogate - 0xD800) << 10) + (code - 0xDC00)
                   : U'\uFFFD';
    } else if (state.highSurrogate != 0) {
        Type(state, U"\uFFFD");
    }
    state.highSurrogate = 0;
    return true;
}

// The character under a point: the one whose cell holds it, not the nearest caret stop.
int CharUnder(const EditState& state, POINT point) {
    int line = 0;
    const int position = state.view.CharFromPos(state.text, point, &line);
    const bool pastPoint = state.view.PosFromChar(state.text, position).x > point.x;
    if (pastPoint && position > state.text.Lines()[line].start)
        return state.text.PreviousStop(position);
    return position;
}

void ScrollTo(EditState& state, int bar, int target) {
    const bool vertical = bar == SB_VERT;
    if (!Notify(state.hwnd, vertical ? EN_VSCROLL : EN_HSCROLL)) return;
    const bool moved = vertical ? state.view.SetTopLine(state.text, target)
                                : state.view.SetScrollX(state.text, target);
    if (moved) Redraw(state);
}

std::vector<EditMenuItem> MenuItems(const EditState& state) {
    const bool editable = !IsReadOnly(state);
    const bool selected = state.text.HasSelection();
    const bool visible = state.measure.PasswordChar() == 0;
    const bool all =
        state.text.SelectionStart() == 0 && state.text.SelectionEnd() == state.text.Length();
    return {
        {"&Undo", WM_UNDO, 0, 0, editable && state.text.CanUndo(), false},
        {"Cu&t", WM_CUT, 0, 0, editable && selected && visible, true},
        {"&Copy", WM_COPY, 0, 0, selected && visible, false},
        {"&Paste", WM_PASTE, 0, 0, editable && IsClipboardTextAvailable(), false},
        {"&Delete", WM_CLEAR, 0, 0, editable && selected, false},
        {"Select &All", EM_SETSEL, 0, -1, state.text.Length() > 0 && !all, true},
    };
}

}  // namespace

void OnKeyDown(EditState& state, int virtualKey) {
    state.menuTookKey = MenuOpen(state);
    if (state.menuTookKey) {
        EditContextMenu::HandleKey(state.menu, virtualKey);
        return;
    }
    const bool shift = IsDown(VK_SHIFT);
    const bool ctrl = IsDown(VK_CONTROL);
    const bool rtl = RightToLeft(state);
    const int caret = state.text.Caret();
    const EditLines& lines = state.text.Lines();
    switch (virtualKey) {
        case VK_LEFT:
        case VK_RIGHT:
            ArrowAcross(state, (virtualKey == VK_RIGHT) != rtl, shift, ctrl);
            break;
        case VK_UP:
        case VK_DOWN:
            if (!state.multiLine) {
                ArrowAcross(state, virtualKey == VK_DOWN, shift, ctrl);
            } else {
                MoveCaret(state, Down(state, virtualKey == VK_DOWN ? 1 : -1), shift, true);
            }
            break;
        case VK_PRIOR:
        case VK_NEXT:
            if (state.multiLine) PageDown(state, virtualKey == VK_NEXT ? 1 : -1, shift);
            break;
        case VK_HOME:
            MoveCaret(state, ctrl || !state.multiLine ? 0 : lines[lines.LineOf(caret)].start,
                      shift);
            break;
        case VK_END:
            MoveCaret(state,
                      ctrl || !state.multiLine ? state.text.Length()
                                               : LineEnd(state, lines.LineOf(caret)),
                      shift);
            break;
        case VK_DELETE:
            shift ? (void)CutSelection(state) : DeleteKey(state, ctrl);
            break;
        case VK_INSERT:
            if (ctrl) CopySelection(state);
            if (shift && !ctrl) PasteClipboard(state);
            break;
        default:
            break;
    }
}

void OnChar(EditState& state, char32_t code) {
    const bool forMenu = std::exchange(state.menuTookKey, false) || MenuOpen(state);
    if (forMenu || !JoinSurrogates(state, code)) return;
    switch (code) {
        case kSelectAll:
            MoveSelection(state, 0, state.text.Length());
            return;
        case kCopy:
            CopySelection(state);
            return;
        case kPaste:
            PasteClipboard(state);
            return;
        case kCut:
            CutSelection(state);
            return;
        case kUndo:
            UndoLastStep(state);
            return;
        case kBackspace:
        case kCtrlBackspace:
            Backspace(state, code == kCtrlBackspace);
            return;
        case kEnter:
        case kCtrlEnter:
            Enter(state, code == kCtrlEnter);
            return;
        case kTab:
            if (state.multiLine) Type(state, U"\t");
            return;
        default:
            if (code >= 0x20) Type(state, std::u32string(1, code));
            return;
    }
}

void OnLButtonDown(EditState& state, POINT point, WPARAM keys) {
    const HWND hwnd = state.hwnd;
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
        if (!Alive(hwnd, &state)) return;
    }
    const int position = state.view.CharFromPos(state.text, point);
    state.selecting = true;
    SetCapture(hwnd);
    MoveCaret(state, position, (keys & MK_SHIFT) != 0);
}

void OnLButtonDblClk(EditState& state, POINT point) {
    const auto [from, to] = state.text.WordAround(CharUnder(state, point));
    MoveSelection(state, from, to);
}

void OnMouseMove(EditState& state, POINT point) {
    if (!state.selecting) return;
    const int position = state.view.CharFromPos(state.text, point);
    if (position != state.text.Caret()) MoveCaret(state, position, true);
}

void OnLButtonUp(EditState& state) {
    if (!state.selecting) return;
    state.selecting = false;
    if (GetCapture() == state.hwnd) ReleaseCapture();
}

bool OnMouseWheel(EditState& state, int delta) {
    if (!state.multiLine) return false;
    state.wheelRest += delta;
    const int notches = state.wheelRest / WHEEL_DELTA;
    state.wheelRest %= WHEEL_DELTA;
    if (notches != 0) ScrollTo(state, SB_VERT, state.view.TopLine() - notches * kWheelLines);
    return true;
}

void OnScroll(EditState& state, int bar, int request, int position) {
    const bool vertical = bar == SB_VERT;
    if (vertical && !state.multiLine) return;
    const int now = vertical ? state.view.TopLine() : state.view.ScrollX();
    const int line = vertical ? 1 : std::max(1, state.measure.Font().Metrics().tmAveCharWidth);
    const int page = vertical ? state.view.VisibleLines() : state.view.FormatRect().Width();
    const int last =
        vertical ? state.view.MaxTopLine(state.text) : state.view.MaxScrollX(state.text);
    switch (request) {
        case SB_LINEUP:
            return ScrollTo(state, bar, now - line);
        case SB_LINEDOWN:
            return ScrollTo(state, bar, now + line);
        case SB_PAGEUP:
            return ScrollTo(state, bar, now - page);
        case SB_PAGEDOWN:
            return ScrollTo(state, bar, now + page);
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return ScrollTo(state, bar, position);
        case SB_TOP:
            return ScrollTo(state, bar, 0);
        case SB_BOTTOM:
            return ScrollTo(state, bar, last);
        default:
            return;
    }
}

// lParam -1 (Shift+F10, the menu key) opens the menu under the caret.
void OnContextMenu(EditState& state, LPARAM screenPoint) {
    if (MenuOpen(state)) EditContextMenu::Close(state.menu);
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == -1) {
        at = state.view.PosFromChar(state.text, state.text.Caret());
        at.y += state.view.LineHeight();
        ClientToScreen(state.hwnd, &at);
    }
    state.menu = EditContextMenu::Open(state.hwnd, at, MenuItems(state));
}

}  // namespace vexa::sys::edit_control
