// Focus, activation, capture, the cursor, point-to-window lookups, coordinate mapping and the
// key state.
#include <algorithm>

#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/Input.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

using namespace window_detail;

namespace {

WindowSystem& Ws() {
    return WindowSystem::Get();
}

bool IsSelfOrDescendant(HWND ancestor, HWND hwnd) {
    return hwnd != 0 && (hwnd == ancestor || IsChild(ancestor, hwnd));
}

RECT ScreenRect() {
    return RECT{0, 0, Ws().metrics[SM_CXSCREEN], Ws().metrics[SM_CYSCREEN]};
}

POINT ClampToRect(POINT p, const RECT& r) {
    return POINT{std::clamp(p.x, r.left, std::max(r.left, r.right - 1)),
                 std::clamp(p.y, r.top, std::max(r.top, r.bottom - 1))};
}

POINT ClientOriginOrScreen(HWND hwnd, bool* ok) {
    *ok = true;
    if (hwnd == 0 || hwnd == GetDesktopWindow()) return POINT{0, 0};
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) {
        *ok = false;
        return POINT{0, 0};
    }
    return ClientScreenOrigin(*w);
}

HWND DeepestChildAt(HWND hwnd, POINT screen) {
    const WindowRecord* w = Ws().Find(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    const POINT origin = ClientScreenOrigin(*w);
    if (!Contains(Offset(client, origin.x, origin.y), screen)) return hwnd;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        const WindowRecord* child = Ws().Find(*it);
        if (child == nullptr || (child->style & WS_VISIBLE) == 0) continue;
        RECT rect;
        GetWindowRect(*it, &rect);
        if (!Contains(rect, screen)) continue;
        // A disabled child lets the point fall through to its parent.
        if ((child->style & WS_DISABLED) != 0) return hwnd;
        return DeepestChildAt(*it, screen);
    }
    return hwnd;
}

void NotifyActivation(HWND hwnd, bool active, HWND other) {
    if (!IsWindow(hwnd)) return;
    SendMessage(hwnd, WM_NCACTIVATE, active ? 1 : 0, 0);
    if (!IsWindow(hwnd)) return;
    SendMessage(hwnd, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, LPARAM(other));
}

}  // namespace

namespace window_detail {

void ForgetWindowInput(HWND hwnd) {
    WindowSystem& ws = Ws();
    if (IsSelfOrDescendant(hwnd, ws.capture)) ReleaseCapture();
    if (IsSelfOrDescendant(hwnd, ws.trackLeave)) ws.trackLeave = 0;
    if (IsSelfOrDescendant(hwnd, ws.focus)) {
        const WindowRecord* w = ws.Find(hwnd);
        HWND next = 0;
        if (w != nullptr && w->IsChild()) {
            const WindowRecord* parent = ws.Find(w->parent);
            if (parent != nullptr && !parent->destroying && IsVisibleChain(*parent) &&
                IsWindowEnabled(w->parent)) {
                next = w->parent;
            }
        }
        SetFocus(next);
    }
}

WPARAM MouseKeyFlags() {
    const auto& keys = Ws().keys;
    WPARAM flags = 0;
    if ((keys[VK_LBUTTON] & 0x80) != 0) flags |= MK_LBUTTON;
    if ((keys[VK_RBUTTON] & 0x80) != 0) flags |= MK_RBUTTON;
    if ((keys[VK_MBUTTON] & 0x80) != 0) flags |= MK_MBUTTON;
    if ((keys[VK_SHIFT] & 0x80) != 0) flags |= MK_SHIFT;
    if ((keys[VK_CONTROL] & 0x80) != 0) flags |= MK_CONTROL;
    return flags;
}

}  // namespace window_detail

HWND SetFocus(HWND hwnd) {
    WindowSystem& ws = Ws();
    const HWND old = ws.focus;
    if (hwnd != 0) {
        const WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || w->destroying || (w->style & WS_DISABLED) != 0) return 0;
        if (w->processId != GetCurrentProcessId()) return 0;
        if (hwnd == old) return old;
        const HWND top = GetAncestor(hwnd, GA_ROOT);
        if (top != ws.active) {
            ws.focusChangeInProgress = true;
            SetActiveWindow(top);
            ws.focusChangeInProgress = false;
            if (!IsWindow(hwnd)) return 0;
        }
    } else if (old == 0) {
        return 0;
    }
    const HWND previous = ws.focus;
    ws.focus = hwnd;
    if (previous != 0 && IsWindow(previous)) SendMessage(previous, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (hwnd != 0 && ws.focus == hwnd) SendMessage(hwnd, WM_SETFOCUS, WPARAM(previous), 0);
    return previous;
}

HWND GetFocus() {
    return Ws().focus;
}

HWND SetActiveWindow(HWND hwnd) {
    WindowSystem& ws = Ws();
    const HWND old = ws.active;
    if (hwnd != 0) {
        const WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || w->IsChild() || w->destroying) return 0;
    }
    if (hwnd == old) return old;
    ws.active = hwnd;
    if (old != 0) NotifyActivation(old, false, hwnd);
    if (hwnd == 0 || ws.active != hwnd) return old;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ws.Display().Activate(hwnd);
    NotifyActivation(hwnd, true, old);
    return old;
}

HWND GetActiveWindow() {
    return Ws().active;
}

