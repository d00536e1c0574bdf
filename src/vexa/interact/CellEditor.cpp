// The edit state and the text editors' windows. Their key, mouse and context-menu messages
// are in CellEditorInput.cpp.
#include "vexa/interact/CellEditor.h"

#include <unicode/unistr.h>

#include <algorithm>

#include "vexa/events/EventSinks.h"
#include "vexa/interact/EditRules.h"
#include "vexa/model/GridStore.h"
#include "vexa/platform/GSubclass.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/controls/EditControl.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::uintptr_t kFirstEditorId = 0x7E00;
constexpr sys::UINT kOptionStyles = sys::ES_NUMBER | sys::ES_UPPERCASE | sys::ES_LOWERCASE;
constexpr sys::UINT kAlignmentStyles = sys::ES_LEFT | sys::ES_CENTER | sys::ES_RIGHT;
constexpr const char* kValidationTitle = "Input validation";

// Multi-line and scroll bars are fixed when an edit window is made: one window per kind.
constexpr std::array<sys::UINT, CellEditor::kTextEditorCount> kEditorStyles = {
    sys::ES_AUTOHSCROLL,
    sys::ES_MULTILINE | sys::ES_AUTOVSCROLL,
    sys::ES_MULTILINE | sys::ES_AUTOVSCROLL | sys::WS_VSCROLL,
    sys::ES_MULTILINE | sys::ES_AUTOVSCROLL | sys::ES_AUTOHSCROLL | sys::WS_HSCROLL,
    sys::ES_MULTILINE | sys::ES_AUTOVSCROLL | sys::ES_AUTOHSCROLL | sys::WS_HSCROLL |
        sys::WS_VSCROLL,
};

struct Selection {
    std::int32_t start = 0;
    std::int32_t end = 0;
};

Selection SelectionOf(sys::HWND editor) {
    sys::DWORD start = 0, end = 0;
    sys::SendMessage(editor, sys::EM_GETSEL, reinterpret_cast<sys::WPARAM>(&start),
                     reinterpret_cast<sys::LPARAM>(&end));
    return {std::int32_t(start), std::int32_t(end)};
}

}  // namespace

CellEditor::CellEditor(GridStore& store, EventSinks& events, EditorHost& host)
    : store_(store), events_(events), host_(host) {}

CellEditor::~CellEditor() {
    for (sys::HWND editor : editors_) {
        if (!sys::IsWindow(editor)) continue;
        DetachInput(editor);
        sys::DestroyWindow(editor);
    }
    ReleaseColors();
    if (font_ != 0) sys::DeleteObject(font_);
}

// ---- The edit state ----

void CellEditor::Begin(EditKind kind) {
    kind_ = kind;
    ++session_;
}

void CellEditor::End() {
    kind_ = EditKind::None;
    ++session_;
}

// ---- The text editors ----

sys::HWND CellEditor::EditorWindow(std::int16_t instance) {
    sys::HWND& editor = editors_[std::size_t(instance)];
    if (sys::IsWindow(editor)) return editor;
    sys::RegisterEditControl();
    editor = sys::CreateWindowEx(0, sys::kEditClassName, "",
                                 sys::WS_CHILD | kEditorStyles[std::size_t(instance)], 0, 0, 0, 0,
                                 host_.GridWindow(), kFirstEditorId + std::uintptr_t(instance));
    if (editor != 0) AttachInput(editor);
    return editor;
}

bool CellEditor::IsEditorInUse(sys::HWND hwnd) const {
    return hwnd != 0 && hwnd == TextEditorWindow();
}

sys::HWND CellEditor::TextEditorWindow() const {
    if (kind_ != EditKind::Text || instance_ < 0 || instance_ >= kTextEditorCount) return 0;
    return editors_[std::size_t(instance_)];
}

void CellEditor::PrepareTextEditor(const TextEditorSetup& setup) {
    instance_ = std::clamp<std::int16_t>(setup.instance, 0, kTextEditorCount - 1);
    const sys::HWND editor = EditorWindow(instance_);
    if (editor == 0) return;
    sys::SendMessage(editor, sys::EM_LIMITTEXT,
                     setup.maxLength < 1 ? 0 : sys::WPARAM(setup.maxLength));
    auto style = sys::UINT(sys::GetWindowLongPtr(editor, sys::GWL_STYLE));
    style &= ~(kOptionStyles | kAlignmentStyles);
    style |= sys::UINT(setup.options) & kOptionStyles;
    style |= setup.rightToLeft ? sys::ES_RIGHT : sys::ES_LEFT;
    sys::SetWindowLongPtr(editor, sys::GWL_STYLE, sys::LPARAM(style));
    auto exStyle = sys::UINT(sys::GetWindowLongPtr(editor, sys::GWL_EXSTYLE));
    exStyle =
        setup.rightToLeft ? (exStyle | sys::WS_EX_RTLREADING) : (exStyle & ~sys::WS_EX_RTLREADING);
    sys::SetWindowLongPtr(editor, sys::GWL_EXSTYLE, sys::LPARAM(exStyle));

    const sys::HFONT previous = font_;
    font_ = setup.font != nullptr ? sys::CreateFontFromObject(*setup.font) : 0;
    sys::SendMessage(editor, sys::WM_SETFONT, sys::WPARAM(font_), 0);
    if (previous != 0) sys::DeleteObject(previous);
    ReleaseColors();
    backColor_ = setup.backColor;
    foreColor_ = setup.foreColor;
    backBrush_ = sys::CreateSolidBrush(backColor_);
}

void CellEditor::ReleaseColors() {
    if (backBrush_ != 0) sys::DeleteObject(backBrush_);
    backBrush_ = 0;
}

