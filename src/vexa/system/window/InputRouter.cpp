// The input path: a native or injected event becomes a queued message for the right window,
// after hit testing, capture, activation, double-click detection and key-state bookkeeping.
#include <algorithm>
#include <cstdlib>

#include "vexa/system/window/Input.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

using namespace window_detail;

namespace {

WindowSystem& Ws() {
    return WindowSystem::Get();
}

struct MouseTarget {
    HWND hwnd = 0;
    LRESULT hit = HTNOWHERE;
};

struct ButtonMessages {
    UINT down;
    UINT up;
    UINT doubleClick;
    UINT ncDown;
    UINT ncUp;
    UINT ncDoubleClick;
};

ButtonMessages MessagesOf(int button) {
    switch (button) {
        case VK_RBUTTON:
            return {WM_RBUTTONDOWN,   WM_RBUTTONUP,   WM_RBUTTONDBLCLK,
                    WM_NCRBUTTONDOWN, WM_NCRBUTTONUP, WM_NCRBUTTONDBLCLK};
        case VK_MBUTTON:
            return {WM_MBUTTONDOWN,   WM_MBUTTONUP,   WM_MBUTTONDBLCLK,
                    WM_NCMBUTTONDOWN, WM_NCMBUTTONUP, WM_NCMBUTTONDBLCLK};
        default:
            return {WM_LBUTTONDOWN,   WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                    WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK};
    }
}

LPARAM ScreenLParam(POINT p) {
    return MAKELPARAM(p.x, p.y);
}

LPARAM ClientLParam(HWND hwnd, POINT screen) {
    ScreenToClient(hwnd, &screen);
    return MAKELPARAM(screen.x, screen.y);
}

// With the capture every mouse message goes to the capture window as a client message.
MouseTarget Route(POINT screen) {
    WindowSystem& ws = Ws();
    if (ws.capture != 0 && IsWindow(ws.capture)) return MouseTarget{ws.capture, HTCLIENT};
    HWND hwnd = WindowFromPoint(screen);
    while (hwnd != 0) {
        const LRESULT hit = SendMessage(hwnd, WM_NCHITTEST, 0, ScreenLParam(screen));
        if (hit != HTTRANSPARENT) return MouseTarget{hwnd, hit};
        hwnd = GetAncestor(hwnd, GA_PARENT);
        if (hwnd == GetDesktopWindow()) break;
    }
    return MouseTarget{};
}

void EndLeaveTracking(const MouseTarget& target) {
    WindowSystem& ws = Ws();
    if (ws.trackLeave == 0) return;
    if (ws.trackLeave == target.hwnd && target.hit == HTCLIENT) return;
    PostMessage(ws.trackLeave, WM_MOUSELEAVE, 0, 0);
    ws.trackLeave = 0;
}

bool IsDoubleClick(HWND hwnd, int button, POINT screen) {
    WindowSystem& ws = Ws();
    const ClickMemory& last = ws.lastClick;
    const std::uint64_t now = ws.Now();
    return last.hwnd == hwnd && last.button == button && !last.wasDoubleClick &&
           now - last.time <= ws.doubleClickTime &&
           std::abs(screen.x - last.point.x) <= ws.metrics[SM_CXDOUBLECLK] / 2 &&
           std::abs(screen.y - last.point.y) <= ws.metrics[SM_CYDOUBLECLK] / 2;
}

UINT PressMessage(const MouseTarget& target, int button, POINT screen) {
    WindowSystem& ws = Ws();
    const ButtonMessages messages = MessagesOf(button);
    const WindowRecord* w = ws.Find(target.hwnd);
    // The non-client area (scroll-bar arrows among it) gets double clicks in every window;
    // the client area only in windows whose class asks for them.
    const bool wantsDoubleClicks =
        w != nullptr && (target.hit != HTCLIENT || (w->windowClass.style & CS_DBLCLKS) != 0);
    if (wantsDoubleClicks && IsDoubleClick(target.hwnd, button, screen)) {
        ws.lastClick.wasDoubleClick = true;
        return target.hit == HTCLIENT ? messages.doubleClick : messages.ncDoubleClick;
    }
    ws.lastClick = ClickMemory{target.hwnd, button, ws.Now(), screen, false};
    return target.hit == HTCLIENT ? messages.down : messages.ncDown;
}

// Returns false when the window asked for the click to be eaten.
bool ActivateForClick(const MouseTarget& target, UINT message) {
    WindowSystem& ws = Ws();
    const HWND top = GetAncestor(target.hwnd, GA_ROOT);
    if (target.hwnd == ws.active) return true;
    const LRESULT answer = SendMessage(target.hwnd, WM_MOUSEACTIVATE, WPARAM(top),
                                       MAKELPARAM(std::int32_t(target.hit), std::int32_t(message)));
    const WindowRecord* topRecord = ws.Find(top);
    const bool activate = answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT;
    if (activate && top != ws.active && topRecord != nullptr &&
        (topRecord->exStyle & WS_EX_NOACTIVATE) == 0) {
        SetActiveWindow(top);
    }
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

// A move arriving while the previous move to the same window still waits, with nothing
// queued after it, replaces it: the queue holds one move however fast the pointer goes,
// as the classic queue does, so a slow handler never falls behind the hand.
bool ReplaceWaitingMove(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE) return false;
    WindowSystem& ws = Ws();
    if (ws.inputQueue.empty()) return false;
    MSG& last = ws.inputQueue.back();
    if (last.hwnd != hwnd || last.message != message || last.wParam != wParam) return false;
    last.lParam = lParam;
    last.time = DWORD(ws.Now());
    last.pt = ws.cursor;
    return true;
}

void PostMouseMessage(const MouseTarget& target, UINT clientMsg, UINT ncMsg, POINT screen) {
    const bool client = target.hit == HTCLIENT;
    const UINT message = client ? clientMsg : ncMsg;
    const WPARAM wParam = client ? MouseKeyFlags() : WPARAM(target.hit);
    const LPARAM lParam = client ? ClientLParam(target.hwnd, screen) : ScreenLParam(screen);
    if (ReplaceWaitingMove(target.hwnd, message, wParam, lParam)) return;
    PostInputMessage(target.hwnd, message, wParam, lParam);
}

void SetKey(int vk, bool down) {
    auto& keys = Ws().keys;
    std::uint8_t& state = keys[std::size_t(vk) & 0xFF];
    const bool wasDown = (state & 0x80) != 0;
    if (down && !wasDown) state ^= 0x01;  // toggled on each press
    state = std::uint8_t(down ? (state | 0x80) : (state & ~0x80));
}

struct ModifierSides {
    int generic;
    int left;
    int right;
};

constexpr ModifierSides kModifierSides[] = {
    {VK_SHIFT, VK_LSHIFT, VK_RSHIFT},
    {VK_CONTROL, VK_LCONTROL, VK_RCONTROL},
    {VK_MENU, VK_LMENU, VK_RMENU},
};

bool IsKeyDown(int vk) {
    return (Ws().keys[std::size_t(vk) & 0xFF] & 0x80) != 0;
}

// A generic modifier key moves its left key; the generic key is down while either side is.
void SetKeyWithSides(int vk, bool down) {
    const auto sides = std::find_if(std::begin(kModifierSides), std::end(kModifierSides),
                                    [vk](const ModifierSides& m) { return m.generic == vk; });
    SetKey(sides == std::end(kModifierSides) ? vk : sides->left, down);
    for (const ModifierSides& m : kModifierSides) {
        SetKey(m.generic, IsKeyDown(m.left) || IsKeyDown(m.right));
    }
}

int GenericKey(int vk) {
    switch (vk) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return vk;
    }
}

