// Process-wide Pango state: the font map context at 96 dpi, reusable layouts, shared fonts
// and a bounded cache of single-line text widths (the grid measures the same texts often).
#pragma once

#include <pango/pango.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vexa/system/paint/GdiFont.h"

namespace vexa::sys {

class TextEngine {
  public:
    static TextEngine& Instance();
    TextEngine(const TextEngine&) = delete;
    TextEngine& operator=(const TextEngine&) = delete;

    // Equal LOGFONTs give the same font object.
    std::shared_ptr<const GdiFont> FontFor(const LOGFONT& logFont);
    std::shared_ptr<const GdiFont> DefaultFont();

    // The shared layout of the given direction, reset to the font and one line of text, no
    // width limit, tab stops every tabWidth pixels (0: the default), the font's underline
    // and strike-out plus underlines of the characters starting at the given byte offsets.
    PangoLayout* PrepareLayout(const GdiFont& font, std::string_view text, bool rtl,
                               int tabWidth = 0, const std::vector<int>& underlined = {});
    // Pixel width of one line of text (no line breaks interpreted), cached.
    int MeasureWidth(const GdiFont& font, std::string_view text, int tabWidth = 0);

    // text itself when it is valid UTF-8, else a copy with U+FFFD for every bad sequence in
    // storage (Pango draws only valid text).
    static std::string_view ValidUtf8(std::string_view text, std::string& storage);

    static constexpr double kDpi = 96.0;

  private:
    TextEngine();
    ~TextEngine();
    PangoContext* NewContext(PangoDirection direction) const;
    static void SetTabs(PangoLayout* layout, int tabWidth);
    static void Configure(PangoLayout* layout, const GdiFont& font, std::string_view text,
                          int tabWidth, const std::vector<int>& underlined);

    PangoContext* contextLtr_;
    PangoContext* contextRtl_;
    PangoLayout* layoutLtr_;
    PangoLayout* layoutRtl_;
    std::unordered_map<std::string, std::weak_ptr<const GdiFont>> fonts_;
    // Widths by font, tab width and text, found without building a key string.
    struct WidthKey {
        std::uint64_t font = 0;
        int tabWidth = 0;
        std::string text;
    };
    struct WidthKeyView {
        std::uint64_t font = 0;
        int tabWidth = 0;
        std::string_view text;
    };
    struct WidthHash {
        using is_transparent = void;
        std::size_t operator()(const WidthKeyView& key) const;
        std::size_t operator()(const WidthKey& key) const {
            return (*this)(WidthKeyView{key.font, key.tabWidth, key.text});
        }
    };
    struct WidthEqual {
        using is_transparent = void;
        static WidthKeyView View(const WidthKey& key) { return {key.font, key.tabWidth, key.text}; }
        static WidthKeyView View(const WidthKeyView& key) { return key; }
        template <class A, class B>
        bool operator()(const A& a, const B& b) const {
            const WidthKeyView x = View(a), y = View(b);
            return x.font == y.font && x.tabWidth == y.tabWidth && x.text == y.text;
        }
    };
    std::unordered_map<WidthKey, int, WidthHash, WidthEqual> widths_;
    std::uint64_t nextFontId_ = 1;
};

}  // namespace vexa::sys
