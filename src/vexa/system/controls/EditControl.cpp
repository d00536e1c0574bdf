// The edit window procedure: creation, text, focus, size, font and style messages and the
// EM_ messages. Keys and the mouse are in EditInput.cpp, the operations in EditActions.cpp,
// drawing in EditPainter.cpp.
#include "vexa/system/controls/EditControl.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/controls/EditContextMenu.h"
#include "vexa/system/controls/EditState.h"
#include "vexa/system/controls/EditUnicode.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/TextEngine.h"
#include "vexa/system/window/Caret.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

using namespace edit_control;

namespace {

constexpr char32_t kDefaultPasswordChar = U'*';
constexpr const char* kStateProperty = "VexaEditState";

// Classic replies pack 16-bit halves; larger values do not fit and give -1.
LRESULT PackPair(int low, int high) {
    if (low > 0xFFFF || high > 0xFFFF) return -1;
    return LRESULT(MAKELPARAM(low, high));
}

std::uint32_t DefaultMaximum(const EditState& state) {
    return state.multiLine ? kEditMaxMultiLineLimit : kEditMaxSingleLineLimit;
}

// Whole characters of text that fit in capacity bytes.
std::size_t WholeCharactersIn(const std::string& utf8, std::size_t capacity) {
    if (utf8.size() <= capacity) return utf8.size();
    std::size_t end = capacity;
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
    return end;
}

LRESULT CopyOut(const std::string& utf8, std::size_t capacity, char* buffer, bool terminate) {
    if (buffer == nullptr || capacity == 0) return 0;
    const std::size_t count = WholeCharactersIn(utf8, terminate ? capacity - 1 : capacity);
    std::memcpy(buffer, utf8.data(), count);
    if (terminate) buffer[count] = '\0';
    return LRESULT(count);
}

// ---- Creation and destruction

LRESULT OnCreate(HWND hwnd, const CREATESTRUCT* create) {
    auto owned = std::make_unique<EditState>();
    EditState& state = *owned;
    state.hwnd = hwnd;
    state.multiLine = (create->style & ES_MULTILINE) != 0;
    state.text.SetLimit(kEditDefaultLimit);
    if (!state.multiLine && (create->style & ES_PASSWORD) != 0)
        state.measure.SetPasswordChar(kDefaultPasswordChar);
    SetProp(hwnd, kStateProperty, std::intptr_t(owned.release()));
    Relayout(state);
    const char* name = create->lpszName != nullptr ? create->lpszName : "";
    SetAllText(state, edit_text::DecodeUtf8(name), false);
    return 0;
}

void OnNcDestroy(HWND hwnd) {
    EditState* state = StateOf(hwnd);
    if (state == nullptr) return;
    if (state->menu != 0) EditContextMenu::Close(state->menu);
    RemoveProp(hwnd, kStateProperty);
    delete state;
}

// ---- Text

LRESULT OnSetText(EditState& state, LPARAM lParam) {
    const char* utf8 = reinterpret_cast<const char*>(lParam);
    SetAllText(state, edit_text::DecodeUtf8(utf8 != nullptr ? utf8 : ""), true);
    return 1;
}

LRESULT OnGetText(const EditState& state, WPARAM capacity, LPARAM buffer) {
    return CopyOut(edit_text::EncodeUtf8(state.text.Text()), capacity,
                   reinterpret_cast<char*>(buffer), true);
}

LRESULT OnGetTextLength(const EditState& state) {
    std::size_t bytes = 0;
    for (char32_t c : state.text.Text()) bytes += std::size_t(edit_text::Utf8Length(c));
    return LRESULT(bytes);
}

// ---- Focus, size, font, styles

void OnSetFocus(EditState& state) {
    state.focused = true;
    CreateCaret(state.hwnd, 0, 1, state.view.LineHeight());
    UpdateCaret(state);
    ShowCaret(state.hwnd);
    InvalidateRect(state.hwnd, nullptr, true);
    Notify(state.hwnd, EN_SETFOCUS);
}

void OnKillFocus(EditState& state) {
    state.focused = false;
    state.selecting = false;
    if (GetCapture() == state.hwnd) ReleaseCapture();
    if (state.menu != 0) EditContextMenu::Close(state.menu);
    DestroyCaret();
    InvalidateRect(state.hwnd, nullptr, true);
    Notify(state.hwnd, EN_KILLFOCUS);
}

void OnSize(EditState& state) {
    Relayout(state);
    InvalidateRect(state.hwnd, nullptr, true);
}

void OnSetFont(EditState& state, WPARAM font, LPARAM redraw) {
    LOGFONT logFont;
    state.font = HFONT(font);
    state.measure.SetFont(font != 0 && GetFontLogFont(HFONT(font), &logFont)
                              ? TextEngine::Instance().FontFor(logFont)
                              : nullptr);
    Relayout(state);
    if (LOWORD(std::uintptr_t(redraw)) != 0) Redraw(state);
}

void OnStyleChanged(EditState& state) {
    Relayout(state);
    Redraw(state);
}

void OnPaint(EditState& state) {
    PAINTSTRUCT ps;
    const HDC hdc = HDC(BeginPaint(state.hwnd, &ps));
    if (hdc != 0 && hdc != HDC(state.hwnd)) Paint(state, hdc, ps.rcPaint);
    EndPaint(state.hwnd, &ps);
}

// Multi-line edits want every key but leave Enter (without ES_WANTRETURN) and Esc to a
// dialog-like parent, as the classic dialog rules have it.
LRESULT OnGetDlgCode(const EditState& state, LPARAM lParam) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!state.multiLine) return code;
    code |= DLGC_WANTALLKEYS;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg != nullptr && msg->message == WM_KEYDOWN) {
        const bool enterForParent =
            msg->wParam == WPARAM(VK_RETURN) && (StyleOf(state) & ES_WANTRETURN) == 0;
        if (enterForParent || msg->wParam == WPARAM(VK_ESCAPE)) code &= ~DLGC_WANTALLKEYS;
    }
    return code;
}

