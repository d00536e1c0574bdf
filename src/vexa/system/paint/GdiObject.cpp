#include "vexa/system/paint/GdiObject.h"

#include <algorithm>
#include <atomic>

#include "vexa/system/paint/TextEngine.h"

namespace vexa::sys {

namespace {

GdiObject SolidBrushObject(COLORREF color) {
    GdiObject object;
    object.kind = GdiKind::Brush;
    object.brush.color = color;
    return object;
}

GdiObject PenObject(int style, COLORREF color) {
    GdiObject object;
    object.kind = GdiKind::Pen;
    object.pen = {style, 1, color};
    return object;
}

GdiObject FontObject(const LOGFONT& logFont) {
    GdiObject object;
    object.kind = GdiKind::Font;
    object.font = TextEngine::Instance().FontFor(logFont);
    return object;
}

}  // namespace

Bitmap::Bitmap(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(1, width),
                                          std::max(1, height))) {
    // A new compatible bitmap is opaque black, as on the classic platform.
    unsigned char* data = cairo_image_surface_get_data(surface_);
    if (data == nullptr) return;  // allocation failed: an error surface nothing draws on
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < Height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + std::size_t(y) * stride);
        std::fill(row, row + Width(), 0xFF000000u);
    }
    cairo_surface_mark_dirty(surface_);
}

Bitmap::Bitmap(cairo_surface_t* adopted) : surface_(adopted) {}

Bitmap::~Bitmap() {
    cairo_surface_destroy(surface_);
}

GdiObjectTable& GdiObjectTable::Instance() {
    static GdiObjectTable table;
    return table;
}

std::uintptr_t GdiObjectTable::NewHandle() {
    // Start far from small numbers and from window handles, so that a stray integer or a
    // window handle passed as a device context is never taken for a drawing handle.
    static std::atomic<std::uintptr_t> next{0x40000000};
    return next.fetch_add(4);
}

GdiObjectTable::GdiObjectTable() = default;

HGDIOBJ GdiObjectTable::Add(GdiObjectPtr object) {
    const HGDIOBJ handle = NewHandle();
    objects_.emplace(handle, std::move(object));
    return handle;
}

GdiObjectPtr GdiObjectTable::Find(HGDIOBJ handle) const {
    auto it = objects_.find(handle);
    return it == objects_.end() ? nullptr : it->second;
}

GdiObjectPtr GdiObjectTable::Find(HGDIOBJ handle, GdiKind kind) const {
    GdiObjectPtr object = Find(handle);
    return object && object->kind == kind ? object : nullptr;
}

bool GdiObjectTable::Remove(HGDIOBJ handle) {
    auto it = objects_.find(handle);
    if (it == objects_.end()) return false;
    if (!it->second->stock) objects_.erase(it);
    return true;
}

HGDIOBJ GdiObjectTable::AddStock(GdiObject object) {
    object.stock = true;
    return Add(std::make_shared<GdiObject>(std::move(object)));
}

HGDIOBJ GdiObjectTable::Stock(int index) {
    if (auto it = stock_.find(index); it != stock_.end()) return it->second;
    GdiObject object;
    switch (index) {
        case WHITE_BRUSH:
            object = SolidBrushObject(RGB(255, 255, 255));
            break;
        case LTGRAY_BRUSH:
            object = SolidBrushObject(RGB(192, 192, 192));
            break;
        case GRAY_BRUSH:
            object = SolidBrushObject(RGB(128, 128, 128));
            break;
        case DKGRAY_BRUSH:
            object = SolidBrushObject(RGB(64, 64, 64));
            break;
        case BLACK_BRUSH:
            object = SolidBrushObject(RGB(0, 0, 0));
            break;
        case NULL_BRUSH:
            object = SolidBrushObject(0);
            object.brush.kind = Brush::Kind::Null;
            break;
        case WHITE_PEN:
            object = PenObject(PS_SOLID, RGB(255, 255, 255));
            break;
        case BLACK_PEN:
            object = PenObject(PS_SOLID, RGB(0, 0, 0));
            break;
        case NULL_PEN:
            object = PenObject(PS_NULL, 0);
            break;
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case SYSTEM_FIXED_FONT: {
            LOGFONT fixed;
            fixed.lfFaceName = "DejaVu Sans Mono";
            object = FontObject(fixed);
            break;
        }
        case ANSI_VAR_FONT:
        case SYSTEM_FONT:
        case DEVICE_DEFAULT_FONT:
        case DEFAULT_GUI_FONT:
            object = FontObject(LOGFONT{});
            break;
        default:
            return 0;
    }
    const HGDIOBJ handle = AddStock(std::move(object));
    stock_.emplace(index, handle);
    return handle;
}

HBRUSH GdiObjectTable::SysColorBrush(int index) {
    if (index < 0 || index > 31) return 0;
    if (auto it = sysBrushes_.find(index); it != sysBrushes_.end()) return it->second;
    GdiObject object;
    object.kind = GdiKind::Brush;
    object.brush.kind = Brush::Kind::System;
    object.brush.sysColorIndex = index;
    const HBRUSH handle = AddStock(std::move(object));
    sysBrushes_.emplace(index, handle);
    return handle;
}

HBITMAP GdiObjectTable::DefaultBitmap() {
    if (defaultBitmap_ != 0) return defaultBitmap_;
    GdiObject object;
    object.kind = GdiKind::Bitmap;
    object.bitmap = std::make_shared<Bitmap>(1, 1);
    defaultBitmap_ = AddStock(std::move(object));
    return defaultBitmap_;
}

}  // namespace vexa::sys
