// The fonts cells refer to by a 16-bit index, each distinct font stored once as a private
// copy with its system font handle beside it, so drawing needs no conversion. Index 0
// means the grid's own font; entries are only ever added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "vexa/system/automation/Font.h"

namespace vexa {

class CellFontTable {
  public:
    static constexpr std::int32_t kMaxEntries = 32767;

    std::int32_t Count() const { return static_cast<std::int32_t>(fonts_.size()); }

    // The first entry equal to `font` (name, size, bold, italic, underline, strikethrough,
    // weight, character set), or a copy appended. A full table raises error 6.
    std::int16_t Enter(const Font& font);

    // The font of an entry 1..Count(); null for others.
    std::shared_ptr<Font> At(std::int16_t index) const;
    // The system font handle of an entry 1..Count(); 0 for others.
    std::uint64_t HandleAt(std::int16_t index) const;

  private:
    std::vector<std::shared_ptr<Font>> fonts_;
    std::vector<std::uint64_t> handles_;
    std::size_t lastFound_ = 0;
};

}  // namespace vexa
