#include "vexa/system/paint/ImageList.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>

#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/PixelSurface.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

std::unordered_map<HIMAGELIST, std::unique_ptr<ImageList>>& Lists() {
    static std::unordered_map<HIMAGELIST, std::unique_ptr<ImageList>> lists;
    return lists;
}

// Icons own a copy of one image.
std::unordered_map<HICON, cairo_surface_t*>& Icons() {
    static std::unordered_map<HICON, cairo_surface_t*> icons;
    return icons;
}

ImageList* Find(HIMAGELIST list) {
    auto it = Lists().find(list);
    return it == Lists().end() ? nullptr : it->second.get();
}

void SetSource(cairo_t* cr, COLORREF color, double alpha = 1.0) {
    cairo_set_source_rgba(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                          GetBValue(color) / 255.0, alpha);
}

cairo_surface_t* CopyOf(cairo_surface_t* image) {
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return copy;
}

// The image with blend mixed into its visible pixels by the given amount.
cairo_surface_t* Blended(cairo_surface_t* image, COLORREF blend, double amount) {
    cairo_surface_t* copy = CopyOf(image);
    cairo_t* cr = cairo_create(copy);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    SetSource(cr, blend, amount);
    cairo_paint(cr);
    cairo_destroy(cr);
    return copy;
}

// Paints an image surface (already prepared) at (x, y) of the context, size width x height.
// An image drawn as it is over what is there goes straight onto the pixels.
bool PaintImageDirectly(const DeviceContext& dc, cairo_surface_t* image, const RECT& area) {
    if (cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32) return false;
    const DeviceContext::Target target = dc.Resolve();
    PixelSurface pixels(target.surface);
    if (!pixels.IsValid()) return false;
    cairo_surface_flush(image);
    const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(image));
    const int stride = cairo_image_surface_get_stride(image) / 4;
    const int left = area.left + target.origin.x, top = area.top + target.origin.y;
    const RECT wanted{
        left, top,
        left + std::min(int(area.right - area.left), cairo_image_surface_get_width(image)),
        top + std::min(int(area.bottom - area.top), cairo_image_surface_get_height(image))};
    RECT touched{};
    for (const RECT& visible : target.clipRects) {
        const RECT part{std::max(wanted.left, visible.left), std::max(wanted.top, visible.top),
                        std::min(wanted.right, visible.right),
                        std::min(wanted.bottom, visible.bottom)};
        if (part.right <= part.left || part.bottom <= part.top) continue;
        pixels.Over(part, data, stride, left, top);
        touched =
            touched.right <= touched.left
                ? part
                : RECT{std::min(touched.left, part.left), std::min(touched.top, part.top),
                       std::max(touched.right, part.right), std::max(touched.bottom, part.bottom)};
    }
    dc.Touched(touched);
    return true;
}

bool PaintImage(HDC hdc, cairo_surface_t* image, int x, int y, int width, int height,
                COLORREF background, double opacity = 1.0) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return false;
    const RECT area{x, y, x + width, y + height};
    if (background == CLR_NONE && opacity == 1.0 && PaintImageDirectly(*dc, image, area)) {
        return true;
    }
    cairo_t* cr = dc->BeginCairo(&area);
    if (cr == nullptr) return true;
    if (background != CLR_NONE) {
        SetSource(cr, background);
        cairo_paint(cr);
    }
    cairo_set_source_surface(cr, image, x, y);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint_with_alpha(cr, opacity);
    dc->EndCairo(cr);
    return true;
}

// The classic disabled look: the shape in the highlight colour one pixel down-right, then
// in the shadow colour.
bool PaintDisabled(HDC hdc, cairo_surface_t* image, int x, int y, int width, int height) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return false;
    const RECT area{x, y, x + width + 1, y + height + 1};
    cairo_t* cr = dc->BeginCairo(&area);
    if (cr == nullptr) return true;
    SetSource(cr, GetSysColor(COLOR_BTNHIGHLIGHT));
    cairo_mask_surface(cr, image, x + 1, y + 1);
    SetSource(cr, GetSysColor(COLOR_BTNSHADOW));
    cairo_mask_surface(cr, image, x, y);
    dc->EndCairo(cr);
    return true;
}

}  // namespace

// Every list holds 32-bit images with alpha, whatever colour depth the flags ask for.
ImageList::ImageList(int cx, int cy) : cx_(cx), cy_(cy) {}

ImageList::~ImageList() {
    for (cairo_surface_t* image : images_) cairo_surface_destroy(image);
}

cairo_surface_t* ImageList::Image(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return images_[std::size_t(index)];
}

COLORREF ImageList::SetBkColor(COLORREF color) {
    return std::exchange(bkColor_, color);
}

int ImageList::AddStrip(cairo_surface_t* strip, COLORREF maskColor) {
    if (strip == nullptr || cairo_surface_status(strip) != CAIRO_STATUS_SUCCESS) return -1;
    const int width = cairo_image_surface_get_width(strip);
    const int count = width / cx_;
    if (count <= 0 || cairo_image_surface_get_height(strip) <= 0) return -1;
    const int first = Count();
    for (int i = 0; i < count; ++i) {
        cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cx_, cy_);
        cairo_t* cr = cairo_create(image);
        cairo_set_source_surface(cr, strip, -i * cx_, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        if (maskColor != CLR_NONE) {
            PixelSurface pixels(image);
            const std::uint32_t masked = PixelOf(maskColor);
            for (int y = 0; y < pixels.Height(); ++y)
                for (int x = 0; x < pixels.Width(); ++x)
                    if (pixels.Row(y)[x] == masked) pixels.Row(y)[x] = 0;
        }
        images_.push_back(image);
    }
    return first;
}

