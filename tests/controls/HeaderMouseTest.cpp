// The header driven by real mouse and keyboard input: clicks, double clicks, divider tracking
// with and without full drag, reordering by drag and drop, the parent's vetoes at each step,
// cancelling, right clicks and the divider cursors.
#include "HeaderTestSupport.h"

namespace vexa::sys::testing {
namespace {

const auto kAllow = [] { return LRESULT(0); };
const auto kRefuse = [] { return LRESULT(1); };

TEST_F(HeaderTest, ClickNeedsButtonsAndAReleaseOverThePressedItem) {
    const Codes click = {HDN_ITEMCLICK, NM_RELEASEDCAPTURE}, none = {NM_RELEASEDCAPTURE};
    const std::vector<std::tuple<const char*, UINT, std::vector<int>, Codes>> cases = {
        // name, style, x of the press, the moves and the release
        {"click", HDS_BUTTONS, {150, 150}, click},
        {"released on another item", HDS_BUTTONS, {150, 250}, none},
        {"away and back", HDS_BUTTONS, {150, 250, 460, 150}, click},
        {"released outside", HDS_BUTTONS, {150, 620}, none},
        {"no buttons", 0, {150, 150}, {}}};
    for (const auto& [name, style, path, expected] : cases) {
        MakeHeader(style, {100, 100, 100});
        Press(path.front());
        for (std::size_t i = 1; i < path.size(); ++i) MoveTo(path[i]);
        display().MouseUp();
        EXPECT_EQ(Parent().CodesHeard(), expected) << name;
        EXPECT_TRUE(expected.size() < 2 || Parent().notices[0].item == 1) << name;
    }
}

TEST_F(HeaderTest, DoubleClicksOnItemsAndDividers) {
    MakeHeader(HDS_BUTTONS, {100, 100});
    const POINT item = Screen(150, 10), divider = Screen(198, 10);
    display().DoubleClick(item.x, item.y);
    EXPECT_EQ(Parent().CodesHeard(), (Codes{HDN_ITEMCLICK, NM_RELEASEDCAPTURE, HDN_ITEMDBLCLICK}));
    display().AdvanceClock(1000);
    Parent().notices.clear();
    display().DoubleClick(divider.x, divider.y);
    EXPECT_EQ(Parent().CodesHeard(),
              (Codes{HDN_BEGINTRACK, HDN_ENDTRACK, NM_RELEASEDCAPTURE, HDN_DIVIDERDBLCLICK}));
    EXPECT_EQ(Parent().notices.back().item, 1);
    EXPECT_EQ(Width(1), 100);
}

TEST_F(HeaderTest, DividerTrackingSequencesWidthsAndVetoes) {
    const UINT full = HDS_BUTTONS | HDS_FULLDRAG;
    const UINT begin = HDN_BEGINTRACK, track = HDN_TRACK, end = HDN_ENDTRACK,
               changing = HDN_ITEMCHANGING, changed = HDN_ITEMCHANGED,
               released = NM_RELEASEDCAPTURE;
    const std::vector<std::tuple<const char*, UINT, UINT, Codes, int>> cases = {
        // name, style, the notification the parent refuses, what it hears, the final width
        {"outline",
         HDS_BUTTONS,
         0,
         {begin, track, track, track, track, end, changing, changed, released},
         140},
        {"full drag",
         full,
         0,
         {begin, changing, changed, changing, changed, changing, changed, changing, changed, end,
          released},
         140},
        {"begin refused", HDS_BUTTONS, begin, {begin}, 100},
        {"track refused", HDS_BUTTONS, track, {begin, track, end, released}, 100},
        {"final width refused",
         HDS_BUTTONS,
         changing,
         {begin, track, track, track, track, end, changing, released},
         100},
        {"live widths refused",
         full,
         changing,
         {begin, changing, changing, changing, changing, end, changing, released},
         100}};
    for (const auto& [name, style, refused, expected, finalWidth] : cases) {
        MakeHeader(style, {100, 100});
        Parent().answers = {{refused, kRefuse}};
        DragX(98, 138);  // grabbed 2 pixels left of the divider, moved 40 right
        EXPECT_EQ(Parent().CodesHeard(), expected) << name;
        EXPECT_EQ(Width(0), finalWidth) << name;
        EXPECT_EQ(ItemRect(1).left, finalWidth) << name;
        EXPECT_EQ(GetCapture(), 0u) << name;
    }
    // A width the parent sets while answering HDN_ENDTRACK stays.
    MakeHeader(HDS_BUTTONS, {100, 100});
    HDITEM limited;
    limited.mask = HDI_WIDTH;
    limited.cxy = 120;
    Parent().answers = {
        {end, [&] { return SendMessage(header, HDM_SETITEM, 0, LPARAM(&limited)) - 1; }}};
    DragX(98, 138);
    EXPECT_EQ(Width(0), 120);
    // The widths reported follow the pointer; a hidden item's divider reveals that item.
    MakeHeader(HDS_BUTTONS, {100, 0, 100});
    DragX(98, 138);
    std::vector<int> widths;
    for (const Notice& n : Parent().notices) widths.push_back(n.width);
    EXPECT_EQ(widths, (std::vector{100, 110, 120, 130, 140, 140, 140, 140, -1}));
    DragX(141, 171);
    EXPECT_EQ(std::tuple(Width(0), Width(1), Parent().notices.back().code),
              std::tuple(140, 30, NM_RELEASEDCAPTURE));
}

TEST_F(HeaderTest, EscapeOrLostCaptureCancelsTrackingAndRestoresTheWidth) {
    const auto escape = [] { display().KeyPress(VK_ESCAPE); };
    const std::vector<std::tuple<const char*, UINT, std::function<void()>>> cases = {
        {"escape", HDS_BUTTONS, escape},
        {"escape, full drag", HDS_BUTTONS | HDS_FULLDRAG, escape},
        {"capture taken", HDS_BUTTONS | HDS_FULLDRAG, [this] { SetCapture(parent); }}};
    for (const auto& [name, style, cancel] : cases) {
        MakeHeader(style, {100, 100});
        Press(98);
        MoveTo(150);
        cancel();
        display().AdvanceClock(100);
        EXPECT_EQ(Width(0), 100) << name;
        const std::vector<Notice>& heard = Parent().notices;
        ASSERT_GE(heard.size(), 2u);
        EXPECT_EQ(std::tuple(heard[heard.size() - 2].code, heard[heard.size() - 2].width),
                  std::tuple(HDN_ENDTRACK, 100))
            << name;
        EXPECT_EQ(heard.back().code, NM_RELEASEDCAPTURE) << name;
        const std::size_t count = heard.size();
        MoveTo(180);
        display().MouseUp();
        EXPECT_EQ(heard.size(), count) << name << ": nothing after the cancel";
        ReleaseCapture();
    }
}

TEST_F(HeaderTest, DraggingAnItemReordersUnlessTheParentRefusesOrEscapeIsPressed) {
    const Codes dropped = {HDN_BEGINDRAG, HDN_ENDDRAG, NM_RELEASEDCAPTURE};
    const Codes refused = {HDN_BEGINDRAG, NM_RELEASEDCAPTURE};
    const std::function<LRESULT()> releaseAndRefuse = [] { return ReleaseCapture() ? 1 : 0; };
    const std::vector<std::tuple<const char*, int, int, std::function<LRESULT()>,
                                 std::function<LRESULT()>, Codes, std::vector<int>>>
        cases = {
            // name, from x, to x, answers to begin and end, what is heard, the order after
            {"third before first", 250, 10, kAllow, kAllow, dropped, {2, 0, 1}},
            {"first after last", 50, 290, kAllow, kAllow, dropped, {1, 2, 0}},
            {"second onto itself", 150, 160, kAllow, kAllow, dropped, {0, 1, 2}},
            {"drop refused", 250, 10, kAllow, kRefuse, dropped, {0, 1, 2}},
            {"drag refused", 250, 10, kRefuse, kAllow, refused, {0, 1, 2}},
            {"refused, capture released", 250, 10, releaseAndRefuse, kAllow, refused, {0, 1, 2}},
            {"within the drag threshold",
             150,
             152,
             kAllow,
             kAllow,
             {HDN_ITEMCLICK, NM_RELEASEDCAPTURE},
             {0, 1, 2}}};
    const std::vector<int> newOrders = {0, 2, 1, 0};  // HDN_ENDDRAG's iOrder where dropped
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [name, fromX, toX, beginAnswer, endAnswer, expected, order] = cases[i];
        MakeHeader(HDS_BUTTONS | HDS_DRAGDROP, {100, 100, 100});
        Parent().answers = {{HDN_BEGINDRAG, beginAnswer}, {HDN_ENDDRAG, endAnswer}};
        DragX(fromX, toX, 6);
        EXPECT_EQ(Parent().CodesHeard(), expected) << name;
        EXPECT_EQ(Parent().notices[0].item, fromX / 100) << name;
        EXPECT_TRUE(i >= newOrders.size() || Parent().notices[1].order == newOrders[i]) << name;
        EXPECT_EQ(OrderArray(), order) << name;
    }
    // Escape drops nothing.
    Parent().notices.clear();
    Press(250);
    MoveTo(30);
    display().KeyPress(VK_ESCAPE);
    display().AdvanceClock(100);
    display().MouseUp();
    EXPECT_EQ(Parent().CodesHeard(), refused);
    EXPECT_EQ(OrderArray(), (std::vector{0, 1, 2}));
}

TEST_F(HeaderTest, RightClickNotifiesThenAsksForTheContextMenu) {
    MakeHeader(HDS_BUTTONS, {100});
    const POINT p = Screen(50, 10);
    display().Click(p.x, p.y, 2);
    EXPECT_EQ(Parent().CodesHeard(), (Codes{NM_RCLICK}));
    EXPECT_EQ(Parent().contextMenus, 1);
    Parent().answers = {{NM_RCLICK, kRefuse}};
    display().AdvanceClock(1000);
    display().Click(p.x, p.y, 2);
    EXPECT_EQ(Parent().contextMenus, 1);  // answered: no menu
}

TEST_F(HeaderTest, DividerCursors) {
    MakeHeader(HDS_BUTTONS, {100, 0, 100});
    for (const auto& [x, cursor] : std::vector<std::pair<int, HCURSOR>>{{50, IDC_ARROW},
                                                                        {97, IDC_SIZEWE},
                                                                        {102, IDC_SPLITWE},
                                                                        {150, IDC_ARROW},
                                                                        {199, IDC_SIZEWE},
                                                                        {203, IDC_SIZEWE},
                                                                        {260, IDC_ARROW}}) {
        MoveTo(x);
        EXPECT_EQ(display().CursorShape(), cursor) << "x " << x;
    }
}

}  // namespace
}  // namespace vexa::sys::testing
