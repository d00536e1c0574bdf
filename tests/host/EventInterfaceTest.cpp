// The event interface as hosts see it: the dispatch identifiers of the events.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "vexa/vexa.h"

namespace vexa {
namespace {

TEST(EventInterface, DispatchIdentifiersFollowTheDeclarationOrder) {
    EXPECT_EQ(kVexaEventNames.size(), 55u);
    // Hosts bind by number: the first, the last and some between pin the order.
    for (auto [name, id] : {std::pair{"AfterCommitEdit", 1},
                            {"ContentsSorted", 14},
                            {"OLEDragDrop", 29},
                            {"RequestEdit", 36},
                            {"TextEditCustomContextMenu", 54},
                            {"WindowsThemeChanged", 55},
                            {"curcellchange", 0} /* names are exact */,
                            {"Click", 0}})
        EXPECT_EQ(VexaEventDispId(name), id) << name;
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
