#include "vexa/system/paint/ThemeService.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>

#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

constexpr LPARAM kPrintClientArea = 0x0004;  // PRF_CLIENT
constexpr int kCheckBoxSize = 13;
constexpr int kComboButtonWidth = 17;

enum class ThemeClass { Button, ComboBox, Header };

// The look's palette.
constexpr COLORREF kAccent = RGB(0, 103, 192);
constexpr COLORREF kAccentHot = RGB(25, 126, 214);
constexpr COLORREF kAccentPressed = RGB(0, 84, 158);
constexpr COLORREF kBorder = RGB(118, 118, 118);
constexpr COLORREF kBorderDisabled = RGB(200, 200, 200);
constexpr COLORREF kFaceDisabled = RGB(245, 245, 245);
constexpr COLORREF kHotFill = RGB(229, 241, 251);
constexpr COLORREF kPressedFill = RGB(204, 228, 247);
constexpr COLORREF kGlyph = RGB(64, 64, 64);
constexpr COLORREF kGlyphDisabled = RGB(160, 160, 160);
constexpr COLORREF kSeparator = RGB(229, 229, 229);

struct ThemeState {
    bool active = true;
    std::set<HWND> unthemedWindows;
    std::unordered_map<HTHEME, ThemeClass> open;
};

ThemeState& Themes() {
    static ThemeState state;
    return state;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::optional<ThemeClass> ClassNamed(const std::string& name) {
    const std::string lower = Lower(name);
    if (lower == "button") return ThemeClass::Button;
    if (lower == "combobox") return ThemeClass::ComboBox;
    if (lower == "header") return ThemeClass::Header;
    return std::nullopt;
}

void SetColor(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A rounded 13x13 box centred in rect: an outlined white box when unchecked, an accent box
// with a white tick (or a white bar when mixed) otherwise.
void DrawCheckBox(cairo_t* cr, const RECT& rect, int state) {
    const int group = (std::clamp(state, 1, 12) - 1) / 4;  // 0 unchecked, 1 checked, 2 mixed
    const int mode = (std::clamp(state, 1, 12) - 1) % 4;   // normal, hot, pressed, disabled
    const int size =
        std::min({kCheckBoxSize, int(rect.right - rect.left), int(rect.bottom - rect.top)});
    const double x = rect.left + (rect.right - rect.left - size) / 2;
    const double y = rect.top + (rect.bottom - rect.top - size) / 2;
    const bool disabled = mode == 3;
    RoundedRect(cr, x + 0.5, y + 0.5, size - 1, size - 1, 2.5);
    if (group == 0) {
        SetColor(cr, disabled    ? kFaceDisabled
                     : mode == 2 ? kPressedFill
                     : mode == 1 ? kHotFill
                                 : RGB(255, 255, 255));
        cairo_fill_preserve(cr);
        SetColor(cr, disabled ? kBorderDisabled : mode == 0 ? kBorder : kAccent);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        return;
    }
    SetColor(cr, disabled    ? kBorderDisabled
                 : mode == 1 ? kAccentHot
                 : mode == 2 ? kAccentPressed
                             : kAccent);
    cairo_fill(cr);
    SetColor(cr, RGB(255, 255, 255));
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (group == 1) {
        cairo_move_to(cr, x + size * 0.24, y + size * 0.52);
        cairo_line_to(cr, x + size * 0.42, y + size * 0.70);
        cairo_line_to(cr, x + size * 0.76, y + size * 0.32);
    } else {
        cairo_move_to(cr, x + size * 0.27, y + size * 0.5);
        cairo_line_to(cr, x + size * 0.73, y + size * 0.5);
    }
    cairo_stroke(cr);
}

// A flat button face (tinted when hot or pressed) with a chevron pointing down.
void DrawComboButton(cairo_t* cr, const RECT& rect, int state) {
    const double w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (state == CBXS_HOT || state == CBXS_PRESSED) {
        SetColor(cr, state == CBXS_HOT ? kHotFill : kPressedFill);
        cairo_rectangle(cr, rect.left, rect.top, w, h);
        cairo_fill(cr);
    }
    const double cx = rect.left + w / 2.0, cy = rect.top + h / 2.0;
    const double half = std::max(2.0, std::min(w, h) * 0.22);
    SetColor(cr, state == CBXS_DISABLED ? kGlyphDisabled : kGlyph);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, cx - half, cy - half / 2);
    cairo_line_to(cr, cx, cy + half / 2);
    cairo_line_to(cr, cx + half, cy - half / 2);
    cairo_stroke(cr);
}

// A plain item: white, tinted when hot or pressed, a separator along the bottom and a
// divider at the right.
void DrawHeaderItem(cairo_t* cr, const RECT& rect, int state) {
    const double w = rect.right - rect.left, h = rect.bottom - rect.top;
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    SetColor(cr, state == HIS_HOT       ? kHotFill
                 : state == HIS_PRESSED ? kPressedFill
                                        : RGB(255, 255, 255));
    cairo_rectangle(cr, rect.left, rect.top, w, h);
    cairo_fill(cr);
    SetColor(cr, kSeparator);
    cairo_rectangle(cr, rect.left, rect.bottom - 1, w, 1);
    cairo_rectangle(cr, rect.right - 1, rect.top + 3, 1, std::max(0.0, h - 7));
    cairo_fill(cr);
}

ThemeClass* ClassOf(HTHEME theme) {
    auto it = Themes().open.find(theme);
    return it == Themes().open.end() ? nullptr : &it->second;
}

bool ValidPart(ThemeClass cls, int part, int state) {
    switch (cls) {
        case ThemeClass::Button:
            return part == BP_CHECKBOX && state >= 1 && state <= 12;
        case ThemeClass::ComboBox:
            return part == CP_DROPDOWNBUTTON && state >= 1 && state <= 4;
        case ThemeClass::Header:
            return part == HP_HEADERITEM && state >= 1 && state <= 3;
    }
    return false;
}

}  // namespace

