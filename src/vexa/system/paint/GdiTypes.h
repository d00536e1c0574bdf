// Handles, constants and structures of the device-context drawing API, with the values the
// classic desktop platform gives them so that callers can pass their numbers unchanged.
#pragma once

#include <cstdint>
#include <string>

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// Every handle comes from one counter and is never reused; 0 is "no object".
using HDC = std::uintptr_t;
using HGDIOBJ = std::uintptr_t;
using HBRUSH = HGDIOBJ;
using HPEN = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HRGN = HGDIOBJ;
using HIMAGELIST = std::uintptr_t;
using HTHEME = std::uintptr_t;
using HRESULT = std::int32_t;
using OLE_COLOR = std::uint32_t;
using HPALETTE = std::uintptr_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT E_HANDLE = HRESULT(0x80070006u);

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;
constexpr COLORREF CLR_NONE = 0xFFFFFFFFu;
constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Hatch styles.
constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// Line raster operations.
constexpr int R2_BLACK = 1;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

// Bit-block raster operations.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCINVERT = 0x00660046;
constexpr std::uint32_t DSTINVERT = 0x00550009;
constexpr std::uint32_t PATCOPY = 0x00F00021;
constexpr std::uint32_t PATINVERT = 0x005A0049;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

// Object types reported by GetObjectType.
constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_DC = 3;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;
constexpr int OBJ_REGION = 8;
constexpr int OBJ_MEMDC = 10;

// Region kinds (results of region operations) and combine modes.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Font weights and the point size of the default GUI font.
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;

// Text-format bits of DrawText.
constexpr std::uint32_t DT_TOP = 0x0;
constexpr std::uint32_t DT_LEFT = 0x0;
constexpr std::uint32_t DT_CENTER = 0x1;
constexpr std::uint32_t DT_RIGHT = 0x2;
constexpr std::uint32_t DT_VCENTER = 0x4;
constexpr std::uint32_t DT_BOTTOM = 0x8;
constexpr std::uint32_t DT_WORDBREAK = 0x10;
constexpr std::uint32_t DT_SINGLELINE = 0x20;
constexpr std::uint32_t DT_EXPANDTABS = 0x40;
constexpr std::uint32_t DT_TABSTOP = 0x80;
constexpr std::uint32_t DT_NOCLIP = 0x100;
constexpr std::uint32_t DT_EXTERNALLEADING = 0x200;
constexpr std::uint32_t DT_CALCRECT = 0x400;
constexpr std::uint32_t DT_NOPREFIX = 0x800;
constexpr std::uint32_t DT_INTERNAL = 0x1000;
constexpr std::uint32_t DT_EDITCONTROL = 0x2000;
constexpr std::uint32_t DT_PATH_ELLIPSIS = 0x4000;
constexpr std::uint32_t DT_END_ELLIPSIS = 0x8000;
constexpr std::uint32_t DT_MODIFYSTRING = 0x10000;
constexpr std::uint32_t DT_RTLREADING = 0x20000;
constexpr std::uint32_t DT_WORD_ELLIPSIS = 0x40000;
// The bits that shorten or rewrite a text (path, end and word ellipsis, modify-string):
// measuring without them sees the whole text.
constexpr std::uint32_t DT_SHORTENING_BITS =
    DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_WORD_ELLIPSIS;
constexpr std::uint32_t DT_HIDEPREFIX = 0x100000;

