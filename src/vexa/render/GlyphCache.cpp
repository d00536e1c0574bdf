#include "vexa/render/GlyphCache.h"

#include <algorithm>

#include "vexa/render/UxTheme.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Messages.h"

namespace vexa {

namespace {

// Frame-control states of the classic check-box glyphs 0..5 and combo glyphs 0..3.
constexpr std::array<std::uint32_t, 6> kClassicCheckStates = {
    sys::DFCS_BUTTONCHECK,
    sys::DFCS_BUTTONCHECK | sys::DFCS_CHECKED,
    sys::DFCS_BUTTON3STATE | sys::DFCS_CHECKED,
    sys::DFCS_BUTTONCHECK | sys::DFCS_FLAT,
    sys::DFCS_BUTTONCHECK | sys::DFCS_CHECKED | sys::DFCS_FLAT,
    sys::DFCS_BUTTON3STATE | sys::DFCS_CHECKED | sys::DFCS_FLAT,
};
constexpr std::array<std::uint32_t, 4> kClassicComboStates = {
    sys::DFCS_SCROLLCOMBOBOX,
    sys::DFCS_SCROLLCOMBOBOX | sys::DFCS_PUSHED,
    sys::DFCS_SCROLLCOMBOBOX | sys::DFCS_FLAT,
    sys::DFCS_SCROLLCOMBOBOX | sys::DFCS_FLAT | sys::DFCS_PUSHED,
};
// Themed states: check boxes 0..2 and 6..8 (3..5 are never themed); combo 0, 1 and 4.
constexpr std::array<int, 9> kThemedCheckStates = {1, 5, 9, 1, 5, 9, 2, 6, 10};
constexpr std::array<int, 5> kThemedComboStates = {1, 3, 1, 3, 2};

}  // namespace

void GlyphCache::DrawGlyph(sys::HDC dc, const sys::RECT& rect, std::int32_t index, bool themed,
                           cUxTheme& theme, sys::HWND window) const {
    const bool checkBox = kind_ == GlyphKind::CheckBox;
    if (themed) {
        theme.hDC = dc;
        theme.hwnd = window;
        theme.Class = checkBox ? "Button" : "ComboBox";
        theme.Part = checkBox ? 3 : 1;
        theme.State = checkBox ? kThemedCheckStates[std::size_t(index)]
                               : kThemedComboStates[std::size_t(index)];
        theme.SetLeft(rect.left);
        theme.SetTop(rect.top);
        theme.SetWidth(rect.right - rect.left);
        theme.SetHeight(rect.bottom - rect.top);
        theme.Draw();
        theme.hDC = 0;
        return;
    }
    sys::RECT box = rect;
    if (checkBox) {
        if (index < 6) {
            sys::DrawFrameControl(dc, &box, sys::DFC_BUTTON,
                                  kClassicCheckStates[std::size_t(index)]);
        }
    } else if (index < 4) {
        sys::DrawFrameControl(dc, &box, sys::DFC_SCROLL, kClassicComboStates[std::size_t(index)]);
    }
}

void GlyphCache::Build(Slot& slot, sys::HDC compatible, std::int32_t size, bool themed,
                       cUxTheme& theme, sys::HWND window) {
    slot.dc = sys::CreateCompatibleDC(compatible);
    slot.bitmap = sys::CreateCompatibleBitmap(compatible, kSlotSize * GlyphCount(), kSlotSize);
    slot.previousBitmap = sys::SelectObject(slot.dc, slot.bitmap);
    // Glyphs lie on the window colour, as a cell's background normally is.
    const sys::RECT all{0, 0, kSlotSize * GlyphCount(), kSlotSize};
    sys::FillRect(slot.dc, &all, sys::GetSysColorBrush(sys::COLOR_WINDOW));
    for (std::int32_t i = 0; i < GlyphCount(); ++i) {
        const sys::RECT glyph{i * kSlotSize, 0, i * kSlotSize + size, size};
        DrawGlyph(slot.dc, glyph, i, themed, theme, window);
    }
}

void GlyphCache::Copy(sys::HDC dc, std::int32_t x, std::int32_t y, std::int32_t size,
                      std::int32_t index, bool themed, cUxTheme& theme, sys::HWND window) {
    size = std::clamp(size, 1, kSlotSize);
    index = std::clamp(index, 0, GlyphCount() - 1);
    Slot& slot = slots_[std::size_t(size - 1)];
    if (slot.dc == 0) Build(slot, dc, size, themed, theme, window);
    sys::BitBlt(dc, x, y, size, size, slot.dc, index * kSlotSize, 0, sys::SRCCOPY);
}

void GlyphCache::Drop() {
    for (Slot& slot : slots_) {
        if (slot.dc == 0) continue;
        sys::SelectObject(slot.dc, slot.previousBitmap);
        sys::DeleteObject(slot.bitmap);
        sys::DeleteDC(slot.dc);
        slot = Slot{};
    }
}

}  // namespace vexa