HIMAGELIST ImageList_Create(int cx, int cy, std::uint32_t, int, int) {
    if (cx <= 0 || cy <= 0) return 0;
    const HIMAGELIST handle = GdiObjectTable::NewHandle();
    Lists().emplace(handle, std::make_unique<ImageList>(cx, cy));
    return handle;
}

bool ImageList_Destroy(HIMAGELIST list) {
    return Lists().erase(list) != 0;
}

int ImageList_Add(HIMAGELIST list, cairo_surface_t* image) {
    ImageList* il = Find(list);
    return il == nullptr ? -1 : il->AddStrip(image, CLR_NONE);
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    ImageList* il = Find(list);
    cairo_surface_t* surface = GetBitmapSurface(image);
    if (il == nullptr || surface == nullptr) return -1;
    cairo_surface_t* maskSurface = GetBitmapSurface(mask);
    if (maskSurface == nullptr) return il->AddStrip(surface, CLR_NONE);
    // Classic masks: white mask pixels are transparent.
    cairo_surface_t* combined = CopyOf(surface);
    {
        PixelSurface out(combined), in(maskSurface);
        for (int y = 0; y < std::min(out.Height(), in.Height()); ++y)
            for (int x = 0; x < std::min(out.Width(), in.Width()); ++x)
                if ((in.Row(y)[x] & 0x00FFFFFFu) == 0x00FFFFFFu) out.Row(y)[x] = 0;
    }
    const int first = il->AddStrip(combined, CLR_NONE);
    cairo_surface_destroy(combined);
    return first;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor) {
    ImageList* il = Find(list);
    cairo_surface_t* surface = GetBitmapSurface(image);
    return il == nullptr || surface == nullptr ? -1 : il->AddStrip(surface, maskColor);
}

int ImageList_AddPng(HIMAGELIST list, const std::string& path) {
    ImageList* il = Find(list);
    if (il == nullptr) return -1;
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    const int first = il->AddStrip(png, CLR_NONE);
    cairo_surface_destroy(png);
    return first;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    ImageList* il = Find(list);
    return il == nullptr ? 0 : il->Count();
}

bool ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    ImageList* il = Find(list);
    if (il == nullptr) return false;
    if (cx != nullptr) *cx = il->Width();
    if (cy != nullptr) *cy = il->Height();
    return true;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
    ImageList* il = Find(list);
    return il == nullptr ? CLR_NONE : il->SetBkColor(color);
}

bool ImageList_DrawEx(HIMAGELIST list, int index, HDC hdc, int x, int y, int width, int height,
                      COLORREF background, COLORREF blend, std::uint32_t style) {
    ImageList* il = Find(list);
    if (il == nullptr || DeviceContext::Find(hdc) == nullptr) return false;
    cairo_surface_t* image = il->Image(index);
    if (image == nullptr) return false;
    if (width <= 0) width = il->Width();
    if (height <= 0) height = il->Height();
    if (background == CLR_DEFAULT) background = il->BkColor();
    if (style & ILD_TRANSPARENT) background = CLR_NONE;
    const double amount = (style & ILD_BLEND50) ? 0.5 : (style & ILD_BLEND25) ? 0.25 : 0.0;
    if (amount == 0.0) return PaintImage(hdc, image, x, y, width, height, background);
    // No blend colour: the image is mixed with what it is drawn over.
    if (blend == CLR_NONE)
        return PaintImage(hdc, image, x, y, width, height, background, 1.0 - amount);
    if (blend == CLR_DEFAULT) blend = GetSysColor(COLOR_HIGHLIGHT);
    cairo_surface_t* mixed = Blended(image, blend, amount);
    const bool drawn = PaintImage(hdc, mixed, x, y, width, height, background);
    cairo_surface_destroy(mixed);
    return drawn;
}

bool ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, std::uint32_t style) {
    return ImageList_DrawEx(list, index, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

bool ImageList_DrawDisabled(HIMAGELIST list, int index, HDC hdc, int x, int y) {
    ImageList* il = Find(list);
    if (il == nullptr || il->Image(index) == nullptr) return false;
    return PaintDisabled(hdc, il->Image(index), x, y, il->Width(), il->Height());
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, std::uint32_t) {
    ImageList* il = Find(list);
    if (il == nullptr || il->Image(index) == nullptr) return 0;
    const HICON icon = GdiObjectTable::NewHandle();
    Icons().emplace(icon, CopyOf(il->Image(index)));
    return icon;
}

bool DestroyIcon(HICON icon) {
    auto it = Icons().find(icon);
    if (it == Icons().end()) return false;
    cairo_surface_destroy(it->second);
    Icons().erase(it);
    return true;
}

bool DrawStateA(HDC hdc, HBRUSH, void*, LPARAM data, WPARAM, int x, int y, int cx, int cy,
                std::uint32_t flags) {
    auto it = Icons().find(HICON(data));
    if ((flags & 0x000F) != DST_ICON || it == Icons().end()) return false;
    cairo_surface_t* image = it->second;
    if (cx <= 0) cx = cairo_image_surface_get_width(image);
    if (cy <= 0) cy = cairo_image_surface_get_height(image);
    if (flags & DSS_DISABLED) return PaintDisabled(hdc, image, x, y, cx, cy);
    return PaintImage(hdc, image, x, y, cx, cy, CLR_NONE);
}

}  // namespace vexa::sys
