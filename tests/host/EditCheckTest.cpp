// Check cells toggle at once through the commit events; custom-draw cells only enter the
// editing state, which CancelEdit ends with QuitCustomEdit.
#include "host/EditTestSupport.h"

namespace vexa::test {
namespace {

// Every kind of value is the check rules' own table; these cycles check the path.
TEST_F(EditingGrid, CheckCellsToggleOrCycleThroughTheirStates) {
    const struct {
        std::int32_t typeFlags;
        Variant start;
        std::vector<Variant> cycle;  // the values after each toggle
    } cases[] = {
        {vxCheckBox3State, Variant(0), {Variant(1), Variant(2), Variant(0), Variant(1)}},
        {vxCheckBox3State, Variant(true), {Variant(2), Variant(0)}},
        {0, Variant(false), {Variant(true), Variant(false)}},
    };
    grid().SetCellType(2, 1, vxCellCheck);
    for (const auto& c : cases) {
        grid().SetCellTypeFlags(2, 1, c.typeFlags);
        grid().SetCellValue(2, 1, c.start);
        for (const Variant& expected : c.cycle) {
            Edit();
            EXPECT_EQ(grid().CellValue(2, 1), expected) << TypeName(c.start);
        }
    }
    EXPECT_EQ(log.Of("AfterCommitEdit").size(), 8u);
    EXPECT_EQ(Editor(), 0u);
}

TEST_F(EditingGrid, ACheckToggleAsksTheHostFirst) {
    grid().SetCellType(2, 1, vxCellCheck);
    grid().SetCellValue(2, 1, 0);
    Edit();
    EXPECT_EQ(EditEvents(),
              (std::vector<std::string>{"RequestEdit(2,1,0,)", "BeforeCommitEdit(2,1,,Long:1,0)",
                                        "AfterCommitEdit(2,1)"}));
    for (EEditResults answer : {vxEditResCancel, vxEditResProceed}) {
        handlers.onBeforeCommit = [answer](EEditResults& result, Variant&) { result = answer; };
        log.Clear();
        Edit();
        EXPECT_EQ(grid().CellValue(2, 1), Variant(1));
        EXPECT_EQ(log.Of("CancelEdit").size(), answer == vxEditResCancel ? 1u : 0u);
        EXPECT_TRUE(log.Of("AfterCommitEdit").empty());
    }
}

TEST_F(EditingGrid, TypedKeysToggleOnlyWhenTheyEdit) {
    grid().SetCellType(2, 1, vxCellCheck);
    grid().SetCellValue(2, 1, 0);
    grid().SetKeyPressBehaviour(vxKeyPressNone);
    Type(" ");
    EXPECT_EQ(grid().CellValue(2, 1), Variant(0)) << "Space is no edit key here";
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(2, 1), Variant(1));
    grid().SetKeyPressBehaviour(vxKeyPressEditAppend);
    Type(" ");
    EXPECT_EQ(grid().CellValue(2, 1), Variant(0));
    Type("q");
    EXPECT_EQ(grid().CellValue(2, 1), Variant(1)) << "any printable key";
    grid().SetEditable(false);
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(2, 1), Variant(1));
}

TEST_F(EditingGrid, ACustomDrawCellEditsUntilCancelled) {
    grid().SetCellType(2, 1, vxCellCustomDraw);
    Edit();
    Edit();
    EXPECT_EQ(log.Of("RequestEdit").size(), 1u) << "still editing: no second request";
    EXPECT_EQ(Editor(), 0u);
    grid().CancelEdit();
    EXPECT_EQ(EditEvents(), (std::vector<std::string>{"RequestEdit(2,1,0,)", "QuitCustomEdit()"}));
    Edit();
    EXPECT_EQ(log.Of("RequestEdit").size(), 2u);
    grid().CancelEdit();
    grid().CancelEdit();
    EXPECT_EQ(log.Of("QuitCustomEdit").size(), 3u) << "raised even with nothing to cancel";
}

}  // namespace
}  // namespace vexa::test
