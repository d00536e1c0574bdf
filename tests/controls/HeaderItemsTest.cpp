// Header items through the header's messages: fields in and out, UTF-8 text cut at whole
// characters, display order and its mapping to indices, hit testing, layout and the
// notifications of HDM_SETITEM.
#include "HeaderTestSupport.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa::sys::testing {
namespace {

TEST_F(HeaderTest, ItemFieldsRoundTripAndTextIsCutAtWholeCharacters) {
    MakeHeader(HDS_BUTTONS, {});
    Insert(0, 77, HDF_STRING | HDF_RIGHT, "Größe");
    HDITEM item;
    item.mask = HDI_WIDTH | HDI_FORMAT | HDI_LPARAM | HDI_ORDER;
    ASSERT_TRUE(SendMessage(header, HDM_GETITEM, 0, LPARAM(&item)));
    EXPECT_EQ(item.cxy, 77);
    EXPECT_EQ(item.fmt, HDF_STRING | HDF_RIGHT);
    EXPECT_EQ(item.lParam, 1000);
    EXPECT_EQ(item.iOrder, 0);
    // "ö" takes two bytes: a buffer that would split it keeps the text before it.
    const std::vector<std::pair<int, std::string>> cuts = {
        {1, ""}, {3, "Gr"}, {4, "Gr"}, {5, "Grö"}, {64, "Größe"}};
    for (const auto& [capacity, expected] : cuts) {
        char buffer[64] = "garbage";
        HDITEM text;
        text.mask = HDI_TEXT;
        text.pszText = buffer;
        text.cchTextMax = capacity;
        ASSERT_TRUE(SendMessage(header, HDM_GETITEM, 0, LPARAM(&text)));
        EXPECT_EQ(std::string(buffer), expected) << "capacity " << capacity;
    }
    EXPECT_FALSE(SendMessage(header, HDM_GETITEM, 1, LPARAM(&item)));
}

TEST_F(HeaderTest, InsertAndDeleteKeepTheDisplayOrderOfTheOtherItems) {
    MakeHeader(HDS_BUTTONS, {10, 20, 30});
    ASSERT_TRUE(SendMessage(header, HDM_SETORDERARRAY, 3, LPARAM(std::vector{2, 0, 1}.data())));
    HDITEM first;
    first.mask = HDI_WIDTH | HDI_ORDER;
    first.cxy = 40;
    first.iOrder = 0;
    // Inserted at index 1, shown first; the old items 1 and 2 become 2 and 3.
    EXPECT_EQ(SendMessage(header, HDM_INSERTITEM, 1, LPARAM(&first)), 1);
    EXPECT_EQ(OrderArray(), (std::vector{1, 3, 0, 2}));
    EXPECT_EQ(Insert(99, 50, HDF_STRING), 4);  // past the end appends
    EXPECT_TRUE(SendMessage(header, HDM_DELETEITEM, 0));
    EXPECT_EQ(OrderArray(), (std::vector{0, 2, 1, 3}));
    EXPECT_EQ(ItemRect(1), (RECT{70, 0, 90, kHeaderHeight}));  // after 40 and 30
    const std::vector<std::pair<int, int>> orderToIndex = {
        {0, 0}, {1, 2}, {3, 3}, {7, 7}, {-1, -1}};
    for (const auto& [order, index] : orderToIndex)
        EXPECT_EQ(SendMessage(header, HDM_ORDERTOINDEX, WPARAM(order)), index) << order;
}

TEST_F(HeaderTest, OrderArrayMustBeAPermutationOfAllItems) {
    MakeHeader(HDS_BUTTONS, {10, 20, 30});
    const std::vector<std::pair<std::vector<int>, bool>> cases = {
        {{1, 0, 2}, true}, {{0, 0, 1}, false}, {{0, 1, 3}, false}, {{0, 1}, false}};
    for (const auto& [order, accepted] : cases) {
        std::vector<int> proposed = order;
        EXPECT_EQ(SendMessage(header, HDM_SETORDERARRAY, order.size(), LPARAM(proposed.data())),
                  accepted ? 1 : 0);
    }
    EXPECT_EQ(OrderArray(), (std::vector{1, 0, 2}));
    EXPECT_EQ(ItemRect(0), (RECT{20, 0, 30, kHeaderHeight}));
}

struct HitCase {
    POINT point;
    UINT flags;
    int item;
};

TEST_F(HeaderTest, HitTestFindsItemsDividersAndHiddenItems) {
    MakeHeader(HDS_BUTTONS, {100, 0, 80, 60});  // item 1 is hidden between 0 and 2
    const std::vector<HitCase> cases = {
        {{50, 10}, HHT_ONHEADER, 0},
        {{2, 10}, HHT_ONHEADER, 0},
        {{97, 10}, HHT_ONDIVIDER, 0},
        {{101, 10}, HHT_ONDIVOPEN, 1},
        {{140, 10}, HHT_ONHEADER, 2},
        {{178, 10}, HHT_ONDIVIDER, 2},
        {{182, 10}, HHT_ONDIVIDER, 2},
        {{242, 10}, HHT_ONDIVIDER, 3},
        {{300, 10}, HHT_NOWHERE, -1},
        {{50, -3}, HHT_ABOVE, -1},
        {{600, 30}, HHT_BELOW | HHT_TORIGHT, -1},
        {{-1, 5}, HHT_TOLEFT, -1},
    };
    for (const HitCase& c : cases) {
        HDHITTESTINFO hit;
        hit.pt = c.point;
        EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, LPARAM(&hit)), c.item);
        EXPECT_EQ(hit.flags, c.flags) << c.point.x << "," << c.point.y;
        EXPECT_EQ(hit.iItem, c.item);
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
    ASSERT_EQ(Parent().Codes(), (std::vector{HDN_ITEMCHANGING, HDN_ITEMCHANGING, HDN_ITEMCHANGED}));
    EXPECT_EQ(Parent().notices[2].item, 1);
    EXPECT_EQ(Parent().notices[2].width, 60);
}

