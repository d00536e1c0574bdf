#include "vexa/system/window/Clipboard.h"

namespace vexa::sys {

namespace {

struct ClipboardState {
    bool open = false;
    HWND owner = 0;
    std::optional<std::string> text;
};

ClipboardState& State() {
    static ClipboardState state;
    return state;
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
    return true;
}

bool SetClipboardText(const std::string& utf8) {
    ClipboardState& state = State();
    if (!state.open) return false;
    state.text = utf8;
    return true;
}

std::optional<std::string> GetClipboardText() {
    return State().text;
}

bool IsClipboardTextAvailable() {
    return State().text.has_value();
}

}  // namespace vexa::sys
