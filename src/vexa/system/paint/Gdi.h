// The device-context drawing API with the classic names, values and semantics, drawn with
// Cairo and Pango. Coordinates are logical pixels of the device context; rectangles are
// left/top inclusive, right/bottom exclusive. Unknown or deleted handles are ignored: calls
// on them return 0/false/CLR_INVALID and draw nothing.
#pragma once

#include <cairo.h>

#include <string>
#include <string_view>
#include <vector>

#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/paint/RectHelpers.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {
class Font;
}

namespace vexa::sys {

// ---- Device contexts -------------------------------------------------------------------------
// A window's client area (GetDC) or whole window (GetWindowDC), drawing into its top-level
// back buffer, clipped to what is visible of it.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
// The context BeginPaint hands out: the client area limited to ps.rcPaint.
HDC CreatePaintDC(HWND hwnd, const PAINTSTRUCT& ps);
void ReleasePaintDC(HWND hwnd, HDC hdc);
// Makes BeginPaint/EndPaint of the window system use CreatePaintDC/ReleasePaintDC. Every
// context-creating call installs it too; calling it again is harmless.
void InstallPaintDcProvider();
// A memory context starting with a 1x1 bitmap; hdc is only checked (0 is allowed).
HDC CreateCompatibleDC(HDC hdc);
// An opaque black ARGB32 bitmap; 0 for a non-positive size.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// A bitmap over a copy of an image surface, and the surface behind a bitmap (to read pixels
// or write a PNG; owned by the bitmap).
HBITMAP CreateBitmapFromSurface(cairo_surface_t* surface);
cairo_surface_t* GetBitmapSurface(HBITMAP bitmap);
// "DISPLAY" gives a context on the whole screen (screen coordinates); other names give 0.
HDC CreateDCA(const char* driver, const char* device = nullptr, const char* output = nullptr,
              const void* initData = nullptr);
bool DeleteDC(HDC hdc);
// SaveDC returns the new save level (0 on failure); RestoreDC takes a level or -n.
int SaveDC(HDC hdc);
bool RestoreDC(HDC hdc, int savedDc);

// Moves logical (0, 0) to (x, y) of the context; clip regions stay where they are.
bool SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous);
bool OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous);
bool GetViewportOrgEx(HDC hdc, POINT* origin);

// ---- Objects ---------------------------------------------------------------------------------
// Returns the previously selected object of that kind (for a region: the region kind), or 0
// when either handle is invalid or a bitmap is selected into a non-memory context.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
// Stock and system objects are never deleted (true is still returned).
bool DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
int GetObjectType(HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, int objectType);

HBRUSH CreateSolidBrush(COLORREF color);
// style HS_HORIZONTAL .. HS_DIAGCROSS; 0 for any other style.
HBRUSH CreateHatchBrush(int style, COLORREF color);
// The brush of system colour index 0..31 (follows colour changes); 0 outside.
HBRUSH GetSysColorBrush(int index);
HPEN CreatePen(int style, int width, COLORREF color);

// ---- Colours and modes -----------------------------------------------------------------------
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);  // TRANSPARENT 1, OPAQUE 2; other values fail with 0
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int rop2);  // R2_BLACK 1 .. R2_WHITE 16; returns the previous mode
int GetROP2(HDC hdc);
// A colour with the high bit set is a system colour (index in the low byte); other values
// are RGB when their high byte is 0. Failure (-1, an invalid index) gives E_INVALIDARG.
HRESULT OleTranslateColor(OLE_COLOR color, HPALETTE palette, COLORREF* result);

// ---- Filling and lines -----------------------------------------------------------------------
// A brush may also be a system colour index + 1, as the classic platform allows.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
bool InvertRect(HDC hdc, const RECT* rect);
bool Rectangle(HDC hdc, int left, int top, int right, int bottom);
bool PatBlt(HDC hdc, int x, int y, int width, int height, std::uint32_t rop);
// A dotted frame, every other pixel, XORed with the background colour (dots) and the text
// colour (gaps), so that drawing it twice restores the pixels.
bool DrawFocusRect(HDC hdc, const RECT* rect);
bool MoveToEx(HDC hdc, int x, int y, POINT* previous);
// Draws from the current position up to, not including, (x, y) with the pen and ROP2 mode.
bool LineTo(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
            std::uint32_t rop);

// ---- Regions and clipping --------------------------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
// dst = a (mode) b; RGN_COPY uses a only. Returns the region kind or RGN_ERROR.
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
int GetRgnBox(HRGN region, RECT* box);
bool PtInRegion(HRGN region, int x, int y);
int OffsetRgn(HRGN region, int dx, int dy);
// Copies the context's clip into region: 1, 0 when none is selected, -1 on error.
int GetClipRgn(HDC hdc, HRGN region);
// Selects a copy of region as the clip; 0 (no region) removes clipping.
int SelectClipRgn(HDC hdc, HRGN region);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int GetClipBox(HDC hdc, RECT* box);

// ---- Fonts and text --------------------------------------------------------------------------
HFONT CreateFontIndirect(const LOGFONT* logFont);
// A font from the fields of the automation Font object (size in points at 96 dpi).
HFONT CreateFontFromFields(const FontFields& fields);
// A font from an automation Font object, as it is now.
HFONT CreateFontFromObject(const vexa::Font& font);
bool GetFontLogFont(HFONT font, LOGFONT* logFont);
bool GetTextMetrics(HDC hdc, TEXTMETRIC* metrics);
// length -1: up to the end of the text.
bool GetTextExtentPoint32(HDC hdc, std::string_view text, int length, SIZE* size);
// How many characters (UTF-8 code points) fit in maxExtent pixels, and the extent after each
// character (so a caret can be placed between them).
bool GetTextExtentExPoint(HDC hdc, std::string_view text, int length, int maxExtent, int* fit,
                          std::vector<int>* extents, SIZE* size);
// One line at (x, y) in the text colour, on the background colour when opaque, unclipped.
bool TextOut(HDC hdc, int x, int y, std::string_view text, int length);
// Draws or (DT_CALCRECT) measures UTF-8 text with the text-format bits; returns the height
// of the text (with DT_VCENTER/DT_BOTTOM the offset of its bottom from rect->top), 0 on
// failure. The second overload writes the shortened text back for DT_MODIFYSTRING.
int DrawText(HDC hdc, std::string_view text, int length, RECT* rect, std::uint32_t format);
int DrawText(HDC hdc, std::string& text, int length, RECT* rect, std::uint32_t format);

// ---- Frame controls and edges ----------------------------------------------------------------
bool DrawFrameControl(HDC hdc, RECT* rect, std::uint32_t type, std::uint32_t state);
bool DrawEdge(HDC hdc, RECT* rect, std::uint32_t edge, std::uint32_t flags);

}  // namespace vexa::sys
