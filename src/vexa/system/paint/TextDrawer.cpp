#include "vexa/system/paint/TextDrawer.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/LineImageCache.h"
#include "vexa/system/paint/PixelSurface.h"
#include "vexa/system/paint/TextEngine.h"

namespace vexa::sys {

namespace {

constexpr std::string_view kEllipsis = "...";
constexpr std::uint32_t kTabStopBits = 0xFF00;
constexpr int kDefaultTabChars = 8;
constexpr std::uint32_t kAnyEllipsis = DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;
// Far beyond any surface, near enough that sums of two coordinates stay in range.
constexpr int kFarCoordinate = 1 << 28;

bool Has(std::uint32_t format, std::uint32_t bit) {
    return (format & bit) != 0;
}

// Byte offsets where UTF-8 characters start, plus the end.
std::vector<std::size_t> CharBoundaries(std::string_view text) {
    std::vector<std::size_t> result;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) result.push_back(i);
    result.push_back(text.size());
    return result;
}

std::string_view TrimRightSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The largest i in 0..last for which fits(i) holds, where i = 0 is taken to fit and a larger
// i never fits better (the kept text only grows): a few measurements even for long texts.
template <class Fits>
std::size_t LastFitting(std::size_t last, Fits fits) {
    std::size_t lo = 0, hi = last;
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (fits(mid)) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

}  // namespace

TextDrawer::TextDrawer(const DeviceContext& dc, const GdiFont& font, std::uint32_t format)
    : dc_(dc), font_(font), format_(format) {
    int tabChars = kDefaultTabChars;
    // With DT_TABSTOP the second byte of the format is the tab size, not flags.
    if (Has(format_, DT_TABSTOP)) {
        tabChars = int((format_ & kTabStopBits) >> 8);
        format_ &= ~kTabStopBits;
        if (tabChars == 0) tabChars = kDefaultTabChars;
    }
    if (Has(format_, DT_EXPANDTABS)) tabWidth_ = tabChars * font_.Metrics().tmAveCharWidth;
    lineHeight_ = font_.Metrics().tmHeight +
                  (Has(format_, DT_EXTERNALLEADING) ? font_.Metrics().tmExternalLeading : 0);
}

int TextDrawer::Measure(std::string_view text) const {
    return TextEngine::Instance().MeasureWidth(font_, text, tabWidth_);
}

TextDrawer::Line TextDrawer::StripPrefixes(std::string_view text) const {
    Line line;
    line.text.reserve(text.size());
    const bool prefixes = !Has(format_, DT_NOPREFIX);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\t' && tabWidth_ == 0) c = ' ';
        if (prefixes && c == '&') {
            if (i + 1 >= text.size()) break;  // a lone trailing prefix shows nothing
            ++i;
            if (text[i] != '&') line.underlined.push_back(int(line.text.size()));
            c = text[i];
        }
        line.text.push_back(c);
    }
    return line;
}

// One paragraph per CR LF, LF or lone CR; a single line turns line breaks into spaces.
std::vector<TextDrawer::Line> TextDrawer::Paragraphs(std::string_view text) const {
    std::vector<Line> result;
    // Most texts have nothing to take apart: no line break, tab or prefix character.
    if (text.find_first_of(Has(format_, DT_NOPREFIX) ? "\r\n\t" : "\r\n\t&") ==
        std::string_view::npos) {
        result.push_back(Line{std::string(text), {}, 0});
        return result;
    }
    const bool single = Has(format_, DT_SINGLELINE);
    std::string current;
    auto flush = [&] {
        result.push_back(StripPrefixes(current));
        current.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            current.push_back(c);
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (single) {
            current.push_back(' ');
        } else {
            flush();
            // A break that ends the text starts no further line.
            if (i + 1 == text.size()) return result;
        }
    }
    flush();
    return result;
}

// Breaks a word that is wider than the line at characters, as an edit control does; the
// pieces are returned in order, the last one possibly short.
std::vector<std::string> TextDrawer::SplitLongWord(std::string_view word, int maxWidth) const {
    std::vector<std::string> pieces;
    const std::vector<std::size_t> bounds = CharBoundaries(word);
    std::size_t start = 0;
    for (std::size_t k = 1; k < bounds.size(); ++k) {
        if (bounds[k - 1] > start && Measure(word.substr(start, bounds[k] - start)) > maxWidth) {
            pieces.emplace_back(word.substr(start, bounds[k - 1] - start));
            start = bounds[k - 1];
        }
    }
    pieces.emplace_back(word.substr(start));
    return pieces;
}

