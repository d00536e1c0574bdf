// In-place editing of the current cell: the edit state, the text editors and their events.
// There are five text editors ("EDIT" windows, children of the grid's window), one for each
// combination of multi-line and scroll bars a cell may ask for, since an edit window cannot
// change those once it is made. The editor raises the events of the moment (TextEditChange,
// the editors' key and mouse events, the custom context menu) and tells the control when the
// user asks to commit or cancel or the editor loses the focus; commits and cancels themselves
// are the control's sequences.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "vexa/platform/ISubclass.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class EventSinks;
class Font;
class GridStore;

// What the editor needs from the roles above it.
class EditorHost {
  public:
    virtual sys::HWND GridWindow() const = 0;
    // Enter in the text editor.
    virtual void EditorDidAskToCommit() = 0;
    // Esc in the text editor.
    virtual void EditorDidAskToCancel() = 0;
    // The text editor lost the focus to another window.
    virtual void EditorDidLoseFocus() = 0;

  protected:
    ~EditorHost() = default;
};

// The persisted editing properties.
struct EditSettings {
    bool editable = true;            // editing is allowed at all
    bool silentValidation = false;   // a failed conversion shows no message box
    bool customContextMenu = false;  // the editors' context menu becomes an event
};

// The edit in progress.
enum class EditKind { None, Text, Combo, Check, Custom };

// How a text editor is set up for a cell, before any text goes in.
struct TextEditorSetup {
    std::int16_t instance = 0;   // 0..4
    std::int32_t maxLength = 0;  // below 1: no limit
    std::int32_t options = 0;    // ETextEditFlags to switch on; 0 switches all three off
    bool rightToLeft = false;    // right-to-left reading, right-aligned
    const Font* font = nullptr;
    sys::COLORREF backColor = 0;
    sys::COLORREF foreColor = 0;
};

class CellEditor final : private ISubclass {
  public:
    static constexpr std::int16_t kTextEditorCount = 5;

    CellEditor(GridStore& store, EventSinks& events, EditorHost& host);
    ~CellEditor() override;
    CellEditor(const CellEditor&) = delete;
    CellEditor& operator=(const CellEditor&) = delete;

    EditSettings& Settings() { return settings_; }
    const EditSettings& Settings() const { return settings_; }

    // ---- The edit state ----
    bool Editing() const { return kind_ != EditKind::None; }
    EditKind Kind() const { return kind_; }
    // The text editor (0..4) or the combo list (its index) in use.
    std::int16_t Instance() const { return instance_; }
    void SetInstance(std::int16_t instance) { instance_ = instance; }
    // Changes whenever an edit begins or ends, so that a sequence can tell whether the edit it
    // started is still the one in progress after an event.
    std::uint64_t Session() const { return session_; }
    void Begin(EditKind kind);
    void End();
    // TextEditChange is raised only while set; combo edits use it to let one selection pass.
    bool EventsEnabled() const { return eventsEnabled_; }
    void SetEventsEnabled(bool enabled) { eventsEnabled_ = enabled; }
    // The edited cell's selected flag when the text edit began.
    bool SavedSelection() const { return savedSelection_; }
    void SetSavedSelection(bool selected) { savedSelection_ = selected; }
    // A request or commit is under way: nested ones (from the host's handlers, or from the
    // focus moving to a message box) are not started.
    bool Busy() const { return busy_ > 0; }
    class BusyScope {
      public:
        explicit BusyScope(CellEditor& editor) : editor_(editor) { ++editor_.busy_; }
        ~BusyScope() { --editor_.busy_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        CellEditor& editor_;
    };

    // ---- The text editor in use ----
    void PrepareTextEditor(const TextEditorSetup& setup);
    // Puts text in; TextEditChange follows when the events flag is set and the text changed.
    void SetEditorText(const std::string& text);
    // A typed key leaves the caret at the end; otherwise the whole text is selected.
    void PlaceCaret(bool typed);
    // Moves the editor over `rect` (the grid window's client coordinates), shows it and gives
    // it the focus.
    void ShowTextEditor(const sys::RECT& rect);
    // Hides the editor, giving the focus back to the grid when the editor had it.
    void HideTextEditor();
    void FocusTextEditor();
    // The editor in use while a text edit is in progress, else 0.
    sys::HWND TextEditorWindow() const;
    std::string EditorText() const;
    std::int32_t SelStart() const;
    std::int32_t SelLength() const;
    std::string SelText() const;
    void SetSelStart(std::int32_t start);
    void SetSelLength(std::int32_t length);
    void ReplaceSelection(const std::string& text);

    // Shows the conversion error in a modal message box over the grid.
    void ShowConversionError(std::int32_t error);
    // Starts or stops turning the editors' context menu into TextEditCustomContextMenu.
    void SetCustomContextMenu(bool on);

    // ---- Notifications the grid's window receives from the editors ----
    void OnEditorCommand(sys::HWND editor, sys::UINT code);
    // The editor's colours (WM_CTLCOLOREDIT); 0 for a window that is no editor of the grid.
    sys::LRESULT OnEditorColors(sys::HDC dc, sys::HWND editor);

  private:
    sys::HWND EditorWindow(std::int16_t instance);
    bool IsEditorInUse(sys::HWND hwnd) const;
    void ReleaseColors();

    // ISubclass: the editors' key, mouse and context-menu messages (CellEditorInput.cpp).
    EMsgResponse MsgResponse() override { return emrConsume; }
    sys::LRESULT WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                            sys::LPARAM lParam) override;
    sys::LRESULT OnKey(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam, sys::LPARAM lParam);
    sys::LRESULT OnChar(sys::HWND hwnd, sys::WPARAM wParam, sys::LPARAM lParam);
    sys::LRESULT OnMouse(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam, sys::LPARAM lParam);
    void AttachInput(sys::HWND hwnd);
    void DetachInput(sys::HWND hwnd);

    GridStore& store_;
    EventSinks& events_;
    EditorHost& host_;
    EditSettings settings_;
    EditKind kind_ = EditKind::None;
    std::int16_t instance_ = 0;
    std::uint64_t session_ = 0;
    bool eventsEnabled_ = true;
    bool savedSelection_ = false;
    std::int32_t busy_ = 0;
    std::array<sys::HWND, kTextEditorCount> editors_{};  // made when first needed
    sys::HFONT font_ = 0;                                // the edited cell's font, owned
    sys::HBRUSH backBrush_ = 0;                          // the editor's background, owned
    sys::COLORREF foreColor_ = 0;
    sys::COLORREF backColor_ = 0;
};

}  // namespace vexa
