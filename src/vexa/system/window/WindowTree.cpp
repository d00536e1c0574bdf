// Classes, creation and destruction, the parent/owner tree and window ownership.
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

using namespace window_detail;

namespace {

// The desktop has a handle of its own (below every real one) so that its rectangle can be
// asked for; it takes no messages.
constexpr HWND kDesktopWindow = 0x10;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

WindowSystem& Ws() {
    return WindowSystem::Get();
}

RECT InitialRect(int x, int y, int width, int height) {
    if (x == CW_USEDEFAULT) x = 0;
    if (y == CW_USEDEFAULT) y = 0;
    if (width == CW_USEDEFAULT) width = kDefaultWidth;
    if (height == CW_USEDEFAULT) height = kDefaultHeight;
    return RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

WindowRecord& AddRecord(const WNDCLASS& cls, UINT exStyle, UINT style, const RECT& rect,
                        HWND parent, std::uintptr_t id, const std::string& title) {
    WindowSystem& ws = Ws();
    auto record = std::make_unique<WindowRecord>();
    record->hwnd = ws.nextHandle;
    ws.nextHandle += 2;
    record->windowClass = cls;
    record->proc = cls.lpfnWndProc;
    record->style = style & ~WS_VISIBLE;  // shown once created, as the classic does
    record->exStyle = exStyle;
    record->id = id;
    record->rect = rect;
    record->text = title;
    record->processId = GetCurrentProcessId();
    record->threadId = GetCurrentThreadId();
    if ((style & WS_CHILD) != 0) {
        record->parent = parent;
    } else if (parent != 0) {
        record->owner = GetAncestor(parent, GA_ROOT);
    }
    record->clientArea = DefaultClientArea(*record, rect);
    WindowRecord& w = *record;
    ws.windows.emplace(w.hwnd, std::move(record));
    if (w.IsChild()) {
        ws.Find(parent)->children.push_back(w.hwnd);
    } else {
        InsertTopLevel(w, HWND_TOP);
        ResizeBackBuffer(w);
        ws.Display().Create(w.hwnd, w.rect, w.text, (style & WS_POPUP) != 0);
        ws.Display().Restack(w.hwnd, TopLevelAbove(w.hwnd));
    }
    return w;
}

CREATESTRUCT MakeCreateStruct(UINT exStyle, const std::string& className,
                              const std::string& windowName, UINT style, const RECT& rect,
                              HWND parent, std::uintptr_t id, void* createParam) {
    CREATESTRUCT cs;
    cs.lpCreateParams = createParam;
    cs.hMenu = id;
    cs.hwndParent = parent;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = style;
    cs.lpszName = windowName.c_str();
    cs.lpszClass = className.c_str();
    cs.dwExStyle = exStyle;
    return cs;
}

// WM_SIZE and WM_MOVE right after WM_CREATE, as the classic creation sends them.
bool SendInitialGeometry(HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    const RECT client = w->clientArea;
    const RECT rect = w->rect;
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    if (!IsWindow(hwnd)) return false;
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(rect.left + client.left, rect.top + client.top));
    return IsWindow(hwnd);
}

void SendDestroyMessages(HWND hwnd) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return;
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    w = Ws().Find(hwnd);
    if (w == nullptr) return;
    for (HWND child : std::vector<HWND>(w->children)) {
        if (WindowRecord* c = Ws().Find(child)) c->destroying = true;
        SendDestroyMessages(child);
    }
}

void RemoveQueuedMessages(HWND hwnd) {
    for (auto* queue : {&Ws().queue, &Ws().inputQueue}) {
        queue->erase(std::remove_if(queue->begin(), queue->end(),
                                    [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                     queue->end());
    }
}

void FreeWindow(HWND hwnd) {
    WindowSystem& ws = Ws();
    WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) return;
    for (HWND child : std::vector<HWND>(w->children)) FreeWindow(child);
    if (WindowRecord* still = ws.Find(hwnd)) still->finalizing = true;
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    w = ws.Find(hwnd);
    if (w == nullptr) return;
    CaretWindowGone(hwnd);
    ws.timers.KillAllOf(hwnd);
    RemoveQueuedMessages(hwnd);
    ws.paintPending.erase(hwnd);
    ws.dirtySurfaces.erase(hwnd);
    CancelDeferredUpdate(hwnd);
    if (ws.trackLeave == hwnd) ws.trackLeave = 0;
    if (ws.lastClick.hwnd == hwnd) ws.lastClick = ClickMemory{};
    // A handler of the destroy messages may have taken the capture or the activation again;
    // neither may outlive the window.
    if (ws.capture == hwnd) {
        ws.capture = 0;
        ws.Display().GrabPointer(w->IsTopLevel() ? hwnd : GetAncestor(hwnd, GA_ROOT), false);
    }
    if (ws.active == hwnd) ws.active = 0;
    if (ws.focus == hwnd) ws.focus = 0;
    RemoveFromZOrder(*w);
    if (w->IsTopLevel()) {
        ws.Display().Destroy(hwnd);
        DestroyBackBuffer(*w);
    }
    ws.Remove(hwnd);
}

void DestroyOwnedWindows(HWND owner) {
    std::vector<HWND> owned;
    for (HWND top : Ws().topLevels) {
        const WindowRecord* w = Ws().Find(top);
        if (w != nullptr && w->owner == owner && !w->destroying) owned.push_back(top);
    }
    for (HWND hwnd : owned) DestroyWindow(hwnd);
}

}  // namespace

