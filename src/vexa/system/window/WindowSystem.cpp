#include "vexa/system/window/WindowSystem.h"

#include <algorithm>

#include "vexa/system/window/DisplayBackend.h"

namespace vexa::sys {

namespace {

void SetDefaultMetrics(std::array<int, 100>& m) {
    m[SM_CXSCREEN] = 1920;
    m[SM_CYSCREEN] = 1080;
    m[SM_CXVSCROLL] = 17;
    m[SM_CYHSCROLL] = 17;
    m[SM_CYCAPTION] = 23;
    m[SM_CXBORDER] = 1;
    m[SM_CYBORDER] = 1;
    m[SM_CXDLGFRAME] = 3;
    m[SM_CYDLGFRAME] = 3;
    m[SM_CYVTHUMB] = 17;
    m[SM_CXHTHUMB] = 17;
    m[SM_CXICON] = 32;
    m[SM_CYICON] = 32;
    m[SM_CXCURSOR] = 32;
    m[SM_CYCURSOR] = 32;
    m[SM_CYMENU] = 20;
    m[SM_CXFULLSCREEN] = 1920;
    m[SM_CYFULLSCREEN] = 1057;
    m[SM_MOUSEPRESENT] = 1;
    m[SM_CYVSCROLL] = 17;
    m[SM_CXHSCROLL] = 17;
    m[SM_CXMIN] = 136;
    m[SM_CYMIN] = 39;
    m[SM_CXSIZE] = 36;
    m[SM_CYSIZE] = 22;
    m[SM_CXFRAME] = 4;
    m[SM_CYFRAME] = 4;
    m[SM_CXMINTRACK] = 136;
    m[SM_CYMINTRACK] = 39;
    m[SM_CXDOUBLECLK] = 4;
    m[SM_CYDOUBLECLK] = 4;
    m[SM_CXICONSPACING] = 75;
    m[SM_CYICONSPACING] = 75;
    m[SM_CMOUSEBUTTONS] = 3;
    m[SM_CXEDGE] = 2;
    m[SM_CYEDGE] = 2;
    m[SM_CXSMICON] = 16;
    m[SM_CYSMICON] = 16;
    m[SM_CXDRAG] = 4;
    m[SM_CYDRAG] = 4;
    m[SM_MOUSEWHEELPRESENT] = 1;
    m[SM_CXVIRTUALSCREEN] = 1920;
    m[SM_CYVIRTUALSCREEN] = 1080;
    m[SM_CMONITORS] = 1;
    m[SM_CXFOCUSBORDER] = 1;
    m[SM_CYFOCUSBORDER] = 1;
}

// The platform's default colour scheme, indices 0..30.
constexpr std::array<COLORREF, 31> kDefaultColors = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234),
    RGB(215, 228, 242), RGB(0, 120, 215),   RGB(240, 240, 240),
};

}  // namespace

WindowSystem::WindowSystem() {
    SetDefaultMetrics(metrics);
    colors = kDefaultColors;
}

WindowSystem& WindowSystem::Get() {
    static WindowSystem* instance = new WindowSystem();  // lives as long as the process
    return *instance;
}

WindowRecord* WindowSystem::Find(HWND hwnd) {
    if (hwnd == 0) return nullptr;
    if (hwnd == lastFound[0].hwnd) return lastFound[0].record;
    if (hwnd == lastFound[1].hwnd) return lastFound[1].record;
    auto found = windows.find(hwnd);
    if (found == windows.end()) return nullptr;
    lastFound[1] = lastFound[0];
    lastFound[0] = FoundWindow{hwnd, found->second.get()};
    return lastFound[0].record;
}

void WindowSystem::Remove(HWND hwnd) {
    for (FoundWindow& entry : lastFound) {
        if (entry.hwnd == hwnd) entry = FoundWindow{};
    }
    windows.erase(hwnd);
}

void WindowSystem::RemoveAll() {
    lastFound.fill(FoundWindow{});
    windows.clear();
}

const WNDCLASS* WindowSystem::FindClass(const std::string& name) const {
    auto found = classes.find(name);
    return found == classes.end() ? nullptr : &found->second;
}

std::uint64_t WindowSystem::Now() {
    return Display().NowMs();
}

DisplayBackend& WindowSystem::Display() {
    return CurrentDisplay();
}

namespace window_detail {

bool RectIsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersection(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return RectIsEmpty(r) ? RECT{} : r;
}

RECT Union(const RECT& a, const RECT& b) {
    if (RectIsEmpty(a)) return RectIsEmpty(b) ? RECT{} : b;
    if (RectIsEmpty(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

RECT Offset(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

POINT WindowScreenOrigin(const WindowRecord& w) {
    if (!w.IsChild()) return POINT{w.rect.left, w.rect.top};
    const WindowRecord* parent = WindowSystem::Get().Find(w.parent);
    if (parent == nullptr) return POINT{w.rect.left, w.rect.top};
    POINT origin = ClientScreenOrigin(*parent);
    return POINT{origin.x + w.rect.left, origin.y + w.rect.top};
}

POINT ClientScreenOrigin(const WindowRecord& w) {
    POINT origin = WindowScreenOrigin(w);
    return POINT{origin.x + w.clientArea.left, origin.y + w.clientArea.top};
}

WindowRecord* BufferOwner(WindowRecord& w) {
    WindowRecord* current = &w;
    while (current->IsChild()) {
        WindowRecord* parent = WindowSystem::Get().Find(current->parent);
        if (parent == nullptr) return nullptr;
        current = parent;
    }
    return current;
}

POINT WindowBufferOrigin(const WindowRecord& w) {
    if (!w.IsChild()) return POINT{0, 0};
    const WindowRecord* parent = WindowSystem::Get().Find(w.parent);
    if (parent == nullptr) return POINT{0, 0};
    POINT origin = WindowBufferOrigin(*parent);
    return POINT{origin.x + parent->clientArea.left + w.rect.left,
                 origin.y + parent->clientArea.top + w.rect.top};
}

bool IsVisibleChain(const WindowRecord& w) {
    const WindowRecord* current = &w;
    while (current != nullptr) {
        if ((current->style & WS_VISIBLE) == 0) return false;
        if (!current->IsChild()) return true;
        current = WindowSystem::Get().Find(current->parent);
    }
    return false;
}

void MarkDirty(WindowRecord& topLevel, const RECT& bufferRect) {
    RECT bounds{0, 0, topLevel.Width(), topLevel.Height()};
    RECT clipped = Intersection(bufferRect, bounds);
    if (RectIsEmpty(clipped)) return;
    topLevel.dirty = Union(topLevel.dirty, clipped);
    WindowSystem::Get().dirtySurfaces.insert(topLevel.hwnd);
}

}  // namespace window_detail

}  // namespace vexa::sys
