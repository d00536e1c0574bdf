// Image lists: equally sized ARGB images drawn transparently, blended with a colour or in
// the disabled (embossed grey) look; icons taken from them for DrawStateA.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "vexa/system/paint/GdiTypes.h"

namespace vexa::sys {

class ImageList {
  public:
    ImageList(int cx, int cy);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    int Width() const { return cx_; }
    int Height() const { return cy_; }
    int Count() const { return int(images_.size()); }
    cairo_surface_t* Image(int index) const;
    COLORREF BkColor() const { return bkColor_; }
    COLORREF SetBkColor(COLORREF color);

    // Splits the strip into cx-wide images; pixels of maskColor (unless CLR_NONE) become
    // transparent. Returns the index of the first image added, -1 when nothing fits.
    int AddStrip(cairo_surface_t* strip, COLORREF maskColor);

  private:
    int cx_;
    int cy_;
    COLORREF bkColor_ = CLR_NONE;
    std::vector<cairo_surface_t*> images_;
};

HIMAGELIST ImageList_Create(int cx, int cy, std::uint32_t flags, int initial, int grow);
bool ImageList_Destroy(HIMAGELIST list);
// From an ARGB surface (its alpha is the mask), a bitmap, or a PNG file.
int ImageList_Add(HIMAGELIST list, cairo_surface_t* image);
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor);
int ImageList_AddPng(HIMAGELIST list, const std::string& path);
int ImageList_GetImageCount(HIMAGELIST list);
bool ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
// width/height 0 mean the icon size. background CLR_NONE (or ILD_TRANSPARENT) draws over
// what is there; blend (CLR_DEFAULT = the highlight colour) is mixed in by 50% with
// ILD_BLEND50 (25% with ILD_BLEND25); blend CLR_NONE mixes the image with what is under it
// instead. Index -1 draws nothing.
bool ImageList_DrawEx(HIMAGELIST list, int index, HDC hdc, int x, int y, int width, int height,
                      COLORREF background, COLORREF blend, std::uint32_t style);
bool ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, std::uint32_t style);
// The disabled look: the image's shape embossed in the highlight and shadow colours.
bool ImageList_DrawDisabled(HIMAGELIST list, int index, HDC hdc, int x, int y);

HICON ImageList_GetIcon(HIMAGELIST list, int index, std::uint32_t flags);
bool DestroyIcon(HICON icon);
// DST_ICON with DSS_NORMAL or DSS_DISABLED; data is the HICON, cx/cy 0 the icon size.
bool DrawStateA(HDC hdc, HBRUSH brush, void* callback, LPARAM data, WPARAM wData, int x, int y,
                int cx, int cy, std::uint32_t flags);

}  // namespace vexa::sys
