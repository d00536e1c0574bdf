// A device context: where drawing goes (a memory bitmap, a window's part of its top-level
// back buffer, or the screen), the selected objects, colours, modes and the clip region,
// with a stack of saved states. Handles come from the drawing-handle counter, never reused.
#pragma once

#include <cairo.h>

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "vexa/system/paint/GdiObject.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/paint/Region.h"

namespace vexa::sys {

class DeviceContext {
  public:
    enum class Kind { Memory, Window, Display };

    // The drawing state SaveDC keeps and RestoreDC brings back.
    struct State {
        HGDIOBJ brush = 0;
        HGDIOBJ pen = 0;
        HGDIOBJ font = 0;
        HGDIOBJ bitmap = 0;
        GdiObjectPtr brushObject;
        GdiObjectPtr penObject;
        GdiObjectPtr fontObject;
        GdiObjectPtr bitmapObject;
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF bkColor = RGB(255, 255, 255);
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        POINT position;
        POINT viewport;              // logical (0, 0) relative to the context's own corner
        std::optional<Region> clip;  // logical coordinates; none = the whole surface
    };

    // Disjoint rectangles kept in place while there are few of them (a drawing operation
    // mostly has one), so resolving a target allocates nothing.
    class RectList {
      public:
        void push_back(const RECT& rect) {
            if (count_ < inline_.size()) {
                inline_[count_++] = rect;
                return;
            }
            if (more_.empty()) more_.assign(inline_.begin(), inline_.end());
            more_.push_back(rect);
            ++count_;
        }
        const RECT* begin() const { return more_.empty() ? inline_.data() : more_.data(); }
        const RECT* end() const { return begin() + count_; }
        bool empty() const { return count_ == 0; }
        std::size_t size() const { return count_; }

      private:
        std::array<RECT, 4> inline_{};
        std::vector<RECT> more_;
        std::size_t count_ = 0;
    };

    // Where the pixels are now: surfaces of windows are fetched per operation because a
    // resize may replace a back buffer.
    struct Target {
        cairo_surface_t* surface = nullptr;
        POINT origin;         // surface position of logical (0, 0)
        POINT contextOrigin;  // surface position of the context's own corner
        RectList clipRects;   // disjoint, surface coordinates; empty: draw nothing
    };

    static DeviceContext* Find(HDC hdc);
    static HDC CreateMemory();
    static HDC CreateForWindow(HWND hwnd, bool includeNonClient, const RECT* paintRect);
    static HDC CreateForDisplay();
    static bool Destroy(HDC hdc);

    Kind GetKind() const { return kind_; }
    HWND Window() const { return hwnd_; }
    State& Current() { return state_; }
    const State& Current() const { return state_; }

    Target Resolve() const;
    // The logical rectangle the DC covers (bitmap, client area or window, or the screen).
    RECT LogicalBounds() const;
    // Tells the display which surface rectangle changed (window and screen contexts).
    void Touched(const RECT& surfaceRect) const;

    int Save();
    bool Restore(int level);

    // A Cairo context on the target, translated to logical coordinates and clipped; null when
    // nothing can be drawn. clipTo (logical) narrows the clip further.
    cairo_t* BeginCairo(const RECT* clipTo = nullptr) const;
    void EndCairo(cairo_t* cr) const;

  private:
    explicit DeviceContext(Kind kind) : kind_(kind) {}
    void SelectDefaults();
    cairo_surface_t* Surface(POINT* origin, RECT* bounds, std::vector<RECT>* exclusions) const;
    static HDC Register(std::unique_ptr<DeviceContext> dc);

    Kind kind_;
    HWND hwnd_ = 0;
    bool includeNonClient_ = false;
    std::optional<RECT> paintRect_;  // logical; a paint context draws only there
    State state_;
    std::vector<State> saved_;
};

}  // namespace vexa::sys
