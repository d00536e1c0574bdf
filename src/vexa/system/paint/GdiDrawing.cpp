// Filling, frames, focus rectangles, lines, pixels and bit-block copies, done on the pixels
// directly so that every result is exact and XOR operations are truly bitwise.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "vexa/system/paint/DeviceContext.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/HatchPattern.h"
#include "vexa/system/paint/PixelSurface.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

constexpr HBRUSH kLastSysColorBrushValue = 32;  // COLOR_xxx + 1 passed as a brush
// Far beyond any surface, near enough that sums of two coordinates stay in range.
constexpr int kFarCoordinate = 1 << 28;

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersection(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

RECT Normalised(RECT r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

// A rectangle with coordinates far outside any surface brought in, so that sizes and sides
// computed from it cannot overflow.
RECT Near(const RECT& r) {
    auto near = [](int v) { return std::clamp(v, -kFarCoordinate, kFarCoordinate); };
    return {near(r.left), near(r.top), near(r.right), near(r.bottom)};
}

// x + extent without overflow, for rectangles given by a corner and a size.
int EndOf(int start, int extent) {
    return int(std::clamp((long long)start + extent, -(long long)kFarCoordinate,
                          (long long)kFarCoordinate));
}

// Resolves a brush handle (or a system colour index + 1) to its description.
std::optional<Brush> BrushOf(HBRUSH handle) {
    if (handle > 0 && handle <= kLastSysColorBrushValue) {
        Brush brush;
        brush.kind = Brush::Kind::System;
        brush.sysColorIndex = int(handle) - 1;
        return brush;
    }
    GdiObjectPtr object = GdiObjectTable::Instance().Find(handle, GdiKind::Brush);
    if (!object) return std::nullopt;
    return object->brush;
}

// One drawing operation on a context: the target, its clip and the pixels, with the
// changed area reported to the display when the operation ends.
class Operation {
  public:
    explicit Operation(const DeviceContext& dc)
        : dc_(dc), target_(dc.Resolve()), pixels_(target_.surface) {}
    ~Operation() { dc_.Touched(touched_); }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    bool IsValid() const { return pixels_.IsValid() && !target_.clipRects.empty(); }
    PixelSurface& Pixels() { return pixels_; }
    cairo_surface_t* Surface() const { return target_.surface; }
    POINT Origin() const { return target_.origin; }
    // Patterns line up with the context's corner, wherever the viewport origin is.
    POINT PatternOrigin() const { return target_.contextOrigin; }

    // Coordinates far outside any surface are brought in first, so none overflows.
    RECT ToSurface(const RECT& logical) const {
        auto near = [](int v) { return std::clamp(v, -kFarCoordinate, kFarCoordinate); };
        return {near(logical.left) + target_.origin.x, near(logical.top) + target_.origin.y,
                near(logical.right) + target_.origin.x, near(logical.bottom) + target_.origin.y};
    }
    bool Visible(int sx, int sy) const {
        if (!pixels_.Contains(sx, sy)) return false;
        for (const RECT& r : target_.clipRects)
            if (sx >= r.left && sx < r.right && sy >= r.top && sy < r.bottom) return true;
        return false;
    }
    // Calls paint(surfaceRect) for each visible part of a logical rectangle.
    template <typename Paint>
    void ForEachVisible(const RECT& logical, Paint&& paint) {
        const RECT wanted = ToSurface(logical);
        for (const RECT& clip : target_.clipRects) {
            const RECT part = Intersection(Intersection(wanted, clip), pixels_.Bounds());
            if (Empty(part)) continue;
            paint(part);
            Touch(part);
        }
    }
    void Touch(const RECT& r) {
        touched_ =
            Empty(touched_)
                ? r
                : RECT{std::min(touched_.left, r.left), std::min(touched_.top, r.top),
                       std::max(touched_.right, r.right), std::max(touched_.bottom, r.bottom)};
    }

  private:
    const DeviceContext& dc_;
    DeviceContext::Target target_;
    PixelSurface pixels_;
    RECT touched_{};
};

void FillWithBrush(Operation& op, const DeviceContext::State& state, const RECT& logical,
                   const Brush& brush) {
    switch (brush.kind) {
        case Brush::Kind::Null:
            return;
        case Brush::Kind::Solid:
        case Brush::Kind::System: {
            const COLORREF color =
                brush.kind == Brush::Kind::System ? GetSysColor(brush.sysColorIndex) : brush.color;
            op.ForEachVisible(logical, [&](const RECT& r) { op.Pixels().Fill(r, PixelOf(color)); });
            return;
        }
        case Brush::Kind::Hatch: {
            const std::uint32_t line = PixelOf(brush.color);
            const std::uint32_t back = PixelOf(state.bkColor);
            const bool opaque = state.bkMode == OPAQUE;
            const POINT origin = op.PatternOrigin();
            op.ForEachVisible(logical, [&](const RECT& r) {
                for (int y = r.top; y < r.bottom; ++y) {
                    // The pattern row's eight pixels, starting at the column of r.left.
                    const std::uint8_t bits = HatchPattern::RowsOf(brush.hatch)[(y - origin.y) & 7];
                    const int shift = (r.left - origin.x) & 7;
                    std::uint32_t* row = op.Pixels().Row(y);
                    if (opaque) {
                        std::array<std::uint32_t, 8> pattern;
                        for (int i = 0; i < 8; ++i)
                            pattern[i] = (bits & (0x80u >> ((shift + i) & 7))) != 0 ? line : back;
                        for (int x = r.left; x < r.right; ++x) row[x] = pattern[(x - r.left) & 7];
                        continue;
                    }
                    if (bits == 0) continue;
                    for (int x = r.left; x < r.right; ++x)
                        if ((bits & (0x80u >> ((x - origin.x) & 7))) != 0) row[x] = line;
                }
            });
            return;
        }
    }
}

bool FillLogical(HDC hdc, const RECT& rect, const Brush& brush) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return false;
    Operation op(*dc);
    if (op.IsValid() && !Empty(rect)) FillWithBrush(op, dc->Current(), rect, brush);
    return true;
}

// The four 1-pixel sides of a rectangle, without painting a corner twice (a rectangle too
// thin to have an inside is one side).
struct FrameSideList {
    std::array<RECT, 4> sides{};
    std::size_t count = 0;
    const RECT* begin() const { return sides.data(); }
    const RECT* end() const { return sides.data() + count; }
};

FrameSideList FrameSides(const RECT& r) {
    if (r.right - r.left <= 2 || r.bottom - r.top <= 2) return {{r}, 1};
    return {{RECT{r.left, r.top, r.right, r.top + 1}, RECT{r.left, r.bottom - 1, r.right, r.bottom},
             RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1},
             RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}},
            4};
}

