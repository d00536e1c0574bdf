// The event interface as hosts see it: the dispatch identifiers of the events.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "vexa/vexa.h"

namespace vexa {
namespace {

TEST(EventInterface, DispatchIdentifiersFollowTheDeclarationOrder) {
    EXPECT_EQ(kVexaEventNames.size(), 55u);
    EXPECT_EQ(VexaEventDispId("AfterCommitEdit"), 1);
    EXPECT_EQ(VexaEventDispId("ContentsSorted"), 14);
    EXPECT_EQ(VexaEventDispId("CurCellChange"), 15);
    EXPECT_EQ(VexaEventDispId("HeaderRightClick"), 20);
    EXPECT_EQ(VexaEventDispId("OLEDragDrop"), 29);
    EXPECT_EQ(VexaEventDispId("QuitCustomEdit"), 35);
    EXPECT_EQ(VexaEventDispId("RequestEdit"), 36);
    EXPECT_EQ(VexaEventDispId("ScrollBarPosChanged"), 39);
    EXPECT_EQ(VexaEventDispId("StartColWidthChange"), 45);
    EXPECT_EQ(VexaEventDispId("TextEditCustomContextMenu"), 54);
    EXPECT_EQ(VexaEventDispId("WindowsThemeChanged"), 55);
    EXPECT_EQ(VexaEventDispId("curcellchange"), 0);  // names are exact
    EXPECT_EQ(VexaEventDispId("Click"), 0);
    EXPECT_EQ(VexaEventName(0), "");
    EXPECT_EQ(VexaEventName(56), "");
    std::set<std::string_view> distinct;
    for (std::int32_t id = 1; id <= 55; ++id) {
        EXPECT_EQ(VexaEventDispId(VexaEventName(id)), id);
        distinct.insert(VexaEventName(id));
    }
    EXPECT_EQ(distinct.size(), 55u);
    static_assert(VexaEventDispId("MouseDown") == 24);
}

}  // namespace
}  // namespace vexa
