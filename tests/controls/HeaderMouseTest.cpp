// The header driven by real mouse and keyboard input: clicks, double clicks, divider tracking
// with and without full drag, reordering by drag and drop, the parent's vetoes at each step,
// cancelling, right clicks and the divider cursors.
#include "HeaderTestSupport.h"

namespace vexa::sys::testing {
namespace {

using Codes = std::vector<UINT>;
constexpr LRESULT kRefuse = 1;

struct ClickCase {
    const char* name;
    UINT style;
    std::vector<int> path;  // x of the press, the moves, the release (all at y = 10)
    Codes expected;
};

TEST_F(HeaderTest, ClickNeedsButtonsAndAReleaseOverThePressedItem) {
    const std::vector<ClickCase> cases = {
        {"click", HDS_BUTTONS, {150, 150}, {HDN_ITEMCLICK, NM_RELEASEDCAPTURE}},
        {"released on another item", HDS_BUTTONS, {150, 250}, {NM_RELEASEDCAPTURE}},
        {"away and back", HDS_BUTTONS, {150, 250, 460, 150}, {HDN_ITEMCLICK, NM_RELEASEDCAPTURE}},
        {"released outside", HDS_BUTTONS, {150, 620}, {NM_RELEASEDCAPTURE}},
        {"no buttons", 0, {150, 150}, {}},
    };
    for (const ClickCase& c : cases) {
        MakeHeader(c.style, {100, 100, 100});
        Press(c.path.front(), 10);
        for (std::size_t i = 1; i < c.path.size(); ++i) MoveTo(c.path[i], 10);
        display().MouseUp();
        EXPECT_EQ(Parent().Codes(), c.expected) << c.name;
        if (!c.expected.empty() && c.expected[0] == HDN_ITEMCLICK) {
            EXPECT_EQ(Parent().notices[0].item, 1);
        }
        DestroyAllWindowsForTesting();
    }
}

TEST_F(HeaderTest, DoubleClicksOnItemsAndDividers) {
    MakeHeader(HDS_BUTTONS, {100, 100});
    const POINT item = Screen(150, 10), divider = Screen(198, 10);
    display().DoubleClick(item.x, item.y);
    EXPECT_EQ(Parent().Codes(), (Codes{HDN_ITEMCLICK, NM_RELEASEDCAPTURE, HDN_ITEMDBLCLICK}));
    EXPECT_EQ(Parent().notices.back().item, 1);
    Parent().Clear();
    display().AdvanceClock(1000);
    display().DoubleClick(divider.x, divider.y);
    EXPECT_EQ(Parent().Codes(),
              (Codes{HDN_BEGINTRACK, HDN_ENDTRACK, NM_RELEASEDCAPTURE, HDN_DIVIDERDBLCLICK}));
    EXPECT_EQ(Parent().notices.back().item, 1);
    EXPECT_EQ(Width(1), 100);
}

struct TrackCase {
    const char* name;
    UINT style;
    UINT refused;  // the notification the parent answers with non-zero, 0 for none
    Codes expected;
    int finalWidth;
};

TEST_F(HeaderTest, DividerTrackingSequencesWidthsAndVetoes) {
    const UINT full = HDS_BUTTONS | HDS_FULLDRAG;
    const Codes changes = {HDN_ITEMCHANGING, HDN_ITEMCHANGED};
    const std::vector<TrackCase> cases = {
        {"outline",
         HDS_BUTTONS,
         0,
         {HDN_BEGINTRACK, HDN_TRACK, HDN_TRACK, HDN_TRACK, HDN_TRACK, HDN_ENDTRACK,
          HDN_ITEMCHANGING, HDN_ITEMCHANGED, NM_RELEASEDCAPTURE},
         140},
        {"full drag",
         full,
         0,
         {HDN_BEGINTRACK, HDN_ITEMCHANGING, HDN_ITEMCHANGED, HDN_ITEMCHANGING, HDN_ITEMCHANGED,
          HDN_ITEMCHANGING, HDN_ITEMCHANGED, HDN_ITEMCHANGING, HDN_ITEMCHANGED, HDN_ENDTRACK,
          NM_RELEASEDCAPTURE},
         140},
        {"begin refused", HDS_BUTTONS, HDN_BEGINTRACK, {HDN_BEGINTRACK}, 100},
        {"track refused",
         HDS_BUTTONS,
         HDN_TRACK,
         {HDN_BEGINTRACK, HDN_TRACK, HDN_ENDTRACK, NM_RELEASEDCAPTURE},
         100},
        {"final width refused",
         HDS_BUTTONS,
         HDN_ITEMCHANGING,
         {HDN_BEGINTRACK, HDN_TRACK, HDN_TRACK, HDN_TRACK, HDN_TRACK, HDN_ENDTRACK,
          HDN_ITEMCHANGING, NM_RELEASEDCAPTURE},
         100},
        {"live widths refused",
         full,
         HDN_ITEMCHANGING,
         {HDN_BEGINTRACK, HDN_ITEMCHANGING, HDN_ITEMCHANGING, HDN_ITEMCHANGING, HDN_ITEMCHANGING,
          HDN_ENDTRACK, HDN_ITEMCHANGING, NM_RELEASEDCAPTURE},
         100},
    };
    for (const TrackCase& c : cases) {
        MakeHeader(c.style, {100, 100});
        if (c.refused != 0) Parent().answers[c.refused] = [] { return kRefuse; };
        DragX(98, 138);  // grabbed 2 pixels left of the divider, moved 40 right
        EXPECT_EQ(Parent().Codes(), c.expected) << c.name;
        EXPECT_EQ(Width(0), c.finalWidth) << c.name;
        EXPECT_EQ(ItemRect(1).left, c.finalWidth) << c.name;
        EXPECT_EQ(GetCapture(), 0u) << c.name;
        Parent().answers.clear();
        DestroyAllWindowsForTesting();
    }
    // The widths reported along the way follow the pointer, 10 pixels per step.
    MakeHeader(HDS_BUTTONS, {100, 100});
    DragX(98, 138);
    std::vector<int> widths;
    for (const Notice& n : Parent().notices) widths.push_back(n.width);
    EXPECT_EQ(widths, (std::vector{100, 110, 120, 130, 140, 140, 140, 140, -1}));
}

TEST_F(HeaderTest, HiddenItemsDividerRevealsIt) {
    MakeHeader(HDS_BUTTONS, {100, 0, 100});
    DragX(101, 131);
    EXPECT_EQ(Width(1), 30);
    EXPECT_EQ(Width(0), 100);
    EXPECT_EQ(Parent().notices.front().item, 1);
}

struct CancelCase {
    const char* name;
    UINT style;
    std::function<void()> cancel;
};

TEST_F(HeaderTest, EscapeOrLostCaptureCancelsTrackingAndRestoresTheWidth) {
    const std::vector<CancelCase> cases = {
        {"escape", HDS_BUTTONS, [] { display().KeyPress(VK_ESCAPE); }},
        {"escape, full drag", HDS_BUTTONS | HDS_FULLDRAG, [] { display().KeyPress(VK_ESCAPE); }},
        {"capture taken", HDS_BUTTONS | HDS_FULLDRAG, [this] { SetCapture(parent); }},
    };
    for (const CancelCase& c : cases) {
        MakeHeader(c.style, {100, 100});
        Press(98, 10);
        MoveTo(150, 10);
        c.cancel();
        display().AdvanceClock(100);
        EXPECT_EQ(Width(0), 100) << c.name;
        ASSERT_GE(Parent().notices.size(), 2u);
        const Notice end = Parent().notices[Parent().notices.size() - 2];
        EXPECT_EQ(end.code, HDN_ENDTRACK) << c.name;
        EXPECT_EQ(end.width, 100) << c.name;
        EXPECT_EQ(Parent().notices.back().code, NM_RELEASEDCAPTURE) << c.name;
        const std::size_t count = Parent().notices.size();
        MoveTo(180, 10);
        display().MouseUp();
        EXPECT_EQ(Parent().notices.size(), count) << c.name << ": nothing after the cancel";
        ReleaseCapture();
        DestroyAllWindowsForTesting();
    }
}

struct DragCase {
    const char* name;
    int fromX;
    int toX;
    std::function<LRESULT()> beginAnswer;
    std::function<LRESULT()> endAnswer;
    Codes expected;
    int newOrder;  // iOrder of HDN_ENDDRAG
    std::vector<int> order;
};

TEST_F(HeaderTest, DraggingAnItemReordersUnlessTheParentRefuses) {
    const Codes dropped = {HDN_BEGINDRAG, HDN_ENDDRAG, NM_RELEASEDCAPTURE};
    const Codes refused = {HDN_BEGINDRAG, NM_RELEASEDCAPTURE};
    const auto yes = [] { return LRESULT(0); };
    const auto no = [] { return kRefuse; };
    const auto releaseAndNo = [] {
        ReleaseCapture();
        return kRefuse;
    };
    const std::vector<DragCase> cases = {
        {"third before first", 250, 10, yes, yes, dropped, 0, {2, 0, 1}},
        {"first after last", 50, 290, yes, yes, dropped, 2, {1, 2, 0}},
        {"second onto itself", 150, 160, yes, yes, dropped, 1, {0, 1, 2}},
        {"drop refused", 250, 10, yes, no, dropped, 0, {0, 1, 2}},
        {"drag refused", 250, 10, no, yes, refused, -1, {0, 1, 2}},
        {"drag refused, capture released", 250, 10, releaseAndNo, yes, refused, -1, {0, 1, 2}},
    };
    for (const DragCase& c : cases) {
        MakeHeader(HDS_BUTTONS | HDS_DRAGDROP, {100, 100, 100});
        Parent().answers[HDN_BEGINDRAG] = c.beginAnswer;
        Parent().answers[HDN_ENDDRAG] = c.endAnswer;
        DragX(c.fromX, c.toX, 6);
        EXPECT_EQ(Parent().Codes(), c.expected) << c.name;
        EXPECT_EQ(Parent().notices[0].item, c.fromX / 100) << c.name;
        if (c.newOrder >= 0) {
            EXPECT_EQ(Parent().notices[1].order, c.newOrder) << c.name;
        }
        EXPECT_EQ(OrderArray(), c.order) << c.name;
        DestroyAllWindowsForTesting();
    }
}

TEST_F(HeaderTest, SmallMovesStayAClickAndEscapeCancelsADrag) {
    MakeHeader(HDS_BUTTONS | HDS_DRAGDROP, {100, 100, 100});
    DragX(150, 152, 2);  // within the drag threshold
    EXPECT_EQ(Parent().Codes(), (Codes{HDN_ITEMCLICK, NM_RELEASEDCAPTURE}));
    Parent().Clear();
    Press(250, 10);
    MoveTo(30, 10);
    display().KeyPress(VK_ESCAPE);
    display().AdvanceClock(100);
    display().MouseUp();
    EXPECT_EQ(Parent().Codes(), (Codes{HDN_BEGINDRAG, NM_RELEASEDCAPTURE}));
    EXPECT_EQ(OrderArray(), (std::vector{0, 1, 2}));
}

TEST_F(HeaderTest, RightClickNotifiesThenAsksForTheContextMenu) {
    MakeHeader(HDS_BUTTONS, {100});
    Click(50, 10);
    Parent().Clear();
    const POINT p = Screen(50, 10);
    display().Click(p.x, p.y, 2);
    EXPECT_EQ(Parent().Codes(), (Codes{NM_RCLICK}));
    EXPECT_EQ(Parent().contextMenus, 1);
    Parent().answers[NM_RCLICK] = [] { return LRESULT(1); };
    display().AdvanceClock(1000);
    display().Click(p.x, p.y, 2);
    EXPECT_EQ(Parent().contextMenus, 1);  // answered: no menu
}

TEST_F(HeaderTest, DividerCursors) {
    MakeHeader(HDS_BUTTONS, {100, 0, 100});
    const std::vector<std::pair<int, HCURSOR>> cases = {
        {50, IDC_ARROW},   {97, IDC_SIZEWE},  {102, IDC_SPLITWE}, {150, IDC_ARROW},
        {199, IDC_SIZEWE}, {203, IDC_SIZEWE}, {260, IDC_ARROW}};
    for (const auto& [x, cursor] : cases) {
        MoveTo(x, 10);
        EXPECT_EQ(display().CursorShape(), cursor) << "x " << x;
    }
}

}  // namespace
}  // namespace vexa::sys::testing
