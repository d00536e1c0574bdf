/// \file
/// The public enumerations of the control. Their names and values are part of the external
/// interface: hosts store them, pass them back and may pass values outside the lists, so
/// every enumeration is an unscoped enum with a fixed 32-bit base.
#pragma once

#include <cstdint>

// EMsgResponse and EErrorTimer belong to the platform services and are declared there.
#if __has_include("vexa/platform/PlatformEnums.h")
#include "vexa/platform/PlatformEnums.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN
#endif

namespace vexa {

/// The grid's look: flat or three-dimensional (Vexa::Appearance).
enum EAppearanceConstants : std::int32_t {
    vxAppearanceFlat = 0,
    vxAppearance3D = 1,
};

/// Thin is 1 and 3D is 2, in this order.
/// The grid's border (Vexa::BorderStyle).
enum EBorderStyles : std::int32_t {
    vxBorderNone = 0,
    vxBorderThin = 1,
    vxBorder3D = 2,
};

/// What a cell is: text, a combo list, a check box, or drawn by the host.
enum ECellTypes : std::int32_t {
    vxCellText = 0,
    vxCellCombo = 1,
    vxCellCheck = 2,
    vxCellCustomDraw = 3,
};

/// The same bit means different things for different cell types.
enum ECellTypeFlags : std::int32_t {
    vxTextBoxVScrollBar = 8,
    vxTextBoxHScrollBar = 16,
    vxCheckBoxFlat = 8,
    vxCheckBox3State = 16,
    vxComboBtnFlat = 8,
};

/// What becomes of an edit being committed (BeforeCommitEdit).
enum EEditResults : std::int32_t {
    vxEditResCancel = 0,
    vxEditResCommit = 1,
    vxEditResProceed = 2,
};

/// Where Vexa::EnsureVisibleCol brings a column: as little scrolling as needed, or to the left
/// or right edge (Force: even when it is already in view).
enum EEnsureVisibleColMode : std::int32_t {
    vxEnsVisColAuto = 0,
    vxEnsVisColLeft = 1,
    vxEnsVisColLeftForce = 2,
    vxEnsVisColRight = 3,
    vxEnsVisColRightForce = 4,
};

/// Where Vexa::EnsureVisibleRow brings a row: as little scrolling as needed, or to the top or
/// bottom (Force: even when it is already in view).
enum EEnsureVisibleRowMode : std::int32_t {
    vxEnsVisRowAuto = 0,
    vxEnsVisRowTop = 1,
    vxEnsVisRowTopForce = 2,
    vxEnsVisRowBottom = 3,
    vxEnsVisRowBottomForce = 4,
};

/// Which grid lines are drawn between cells.
enum EGridLines : std::int32_t {
    vxGridLinesNone = 0,
    vxGridLinesVertical = 1,
    vxGridLinesHorizontal = 2,
    vxGridLinesBoth = 3,
};

/// Whether grid lines go on past the last column and below the last row.
enum EGridLinesExtendModes : std::int32_t {
    vxGridLinesExtendNone = 0,
    vxGridLinesExtendRight = 1,
    vxGridLinesExtendDown = 2,
    vxGridLinesExtendBoth = 3,
};

/// 0..5 are the platform's hatch-brush styles; "no hatch" is 7, not 6.
enum EHatchStyles : std::int32_t {
    vxHatchHorizontal = 0,
    vxHatchVertical = 1,
    vxHatchFDiagonal = 2,
    vxHatchBDiagonal = 3,
    vxHatchCross = 4,
    vxHatchDiagCross = 5,
    vxHatchNone = 7,
};

/// What a typed character does: nothing, edit the current cell (appending to or replacing its
/// text), or search the current or the default search column.
enum EKeyPressBehaviour : std::int32_t {
    vxKeyPressNone = 0,
    vxKeyPressEditAppend = 1,
    vxKeyPressEditReplace = 2,
    vxKeyPressSearchCurCol = 3,
    vxKeyPressSearchDefCol = 4,
};

/// One of the grid's two scroll bars.
enum EScrollBar : std::int32_t {
    vxScrollBarH = 0,
    vxScrollBarV = 1,
};

/// How the scroll bars are drawn.
enum EScrollBarStyles : std::int32_t {
    vxScrollBarRegular = 0,
    vxScrollBarEncarta = 1,
    vxScrollBarFlat = 2,
};

/// Platform features a host may ask about with Vexa::Supports.
enum ESupportFeatures : std::int32_t {
    vxSupFeatXPStyles = 0,
    vxSupFeatImmedColResizing = 1,
    vxSupFeatFlatScrollBars = 2,
};

/// The classic text-drawing format bits, handed to text drawing and measuring unchanged.
enum ETextFormatFlags : std::int32_t {
    vxTextTop = 0,
    vxTextLeft = 0,
    vxTextCenter = 1,
    vxTextRight = 2,
    vxTextVCenter = 4,
    vxTextBottom = 8,
    vxTextWordBreak = 16,
    vxTextSingleLine = 32,
    vxTextExpandTabs = 64,
    vxTextTabStop = 128,
    vxTextNoClip = 256,
    vxTextNoPrefix = 2048,
    vxTextEditControl = 8192,
    vxTextPathEllipsis = 16384,
    vxTextEndEllipsis = 32768,
    vxTextModifyString = 65536,
    vxTextRTLReading = 131072,
};

/// Cell text flags that restrict what the text editor accepts.
enum ETextEditFlags : std::int32_t {
    vxTextEditUpperCase = 8,
    vxTextEditLowerCase = 16,
    vxTextEditNumberOnly = 8192,
};

/// How the cells of a sort column compare; vxSortByCustomer asks the host (CustomSort).
enum ESortTypes : std::int32_t {
    vxSortByValue = 0,
    vxSortByText = 1,
    vxSortByTextNoCase = 2,
    vxSortByIcon = 3,
    vxSortByExtraIcon = 4,
    vxSortByForeColor = 5,
    vxSortByBackColor = 6,
    vxSortByFontIndex = 7,
    vxSortBySelected = 8,
    vxSortByIndentation = 9,
    vxSortByHatch = 10,
    vxSortByCustomer = 11,
};

/// Ascending or descending.
enum ESortOrders : std::int32_t {
    vxSortAsc = 0,
    vxSortDesc = 1,
};

/// What the header shows for a sorted column: nothing, an order icon, or its rank and icon.
enum ESortInfoStyles : std::int32_t {
    vxSortInfoNone = 0,
    vxSortInfoOnlyIcons = 1,
    vxSortInfoNumIcons = 2,
};

/// How sort icons are drawn: as the theme suggests, three-dimensional or solid.
enum ESortIconStyles : std::int32_t {
    vxSortIconAuto = 0,
    vxSortIcon3D = 1,
    vxSortIconSolid = 2,
};

/// The occasions on which the grid fits the header's height by itself (AutoHeightFlags).
enum EHeaderAutoHeightFlags : std::int32_t {
    vxHAHOnAddCol = 1,
    vxHAHOnRemoveCol = 2,
    vxHAHOnHideCol = 4,
    vxHAHOnShowCol = 8,
    vxHAHOnContentsChange = 16,
    vxHAHOnThemeChange = 32,
};

/// The parts of a header item that hot tracking colours.
enum EHeaderHotTrackFlags : std::int32_t {
    vxHdrHotIcon = 1,
    vxHdrHotText = 2,
    vxHdrHotSortInfo = 4,
};

}  // namespace vexa

VEXA_PUBLIC_END
