// What the mouse's input means, as tables: the selection step of a press under the buttons,
// the modifiers, MultiSelect and where it landed; when a move is a drag; the rectangles'
// edges; the buttons and modifiers of a message's key flags; the edge scrolling direction.
#include <gtest/gtest.h>

#include "vexa/interact/Mouse.h"
#include "vexa/system/window/Messages.h"

namespace vexa {
namespace {

using enum PressStep;
constexpr std::int16_t S = 1, C = 2, A = 4;

TEST(MouseClassify, PressesTakeTheirSelectionStep) {
    // clang-format off
    struct Case {
        std::int16_t button, shift;
        bool doDefault, onCell, onControl, selected, multi;
        PressStep expected;
    } cases[] = {
        {1, 0, true, true, false, false, false, MoveSingle},
        {1, S | C, true, true, false, true, false, MoveSingle},  // modifiers need MultiSelect
        {1, 0, true, true, true, true, false, MoveSingle},
        {1, 0, true, true, false, false, true, OnlyCell},
        {1, A, true, true, false, false, true, OnlyCell},
        {1, S, true, true, false, false, true, Extend},
        {1, S | C, true, true, false, false, true, Extend},
        {1, C, true, true, false, false, true, Invert},
        {1, 0, true, true, false, true, true, Defer},
        {1, C, true, true, false, true, true, Defer},
        {1, S, true, true, false, true, true, Defer},
        {1, 0, true, true, true, true, true, OnlyCell},  // a selected cell's control acts at once
        {1, C, true, true, true, true, true, Invert},
        {2, 0, true, true, false, false, true, None},
        {4, 0, true, true, false, false, false, None},
        {1, 0, false, true, false, false, false, None},
        {1, 0, true, false, false, false, true, None},
    };
    // clang-format on
    for (const Case& c : cases) {
        const PressFacts facts{c.button,    c.shift,    c.doDefault, c.onCell,
                               c.onControl, c.selected, c.multi};
        EXPECT_EQ(Mouse::PressStepFor(facts), c.expected)
            << "button " << c.button << " shift " << c.shift << " doDefault " << c.doDefault
            << " onCell " << c.onCell << " onControl " << c.onControl << " selected " << c.selected
            << " multi " << c.multi;
    }
}

TEST(MouseClassify, ADeferredPressDecidesAsAPressOnAnUnselectedCell) {
    for (std::int16_t shift = 0; shift < 8; ++shift) {
        for (bool multi : {false, true}) {
            EXPECT_EQ(Mouse::DeferredStepFor(shift, multi),
                      Mouse::PressStepFor({1, shift, true, true, false, false, multi}))
                << shift << " " << multi;
        }
    }
}

TEST(MouseClassify, AMoveOfMoreThanTwoPixelsEitherWayIsADrag) {
    const sys::POINT down{100, 50};
    struct Case {
        int dx, dy;
        bool drag;
    } cases[] = {{0, 0, false},  {2, 0, false},  {-2, 2, false}, {0, -2, false},
                 {3, 0, true},   {-3, 0, true},  {0, 3, true},   {2, -3, true},
                 {-1, 1, false}, {40, 40, true}, {-2, -2, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(Mouse::BeyondDragDistance(down, {down.x + c.dx, down.y + c.dy}), c.drag)
            << c.dx << "," << c.dy;
    }
}

TEST(MouseClassify, RectanglesHoldTheirLeftAndTopEdgesOnly) {
    const sys::RECT r{10, 20, 26, 36};
    struct Case {
        sys::POINT p;
        bool inside;
    } cases[] = {{{10, 20}, true}, {{25, 35}, true},  {{26, 20}, false}, {{10, 36}, false},
                 {{9, 25}, false}, {{17, 19}, false}, {{17, 28}, true},  {{26, 36}, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(Mouse::Contains(r, c.p), c.inside) << c.p.x << "," << c.p.y;
    }
    EXPECT_FALSE(Mouse::Contains(sys::RECT{}, sys::POINT{0, 0})) << "an empty rectangle";
}

TEST(MouseClassify, KeyFlagsGiveButtonsAndModifiers) {
    using namespace sys;
    struct Case {
        WPARAM keys;
        bool alt;
        std::int16_t buttons, shift;
    } cases[] = {{0, false, 0, 0},
                 {MK_LBUTTON, false, 1, 0},
                 {MK_RBUTTON | MK_SHIFT, false, 2, S},
                 {MK_MBUTTON | MK_CONTROL, true, 4, C | A},
                 {MK_LBUTTON | MK_RBUTTON | MK_MBUTTON, false, 7, 0},
                 {MK_SHIFT | MK_CONTROL, true, 0, S | C | A}};
    for (const Case& c : cases) {
        EXPECT_EQ(Mouse::ButtonsOf(c.keys), c.buttons) << c.keys;
        EXPECT_EQ(Mouse::ShiftOf(c.keys, c.alt), c.shift) << c.keys;
    }
}

TEST(MouseClassify, BeyondAnEdgeTheViewScrollsThatWay) {
    const sys::RECT area{2, 30, 400, 300};
    struct Case {
        sys::POINT p;
        EdgeScroll scroll;
    } cases[] = {{{2, 30}, {0, 0}},      {{399, 299}, {0, 0}}, {{1, 100}, {-1, 0}},
                 {{400, 100}, {1, 0}},   {{50, 29}, {0, -1}},  {{50, 300}, {0, 1}},
                 {{-40, -40}, {-1, -1}}, {{900, 900}, {1, 1}}};
    for (const Case& c : cases) {
        EXPECT_EQ(Mouse::EdgeScrollFor(area, c.p), c.scroll) << c.p.x << "," << c.p.y;
    }
}

}  // namespace
}  // namespace vexa
