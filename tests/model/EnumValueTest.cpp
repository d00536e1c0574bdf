// The public enumerations are part of the external interface: values hosts store must not
// change, shared bits combine as the text drawing expects.
#include <gtest/gtest.h>

#include <cstdint>

#include "vexa/model/Enums.h"

namespace vexa {
namespace {

TEST(EnumValues, StoredValuesAndSharedBits) {
    EXPECT_EQ(vxHatchNone, 7);
    EXPECT_NE(vxHatchNone, vxHatchDiagCross + 1);
    EXPECT_EQ(vxBorderThin, 1);
    EXPECT_EQ(vxBorder3D, 2);
    EXPECT_EQ(vxTextTop, vxTextLeft);
    EXPECT_EQ(vxTextRight | vxTextCenter, 3);
    EXPECT_EQ(vxSortByCustomer, 11);
    EXPECT_EQ(vxTextEditNumberOnly, vxTextEditControl);
    // Type flag bits are shared between cell types.
    EXPECT_EQ(vxCheckBoxFlat, vxTextBoxVScrollBar);
    EXPECT_EQ(vxComboBtnFlat, vxTextBoxVScrollBar);
    EXPECT_EQ(vxCheckBox3State, vxTextBoxHScrollBar);
    EXPECT_EQ(vxTextSingleLine | vxTextEndEllipsis, 32800);
    // Enumerations are 32-bit and carry values outside the list.
    static_assert(sizeof(ETextFormatFlags) == 4 && sizeof(EHatchStyles) == 4);
    EXPECT_EQ(static_cast<int>(static_cast<EHatchStyles>(6)), 6);
}

}  // namespace
}  // namespace vexa
