#include "vexa/render/UxTheme.h"

#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"

namespace vexa {

namespace {

constexpr std::int32_t kGlyphSize = 16;
constexpr int kCheckBoxPart = 3;

// Themes need version 6 of the common controls and a themed application.
bool ThemesUsable() {
    sys::DLLVERSIONINFO version;
    return sys::GetCommonControlsVersion(&version) == sys::S_OK && version.dwMajorVersion >= 6 &&
           sys::IsAppThemed();
}

}  // namespace

void cUxTheme::SetLeft(std::int32_t left) {
    const std::int32_t width = Width();
    rect_.left = left;
    rect_.right = left + width;
}

void cUxTheme::SetTop(std::int32_t top) {
    const std::int32_t height = Height();
    rect_.top = top;
    rect_.bottom = top + height;
}

void cUxTheme::ReportMissingThemeData() {
    if (errorHook) errorHook("No theme data for class '" + Class + "'");
}

void cUxTheme::Draw() {
    const sys::HTHEME theme = sys::OpenThemeData(hwnd, Class);
    if (theme == 0) {
        ReportMissingThemeData();
        return;
    }
    sys::DrawThemeParentBackground(hwnd, hDC, &rect_);
    sys::DrawThemeBackground(theme, hDC, Part, State, &rect_, nullptr);
    sys::CloseThemeData(theme);
}

std::int32_t cUxTheme::GetThemePartWidth() {
    const sys::HTHEME theme = sys::OpenThemeData(hwnd, Class);
    if (theme == 0) return 0;
    sys::SIZE size;
    sys::GetThemePartSize(theme, hDC, Part, State, nullptr, sys::TS_TRUE, &size);
    sys::CloseThemeData(theme);
    return size.cx;
}

sys::RECT cUxTheme::ContentRect() {
    const sys::HTHEME theme = sys::OpenThemeData(hwnd, Class);
    if (theme == 0) {
        ReportMissingThemeData();
        return rect_;
    }
    sys::RECT content = rect_;
    sys::GetThemeBackgroundContentRect(theme, hDC, Part, State, &rect_, &content);
    sys::CloseThemeData(theme);
    return content;
}

void VisualStyles::Refresh(cUxTheme& theme, sys::HWND window) {
    supports[vxSupFeatXPStyles] = ThemesUsable();
    // This platform always resizes columns live and never needs the flat scroll bars of an
    // older common-controls library.
    supports[vxSupFeatImmedColResizing] = true;
    supports[vxSupFeatFlatScrollBars] = false;
    inUse = useXPStyles && supports[vxSupFeatXPStyles];
    checkBoxSize = kGlyphSize;
    if (!inUse) return;
    const sys::HDC dc = sys::GetDC(window);
    theme.hDC = dc;
    theme.hwnd = window;
    theme.Class = "Button";
    theme.Part = kCheckBoxPart;
    theme.State = 1;
    const std::int32_t width = theme.GetThemePartWidth();
    if (width > 0 && width < kGlyphSize) checkBoxSize = width;
    theme.hDC = 0;
    sys::ReleaseDC(window, dc);
}

}  // namespace vexa
