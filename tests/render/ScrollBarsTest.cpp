// Setting a bar's maximum and page together leaves the bar, the window's messages and the
// painted bar exactly as setting the maximum and then the page one after the other does.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "vexa/render/ScrollBars.h"
#include "vexa/system/controls/WindowScrollBars.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {
namespace {

struct NoHost : ScrollBarsHost {
    void ScrollBarDidChange(EScrollBar, std::int32_t) override {}
    void ScrollBarDidThumbTrack(EScrollBar, std::int32_t) override {}
    void ScrollBarDidEndScroll(EScrollBar) override {}
};

// Each message with the bar's maximum and page as the window saw them then.
struct Seen {
    sys::UINT msg;
    int max;
    sys::UINT page;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen>& Received() {
    static std::vector<Seen> messages;
    return messages;
}

sys::LRESULT RecordingProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam, sys::LPARAM lParam) {
    sys::SCROLLINFO info;
    info.fMask = sys::SIF_RANGE | sys::SIF_PAGE;
    if (!sys::GetScrollInfo(hwnd, sys::SB_VERT, &info)) info = sys::SCROLLINFO{};
    Received().push_back(Seen{msg, info.nMax, info.nPage});
    return sys::DefWindowProc(hwnd, msg, wParam, lParam);
}

// A bar before the change, and the maximum and page asked for.
struct Change {
    int min, max, page, pos;
    bool shown;
    std::int32_t value, newPage;
};

struct Outcome {
    sys::SCROLLINFO info;
    int returnedPosition = 0;
    bool shown;
    std::vector<Seen> messages;
    std::vector<sys::COLORREF> barPixels;
};

constexpr int kWidth = 120, kHeight = 100;

Outcome Apply(const Change& change, bool together) {
    sys::DestroyAllWindowsForTesting();
    sys::WNDCLASS cls;
    cls.lpfnWndProc = &RecordingProc;
    cls.lpszClassName = "VexaScrollBarsTest";
    sys::RegisterClass(cls);  // a second registration fails harmlessly
    const sys::UINT style = sys::WS_POPUP | sys::WS_VISIBLE | (change.shown ? sys::WS_VSCROLL : 0);
    const sys::HWND window =
        sys::CreateWindowEx(0, "VexaScrollBarsTest", "", style, 0, 0, kWidth, kHeight);
    NoHost host;
    cScrollBars bars(host);
    bars.Create(window);
    sys::SCROLLINFO start;
    start.fMask = sys::SIF_ALL;
    start.nMin = change.min;
    start.nMax = change.max;
    start.nPage = sys::UINT(change.page);
    start.nPos = change.pos;
    sys::SetScrollInfo(window, sys::SB_VERT, &start, true);
    if (!change.shown) sys::ShowScrollBar(window, sys::SB_VERT, false);

    Received().clear();
    Outcome outcome;
    if (together) {
        outcome.returnedPosition =
            bars.SetMaxAndLargeChange(vxScrollBarV, change.value, change.newPage);
    } else {
        bars.SetMax(vxScrollBarV, change.value);
        bars.SetLargeChange(vxScrollBarV, change.newPage);
        outcome.returnedPosition = bars.Value(vxScrollBarV);
    }
    outcome.info.fMask = sys::SIF_ALL;
    sys::GetScrollInfo(window, sys::SB_VERT, &outcome.info);
    outcome.shown = (sys::GetWindowLongPtr(window, sys::GWL_STYLE) & sys::WS_VSCROLL) != 0;
    outcome.messages = Received();
    for (int y = 0; y < kHeight; ++y) {
        outcome.barPixels.push_back(
            sys::HeadlessDisplay::Instance().WindowPixel(window, kWidth - 8, y));
    }
    return outcome;
}

void ExpectSameBar(const Change& change) {
    const Outcome reference = Apply(change, false);
    const Outcome together = Apply(change, true);
    SCOPED_TRACE(testing::Message()
                 << "min " << change.min << " max " << change.max << " page " << change.page
                 << " pos " << change.pos << " shown " << change.shown << " -> value "
                 << change.value << " page " << change.newPage);
    EXPECT_EQ(together.info.nMin, reference.info.nMin);
    EXPECT_EQ(together.info.nMax, reference.info.nMax);
    EXPECT_EQ(together.info.nPage, reference.info.nPage);
    EXPECT_EQ(together.info.nPos, reference.info.nPos);
    EXPECT_EQ(together.returnedPosition, reference.info.nPos);
    EXPECT_EQ(together.shown, reference.shown);
    EXPECT_EQ(together.messages, reference.messages);
    EXPECT_EQ(together.barPixels, reference.barPixels);
}

TEST(ScrollBarsTest, MaximumAndPageTogetherGiveTheBarOfTheTwoWrites) {
    const Change edges[] = {
        {0, 120, 20, 50, true, 150, 25},   // a row added: both grow
        {0, 120, 20, 50, true, 150, 20},   // the page stays
        {0, 500, 30, 400, true, 100, 40},  // the position must follow the shorter range
        {0, 100, 0, 100, true, 90, 10},    // no page before
        {0, 100, 10, 50, true, 80, 0},     // no page after
        {5, 100, 10, 20, true, 3, 10},     // the maximum below the minimum
        {0, 100, 10, 0, false, 200, 30},   // a hidden bar is shown
        {0, 100, 10, 0, true, 0, 10},      // nothing left to scroll
    };
    for (const Change& change : edges) ExpectSameBar(change);

    std::mt19937 random(20);
    std::uniform_int_distribution<int> small(-5, 300);
    for (int i = 0; i < 60; ++i) {
        const int min = small(random) / 10;
        ExpectSameBar(Change{min, min + small(random), small(random) / 4, small(random),
                             random() % 4 != 0, small(random), small(random) / 4});
    }
}

}  // namespace
}  // namespace vexa
