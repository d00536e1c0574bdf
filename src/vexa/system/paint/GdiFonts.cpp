// Fonts, text metrics and text extents.
#include <cmath>

#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/TextEngine.h"

namespace vexa::sys {

namespace {

constexpr double kPointsPerInch = 72.0;

std::shared_ptr<const GdiFont> SelectedFont(HDC hdc) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return nullptr;
    const GdiObjectPtr& object = dc->Current().fontObject;
    return object && object->font ? object->font : TextEngine::Instance().DefaultFont();
}

}  // namespace

HFONT CreateFontIndirect(const LOGFONT* logFont) {
    if (logFont == nullptr) return 0;
    GdiObject object;
    object.kind = GdiKind::Font;
    object.font = TextEngine::Instance().FontFor(*logFont);
    return GdiObjectTable::Instance().Add(std::make_shared<GdiObject>(std::move(object)));
}

HFONT CreateFontFromObject(const vexa::Font& font) {
    const FontAttributes& a = font.Attributes();
    FontFields fields;
    fields.Name = a.name;
    fields.Size = double(a.sizeScaled) / 10000.0;
    fields.Weight = a.weight;
    fields.Bold = a.weight >= FW_BOLD;
    fields.Italic = a.italic;
    fields.Underline = a.underline;
    fields.Strikethrough = a.strikethrough;
    return CreateFontFromFields(fields);
}

HFONT CreateFontFromFields(const FontFields& fields) {
    LOGFONT lf;
    lf.lfFaceName = fields.Name;
    const double size = fields.Size > 0 ? fields.Size : 8.25;
    lf.lfHeight = -int(std::lround(size * TextEngine::kDpi / kPointsPerInch));
    lf.lfWeight = fields.Weight > 0 ? fields.Weight : (fields.Bold ? FW_BOLD : FW_NORMAL);
    lf.lfItalic = fields.Italic;
    lf.lfUnderline = fields.Underline;
    lf.lfStrikeOut = fields.Strikethrough;
    return CreateFontIndirect(&lf);
}

bool GetFontLogFont(HFONT font, LOGFONT* logFont) {
    GdiObjectPtr object = GdiObjectTable::Instance().Find(font, GdiKind::Font);
    if (!object || logFont == nullptr) return false;
    *logFont = object->font->Log();
    return true;
}

bool GetTextMetrics(HDC hdc, TEXTMETRIC* metrics) {
    std::shared_ptr<const GdiFont> font = SelectedFont(hdc);
    if (!font || metrics == nullptr) return false;
    *metrics = font->Metrics();
    return true;
}

bool GetTextExtentPoint32(HDC hdc, std::string_view text, int length, SIZE* size) {
    std::shared_ptr<const GdiFont> font = SelectedFont(hdc);
    if (!font || size == nullptr) return false;
    if (length >= 0 && std::size_t(length) < text.size()) text = text.substr(0, length);
    std::string valid;
    text = TextEngine::ValidUtf8(text, valid);
    size->cx = TextEngine::Instance().MeasureWidth(*font, text);
    size->cy = font->Metrics().tmHeight;
    return true;
}

bool GetTextExtentExPoint(HDC hdc, std::string_view text, int length, int maxExtent, int* fit,
                          std::vector<int>* extents, SIZE* size) {
    std::shared_ptr<const GdiFont> font = SelectedFont(hdc);
    if (!font) return false;
    if (length >= 0 && std::size_t(length) < text.size()) text = text.substr(0, length);
    std::string valid;
    text = TextEngine::ValidUtf8(text, valid);
    if (extents != nullptr) extents->clear();
    int fitting = 0;
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t next = i + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
            ++next;
        // Prefix widths keep kerning and shaping exactly as drawing the text does.
        width = TextEngine::Instance().MeasureWidth(*font, text.substr(0, next));
        if (extents != nullptr) extents->push_back(width);
        if (width <= maxExtent) ++fitting;
        i = next;
    }
    if (fit != nullptr) *fit = fitting;
    if (size != nullptr) *size = {width, font->Metrics().tmHeight};
    return true;
}

bool TextOut(HDC hdc, int x, int y, std::string_view text, int length) {
    constexpr int kFar = 1 << 20;
    RECT r{x, y, x + kFar, y + kFar};
    return DeviceContext::Find(hdc) != nullptr &&
           DrawText(hdc, text, length, &r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP) >= 0;
}

}  // namespace vexa::sys
