#include "vexa/system/paint/TextEngine.h"

#include <pango/pangocairo.h>

#include <cstring>

namespace vexa::sys {

namespace {

constexpr std::size_t kWidthCacheLimit = 32768;
constexpr std::size_t kFontCacheSweep = 256;

}  // namespace

TextEngine& TextEngine::Instance() {
    static TextEngine engine;
    return engine;
}

TextEngine::TextEngine()
    : contextLtr_(NewContext(PANGO_DIRECTION_LTR)), contextRtl_(NewContext(PANGO_DIRECTION_RTL)) {
    layoutLtr_ = pango_layout_new(contextLtr_);
    layoutRtl_ = pango_layout_new(contextRtl_);
    pango_layout_set_auto_dir(layoutRtl_, FALSE);
}

TextEngine::~TextEngine() {
    g_object_unref(layoutLtr_);
    g_object_unref(layoutRtl_);
    g_object_unref(contextLtr_);
    g_object_unref(contextRtl_);
}

// Metrics are hinted so that advances are whole pixels and measuring matches drawing.
PangoContext* TextEngine::NewContext(PangoDirection direction) const {
    PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    pango_cairo_context_set_resolution(context, kDpi);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_base_dir(context, direction);
    return context;
}

std::string_view TextEngine::ValidUtf8(std::string_view text, std::string& storage) {
    if (g_utf8_validate(text.data(), gssize(text.size()), nullptr)) return text;
    gchar* valid = g_utf8_make_valid(text.data(), gssize(text.size()));
    storage = valid;
    g_free(valid);
    return storage;
}

std::shared_ptr<const GdiFont> TextEngine::FontFor(const LOGFONT& logFont) {
    const std::string key = GdiFont::KeyOf(logFont);
    if (auto it = fonts_.find(key); it != fonts_.end())
        if (auto alive = it->second.lock()) return alive;
    if (fonts_.size() >= kFontCacheSweep)
        std::erase_if(fonts_, [](const auto& entry) { return entry.second.expired(); });
    auto font = std::make_shared<const GdiFont>(logFont, contextLtr_, nextFontId_++);
    fonts_[key] = font;
    return font;
}

std::shared_ptr<const GdiFont> TextEngine::DefaultFont() {
    static const std::shared_ptr<const GdiFont> font = FontFor(LOGFONT{});
    return font;
}

void TextEngine::Configure(PangoLayout* layout, const GdiFont& font, std::string_view text,
                           int tabWidth, const std::vector<int>& underlined) {
    pango_layout_set_font_description(layout, font.Description());
    pango_layout_set_text(layout, text.data(), int(text.size()));
    pango_layout_set_width(layout, -1);
    pango_layout_set_height(layout, -1);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
    SetTabs(layout, tabWidth);
    PangoAttrList* attrs = pango_attr_list_new();
    if (font.Underline())
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.StrikeOut()) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    for (int offset : underlined) {
        PangoAttribute* attr = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
        attr->start_index = guint(offset);
        attr->end_index = guint(g_utf8_next_char(text.data() + offset) - text.data());
        pango_attr_list_insert(attrs, attr);
    }
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
}

PangoLayout* TextEngine::PrepareLayout(const GdiFont& font, std::string_view text, bool rtl,
                                       int tabWidth, const std::vector<int>& underlined) {
    PangoLayout* layout = rtl ? layoutRtl_ : layoutLtr_;
    Configure(layout, font, text, tabWidth, underlined);
    return layout;
}

// Tab stops at every multiple of tabWidth, enough of them for any line a grid shows.
void TextEngine::SetTabs(PangoLayout* layout, int tabWidth) {
    if (tabWidth <= 0) {
        pango_layout_set_tabs(layout, nullptr);
        return;
    }
    constexpr int kTabStops = 64;
    PangoTabArray* tabs = pango_tab_array_new(kTabStops, TRUE);
    for (int i = 0; i < kTabStops; ++i)
        pango_tab_array_set_tab(tabs, i, PANGO_TAB_LEFT, (i + 1) * tabWidth);
    pango_layout_set_tabs(layout, tabs);
    pango_tab_array_free(tabs);
}

std::size_t TextEngine::WidthHash::operator()(const WidthKeyView& key) const {
    return std::hash<std::string_view>{}(key.text) ^
           (std::size_t(key.font) * 0x9E3779B97F4A7C15ull) ^ std::size_t(key.tabWidth);
}

int TextEngine::MeasureWidth(const GdiFont& font, std::string_view text, int tabWidth) {
    if (text.empty()) return 0;
    const WidthKeyView view{font.Id(), tabWidth, text};
    if (auto it = widths_.find(view); it != widths_.end()) return it->second;
    PangoLayout* layout = PrepareLayout(font, text, false, tabWidth);
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    if (widths_.size() >= kWidthCacheLimit) widths_.clear();
    widths_.emplace(WidthKey{font.Id(), tabWidth, std::string(text)}, width);
    return width;
}

}  // namespace vexa::sys