// Frame controls.
constexpr std::uint32_t DFC_CAPTION = 1;
constexpr std::uint32_t DFC_MENU = 2;
constexpr std::uint32_t DFC_SCROLL = 3;
constexpr std::uint32_t DFC_BUTTON = 4;
constexpr std::uint32_t DFCS_BUTTONCHECK = 0x0000;
constexpr std::uint32_t DFCS_BUTTON3STATE = 0x0008;
constexpr std::uint32_t DFCS_BUTTONPUSH = 0x0010;
constexpr std::uint32_t DFCS_SCROLLUP = 0x0000;
constexpr std::uint32_t DFCS_SCROLLDOWN = 0x0001;
constexpr std::uint32_t DFCS_SCROLLLEFT = 0x0002;
constexpr std::uint32_t DFCS_SCROLLRIGHT = 0x0003;
constexpr std::uint32_t DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr std::uint32_t DFCS_INACTIVE = 0x0100;
constexpr std::uint32_t DFCS_PUSHED = 0x0200;
constexpr std::uint32_t DFCS_CHECKED = 0x0400;
constexpr std::uint32_t DFCS_HOT = 0x1000;
constexpr std::uint32_t DFCS_FLAT = 0x4000;
constexpr std::uint32_t DFCS_MONO = 0x8000;

// Edges.
constexpr std::uint32_t BDR_RAISEDOUTER = 0x1;
constexpr std::uint32_t BDR_SUNKENOUTER = 0x2;
constexpr std::uint32_t BDR_RAISEDINNER = 0x4;
constexpr std::uint32_t BDR_SUNKENINNER = 0x8;
constexpr std::uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr std::uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr std::uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr std::uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr std::uint32_t BF_LEFT = 0x1;
constexpr std::uint32_t BF_TOP = 0x2;
constexpr std::uint32_t BF_RIGHT = 0x4;
constexpr std::uint32_t BF_BOTTOM = 0x8;
constexpr std::uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr std::uint32_t BF_MIDDLE = 0x800;
constexpr std::uint32_t BF_SOFT = 0x1000;
constexpr std::uint32_t BF_ADJUST = 0x2000;
constexpr std::uint32_t BF_FLAT = 0x4000;
constexpr std::uint32_t BF_MONO = 0x8000;

// Image-list creation and drawing flags.
constexpr std::uint32_t ILC_MASK = 0x1;
constexpr std::uint32_t ILC_COLOR32 = 0x20;
constexpr std::uint32_t ILD_NORMAL = 0x0;
constexpr std::uint32_t ILD_TRANSPARENT = 0x1;
constexpr std::uint32_t ILD_BLEND25 = 0x2;
constexpr std::uint32_t ILD_FOCUS = ILD_BLEND25;
constexpr std::uint32_t ILD_BLEND50 = 0x4;
constexpr std::uint32_t ILD_SELECTED = ILD_BLEND50;
constexpr std::uint32_t ILD_BLEND = ILD_BLEND50;

// DrawState flags used for disabled icons.
constexpr std::uint32_t DST_ICON = 0x0003;
constexpr std::uint32_t DSS_NORMAL = 0x0000;
constexpr std::uint32_t DSS_DISABLED = 0x0020;

using HICON = std::uintptr_t;

// Theme part sizes.
enum THEMESIZE : int { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

// A font description; the face name is UTF-8. lfHeight < 0 is the character (em) height in
// pixels, > 0 the cell height (ascent + descent), 0 the default size.
struct LOGFONT {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = FW_NORMAL;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    std::uint8_t lfCharSet = 1;
    std::string lfFaceName;
};

// The fields of the automation Font object; Size is in points, converted at 96 dpi.
struct FontFields {
    std::string Name = "DejaVu Sans";
    double Size = 8.25;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    std::int16_t Weight = 0;  // 0: FW_BOLD when Bold, else FW_NORMAL
};

struct TEXTMETRIC {
    std::int32_t tmHeight = 0;
    std::int32_t tmAscent = 0;
    std::int32_t tmDescent = 0;
    std::int32_t tmInternalLeading = 0;
    std::int32_t tmExternalLeading = 0;
    std::int32_t tmAveCharWidth = 0;
    std::int32_t tmMaxCharWidth = 0;
    std::int32_t tmWeight = FW_NORMAL;
    bool tmItalic = false;
    bool tmUnderlined = false;
    bool tmStruckOut = false;
};

}  // namespace vexa::sys
