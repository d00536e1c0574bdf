// Window data slots, procedures, named properties and window text.
#include <algorithm>
#include <cstring>

#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

namespace {

WindowSystem& Ws() {
    return WindowSystem::Get();
}

LPARAM ChangeStyle(HWND hwnd, int index, UINT newValue) {
    WindowRecord* w = Ws().Find(hwnd);
    UINT& field = index == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT change{field, newValue};
    SendMessage(hwnd, WM_STYLECHANGING, WPARAM(index), LPARAM(&change));
    w = Ws().Find(hwnd);
    if (w == nullptr) return 0;
    UINT& current = index == GWL_STYLE ? w->style : w->exStyle;
    const UINT old = current;
    current = change.styleNew;
    change.styleOld = old;
    SendMessage(hwnd, WM_STYLECHANGED, WPARAM(index), LPARAM(&change));
    return LPARAM(old);
}

// Whether `owner` appears on the owner chain of `hwnd` (or is hwnd): a cycle otherwise.
bool OwnsDirectlyOrIndirectly(HWND owner, HWND hwnd) {
    for (const WindowRecord* w = Ws().Find(hwnd); w != nullptr; w = Ws().Find(w->owner)) {
        if (w->hwnd == owner) return true;
    }
    return false;
}

}  // namespace

LPARAM GetWindowLongPtr(HWND hwnd, int index) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return 0;
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LPARAM>(w->proc);
        case GWLP_USERDATA:
            return w->userData;
        case GWL_STYLE:
            return LPARAM(w->style);
        case GWL_EXSTYLE:
            return LPARAM(w->exStyle);
        case GWLP_ID:
            return LPARAM(w->id);
        case GWLP_HWNDPARENT:
            return LPARAM(w->IsChild() ? w->parent : w->owner);
        default:
            return 0;
    }
}

LPARAM SetWindowLongPtr(HWND hwnd, int index, LPARAM value) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return 0;
    LPARAM previous = GetWindowLongPtr(hwnd, index);
    switch (index) {
        case GWLP_WNDPROC:
            // Another process's procedure is out of reach, a missing one would leave the window
            // unable to take any message, and a window in its last message takes no new one.
            if (w->processId != GetCurrentProcessId() || value == 0 || w->finalizing) return 0;
            w->proc = reinterpret_cast<WNDPROC>(value);
            return previous;
        case GWLP_USERDATA:
            w->userData = value;
            return previous;
        case GWL_STYLE:
        case GWL_EXSTYLE:
            // A put-off update was decided under the style as it is (which bars show).
            RunDeferredUpdates();
            return ChangeStyle(hwnd, index, UINT(value));
        case GWLP_ID:
            w->id = std::uintptr_t(value);
            return previous;
        case GWLP_HWNDPARENT:
            if (w->IsTopLevel() && (value == 0 || Ws().Find(HWND(value)) != nullptr) &&
                !OwnsDirectlyOrIndirectly(hwnd, HWND(value))) {
                w->owner = HWND(value);
                return previous;
            }
            return 0;
        default:
            return 0;
    }
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (proc == nullptr) return 0;
    return proc(hwnd, msg, wParam, lParam);
}

bool SetProp(HWND hwnd, const std::string& name, std::intptr_t value) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr || name.empty()) return false;
    w->props[name] = value;
    return true;
}

std::intptr_t GetProp(HWND hwnd, const std::string& name) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return 0;
    auto found = w->props.find(name);
    return found == w->props.end() ? 0 : found->second;
}

std::intptr_t RemoveProp(HWND hwnd, const std::string& name) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return 0;
    auto found = w->props.find(name);
    if (found == w->props.end()) return 0;
    const std::intptr_t value = found->second;
    w->props.erase(found);
    return value;
}

bool SetWindowText(HWND hwnd, const std::string& text) {
    if (Ws().Find(hwnd) == nullptr) return false;
    return SendMessage(hwnd, WM_SETTEXT, 0, LPARAM(text.c_str())) != 0;
}

int GetWindowTextLength(HWND hwnd) {
    if (Ws().Find(hwnd) == nullptr) return 0;
    return int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::string GetWindowText(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    if (length <= 0) return std::string();
    std::string buffer(std::size_t(length) + 1, '\0');
    const LRESULT copied =
        SendMessage(hwnd, WM_GETTEXT, WPARAM(buffer.size()), LPARAM(buffer.data()));
    buffer.resize(std::size_t(std::clamp<LRESULT>(copied, 0, length)));
    return buffer;
}

}  // namespace vexa::sys
