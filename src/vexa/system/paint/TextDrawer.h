// Drawing and measuring text with the classic text-format bits: lines from CR LF / LF,
// word breaks, tabs, prefix underlines, end/path/word ellipses, alignment, vertical centring
// of single lines, opaque backgrounds and clipping to the rectangle.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/GdiFont.h"

namespace vexa::sys {

class TextDrawer {
  public:
    TextDrawer(const DeviceContext& dc, const GdiFont& font, std::uint32_t format);

    // Returns the text height (see DrawText); shortened is filled with the shown text when
    // an ellipsis changed it.
    int Run(std::string_view text, RECT& rect, std::string* shortened);

  private:
    struct Line {
        std::string text;
        std::vector<int> underlined;  // byte offsets of prefixed characters
        int width = 0;
        bool wrapped = false;  // a word break, not a line break of the text, ends it
    };

    std::vector<Line> LayOut(std::string_view text, int maxWidth, bool wordBreak) const;
    void ApplyEllipses(std::vector<Line>& lines, const RECT& rect, bool wordBreak,
                       std::string* shortened) const;
    int FirstLineTop(const RECT& rect) const;
    std::vector<Line> Paragraphs(std::string_view text) const;
    Line StripPrefixes(std::string_view text) const;
    std::vector<Line> Wrap(const Line& paragraph, int maxWidth) const;
    std::vector<std::string> SplitLongWord(std::string_view word, int maxWidth) const;
    // A shortened line: the first headKept bytes of the original, the ellipsis, and the
    // original from tailFrom on (npos: nothing of the end is kept).
    struct Cut {
        std::string text;
        std::size_t headKept = 0;
        std::size_t tailFrom = std::string::npos;
    };

    bool Shorten(Line& line, int maxWidth) const;
    Cut CutFor(const std::string& text, int maxWidth) const;
    Cut EndEllipsis(std::string_view text, int maxWidth) const;
    Cut WordEllipsis(std::string_view text, int maxWidth) const;
    Cut PathEllipsis(std::string_view text, int maxWidth) const;
    std::string WithPrefixes(const Line& line) const;
    void EllipsiseLastVisibleLine(std::vector<Line>& lines, int height) const;
    int Measure(std::string_view text) const;
    void Draw(const std::vector<Line>& lines, const RECT& rect, int top) const;
    void DrawLine(const Line& line, int x, int y, const RECT& clip) const;

    const DeviceContext& dc_;
    const GdiFont& font_;
    std::uint32_t format_;
    int tabWidth_ = 0;
    int lineHeight_ = 0;
};

}  // namespace vexa::sys
