// The check-box and combo-button glyphs, rendered once per size (1..16) into a strip of
// 16-pixel slots and copied from there afterwards.
#pragma once

#include <array>
#include <cstdint>

#include "vexa/system/paint/GdiTypes.h"

namespace vexa {

class cUxTheme;

// Check-box glyphs 0..8: unchecked, checked, mixed; the same flat; the same themed hot.
// Combo glyphs 0..4: normal, pressed, flat, flat pressed, themed hot.
enum class GlyphKind { CheckBox, ComboButton };

class GlyphCache {
  public:
    static constexpr std::int32_t kSlotSize = 16;

    explicit GlyphCache(GlyphKind kind) : kind_(kind) {}
    ~GlyphCache() { Drop(); }
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;

    // Copies glyph `index` of size `size` (clamped to 1..16) to (x, y) of `dc`, building the
    // size's strip first when it does not exist. `themed` draws through `theme` on `window`.
    void Copy(sys::HDC dc, std::int32_t x, std::int32_t y, std::int32_t size, std::int32_t index,
              bool themed, cUxTheme& theme, sys::HWND window);
    // Deletes every strip (a theme change redraws them at the next use).
    void Drop();

  private:
    struct Slot {
        sys::HDC dc = 0;
        sys::HBITMAP bitmap = 0;
        sys::HGDIOBJ previousBitmap = 0;
    };
    void Build(Slot& slot, sys::HDC compatible, std::int32_t size, bool themed, cUxTheme& theme,
               sys::HWND window);
    void DrawGlyph(sys::HDC dc, const sys::RECT& rect, std::int32_t index, bool themed,
                   cUxTheme& theme, sys::HWND window) const;
    std::int32_t GlyphCount() const { return kind_ == GlyphKind::CheckBox ? 9 : 5; }

    GlyphKind kind_;
    std::array<Slot, kSlotSize> slots_{};
};

}  // namespace vexa