void CellEditor::SetEditorText(const std::string& text) {
    if (const sys::HWND editor = editors_[std::size_t(instance_)]) sys::SetWindowText(editor, text);
}

void CellEditor::PlaceCaret(bool typed) {
    const sys::HWND editor = editors_[std::size_t(instance_)];
    if (editor == 0) return;
    if (typed) {
        // Positions past the end stand for the end.
        sys::SendMessage(editor, sys::EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
    } else {
        sys::SendMessage(editor, sys::EM_SETSEL, 0, -1);
    }
    sys::SendMessage(editor, sys::EM_SCROLLCARET);
}

void CellEditor::ShowTextEditor(const sys::RECT& rect) {
    const sys::HWND editor = TextEditorWindow();
    if (editor == 0) return;
    // Only the editor paints: the grid under it needs no repaint of its own.
    sys::SetWindowPos(editor, sys::HWND_TOP, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, sys::SWP_SHOWWINDOW | sys::SWP_NOREDRAW);
    sys::InvalidateRect(editor, nullptr, true);
    sys::SetFocus(editor);
}

// The grid repaints the edited cell's row itself, which covers where the editor was.
void CellEditor::HideTextEditor() {
    for (sys::HWND editor : editors_) {
        if (editor == 0 || !sys::IsWindowVisible(editor)) continue;
        if (sys::GetFocus() == editor) sys::SetFocus(host_.GridWindow());
        sys::SetWindowPos(editor, 0, 0, 0, 0, 0,
                          sys::SWP_HIDEWINDOW | sys::SWP_NOMOVE | sys::SWP_NOSIZE |
                              sys::SWP_NOZORDER | sys::SWP_NOACTIVATE | sys::SWP_NOREDRAW);
    }
}

void CellEditor::FocusTextEditor() {
    if (const sys::HWND editor = TextEditorWindow()) sys::SetFocus(editor);
}

std::string CellEditor::EditorText() const {
    const sys::HWND editor = TextEditorWindow();
    return editor != 0 ? sys::GetWindowText(editor) : std::string();
}

std::int32_t CellEditor::SelStart() const {
    const sys::HWND editor = TextEditorWindow();
    return editor != 0 ? SelectionOf(editor).start : 0;
}

std::int32_t CellEditor::SelLength() const {
    const sys::HWND editor = TextEditorWindow();
    if (editor == 0) return 0;
    const Selection selection = SelectionOf(editor);
    return selection.end - selection.start;
}

std::string CellEditor::SelText() const {
    const sys::HWND editor = TextEditorWindow();
    if (editor == 0) return {};
    const Selection selection = SelectionOf(editor);
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(sys::GetWindowText(editor));
    const std::int32_t start = text.moveIndex32(0, selection.start);
    const std::int32_t end = text.moveIndex32(start, selection.end - selection.start);
    std::string selected;
    text.tempSubString(start, end - start).toUTF8String(selected);
    return selected;
}

void CellEditor::SetSelStart(std::int32_t start) {
    const sys::HWND editor = TextEditorWindow();
    if (editor == 0) return;
    const std::int32_t at = std::max(start, 0);
    sys::SendMessage(editor, sys::EM_SETSEL, sys::WPARAM(at), sys::LPARAM(at));
}

void CellEditor::SetSelLength(std::int32_t length) {
    const sys::HWND editor = TextEditorWindow();
    if (editor == 0) return;
    const std::int32_t start = SelectionOf(editor).start;
    sys::SendMessage(editor, sys::EM_SETSEL, sys::WPARAM(start),
                     sys::LPARAM(start + std::max(length, 0)));
}

void CellEditor::ReplaceSelection(const std::string& text) {
    const sys::HWND editor = TextEditorWindow();
    if (editor == 0) return;
    sys::SendMessage(editor, sys::EM_REPLACESEL, 1, reinterpret_cast<sys::LPARAM>(text.c_str()));
}

void CellEditor::ShowConversionError(std::int32_t error) {
    sys::MessageBox(host_.GridWindow(), ConversionErrorText(error), kValidationTitle,
                    sys::MB_OK | sys::MB_ICONERROR);
}

void CellEditor::SetCustomContextMenu(bool on) {
    if (on == settings_.customContextMenu) return;
    settings_.customContextMenu = on;
    for (sys::HWND editor : editors_) {
        if (!sys::IsWindow(editor)) continue;
        if (on) {
            AttachMessage(this, editor, sys::WM_CONTEXTMENU);
        } else {
            DetachMessage(this, editor, sys::WM_CONTEXTMENU);
        }
    }
}

// ---- Notifications ----

void CellEditor::OnEditorCommand(sys::HWND editor, sys::UINT code) {
    if (!IsEditorInUse(editor)) return;
    if (code == sys::EN_CHANGE && eventsEnabled_) {
        TableWalk walk(store_);
        const std::int32_t row = store_.CurrentRow(), col = store_.CurrentCol();
        events_.Raise("TextEditChange", [&](VexaEvents& e) { e.TextEditChange(row, col); });
    } else if (code == sys::EN_KILLFOCUS) {
        host_.EditorDidLoseFocus();
    }
}

sys::LRESULT CellEditor::OnEditorColors(sys::HDC dc, sys::HWND editor) {
    if (std::find(editors_.begin(), editors_.end(), editor) == editors_.end() || editor == 0) {
        return 0;
    }
    sys::SetTextColor(dc, foreColor_);
    sys::SetBkColor(dc, backColor_);
    return sys::LRESULT(backBrush_ != 0 ? backBrush_ : sys::GetSysColorBrush(sys::COLOR_WINDOW));
}

}  // namespace vexa
