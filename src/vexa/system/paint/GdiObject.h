// The drawing objects behind HGDIOBJ handles (brushes, pens, fonts, bitmaps, regions) and the
// process-wide table that hands out their handles.
#pragma once

#include <cairo.h>

#include <memory>
#include <unordered_map>

#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/paint/Region.h"

namespace vexa::sys {

class GdiFont;

struct Brush {
    enum class Kind { Solid, Hatch, Null, System };
    Kind kind = Kind::Solid;
    COLORREF color = 0;
    int hatch = HS_HORIZONTAL;
    int sysColorIndex = 0;
};

struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

// A memory bitmap: an ARGB32 Cairo image surface, owned.
class Bitmap {
  public:
    Bitmap(int width, int height);
    explicit Bitmap(cairo_surface_t* adopted);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    cairo_surface_t* Surface() const { return surface_; }
    int Width() const { return cairo_image_surface_get_width(surface_); }
    int Height() const { return cairo_image_surface_get_height(surface_); }

  private:
    cairo_surface_t* surface_;
};

enum class GdiKind { Brush, Pen, Font, Bitmap, Region };

struct GdiObject {
    GdiKind kind = GdiKind::Brush;
    bool stock = false;  // stock and system objects survive DeleteObject
    Brush brush;
    Pen pen;
    std::shared_ptr<const GdiFont> font;
    std::shared_ptr<Bitmap> bitmap;
    Region region;
};

using GdiObjectPtr = std::shared_ptr<GdiObject>;

class GdiObjectTable {
  public:
    static GdiObjectTable& Instance();

    // A fresh handle for any kind of drawing handle (objects, DCs, image lists, themes).
    static std::uintptr_t NewHandle();

    HGDIOBJ Add(GdiObjectPtr object);
    GdiObjectPtr Find(HGDIOBJ handle) const;
    GdiObjectPtr Find(HGDIOBJ handle, GdiKind kind) const;
    // Removes a non-stock object; objects still selected live on in their DCs until
    // replaced there.
    bool Remove(HGDIOBJ handle);
    HGDIOBJ Stock(int index);
    HBRUSH SysColorBrush(int index);
    // The 1x1 bitmap a new memory device context starts with.
    HBITMAP DefaultBitmap();

  private:
    GdiObjectTable();
    HGDIOBJ AddStock(GdiObject object);

    std::unordered_map<HGDIOBJ, GdiObjectPtr> objects_;
    std::unordered_map<int, HGDIOBJ> stock_;
    std::unordered_map<int, HBRUSH> sysBrushes_;
    HBITMAP defaultBitmap_ = 0;
};

}  // namespace vexa::sys
