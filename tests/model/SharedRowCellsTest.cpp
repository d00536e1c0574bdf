// Rows appended from the same column defaults: a change to one row's cell reaches no other
// row, whether it is made before or after columns are added and removed or rows sorted.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "StoreTestSupport.h"
#include "vexa/model/CellObject.h"

namespace vexa::test {
namespace {

struct Attribute {
    const char* name;
    std::function<void(Vexa&, std::int32_t row)> set;  // on column "b"
    std::function<std::string(Vexa&, std::int32_t row)> read;
};

const Attribute kAttributes[] = {
    {"value", [](Vexa& g, int r) { g.SetCellValue(r, "b", 42.5); },
     [](Vexa& g, int r) { return g.CellText(r, "b"); }},
    {"format", [](Vexa& g, int r) { g.SetCellFmtString(r, "b", "0.00"); },
     [](Vexa& g, int r) { return g.CellFmtString(r, "b") + "|" + g.CellText(r, "b"); }},
    {"back color", [](Vexa& g, int r) { g.SetCellBackColor(r, "b", 0x123456); },
     [](Vexa& g, int r) { return std::to_string(g.CellBackColor(r, "b")); }},
    {"indent", [](Vexa& g, int r) { g.SetCellIndent(r, "b", 9); },
     [](Vexa& g, int r) { return std::to_string(g.CellIndent(r, "b")); }},
    {"icon", [](Vexa& g, int r) { g.SetCellIcon(r, "b", 3); },
     [](Vexa& g, int r) { return std::to_string(g.CellIcon(r, "b")); }},
};

TEST(SharedRowCells, AChangeToOneRowReachesNoOther) {
    for (const Attribute& attribute : kAttributes) {
        SCOPED_TRACE(attribute.name);
        Vexa grid;
        grid.AddCol("a");
        grid.AddCol("b")->SetvValue(Variant(7));
        for (int r = 1; r <= 6; ++r) grid.AddRow("r" + std::to_string(r));
        const std::string untouched = attribute.read(grid, 1);
        attribute.set(grid, 3);
        const std::string changed = attribute.read(grid, 3);
        ASSERT_NE(changed, untouched);
        grid.AddCol({.sKey = "c", .vColBefore = Variant(1)});  // every row's cells are rebuilt
        grid.RemoveCol("c");
        attribute.set(grid, 5);
        for (std::int32_t r = 1; r <= 6; ++r) {
            EXPECT_EQ(attribute.read(grid, r), r == 3 || r == 5 ? changed : untouched) << r;
        }
        for (std::int32_t r = 1; r <= 6; ++r) grid.SetCellValue(r, "a", 10 - r);
        grid.Sort("a");  // the rows reverse; each keeps its own cells
        for (std::int32_t r = 1; r <= 6; ++r) {
            const std::int32_t row = grid.RowIndex("r" + std::to_string(r));
            EXPECT_EQ(row, 7 - r);
            EXPECT_EQ(attribute.read(grid, row), r == 3 || r == 5 ? changed : untouched) << r;
        }
    }
}

}  // namespace
}  // namespace vexa::test