std::uint32_t ApplyRop2(int rop2, std::uint32_t dst, std::uint32_t pen) {
    constexpr std::uint32_t kColor = 0x00FFFFFFu;
    const std::uint32_t alpha = dst & 0xFF000000u;
    const std::uint32_t d = dst & kColor;
    const std::uint32_t p = pen & kColor;
    std::uint32_t out = d;
    switch (rop2) {
        case R2_BLACK:
            out = 0;
            break;
        case R2_NOT:
            out = ~d;
            break;
        case R2_XORPEN:
            out = d ^ p;
            break;
        case R2_NOTXORPEN:
            out = ~(d ^ p);
            break;
        case R2_NOP:
            out = d;
            break;
        case R2_COPYPEN:
            out = p;
            break;
        case R2_WHITE:
            out = kColor;
            break;
        default:
            out = p;
            break;
    }
    return (alpha == 0 ? 0xFF000000u : alpha) | (out & kColor);
}

// Whether the n-th pixel of a line is "on" for the pen style (cosmetic pens: dots of 3
// pixels on and 3 off, dashes of 18 on and 6 off).
bool PenDashOn(int style, int n) {
    if (style == PS_DOT) return (n % 6) < 3;
    if (style == PS_DASH) return (n % 24) < 18;
    return true;
}

// The pixels one line has changed, so that a wide pen, whose stamps overlap from one point
// to the next, applies its raster operation to each pixel once: an inverting line drawn
// twice then restores everything it covered.
class LinePixels {
  public:
    explicit LinePixels(const RECT& bounds)
        : bounds_(bounds),
          seen_(std::size_t(std::max(0, bounds.right - bounds.left)) *
                    std::size_t(std::max(0, bounds.bottom - bounds.top)),
                false) {}
    // True the first time a pixel is met.
    bool First(int sx, int sy) {
        const std::size_t i =
            std::size_t(sy - bounds_.top) * std::size_t(bounds_.right - bounds_.left) +
            std::size_t(sx - bounds_.left);
        if (seen_[i]) return false;
        seen_[i] = true;
        return true;
    }

