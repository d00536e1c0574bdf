// Rectangles, the non-client area, moving, sizing, z-order, showing and enabling.
#include <algorithm>

#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

using namespace window_detail;

namespace {

WindowSystem& Ws() {
    return WindowSystem::Get();
}

bool IsTopmost(HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    return w != nullptr && (w->exStyle & WS_EX_TOPMOST) != 0;
}

void PlaceChild(WindowRecord& w, HWND insertAfter) {
    WindowRecord* parent = Ws().Find(w.parent);
    if (parent == nullptr) return;
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w.hwnd), siblings.end());
    if (insertAfter == HWND_BOTTOM) {
        siblings.insert(siblings.begin(), w.hwnd);
        return;
    }
    auto below = std::find(siblings.begin(), siblings.end(), insertAfter);
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || below == siblings.end()) {
        siblings.push_back(w.hwnd);
    } else {
        siblings.insert(below, w.hwnd);  // directly behind insertAfter
    }
}

void ApplyZOrder(WindowRecord& w, HWND insertAfter);

// Owned windows (drop-down lists, dialogs) stay above their owner, as on the classic platform.
void RaiseOwnedWindows(HWND owner) {
    std::vector<HWND> owned;
    for (HWND top : Ws().topLevels) {
        const WindowRecord* candidate = Ws().Find(top);
        if (candidate != nullptr && candidate->owner == owner) owned.push_back(top);
    }
    for (HWND hwnd : owned) {
        if (WindowRecord* w = Ws().Find(hwnd)) ApplyZOrder(*w, HWND_TOP);
    }
}

void ApplyZOrder(WindowRecord& w, HWND insertAfter) {
    if (w.IsChild()) {
        PlaceChild(w, insertAfter);
        return;
    }
    RemoveFromZOrder(w);
    InsertTopLevel(w, insertAfter);
    Ws().Display().Restack(w.hwnd, TopLevelAbove(w.hwnd));
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST) RaiseOwnedWindows(w.hwnd);
}

void ChangeVisibility(WindowRecord& w, bool show) {
    if (show) {
        w.style |= WS_VISIBLE;
    } else {
        w.style &= ~WS_VISIBLE;
    }
    if (w.IsTopLevel()) Ws().Display().Show(w.hwnd, show);
}

// Repaints what a geometry or visibility change uncovered and what it exposed.
void InvalidateAfterChange(HWND hwnd, const RECT& oldRect, bool wasVisible, UINT flags) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr || (flags & SWP_NOREDRAW) != 0) return;
    const bool visible = (w->style & WS_VISIBLE) != 0;
    if (w->IsChild()) {
        if (wasVisible) InvalidateParentArea(*w, oldRect);
        if (visible) InvalidateParentArea(*w, w->rect);
    }
    if (visible) InvalidateWindowTree(hwnd);
}

void MoveBackBuffer(WindowRecord& w, bool sized) {
    if (!w.IsTopLevel()) return;
    if (sized) ResizeBackBuffer(w);
    Ws().Display().Move(w.hwnd, w.rect);
}

void ActivateAfterShow(HWND hwnd, UINT flags) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr || w->IsChild() || (flags & SWP_NOACTIVATE) != 0) return;
    if ((w->exStyle & WS_EX_NOACTIVATE) != 0) return;
    SetActiveWindow(hwnd);
}

}  // namespace

void window_detail::MoveActivationAwayFrom(HWND hwnd) {
    WindowSystem& ws = Ws();
    if (ws.active != hwnd) return;
    const WindowRecord* w = ws.Find(hwnd);
    HWND next = (w != nullptr && w->owner != 0 && IsWindowVisible(w->owner)) ? w->owner : 0;
    if (next == 0) {
        for (auto it = ws.topLevels.rbegin(); it != ws.topLevels.rend(); ++it) {
            const WindowRecord* candidate = ws.Find(*it);
            if (*it != hwnd && candidate != nullptr && (candidate->style & WS_VISIBLE) != 0 &&
                !candidate->destroying && (candidate->exStyle & WS_EX_NOACTIVATE) == 0) {
                next = *it;
                break;
            }
        }
    }
    SetActiveWindow(next);
}

namespace {

// Final WINDOWPOS flags say what really changed, so that DefWindowProc sends WM_MOVE and
// WM_SIZE only for real changes.
UINT ActualChangeFlags(UINT flags, const RECT& oldRect, const RECT& newRect, bool clientChanged) {
    const bool moved = oldRect.left != newRect.left || oldRect.top != newRect.top;
    const bool sized = (oldRect.right - oldRect.left) != (newRect.right - newRect.left) ||
                       (oldRect.bottom - oldRect.top) != (newRect.bottom - newRect.top);
    UINT result = flags & ~(SWP_NOMOVE | SWP_NOSIZE);
    if (!moved && !clientChanged) result |= SWP_NOMOVE;
    if (!sized && !clientChanged) result |= SWP_NOSIZE;
    return result;
}

}  // namespace

