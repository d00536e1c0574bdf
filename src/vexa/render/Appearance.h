// The grid-wide appearance: colours, grid lines, highlight and focus settings, the window
// border, the grid font, the image list and the background picture, with their defaults.
// The control's setters store here and then tell the painter what to repaint.
#pragma once

#include <cstdint>
#include <memory>

#include "vexa/model/Enums.h"
#include "vexa/model/GridRecords.h"
#include "vexa/system/paint/GdiTypes.h"

namespace vexa {

class Picture;

// The system colours the defaults name (high bit set: a system colour index).
inline constexpr OLE_COLOR kSysColorWindow = 0x80000005u;
inline constexpr OLE_COLOR kSysColorWindowText = 0x80000008u;
inline constexpr OLE_COLOR kSysColorHighlight = 0x8000000Du;
inline constexpr OLE_COLOR kSysColorHighlightText = 0x8000000Eu;
inline constexpr OLE_COLOR kSysColorButtonFace = 0x8000000Fu;

// The image list the grid draws cell icons from.
struct GridImageList {
    sys::HIMAGELIST handle = 0;
    std::int32_t iconWidth = 0;
    std::int32_t iconHeight = 0;
};

// The background picture, tiled over the cells area.
struct BackgroundTile {
    std::shared_ptr<Picture> picture;  // null: no background picture
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct Appearance {
    OLE_COLOR backColor = kSysColorWindow;
    OLE_COLOR foreColor = kSysColorWindowText;
    OLE_COLOR backColorOddRows = kDefaultColor;
    OLE_COLOR backColorEvenRows = kDefaultColor;
    OLE_COLOR highlightBackColor = kSysColorHighlight;
    OLE_COLOR highlightForeColor = kSysColorHighlightText;
    OLE_COLOR highlightBackColorNoFocus = kSysColorButtonFace;
    OLE_COLOR highlightForeColorNoFocus = kSysColorWindowText;
    EGridLines gridLines = vxGridLinesBoth;
    EGridLinesExtendModes gridLinesExtend = vxGridLinesExtendNone;
    OLE_COLOR gridLineColor = kSysColorButtonFace;
    bool highlightSelCells = true;
    bool highlightSelIcons = false;
    bool opaqueTextInHatchedCells = true;
    bool showControlsInAllCells = false;
    bool drawRowText = true;
    bool focusRect = true;
    OLE_COLOR focusRectColor1 = kSysColorWindow;
    OLE_COLOR focusRectColor2 = kSysColorWindowText;
    bool disableIcons = true;
    bool enabled = true;
    bool redraw = true;
    EAppearanceConstants appearance = vxAppearance3D;
    EBorderStyles borderStyle = vxBorder3D;
    bool immediateColumnResizing = false;
    GridImageList imageList;
    BackgroundTile background;

    // The border on each side of the window: the border style's value in the 3D look, one
    // pixel in the flat look (none without a border).
    std::int32_t BorderWidth() const;
    // Odd or even row colours are in use.
    bool UsesRowParity() const {
        return backColorOddRows != kDefaultColor || backColorEvenRows != kDefaultColor;
    }
};

// The window style and extended style bits the border settings give, as a pair to set on
// the control's window.
struct BorderStyleBits {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
};
BorderStyleBits BorderBitsFor(EAppearanceConstants appearance, EBorderStyles border);

// RGB of an OLE colour (system colours through the current system palette); `fallback` for
// a colour that cannot be translated.
sys::COLORREF TranslateColor(OLE_COLOR color, sys::COLORREF fallback = 0);

}  // namespace vexa