// ---- Classes -------------------------------------------------------------------------------

ATOM RegisterClass(const WNDCLASS& wndClass) {
    WindowSystem& ws = Ws();
    if (wndClass.lpszClassName.empty() || wndClass.lpfnWndProc == nullptr) return 0;
    if (ws.FindClass(wndClass.lpszClassName) != nullptr) return 0;
    ws.classes.emplace(wndClass.lpszClassName, wndClass);
    return ws.nextAtom++;
}

bool UnregisterClass(const std::string& className) {
    WindowSystem& ws = Ws();
    if (ws.FindClass(className) == nullptr) return false;
    // A class in use stays, as the classic refuses to unregister it.
    for (const auto& [hwnd, w] : ws.windows) {
        if (w->windowClass.lpszClassName == className) return false;
    }
    ws.classes.erase(className);
    return true;
}

bool GetClassInfo(const std::string& className, WNDCLASS* wndClass) {
    const WNDCLASS* found = Ws().FindClass(className);
    if (found == nullptr || wndClass == nullptr) return false;
    *wndClass = *found;
    return true;
}

std::string GetClassName(HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    return w == nullptr ? std::string() : w->windowClass.lpszClassName;
}

// ---- Creation and destruction ----------------------------------------------------------

HWND CreateWindowEx(UINT exStyle, const std::string& className, const std::string& windowName,
                    UINT style, int x, int y, int width, int height, HWND parent, std::uintptr_t id,
                    void* createParam) {
    WindowSystem& ws = Ws();
    const WNDCLASS* cls = ws.FindClass(className);
    if (cls == nullptr) return 0;
    if ((style & WS_CHILD) != 0 && ws.Find(parent) == nullptr) return 0;
    if ((style & WS_CHILD) == 0 && parent != 0 && ws.Find(parent) == nullptr) return 0;

    const RECT rect = InitialRect(x, y, width, height);
    WindowRecord& w = AddRecord(*cls, exStyle, style, rect, parent, id, windowName);
    const HWND hwnd = w.hwnd;

    const CREATESTRUCT cs =
        MakeCreateStruct(exStyle, className, windowName, style, rect, parent, id, createParam);
    if (SendMessage(hwnd, WM_NCCREATE, 0, LPARAM(&cs)) == 0) {
        DestroyWindow(hwnd);
        return 0;
    }
    if (!IsWindow(hwnd)) return 0;
    RecalculateClientArea(hwnd);
    if (SendMessage(hwnd, WM_CREATE, 0, LPARAM(&cs)) == -1) {
        DestroyWindow(hwnd);
        return 0;
    }
    if (!SendInitialGeometry(hwnd)) return 0;
    if ((style & WS_VISIBLE) != 0) ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : 0;
}

