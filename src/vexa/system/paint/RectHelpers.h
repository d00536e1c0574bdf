// Rectangle helpers with the classic semantics: left/top inclusive, right/bottom exclusive;
// functions that produce a rectangle return false (and an empty rectangle) when it is empty.
#pragma once

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

bool SetRect(RECT* rect, int left, int top, int right, int bottom);
bool SetRectEmpty(RECT* rect);
bool CopyRect(RECT* dst, const RECT* src);
bool InflateRect(RECT* rect, int dx, int dy);
bool OffsetRect(RECT* rect, int dx, int dy);
bool IntersectRect(RECT* dst, const RECT* a, const RECT* b);
bool UnionRect(RECT* dst, const RECT* a, const RECT* b);
bool SubtractRect(RECT* dst, const RECT* a, const RECT* b);
bool PtInRect(const RECT* rect, POINT pt);
bool IsRectEmpty(const RECT* rect);
bool EqualRect(const RECT* a, const RECT* b);

}  // namespace vexa::sys
