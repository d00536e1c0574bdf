// The visual-styles service: a process-wide switch, theme data per window and class, and
// Vexa's own flat, modern drawing of the themed parts the grid uses:
//   "Button"   part 3 (check box): states 1-4 unchecked, 5-8 checked, 9-12 mixed, each
//              normal/hot/pressed/disabled;
//   "ComboBox" part 1 (drop-down button): states 1-4 normal/hot/pressed/disabled;
//   "Header"   part 1 (item): states 1-3 normal/hot/pressed.
#pragma once

#include <string>

#include "vexa/system/paint/GdiTypes.h"

namespace vexa::sys {

constexpr int BP_CHECKBOX = 3;
constexpr int CBS_UNCHECKEDNORMAL = 1;
constexpr int CBS_UNCHECKEDHOT = 2;
constexpr int CBS_UNCHECKEDPRESSED = 3;
constexpr int CBS_UNCHECKEDDISABLED = 4;
constexpr int CBS_CHECKEDNORMAL = 5;
constexpr int CBS_CHECKEDHOT = 6;
constexpr int CBS_CHECKEDPRESSED = 7;
constexpr int CBS_CHECKEDDISABLED = 8;
constexpr int CBS_MIXEDNORMAL = 9;
constexpr int CBS_MIXEDHOT = 10;
constexpr int CBS_MIXEDPRESSED = 11;
constexpr int CBS_MIXEDDISABLED = 12;
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1;
constexpr int CBXS_HOT = 2;
constexpr int CBXS_PRESSED = 3;
constexpr int CBXS_DISABLED = 4;
constexpr int HP_HEADERITEM = 1;
constexpr int HIS_NORMAL = 1;
constexpr int HIS_HOT = 2;
constexpr int HIS_PRESSED = 3;

struct DLLVERSIONINFO {
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
};

// Whether visual styles are on for the process (on at start). Switching sends
// WM_THEMECHANGED to every window, top-level windows first, each before its children.
bool IsThemeActive();
bool IsAppThemed();
void SetThemeActive(bool active);
// The common-controls library version: 6.0 (themes are always possible here).
HRESULT GetCommonControlsVersion(DLLVERSIONINFO* info);
// Empty strings for both switch theming off for one window; null pointers restore it.
// The window gets WM_THEMECHANGED.
HRESULT SetWindowTheme(HWND hwnd, const char* subAppName, const char* idList);
// Whether OpenThemeData would give this window a theme for a known class: what painters
// that only choose between two looks need, without opening and closing theme data.
bool IsWindowThemed(HWND hwnd);

// classList may name several classes separated by ';' (the first known one is used).
// 0 when themes are off (for the process or the window) or no class is known.
HTHEME OpenThemeData(HWND hwnd, const std::string& classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int part, int state, const RECT* rect,
                            const RECT* clip);
// Lets the parent paint its background under rect (hwnd's client coordinates) into hdc:
// WM_ERASEBKGND then WM_PRINTCLIENT with the context moved to the parent's coordinates.
HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* rect);
HRESULT GetThemePartSize(HTHEME theme, HDC hdc, int part, int state, const RECT* rect,
                         THEMESIZE size, SIZE* result);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC hdc, int part, int state,
                                      const RECT* bounds, RECT* content);

}  // namespace vexa::sys
