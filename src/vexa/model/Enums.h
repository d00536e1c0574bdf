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

enum EAppearanceConstants : std::int32_t {
    vxAppearanceFlat = 0,
    vxAppearance3D = 1,
};

/// Thin is 1 and 3D is 2, in this order.
enum EBorderStyles : std::int32_t {
    vxBorderNone = 0,
    vxBorderThin = 1,
    vxBorder3D = 2,
};

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

enum EEditResults : std::int32_t {
    vxEditResCancel = 0,
    vxEditResCommit = 1,
    vxEditResProceed = 2,
};

enum EEnsureVisibleColMode : std::int32_t {
    vxEnsVisColAuto = 0,
    vxEnsVisColLeft = 1,
    vxEnsVisColLeftForce = 2,
    vxEnsVisColRight = 3,
    vxEnsVisColRightForce = 4,
};

enum EEnsureVisibleRowMode : std::int32_t {
    vxEnsVisRowAuto = 0,
    vxEnsVisRowTop = 1,
    vxEnsVisRowTopForce = 2,
    vxEnsVisRowBottom = 3,
    vxEnsVisRowBottomForce = 4,
};

enum EGridLines : std::int32_t {
    vxGridLinesNone = 0,
    vxGridLinesVertical = 1,
    vxGridLinesHorizontal = 2,
    vxGridLinesBoth = 3,
};

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

enum EKeyPressBehaviour : std::int32_t {
    vxKeyPressNone = 0,
    vxKeyPressEditAppend = 1,
    vxKeyPressEditReplace = 2,
    vxKeyPressSearchCurCol = 3,
    vxKeyPressSearchDefCol = 4,
};

enum EScrollBar : std::int32_t {
    vxScrollBarH = 0,
    vxScrollBarV = 1,
};

enum EScrollBarStyles : std::int32_t {
    vxScrollBarRegular = 0,
    vxScrollBarEncarta = 1,
    vxScrollBarFlat = 2,
};

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

enum ETextEditFlags : std::int32_t {
    vxTextEditUpperCase = 8,
    vxTextEditLowerCase = 16,
    vxTextEditNumberOnly = 8192,
};

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

enum ESortOrders : std::int32_t {
    vxSortAsc = 0,
    vxSortDesc = 1,
};

enum ESortInfoStyles : std::int32_t {
    vxSortInfoNone = 0,
    vxSortInfoOnlyIcons = 1,
    vxSortInfoNumIcons = 2,
};

enum ESortIconStyles : std::int32_t {
    vxSortIconAuto = 0,
    vxSortIcon3D = 1,
    vxSortIconSolid = 2,
};

enum EHeaderAutoHeightFlags : std::int32_t {
    vxHAHOnAddCol = 1,
    vxHAHOnRemoveCol = 2,
    vxHAHOnHideCol = 4,
    vxHAHOnShowCol = 8,
    vxHAHOnContentsChange = 16,
    vxHAHOnThemeChange = 32,
};

enum EHeaderHotTrackFlags : std::int32_t {
    vxHdrHotIcon = 1,
    vxHdrHotText = 2,
    vxHdrHotSortInfo = 4,
};

}  // namespace vexa

VEXA_PUBLIC_END
