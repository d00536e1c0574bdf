// A path drawn in a cell too narrow for it: the grid keeps the last part of the path whole
// and shortens what comes before it with an ellipsis, "C:\Program...\setup.exe".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vexa/system/paint/GdiTypes.h"

namespace vexa {

// What to draw and how.
struct TextToDraw {
    std::string text;
    std::uint32_t flags = 0;
};

// `text` as it should be drawn with `flags` into `width` pixels on `dc` (whose font is
// selected). Only single-line text with the path ellipsis is changed: the part from the
// last backslash (else slash) on is kept and the part before it is cut with an ellipsis to
// the room left; text with neither separator is drawn with the word ellipsis instead.
TextToDraw FitPathText(sys::HDC dc, std::string_view text, std::int32_t width, std::uint32_t flags);

}  // namespace vexa
