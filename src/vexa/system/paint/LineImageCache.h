// Lines of text rendered once into coverage masks and kept: a grid shows the same texts in
// the same fonts over and over, and copying a mask costs a fraction of laying the text out and
// rasterising its glyphs again.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vexa/system/paint/GdiFont.h"
#include "vexa/system/paint/PixelSurface.h"

namespace vexa::sys {

// One line's glyph coverage (0..255 per pixel), placed relative to the line's left edge and
// the top of its line box.
struct LineImage {
    std::vector<std::uint8_t> coverage;   // width x height, row by row
    std::vector<std::uint16_t> inkStart;  // per row: the first covered column
    std::vector<std::uint16_t> inkEnd;    // per row: one past the last covered column
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;

    CoverageMask Mask() const { return {coverage.data(), width, inkStart.data(), inkEnd.data()}; }
};

class LineImageCache {
  public:
    static LineImageCache& Instance();

    // The image of `text` as one line in `font`, with tab stops every tabWidth pixels (0:
    // none), right-to-left when asked, and the characters at the given byte offsets
    // underlined. Valid until the next call.
    const LineImage& ImageOf(const GdiFont& font, std::string_view text, bool rtl, int tabWidth,
                             std::span<const int> underlined);

  private:
    struct Key {
        std::uint64_t font = 0;
        int tabWidth = 0;
        bool rtl = false;
        std::vector<int> underlined;
        std::string text;
    };
    struct KeyView {
        std::uint64_t font = 0;
        int tabWidth = 0;
        bool rtl = false;
        std::span<const int> underlined;
        std::string_view text;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(const KeyView& key) const;
        std::size_t operator()(const Key& key) const;
    };
    struct Equal {
        using is_transparent = void;
        static KeyView View(const Key& key) {
            return {key.font, key.tabWidth, key.rtl, key.underlined, key.text};
        }
        static KeyView View(const KeyView& key) { return key; }
        template <class A, class B>
        bool operator()(const A& a, const B& b) const {
            const KeyView x = View(a), y = View(b);
            return x.font == y.font && x.tabWidth == y.tabWidth && x.rtl == y.rtl &&
                   x.text == y.text &&
                   std::equal(x.underlined.begin(), x.underlined.end(), y.underlined.begin(),
                              y.underlined.end());
        }
    };

    LineImageCache() = default;
    static LineImage Render(const GdiFont& font, std::string_view text, bool rtl, int tabWidth,
                            std::span<const int> underlined);

    std::unordered_map<Key, LineImage, Hash, Equal> images_;
    std::size_t bytes_ = 0;
};

}  // namespace vexa::sys