namespace window_detail {

HWND TopLevelAbove(HWND hwnd) {
    const auto& order = Ws().topLevels;
    auto found = std::find(order.begin(), order.end(), hwnd);
    if (found == order.end() || found + 1 == order.end()) return 0;
    return *(found + 1);
}

RECT DefaultClientArea(const WindowRecord& w, const RECT& windowRect) {
    WindowSystem& ws = Ws();
    RECT client{0, 0, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    auto inset = [&client](int dx, int dy) {
        client.left += dx;
        client.top += dy;
        client.right -= dx;
        client.bottom -= dy;
    };
    // A caption and sizing frame on a top-level window are the window manager's decoration.
    const bool decorated = !w.IsChild() && (w.style & WS_CAPTION) == WS_CAPTION;
    if ((w.style & WS_BORDER) != 0 && !decorated) {
        inset(ws.metrics[SM_CXBORDER], ws.metrics[SM_CYBORDER]);
    }
    if ((w.exStyle & WS_EX_CLIENTEDGE) != 0) inset(ws.metrics[SM_CXEDGE], ws.metrics[SM_CYEDGE]);
    if ((w.exStyle & WS_EX_STATICEDGE) != 0) {
        inset(ws.metrics[SM_CXBORDER], ws.metrics[SM_CYBORDER]);
    }
    if ((w.style & WS_VSCROLL) != 0) {
        if ((w.exStyle & WS_EX_LEFTSCROLLBAR) != 0) {
            client.left += ws.metrics[SM_CXVSCROLL];
        } else {
            client.right -= ws.metrics[SM_CXVSCROLL];
        }
    }
    if ((w.style & WS_HSCROLL) != 0) client.bottom -= ws.metrics[SM_CYHSCROLL];
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

bool RecalculateClientArea(HWND hwnd) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = w->rect;
    params.rgrc[1] = w->rect;
    params.rgrc[2] = w->rect;
    SendMessage(hwnd, WM_NCCALCSIZE, 0, LPARAM(&params));
    w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    RECT client = Offset(params.rgrc[0], -w->rect.left, -w->rect.top);
    client.left = std::clamp(client.left, 0, w->Width());
    client.top = std::clamp(client.top, 0, w->Height());
    client.right = std::clamp(client.right, client.left, w->Width());
    client.bottom = std::clamp(client.bottom, client.top, w->Height());
    const bool changed = !(client == w->clientArea);
    w->clientArea = client;
    return changed;
}

void RemoveFromZOrder(WindowRecord& w) {
    WindowSystem& ws = Ws();
    if (w.IsChild()) {
        if (WindowRecord* parent = ws.Find(w.parent)) {
            auto& siblings = parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), w.hwnd), siblings.end());
        }
        return;
    }
    auto& order = ws.topLevels;
    order.erase(std::remove(order.begin(), order.end(), w.hwnd), order.end());
}

void InsertTopLevel(WindowRecord& w, HWND insertAfter) {
    auto& order = Ws().topLevels;
    if (insertAfter == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST) w.exStyle &= ~WS_EX_TOPMOST;
    const bool topmost = (w.exStyle & WS_EX_TOPMOST) != 0;
    // The first topmost window bounds the band this window belongs to.
    auto bandEnd = std::find_if(order.begin(), order.end(), IsTopmost);
    auto bandBegin = topmost ? bandEnd : order.begin();
    if (topmost) bandEnd = order.end();
    if (insertAfter == HWND_BOTTOM) {
        order.insert(bandBegin, w.hwnd);
        return;
    }
    auto below = std::find(bandBegin, bandEnd, insertAfter);
    if (insertAfter <= HWND_BOTTOM || insertAfter >= HWND_NOTOPMOST || below == bandEnd) {
        order.insert(bandEnd, w.hwnd);
    } else {
        order.insert(below, w.hwnd);
    }
}

}  // namespace window_detail

bool GetWindowRect(HWND hwnd, RECT* rect) {
    if (rect == nullptr) return false;
    if (hwnd == GetDesktopWindow()) {
        *rect = RECT{0, 0, Ws().metrics[SM_CXSCREEN], Ws().metrics[SM_CYSCREEN]};
        return true;
    }
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    const POINT origin = WindowScreenOrigin(*w);
    *rect = RECT{origin.x, origin.y, origin.x + w->Width(), origin.y + w->Height()};
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rect) {
    if (rect == nullptr) return false;
    if (hwnd == GetDesktopWindow()) return GetWindowRect(hwnd, rect);
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    *rect = RECT{0, 0, w->clientArea.right - w->clientArea.left,
                 w->clientArea.bottom - w->clientArea.top};
    return true;
}

bool GetClientRectInWindow(HWND hwnd, RECT* rect) {
    if (rect == nullptr) return false;
    if (hwnd == GetDesktopWindow()) return GetWindowRect(hwnd, rect);
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    *rect = w->clientArea;
    return true;
}

