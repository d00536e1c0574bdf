#include "vexa/system/paint/RectHelpers.h"

#include <algorithm>

namespace vexa::sys {

bool SetRect(RECT* rect, int left, int top, int right, int bottom) {
    if (!rect) return false;
    *rect = {left, top, right, bottom};
    return true;
}

bool SetRectEmpty(RECT* rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

bool CopyRect(RECT* dst, const RECT* src) {
    if (!dst || !src) return false;
    *dst = *src;
    return true;
}

bool InflateRect(RECT* rect, int dx, int dy) {
    if (!rect) return false;
    rect->left -= dx;
    rect->top -= dy;
    rect->right += dx;
    rect->bottom += dy;
    return true;
}

bool OffsetRect(RECT* rect, int dx, int dy) {
    if (!rect) return false;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return true;
}

bool IsRectEmpty(const RECT* rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

bool IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return false;
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *dst = {};
        return false;
    }
    *dst = r;
    return true;
}

bool UnionRect(RECT* dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return false;
    if (IsRectEmpty(a) && IsRectEmpty(b)) {
        *dst = {};
        return false;
    }
    if (IsRectEmpty(a)) return CopyRect(dst, b);
    if (IsRectEmpty(b)) return CopyRect(dst, a);
    *dst = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
            std::max(a->bottom, b->bottom)};
    return true;
}

// The classic rule: only when b covers a whole side of a does the result shrink.
bool SubtractRect(RECT* dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return false;
    RECT r = *a;
    RECT cut;
    if (IntersectRect(&cut, a, b)) {
        if (cut.top == r.top && cut.bottom == r.bottom) {
            if (cut.left == r.left)
                r.left = cut.right;
            else if (cut.right == r.right)
                r.right = cut.left;
        } else if (cut.left == r.left && cut.right == r.right) {
            if (cut.top == r.top)
                r.top = cut.bottom;
            else if (cut.bottom == r.bottom)
                r.bottom = cut.top;
        }
    }
    if (IsRectEmpty(&r)) {
        *dst = {};
        return false;
    }
    *dst = r;
    return true;
}

bool PtInRect(const RECT* rect, POINT pt) {
    return rect && pt.x >= rect->left && pt.x < rect->right && pt.y >= rect->top &&
           pt.y < rect->bottom;
}

bool EqualRect(const RECT* a, const RECT* b) {
    return a && b && *a == *b;
}

}  // namespace vexa::sys
