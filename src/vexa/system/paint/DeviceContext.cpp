#include "vexa/system/paint/DeviceContext.h"

#include <algorithm>
#include <unordered_map>

#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

std::unordered_map<HDC, std::unique_ptr<DeviceContext>>& Contexts() {
    static std::unordered_map<HDC, std::unique_ptr<DeviceContext>> contexts;
    return contexts;
}

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersection(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

RECT Shifted(RECT r, POINT by) {
    r.left += by.x;
    r.right += by.x;
    r.top += by.y;
    r.bottom += by.y;
    return r;
}

RECT SurfaceBounds(cairo_surface_t* surface) {
    return {0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
}

}  // namespace

DeviceContext* DeviceContext::Find(HDC hdc) {
    auto it = Contexts().find(hdc);
    return it == Contexts().end() ? nullptr : it->second.get();
}

HDC DeviceContext::Register(std::unique_ptr<DeviceContext> dc) {
    dc->SelectDefaults();
    const HDC handle = GdiObjectTable::NewHandle();
    Contexts().emplace(handle, std::move(dc));
    return handle;
}

HDC DeviceContext::CreateMemory() {
    return Register(std::unique_ptr<DeviceContext>(new DeviceContext(Kind::Memory)));
}

HDC DeviceContext::CreateForWindow(HWND hwnd, bool includeNonClient, const RECT* paintRect) {
    if (!IsWindow(hwnd)) return 0;
    std::unique_ptr<DeviceContext> dc(new DeviceContext(Kind::Window));
    dc->hwnd_ = hwnd;
    dc->includeNonClient_ = includeNonClient;
    if (paintRect != nullptr) dc->paintRect_ = *paintRect;
    return Register(std::move(dc));
}

HDC DeviceContext::CreateForDisplay() {
    return Register(std::unique_ptr<DeviceContext>(new DeviceContext(Kind::Display)));
}

bool DeviceContext::Destroy(HDC hdc) {
    return Contexts().erase(hdc) != 0;
}

void DeviceContext::SelectDefaults() {
    GdiObjectTable& table = GdiObjectTable::Instance();
    state_.brush = table.Stock(WHITE_BRUSH);
    state_.pen = table.Stock(BLACK_PEN);
    state_.font = table.Stock(DEFAULT_GUI_FONT);
    state_.brushObject = table.Find(state_.brush);
    state_.penObject = table.Find(state_.pen);
    state_.fontObject = table.Find(state_.font);
    if (kind_ == Kind::Memory) {
        state_.bitmap = table.DefaultBitmap();
        state_.bitmapObject = table.Find(state_.bitmap);
    }
}

cairo_surface_t* DeviceContext::Surface(POINT* origin, RECT* bounds,
                                        std::vector<RECT>* exclusions) const {
    switch (kind_) {
        case Kind::Memory: {
            if (!state_.bitmapObject || !state_.bitmapObject->bitmap) return nullptr;
            cairo_surface_t* surface = state_.bitmapObject->bitmap->Surface();
            *origin = {};
            *bounds = SurfaceBounds(surface);
            return surface;
        }
        case Kind::Window: {
            const WindowSurface ws = GetWindowSurface(hwnd_, includeNonClient_);
            if (ws.surface == nullptr) return nullptr;
            *origin = ws.origin;
            *bounds = Intersection(ws.clip, SurfaceBounds(ws.surface));
            if (paintRect_) *bounds = Intersection(*bounds, Shifted(*paintRect_, ws.origin));
            *exclusions = GetClipExclusions(hwnd_, includeNonClient_);
            return ws.surface;
        }
        case Kind::Display: {
            cairo_surface_t* surface = GetScreenSurface();
            if (surface == nullptr) return nullptr;
            *origin = {};
            *bounds = SurfaceBounds(surface);
            return surface;
        }
    }
    return nullptr;
}

DeviceContext::Target DeviceContext::Resolve() const {
    Target target;
    RECT bounds{};
    std::vector<RECT> exclusions;
    target.surface = Surface(&target.origin, &bounds, &exclusions);
    if (target.surface == nullptr || Empty(bounds)) return target;
    if (exclusions.empty() && (!state_.clip || state_.clip->Rects().size() <= 1)) {
        // One rectangle at most: no region arithmetic needed.
        RECT visible = bounds;
        if (state_.clip) {
            visible =
                state_.clip->IsEmpty()
                    ? RECT{}
                    : Intersection(visible, Shifted(state_.clip->Rects().front(), target.origin));
        }
        if (!Empty(visible)) target.clipRects.push_back(visible);
    } else {
        Region visible(bounds);
        if (state_.clip) {
            Region clip = *state_.clip;
            clip.Offset(target.origin.x, target.origin.y);
            visible = Region::Combine(visible, clip, RGN_AND);
        }
        for (const RECT& excluded : exclusions) visible.Subtract(excluded);
        for (const RECT& rect : visible.Rects()) target.clipRects.push_back(rect);
    }
    // The clip region is in the context's own coordinates; only drawing moves with the
    // viewport origin.
    target.contextOrigin = target.origin;
    target.origin.x += state_.viewport.x;
    target.origin.y += state_.viewport.y;
    return target;
}

RECT DeviceContext::LogicalBounds() const {
    switch (kind_) {
        case Kind::Memory:
            if (state_.bitmapObject && state_.bitmapObject->bitmap)
                return SurfaceBounds(state_.bitmapObject->bitmap->Surface());
            return {};
        case Kind::Window: {
            RECT rect{};
            if (includeNonClient_) {
                GetWindowRect(hwnd_, &rect);
                return {0, 0, rect.right - rect.left, rect.bottom - rect.top};
            }
            GetClientRect(hwnd_, &rect);
            return rect;
        }
        case Kind::Display: {
            cairo_surface_t* screen = GetScreenSurface();
            return screen == nullptr ? RECT{} : SurfaceBounds(screen);
        }
    }
    return {};
}

void DeviceContext::Touched(const RECT& surfaceRect) const {
    if (Empty(surfaceRect)) return;
    if (kind_ == Kind::Window) MarkSurfaceDirty(GetTopLevelWindow(hwnd_), surfaceRect);
    if (kind_ == Kind::Display) MarkSurfaceDirty(0, surfaceRect);
}

int DeviceContext::Save() {
    saved_.push_back(state_);
    return int(saved_.size());
}

// level > 0 restores that saved state (dropping it and later ones); level < 0 counts back
// from the most recent save (-1 is the last one).
bool DeviceContext::Restore(int level) {
    const int count = int(saved_.size());
    const int index = level > 0 ? level - 1 : count + level;
    if (level == 0 || index < 0 || index >= count) return false;
    state_ = std::move(saved_[std::size_t(index)]);
    saved_.resize(std::size_t(index));
    return true;
}

cairo_t* DeviceContext::BeginCairo(const RECT* clipTo) const {
    // An inverted rectangle clips everything away (Cairo would turn it the right way round).
    if (clipTo != nullptr && (clipTo->right <= clipTo->left || clipTo->bottom <= clipTo->top))
        return nullptr;
    const Target target = Resolve();
    if (target.surface == nullptr || target.clipRects.empty()) return nullptr;
    cairo_t* cr = cairo_create(target.surface);
    for (const RECT& r : target.clipRects)
        cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cr);
    cairo_translate(cr, target.origin.x, target.origin.y);
    if (clipTo != nullptr) {
        cairo_rectangle(cr, clipTo->left, clipTo->top, clipTo->right - clipTo->left,
                        clipTo->bottom - clipTo->top);
        cairo_clip(cr);
    }
    return cr;
}

void DeviceContext::EndCairo(cairo_t* cr) const {
    if (cr == nullptr) return;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_identity_matrix(cr);
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    cairo_surface_flush(cairo_get_target(cr));
    cairo_destroy(cr);
    Touched({int(x1), int(y1), int(x2 + 0.999), int(y2 + 0.999)});
}

}  // namespace vexa::sys
