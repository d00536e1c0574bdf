// Where a drop-down list opens beside its cell, by the room above and below it.
#include <gtest/gtest.h>

#include "vexa/combo/DropDownList.h"

namespace vexa {
namespace {

struct PlacementCase {
    const char* name;
    std::int32_t screen, y, cellHeight, dropped, item;
    DropPlacement expected;
};

class DropPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(DropPlacementTest, PrefersBelowThenAboveThenTheLargerSideInWholeItems) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(PlaceDropDown(c.screen, c.y, c.cellHeight, c.dropped, c.item), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DropPlacementTest,
    ::testing::Values(PlacementCase{"fits below", 1000, 100, 20, 122, 15, {120, 122}},
                      PlacementCase{"just not below", 1000, 858, 20, 122, 15, {735, 122}},
                      PlacementCase{"fits above", 1000, 900, 20, 122, 15, {777, 122}},
                      PlacementCase{"more room below", 600, 250, 20, 400, 15, {270, 330}},
                      PlacementCase{"more room above", 600, 340, 20, 400, 15, {9, 330}},
                      PlacementCase{"no room at all", 30, 5, 20, 100, 15, {25, 15}},
                      PlacementCase{"no item height", 600, 340, 20, 400, 0, {-1, 340}}));

}  // namespace
}  // namespace vexa
