// Regions and the clip region of a device context. Clip regions are in the context's own
// coordinates (the viewport origin does not move them); clip rectangles are logical.
#include <algorithm>

#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa::sys {

namespace {

GdiObjectPtr RegionObject(HRGN region) {
    return GdiObjectTable::Instance().Find(region, GdiKind::Region);
}

int KindOfClip(const DeviceContext& dc) {
    const auto& clip = dc.Current().clip;
    return clip ? clip->Kind() : SIMPLEREGION;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    GdiObject object;
    object.kind = GdiKind::Region;
    object.region = Region(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                                std::max(top, bottom)});
    return GdiObjectTable::Instance().Add(std::make_shared<GdiObject>(std::move(object)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (rect == nullptr) return 0;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
    GdiObjectPtr target = RegionObject(dst);
    GdiObjectPtr first = RegionObject(a);
    if (!target || !first || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
    GdiObjectPtr second = mode == RGN_COPY ? first : RegionObject(b);
    if (!second) return RGN_ERROR;
    target->region = Region::Combine(first->region, second->region, mode);
    return target->region.Kind();
}

int GetRgnBox(HRGN region, RECT* box) {
    GdiObjectPtr object = RegionObject(region);
    if (!object || box == nullptr) return RGN_ERROR;
    *box = object->region.Bounds();
    return object->region.Kind();
}

bool PtInRegion(HRGN region, int x, int y) {
    GdiObjectPtr object = RegionObject(region);
    return object && object->region.Contains(x, y);
}

int OffsetRgn(HRGN region, int dx, int dy) {
    GdiObjectPtr object = RegionObject(region);
    if (!object) return RGN_ERROR;
    object->region.Offset(dx, dy);
    return object->region.Kind();
}

int GetClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    GdiObjectPtr object = RegionObject(region);
    if (dc == nullptr || !object) return -1;
    if (!dc->Current().clip) return 0;
    object->region = *dc->Current().clip;
    return 1;
}

int SelectClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return RGN_ERROR;
    if (region == 0) {
        dc->Current().clip.reset();
        return SIMPLEREGION;
    }
    GdiObjectPtr object = RegionObject(region);
    if (!object) return RGN_ERROR;
    dc->Current().clip = object->region;
    return object->region.Kind();
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return RGN_ERROR;
    auto& clip = dc->Current().clip;
    const POINT v = dc->Current().viewport;
    const RECT rect{left + v.x, top + v.y, right + v.x, bottom + v.y};
    if (!clip) {
        RECT bounds = dc->LogicalBounds();
        bounds = {std::max(bounds.left, rect.left), std::max(bounds.top, rect.top),
                  std::min(bounds.right, rect.right), std::min(bounds.bottom, rect.bottom)};
        clip = Region(bounds);
    } else {
        clip->Intersect(rect);
    }
    return KindOfClip(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return RGN_ERROR;
    auto& clip = dc->Current().clip;
    if (!clip) clip = Region(dc->LogicalBounds());
    const POINT v = dc->Current().viewport;
    clip->Subtract(RECT{left + v.x, top + v.y, right + v.x, bottom + v.y});
    return KindOfClip(*dc);
}

// The box is in logical coordinates, like the rectangles IntersectClipRect takes, so that
// drawing code moved by the viewport origin can test against it directly.
int GetClipBox(HDC hdc, RECT* box) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr || box == nullptr) return RGN_ERROR;
    const RECT bounds = dc->LogicalBounds();
    const auto& clip = dc->Current().clip;
    const POINT v = dc->Current().viewport;
    int kind = SIMPLEREGION;
    if (!clip) {
        *box = bounds;
    } else {
        Region visible = Region::Combine(*clip, Region(bounds), RGN_AND);
        *box = visible.Bounds();
        kind = visible.Kind();
        if (kind == NULLREGION) return kind;
    }
    *box = {box->left - v.x, box->top - v.y, box->right - v.x, box->bottom - v.y};
    return kind;
}

}  // namespace vexa::sys
