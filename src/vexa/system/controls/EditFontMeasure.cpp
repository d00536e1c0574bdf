#include "vexa/system/controls/EditFontMeasure.h"

#include <algorithm>

#include "vexa/system/controls/EditUnicode.h"
#include "vexa/system/paint/TextEngine.h"

namespace vexa::sys {

namespace {

constexpr std::size_t kShapedLineLimit = 256;
constexpr int kTabCharacters = 8;
// What an unprintable character (a line break in a single-line control, other controls)
// shows as: a white square, the classic "missing character" box.
constexpr char32_t kUnprintable = U'\u25A1';

int Pixels(int pangoUnits) {
    return PANGO_PIXELS(pangoUnits);
}

}  // namespace

EditFontMeasure::EditFontMeasure() : font_(TextEngine::Instance().DefaultFont()) {}

EditFontMeasure::~EditFontMeasure() {
    Forget();
}

void EditFontMeasure::SetFont(std::shared_ptr<const GdiFont> font) {
    font_ = font ? std::move(font) : TextEngine::Instance().DefaultFont();
    Forget();
}

void EditFontMeasure::SetRightToLeft(bool rtl) {
    if (rtl_ != rtl) Forget();
    rtl_ = rtl;
}

void EditFontMeasure::SetPasswordChar(char32_t c) {
    if (passwordChar_ != c) Forget();
    passwordChar_ = c;
}

int EditFontMeasure::TabWidth() const {
    return kTabCharacters * std::max(1, font_->Metrics().tmAveCharWidth);
}

std::string EditFontMeasure::Shown(std::u32string_view run) const {
    std::u32string shown(run);
    for (char32_t& c : shown) {
        if (passwordChar_ != 0) {
            c = passwordChar_;
        } else if ((c < 0x20 && c != U'\t') || c == 0x7F) {
            c = kUnprintable;
        }
    }
    return edit_text::EncodeUtf8(shown);
}

int EditFontMeasure::Width(std::u32string_view run) const {
    if (run.empty()) return 0;
    const std::string shown = Shown(run);
    if (auto it = shaped_.find(shown); it != shaped_.end()) return it->second.width;
    PangoLayout* layout = TextEngine::Instance().PrepareLayout(*font_, shown, rtl_, TabWidth());
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    return width;
}

// The logical width of each character, from the glyphs of each run of the shaped text (a
// cluster's width is shared by its characters), added up in reading order.
std::vector<int> EditFontMeasure::PrefixWidths(std::u32string_view run) const {
    std::vector<int> widths(run.size() + 1, 0);
    if (run.empty()) return widths;
    const std::string shown = Shown(run);
    PangoLayout* layout = TextEngine::Instance().PrepareLayout(*font_, shown, rtl_, TabWidth());
    std::vector<int> own(run.size(), 0);
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
        const PangoLayoutRun* glyphRun = pango_layout_iter_get_run_readonly(iter);
        if (glyphRun == nullptr) continue;
        const PangoItem* item = glyphRun->item;
        const long first = g_utf8_pointer_to_offset(shown.data(), shown.data() + item->offset);
        std::vector<int> logical(std::size_t(item->num_chars), 0);
        pango_glyph_string_get_logical_widths(glyphRun->glyphs, shown.data() + item->offset,
                                              item->length, item->analysis.level, logical.data());
        for (std::size_t i = 0; i < logical.size() && std::size_t(first) + i < own.size(); ++i)
            own[std::size_t(first) + i] = logical[i];
    } while (pango_layout_iter_next_run(iter));
    pango_layout_iter_free(iter);
    int total = 0;
    for (std::size_t i = 0; i < own.size(); ++i) {
        total += own[i];
        widths[i + 1] = Pixels(total);
    }
    return widths;
}

const EditFontMeasure::Shaped& EditFontMeasure::ShapedLine(std::u32string_view line) const {
    std::string shown = Shown(line);
    if (auto it = shaped_.find(shown); it != shaped_.end()) return it->second;
    if (shaped_.size() >= kShapedLineLimit) Forget();
    Shaped shaped;
    shaped.layout =
        pango_layout_copy(TextEngine::Instance().PrepareLayout(*font_, shown, rtl_, TabWidth()));
    pango_layout_get_pixel_size(shaped.layout, &shaped.width, nullptr);
    shaped.byteOf.reserve(line.size() + 1);
    int offset = 0;
    for (char32_t c : line) {
        shaped.byteOf.push_back(offset);
        offset += edit_text::Utf8Length(passwordChar_ != 0 ? passwordChar_ : c);
    }
    shaped.byteOf.push_back(offset);
    return shaped_.emplace(std::move(shown), std::move(shaped)).first->second;
}

void EditFontMeasure::Forget() const {
    for (auto& entry : shaped_) g_object_unref(entry.second.layout);
    shaped_.clear();
}

int EditFontMeasure::CaretX(std::u32string_view line, int index) const {
    if (line.empty()) return 0;
    const Shaped& shaped = ShapedLine(line);
    index = std::clamp(index, 0, int(line.size()));
    PangoRectangle strong;
    pango_layout_get_cursor_pos(shaped.layout, shaped.byteOf[std::size_t(index)], &strong, nullptr);
    return Pixels(strong.x);
}

int EditFontMeasure::IndexAt(std::u32string_view line, int x) const {
    if (line.empty()) return 0;
    const Shaped& shaped = ShapedLine(line);
    int byte = 0;
    int trailing = 0;
    pango_layout_xy_to_index(shaped.layout, x * PANGO_SCALE, 0, &byte, &trailing);
    const auto found = std::lower_bound(shaped.byteOf.begin(), shaped.byteOf.end(), byte);
    int index = int(found - shaped.byteOf.begin());
    // A point past the middle of a character sequence places the caret after it.
    if (trailing > 0) index = int(edit_text::NextCaretStop(line, std::size_t(index)));
    return std::min(index, int(line.size()));
}

PangoLayout* EditFontMeasure::Layout(std::u32string_view line) const {
    return ShapedLine(line).layout;
}

std::vector<std::pair<int, int>> EditFontMeasure::Ranges(std::u32string_view line, int from,
                                                         int to) const {
    std::vector<std::pair<int, int>> result;
    from = std::clamp(from, 0, int(line.size()));
    to = std::clamp(to, from, int(line.size()));
    if (from == to) return result;
    const Shaped& shaped = ShapedLine(line);
    PangoLayoutLine* first = pango_layout_get_line_readonly(shaped.layout, 0);
    int* ranges = nullptr;
    int count = 0;
    pango_layout_line_get_x_ranges(first, shaped.byteOf[std::size_t(from)],
                                   shaped.byteOf[std::size_t(to)], &ranges, &count);
    for (int i = 0; i < count; ++i)
        result.emplace_back(Pixels(ranges[2 * i]), Pixels(ranges[2 * i + 1]));
    g_free(ranges);
    return result;
}

}  // namespace vexa::sys
