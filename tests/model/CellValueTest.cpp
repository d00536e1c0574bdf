// Cell values and displayed text through the public members.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "vexa/model/CellObject.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {
namespace {

using test::ExpectGridError;
using test::kInvalidArg;
using test::kSubscript;

// An object whose ToString names it, and one whose ToString fails.
class Named : public Object {
  public:
    explicit Named(std::string name, bool fails = false) : name_(std::move(name)), fails_(fails) {}
    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        if (!MemberIs(member, "ToString")) return Object::Invoke(member, args, kind);
        if (fails_) RaiseRuntimeError(rtInvalidProcedureCall);
        return Variant(name_);
    }

  private:
    std::string name_;
    bool fails_;
};

class CellValueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.AddCol("a");
        grid.AddCol("b");
        grid.SetRowCount(3);
    }
    Vexa grid;
};

TEST_F(CellValueTest, NewCellsHoldTheFreshDefaults) {
    EXPECT_EQ(grid.CellValue(1, 1), Variant(std::string()));
    EXPECT_EQ(grid.CellIndent(1, 1), 2);
    EXPECT_EQ(grid.CellRightIndent(1, 1), 2);
    EXPECT_EQ(grid.CellIcon(1, 1), -1);
    EXPECT_EQ(grid.CellExtraIcon(1, 1), -1);
    EXPECT_EQ(grid.CellHatch(1, 1), vxHatchNone);
    EXPECT_EQ(grid.CellTextFlags(1, 1), 32800);
    EXPECT_EQ(grid.CellType(1, 1), vxCellText);
    EXPECT_EQ(grid.CellBackColor(1, 1), kDefaultColor);
    EXPECT_EQ(grid.CellFmtString(1, 1), "");
}

TEST_F(CellValueTest, ValuesRoundTripByIndexAndKey) {
    grid.SetRowKey(2, "second");
    grid.SetCellValue("second", "b", Variant(42));
    EXPECT_EQ(grid.CellValue(2, 2), Variant(42));
    EXPECT_EQ(grid.CellText(2, "b"), "42");
    auto object = std::make_shared<Named>("x");
    grid.SetCellValue(1, 1, Variant(object));
    EXPECT_EQ(grid.CellValue(1, 1).ToObject(), object);  // by reference
}

TEST_F(CellValueTest, BadAddressesRaise513AndChangeNothing) {
    ExpectGridError([&] { grid.SetCellValue(4, 1, Variant(1)); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetCellValue(1, 3, Variant(1)); }, 513, kSubscript);
    ExpectGridError([&] { grid.CellText("nokey", 1); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetCellIndent(0, 1, 5); }, 513, kSubscript);
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 2; ++c) {
            EXPECT_EQ(grid.CellValue(r, c), Variant(std::string()));
            EXPECT_EQ(grid.CellIndent(r, c), 2);
        }
    }
}

TEST_F(CellValueTest, TextUsesTheFormatString) {
    grid.SetCellValue(1, 1, Variant(3.14159));
    grid.SetCellFmtString(1, 1, "0.00");
    EXPECT_EQ(grid.CellFmtString(1, 1), "0.00");
    EXPECT_EQ(grid.CellText(1, 1), "3.14");
    grid.SetCellFmtString(1, 1, "");
    EXPECT_EQ(grid.CellText(1, 1), "3.14159");
}

TEST_F(CellValueTest, TextOfNullErrorAndObjectValues) {
    grid.SetCellValue(1, 1, Variant::Null());
    EXPECT_EQ(grid.CellText(1, 1), "");
    grid.SetCellValue(1, 1, Variant::ErrorValue(5));
    EXPECT_EQ(grid.CellText(1, 1), "Error 5");
    grid.SetCellValue(1, 1, Variant(std::make_shared<Named>("widget")));
    grid.SetCellFmtString(1, 1, "0.00");  // objects show their ToString even with a format
    EXPECT_EQ(grid.CellText(1, 1), "widget");
}

TEST_F(CellValueTest, UnshowableValuesGiveEmptyText) {
    grid.SetCellValue(1, 1, Variant(std::make_shared<Named>("x", true)));
    EXPECT_EQ(grid.CellText(1, 1), "");
    grid.SetCellValue(1, 2, Variant(std::make_shared<Object>()));  // no ToString at all
    EXPECT_EQ(grid.CellText(1, 2), "");
    grid.SetCellValue(2, 1, Variant::Nothing());
    EXPECT_EQ(grid.CellText(2, 1), "");
}

TEST_F(CellValueTest, OnlyTextCellsShowTheirValue) {
    grid.SetCellValue(1, 1, Variant(7));
    grid.SetCellType(1, 1, vxCellCheck);
    EXPECT_EQ(grid.CellText(1, 1), "");
    grid.SetCellType(1, 1, vxCellCombo);
    EXPECT_EQ(grid.CellText(1, 1), "");  // no combo item matches
    EXPECT_EQ(grid.CellIcon(1, 1), -1);
    grid.SetCellType(1, 1, vxCellText);
    EXPECT_EQ(grid.CellText(1, 1), "7");
}

TEST_F(CellValueTest, FormatStringsShareOneEntry) {
    grid.SetCellFmtString(1, 1, "0.0");
    grid.SetCellFmtString(2, 2, "0.0");
    grid.SetCellFmtString(3, 1, "");
    EXPECT_EQ(grid.CellFmtString(2, 2), "0.0");
    EXPECT_EQ(grid.CellFmtString(3, 1), "");
    EXPECT_EQ(grid.CellFmtString(1, 2), "");
}

TEST(CellInitValueTest, InitialValuesOfEachType) {
    Vexa grid;
    EXPECT_EQ(grid.InitValue(vxCellText), Variant(std::string()));
    EXPECT_TRUE(grid.InitValue(vxCellCombo).IsEmpty());
    EXPECT_TRUE(grid.InitValue(vxCellCustomDraw).IsEmpty());
    EXPECT_EQ(grid.InitValue(vxCellCheck), Variant(std::int32_t{0}));
    ExpectGridError([&] { grid.InitValue(4); }, 514, kInvalidArg);
    ExpectGridError([&] { grid.InitValue(-1); }, 514, kInvalidArg);
}

}  // namespace
}  // namespace vexa
