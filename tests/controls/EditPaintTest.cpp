// Pixels read back: the parent's colour answer, the selection highlight with and without the
// focus, alignment and right-to-left reading, password characters and the caret.
#include "controls/EditTestSupport.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa::sys::testing {
namespace {

struct Ink {
    int left = 1 << 20;
    int right = -1;
    int count = 0;
};

// Pixels of the client area that differ from the background, with their horizontal extent.
Ink InkOf(HWND edit) {
    Ink ink;
    ink.count = EditTest::CountPixels(edit, [&ink](COLORREF pixel, int x) {
        if (pixel == GetSysColor(COLOR_WINDOW)) return false;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x + 1);
        return true;
    });
    return ink;
}

TEST_F(EditTest, TheParentsColourAnswerPaintsTheControl) {
    constexpr COLORREF kRed = RGB(255, 0, 0);
    constexpr COLORREF kBlue = RGB(0, 0, 255);
    constexpr COLORREF kYellow = RGB(255, 255, 0);
    const HBRUSH red = CreateSolidBrush(kRed);
    std::vector<UINT> asked;
    Log().handlers[WM_CTLCOLOREDIT] = [&](HWND, WPARAM hdc, LPARAM) {
        asked.push_back(WM_CTLCOLOREDIT);
        SetTextColor(HDC(hdc), kBlue);
        SetBkColor(HDC(hdc), kYellow);
        return LRESULT(red);
    };
    Log().handlers[WM_CTLCOLORSTATIC] = [&](HWND, WPARAM, LPARAM) {
        asked.push_back(WM_CTLCOLORSTATIC);
        return LRESULT(0);
    };
    // Full blocks give solid ink; the space between shows the text background.
    HWND edit = Edit(0, RECT{10, 10, 210, 34}, 0, "\u2588 \u2588");
    EXPECT_GT(PixelsOf(edit, kRed), 100);
    EXPECT_GT(PixelsOf(edit, kBlue), 10);
    EXPECT_GT(PixelsOf(edit, kYellow), 10);
    EXPECT_EQ(PixelsOf(edit, GetSysColor(COLOR_WINDOW)), 0);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), WM_CTLCOLOREDIT);
    SendMessage(edit, EM_SETREADONLY, 1, 0);
    PumpMessages();
    EXPECT_EQ(asked.back(), WM_CTLCOLORSTATIC);
    EXPECT_EQ(PixelsOf(edit, kRed), 0);
    EXPECT_GT(PixelsOf(edit, GetSysColor(COLOR_BTNFACE)), 100);
    DeleteObject(red);
}

TEST_F(EditTest, TheSelectionShowsWithTheFocusOrWithNoHideSel) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (UINT style : {0u, ES_NOHIDESEL}) {
        HWND edit = Edit(style, RECT{10, 10, 210, 34}, 0, "selected");
        SendMessage(edit, EM_SETSEL, 0, -1);
        PumpMessages();
        EXPECT_EQ(PixelsOf(edit, highlight) > 0, style == ES_NOHIDESEL);
        SetFocus(edit);
        PumpMessages();
        EXPECT_GT(PixelsOf(edit, highlight), 50);
        EXPECT_GT(PixelsOf(edit, GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);
        SetFocus(form_);
        PumpMessages();
        EXPECT_EQ(PixelsOf(edit, highlight) > 0, style == ES_NOHIDESEL);
        DestroyWindow(edit);
    }
}

TEST_F(EditTest, AlignmentAndRightToLeftReadingPlaceTheText) {
    enum class Side { Left, Centre, Right };
    struct {
        UINT style;
        UINT exStyle;
        const char* text;
        Side side;
    } cases[] = {
        {0, 0, "abc", Side::Left},
        {ES_CENTER, 0, "abc", Side::Centre},
        {ES_RIGHT, 0, "abc", Side::Right},
        {0, WS_EX_RTLREADING, "שלום", Side::Right},
        {ES_MULTILINE, WS_EX_RTLREADING, "abc!", Side::Right},
        {ES_MULTILINE | ES_CENTER, 0, "abc", Side::Centre},
    };
    for (const auto& c : cases) {
        HWND edit = Edit(c.style, RECT{10, 10, 210, 34}, c.exStyle, c.text);
        RECT client;
        GetClientRect(edit, &client);
        const Ink ink = InkOf(edit);
        ASSERT_GT(ink.count, 0);
        const bool placed = c.side == Side::Left ? ink.left < 3
                            : c.side == Side::Centre
                                ? std::abs((ink.left + ink.right - client.right) / 2) <= 3
                                : ink.right > client.right - 4 && ink.left > client.right / 2;
        EXPECT_TRUE(placed) << c.text << ": ink " << ink.left << ".." << ink.right << " of "
                            << client.right;
        DestroyWindow(edit);
    }
}

TEST_F(EditTest, APasswordShowsOnlyItsCharacter) {
    HWND password = Edit(ES_PASSWORD, RECT{10, 10, 210, 34}, 0, "abc");
    HWND stars = Edit(0, RECT{10, 50, 210, 74}, 0, "***");
    EXPECT_EQ(SendMessage(password, EM_GETPASSWORDCHAR, 0, 0), LRESULT('*'));
    const Ink a = InkOf(password);
    const Ink b = InkOf(stars);
    EXPECT_EQ(std::make_pair(a.left, a.right), std::make_pair(b.left, b.right));
    EXPECT_EQ(a.count, b.count);
    SendMessage(password, EM_SETPASSWORDCHAR, 0, 0);
    PumpMessages();
    EXPECT_NE(InkOf(password).count, b.count);
    EXPECT_EQ(GetWindowLongPtr(password, GWL_STYLE) & ES_PASSWORD, 0);
}

TEST_F(EditTest, TheCaretFollowsTheTextAndLeavesWithTheFocus) {
    HWND edit = FocusedEdit();
    POINT caret;
    Play("abc{LEFT}");
    ASSERT_TRUE(GetCaretPos(&caret));
    const LRESULT third = SendMessage(edit, EM_POSFROMCHAR, 2, 0);
    EXPECT_EQ(caret, (POINT{GET_X_LPARAM(third), GET_Y_LPARAM(third)}));
    EXPECT_TRUE(IsCaretDrawn());
    display().AdvanceClock(GetCaretBlinkTime());
    EXPECT_FALSE(IsCaretDrawn());
    SetFocus(form_);
    EXPECT_FALSE(GetCaretPos(&caret));
}

TEST_F(EditTest, ADisabledEditIsGreyed) {
    HWND edit = Edit(0, RECT{10, 10, 210, 34}, 0, "\u2588\u2588");  // full blocks: solid ink
    EnableWindow(edit, false);
    PumpMessages();
    EXPECT_EQ(PixelsOf(edit, GetSysColor(COLOR_WINDOWTEXT)), 0);
    EXPECT_GT(PixelsOf(edit, GetSysColor(COLOR_GRAYTEXT)), 10);
    EXPECT_GT(PixelsOf(edit, GetSysColor(COLOR_BTNFACE)), 100);
}

}  // namespace
}  // namespace vexa::sys::testing