  private:
    RECT bounds_;
    std::vector<bool> seen_;
};

void PlotPen(Operation& op, const DeviceContext::State& state, const Pen& pen, int x, int y,
             bool on, LinePixels* once) {
    const int half = (pen.width - 1) / 2;
    const std::uint32_t color = PixelOf(on ? pen.color : state.bkColor);
    // The stamp is cut to the surface first, so a very wide pen costs no more than the
    // pixels it can reach.
    const int cx = x + op.Origin().x, cy = y + op.Origin().y;
    const RECT stamp = Intersection(
        {cx - half, cy - half, cx - half + pen.width, cy - half + pen.width}, op.Pixels().Bounds());
    for (int sy = stamp.top; sy < stamp.bottom; ++sy)
        for (int sx = stamp.left; sx < stamp.right; ++sx) {
            if (!op.Visible(sx, sy) || (once != nullptr && !once->First(sx, sy))) continue;
            std::uint32_t& pixel = op.Pixels().Row(sy)[sx];
            pixel = ApplyRop2(state.rop2, pixel, color);
            op.Touch({sx, sy, sx + 1, sy + 1});
        }
}

// Cuts the segment to box (Liang-Barsky); false when nothing of it is inside. phase gets
// the number of major-axis steps cut from the start, so dashes keep their rhythm.
bool ClipSegment(const RECT& box, int& x0, int& y0, int& x1, int& y1, int& phase) {
    const double dx = double(x1) - x0, dy = double(y1) - y0;
    double t0 = 0, t1 = 1;
    auto edge = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        return t0 <= t1;
    };
    if (!edge(-dx, x0 - double(box.left)) || !edge(dx, double(box.right) - x0) ||
        !edge(-dy, y0 - double(box.top)) || !edge(dy, double(box.bottom) - y0))
        return false;
    const int nx0 = int(std::lround(x0 + t0 * dx)), ny0 = int(std::lround(y0 + t0 * dy));
    const int nx1 = int(std::lround(x0 + t1 * dx)), ny1 = int(std::lround(y0 + t1 * dy));
    phase = std::max(std::abs(nx0 - x0), std::abs(ny0 - y0));
    x0 = nx0, y0 = ny0, x1 = nx1, y1 = ny1;
    return true;
}

// Bresenham from (x0, y0) towards (x1, y1), the end point excluded. Segments reaching far
// outside the surface are cut first so that no coordinate makes the loop long.
void DrawLine(Operation& op, const DeviceContext::State& state, const Pen& pen, int x0, int y0,
              int x1, int y1) {
    const int margin = pen.width + 2;
    const RECT box{-op.Origin().x - margin, -op.Origin().y - margin,
                   op.Pixels().Width() - op.Origin().x + margin,
                   op.Pixels().Height() - op.Origin().y + margin};
    int phase = 0;
    const bool inside = x0 >= box.left && x0 < box.right && y0 >= box.top && y0 < box.bottom &&
                        x1 >= box.left && x1 < box.right && y1 >= box.top && y1 < box.bottom;
    if (!inside && !ClipSegment(box, x0, y0, x1, y1, phase)) return;
    // Stamps of a 1-pixel pen never overlap; wider ones remember what they covered.
    std::unique_ptr<LinePixels> once;
    if (pen.width > 1) once = std::make_unique<LinePixels>(op.Pixels().Bounds());
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (int n = phase; x0 != x1 || y0 != y1; ++n) {
        const bool on = PenDashOn(pen.style, n);
        if (on || state.bkMode == OPAQUE) PlotPen(op, state, pen, x0, y0, on, once.get());
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

std::optional<Pen> SelectedPen(const DeviceContext& dc) {
    const GdiObjectPtr& object = dc.Current().penObject;
    if (!object || object->pen.style == PS_NULL) return std::nullopt;
    return object->pen;
}

// The common case of a plain copy between two surfaces (a row buffer to a window): whole
// rows at once. (dx, dy) takes destination logical coordinates to source logical ones.
bool CopyBetweenSurfaces(Operation& op, const DeviceContext::Target& source, const RECT& area,
                         int dx, int dy) {
    PixelSurface in(source.surface);
    if (!in.IsValid()) return false;
    // Destination surface coordinates to source surface coordinates.
    const int toSourceX = dx + source.origin.x - op.Origin().x;
    const int toSourceY = dy + source.origin.y - op.Origin().y;
    op.ForEachVisible(area, [&](const RECT& r) {
        const RECT from = Intersection(
            {r.left + toSourceX, r.top + toSourceY, r.right + toSourceX, r.bottom + toSourceY},
            in.Bounds());
        if (Empty(from)) return;
        for (int sy = from.top; sy < from.bottom; ++sy)
            std::copy(in.Row(sy) + from.left, in.Row(sy) + from.right,
                      op.Pixels().Row(sy - toSourceY) + (from.left - toSourceX));
    });
    return true;
}

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    const std::optional<Brush> b = BrushOf(brush);
    if (rect == nullptr || !b) return 0;
    return FillLogical(hdc, *rect, *b) ? 1 : 0;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    const std::optional<Brush> b = BrushOf(brush);
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (rect == nullptr || !b || dc == nullptr) return 0;
    if (Empty(*rect)) return 1;
    Operation op(*dc);
    if (!op.IsValid()) return 1;
    for (const RECT& side : FrameSides(Near(*rect))) {
        if (!Empty(side)) FillWithBrush(op, dc->Current(), side, *b);
    }
    return 1;
}

bool InvertRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr || rect == nullptr) return false;
    Operation op(*dc);
    if (op.IsValid())
        op.ForEachVisible(*rect, [&](const RECT& r) { op.Pixels().Xor(r, 0xFFFFFFu); });
    return true;
}

