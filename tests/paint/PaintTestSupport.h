// A memory device context over a white bitmap, and helpers that read its pixels back.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "vexa/system/paint/Gdi.h"

namespace vexa::sys::testing {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A pixel and the colour it should have.
struct Pixel {
    int x;
    int y;
    COLORREF color;
};

class Canvas {
  public:
    Canvas(int width, int height)
        : width_(width),
          height_(height),
          dc_(CreateCompatibleDC(0)),
          bitmap_(CreateCompatibleBitmap(dc_, width, height)) {
        previous_ = SelectObject(dc_, bitmap_);
        Clear(kWhite);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void Clear(COLORREF color) const {
        HBRUSH brush = CreateSolidBrush(color);
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // Checks every listed pixel, naming the case and the place of each one that differs.
    void Expect(std::initializer_list<Pixel> pixels, const std::string& what = "") const {
        for (const Pixel& p : pixels)
            EXPECT_EQ(At(p.x, p.y), p.color) << what << " at " << p.x << "," << p.y;
    }
    // Pixels of the rectangle that differ from the colour.
    int CountNot(const RECT& r, COLORREF color) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) count += At(x, y) != color ? 1 : 0;
        return count;
    }
    // Bounding box of the pixels that are not the background colour.
    RECT InkBounds(COLORREF background = kWhite) const {
        RECT ink{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) != background) {
                    ink.left = std::min(ink.left, x);
                    ink.top = std::min(ink.top, y);
                    ink.right = std::max(ink.right, x + 1);
                    ink.bottom = std::max(ink.bottom, y + 1);
                }
        return ink;
    }
    std::string Snapshot() const {
        std::string pixels;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) pixels += std::to_string(At(x, y)) + ',';
        return pixels;
    }

  private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_ = 0;
};

// The height of a line of text in the DC's font.
inline int LineHeight(HDC dc) {
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    return tm.tmHeight;
}

// A solid brush for one fill, deleted afterwards.
inline void FillWith(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

inline int WidthOf(HDC dc, const std::string& text) {
    SIZE size;
    GetTextExtentPoint32(dc, text, -1, &size);
    return size.cx;
}

}  // namespace vexa::sys::testing