// ---- Selection and lines

LRESULT OnGetSel(const EditState& state, WPARAM startOut, LPARAM endOut) {
    const int start = state.text.SelectionStart();
    const int end = state.text.SelectionEnd();
    if (startOut != 0) *reinterpret_cast<DWORD*>(startOut) = DWORD(start);
    if (endOut != 0) *reinterpret_cast<DWORD*>(endOut) = DWORD(end);
    return PackPair(start, end);
}

// start -1 removes the selection, leaving the caret; end -1 (or past the text) is the end.
LRESULT OnSetSel(EditState& state, WPARAM wParam, LPARAM lParam) {
    const auto start = std::int32_t(wParam);
    auto end = std::int32_t(lParam);
    const int length = state.text.Length();
    if (start < 0) {
        MoveSelection(state, state.text.Caret(), state.text.Caret());
        return 1;
    }
    if (end < 0 || end > length) end = length;
    MoveSelection(state, std::min(start, length), end);
    return 1;
}

int LineOfCharacter(const EditState& state, std::int32_t index) {
    if (index < 0) return state.text.Lines().LineOf(state.text.SelectionStart());
    return state.text.Lines().LineOf(std::min(int(index), state.text.Length()));
}

LRESULT OnLineIndex(const EditState& state, std::int32_t line) {
    const EditLines& lines = state.text.Lines();
    if (line < 0) line = lines.LineOf(state.text.Caret());
    return line < lines.Count() ? LRESULT(lines[line].start) : -1;
}

// -1: the characters that are not selected on the lines the selection touches.
LRESULT OnLineLength(const EditState& state, std::int32_t index) {
    if (!state.multiLine) return state.text.Length();
    const EditLines& lines = state.text.Lines();
    if (index >= 0) {
        return index > state.text.Length() ? 0
                                           : LRESULT(lines[LineOfCharacter(state, index)].length);
    }
    const EditLine& first = lines[lines.LineOf(state.text.SelectionStart())];
    const EditLine& last = lines[lines.LineOf(state.text.SelectionEnd())];
    return LRESULT(state.text.SelectionStart() - first.start + last.start + last.length -
                   std::min(state.text.SelectionEnd(), last.start + last.length));
}

// The first WORD of the buffer gives its size in bytes; the line is copied without a NUL.
LRESULT OnGetLine(const EditState& state, WPARAM line, LPARAM buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    if (out == nullptr) return 0;
    std::uint16_t capacity = 0;
    std::memcpy(&capacity, out, sizeof capacity);
    const EditLines& lines = state.text.Lines();
    if (!state.multiLine) line = 0;
    if (int(line) >= lines.Count()) return 0;
    const EditLine& l = lines[int(line)];
    return CopyOut(edit_text::EncodeUtf8(state.text.Range(l.start, l.start + l.length)), capacity,
                   out, false);
}

