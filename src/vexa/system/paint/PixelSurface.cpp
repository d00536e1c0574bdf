#include "vexa/system/paint/PixelSurface.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The first row is filled pixel by pixel and copied to the others, which the C library
// does with its widest stores.
void PixelSurface::Fill(const RECT& rect, std::uint32_t pixel) {
    const RECT r = Clamp(rect);
    if (r.right <= r.left || r.bottom <= r.top) return;
    std::uint32_t* first = Row(r.top) + r.left;
    std::fill(first, first + (r.right - r.left), pixel);
    const std::size_t bytes = std::size_t(r.right - r.left) * sizeof(std::uint32_t);
    for (int y = r.top + 1; y < r.bottom; ++y) std::memcpy(Row(y) + r.left, first, bytes);
}

void PixelSurface::Xor(const RECT& rect, std::uint32_t mask) {
    const RECT r = Clamp(rect);
    mask &= 0x00FFFFFFu;
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = Row(y);
        for (int x = r.left; x < r.right; ++x) row[x] ^= mask;
    }
}

namespace {

// Two channels at once (bits 0-7 and 16-23 of x) times a / 255, each rounded exactly as the
// compositing library rounds its products.
inline std::uint32_t MulDiv255(std::uint32_t x, std::uint32_t a) {
    std::uint32_t t = (x & 0x00FF00FFu) * a + 0x00800080u;
    return ((t + ((t >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// source * a + destination * (1 - a) in every channel, alpha included; no channel carries
// into the next, as each rounded sum stays within 255.
inline std::uint32_t Mix(std::uint32_t source, std::uint32_t destination, std::uint32_t a) {
    const std::uint32_t rest = 255 - a;
    return MulDiv255(source, a) + (MulDiv255(source >> 8, a) << 8) + MulDiv255(destination, rest) +
           (MulDiv255(destination >> 8, rest) << 8);
}

}  // namespace

void PixelSurface::Over(const RECT& rect, const std::uint32_t* image, int imageStride, int imageX,
                        int imageY) {
    const RECT r = Clamp(rect);
    for (int y = r.top; y < r.bottom; ++y) {
        const std::uint32_t* source =
            image + std::ptrdiff_t(y - imageY) * imageStride + (r.left - imageX);
        std::uint32_t* row = Row(y) + r.left;
        for (int i = 0; i < r.right - r.left; ++i) {
            const std::uint32_t s = source[i];
            const std::uint32_t alpha = s >> 24;
            if (alpha == 0) continue;
            if (alpha == 255) {
                row[i] = s;
                continue;
            }
            const std::uint32_t rest = 255 - alpha;
            row[i] = s + MulDiv255(row[i], rest) + (MulDiv255(row[i] >> 8, rest) << 8);
        }
    }
}

#if defined(__SSE2__)

namespace {

// Four pixels at once, with the same products and rounding as Mix.
inline __m128i MulDiv255x16(__m128i x, __m128i a) {
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(x, a), _mm_set1_epi16(0x80));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

inline __m128i OverFour(__m128i source16, __m128i destination, std::uint32_t coverage) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i all = _mm_set1_epi16(255);
    __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(coverage)), zero);
    a = _mm_unpacklo_epi16(a, a);
    const __m128i aLow = _mm_unpacklo_epi32(a, a), aHigh = _mm_unpackhi_epi32(a, a);
    const __m128i dLow = _mm_unpacklo_epi8(destination, zero);
    const __m128i dHigh = _mm_unpackhi_epi8(destination, zero);
    const __m128i low =
        _mm_add_epi16(MulDiv255x16(source16, aLow), MulDiv255x16(dLow, _mm_sub_epi16(all, aLow)));
    const __m128i high = _mm_add_epi16(MulDiv255x16(source16, aHigh),
                                       MulDiv255x16(dHigh, _mm_sub_epi16(all, aHigh)));
    return _mm_packus_epi16(low, high);
}

}  // namespace

#endif

void PixelSurface::Blend(const RECT& rect, const CoverageMask& mask, int maskX, int maskY,
                         std::uint32_t pixel) {
    const RECT r = Clamp(rect);
#if defined(__SSE2__)
    const __m128i source16 = _mm_unpacklo_epi8(_mm_set1_epi32(int(pixel)), _mm_setzero_si128());
    const __m128i solid = _mm_set1_epi32(int(pixel));
#endif
    for (int y = r.top; y < r.bottom; ++y) {
        const int maskRow = y - maskY;
        const int from = std::max(int(r.left), maskX + mask.inkStart[maskRow]);
        const int to = std::min(int(r.right), maskX + mask.inkEnd[maskRow]);
        const std::uint8_t* coverage =
            mask.coverage + std::ptrdiff_t(maskRow) * mask.width + (from - maskX);
        std::uint32_t* row = Row(y) + from;
        int i = 0;
#if defined(__SSE2__)
        for (; i + 4 <= to - from; i += 4) {
            std::uint32_t four;
            std::memcpy(&four, coverage + i, sizeof four);
            if (four == 0) continue;
            auto* at = reinterpret_cast<__m128i*>(row + i);
            if (four == 0xFFFFFFFFu) {
                _mm_storeu_si128(at, solid);
                continue;
            }
            _mm_storeu_si128(at, OverFour(source16, _mm_loadu_si128(at), four));
        }
#endif
        for (; i < to - from; ++i) {
            const std::uint32_t a = coverage[i];
            if (a == 0) continue;
            row[i] = a == 255 ? pixel : Mix(pixel, row[i], a);
        }
    }
}

}  // namespace vexa::sys
