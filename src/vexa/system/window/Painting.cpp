// Update regions, paint messages, back buffers and the surfaces handed to the drawing library.
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

RECT WholeClient(const WindowRecord& w) {
    return RECT{0, 0, w.clientArea.Width(), w.clientArea.Height()};
}

bool HasNonClientArea(const WindowRecord& w) {
    return !(w.clientArea == RECT{0, 0, w.Width(), w.Height()});
}

// The part of a child covered by rect (parent client coordinates), in the child's client
// coordinates; frameHit tells whether it reaches into the child's non-client area.
RECT ChildPart(const WindowRecord& child, const RECT& rectInParent, bool* frameHit) {
    const RECT covered = Intersection(rectInParent, child.rect);
    if (RectIsEmpty(covered)) {
        *frameHit = false;
        return RECT{};
    }
    const RECT inWindow = Offset(covered, -child.rect.left, -child.rect.top);
    const RECT inClient = Intersection(inWindow, child.clientArea);
    *frameHit = !(inClient == inWindow);
    return Offset(inClient, -child.clientArea.left, -child.clientArea.top);
}

void InvalidateChildren(const WindowRecord& w, const RECT& clientRect, bool erase) {
    for (HWND childHandle : std::vector<HWND>(w.children)) {
        const WindowRecord* child = Ws().Find(childHandle);
        if (child == nullptr || (child->style & WS_VISIBLE) == 0) continue;
        bool frameHit = false;
        const RECT part = ChildPart(*child, clientRect, &frameHit);
        if (RectIsEmpty(part) && !frameHit) continue;
        InvalidateWindowArea(childHandle, &part, erase, frameHit);
    }
}

// r minus a part of v that spans r's whole width or height from one of its edges; any other
// overlap leaves r as it is (a rectangle cannot hold a hole).
RECT WithoutSpanningStrip(const RECT& r, const RECT& v) {
    RECT result = r;
    if (v.left <= r.left && v.right >= r.right) {
        if (v.top <= r.top && v.bottom > r.top)
            result.top = v.bottom;
        else if (v.bottom >= r.bottom && v.top < r.bottom)
            result.bottom = v.top;
    } else if (v.top <= r.top && v.bottom >= r.bottom) {
        if (v.left <= r.left && v.right > r.left)
            result.left = v.right;
        else if (v.right >= r.right && v.left < r.right)
            result.right = v.left;
    }
    return RectIsEmpty(result) ? RECT{} : result;
}

void Validate(WindowRecord& w) {
    w.hasUpdate = false;
    w.update = RECT{};
    w.eraseRequested = false;
    if (!w.frameDirty) Ws().paintPending.erase(w.hwnd);
}

void PaintFrameIfDirty(HWND hwnd) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr || !w->frameDirty) return;
    w->frameDirty = false;
    if (!w->hasUpdate) Ws().paintPending.erase(hwnd);
    SendMessage(hwnd, WM_NCPAINT, 1, 0);
}

RECT BufferRectOfClient(const WindowRecord& w, const RECT& clientRect) {
    const POINT origin = WindowBufferOrigin(w);
    return Offset(clientRect, origin.x + w.clientArea.left, origin.y + w.clientArea.top);
}

void FillOpaque(cairo_surface_t* surface, COLORREF color) {
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
}

}  // namespace

namespace window_detail {

void InvalidateWindowArea(HWND hwnd, const RECT* clientRect, bool erase, bool frame) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr || w->redrawOff || !IsVisibleChain(*w)) return;
    const RECT whole = WholeClient(*w);
    const RECT area = clientRect == nullptr ? whole : Intersection(*clientRect, whole);
    if (!RectIsEmpty(area)) {
        w->update = Union(w->update, area);
        w->hasUpdate = true;
        w->eraseRequested = w->eraseRequested || erase;
        Ws().paintPending.insert(hwnd);
    }
    if (frame && HasNonClientArea(*w)) {
        w->frameDirty = true;
        Ws().paintPending.insert(hwnd);
    }
    // Without WS_CLIPCHILDREN the parent's painting covers its children, so they repaint too.
    if ((w->style & WS_CLIPCHILDREN) == 0 && !RectIsEmpty(area)) {
        InvalidateChildren(*w, area, erase);
    }
}

LRESULT DeliverPaint(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return 0;
    const std::uint64_t beginPaints = w->beginPaints;
    const RECT before = w->update;
    const LRESULT result = DeliverMessage(*w, WM_PAINT, wParam, lParam);
    w = Ws().Find(hwnd);
    if (w != nullptr && w->hasUpdate && w->beginPaints == beginPaints &&
        Union(w->update, before) == w->update) {
        Validate(*w);
    }
    return result;
}

void InvalidateWindowTree(HWND hwnd) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr || !IsVisibleChain(*w)) return;
    InvalidateWindowArea(hwnd, nullptr, true, true);
    w = Ws().Find(hwnd);
    if (w == nullptr) return;
    for (HWND child : std::vector<HWND>(w->children)) InvalidateWindowTree(child);
}