// Greedy word wrap at spaces; trailing spaces of a line do not count towards its width.
std::vector<TextDrawer::Line> TextDrawer::Wrap(const Line& paragraph, int maxWidth) const {
    const std::string_view text = paragraph.text;
    std::vector<Line> lines;
    auto emit = [&](std::size_t from, std::size_t to) {
        Line line{std::string(TrimRightSpaces(text.substr(from, to - from))), {}, 0};
        for (int offset : paragraph.underlined)
            if (std::size_t(offset) >= from && std::size_t(offset) < to)
                line.underlined.push_back(int(std::size_t(offset) - from));
        lines.push_back(std::move(line));
    };
    std::size_t lineStart = 0;
    std::size_t lineEnd = std::string_view::npos;  // npos: no word on the line yet
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t wordStart = text.find_first_not_of(' ', pos);
        if (wordStart == std::string_view::npos) break;
        std::size_t wordEnd = text.find(' ', wordStart);
        if (wordEnd == std::string_view::npos) wordEnd = text.size();
        pos = wordEnd;
        if (lineEnd != std::string_view::npos &&
            Measure(text.substr(lineStart, wordEnd - lineStart)) <= maxWidth) {
            lineEnd = wordEnd;
            continue;
        }
        if (lineEnd != std::string_view::npos) {
            emit(lineStart, lineEnd);
            lineStart = wordStart;
        }
        lineEnd = wordEnd;
        const std::string_view word = text.substr(wordStart, wordEnd - wordStart);
        if (Has(format_, DT_EDITCONTROL) &&
            Measure(text.substr(lineStart, wordEnd - lineStart)) > maxWidth) {
            std::size_t pieceStart = wordStart;
            const std::vector<std::string> pieces = SplitLongWord(word, maxWidth);
            for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
                emit(lineStart, pieceStart + pieces[i].size());
                pieceStart += pieces[i].size();
                lineStart = pieceStart;
            }
        }
    }
    emit(lineStart, lineEnd == std::string_view::npos ? text.size() : lineEnd);
    return lines;
}

TextDrawer::Cut TextDrawer::EndEllipsis(std::string_view text, int maxWidth) const {
    const std::vector<std::size_t> bounds = CharBoundaries(text);
    auto candidate = [&](std::size_t k) {
        return std::string(text.substr(0, bounds[k])) + std::string(kEllipsis);
    };
    const std::size_t kept = LastFitting(
        bounds.size() - 1, [&](std::size_t k) { return Measure(candidate(k)) <= maxWidth; });
    return {candidate(kept), bounds[kept]};
}

TextDrawer::Cut TextDrawer::WordEllipsis(std::string_view text, int maxWidth) const {
    // The heads that end before a space, shortest first; their widths grow, so the longest
    // that fits with the ellipsis is found by binary search.
    std::vector<std::size_t> heads;
    for (std::size_t space = text.find(' '); space != std::string_view::npos;
         space = text.find(' ', space + 1)) {
        const std::size_t head = TrimRightSpaces(text.substr(0, space)).size();
        if (head != 0 && (heads.empty() || heads.back() != head)) heads.push_back(head);
    }
    auto candidate = [&](std::size_t i) {
        return std::string(text.substr(0, heads[i])) + std::string(kEllipsis);
    };
    if (heads.empty() || Measure(candidate(0)) > maxWidth) return EndEllipsis(text, maxWidth);
    const std::size_t kept = LastFitting(
        heads.size() - 1, [&](std::size_t i) { return Measure(candidate(i)) <= maxWidth; });
    return {candidate(kept), heads[kept]};
}

