// The edit control's operations shared by its keys, mouse, messages and context menu: each
// changes the text or the selection, then shows the result in one order: scroll the caret
// into view, move the caret, EN_UPDATE, draw, EN_CHANGE.
#include <algorithm>

#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/controls/EditState.h"
#include "vexa/system/controls/EditUnicode.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Caret.h"
#include "vexa/system/window/Clipboard.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::edit_control {

namespace {

constexpr int kCaretWidth = 1;

bool Alive(HWND hwnd, const EditState* state) {
    return IsWindow(hwnd) && StateOf(hwnd) == state;
}

EditAlign AlignOf(UINT style, UINT exStyle) {
    if ((style & ES_CENTER) != 0) return EditAlign::Center;
    if ((style & ES_RIGHT) != 0 || (exStyle & (WS_EX_RIGHT | WS_EX_RTLREADING)) != 0)
        return EditAlign::Right;
    return EditAlign::Left;
}

RECT DefaultFormatRect(const EditState& state) {
    RECT client;
    GetClientRect(state.hwnd, &client);
    client.left += state.leftMargin;
    client.right = std::max(client.left, client.right - state.rightMargin);
    return client;
}

bool Wraps(const EditState& state) {
    return state.multiLine && (StyleOf(state) & (ES_AUTOHSCROLL | WS_HSCROLL)) == 0;
}

edit_text::CaseMapping CaseOf(UINT style) {
    if ((style & ES_UPPERCASE) != 0) return edit_text::CaseMapping::Upper;
    if ((style & ES_LOWERCASE) != 0) return edit_text::CaseMapping::Lower;
    return edit_text::CaseMapping::None;
}

// A window that may not scroll takes only what it can show: a single-line edit without
// ES_AUTOHSCROLL what fits across, a multi-line one without ES_AUTOVSCROLL what fits down.
bool MayOverflow(const EditState& state) {
    const UINT style = StyleOf(state);
    if (!state.multiLine) return (style & ES_AUTOHSCROLL) == 0;
    return (style & (ES_AUTOVSCROLL | WS_VSCROLL)) == 0;
}

bool FitsWindow(const EditState& state, const EditText& text) {
    if (!state.multiLine) return state.view.LineWidth(text, 0) <= state.view.FormatRect().Width();
    return text.Lines().Count() <= state.view.VisibleLines();
}

// The longest head of the insertion (in whole characters) that still fits the window.
std::size_t FittingLength(const EditState& state, std::u32string_view insertion) {
    std::size_t good = 0;
    std::size_t bad = insertion.size();
    while (bad - good > 1) {
        std::size_t middle = (good + bad) / 2;
        while (middle > good && !edit_text::IsCaretStop(insertion, middle)) --middle;
        if (middle == good) break;
        EditText trial = state.text;
        trial.ReplaceSelection(insertion.substr(0, middle), EditKind::Other, false);
        (FitsWindow(state, trial) ? good : bad) = middle;
    }
    return good;
}

// The window scroll bars are not part of the window system yet: this is the one place that
// will hand them their range, page and position.
void SetScrollBar(HWND hwnd, int bar, int maximum, int page, int position) {
    (void)hwnd;
    (void)bar;
    (void)maximum;
    (void)page;
    (void)position;
}

bool ShowChange(EditState& state, const EditChange& change) {
    const HWND hwnd = state.hwnd;
    if (change.truncated && !Notify(hwnd, EN_MAXTEXT)) return false;
    if (change.removed == 0 && change.inserted == 0) return true;
    state.desiredX = -1;
    if (!ScrollCaretIntoView(state)) return false;
    UpdateCaret(state);
    InvalidateRect(hwnd, nullptr, true);
    if (!Notify(hwnd, EN_UPDATE)) return false;
    UpdateWindow(hwnd);
    return Notify(hwnd, EN_CHANGE);
}

}  // namespace

EditState* StateOf(HWND hwnd) {
    return reinterpret_cast<EditState*>(GetProp(hwnd, "VexaEditState"));
}

UINT StyleOf(const EditState& state) {
    return UINT(GetWindowLongPtr(state.hwnd, GWL_STYLE));
}

bool IsReadOnly(const EditState& state) {
    return (StyleOf(state) & ES_READONLY) != 0;
}

void Relayout(EditState& state) {
    const UINT style = StyleOf(state);
    const UINT exStyle = UINT(GetWindowLongPtr(state.hwnd, GWL_EXSTYLE));
    if (state.fontMargins) {
        const int margin = std::max(1, state.measure.Font().Metrics().tmAveCharWidth / 2);
        state.leftMargin = state.rightMargin = margin;
    }
    state.measure.SetRightToLeft((exStyle & WS_EX_RTLREADING) != 0);
    if (!state.formatRectFixed) state.view.SetFormatRect(DefaultFormatRect(state));
    state.view.SetAlign(AlignOf(style, exStyle));
    state.view.SetLineHeight(state.measure.Font().Metrics().tmHeight);
    state.view.SetMeasure(&state.measure);
    state.view.SetCaretWidth(kCaretWidth);
    const int wrapWidth = Wraps(state) ? state.view.FormatRect().Width() : 0;
    state.text.ConfigureLines(state.multiLine, &state.measure, wrapWidth);
    state.view.SetTopLine(state.text, state.view.TopLine());
    state.view.SetScrollX(state.text, state.view.ScrollX());
    state.view.ScrollToCaret(state.text);
    if (state.focused) {
        CreateCaret(state.hwnd, 0, kCaretWidth, state.view.LineHeight());
        UpdateCaret(state);
        ShowCaret(state.hwnd);
    }
    PublishScrollBars(state);
}

