// Device contexts, drawing objects, colours and modes.
#include <algorithm>
#include <cstring>
#include <utility>

#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/TextEngine.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

DeviceContext::State* StateOf(HDC hdc) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    return dc == nullptr ? nullptr : &dc->Current();
}

HGDIOBJ AddObject(GdiObject object) {
    return GdiObjectTable::Instance().Add(std::make_shared<GdiObject>(std::move(object)));
}

// Swaps the selected object of one slot and returns the previous handle.
HGDIOBJ Swap(HGDIOBJ& handle, GdiObjectPtr& slot, HGDIOBJ newHandle, GdiObjectPtr object) {
    const HGDIOBJ previous = handle;
    handle = newHandle;
    slot = std::move(object);
    return previous;
}

// BeginPaint must hand out device contexts from the first paint message on, before any
// other drawing call had a chance to install the provider.
const bool kPaintDcProviderInstalled = (InstallPaintDcProvider(), true);

}  // namespace

void InstallPaintDcProvider() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    SetPaintDcProvider(
        [](HWND hwnd, const PAINTSTRUCT& ps) -> std::uintptr_t { return CreatePaintDC(hwnd, ps); },
        [](HWND hwnd, std::uintptr_t hdc) { ReleasePaintDC(hwnd, hdc); });
    SetDcBackgroundFiller([](std::uintptr_t hdc, HWND hwnd, COLORREF color) {
        RECT client;
        if (!GetClientRect(hwnd, &client)) return;
        const HBRUSH brush = CreateSolidBrush(color);
        FillRect(HDC(hdc), &client, brush);
        DeleteObject(brush);
    });
}

HDC GetDC(HWND hwnd) {
    InstallPaintDcProvider();
    return DeviceContext::CreateForWindow(hwnd, false, nullptr);
}

HDC GetWindowDC(HWND hwnd) {
    InstallPaintDcProvider();
    return DeviceContext::CreateForWindow(hwnd, true, nullptr);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr || dc->GetKind() != DeviceContext::Kind::Window) return 0;
    if (hwnd != 0 && dc->Window() != hwnd) return 0;
    return DeviceContext::Destroy(hdc) ? 1 : 0;
}

HDC CreatePaintDC(HWND hwnd, const PAINTSTRUCT& ps) {
    return DeviceContext::CreateForWindow(hwnd, false, &ps.rcPaint);
}

void ReleasePaintDC(HWND hwnd, HDC hdc) {
    ReleaseDC(hwnd, hdc);
}

HDC CreateCompatibleDC(HDC hdc) {
    InstallPaintDcProvider();
    if (hdc != 0 && DeviceContext::Find(hdc) == nullptr) return 0;
    return DeviceContext::CreateMemory();
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    if (hdc != 0 && DeviceContext::Find(hdc) == nullptr) return 0;
    // Beyond this a bitmap is certainly a caller's mistake; refuse it instead of failing
    // deep inside the allocator.
    constexpr long long kMaxPixels = 1LL << 26;
    if (width <= 0 || height <= 0 || (long long)width * height > kMaxPixels) return 0;
    GdiObject object;
    object.kind = GdiKind::Bitmap;
    object.bitmap = std::make_shared<Bitmap>(width, height);
    return AddObject(std::move(object));
}

HBITMAP CreateBitmapFromSurface(cairo_surface_t* surface) {
    if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return 0;
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    if (width <= 0 || height <= 0) return 0;
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    GdiObject object;
    object.kind = GdiKind::Bitmap;
    object.bitmap = std::make_shared<Bitmap>(copy);
    return AddObject(std::move(object));
}

cairo_surface_t* GetBitmapSurface(HBITMAP bitmap) {
    GdiObjectPtr object = GdiObjectTable::Instance().Find(bitmap, GdiKind::Bitmap);
    return object ? object->bitmap->Surface() : nullptr;
}

HDC CreateDCA(const char* driver, const char*, const char*, const void*) {
    if (driver == nullptr || std::strcmp(driver, "DISPLAY") != 0) return 0;
    InstallPaintDcProvider();
    return DeviceContext::CreateForDisplay();
}

bool DeleteDC(HDC hdc) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr || dc->GetKind() == DeviceContext::Kind::Window) return false;
    return DeviceContext::Destroy(hdc);
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    return dc == nullptr ? 0 : dc->Save();
}

bool RestoreDC(HDC hdc, int savedDc) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    return dc != nullptr && dc->Restore(savedDc);
}

bool SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous) {
    DeviceContext::State* s = StateOf(hdc);
    if (s == nullptr) return false;
    if (previous != nullptr) *previous = s->viewport;
    s->viewport = {x, y};
    return true;
}

bool OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous) {
    DeviceContext::State* s = StateOf(hdc);
    if (s == nullptr) return false;
    return SetViewportOrgEx(hdc, s->viewport.x + dx, s->viewport.y + dy, previous);
}