LRESULT OnPosFromChar(const EditState& state, WPARAM index) {
    if (index >= WPARAM(state.text.Length())) return -1;
    const POINT p = state.view.PosFromChar(state.text, int(index));
    return LRESULT(MAKELPARAM(p.x, p.y));
}

LRESULT OnCharFromPos(const EditState& state, LPARAM point) {
    int line = 0;
    const int index =
        state.view.CharFromPos(state.text, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}, &line);
    return LRESULT(MAKELPARAM(index, line));
}

// ---- Limits, margins, rectangle, scrolling

LRESULT OnLimitText(EditState& state, WPARAM limit) {
    state.text.SetLimit(limit == 0 ? DefaultMaximum(state) : std::uint32_t(limit));
    return 0;
}

LRESULT OnSetMargins(EditState& state, WPARAM which, LPARAM margins) {
    state.fontMargins = which == EC_USEFONTINFO;
    if ((which & EC_LEFTMARGIN) != 0 && !state.fontMargins) state.leftMargin = LOWORD(margins);
    if ((which & EC_RIGHTMARGIN) != 0 && !state.fontMargins) state.rightMargin = HIWORD(margins);
    Relayout(state);
    Redraw(state);
    return 0;
}

LRESULT OnSetRect(EditState& state, const RECT* rect, bool redraw) {
    state.formatRectFixed = rect != nullptr;
    if (rect != nullptr) state.view.SetFormatRect(*rect);
    Relayout(state);
    if (redraw) Redraw(state);
    return 0;
}

LRESULT OnLineScroll(EditState& state, int across, int down) {
    if (!state.multiLine) return 0;
    const int character = state.measure.Font().Metrics().tmAveCharWidth;
    state.view.SetScrollX(state.text, state.view.ScrollX() + across * character);
    state.view.SetTopLine(state.text, state.view.TopLine() + down);
    Redraw(state);
    return 1;
}

LRESULT OnScrollRequest(EditState& state, WPARAM request) {
    if (!state.multiLine) return 0;
    const int before = state.view.TopLine();
    OnScroll(state, SB_VERT, int(request), 0);
    return LRESULT(MAKELPARAM(state.view.TopLine() - before, 1));
}

LRESULT OnSetPasswordChar(EditState& state, WPARAM c) {
    if (state.multiLine) return 0;
    state.measure.SetPasswordChar(char32_t(c));
    const UINT style = StyleOf(state);
    SetWindowLongPtr(state.hwnd, GWL_STYLE,
                     LPARAM(c != 0 ? style | ES_PASSWORD : style & ~ES_PASSWORD));
    Relayout(state);
    Redraw(state);
    return 0;
}

LRESULT OnSetReadOnly(EditState& state, WPARAM readOnly) {
    const UINT style = StyleOf(state);
    SetWindowLongPtr(state.hwnd, GWL_STYLE,
                     LPARAM(readOnly != 0 ? style | ES_READONLY : style & ~ES_READONLY));
    return 1;
}

LRESULT OnFirstVisibleLine(const EditState& state) {
    if (state.multiLine) return state.view.TopLine();
    return state.view.CharOnLine(state.text, 0, state.view.FormatRect().left);
}

// ---- Dispatch

