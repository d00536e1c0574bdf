#include "vexa/system/paint/Region.h"

#include <algorithm>

namespace vexa::sys {

namespace {

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersection(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// Appends the parts of r outside cut (up to four bands) to out.
void AppendDifference(const RECT& r, const RECT& cut, std::vector<RECT>& out) {
    const RECT inner = Intersection(r, cut);
    if (Empty(inner)) {
        out.push_back(r);
        return;
    }
    if (inner.top > r.top) out.push_back({r.left, r.top, r.right, inner.top});
    if (inner.bottom < r.bottom) out.push_back({r.left, inner.bottom, r.right, r.bottom});
    if (inner.left > r.left) out.push_back({r.left, inner.top, inner.left, inner.bottom});
    if (inner.right < r.right) out.push_back({inner.right, inner.top, r.right, inner.bottom});
}

}  // namespace

Region::Region(const RECT& rect) {
    if (!Empty(rect)) rects_.push_back(rect);
}

Region Region::Combine(const Region& a, const Region& b, int mode) {
    Region result;
    switch (mode) {
        case RGN_AND:
            for (const RECT& ra : a.rects_)
                for (const RECT& rb : b.rects_) {
                    const RECT i = Intersection(ra, rb);
                    if (!Empty(i)) result.rects_.push_back(i);
                }
            break;
        case RGN_OR:
            result = a;
            result.AddDisjoint(b);
            break;
        case RGN_DIFF:
            result = a;
            for (const RECT& rb : b.rects_) result.Subtract(rb);
            break;
        case RGN_XOR: {
            Region onlyB = b;
            for (const RECT& ra : a.rects_) onlyB.Subtract(ra);
            result = Combine(a, b, RGN_DIFF);
            result.rects_.insert(result.rects_.end(), onlyB.rects_.begin(), onlyB.rects_.end());
            break;
        }
        case RGN_COPY:
        default:
            result = a;
            break;
    }
    return result;
}

void Region::AddDisjoint(const Region& other) {
    Region extra = other;
    for (const RECT& mine : rects_) extra.Subtract(mine);
    rects_.insert(rects_.end(), extra.rects_.begin(), extra.rects_.end());
}

bool Region::Contains(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(), [x, y](const RECT& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

RECT Region::Bounds() const {
    if (rects_.empty()) return {};
    RECT b = rects_.front();
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

void Region::Offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

void Region::Intersect(const RECT& rect) {
    if (rects_.size() == 1) {
        // The common case of a clip rectangle narrowed again, done in place.
        rects_.front() = Intersection(rects_.front(), rect);
        if (Empty(rects_.front())) rects_.clear();
        return;
    }
    *this = Combine(*this, Region(rect), RGN_AND);
}

void Region::Subtract(const RECT& rect) {
    std::vector<RECT> kept;
    kept.reserve(rects_.size() + 3);
    for (const RECT& r : rects_) AppendDifference(r, rect, kept);
    rects_ = std::move(kept);
}

// The pieces are disjoint, so they make up one rectangle exactly when their areas add up
// to that of their bounds (two halves joined again are a simple region).
int Region::Kind() const {
    if (rects_.empty()) return NULLREGION;
    if (rects_.size() == 1) return SIMPLEREGION;
    long long area = 0;
    for (const RECT& r : rects_) area += (long long)(r.right - r.left) * (r.bottom - r.top);
    const RECT b = Bounds();
    return area == (long long)(b.right - b.left) * (b.bottom - b.top) ? SIMPLEREGION
                                                                      : COMPLEXREGION;
}

}  // namespace vexa::sys