bool GetViewportOrgEx(HDC hdc, POINT* origin) {
    DeviceContext::State* s = StateOf(hdc);
    if (s == nullptr || origin == nullptr) return false;
    *origin = s->viewport;
    return true;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    GdiObjectPtr object = GdiObjectTable::Instance().Find(handle);
    if (dc == nullptr || !object) return 0;
    DeviceContext::State& s = dc->Current();
    switch (object->kind) {
        case GdiKind::Brush:
            return Swap(s.brush, s.brushObject, handle, object);
        case GdiKind::Pen:
            return Swap(s.pen, s.penObject, handle, object);
        case GdiKind::Font:
            return Swap(s.font, s.fontObject, handle, object);
        case GdiKind::Bitmap:
            if (dc->GetKind() != DeviceContext::Kind::Memory) return 0;
            return Swap(s.bitmap, s.bitmapObject, handle, object);
        case GdiKind::Region:
            return HGDIOBJ(SelectClipRgn(hdc, handle));
    }
    return 0;
}

bool DeleteObject(HGDIOBJ object) {
    return GdiObjectTable::Instance().Remove(object);
}

HGDIOBJ GetStockObject(int index) {
    return GdiObjectTable::Instance().Stock(index);
}

int GetObjectType(HGDIOBJ handle) {
    if (DeviceContext* dc = DeviceContext::Find(handle))
        return dc->GetKind() == DeviceContext::Kind::Memory ? OBJ_MEMDC : OBJ_DC;
    GdiObjectPtr object = GdiObjectTable::Instance().Find(handle);
    if (!object) return 0;
    switch (object->kind) {
        case GdiKind::Brush:
            return OBJ_BRUSH;
        case GdiKind::Pen:
            return OBJ_PEN;
        case GdiKind::Font:
            return OBJ_FONT;
        case GdiKind::Bitmap:
            return OBJ_BITMAP;
        case GdiKind::Region:
            return OBJ_REGION;
    }
    return 0;
}

HGDIOBJ GetCurrentObject(HDC hdc, int objectType) {
    DeviceContext::State* s = StateOf(hdc);
    if (s == nullptr) return 0;
    switch (objectType) {
        case OBJ_BRUSH:
            return s->brush;
        case OBJ_PEN:
            return s->pen;
        case OBJ_FONT:
            return s->font;
        case OBJ_BITMAP:
            return s->bitmap;
        default:
            return 0;
    }
}

HBRUSH CreateSolidBrush(COLORREF color) {
    GdiObject object;
    object.kind = GdiKind::Brush;
    object.brush.color = color & 0x00FFFFFFu;
    return AddObject(std::move(object));
}

HBRUSH CreateHatchBrush(int style, COLORREF color) {
    if (style < HS_HORIZONTAL || style > HS_DIAGCROSS) return 0;
    GdiObject object;
    object.kind = GdiKind::Brush;
    object.brush.kind = Brush::Kind::Hatch;
    object.brush.hatch = style;
    object.brush.color = color & 0x00FFFFFFu;
    return AddObject(std::move(object));
}

HBRUSH GetSysColorBrush(int index) {
    return GdiObjectTable::Instance().SysColorBrush(index);
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID && style != PS_DASH && style != PS_DOT && style != PS_NULL) return 0;
    GdiObject object;
    object.kind = GdiKind::Pen;
    // Wider than any surface is pointless, and the limit keeps pixel arithmetic in range.
    constexpr int kMaxPenWidth = 1 << 16;
    object.pen = {style, std::clamp(width, 1, kMaxPenWidth), color & 0x00FFFFFFu};
    return AddObject(std::move(object));
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext::State* s = StateOf(hdc);
    if (s == nullptr) return CLR_INVALID;
    return std::exchange(s->textColor, color & 0x00FFFFFFu);
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext::State* s = StateOf(hdc);
    return s == nullptr ? CLR_INVALID : s->textColor;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext::State* s = StateOf(hdc);
    if (s == nullptr) return CLR_INVALID;
    return std::exchange(s->bkColor, color & 0x00FFFFFFu);
}

COLORREF GetBkColor(HDC hdc) {
    DeviceContext::State* s = StateOf(hdc);
    return s == nullptr ? CLR_INVALID : s->bkColor;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext::State* s = StateOf(hdc);
    if (s == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(s->bkMode, mode);
}

int GetBkMode(HDC hdc) {
    DeviceContext::State* s = StateOf(hdc);
    return s == nullptr ? 0 : s->bkMode;
}

int SetROP2(HDC hdc, int rop2) {
    DeviceContext::State* s = StateOf(hdc);
    if (s == nullptr || rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    return std::exchange(s->rop2, rop2);
}

int GetROP2(HDC hdc) {
    DeviceContext::State* s = StateOf(hdc);
    return s == nullptr ? 0 : s->rop2;
}

HRESULT OleTranslateColor(OLE_COLOR color, HPALETTE, COLORREF* result) {
    constexpr OLE_COLOR kSystemBit = 0x80000000u;
    constexpr int kSystemColorCount = 31;
    COLORREF translated = CLR_INVALID;
    if ((color >> 24) == (kSystemBit >> 24)) {
        // The index is the low word, as the classic translation reads it.
        const OLE_COLOR index = color & 0xFFFFu;
        if (index < OLE_COLOR(kSystemColorCount)) translated = GetSysColor(int(index));
    } else if ((color >> 24) == 0) {
        translated = color;
    }
    if (result != nullptr) *result = translated;
    return translated == CLR_INVALID ? E_INVALIDARG : S_OK;
}

}  // namespace vexa::sys