TEST_F(HeaderTest, LayoutTakesTheFontsHeightUnlessHidden) {
    MakeHeader(HDS_BUTTONS, {100});
    auto layout = [&](RECT* room) {
        WINDOWPOS pos;
        HDLAYOUT request{room, &pos};
        EXPECT_TRUE(SendMessage(header, HDM_LAYOUT, 0, LPARAM(&request)));
        EXPECT_EQ(pos.x, 10);
        EXPECT_EQ(pos.cx, 300);
        return pos.cy;
    };
    RECT room{10, 20, 310, 400};
    const int normal = layout(&room);
    EXPECT_EQ(room.top, 20 + normal);
    LOGFONT big;
    big.lfHeight = -30;
    const HFONT font = CreateFontIndirect(&big);
    SendMessage(header, WM_SETFONT, font, 1);
    EXPECT_EQ(HFONT(SendMessage(header, WM_GETFONT)), font);
    room = RECT{10, 20, 310, 400};
    EXPECT_GT(layout(&room), normal + 15);
    SetWindowLongPtr(header, GWL_STYLE, GetWindowLongPtr(header, GWL_STYLE) | HDS_HIDDEN);
    room = RECT{10, 20, 310, 400};
    EXPECT_EQ(layout(&room), 0);
    EXPECT_EQ(room.top, 20);
    DestroyWindow(header);
    DeleteObject(font);
}

TEST_F(HeaderTest, HotDividerIsSetByPointOrByNumber) {
    MakeHeader(HDS_BUTTONS, {100, 100, 100});
    const std::vector<std::tuple<WPARAM, LPARAM, int>> cases = {{1, MAKELPARAM(30, 5), 0},
                                                                {1, MAKELPARAM(160, 5), 2},
                                                                {1, MAKELPARAM(450, 5), 3},
                                                                {0, 1, 1},
                                                                {0, 9, -1},
                                                                {0, -1, -1}};
    for (const auto& [byPoint, value, divider] : cases)
        EXPECT_EQ(SendMessage(header, HDM_SETHOTDIVIDER, byPoint, value), divider);
}

}  // namespace
}  // namespace vexa::sys::testing
