#include "vexa/system/window/Clipboard.h"

#include "vexa/system/window/DisplayBackend.h"

namespace vexa::sys {

namespace {

using Selection = DisplayBackend::SharedSelection;

struct ClipboardState {
    bool open = false;                   // between OpenClipboard and CloseClipboard
    HWND owner = 0;                      // the window that opened it
    std::optional<std::string> text;     // the clipboard, while the display shares none
    std::optional<std::string> primary;  // the primary selection, likewise
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
}

// The display, when its clipboard and selections are the desktop's.
DisplayBackend* SharingDisplay() {
    DisplayBackend& display = CurrentDisplay();
    return display.SharesSelections() ? &display : nullptr;
}

}  // namespace

bool OpenClipboard(HWND owner) {
    ClipboardState& state = State();
    if (state.open) return false;  // one opener at a time, as on the classic platform
    state.open = true;
    state.owner = owner;
    return true;
}

bool CloseClipboard() {
    ClipboardState& state = State();
    if (!state.open) return false;
    state.open = false;
    state.owner = 0;
    return true;
}

bool EmptyClipboard() {
    ClipboardState& state = State();
    if (!state.open) return false;
    state.text.reset();
    if (DisplayBackend* display = SharingDisplay()) {
        display->OfferSelection(Selection::Clipboard, std::nullopt);
    }
    return true;
}

bool SetClipboardText(const std::string& utf8) {
    ClipboardState& state = State();
    if (!state.open) return false;
    if (DisplayBackend* display = SharingDisplay()) {
        return display->OfferSelection(Selection::Clipboard, utf8);
    }
    state.text = utf8;
    return true;
}

std::optional<std::string> GetClipboardText() {
    if (DisplayBackend* display = SharingDisplay()) {
        return display->ReadSelection(Selection::Clipboard);
    }
    return State().text;
}

bool IsClipboardTextAvailable() {
    if (DisplayBackend* display = SharingDisplay()) {
        return display->SelectionHasText(Selection::Clipboard);
    }
    return State().text.has_value();
}

bool SetPrimarySelectionText(const std::string& utf8) {
    if (DisplayBackend* display = SharingDisplay()) {
        return display->OfferSelection(Selection::Primary, utf8);
    }
    State().primary = utf8;
    return true;
}

std::optional<std::string> GetPrimarySelectionText() {
    if (DisplayBackend* display = SharingDisplay()) {
        return display->ReadSelection(Selection::Primary);
    }
    return State().primary;
}

}  // namespace vexa::sys