void InvalidateParentArea(const WindowRecord& child, const RECT& rectInParent) {
    const HWND self = child.hwnd;
    WindowRecord* parent = Ws().Find(child.parent);
    if (parent == nullptr) return;
    const RECT inParentClient = rectInParent;  // children live in the parent's client area
    InvalidateWindowArea(parent->hwnd, &inParentClient, true, false);
    for (HWND siblingHandle : std::vector<HWND>(parent->children)) {
        if (siblingHandle == self) continue;
        const WindowRecord* sibling = Ws().Find(siblingHandle);
        if (sibling == nullptr || (sibling->style & WS_VISIBLE) == 0) continue;
        bool frameHit = false;
        const RECT part = ChildPart(*sibling, rectInParent, &frameHit);
        if (!RectIsEmpty(part) || frameHit)
            InvalidateWindowArea(siblingHandle, &part, true, frameHit);
    }
}

void ResizeBackBuffer(WindowRecord& w) {
    cairo_surface_t* fresh = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(w.Width(), 0),
                                                        std::max(w.Height(), 0));
    FillOpaque(fresh, Ws().colors[COLOR_WINDOW]);
    if (w.backBuffer != nullptr) {
        cairo_t* cr = cairo_create(fresh);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, w.backBuffer, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(w.backBuffer);
    }
    cairo_surface_flush(fresh);
    w.backBuffer = fresh;
    w.dirty = RECT{};
    MarkDirty(w, RECT{0, 0, w.Width(), w.Height()});
}

void DestroyBackBuffer(WindowRecord& w) {
    if (w.backBuffer != nullptr) cairo_surface_destroy(w.backBuffer);
    w.backBuffer = nullptr;
    w.dirty = RECT{};
    Ws().dirtySurfaces.erase(w.hwnd);
}

}  // namespace window_detail

// Used by the message loop: the next window whose frame or client needs painting. Frames
// are painted on the way (WM_NCPAINT is sent, not queued).
HWND window_detail::NextWindowToPaint(HWND filter) {
    WindowSystem& ws = Ws();
    for (auto it = ws.paintPending.begin(); it != ws.paintPending.end();) {
        const HWND hwnd = *it;
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || (!w->hasUpdate && !w->frameDirty) || !IsVisibleChain(*w)) {
            it = ws.paintPending.erase(it);
            continue;
        }
        if (filter != 0 && hwnd != filter) {
            ++it;
            continue;
        }
        if (w->frameDirty) {
            PaintFrameIfDirty(hwnd);
            w = ws.Find(hwnd);
            if (w != nullptr && w->hasUpdate) return hwnd;
            it = ws.paintPending.upper_bound(hwnd);
            continue;
        }
        return hwnd;
    }
    return 0;
}

bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase) {
    if (Ws().Find(hwnd) == nullptr) return false;
    InvalidateWindowArea(hwnd, rect, erase, false);
    return true;
}

bool ValidateRect(HWND hwnd, const RECT* rect) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    // The update region is one rectangle: it shrinks by validated strips that span it and
    // goes when the validated part covers it.
    if (rect == nullptr || Intersection(*rect, w->update) == w->update) {
        Validate(*w);
    } else {
        w->update = WithoutSpanningStrip(w->update, *rect);
        if (RectIsEmpty(w->update)) Validate(*w);
    }
    return true;
}

bool RedrawWindow(HWND hwnd, const RECT* rect, UINT flags) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    if ((flags & RDW_INVALIDATE) != 0) {
        InvalidateWindowArea(hwnd, rect, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0);
        if ((flags & RDW_ALLCHILDREN) != 0 && (w->style & WS_CLIPCHILDREN) != 0) {
            InvalidateChildren(*w, rect == nullptr ? WholeClient(*w) : *rect,
                               (flags & RDW_ERASE) != 0);
        }
    }
    if ((flags & RDW_VALIDATE) != 0) ValidateRect(hwnd, rect);
    if ((flags & RDW_UPDATENOW) != 0) {
        UpdateWindow(hwnd);
        if ((flags & RDW_ALLCHILDREN) != 0) {
            std::vector<HWND> pending(Ws().paintPending.begin(), Ws().paintPending.end());
            for (HWND candidate : pending) {
                if (IsChild(hwnd, candidate)) UpdateWindow(candidate);
            }
        }
    }
    return true;
}

bool UpdateWindow(HWND hwnd) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    if (!IsVisibleChain(*w)) return true;
    PaintFrameIfDirty(hwnd);
    w = Ws().Find(hwnd);
    if (w == nullptr || !w->hasUpdate) return true;
    DeliverPaint(hwnd, 0, 0);
    return true;
}

bool GetUpdateRect(HWND hwnd, RECT* rect, bool erase) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    if (rect != nullptr) *rect = w->hasUpdate ? w->update : RECT{};
    if (erase && w->hasUpdate && w->eraseRequested) {
        if (SendMessage(hwnd, WM_ERASEBKGND, 0, 0) != 0) {
            if (WindowRecord* still = Ws().Find(hwnd)) still->eraseRequested = false;
        }
    }
    return w->hasUpdate;
}