// A child of a disabled window gets no mouse input either: a modal box disables its owner's
// top-level window and so the whole of it.
bool AcceptsMouseInput(HWND hwnd) {
    for (HWND w = hwnd; w != 0; w = GetParent(w)) {
        if (!IsWindowEnabled(w)) return false;
        if ((GetWindowLongPtr(w, GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return hwnd != 0;
}

HWND KeyboardTarget() {
    WindowSystem& ws = Ws();
    if (ws.focus != 0 && IsWindow(ws.focus)) return ws.focus;
    return IsWindow(ws.active) ? ws.active : 0;
}

}  // namespace

void InjectMouseMove(POINT screenPoint) {
    WindowSystem& ws = Ws();
    const RECT screen{0, 0, ws.metrics[SM_CXSCREEN], ws.metrics[SM_CYSCREEN]};
    const RECT bounds = ws.cursorClip.value_or(screen);
    screenPoint.x = std::clamp(screenPoint.x, bounds.left, std::max(bounds.left, bounds.right - 1));
    screenPoint.y = std::clamp(screenPoint.y, bounds.top, std::max(bounds.top, bounds.bottom - 1));
    ws.cursor = screenPoint;
    const MouseTarget target = Route(screenPoint);
    EndLeaveTracking(target);
    if (!AcceptsMouseInput(target.hwnd)) return;
    if (ws.capture == 0) {
        SendMessage(target.hwnd, WM_SETCURSOR, WPARAM(target.hwnd),
                    MAKELPARAM(std::int32_t(target.hit), WM_MOUSEMOVE));
    }
    if (IsWindow(target.hwnd)) PostMouseMessage(target, WM_MOUSEMOVE, WM_NCMOUSEMOVE, screenPoint);
}

void InjectMouseButton(int button, bool down) {
    WindowSystem& ws = Ws();
    SetKey(button, down);
    const POINT screen = ws.cursor;
    const MouseTarget target = Route(screen);
    if (!AcceptsMouseInput(target.hwnd)) return;
    const ButtonMessages messages = MessagesOf(button);
    if (!down) {
        PostMouseMessage(target, messages.up, messages.ncUp, screen);
        return;
    }
    const UINT message = PressMessage(target, button, screen);
    if (ws.capture == 0) {
        if (!ActivateForClick(target, message)) return;
        if (!IsWindow(target.hwnd)) return;
        SendMessage(target.hwnd, WM_SETCURSOR, WPARAM(target.hwnd),
                    MAKELPARAM(std::int32_t(target.hit), std::int32_t(message)));
    }
    if (!IsWindow(target.hwnd)) return;
    if (target.hit == HTCLIENT) {
        PostInputMessage(target.hwnd, message, MouseKeyFlags(), ClientLParam(target.hwnd, screen));
    } else {
        PostInputMessage(target.hwnd, message, WPARAM(target.hit), ScreenLParam(screen));
    }
}

void InjectMouseWheel(int delta, bool horizontal) {
    WindowSystem& ws = Ws();
    HWND target = KeyboardTarget();
    if (target == 0) target = WindowFromPoint(ws.cursor);
    if (target == 0) return;
    PostInputMessage(target, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
                     MAKEWPARAM(std::int32_t(MouseKeyFlags()), delta), ScreenLParam(ws.cursor));
}

namespace {

// Posts the key message; returns whether one was posted (there is a window to take it).
bool PostKey(int virtualKey, bool down) {
    WindowSystem& ws = Ws();
    const bool wasDown = IsKeyDown(virtualKey);
    SetKeyWithSides(virtualKey, down);
    const HWND target = KeyboardTarget();
    if (target == 0) return false;
    const bool alt = IsKeyDown(VK_MENU);
    const bool ctrl = IsKeyDown(VK_CONTROL);
    const int vk = GenericKey(virtualKey);
    // With no focus window the active window gets every key as a system key.
    const bool noFocus = target != ws.focus;
    const bool system = noFocus || (alt && !ctrl) || vk == VK_F10 || (vk == VK_MENU && !ctrl);
    LPARAM flags = 1;  // repeat count
    if (alt) flags |= LPARAM(1) << 29;
    if (wasDown) flags |= LPARAM(1) << 30;
    if (!down) flags |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    const UINT message =
        down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    return PostInputMessage(target, message, WPARAM(vk), LPARAM(std::uint32_t(flags)));
}

}  // namespace

void InjectKey(int virtualKey, bool down) {
    PostKey(virtualKey, down);
}

void InjectKeyTyping(int virtualKey, std::u32string typed) {
    WindowSystem& ws = Ws();
    ws.typedKey.reset();
    if (!PostKey(virtualKey, true)) return;
    ws.typedKey = WindowSystem::TypedKey{ws.inputQueue.back(), std::move(typed)};
}

void SyncKeyState(int virtualKey, bool down) {
    SetKeyWithSides(virtualKey, down);
}

void InjectCharacter(char32_t codePoint) {
    const HWND target = KeyboardTarget();
    if (target != 0) PostInputMessage(target, WM_CHAR, WPARAM(codePoint), 1);
}

}  // namespace vexa::sys
