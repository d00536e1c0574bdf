// The header driven by real mouse and keyboard input: clicks, double clicks, divider tracking
// with and without full drag, reordering by drag and drop, the parent's vetoes at each step,
// cancelling, right clicks and the divider cursors.
#include "HeaderTestSupport.h"

namespace vexa::sys::testing {
namespace {

using Answer = std::function<LRESULT()>;
const Answer kAllow = [] { return LRESULT(0); };
const Answer kRefuse = [] { return LRESULT(1); };

struct ClickCase {
    const char* name;
    UINT style;
    std::vector<int> path;  // x of the press, the moves and the release
    const char* heard;
};

TEST_F(HeaderTest, ClickNeedsButtonsAndAReleaseOverThePressedItem) {
    const std::vector<ClickCase> cases = {
        {"click", HDS_BUTTONS, {150, 150}, "click released"},
        {"released on another item", HDS_BUTTONS, {150, 250}, "released"},
        {"away and back", HDS_BUTTONS, {150, 250, 460, 150}, "click released"},
        {"released outside", HDS_BUTTONS, {150, 620}, "released"},
        {"no buttons", 0, {150, 150}, ""}};
    for (const ClickCase& c : cases) {
        MakeHeader(c.style, {100, 100, 100});
        Press(c.path.front());
        for (std::size_t i = 1; i < c.path.size(); ++i) MoveTo(c.path[i]);
        display().MouseUp();
        EXPECT_EQ(Parent().Heard(), c.heard) << c.name;
        EXPECT_TRUE(Parent().notices.size() < 2 || Parent().notices[0].item == 1) << c.name;
    }
}

TEST_F(HeaderTest, DoubleClicksOnItemsAndDividers) {
    MakeHeader(HDS_BUTTONS, {100, 100});
    const POINT item = Screen(150, 10), divider = Screen(198, 10);
    display().DoubleClick(item.x, item.y);
    EXPECT_EQ(Parent().Heard(), "click released dblclick");
    display().AdvanceClock(1000);
    Parent().notices.clear();
    display().DoubleClick(divider.x, divider.y);
    EXPECT_EQ(Parent().Heard(), "begin end released dividerdblclick");
    EXPECT_EQ(std::pair(Parent().notices.back().item, Width(1)), std::pair(1, 100));
}

struct TrackCase {
    const char* name;
    UINT style;
    UINT refused;  // the notification the parent answers with non-zero
    const char* heard;
    int finalWidth;
};

TEST_F(HeaderTest, DividerTrackingSequencesWidthsAndVetoes) {
    const UINT full = HDS_BUTTONS | HDS_FULLDRAG;
    const std::vector<TrackCase> cases = {
        {"outline", HDS_BUTTONS, 0, "begin track track track track end changing changed released",
         140},
        {"full drag", full, 0,
         "begin changing changed changing changed changing changed changing changed end released",
         140},
        {"begin refused", HDS_BUTTONS, HDN_BEGINTRACK, "begin", 100},
        {"track refused", HDS_BUTTONS, HDN_TRACK, "begin track end released", 100},
        {"final width refused", HDS_BUTTONS, HDN_ITEMCHANGING,
         "begin track track track track end changing released", 100},
        {"live widths refused", full, HDN_ITEMCHANGING,
         "begin changing changing changing changing end changing released", 100}};
    for (const TrackCase& c : cases) {
        MakeHeader(c.style, {100, 100});
        Parent().answers = {{c.refused, kRefuse}};
        DragX(98, 138);  // grabbed 2 pixels left of the divider, moved 40 right
        EXPECT_EQ(Parent().Heard(), c.heard) << c.name;
        EXPECT_EQ(std::pair(Width(0), ItemRect(1).left), std::pair(c.finalWidth, c.finalWidth));
        EXPECT_EQ(GetCapture(), 0u) << c.name;
    }
    // A width the parent sets while answering HDN_ENDTRACK stays.
    MakeHeader(HDS_BUTTONS, {100, 100});
    HDITEM limited;
    limited.mask = HDI_WIDTH;
    limited.cxy = 120;
    Parent().answers = {
        {HDN_ENDTRACK, [&] { return SendMessage(header, HDM_SETITEM, 0, LPARAM(&limited)) - 1; }}};
    DragX(98, 138);
    EXPECT_EQ(Width(0), 120);
    // The widths reported follow the pointer; a hidden item's divider reveals that item.
    MakeHeader(HDS_BUTTONS, {100, 0, 100});
    DragX(98, 138);
    std::vector<int> widths;
    for (const Notice& n : Parent().notices) widths.push_back(n.width);
    EXPECT_EQ(widths, (std::vector{100, 110, 120, 130, 140, 140, 140, 140, -1}));
    DragX(141, 171);
    EXPECT_EQ(std::pair(Width(0), Width(1)), std::pair(140, 30));
}

TEST_F(HeaderTest, EscapeOrLostCaptureCancelsTrackingAndRestoresTheWidth) {
    const auto escape = [] { display().KeyPress(VK_ESCAPE); };
    const char* restored = "begin changing changed changing changed end released";
    const std::vector<std::tuple<UINT, std::function<void()>, const char*>> cases = {
        {HDS_BUTTONS, escape, "begin track end released"},
        {HDS_BUTTONS | HDS_FULLDRAG, escape, restored},
        {HDS_BUTTONS | HDS_FULLDRAG, [this] { SetCapture(parent); }, restored}};
    for (const auto& [style, cancel, heard] : cases) {
        MakeHeader(style, {100, 100});
        Press(98);
        MoveTo(150);
        cancel();
        display().AdvanceClock(100);
        MoveTo(180);
        display().MouseUp();  // nothing more after the cancel
        EXPECT_EQ(Parent().Heard(), heard);
        EXPECT_EQ(Width(0), 100);
        EXPECT_EQ(Parent().notices.rbegin()[1].width, 100) << "HDN_ENDTRACK's width";
        ReleaseCapture();
    }
}

struct DragCase {
    const char* name;
    int fromX;
    int toX;
    Answer begin;
    Answer end;
    const char* heard;
    int newOrder;  // HDN_ENDDRAG's iOrder
    std::vector<int> order;
};

TEST_F(HeaderTest, DraggingAnItemReordersUnlessTheParentRefusesOrEscapeIsPressed) {
    const Answer releaseAndRefuse = [] { return ReleaseCapture() ? 1 : 0; };
    const std::vector<DragCase> cases = {
        {"third before first", 250, 10, kAllow, kAllow, "drag drop released", 0, {2, 0, 1}},
        {"first after last", 50, 290, kAllow, kAllow, "drag drop released", 2, {1, 2, 0}},
        {"second onto itself", 150, 160, kAllow, kAllow, "drag drop released", 1, {0, 1, 2}},
        {"drop refused", 250, 10, kAllow, kRefuse, "drag drop released", 0, {0, 1, 2}},
        {"drag refused", 250, 10, kRefuse, kAllow, "drag released", -1, {0, 1, 2}},
        {"refused, released", 250, 10, releaseAndRefuse, kAllow, "drag released", -1, {0, 1, 2}},
        {"within the threshold", 150, 152, kAllow, kAllow, "click released", -1, {0, 1, 2}}};
    for (const DragCase& c : cases) {
        MakeHeader(HDS_BUTTONS | HDS_DRAGDROP, {100, 100, 100});
        Parent().answers = {{HDN_BEGINDRAG, c.begin}, {HDN_ENDDRAG, c.end}};
        DragX(c.fromX, c.toX, 6);
        EXPECT_EQ(Parent().Heard(), c.heard) << c.name;
        EXPECT_EQ(Parent().notices[0].item, c.fromX / 100) << c.name;
        EXPECT_TRUE(c.newOrder < 0 || Parent().notices[1].order == c.newOrder) << c.name;
        EXPECT_EQ(OrderArray(), c.order) << c.name;
    }
    Parent().notices.clear();
    Press(250);
    MoveTo(30);
    display().KeyPress(VK_ESCAPE);
    display().AdvanceClock(100);
    display().MouseUp();
    EXPECT_EQ(Parent().Heard(), "drag released");
    EXPECT_EQ(OrderArray(), (std::vector{0, 1, 2}));
}

TEST_F(HeaderTest, RightClickNotifiesThenAsksForTheContextMenuAndDividersHaveCursors) {
    MakeHeader(HDS_BUTTONS, {100, 0, 100});
    const POINT p = Screen(50, 10);
    display().Click(p.x, p.y, 2);
    EXPECT_EQ(std::pair(Parent().Heard(), Parent().contextMenus),
              std::pair(std::string("rclick"), 1));
    Parent().answers = {{NM_RCLICK, kRefuse}};
    display().AdvanceClock(1000);
    display().Click(p.x, p.y, 2);
    EXPECT_EQ(Parent().contextMenus, 1);  // answered: no menu
    const int xs[] = {50, 97, 102, 150, 199, 203, 260};
    const HCURSOR shapes[] = {IDC_ARROW,  IDC_SIZEWE, IDC_SPLITWE, IDC_ARROW,
                              IDC_SIZEWE, IDC_SIZEWE, IDC_ARROW};
    for (std::size_t i = 0; i < std::size(xs); ++i) {
        MoveTo(xs[i]);
        EXPECT_EQ(display().CursorShape(), shapes[i]) << "x " << xs[i];
    }
}

}  // namespace
}  // namespace vexa::sys::testing
