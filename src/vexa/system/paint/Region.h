// A clip or drawing region: a set of disjoint rectangles with the classic combine modes.
#pragma once

#include <vector>

#include "vexa/system/paint/GdiTypes.h"

namespace vexa::sys {

class Region {
  public:
    Region() = default;
    explicit Region(const RECT& rect);

    // Combines a and b with RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF or RGN_COPY (a alone).
    static Region Combine(const Region& a, const Region& b, int mode);

    const std::vector<RECT>& Rects() const { return rects_; }
    bool IsEmpty() const { return rects_.empty(); }
    bool Contains(int x, int y) const;
    RECT Bounds() const;
    void Offset(int dx, int dy);
    void Intersect(const RECT& rect);
    void Subtract(const RECT& rect);
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Kind() const;

  private:
    void AddDisjoint(const Region& other);

    std::vector<RECT> rects_;
};

}  // namespace vexa::sys
