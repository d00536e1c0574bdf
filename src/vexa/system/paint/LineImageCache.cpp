#include "vexa/system/paint/LineImageCache.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <functional>

#include "vexa/system/paint/TextEngine.h"

namespace vexa::sys {

namespace {

// Enough for every line of several full screens of cells; beyond it the cache starts over.
constexpr std::size_t kImageLimit = 16384;
constexpr std::size_t kByteLimit = std::size_t(32) << 20;
// Room around the ink, for antialiased edges that reach past the glyphs' extents.
constexpr int kPad = 1;
// Cairo refuses image surfaces wider or taller than this.
constexpr int kLargestMask = 32767;

}  // namespace

LineImageCache& LineImageCache::Instance() {
    static LineImageCache cache;
    return cache;
}

std::size_t LineImageCache::Hash::operator()(const KeyView& key) const {
    std::size_t h = std::hash<std::string_view>{}(key.text);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); };
    mix(std::size_t(key.font));
    mix(std::size_t(key.tabWidth) * 2 + (key.rtl ? 1 : 0));
    for (int offset : key.underlined) mix(std::size_t(offset));
    return h;
}

std::size_t LineImageCache::Hash::operator()(const Key& key) const {
    return (*this)(Equal::View(key));
}

LineImage LineImageCache::Render(const GdiFont& font, std::string_view text, bool rtl, int tabWidth,
                                 std::span<const int> underlined) {
    const std::vector<int> offsets(underlined.begin(), underlined.end());
    PangoLayout* layout = TextEngine::Instance().PrepareLayout(font, text, rtl, tabWidth, offsets);
    PangoRectangle ink;
    pango_layout_get_pixel_extents(layout, &ink, nullptr);
    LineImage image;
    if (ink.width <= 0 || ink.height <= 0) return image;
    // Masks wider than cairo can hold are cut (no screen shows such a line).
    image.width = std::min(ink.width + 2 * kPad, kLargestMask);
    image.height = std::min(ink.height + 2 * kPad, kLargestMask);
    // The layout's top-left lies where its baseline meets the font's ascent below the line top.
    const int layoutTop = font.Metrics().tmAscent - pango_layout_get_baseline(layout) / PANGO_SCALE;
    image.left = ink.x - kPad;
    image.top = layoutTop + ink.y - kPad;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, image.width, image.height);
    if (cairo_surface_status(mask) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(mask);
        return LineImage{};
    }
    cairo_t* cr = cairo_create(mask);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_move_to(cr, -image.left, -(ink.y - kPad));
    pango_cairo_show_layout(cr, layout);
    cairo_destroy(cr);
    cairo_surface_flush(mask);
    const unsigned char* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    image.coverage.resize(std::size_t(image.width) * std::size_t(image.height));
    image.inkStart.assign(std::size_t(image.height), 0);
    image.inkEnd.assign(std::size_t(image.height), 0);
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = data + std::ptrdiff_t(y) * stride;
        std::copy_n(row, image.width, image.coverage.begin() + std::ptrdiff_t(y) * image.width);
        int first = 0, last = image.width;
        while (first < last && row[first] == 0) ++first;
        while (last > first && row[last - 1] == 0) --last;
        image.inkStart[std::size_t(y)] = std::uint16_t(first);
        image.inkEnd[std::size_t(y)] = std::uint16_t(last);
    }
    cairo_surface_destroy(mask);
    return image;
}

const LineImage& LineImageCache::ImageOf(const GdiFont& font, std::string_view text, bool rtl,
                                         int tabWidth, std::span<const int> underlined) {
    const KeyView view{font.Id(), tabWidth, rtl, underlined, text};
    if (auto found = images_.find(view); found != images_.end()) return found->second;
    LineImage image = Render(font, text, rtl, tabWidth, underlined);
    if (images_.size() >= kImageLimit || bytes_ + image.coverage.size() > kByteLimit) {
        images_.clear();
        bytes_ = 0;
    }
    bytes_ += image.coverage.size() + text.size();
    Key key{font.Id(), tabWidth, rtl, std::vector<int>(underlined.begin(), underlined.end()),
            std::string(text)};
    return images_.emplace(std::move(key), std::move(image)).first->second;
}

}  // namespace vexa::sys