namespace {

// What a position change did, for the repaint and the notification that follow it.
struct PositionChange {
    RECT oldRect;
    RECT newRect;
    bool wasVisible = false;
    bool sized = false;
    bool moved = false;
    bool clientChanged = false;
};

// Fills in what the flags keep and lets the window adjust the request; false when the
// window went away meanwhile.
bool PrepareWindowPos(WINDOWPOS& pos) {
    const WindowRecord* w = Ws().Find(pos.hwnd);
    if ((pos.flags & SWP_NOMOVE) != 0) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if ((pos.flags & SWP_NOSIZE) != 0) {
        pos.cx = w->Width();
        pos.cy = w->Height();
    }
    if ((pos.flags & SWP_NOSENDCHANGING) == 0) {
        SendMessage(pos.hwnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&pos));
    }
    return Ws().Find(pos.hwnd) != nullptr;
}

bool ApplyGeometry(const WINDOWPOS& pos, PositionChange& change) {
    WindowRecord* w = Ws().Find(pos.hwnd);
    change.oldRect = w->rect;
    change.wasVisible = (w->style & WS_VISIBLE) != 0;
    change.newRect = RECT{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
    change.sized = change.oldRect.Width() != change.newRect.Width() ||
                   change.oldRect.Height() != change.newRect.Height();
    change.moved =
        change.oldRect.left != change.newRect.left || change.oldRect.top != change.newRect.top;
    w->rect = change.newRect;
    if ((pos.flags & SWP_NOZORDER) == 0) ApplyZOrder(*w, pos.hwndInsertAfter);
    if (change.sized || (pos.flags & SWP_FRAMECHANGED) != 0) {
        change.clientChanged = RecalculateClientArea(pos.hwnd);
        w = Ws().Find(pos.hwnd);
        if (w == nullptr) return false;
    }
    if (change.sized || change.moved) MoveBackBuffer(*w, change.sized);
    return true;
}

bool ApplyVisibility(const WINDOWPOS& pos, const PositionChange& change) {
    WindowRecord* w = Ws().Find(pos.hwnd);
    if ((pos.flags & SWP_SHOWWINDOW) != 0 && !change.wasVisible) ChangeVisibility(*w, true);
    if ((pos.flags & SWP_HIDEWINDOW) != 0 && change.wasVisible) {
        ChangeVisibility(*w, false);
        ForgetWindowInput(pos.hwnd);
        MoveActivationAwayFrom(pos.hwnd);
    }
    return Ws().Find(pos.hwnd) != nullptr;
}

void RepaintAfterPositionChange(const WINDOWPOS& pos, const PositionChange& change) {
    const WindowRecord* w = Ws().Find(pos.hwnd);
    const bool visibilityChanged = change.wasVisible != ((w->style & WS_VISIBLE) != 0);
    // A top-level window that only moved keeps its back buffer as it is.
    const bool contentMoves =
        change.sized || change.clientChanged || visibilityChanged || (change.moved && w->IsChild());
    if (contentMoves) {
        InvalidateAfterChange(pos.hwnd, change.oldRect, change.wasVisible, pos.flags);
    } else if ((pos.flags & SWP_FRAMECHANGED) != 0 && (pos.flags & SWP_NOREDRAW) == 0) {
        const RECT noClientArea{};
        InvalidateWindowArea(pos.hwnd, &noClientArea, false, true);
    }
}

}  // namespace

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    if (Ws().Find(hwnd) == nullptr) return false;
    WINDOWPOS pos{hwnd, insertAfter, x, y, std::max(width, 0), std::max(height, 0), flags};
    PositionChange change;
    if (!PrepareWindowPos(pos) || !ApplyGeometry(pos, change) || !ApplyVisibility(pos, change)) {
        return false;
    }
    RepaintAfterPositionChange(pos, change);
    if ((pos.flags & SWP_SHOWWINDOW) != 0 && !change.wasVisible) ActivateAfterShow(hwnd, pos.flags);
    WINDOWPOS changed = pos;
    changed.flags =
        ActualChangeFlags(pos.flags, change.oldRect, change.newRect, change.clientChanged);
    if (IsWindow(hwnd)) SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&changed));
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
    return SetWindowPos(hwnd, 0, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool ShowWindow(HWND hwnd, int command) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool show = command != SW_HIDE;
    const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                          command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;
    if (show == wasVisible) {
        if (show && activate && w->IsTopLevel() && (w->exStyle & WS_EX_NOACTIVATE) == 0) {
            SetActiveWindow(hwnd);
        }
        return wasVisible;
    }
    SendMessage(hwnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    flags |= show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    if (!activate) flags |= SWP_NOACTIVATE;
    SetWindowPos(hwnd, 0, 0, 0, 0, 0, flags);
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    return w != nullptr && IsVisibleChain(*w);
}

bool EnableWindow(HWND hwnd, bool enable) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        // A mode such as a drag or a tracking loop ends before the window turns disabled.
        SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        w = Ws().Find(hwnd);
        if (w == nullptr) return false;
        w->style |= WS_DISABLED;
        ForgetWindowInput(hwnd);
    }
    SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    return w != nullptr && (w->style & WS_DISABLED) == 0;
}

}  // namespace vexa::sys