// Keeps the last path component and drops characters before it: "C:\dir\...\file.txt".
TextDrawer::Cut TextDrawer::PathEllipsis(std::string_view text, int maxWidth) const {
    std::size_t separator = text.rfind('\\');
    if (separator == std::string_view::npos) separator = text.rfind('/');
    if (separator == std::string_view::npos || separator == 0) return EndEllipsis(text, maxWidth);
    const std::string_view head = text.substr(0, separator);
    const std::string tail(text.substr(separator));
    const std::vector<std::size_t> bounds = CharBoundaries(head);
    auto candidate = [&](std::size_t k) {
        return std::string(head.substr(0, bounds[k])) + std::string(kEllipsis) + tail;
    };
    if (Measure(candidate(0)) <= maxWidth) {
        const std::size_t kept = LastFitting(
            bounds.size() - 2, [&](std::size_t k) { return Measure(candidate(k)) <= maxWidth; });
        return {candidate(kept), bounds[kept], separator};
    }
    // Even the last component is too wide: it is cut at its end, and no character of the
    // original keeps its place.
    Cut cut = EndEllipsis(std::string(kEllipsis) + tail, maxWidth);
    cut.headKept = 0;
    return cut;
}

// The shortened form of a line for a width, kept: a grid cuts the same long texts to the
// same column widths on every repaint.
TextDrawer::Cut TextDrawer::CutFor(const std::string& text, int maxWidth) const {
    static std::unordered_map<std::string, Cut> cuts;
    constexpr std::size_t kCutLimit = 4096;
    const std::uint32_t mode = format_ & kAnyEllipsis;
    std::string key(sizeof(std::uint64_t) + 3 * sizeof(int), '\0');
    const std::uint64_t font = font_.Id();
    std::memcpy(key.data(), &font, sizeof font);
    std::memcpy(key.data() + sizeof font, &maxWidth, sizeof maxWidth);
    std::memcpy(key.data() + sizeof font + sizeof(int), &tabWidth_, sizeof tabWidth_);
    std::memcpy(key.data() + sizeof font + 2 * sizeof(int), &mode, sizeof mode);
    key += text;
    if (auto found = cuts.find(key); found != cuts.end()) return found->second;
    Cut cut;
    if (Has(format_, DT_PATH_ELLIPSIS))
        cut = PathEllipsis(text, maxWidth);
    else if (Has(format_, DT_END_ELLIPSIS))
        cut = EndEllipsis(text, maxWidth);
    else
        cut = WordEllipsis(text, maxWidth);
    if (cuts.size() >= kCutLimit) cuts.clear();
    cuts.emplace(std::move(key), cut);
    return cut;
}

bool TextDrawer::Shorten(Line& line, int maxWidth) const {
    if (line.width <= maxWidth) return false;
    Cut cut = CutFor(line.text, maxWidth);
    // Underlines stay with the characters they belong to; those cut away lose theirs.
    std::vector<int> underlined;
    for (int offset : line.underlined) {
        const std::size_t at = std::size_t(offset);
        if (at < cut.headKept)
            underlined.push_back(offset);
        else if (cut.tailFrom != std::string::npos && at >= cut.tailFrom)
            underlined.push_back(int(cut.headKept + kEllipsis.size() + (at - cut.tailFrom)));
    }
    line.text = std::move(cut.text);
    line.underlined = std::move(underlined);
    line.width = Measure(line.text);
    return true;
}

// The shown text written back as a caller would pass it: drawn again with the same format
// it shows the same characters and underlines.
std::string TextDrawer::WithPrefixes(const Line& line) const {
    if (Has(format_, DT_NOPREFIX)) return line.text;
    std::string result;
    result.reserve(line.text.size() + line.underlined.size() + 4);
    std::size_t next = 0;
    for (std::size_t i = 0; i < line.text.size(); ++i) {
        if (next < line.underlined.size() && std::size_t(line.underlined[next]) == i) {
            result += '&';
            ++next;
        }
        if (line.text[i] == '&') result += '&';
        result += line.text[i];
    }
    return result;
}

// With word breaks, an end ellipsis marks the last line that still fits when text follows.
void TextDrawer::EllipsiseLastVisibleLine(std::vector<Line>& lines, int height) const {
    const std::size_t fitting = std::size_t(std::max(1, height / std::max(1, lineHeight_)));
    if (lines.size() <= fitting) return;
    Line& last = lines[fitting - 1];
    for (std::size_t i = fitting; i < lines.size(); ++i) last.text += " " + lines[i].text;
    last.width = std::max(last.width + 1, Measure(last.text));
    last.wrapped = false;
    lines.resize(fitting);
}