bool Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return false;
    const RECT r = Normalised({left, top, right, bottom});
    const std::optional<Pen> pen = SelectedPen(*dc);
    const GdiObjectPtr brush = dc->Current().brushObject;
    const RECT interior = pen ? RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1} : r;
    if (brush && !Empty(interior)) FillLogical(hdc, interior, brush->brush);
    if (!pen || Empty(r)) return true;
    Operation op(*dc);
    if (!op.IsValid()) return true;
    DrawLine(op, dc->Current(), *pen, r.left, r.top, r.right - 1, r.top);
    DrawLine(op, dc->Current(), *pen, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    DrawLine(op, dc->Current(), *pen, r.right - 1, r.bottom - 1, r.left, r.bottom - 1);
    DrawLine(op, dc->Current(), *pen, r.left, r.bottom - 1, r.left, r.top);
    return true;
}

bool PatBlt(HDC hdc, int x, int y, int width, int height, std::uint32_t rop) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return false;
    const RECT r = Normalised(Near({x, y, EndOf(x, width), EndOf(y, height)}));
    switch (rop) {
        case PATCOPY:
            if (dc->Current().brushObject) FillLogical(hdc, r, dc->Current().brushObject->brush);
            return true;
        case DSTINVERT:
            return InvertRect(hdc, &r);
        case BLACKNESS:
            return FillRect(hdc, &r, GetStockObject(BLACK_BRUSH)) != 0;
        case WHITENESS:
            return FillRect(hdc, &r, GetStockObject(WHITE_BRUSH)) != 0;
        case PATINVERT: {
            Operation op(*dc);
            const GdiObjectPtr& brush = dc->Current().brushObject;
            if (op.IsValid() && brush && brush->brush.kind != Brush::Kind::Null) {
                const COLORREF c = brush->brush.kind == Brush::Kind::System
                                       ? GetSysColor(brush->brush.sysColorIndex)
                                       : brush->brush.color;
                op.ForEachVisible(r, [&](const RECT& part) { op.Pixels().Xor(part, PixelOf(c)); });
            }
            return true;
        }
        default:
            return false;
    }
}

bool DrawFocusRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr || rect == nullptr) return false;
    Operation op(*dc);
    if (!op.IsValid() || Empty(*rect)) return true;
    const std::uint32_t dot = PixelOf(dc->Current().bkColor);
    const std::uint32_t gap = PixelOf(dc->Current().textColor);
    const POINT origin = op.PatternOrigin();
    for (const RECT& side : FrameSides(Near(*rect))) {
        op.ForEachVisible(side, [&](const RECT& r) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) {
                    // Dots on the even pixels of the context's checkerboard, as the classic
                    // 50% pattern does.
                    const bool on = ((x - origin.x + y - origin.y) & 1) == 0;
                    op.Pixels().Row(y)[x] ^= (on ? dot : gap) & 0x00FFFFFFu;
                }
        });
    }
    return true;
}

bool MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return false;
    if (previous != nullptr) *previous = dc->Current().position;
    dc->Current().position = {x, y};
    return true;
}

