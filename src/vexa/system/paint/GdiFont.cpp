#include "vexa/system/paint/GdiFont.h"

#include <algorithm>
#include <cmath>

namespace vexa::sys {

namespace {

constexpr const char* kDefaultFace = "DejaVu Sans";
constexpr int kDefaultPixelHeight = 11;  // 8 points at 96 dpi

int PangoToPixelsCeil(int units) {
    return (units + PANGO_SCALE - 1) / PANGO_SCALE;
}

PangoWeight WeightOf(int lfWeight) {
    if (lfWeight <= 0) return PANGO_WEIGHT_NORMAL;
    return PangoWeight(std::clamp(lfWeight, 100, 1000));
}

}  // namespace

std::string GdiFont::KeyOf(const LOGFONT& lf) {
    return std::to_string(lf.lfHeight) + '|' + std::to_string(lf.lfWeight) + '|' +
           (lf.lfItalic ? 'i' : '-') + (lf.lfUnderline ? 'u' : '-') + (lf.lfStrikeOut ? 's' : '-') +
           '|' + lf.lfFaceName;
}

GdiFont::GdiFont(const LOGFONT& logFont, PangoContext* context, std::uint64_t id)
    : log_(logFont), id_(id) {
    Realise(context);
}

GdiFont::~GdiFont() {
    pango_font_description_free(description_);
}

// Negative heights are em sizes, positive ones cell heights; a cell height is reached by
// scaling the em size with the ratio the font's own ascent + descent gives.
void GdiFont::Realise(PangoContext* context) {
    description_ = pango_font_description_new();
    pango_font_description_set_family(
        description_, log_.lfFaceName.empty() ? kDefaultFace : log_.lfFaceName.c_str());
    pango_font_description_set_weight(description_, WeightOf(log_.lfWeight));
    pango_font_description_set_style(description_,
                                     log_.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    const int requested = log_.lfHeight == 0 ? -kDefaultPixelHeight : log_.lfHeight;
    const int em = std::abs(requested);
    pango_font_description_set_absolute_size(description_, double(em) * PANGO_SCALE);
    metrics_ = Measure(context);
    if (requested > 0 && metrics_.tmHeight > 0 && metrics_.tmHeight != requested) {
        const double scaled = double(em) * em / metrics_.tmHeight;
        pango_font_description_set_absolute_size(description_, scaled * PANGO_SCALE);
        metrics_ = Measure(context);
    }
}

TEXTMETRIC GdiFont::Measure(PangoContext* context) const {
    TEXTMETRIC tm;
    PangoFontMetrics* fm = pango_context_get_metrics(context, description_, nullptr);
    const int ascent = PangoToPixelsCeil(pango_font_metrics_get_ascent(fm));
    const int descent = PangoToPixelsCeil(pango_font_metrics_get_descent(fm));
    tm.tmAscent = ascent;
    tm.tmDescent = descent;
    tm.tmHeight = ascent + descent;
    const double emPixels = pango_font_description_get_size(description_) / double(PANGO_SCALE);
    tm.tmInternalLeading = std::max(0, tm.tmHeight - int(std::lround(emPixels)));
    tm.tmAveCharWidth = std::max(
        1,
        int(std::lround(pango_font_metrics_get_approximate_char_width(fm) / double(PANGO_SCALE))));
    tm.tmMaxCharWidth = tm.tmAveCharWidth * 2;
    tm.tmWeight = log_.lfWeight <= 0 ? FW_NORMAL : log_.lfWeight;
    tm.tmItalic = log_.lfItalic;
    tm.tmUnderlined = log_.lfUnderline;
    tm.tmStruckOut = log_.lfStrikeOut;
    pango_font_metrics_unref(fm);
    return tm;
}

}  // namespace vexa::sys