bool DestroyWindow(HWND hwnd) {
    WindowSystem& ws = Ws();
    WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr || w->destroying) return false;
    w->destroying = true;
    DestroyOwnedWindows(hwnd);
    if (IsWindow(hwnd) && (ws.Find(hwnd)->style & WS_VISIBLE) != 0) {
        SetWindowPos(hwnd, 0, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ForgetWindowInput(hwnd);
    // A hidden window can be the active one too; activation must not stay on a dead handle.
    MoveActivationAwayFrom(hwnd);
    SendDestroyMessages(hwnd);
    FreeWindow(hwnd);
    return true;
}

bool IsWindow(HWND hwnd) {
    return hwnd == kDesktopWindow || Ws().Find(hwnd) != nullptr;
}

HWND GetDesktopWindow() {
    return kDesktopWindow;
}

bool IsChild(HWND parent, HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    while (w != nullptr && w->IsChild()) {
        if (w->parent == parent) return true;
        w = Ws().Find(w->parent);
    }
    return false;
}

HWND GetParent(HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return 0;
    return w->IsChild() ? w->parent : w->owner;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return 0;
    switch (flags) {
        case GA_PARENT:
            return w->IsChild() ? w->parent : kDesktopWindow;
        case GA_ROOT:
            while (w->IsChild()) w = Ws().Find(w->parent);
            return w->hwnd;
        case GA_ROOTOWNER: {
            while (w->IsChild()) w = Ws().Find(w->parent);
            while (w->owner != 0 && Ws().Find(w->owner) != nullptr) w = Ws().Find(w->owner);
            return w->hwnd;
        }
        default:
            return 0;
    }
}

HWND GetTopLevelWindow(HWND hwnd) {
    return GetAncestor(hwnd, GA_ROOT);
}

std::vector<HWND> GetChildWindows(HWND parent) {
    const WindowRecord* w = Ws().Find(parent);
    if (w == nullptr) return {};
    return std::vector<HWND>(w->children.rbegin(), w->children.rend());
}

HWND GetDlgItem(HWND parent, std::uintptr_t id) {
    const WindowRecord* w = Ws().Find(parent);
    if (w == nullptr) return 0;
    for (HWND child : w->children) {
        if (Ws().Find(child)->id == id) return child;
    }
    return 0;
}

HWND GetWindow(HWND hwnd, UINT command) {
    WindowSystem& ws = Ws();
    const WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) return 0;
    if (command == GW_OWNER) return w->owner;
    if (command == GW_CHILD) return w->children.empty() ? 0 : w->children.back();
    const std::vector<HWND>* siblings = &ws.topLevels;
    if (w->IsChild()) siblings = &ws.Find(w->parent)->children;
    if (siblings->empty()) return 0;
    // Stored bottom to top; "first" and "next" go from the top down.
    auto self = std::find(siblings->begin(), siblings->end(), hwnd);
    switch (command) {
        case GW_HWNDFIRST:
            return siblings->back();
        case GW_HWNDLAST:
            return siblings->front();
        case GW_HWNDNEXT:
            return self == siblings->begin() ? 0 : *(self - 1);
        case GW_HWNDPREV:
            return self + 1 == siblings->end() ? 0 : *(self + 1);
        default:
            return 0;
    }
}

HWND SetParent(HWND hwnd, HWND newParent) {
    WindowSystem& ws = Ws();
    WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr || (newParent != 0 && ws.Find(newParent) == nullptr)) return 0;
    if (newParent == hwnd || IsChild(hwnd, newParent)) return 0;  // would make a cycle
    const HWND oldParent = w->IsChild() ? w->parent : kDesktopWindow;
    const bool visible = (w->style & WS_VISIBLE) != 0;
    if (visible) ShowWindow(hwnd, SW_HIDE);
    w = ws.Find(hwnd);
    if (w == nullptr) return 0;
    const bool wasTopLevel = w->IsTopLevel();
    RemoveFromZOrder(*w);
    if (newParent != 0) {
        if (wasTopLevel) {
            ws.Display().Destroy(hwnd);
            DestroyBackBuffer(*w);
        }
        w->style = (w->style | WS_CHILD) & ~WS_POPUP;
        w->parent = newParent;
        w->owner = 0;
        ws.Find(newParent)->children.push_back(hwnd);
    } else {
        w->style &= ~WS_CHILD;
        w->parent = 0;
        InsertTopLevel(*w, HWND_TOP);
        ResizeBackBuffer(*w);
        ws.Display().Create(hwnd, w->rect, w->text, (w->style & WS_POPUP) != 0);
        ws.Display().Restack(hwnd, TopLevelAbove(hwnd));
    }
    if (visible) ShowWindow(hwnd, SW_SHOWNA);
    return oldParent;
}

// ---- Ownership ----------------------------------------------------------------------------

DWORD GetCurrentProcessId() {
    return DWORD(::getpid());
}

DWORD GetCurrentThreadId() {
    return DWORD(::syscall(SYS_gettid));
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) {
        if (processId != nullptr) *processId = 0;
        return 0;
    }
    if (processId != nullptr) *processId = w->processId;
    return w->threadId;
}

void SetWindowProcessForTesting(HWND hwnd, DWORD processId) {
    if (WindowRecord* w = Ws().Find(hwnd)) w->processId = processId;
}

void DestroyAllWindowsForTesting() {
    WindowSystem& ws = Ws();
    while (!ws.topLevels.empty()) {
        const HWND top = ws.topLevels.back();
        if (!DestroyWindow(top)) {
            // A window stuck in its own destruction is freed without further messages.
            if (WindowRecord* w = ws.Find(top)) RemoveFromZOrder(*w);
            ws.Remove(top);
        }
    }
    ws.RemoveAll();
    ws.queue.clear();
    ws.inputQueue.clear();
    ws.timers.Clear();
    ws.paintPending.clear();
    ws.dirtySurfaces.clear();
    ws.deferredUpdates.clear();
    ws.focus = ws.active = ws.capture = ws.trackLeave = 0;
    ws.quitPosted = false;
    ws.cursorClip.reset();
    ws.keys.fill(0);
    ws.lastClick = ClickMemory{};
}

std::size_t WindowCountForTesting() {
    return Ws().windows.size();
}

std::size_t TimerCountForTesting() {
    return Ws().timers.Count();
}

std::size_t PropCountForTesting(HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    return w != nullptr ? w->props.size() : 0;
}

}  // namespace vexa::sys
