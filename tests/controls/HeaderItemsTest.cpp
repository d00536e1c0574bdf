// Header items through the header's messages: fields in and out, UTF-8 text cut at whole
// characters, display order and its mapping to indices, hit testing, layout and the
// notifications of HDM_SETITEM.
#include "HeaderTestSupport.h"

namespace vexa::sys::testing {
namespace {

TEST_F(HeaderTest, ItemFieldsRoundTripAndTextIsCutAtWholeCharacters) {
    MakeHeader(HDS_BUTTONS, {});
    Insert(0, 77, HDF_STRING | HDF_RIGHT, "Größe");
    HDITEM item;
    item.mask = HDI_WIDTH | HDI_FORMAT | HDI_LPARAM | HDI_ORDER;
    ASSERT_TRUE(SendMessage(header, HDM_GETITEM, 0, LPARAM(&item)));
    EXPECT_EQ(std::tuple(item.cxy, item.fmt, item.lParam, item.iOrder),
              std::tuple(77, HDF_STRING | HDF_RIGHT, LPARAM(1000), 0));
    EXPECT_FALSE(SendMessage(header, HDM_GETITEM, 1, LPARAM(&item)));
    // "ö" takes two bytes: a buffer that would split it keeps the text before it.
    for (const auto& [capacity, expected] : std::vector<std::pair<int, std::string>>{
             {1, ""}, {3, "Gr"}, {4, "Gr"}, {5, "Grö"}, {64, "Größe"}}) {
        char buffer[64] = "garbage";
        item.mask = HDI_TEXT;
        item.pszText = buffer;
        item.cchTextMax = capacity;
        ASSERT_TRUE(SendMessage(header, HDM_GETITEM, 0, LPARAM(&item)));
        EXPECT_EQ(std::string(buffer), expected) << "capacity " << capacity;
    }
}

TEST_F(HeaderTest, DisplayOrderMapsToIndicesAndSurvivesInsertAndDelete) {
    MakeHeader(HDS_BUTTONS, {10, 20, 30});
    for (const auto& [order, accepted] : std::vector<std::pair<std::vector<int>, bool>>{
             {{0, 0, 1}, false}, {{0, 1, 3}, false}, {{0, 1}, false}, {{2, 0, 1}, true}}) {
        EXPECT_EQ(SendMessage(header, HDM_SETORDERARRAY, order.size(), LPARAM(order.data())),
                  accepted ? 1 : 0);
    }
    HDITEM first;
    first.mask = HDI_WIDTH | HDI_ORDER;
    first.cxy = 40;
    first.iOrder = 0;
    // Inserted at index 1 and shown first: the old items 1 and 2 become 2 and 3.
    EXPECT_EQ(SendMessage(header, HDM_INSERTITEM, 1, LPARAM(&first)), 1);
    EXPECT_EQ(OrderArray(), (std::vector{1, 3, 0, 2}));
    EXPECT_EQ(Insert(99, 50, HDF_STRING), 4);  // past the end appends
    EXPECT_TRUE(SendMessage(header, HDM_DELETEITEM, 0));
    EXPECT_EQ(OrderArray(), (std::vector{0, 2, 1, 3}));
    EXPECT_EQ(ItemRect(1), (RECT{70, 0, 90, kHeaderHeight}));  // after 40 and 30
    for (const auto& [order, index] :
         std::vector<std::pair<int, int>>{{0, 0}, {1, 2}, {3, 3}, {7, 7}, {-1, -1}})
        EXPECT_EQ(SendMessage(header, HDM_ORDERTOINDEX, WPARAM(order)), index) << order;
    // The lit divider, by point (nearest to x) or by number.
    for (const auto& [byPoint, value, divider] :
         std::vector<std::tuple<WPARAM, LPARAM, int>>{{1, MAKELPARAM(10, 5), 0},
                                                      {1, MAKELPARAM(75, 5), 2},
                                                      {1, 400, 4},
                                                      {0, 3, 3},
                                                      {0, 9, -1}})
        EXPECT_EQ(SendMessage(header, HDM_SETHOTDIVIDER, byPoint, value), divider);
}

TEST_F(HeaderTest, HitTestFindsItemsDividersAndHiddenItems) {
    MakeHeader(HDS_BUTTONS, {100, 0, 80, 60});  // item 1 is hidden between 0 and 2
    const std::vector<std::tuple<POINT, UINT, int>> cases = {
        {{50, 10}, HHT_ONHEADER, 0},   {{2, 10}, HHT_ONHEADER, 0},
        {{97, 10}, HHT_ONDIVIDER, 0},  {{101, 10}, HHT_ONDIVOPEN, 1},
        {{140, 10}, HHT_ONHEADER, 2},  {{178, 10}, HHT_ONDIVIDER, 2},
        {{182, 10}, HHT_ONDIVIDER, 2}, {{242, 10}, HHT_ONDIVIDER, 3},
        {{300, 10}, HHT_NOWHERE, -1},  {{50, -3}, HHT_ABOVE, -1},
        {{-1, 5}, HHT_TOLEFT, -1},     {{600, 30}, HHT_BELOW | HHT_TORIGHT, -1}};
    for (const auto& [point, flags, item] : cases) {
        HDHITTESTINFO hit;
        hit.pt = point;
        EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, LPARAM(&hit)), item);
        EXPECT_EQ(std::pair(hit.flags, hit.iItem), std::pair(flags, item)) << point.x;
    }
}

TEST_F(HeaderTest, SetItemAsksTheParentFirst) {
    MakeHeader(HDS_BUTTONS, {100, 100});
    HDITEM change;
    change.mask = HDI_WIDTH;
    change.cxy = 60;
    Parent().answers[HDN_ITEMCHANGING] = [] { return LRESULT(1); };
    EXPECT_FALSE(SendMessage(header, HDM_SETITEM, 1, LPARAM(&change)));
    EXPECT_EQ(Width(1), 100);
    Parent().answers.clear();
    EXPECT_TRUE(SendMessage(header, HDM_SETITEM, 1, LPARAM(&change)));
    EXPECT_EQ(Width(1), 60);
    EXPECT_EQ(Parent().Heard(), "changing changing changed");
    EXPECT_EQ(std::pair(Parent().notices[2].item, Parent().notices[2].width), std::pair(1, 60));
}

TEST_F(HeaderTest, LayoutTakesTheFontsHeightUnlessHidden) {
    MakeHeader(HDS_BUTTONS, {100});
    auto layout = [&] {
        RECT room{10, 20, 310, 400};
        WINDOWPOS pos;
        HDLAYOUT request{&room, &pos};
        EXPECT_TRUE(SendMessage(header, HDM_LAYOUT, 0, LPARAM(&request)));
        EXPECT_EQ(std::tuple(pos.x, pos.y, pos.cx, room.top), std::tuple(10, 20, 300, 20 + pos.cy));
        return pos.cy;
    };
    const int normal = layout();
    LOGFONT big;
    big.lfHeight = -30;
    const HFONT font = CreateFontIndirect(&big);
    SendMessage(header, WM_SETFONT, font, 1);
    EXPECT_EQ(HFONT(SendMessage(header, WM_GETFONT)), font);
    EXPECT_GT(layout(), normal + 15);
    SetWindowLongPtr(header, GWL_STYLE, GetWindowLongPtr(header, GWL_STYLE) | HDS_HIDDEN);
    EXPECT_EQ(layout(), 0);
    DestroyWindow(header);
    DeleteObject(font);
}

}  // namespace
}  // namespace vexa::sys::testing
