// Direct pixel access to a Cairo ARGB32 image surface for the operations that must be exact
// to the pixel or work bitwise (fills, hatches, XOR frames, raster operations, lines).
#pragma once

#include <cairo.h>

#include <cstdint>

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// An opaque pixel of the surface for a COLORREF, and back.
constexpr std::uint32_t PixelOf(COLORREF color) {
    return 0xFF000000u | (std::uint32_t(GetRValue(color)) << 16) |
           (std::uint32_t(GetGValue(color)) << 8) | GetBValue(color);
}
constexpr COLORREF ColorOfPixel(std::uint32_t pixel) {
    return RGB(std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel));
}

// A coverage mask (0..255 per pixel) and, for each of its rows, the columns between which its
// coverage lies.
struct CoverageMask {
    const std::uint8_t* coverage = nullptr;
    int width = 0;
    const std::uint16_t* inkStart = nullptr;  // first covered column of each row
    const std::uint16_t* inkEnd = nullptr;    // one past the last (equal to inkStart: none)
};

// Flushes the surface on construction and marks it dirty on destruction, so Cairo and
// direct access can be mixed freely. Every call clips to the surface; callers clip further.
class PixelSurface {
  public:
    explicit PixelSurface(cairo_surface_t* surface);
    ~PixelSurface();
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    bool IsValid() const { return data_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT Bounds() const { return {0, 0, width_, height_}; }

    std::uint32_t* Row(int y) const {
        return reinterpret_cast<std::uint32_t*>(data_ + std::ptrdiff_t(y) * stride_);
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void Fill(const RECT& rect, std::uint32_t pixel);
    // Keeps alpha and XORs the colour bits with mask (0xFFFFFF inverts).
    void Xor(const RECT& rect, std::uint32_t mask);
    // Paints a premultiplied ARGB image (`imageStride` pixels to a row) whose top-left lies
    // at (imageX, imageY) over the pixels of `rect`, as Cairo's OVER does.
    void Over(const RECT& rect, const std::uint32_t* image, int imageStride, int imageX,
              int imageY);
    // Paints `pixel` through `mask`, whose top-left lies at (maskX, maskY), inside `rect`
    // only, blending as Cairo's OVER does.
    void Blend(const RECT& rect, const CoverageMask& mask, int maskX, int maskY,
               std::uint32_t pixel);

  private:
    RECT Clamp(const RECT& rect) const;

    cairo_surface_t* surface_;
    unsigned char* data_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
};

}  // namespace vexa::sys