bool LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return false;
    const POINT from = dc->Current().position;
    dc->Current().position = {x, y};
    const std::optional<Pen> pen = SelectedPen(*dc);
    if (!pen) return true;
    Operation op(*dc);
    if (op.IsValid()) DrawLine(op, dc->Current(), *pen, from.x, from.y, x, y);
    return true;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return CLR_INVALID;
    Operation op(*dc);
    const int sx = x + op.Origin().x, sy = y + op.Origin().y;
    if (!op.IsValid() || !op.Visible(sx, sy)) return CLR_INVALID;
    op.Pixels().Row(sy)[sx] = PixelOf(color);
    op.Touch({sx, sy, sx + 1, sy + 1});
    return color & 0x00FFFFFFu;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = DeviceContext::Find(hdc);
    if (dc == nullptr) return CLR_INVALID;
    const DeviceContext::Target target = dc->Resolve();
    PixelSurface pixels(target.surface);
    const int sx = x + target.origin.x, sy = y + target.origin.y;
    if (!pixels.IsValid() || !pixels.Contains(sx, sy)) return CLR_INVALID;
    return ColorOfPixel(pixels.Row(sy)[sx]);
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
            std::uint32_t rop) {
    DeviceContext* to = DeviceContext::Find(dst);
    if (to == nullptr || width <= 0 || height <= 0) return false;
    if (rop == PATCOPY || rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS ||
        rop == WHITENESS)
        return PatBlt(dst, x, y, width, height, rop);
    DeviceContext* from = DeviceContext::Find(src);
    if (from == nullptr) return false;
    if (rop != SRCCOPY && rop != SRCPAINT && rop != SRCAND && rop != SRCINVERT) return false;

    Operation op(*to);
    if (!op.IsValid()) return true;
    // Only the part that lands on the destination surface is copied, whatever size was asked.
    const POINT origin = op.Origin();
    const RECT surfaceInLogical{-origin.x, -origin.y, op.Pixels().Width() - origin.x,
                                op.Pixels().Height() - origin.y};
    const RECT area =
        Intersection(Near({x, y, EndOf(x, width), EndOf(y, height)}), surfaceInLogical);
    if (Empty(area)) return true;
    // A source beyond that distance has nothing to copy, so bringing it in changes nothing.
    srcX = std::clamp(srcX, -kFarCoordinate, kFarCoordinate);
    srcY = std::clamp(srcY, -kFarCoordinate, kFarCoordinate);
    const DeviceContext::Target source = from->Resolve();
    if (rop == SRCCOPY && source.surface != op.Surface())
        return CopyBetweenSurfaces(op, source, area, srcX - x, srcY - y);
    const int areaWidth = area.right - area.left;
    // Copy the source pixels first: source and destination may be the same surface.
    std::vector<std::uint32_t> copied(std::size_t(areaWidth) * std::size_t(area.bottom - area.top));
    std::vector<bool> present(copied.size(), false);
    {
        PixelSurface in(source.surface);
        if (!in.IsValid()) return false;
        for (int row = 0; row < area.bottom - area.top; ++row)
            for (int col = 0; col < areaWidth; ++col) {
                const int sx = srcX + (area.left - x) + col + source.origin.x;
                const int sy = srcY + (area.top - y) + row + source.origin.y;
                if (!in.Contains(sx, sy)) continue;
                copied[std::size_t(row) * areaWidth + col] = in.Row(sy)[sx];
                present[std::size_t(row) * areaWidth + col] = true;
            }
    }
    op.ForEachVisible(area, [&](const RECT& r) {
        for (int sy = r.top; sy < r.bottom; ++sy) {
            std::uint32_t* row = op.Pixels().Row(sy);
            const std::size_t base = std::size_t(sy - origin.y - area.top) * areaWidth;
            for (int sx = r.left; sx < r.right; ++sx) {
                const std::size_t i = base + std::size_t(sx - origin.x - area.left);
                if (!present[i]) continue;
                const std::uint32_t s = copied[i];
                switch (rop) {
                    case SRCCOPY:
                        row[sx] = s;
                        break;
                    case SRCPAINT:
                        row[sx] |= s;
                        break;
                    case SRCAND:
                        row[sx] &= s;
                        break;
                    case SRCINVERT:
                        row[sx] ^= s & 0x00FFFFFFu;
                        break;
                }
            }
        }
    });
    return true;
}

}  // namespace vexa::sys
