// The six classic 8x8 hatch patterns. Row y of a pattern is one byte whose most significant
// bit is column 0; a set bit is painted in the brush colour, a clear one in the background
// colour (or left alone when the background mode is transparent).
#pragma once

#include <array>
#include <cstdint>

#include "vexa/system/paint/GdiTypes.h"

namespace vexa::sys {

class HatchPattern {
  public:
    using Rows = std::array<std::uint8_t, 8>;

    static const Rows& RowsOf(int style) {
        static constexpr std::array<Rows, 6> kPatterns = {{
            {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
            {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
            {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
            {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
            {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
            {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
        }};
        return kPatterns[std::size_t(style < 0 || style > 5 ? 0 : style)];
    }

    // x and y relative to the device context's origin, so patterns line up across fills.
    static bool IsSet(int style, int x, int y) {
        return (RowsOf(style)[std::size_t(y & 7)] & (0x80u >> (x & 7))) != 0;
    }
};

}  // namespace vexa::sys