std::vector<TextDrawer::Line> TextDrawer::LayOut(std::string_view text, int maxWidth,
                                                 bool wordBreak) const {
    std::vector<Line> lines;
    for (Line& paragraph : Paragraphs(text)) {
        if (!wordBreak) {
            lines.push_back(std::move(paragraph));
            continue;
        }
        std::vector<Line> wrapped = Wrap(paragraph, maxWidth);
        for (std::size_t i = 0; i + 1 < wrapped.size(); ++i) wrapped[i].wrapped = true;
        for (Line& line : wrapped) lines.push_back(std::move(line));
    }
    for (Line& line : lines) line.width = Measure(line.text);
    return lines;
}

// Shortens the lines that need an ellipsis; the shown text goes to shortened when asked.
void TextDrawer::ApplyEllipses(std::vector<Line>& lines, const RECT& rect, bool wordBreak,
                               std::string* shortened) const {
    if (wordBreak && Has(format_, DT_END_ELLIPSIS) && !Has(format_, DT_CALCRECT))
        EllipsiseLastVisibleLine(lines, rect.bottom - rect.top);
    bool changed = false;
    for (Line& line : lines) changed = Shorten(line, rect.right - rect.left) || changed;
    if (!changed || shortened == nullptr || !Has(format_, DT_MODIFYSTRING)) return;
    shortened->clear();
    for (std::size_t i = 0; i < lines.size(); ++i)
        *shortened += (i == 0 ? "" : lines[i - 1].wrapped ? " " : "\r\n") + WithPrefixes(lines[i]);
}

// Vertical placement applies to single lines only, as in the classic text drawing.
int TextDrawer::FirstLineTop(const RECT& rect) const {
    if (!Has(format_, DT_SINGLELINE)) return rect.top;
    if (Has(format_, DT_VCENTER)) return (rect.top + rect.bottom - lineHeight_) / 2;
    if (Has(format_, DT_BOTTOM)) return rect.bottom - lineHeight_;
    return rect.top;
}

int TextDrawer::Run(std::string_view text, RECT& rect, std::string* shortened) {
    // Nothing to show has no height; measured, a single line still keeps its line's height.
    if (text.empty()) {
        if (Has(format_, DT_CALCRECT)) {
            rect.right = rect.left;
            rect.bottom = rect.top + (Has(format_, DT_SINGLELINE) ? lineHeight_ : 0);
        }
        return 0;
    }
    const int maxWidth = rect.right - rect.left;
    const bool wordBreak = Has(format_, DT_WORDBREAK) && !Has(format_, DT_SINGLELINE);
    std::vector<Line> lines = LayOut(text, maxWidth, wordBreak);
    if (Has(format_, kAnyEllipsis)) ApplyEllipses(lines, rect, wordBreak, shortened);
    const int height = int(lines.size()) * lineHeight_;
    if (Has(format_, DT_CALCRECT)) {
        int widest = 0;
        for (const Line& line : lines) widest = std::max(widest, line.width);
        // Word-broken text too gets the width of its widest line, narrower than the
        // rectangle it was wrapped in or wider when a word alone does not fit.
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }
    const int top = FirstLineTop(rect);
    Draw(lines, rect, top);
    if (Has(format_, DT_SINGLELINE) && Has(format_, DT_VCENTER | DT_BOTTOM))
        return top - rect.top + lineHeight_;
    return height;
}

void TextDrawer::Draw(const std::vector<Line>& lines, const RECT& rect, int top) const {
    const RECT noClip{-(1 << 20), -(1 << 20), 1 << 20, 1 << 20};
    const RECT& clip = Has(format_, DT_NOCLIP) ? noClip : rect;
    int y = top;
    for (const Line& line : lines) {
        int x = rect.left;
        if (Has(format_, DT_CENTER))
            x = rect.left + (rect.right - rect.left - line.width) / 2;
        else if (Has(format_, DT_RIGHT))
            x = rect.right - line.width;
        if (y >= clip.bottom) break;
        // An edit control shows no partly visible last line (the first line always shows).
        const bool partial = y + lineHeight_ > rect.bottom && y > top;
        if (Has(format_, DT_EDITCONTROL) && partial) break;
        if (y + lineHeight_ > clip.top) DrawLine(line, x, y, clip);
        y += lineHeight_;
    }
}