bool IsThemeActive() {
    return Themes().active;
}

bool IsAppThemed() {
    return Themes().active;
}

void SetThemeActive(bool active) {
    if (Themes().active == active) return;
    Themes().active = active;
    BroadcastMessage(WM_THEMECHANGED, 0, 0, /*includeChildren=*/true);
}

HRESULT GetCommonControlsVersion(DLLVERSIONINFO* info) {
    if (info == nullptr) return E_INVALIDARG;
    info->dwMajorVersion = 6;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 0;
    return S_OK;
}

HRESULT SetWindowTheme(HWND hwnd, const char* subAppName, const char* idList) {
    if (!IsWindow(hwnd)) return E_HANDLE;
    const bool off =
        subAppName != nullptr && idList != nullptr && *subAppName == '\0' && *idList == '\0';
    if (off)
        Themes().unthemedWindows.insert(hwnd);
    else
        Themes().unthemedWindows.erase(hwnd);
    SendMessage(hwnd, WM_THEMECHANGED, 0, 0);
    return S_OK;
}

bool IsWindowThemed(HWND hwnd) {
    return Themes().active && !Themes().unthemedWindows.contains(hwnd);
}

HTHEME OpenThemeData(HWND hwnd, const std::string& classList) {
    if (!IsWindowThemed(hwnd)) return 0;
    std::size_t start = 0;
    while (start <= classList.size()) {
        std::size_t end = classList.find(';', start);
        if (end == std::string::npos) end = classList.size();
        if (std::optional<ThemeClass> cls = ClassNamed(classList.substr(start, end - start))) {
            const HTHEME theme = GdiObjectTable::NewHandle();
            Themes().open.emplace(theme, *cls);
            return theme;
        }
        start = end + 1;
    }
    return 0;
}

HRESULT CloseThemeData(HTHEME theme) {
    return Themes().open.erase(theme) != 0 ? S_OK : E_HANDLE;
}

HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int part, int state, const RECT* rect,
                            const RECT* clip) {
    ThemeClass* cls = ClassOf(theme);
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (cls == nullptr || dc == nullptr) return E_HANDLE;
    if (rect == nullptr || !ValidPart(*cls, part, state)) return E_INVALIDARG;
    RECT area = *rect;
    if (clip != nullptr && !IntersectRect(&area, rect, clip)) return S_OK;
    cairo_t* cr = dc->BeginCairo(&area);
    if (cr == nullptr) return S_OK;
    switch (*cls) {
        case ThemeClass::Button:
            DrawCheckBox(cr, *rect, state);
            break;
        case ThemeClass::ComboBox:
            DrawComboButton(cr, *rect, state);
            break;
        case ThemeClass::Header:
            DrawHeaderItem(cr, *rect, state);
            break;
    }
    dc->EndCairo(cr);
    return S_OK;
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* rect) {
    const HWND parent = GetParent(hwnd);
    if (!IsWindow(hwnd) || DeviceContext::Find(hdc) == nullptr) return E_HANDLE;
    if (parent == 0) return E_FAIL;
    POINT offset{0, 0};
    MapWindowPoints(hwnd, parent, &offset, 1);
    const int saved = SaveDC(hdc);
    if (rect != nullptr) IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
    OffsetViewportOrgEx(hdc, -offset.x, -offset.y, nullptr);
    SendMessage(parent, WM_ERASEBKGND, WPARAM(hdc), 0);
    SendMessage(parent, WM_PRINTCLIENT, WPARAM(hdc), kPrintClientArea);
    RestoreDC(hdc, saved);
    return S_OK;
}

HRESULT GetThemePartSize(HTHEME theme, HDC, int part, int state, const RECT* rect, THEMESIZE size,
                         SIZE* result) {
    ThemeClass* cls = ClassOf(theme);
    if (cls == nullptr) return E_HANDLE;
    if (result == nullptr || !ValidPart(*cls, part, state)) return E_INVALIDARG;
    switch (*cls) {
        case ThemeClass::Button:
            *result = {kCheckBoxSize, kCheckBoxSize};
            break;
        case ThemeClass::ComboBox:
            *result = {kComboButtonWidth, kComboButtonWidth};
            break;
        case ThemeClass::Header:
            *result = {1, 24};
            break;
    }
    if (size == TS_DRAW && rect != nullptr)
        *result = {std::min(result->cx, rect->right - rect->left),
                   std::min(result->cy, rect->bottom - rect->top)};
    return S_OK;
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC, int part, int state, const RECT* bounds,
                                      RECT* content) {
    ThemeClass* cls = ClassOf(theme);
    if (cls == nullptr) return E_HANDLE;
    if (bounds == nullptr || content == nullptr || !ValidPart(*cls, part, state))
        return E_INVALIDARG;
    *content = *bounds;
    switch (*cls) {
        case ThemeClass::Button:
            break;
        case ThemeClass::ComboBox:
            InflateRect(content, -1, -1);
            break;
        case ThemeClass::Header:
            *content = {bounds->left + 4, bounds->top + 1, bounds->right - 4, bounds->bottom - 2};
            break;
    }
    return S_OK;
}

}  // namespace vexa::sys
