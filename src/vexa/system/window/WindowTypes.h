// Basic value types shared by the whole platform stand-in: handles, message parameters,
// points, rectangles and colours, laid out as the classic desktop platform has them.
#pragma once

#include <cstdint>

namespace vexa::sys {

// Window handles are numbers that are never reused: a destroyed handle stays invalid.
using HWND = std::uintptr_t;
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WNDPROC = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// 0x00BBGGRR, as the classic drawing functions take colours.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr std::uint8_t GetRValue(COLORREF c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GetGValue(COLORREF c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(COLORREF c) { return std::uint8_t((c >> 16) & 0xFF); }

struct POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// Left and top are inclusive, right and bottom exclusive.
struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr std::uint16_t LOWORD(std::uintptr_t v) { return std::uint16_t(v & 0xFFFF); }
constexpr std::uint16_t HIWORD(std::uintptr_t v) { return std::uint16_t((v >> 16) & 0xFFFF); }
constexpr std::int16_t GET_X_LPARAM(LPARAM lp) { return std::int16_t(lp & 0xFFFF); }
constexpr std::int16_t GET_Y_LPARAM(LPARAM lp) { return std::int16_t((lp >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(std::int32_t lo, std::int32_t hi) {
    return LPARAM((std::uint32_t(lo) & 0xFFFF) | ((std::uint32_t(hi) & 0xFFFF) << 16));
}
constexpr WPARAM MAKEWPARAM(std::int32_t lo, std::int32_t hi) {
    return WPARAM((std::uint32_t(lo) & 0xFFFF) | ((std::uint32_t(hi) & 0xFFFF) << 16));
}

}  // namespace vexa::sys