// The line's background (when opaque) and its glyphs, from the image kept for the line,
// inside the clip rectangle and the context's clip.
void TextDrawer::DrawLine(const Line& line, int x, int y, const RECT& clip) const {
    if (clip.right <= clip.left || clip.bottom <= clip.top) return;
    const DeviceContext::Target target = dc_.Resolve();
    PixelSurface pixels(target.surface);
    if (!pixels.IsValid() || target.clipRects.empty()) return;
    const POINT o = target.origin;
    const RECT limit{clip.left + o.x, clip.top + o.y, clip.right + o.x, clip.bottom + o.y};
    RECT touched{};
    auto forEachPart = [&](const RECT& wanted, auto&& paint) {
        for (const RECT& visible : target.clipRects) {
            const RECT part{std::max({wanted.left, visible.left, limit.left}),
                            std::max({wanted.top, visible.top, limit.top}),
                            std::min({wanted.right, visible.right, limit.right}),
                            std::min({wanted.bottom, visible.bottom, limit.bottom})};
            if (part.right <= part.left || part.bottom <= part.top) continue;
            paint(part);
            touched = touched.right <= touched.left
                          ? part
                          : RECT{std::min(touched.left, part.left), std::min(touched.top, part.top),
                                 std::max(touched.right, part.right),
                                 std::max(touched.bottom, part.bottom)};
        }
    };
    const DeviceContext::State& state = dc_.Current();
    if (state.bkMode == OPAQUE) {
        const std::uint32_t back = PixelOf(state.bkColor);
        forEachPart(RECT{x + o.x, y + o.y, x + line.width + o.x, y + lineHeight_ + o.y},
                    [&](const RECT& part) { pixels.Fill(part, back); });
    }
    if (!line.text.empty()) {
        static const std::vector<int> kNoUnderlines;
        const LineImage& image = LineImageCache::Instance().ImageOf(
            font_, line.text, Has(format_, DT_RTLREADING), tabWidth_,
            Has(format_, DT_HIDEPREFIX) ? kNoUnderlines : line.underlined);
        const int left = x + image.left + o.x, top = y + image.top + o.y;
        const std::uint32_t ink = PixelOf(state.textColor);
        forEachPart(RECT{left, top, left + image.width, top + image.height},
                    [&](const RECT& part) { pixels.Blend(part, image.Mask(), left, top, ink); });
    }
    dc_.Touched(touched);
}

int DrawTextImpl(HDC hdc, std::string_view text, int length, RECT* rect, std::uint32_t format,
                 std::string* modified) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr || rect == nullptr) return 0;
    if (length >= 0 && std::size_t(length) < text.size())
        text = text.substr(0, std::size_t(length));
    // The text ends at its first NUL, as the classic call reads it.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    std::string valid;
    text = TextEngine::ValidUtf8(text, valid);
    const GdiObjectPtr& fontObject = dc->Current().fontObject;
    std::shared_ptr<const GdiFont> font =
        fontObject && fontObject->font ? fontObject->font : TextEngine::Instance().DefaultFont();
    // Coordinates far outside any surface are brought in so that no width, centre or
    // measured edge overflows; only the measured edges go back to the caller.
    auto near = [](int v) { return std::clamp(v, -kFarCoordinate, kFarCoordinate); };
    RECT work{near(rect->left), near(rect->top), near(rect->right), near(rect->bottom)};
    TextDrawer drawer(*dc, *font, format);
    const int height = drawer.Run(text, work, modified);
    if (Has(format, DT_CALCRECT)) {
        rect->right = work.right;
        rect->bottom = work.bottom;
    }
    return height;
}

int DrawText(HDC hdc, std::string_view text, int length, RECT* rect, std::uint32_t format) {
    return DrawTextImpl(hdc, text, length, rect, format, nullptr);
}

int DrawText(HDC hdc, std::string& text, int length, RECT* rect, std::uint32_t format) {
    std::string shortened;
    const int height = DrawTextImpl(hdc, text, length, rect, format, &shortened);
    if (!shortened.empty()) text = std::move(shortened);
    return height;
}

}  // namespace vexa::sys