std::uintptr_t BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    WindowSystem& ws = Ws();
    WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr || ps == nullptr) return 0;
    PaintFrameIfDirty(hwnd);
    w = ws.Find(hwnd);
    if (w == nullptr) return 0;
    CaretBeforePaint(hwnd);
    ++w->beginPaints;
    ps->rcPaint = w->hasUpdate ? w->update : RECT{};
    ps->fErase = false;
    ps->hdc = ws.paintDcProvider != nullptr ? ws.paintDcProvider(hwnd, *ps) : hwnd;
    if (w->eraseRequested) {
        ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, WPARAM(ps->hdc), 0) == 0;
        w = ws.Find(hwnd);
        if (w == nullptr) return 0;
    }
    Validate(*w);
    return ps->hdc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    WindowSystem& ws = Ws();
    WindowRecord* w = ws.Find(hwnd);
    if (ps == nullptr) return false;
    if (ws.paintDcReleaser != nullptr && ps->hdc != 0 && ps->hdc != hwnd) {
        ws.paintDcReleaser(hwnd, ps->hdc);
    }
    if (w == nullptr) return false;
    if (WindowRecord* top = BufferOwner(*w)) MarkDirty(*top, BufferRectOfClient(*w, ps->rcPaint));
    CaretAfterPaint(hwnd);
    return true;
}

void SetPaintDcProvider(PaintDcProvider provider, PaintDcReleaser releaser) {
    Ws().paintDcProvider = provider;
    Ws().paintDcReleaser = releaser;
}

void SetDcBackgroundFiller(DcBackgroundFiller filler) {
    Ws().dcBackgroundFiller = filler;
}

WindowSurface GetWindowSurface(HWND hwnd, bool includeNonClient) {
    RunDeferredUpdates();
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return {};
    WindowRecord* top = BufferOwner(*w);
    if (top == nullptr || top->backBuffer == nullptr) return {};
    WindowSurface result;
    result.surface = top->backBuffer;
    const POINT corner = WindowBufferOrigin(*w);
    const RECT area = includeNonClient
                          ? RECT{corner.x, corner.y, corner.x + w->Width(), corner.y + w->Height()}
                          : BufferRectOfClient(*w, WholeClient(*w));
    result.origin = POINT{area.left, area.top};
    if (!IsVisibleChain(*w)) return result;
    RECT clip = Intersection(area, RECT{0, 0, top->Width(), top->Height()});
    for (const WindowRecord* child = w; child->IsChild();) {
        const WindowRecord* parent = Ws().Find(child->parent);
        if (parent == nullptr) break;
        clip = Intersection(clip, BufferRectOfClient(*parent, WholeClient(*parent)));
        child = parent;
    }
    result.clip = clip;
    return result;
}

std::vector<RECT> GetClipExclusions(HWND hwnd, bool includeNonClient) {
    (void)includeNonClient;  // children and siblings cover the same pixels either way
    std::vector<RECT> result;
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return result;
    auto addWindow = [&result](const WindowRecord& other) {
        if ((other.style & WS_VISIBLE) == 0) return;
        const POINT corner = WindowBufferOrigin(other);
        result.push_back(
            RECT{corner.x, corner.y, corner.x + other.Width(), corner.y + other.Height()});
    };
    if ((w->style & WS_CLIPCHILDREN) != 0) {
        for (HWND child : w->children) addWindow(*Ws().Find(child));
    }
    if ((w->style & WS_CLIPSIBLINGS) != 0 && w->IsChild()) {
        const WindowRecord* parent = Ws().Find(w->parent);
        auto self = std::find(parent->children.begin(), parent->children.end(), hwnd);
        for (auto it = self + 1; it < parent->children.end(); ++it) addWindow(*Ws().Find(*it));
    }
    return result;
}

cairo_surface_t* GetScreenSurface() {
    return Ws().Display().ScreenSurface();
}

void MarkSurfaceDirty(HWND topLevel, const RECT& rect) {
    WindowSystem& ws = Ws();
    if (topLevel == 0) {
        ws.screenDirtyRect = ws.screenDirty ? Union(ws.screenDirtyRect, rect) : rect;
        ws.screenDirty = true;
        return;
    }
    WindowRecord* w = ws.Find(topLevel);
    if (w == nullptr) return;
    if (WindowRecord* top = BufferOwner(*w)) MarkDirty(*top, rect);
}

void FlushSurfaces() {
    RunDeferredUpdates();
    WindowSystem& ws = Ws();
    const std::vector<HWND> dirty(ws.dirtySurfaces.begin(), ws.dirtySurfaces.end());
    ws.dirtySurfaces.clear();
    for (HWND hwnd : dirty) {
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || w->backBuffer == nullptr) continue;
        const RECT rect = w->dirty;
        w->dirty = RECT{};
        if ((w->style & WS_VISIBLE) == 0 || RectIsEmpty(rect)) continue;
        cairo_surface_flush(w->backBuffer);
        ws.Display().Present(hwnd, w->backBuffer, rect);
    }
    if (ws.screenDirty) {
        ws.screenDirty = false;
        ws.Display().PresentScreen(ws.screenDirtyRect);
    }
}

}  // namespace vexa::sys
