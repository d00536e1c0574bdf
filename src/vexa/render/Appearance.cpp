#include "vexa/render/Appearance.h"

#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Messages.h"

namespace vexa {

std::int32_t Appearance::BorderWidth() const {
    if (appearance == vxAppearanceFlat) return borderStyle == vxBorderNone ? 0 : 1;
    switch (borderStyle) {
        case vxBorderThin:
            return 1;
        case vxBorder3D:
            return 2;
        default:
            return 0;
    }
}

BorderStyleBits BorderBitsFor(EAppearanceConstants appearance, EBorderStyles border) {
    BorderStyleBits bits;
    if (appearance == vxAppearanceFlat) {
        if (border != vxBorderNone) bits.style = sys::WS_BORDER;
        return bits;
    }
    if (border == vxBorderThin) bits.exStyle = sys::WS_EX_STATICEDGE;
    if (border == vxBorder3D) bits.exStyle = sys::WS_EX_CLIENTEDGE;
    return bits;
}

sys::COLORREF TranslateColor(OLE_COLOR color, sys::COLORREF fallback) {
    sys::COLORREF rgb = 0;
    return sys::OleTranslateColor(color, 0, &rgb) == sys::S_OK ? rgb : fallback;
}

}  // namespace vexa
