// The public enumerations are part of the external interface: values hosts store must not
// change, shared bits combine as the text drawing expects.
#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

#include "vexa/model/Enums.h"

namespace vexa {
namespace {

TEST(EnumValues, ValuesThatDifferFromTheObviousOrder) {
    EXPECT_EQ(vxHatchNone, 7);
    EXPECT_NE(vxHatchNone, vxHatchDiagCross + 1);
    EXPECT_EQ(vxBorderThin, 1);
    EXPECT_EQ(vxBorder3D, 2);
    EXPECT_EQ(vxTextTop, vxTextLeft);
    EXPECT_EQ(vxTextRight | vxTextCenter, 3);
    EXPECT_EQ(vxSortByCustomer, 11);
    EXPECT_EQ(vxTextEditNumberOnly, vxTextEditControl);
}

TEST(EnumValues, TypeFlagBitsAreSharedBetweenCellTypes) {
    EXPECT_EQ(vxCheckBoxFlat, vxTextBoxVScrollBar);
    EXPECT_EQ(vxComboBtnFlat, vxTextBoxVScrollBar);
    EXPECT_EQ(vxCheckBox3State, vxTextBoxHScrollBar);
    EXPECT_EQ(vxTextSingleLine | vxTextEndEllipsis, 32800);
}

struct Named {
    const char* name;
    std::int32_t value;
    std::int32_t expected;
};

// clang-format off
#define VX_EXPECT(constant, expected) Named{#constant, constant, expected}

TEST(EnumValues, EveryConstantHasItsPublishedValue) {
    const Named all[] = {
        VX_EXPECT(vxAppearanceFlat, 0), VX_EXPECT(vxAppearance3D, 1),
        VX_EXPECT(vxBorderNone, 0), VX_EXPECT(vxBorderThin, 1), VX_EXPECT(vxBorder3D, 2),
        VX_EXPECT(vxCellText, 0), VX_EXPECT(vxCellCombo, 1), VX_EXPECT(vxCellCheck, 2),
        VX_EXPECT(vxCellCustomDraw, 3),
        VX_EXPECT(vxTextBoxVScrollBar, 8), VX_EXPECT(vxTextBoxHScrollBar, 16),
        VX_EXPECT(vxCheckBoxFlat, 8), VX_EXPECT(vxCheckBox3State, 16),
        VX_EXPECT(vxComboBtnFlat, 8),
        VX_EXPECT(vxEditResCancel, 0), VX_EXPECT(vxEditResCommit, 1),
        VX_EXPECT(vxEditResProceed, 2),
        VX_EXPECT(vxEnsVisColAuto, 0), VX_EXPECT(vxEnsVisColLeft, 1),
        VX_EXPECT(vxEnsVisColLeftForce, 2), VX_EXPECT(vxEnsVisColRight, 3),
        VX_EXPECT(vxEnsVisColRightForce, 4),
        VX_EXPECT(vxEnsVisRowAuto, 0), VX_EXPECT(vxEnsVisRowTop, 1),
        VX_EXPECT(vxEnsVisRowTopForce, 2), VX_EXPECT(vxEnsVisRowBottom, 3),
        VX_EXPECT(vxEnsVisRowBottomForce, 4),
        VX_EXPECT(vxGridLinesNone, 0), VX_EXPECT(vxGridLinesVertical, 1),
        VX_EXPECT(vxGridLinesHorizontal, 2), VX_EXPECT(vxGridLinesBoth, 3),
        VX_EXPECT(vxGridLinesExtendNone, 0), VX_EXPECT(vxGridLinesExtendRight, 1),
        VX_EXPECT(vxGridLinesExtendDown, 2), VX_EXPECT(vxGridLinesExtendBoth, 3),
        VX_EXPECT(vxHatchHorizontal, 0), VX_EXPECT(vxHatchVertical, 1),
        VX_EXPECT(vxHatchFDiagonal, 2), VX_EXPECT(vxHatchBDiagonal, 3),
        VX_EXPECT(vxHatchCross, 4), VX_EXPECT(vxHatchDiagCross, 5), VX_EXPECT(vxHatchNone, 7),
        VX_EXPECT(vxKeyPressNone, 0), VX_EXPECT(vxKeyPressEditAppend, 1),
        VX_EXPECT(vxKeyPressEditReplace, 2), VX_EXPECT(vxKeyPressSearchCurCol, 3),
        VX_EXPECT(vxKeyPressSearchDefCol, 4),
        VX_EXPECT(vxScrollBarH, 0), VX_EXPECT(vxScrollBarV, 1),
        VX_EXPECT(vxScrollBarRegular, 0), VX_EXPECT(vxScrollBarEncarta, 1),
        VX_EXPECT(vxScrollBarFlat, 2),
        VX_EXPECT(vxSupFeatXPStyles, 0), VX_EXPECT(vxSupFeatImmedColResizing, 1),
        VX_EXPECT(vxSupFeatFlatScrollBars, 2),
        VX_EXPECT(vxTextTop, 0), VX_EXPECT(vxTextLeft, 0), VX_EXPECT(vxTextCenter, 1),
        VX_EXPECT(vxTextRight, 2), VX_EXPECT(vxTextVCenter, 4), VX_EXPECT(vxTextBottom, 8),
        VX_EXPECT(vxTextWordBreak, 16), VX_EXPECT(vxTextSingleLine, 32),
        VX_EXPECT(vxTextExpandTabs, 64), VX_EXPECT(vxTextTabStop, 128),
        VX_EXPECT(vxTextNoClip, 256), VX_EXPECT(vxTextNoPrefix, 2048),
        VX_EXPECT(vxTextEditControl, 8192), VX_EXPECT(vxTextPathEllipsis, 16384),
        VX_EXPECT(vxTextEndEllipsis, 32768), VX_EXPECT(vxTextModifyString, 65536),
        VX_EXPECT(vxTextRTLReading, 131072),
        VX_EXPECT(vxTextEditUpperCase, 8), VX_EXPECT(vxTextEditLowerCase, 16),
        VX_EXPECT(vxTextEditNumberOnly, 8192),
        VX_EXPECT(vxSortByValue, 0), VX_EXPECT(vxSortByText, 1),
        VX_EXPECT(vxSortByTextNoCase, 2), VX_EXPECT(vxSortByIcon, 3),
        VX_EXPECT(vxSortByExtraIcon, 4), VX_EXPECT(vxSortByForeColor, 5),
        VX_EXPECT(vxSortByBackColor, 6), VX_EXPECT(vxSortByFontIndex, 7),
        VX_EXPECT(vxSortBySelected, 8), VX_EXPECT(vxSortByIndentation, 9),
        VX_EXPECT(vxSortByHatch, 10), VX_EXPECT(vxSortByCustomer, 11),
        VX_EXPECT(vxSortAsc, 0), VX_EXPECT(vxSortDesc, 1),
        VX_EXPECT(vxSortInfoNone, 0), VX_EXPECT(vxSortInfoOnlyIcons, 1),
        VX_EXPECT(vxSortInfoNumIcons, 2),
        VX_EXPECT(vxSortIconAuto, 0), VX_EXPECT(vxSortIcon3D, 1), VX_EXPECT(vxSortIconSolid, 2),
        VX_EXPECT(vxHAHOnAddCol, 1), VX_EXPECT(vxHAHOnRemoveCol, 2),
        VX_EXPECT(vxHAHOnHideCol, 4), VX_EXPECT(vxHAHOnShowCol, 8),
        VX_EXPECT(vxHAHOnContentsChange, 16), VX_EXPECT(vxHAHOnThemeChange, 32),
        VX_EXPECT(vxHdrHotIcon, 1), VX_EXPECT(vxHdrHotText, 2), VX_EXPECT(vxHdrHotSortInfo, 4),
        // The platform services' two enumerations come with the same header.
        VX_EXPECT(emrConsume, 0), VX_EXPECT(emrPostProcess, 1), VX_EXPECT(emrPreprocess, 2),
        VX_EXPECT(eeBaseTimer, 13650), VX_EXPECT(eeTooManyTimers, 13651),
        VX_EXPECT(eeCantCreateTimer, 13652),
    };
    // clang-format on
    for (const Named& constant : all) EXPECT_EQ(constant.value, constant.expected) << constant.name;
}

#undef VX_EXPECT

TEST(EnumValues, EveryEnumerationIsA32BitSignedType) {
    static_assert(std::is_same_v<std::underlying_type_t<EAppearanceConstants>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EBorderStyles>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ECellTypes>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ECellTypeFlags>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EEditResults>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EEnsureVisibleColMode>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EEnsureVisibleRowMode>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EGridLines>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EGridLinesExtendModes>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EHatchStyles>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EKeyPressBehaviour>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EScrollBar>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EScrollBarStyles>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ESupportFeatures>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ETextFormatFlags>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ETextEditFlags>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ESortTypes>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ESortOrders>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ESortInfoStyles>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<ESortIconStyles>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EHeaderAutoHeightFlags>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EHeaderHotTrackFlags>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EMsgResponse>, std::int32_t>);
    static_assert(std::is_same_v<std::underlying_type_t<EErrorTimer>, std::int32_t>);
    // A host may hand back any 32-bit value, the top bit included.
    const ETextFormatFlags high = static_cast<ETextFormatFlags>(std::int32_t(0x80000000u));
    EXPECT_LT(static_cast<std::int32_t>(high), 0);
}

TEST(EnumValues, EnumerationsAre32BitAndCarryValuesOutsideTheList) {
    static_assert(sizeof(ETextFormatFlags) == 4 && sizeof(EHatchStyles) == 4);
    const EHatchStyles outside = static_cast<EHatchStyles>(6);
    EXPECT_EQ(static_cast<int>(outside), 6);
    EXPECT_NE(outside, vxHatchNone);
}

}  // namespace
}  // namespace vexa