void UpdateCaret(EditState& state) {
    if (!state.focused) return;
    const POINT p = state.view.PosFromChar(state.text, state.text.Caret());
    SetCaretPos(p.x, p.y);
}

void Redraw(EditState& state) {
    UpdateCaret(state);
    InvalidateRect(state.hwnd, nullptr, true);
    PublishScrollBars(state);
}

bool Notify(HWND hwnd, UINT code) {
    const EditState* state = StateOf(hwnd);
    const HWND parent = GetParent(hwnd);
    if (parent != 0 && (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
        const auto id = std::uint32_t(GetWindowLongPtr(hwnd, GWLP_ID));
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(std::int32_t(id & 0xFFFF), std::int32_t(code)),
                    LPARAM(hwnd));
    }
    return Alive(hwnd, state);
}

bool ScrollCaretIntoView(EditState& state) {
    const int moved = state.view.ScrollToCaret(state.text);
    const HWND hwnd = state.hwnd;
    if ((moved & 1) != 0 && !Notify(hwnd, EN_HSCROLL)) return false;
    if ((moved & 2) != 0 && !Notify(hwnd, EN_VSCROLL)) return false;
    if (moved != 0) Redraw(state);
    return true;
}

void PublishScrollBars(EditState& state) {
    const UINT style = StyleOf(state);
    if ((style & WS_VSCROLL) != 0) {
        SetScrollBar(state.hwnd, SB_VERT, state.text.Lines().Count() - 1, state.view.VisibleLines(),
                     state.view.TopLine());
    }
    if ((style & WS_HSCROLL) != 0) {
        const int page = state.view.FormatRect().Width();
        SetScrollBar(state.hwnd, SB_HORZ, state.view.MaxScrollX(state.text) + page - 1, page,
                     state.view.ScrollX());
    }
}

bool MoveSelection(EditState& state, int anchor, int caret) {
    state.text.Select(anchor, caret);
    if (!ScrollCaretIntoView(state)) return false;
    Redraw(state);
    return true;
}

bool InsertText(EditState& state, std::u32string_view text, EditKind kind, bool undoable) {
    std::u32string insertion = edit_text::MapCase(text, CaseOf(StyleOf(state)));
    bool overflowed = false;
    if (MayOverflow(state) && !insertion.empty()) {
        EditText trial = state.text;
        trial.ReplaceSelection(insertion, kind, false);
        if (!FitsWindow(state, trial)) {
            insertion.resize(FittingLength(state, insertion));
            overflowed = true;
        }
    }
    if (overflowed && insertion.empty()) return Notify(state.hwnd, EN_MAXTEXT);
    EditChange change = state.text.ReplaceSelection(insertion, kind, undoable);
    change.truncated = change.truncated || overflowed;
    return ShowChange(state, change);
}

bool DeleteRange(EditState& state, int from, int to, EditKind kind) {
    if (from == to) return true;
    return ShowChange(state, state.text.ReplaceRange(from, to, std::u32string_view(), kind));
}

bool SetAllText(EditState& state, std::u32string text, bool notify) {
    text = edit_text::MapCase(text, CaseOf(StyleOf(state)));
    const bool changed = text != state.text.Text();
    state.text.SetText(std::move(text));
    state.view.SetTopLine(state.text, 0);
    state.view.SetScrollX(state.text, 0);
    state.desiredX = -1;
    Redraw(state);
    if (!changed || !notify) return true;
    if (!Notify(state.hwnd, EN_UPDATE)) return false;
    UpdateWindow(state.hwnd);
    return Notify(state.hwnd, EN_CHANGE);
}

bool CopySelection(EditState& state) {
    if (!state.text.HasSelection() || state.measure.PasswordChar() != 0) return true;
    const std::u32string_view selected =
        state.text.Range(state.text.SelectionStart(), state.text.SelectionEnd());
    if (!OpenClipboard(state.hwnd)) return true;
    EmptyClipboard();
    SetClipboardText(edit_text::EncodeUtf8(selected));
    CloseClipboard();
    return true;
}

bool CutSelection(EditState& state) {
    if (IsReadOnly(state) || state.measure.PasswordChar() != 0) return true;
    CopySelection(state);
    return ClearSelection(state);
}

// A single-line control takes the first line of what is pasted; a number-only one refuses
// text that is not all digits.
bool PasteClipboard(EditState& state) {
    if (IsReadOnly(state)) return true;
    const std::optional<std::string> clip = GetClipboardText();
    if (!clip) return true;
    std::u32string text = edit_text::DecodeUtf8(*clip);
    if (!state.multiLine) {
        text.resize(std::size_t(std::find_if(text.begin(), text.end(), edit_text::IsLineBreak) -
                                text.begin()));
    }
    if ((StyleOf(state) & ES_NUMBER) != 0 &&
        !std::all_of(text.begin(), text.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; }))
        return true;
    return InsertText(state, text, EditKind::Other, true);
}

bool ClearSelection(EditState& state) {
    if (IsReadOnly(state) || !state.text.HasSelection()) return true;
    return ShowChange(state, state.text.ReplaceSelection(std::u32string_view(), EditKind::Other));
}

bool UndoLastStep(EditState& state) {
    if (IsReadOnly(state)) return true;
    const std::optional<EditChange> change = state.text.Undo();
    return change ? ShowChange(state, *change) : true;
}

}  // namespace vexa::sys::edit_control
