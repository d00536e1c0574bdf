// What painting tests share: the grid's client area read back in one go, a sentinel colour
// painted over it first, solid-colour icons and pictures, and glyphs drawn for comparison.
#pragma once

#include <cairo.h>

#include <cmath>
#include <functional>
#include <vector>

#include "common/GridOnForm.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/paint/ThemeService.h"

namespace vexa::test {

using sys::COLORREF;
using sys::RGB;

inline constexpr COLORREF kSentinel = RGB(255, 0, 255);
inline constexpr COLORREF kRed = RGB(220, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 160, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 200);

inline COLORREF Sys(int index) {
    return sys::GetSysColor(index);
}

// The client area of a window as it shows now, pixel by pixel.
class ClientPixels {
  public:
    explicit ClientPixels(sys::HWND hwnd) {
        sys::GetClientRect(hwnd, &client_);
        sys::HeadlessDisplay::Instance().WindowPixel(hwnd, 0, 0);  // shows what is pending
        const sys::WindowSurface surface = sys::GetWindowSurface(hwnd);
        const unsigned char* data = cairo_image_surface_get_data(surface.surface);
        const int stride = cairo_image_surface_get_stride(surface.surface);
        for (int y = 0; y < client_.bottom; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(
                data + std::size_t(surface.origin.y + y) * std::size_t(stride));
            for (int x = 0; x < client_.right; ++x) {
                const std::uint32_t argb = row[surface.origin.x + x];
                pixels_.push_back(RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF));
            }
        }
    }
    int Width() const { return client_.right; }
    int Height() const { return client_.bottom; }
    COLORREF At(int x, int y) const { return pixels_[std::size_t(y * client_.right + x)]; }
    // Pixels of `rect` (clipped to the client area) that satisfy `test`.
    int Count(const sys::RECT& rect, const std::function<bool(COLORREF)>& test) const {
        int count = 0;
        for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, Height()); ++y)
            for (int x = std::max(rect.left, 0); x < std::min(rect.right, Width()); ++x)
                count += test(At(x, y)) ? 1 : 0;
        return count;
    }
    int Count(const sys::RECT& rect, COLORREF color) const {
        return Count(rect, [color](COLORREF c) { return c == color; });
    }
    int CountAll(COLORREF color) const { return Count(client_, color); }

  private:
    sys::RECT client_;
    std::vector<COLORREF> pixels_;
};

// Whether the `size` x `size` square of `shot` at (x, y) shows what `draw` gives on a memory
// surface filled with `background` first.
inline bool GlyphShown(const ClientPixels& shot, int x, int y, int size, COLORREF background,
                       const std::function<void(sys::HDC, sys::RECT&)>& draw) {
    const sys::HDC dc = sys::CreateCompatibleDC(0);
    const sys::HBITMAP bitmap = sys::CreateCompatibleBitmap(dc, size, size);
    const sys::HGDIOBJ previous = sys::SelectObject(dc, bitmap);
    sys::RECT rect{0, 0, size, size};
    const sys::HBRUSH brush = sys::CreateSolidBrush(background);
    sys::FillRect(dc, &rect, brush);
    sys::DeleteObject(brush);
    draw(dc, rect);
    int differing = 0;
    for (int gy = 0; gy < size; ++gy)
        for (int gx = 0; gx < size; ++gx)
            differing += shot.At(x + gx, y + gy) != sys::GetPixel(dc, gx, gy) ? 1 : 0;
    sys::SelectObject(dc, previous);
    sys::DeleteObject(bitmap);
    sys::DeleteDC(dc);
    return differing == 0;
}

// The themed glyph of `part` in `state` of the theme class, drawn as the grid draws it.
inline std::function<void(sys::HDC, sys::RECT&)> ThemedGlyph(sys::HWND hwnd, const char* themeClass,
                                                             int part, int state) {
    return [=](sys::HDC dc, sys::RECT& rect) {
        const sys::HTHEME theme = sys::OpenThemeData(hwnd, themeClass);
        sys::DrawThemeBackground(theme, dc, part, state, &rect, nullptr);
        sys::CloseThemeData(theme);
    };
}

// Where a glyph of `size` pixels starts in `cell`: a check box centred (half-way values
// rounded to even), a combo button at the right.
inline sys::POINT GlyphOrigin(const sys::RECT& cell, bool check, int size) {
    return {check ? int(std::nearbyint((cell.left + 1 - size + cell.right - 2) / 2.0))
                  : cell.right - 18,
            cell.top + 1};
}

class PaintedGrid : public GridOnForm {
  protected:
    // The cells area is the whole client area: the header's own painting is tested apart.
    PaintedGrid() {
        grid().Header()->SetVisible(false);
        sys::PumpMessages();
    }
    ~PaintedGrid() override {
        if (icons_ != 0) sys::ImageList_Destroy(icons_);
    }
    ClientPixels Shot() { return ClientPixels(grid().hwnd()); }
    sys::RECT Client() {
        sys::RECT client;
        sys::GetClientRect(grid().hwnd(), &client);
        return client;
    }
    // Paints the sentinel over the whole client area, behind the grid's back.
    void PaintSentinel() {
        sys::PumpMessages();
        const sys::HDC dc = sys::GetDC(grid().hwnd());
        const sys::HBRUSH brush = sys::CreateSolidBrush(kSentinel);
        const sys::RECT client = Client();
        sys::FillRect(dc, &client, brush);
        sys::DeleteObject(brush);
        sys::ReleaseDC(grid().hwnd(), dc);
    }
    // Switching Redraw on repaints everything.
    void RepaintAll() {
        grid().SetRedraw(true);
        sys::PumpMessages();
    }
    // The pixels still showing the sentinel after a full repaint over it.
    int LeftUnpainted() {
        PaintSentinel();
        RepaintAll();
        return Shot().CountAll(kSentinel);
    }
    // Three 16x16 icons of solid red, green and blue, made the grid's image list.
    void UseIcons() {
        icons_ = sys::ImageList_Create(16, 16, 0, 3, 0);
        for (COLORREF color : {kRed, kGreen, kBlue}) {
            cairo_surface_t* icon = SolidSurface(16, 16, color);
            sys::ImageList_Add(icons_, icon);
            cairo_surface_destroy(icon);
        }
        grid().SetImageList(Variant(std::int32_t(icons_)));
    }
    static cairo_surface_t* SolidSurface(int width, int height, COLORREF color) {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, sys::GetRValue(color) / 255.0, sys::GetGValue(color) / 255.0,
                             sys::GetBValue(color) / 255.0);
        cairo_paint(cr);
        cairo_destroy(cr);
        return surface;
    }
    static std::shared_ptr<Picture> SolidPicture(COLORREF color) {
        cairo_surface_t* surface = SolidSurface(4, 4, color);
        std::shared_ptr<Picture> picture = Picture::FromSurface(surface);
        cairo_surface_destroy(surface);
        return picture;
    }
    static bool ShowsGlyph(const ClientPixels& shot, int x, int y, int size, COLORREF background,
                           const std::function<void(sys::HDC, sys::RECT&)>& draw) {
        return GlyphShown(shot, x, y, size, background, draw);
    }

    sys::HIMAGELIST icons_ = 0;
};

}  // namespace vexa::test