LRESULT EditMessage(EditState& state, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case EM_GETSEL:
            return OnGetSel(state, wParam, lParam);
        case EM_SETSEL:
            return OnSetSel(state, wParam, lParam);
        case EM_GETRECT:
            if (lParam != 0) *reinterpret_cast<RECT*>(lParam) = state.view.FormatRect();
            return 0;
        case EM_SETRECT:
        case EM_SETRECTNP:
            return OnSetRect(state, reinterpret_cast<const RECT*>(lParam), msg == EM_SETRECT);
        case EM_SCROLL:
            return OnScrollRequest(state, wParam);
        case EM_LINESCROLL:
            return OnLineScroll(state, int(std::int32_t(wParam)), int(std::int32_t(lParam)));
        case EM_SCROLLCARET:
            ScrollCaretIntoView(state);
            return 1;
        case EM_GETMODIFY:
            return state.text.Modified() ? 1 : 0;
        case EM_SETMODIFY:
            state.text.SetModified(wParam != 0);
            return 0;
        case EM_GETLINECOUNT:
            return state.text.Lines().Count();
        case EM_LINEINDEX:
            return OnLineIndex(state, std::int32_t(wParam));
        case EM_LINELENGTH:
            return OnLineLength(state, std::int32_t(wParam));
        case EM_REPLACESEL: {
            const char* utf8 = reinterpret_cast<const char*>(lParam);
            InsertText(state, edit_text::DecodeUtf8(utf8 != nullptr ? utf8 : ""), EditKind::Other,
                       wParam != 0);
            return 0;
        }
        case EM_GETLINE:
            return OnGetLine(state, wParam, lParam);
        case EM_LIMITTEXT:
            return OnLimitText(state, wParam);
        case EM_GETLIMITTEXT:
            return LRESULT(state.text.Limit());
        case EM_CANUNDO:
            return state.text.CanUndo() ? 1 : 0;
        case EM_UNDO:
        case WM_UNDO:
            UndoLastStep(state);
            return 1;
        case EM_EMPTYUNDOBUFFER:
            state.text.EmptyUndo();
            return 0;
        case EM_LINEFROMCHAR:
            return state.multiLine ? LineOfCharacter(state, std::int32_t(wParam)) : 0;
        case EM_SETPASSWORDCHAR:
            return OnSetPasswordChar(state, wParam);
        case EM_GETPASSWORDCHAR:
            return LRESULT(state.measure.PasswordChar());
        case EM_GETFIRSTVISIBLELINE:
            return OnFirstVisibleLine(state);
        case EM_SETREADONLY:
            return OnSetReadOnly(state, wParam);
        case EM_SETMARGINS:
            return OnSetMargins(state, wParam, lParam);
        case EM_GETMARGINS:
            return LRESULT(MAKELPARAM(state.leftMargin, state.rightMargin));
        case EM_POSFROMCHAR:
            return OnPosFromChar(state, wParam);
        case EM_CHARFROMPOS:
            return OnCharFromPos(state, lParam);
        default:
            return 0;
    }
}

bool IsEditMessage(UINT msg) {
    return (msg >= EM_GETSEL && msg <= EM_CHARFROMPOS) || msg == WM_UNDO;
}

LRESULT WindowMessage(EditState& state, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = state.hwnd;
    switch (msg) {
        case WM_SETTEXT:
            return OnSetText(state, lParam);
        case WM_GETTEXT:
            return OnGetText(state, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return OnGetTextLength(state);
        case WM_SETFONT:
            OnSetFont(state, wParam, lParam);
            return 0;
        case WM_GETFONT:
            return LRESULT(state.font);
        case WM_SETFOCUS:
            OnSetFocus(state);
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus(state);
            return 0;
        case WM_SIZE:
            OnSize(state);
            return 0;
        case WM_STYLECHANGED:
            OnStyleChanged(state);
            return 0;
        case WM_ENABLE:
            Redraw(state);
            return 0;
        case WM_PAINT:
            OnPaint(state);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills the background with the colour the parent chose
        case WM_GETDLGCODE:
            return OnGetDlgCode(state, lParam);
        case WM_KEYDOWN:
            OnKeyDown(state, int(wParam));
            return 0;
        case WM_CHAR:
            OnChar(state, char32_t(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(state);
            return 0;
        case WM_CAPTURECHANGED:
            state.selecting = false;
            return 0;
        case WM_RBUTTONDOWN:
            if (GetFocus() != hwnd) SetFocus(hwnd);
            return 0;
        case WM_MOUSEWHEEL:
            if (OnMouseWheel(state, std::int16_t(HIWORD(wParam)))) return 0;
            break;
        case WM_VSCROLL:
        case WM_HSCROLL:
            OnScroll(state, msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam),
                     std::int16_t(HIWORD(wParam)));
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(state, lParam);
            return 0;
        case WM_CUT:
            CutSelection(state);
            return 0;
        case WM_COPY:
            CopySelection(state);
            return 0;
        case WM_PASTE:
            PasteClipboard(state);
            return 0;
        case WM_CLEAR:
            ClearSelection(state);
            return 0;
        default:
            break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

LRESULT EditWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam));
    if (msg == WM_NCDESTROY) {
        OnNcDestroy(hwnd);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    EditState* state = StateOf(hwnd);
    if (state == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (IsEditMessage(msg)) return EditMessage(*state, msg, wParam, lParam);
    return WindowMessage(*state, msg, wParam, lParam);
}

bool RegisterEditControl() {
    WNDCLASS cls;
    if (GetClassInfo(kEditClassName, &cls)) return true;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = &EditWindowProc;
    cls.hCursor = IDC_IBEAM;
    cls.hbrBackground = 0;
    cls.lpszClassName = kEditClassName;
    return RegisterClass(cls) != 0;
}

}  // namespace vexa::sys