HWND SetCapture(HWND hwnd) {
    WindowSystem& ws = Ws();
    if (ws.Find(hwnd) == nullptr) return 0;
    const HWND old = ws.capture;
    if (old == hwnd) return old;
    ws.capture = hwnd;
    if (old != 0 && IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    if (ws.capture == hwnd) ws.Display().GrabPointer(GetAncestor(hwnd, GA_ROOT), true);
    return old;
}

bool ReleaseCapture() {
    WindowSystem& ws = Ws();
    const HWND old = ws.capture;
    if (old == 0) return true;
    ws.capture = 0;
    ws.Display().GrabPointer(IsWindow(old) ? GetAncestor(old, GA_ROOT) : 0, false);
    if (IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture() {
    return Ws().capture;
}

bool GetCursorPos(POINT* point) {
    if (point == nullptr) return false;
    *point = Ws().cursor;
    return true;
}

bool SetCursorPos(int x, int y) {
    InjectMouseMove(POINT{x, y});
    Ws().Display().WarpPointer(Ws().cursor);
    return true;
}

bool ClipCursor(const RECT* rect) {
    WindowSystem& ws = Ws();
    if (rect == nullptr) {
        ws.cursorClip.reset();
        return true;
    }
    RECT clip = Intersection(*rect, ScreenRect());
    if (RectIsEmpty(clip)) {
        // A degenerate confinement pins the cursor to the nearest screen point.
        const POINT corner = ClampToRect(POINT{rect->left, rect->top}, ScreenRect());
        clip = RECT{corner.x, corner.y, corner.x + 1, corner.y + 1};
    }
    ws.cursorClip = clip;
    if (!Contains(clip, ws.cursor)) SetCursorPos(ws.cursor.x, ws.cursor.y);
    return true;
}

bool GetClipCursor(RECT* rect) {
    if (rect == nullptr) return false;
    *rect = Ws().cursorClip.value_or(ScreenRect());
    return true;
}

HCURSOR LoadCursor(std::uintptr_t instance, HCURSOR id) {
    (void)instance;  // every cursor is a system cursor here
    return id;
}

HCURSOR SetCursor(HCURSOR cursor) {
    WindowSystem& ws = Ws();
    const HCURSOR old = ws.cursorShape;
    if (cursor != old) {
        ws.cursorShape = cursor;
        ws.Display().SetCursorShape(cursor);
    }
    return old;
}

HCURSOR GetCursor() {
    return Ws().cursorShape;
}

bool TrackMouseEvent(TRACKMOUSEEVENT* track) {
    WindowSystem& ws = Ws();
    if (track == nullptr) return false;
    if ((track->dwFlags & TME_CANCEL) != 0) {
        if (ws.trackLeave == track->hwndTrack) ws.trackLeave = 0;
        return true;
    }
    if ((track->dwFlags & TME_LEAVE) == 0) return true;
    if (ws.Find(track->hwndTrack) == nullptr) return false;
    RECT client;
    GetClientRect(track->hwndTrack, &client);
    POINT p = ws.cursor;
    ScreenToClient(track->hwndTrack, &p);
    if (WindowFromPoint(ws.cursor) != track->hwndTrack || !Contains(client, p)) {
        PostMessage(track->hwndTrack, WM_MOUSELEAVE, 0, 0);  // already outside
        return true;
    }
    ws.trackLeave = track->hwndTrack;
    return true;
}

HWND WindowFromPoint(POINT screenPoint) {
    const auto& order = Ws().topLevels;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const WindowRecord* w = Ws().Find(*it);
        if (w == nullptr || (w->style & WS_VISIBLE) == 0) continue;
        if (!Contains(w->rect, screenPoint)) continue;
        return DeepestChildAt(*it, screenPoint);
    }
    return 0;
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint) {
    const WindowRecord* w = Ws().Find(parent);
    if (w == nullptr) return 0;
    RECT client;
    GetClientRect(parent, &client);
    if (!Contains(client, clientPoint)) return 0;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        const WindowRecord* child = Ws().Find(*it);
        if (child != nullptr && Contains(child->rect, clientPoint)) return *it;
    }
    return parent;
}

bool ClientToScreen(HWND hwnd, POINT* point) {
    bool ok = false;
    const POINT origin = ClientOriginOrScreen(hwnd, &ok);
    if (!ok || point == nullptr || hwnd == 0) return false;
    point->x += origin.x;
    point->y += origin.y;
    return true;
}

bool ScreenToClient(HWND hwnd, POINT* point) {
    bool ok = false;
    const POINT origin = ClientOriginOrScreen(hwnd, &ok);
    if (!ok || point == nullptr || hwnd == 0) return false;
    point->x -= origin.x;
    point->y -= origin.y;
    return true;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    bool fromOk = false;
    bool toOk = false;
    const POINT a = ClientOriginOrScreen(from, &fromOk);
    const POINT b = ClientOriginOrScreen(to, &toOk);
    if (!fromOk || !toOk) return 0;
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return int(std::uint32_t(std::uint16_t(dx)) | (std::uint32_t(std::uint16_t(dy)) << 16));
}

int MapWindowPoints(HWND from, HWND to, RECT* rect) {
    if (rect == nullptr) return 0;
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    const int result = MapWindowPoints(from, to, corners, 2);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return result;
}

std::int16_t GetKeyState(int virtualKey) {
    const std::uint8_t state = Ws().keys[std::size_t(virtualKey) & 0xFF];
    return std::int16_t(((state & 0x80) != 0 ? 0x8000 : 0) | (state & 0x01));
}

std::int16_t GetAsyncKeyState(int virtualKey) {
    const std::uint8_t state = Ws().keys[std::size_t(virtualKey) & 0xFF];
    return std::int16_t((state & 0x80) != 0 ? 0x8000 : 0);
}

UINT GetDoubleClickTime() {
    return Ws().doubleClickTime;
}

bool SetDoubleClickTime(UINT milliseconds) {
    Ws().doubleClickTime = milliseconds == 0 ? 500 : milliseconds;
    return true;
}

}  // namespace vexa::sys
