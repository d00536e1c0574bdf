// The caret, the clipboard, sibling navigation and cancelling modes.
#include "vexa/system/window/Caret.h"
#include "vexa/system/window/Clipboard.h"
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using CaretClipboardTest = WindowTest;

TEST_F(CaretClipboardTest, TheCaretInvertsItsRectangleAndBlinksWithTheClock) {
    HWND top = TopLevel(0, 0, 100, 100);
    ASSERT_TRUE(CreateCaret(top, 0, 2, 10));
    ASSERT_TRUE(SetCaretPos(20, 30));
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(display().ScreenPixel(20, 30), background);  // created hidden
    ASSERT_TRUE(ShowCaret(top));
    EXPECT_EQ(display().ScreenPixel(20, 30), RGB(0, 0, 0));
    EXPECT_EQ(display().ScreenPixel(21, 39), RGB(0, 0, 0));
    EXPECT_EQ(display().ScreenPixel(22, 30), background);
    display().AdvanceClock(GetCaretBlinkTime());
    EXPECT_FALSE(IsCaretDrawn());
    EXPECT_EQ(display().ScreenPixel(20, 30), background);
    display().AdvanceClock(GetCaretBlinkTime());
    EXPECT_TRUE(IsCaretDrawn());
    POINT p;
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p, (POINT{20, 30}));
}

TEST_F(CaretClipboardTest, HidingNestsAndPaintingDoesNotLeaveCaretTraces) {
    HWND top = TopLevel(0, 0, 100, 100);
    CreateCaret(top, 0, 2, 10);
    ShowCaret(top);
    HideCaret(top);
    HideCaret(0);
    ShowCaret(top);
    EXPECT_FALSE(IsCaretDrawn());
    ShowCaret(top);
    EXPECT_TRUE(IsCaretDrawn());
    InvalidateRect(top, nullptr, true);
    PumpMessages();
    EXPECT_TRUE(IsCaretDrawn());
    EXPECT_EQ(display().ScreenPixel(0, 0), RGB(0, 0, 0));
    SetCaretPos(50, 50);
    EXPECT_EQ(display().ScreenPixel(0, 0), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(display().ScreenPixel(50, 50), RGB(0, 0, 0));
    DestroyWindow(top);
    EXPECT_FALSE(SetCaretPos(1, 1));  // the caret went with its window
    EXPECT_FALSE(DestroyCaret());
}

TEST_F(CaretClipboardTest, TheClipboardHoldsTextWhileOpenedForWritingApartFromThePrimary) {
    ASSERT_TRUE(OpenClipboard(0));
    EXPECT_FALSE(OpenClipboard(0));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_TRUE(SetClipboardText("Zeile 1\nZeile 2"));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardText(), std::optional<std::string>("Zeile 1\nZeile 2"));
    EXPECT_FALSE(SetClipboardText("not open"));
    EXPECT_EQ(GetClipboardText(), std::optional<std::string>("Zeile 1\nZeile 2"));
    // The primary selection is kept apart from the clipboard.
    EXPECT_TRUE(SetPrimarySelectionText("selected"));  // no opening needed
    EXPECT_EQ(GetPrimarySelectionText(), std::optional<std::string>("selected"));
    EXPECT_EQ(GetClipboardText(), std::optional<std::string>("Zeile 1\nZeile 2"));
    ASSERT_TRUE(OpenClipboard(0));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(CloseClipboard());
    EXPECT_FALSE(GetClipboardText().has_value());
    EXPECT_EQ(GetPrimarySelectionText(), std::optional<std::string>("selected"));
}

TEST_F(CaretClipboardTest, GetWindowWalksSiblingsFromTheTopAndDisablingCancelsTheCapture) {
    HWND top = TopLevel(0, 0, 100, 100);
    HWND a = Child(top, 0, 0, 10, 10);
    HWND b = Child(top, 0, 0, 10, 10);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), 0u);
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(a, GW_HWNDFIRST), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), a);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(HWND(0xBAD), GW_CHILD), 0u);
    // Disabling a window cancels its mode and capture.
    SetCapture(a);
    Log().Clear();
    EnableWindow(a, false);
    EXPECT_EQ(Log().Sequence({WM_CANCELMODE, WM_CAPTURECHANGED, WM_ENABLE}),
              (std::vector<UINT>{WM_CANCELMODE, WM_CAPTURECHANGED, WM_ENABLE}));
    EXPECT_EQ(GetCapture(), 0u);
}

}  // namespace
}  // namespace vexa::sys::testing
