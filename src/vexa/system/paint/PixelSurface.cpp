#include "vexa/system/paint/PixelSurface.h"

#include <algorithm>

namespace vexa::sys {

PixelSurface::PixelSurface(cairo_surface_t* surface) : surface_(surface) {
    if (surface_ == nullptr || cairo_surface_get_type(surface_) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface_) != CAIRO_FORMAT_ARGB32)
        return;
    cairo_surface_flush(surface_);
    data_ = cairo_image_surface_get_data(surface_);
    width_ = cairo_image_surface_get_width(surface_);
    height_ = cairo_image_surface_get_height(surface_);
    stride_ = cairo_image_surface_get_stride(surface_);
}

PixelSurface::~PixelSurface() {
    if (data_ != nullptr) cairo_surface_mark_dirty(surface_);
}

RECT PixelSurface::Clamp(const RECT& rect) const {
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width_),
            std::min(rect.bottom, height_)};
}

void PixelSurface::Fill(const RECT& rect, std::uint32_t pixel) {
    const RECT r = Clamp(rect);
    for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, pixel);
}

void PixelSurface::Xor(const RECT& rect, std::uint32_t mask) {
    const RECT r = Clamp(rect);
    mask &= 0x00FFFFFFu;
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = Row(y);
        for (int x = r.left; x < r.right; ++x) row[x] ^= mask;
    }
}

}  // namespace vexa::sys
