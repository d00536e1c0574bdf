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
    std::unordered_map<std::string, int> widths_;
    std::uint64_t nextFontId_ = 1;
};

}  // namespace vexa::sys
