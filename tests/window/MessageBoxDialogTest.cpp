// Message boxes shown as windows: answered by keys, clicks and the close button through the
// real input path, modal over their owner, drawn with their icon and text, and never left
// hanging when nobody can answer.
#include <functional>

#include "WindowTestSupport.h"
#include "vexa/system/window/MessageBoxDialog.h"
#include "vexa/system/window/Messages.h"

namespace vexa::sys::testing {
namespace {

// What the user does once the box is up: run from a timer inside the box's own loop.
std::function<void(HWND box)>& UserAction() {
    static std::function<void(HWND)> action;
    return action;
}

HWND ShownMessageBox() {
    const HWND active = GetActiveWindow();
    return GetClassName(active) == kMessageBoxClassName ? active : 0;
}

void ActWhenShown(HWND, UINT, std::uintptr_t id, DWORD) {
    KillTimer(0, id);
    const HWND box = ShownMessageBox();
    ASSERT_NE(box, 0u) << "no message box is active";
    UserAction()(box);
}

// The focused button.
RECT HighlightedButton(HWND box) {
    return BoundsOfColour(box, GetSysColor(COLOR_HIGHLIGHT));
}

POINT ScreenCentre(HWND box, const RECT& clientRect) {
    POINT p{(clientRect.left + clientRect.right) / 2, (clientRect.top + clientRect.bottom) / 2};
    ClientToScreen(box, &p);
    return p;
}

class MessageBoxDialogTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        display().ShowMessageBoxWindows(true);
    }
    void TearDown() override {
        display().ShowMessageBoxWindows(false);
        UserAction() = nullptr;
        WindowTest::TearDown();
    }

    int Ask(UINT type, std::function<void(HWND)> action, HWND owner = 0,
            const std::string& text = "Save the changes?") {
        UserAction() = std::move(action);
        SetTimer(0, 0, 50, &ActWhenShown);
        return MessageBox(owner, text, "Vexa", type);
    }

    static void Keys(std::initializer_list<int> keys) {
        for (int key : keys) HeadlessDisplay::Instance().KeyPress(key);
    }
};

TEST_F(MessageBoxDialogTest, KeysChooseTheButtonsAsInClassicBoxes) {
    constexpr int kShiftTab = -1;  // Tab with Shift held
    struct Case {
        const char* what;
        UINT type;
        std::vector<int> keys;  // pressed in order
        const char* typed;      // then typed
        int expected;
    };
    auto& d = display();
    const Case cases[] = {
        {"Enter on an OK box", MB_OK, {VK_RETURN}, "", IDOK},
        {"Escape on an OK box", MB_OK, {VK_ESCAPE}, "", IDOK},
        {"Escape means Cancel", MB_OKCANCEL, {VK_ESCAPE}, "", IDCANCEL},
        {"Enter takes the second default", MB_YESNOCANCEL | MB_DEFBUTTON2, {VK_RETURN}, "", IDNO},
        {"a default past the buttons is the last", MB_YESNO | MB_DEFBUTTON3, {VK_RETURN}, "", IDNO},
        {"Tab moves the focus right", MB_YESNOCANCEL, {VK_TAB, VK_TAB, VK_SPACE}, "", IDCANCEL},
        {"Shift+Tab wraps to the last", MB_YESNO, {kShiftTab, VK_RETURN}, "", IDNO},
        {"arrows move the focus", MB_ABORTRETRYIGNORE, {VK_LEFT, VK_RETURN}, "", IDIGNORE},
        {"Escape is ignored without Cancel", MB_YESNO, {VK_ESCAPE}, "n", IDNO},
        {"an underlined letter chooses", MB_ABORTRETRYIGNORE, {}, "R", IDRETRY},
        {"Continue's letter, not Cancel's", MB_CANCELTRYCONTINUE, {}, "c", IDCONTINUE},
    };
    for (const Case& c : cases) {
        const int answer = Ask(c.type, [&](HWND) {
            for (int key : c.keys) {
                if (key == kShiftTab) d.KeyDown(VK_SHIFT);
                d.KeyPress(key == kShiftTab ? VK_TAB : key);
                if (key == kShiftTab) d.KeyUp(VK_SHIFT);
            }
            d.TypeText(c.typed);
        });
        EXPECT_EQ(answer, c.expected) << c.what;
        EXPECT_EQ(ShownMessageBox(), 0u) << c.what << ": the box is gone";
    }
    ASSERT_EQ(d.MessageBoxCalls().size(), std::size(cases));
    EXPECT_EQ(d.MessageBoxCalls().back().answer, IDCONTINUE);
    EXPECT_EQ(d.MessageBoxCalls().back().caption, "Vexa");
}

TEST_F(MessageBoxDialogTest, AClickAnswersOnlyWhenReleasedOverTheSameButton) {
    bool stillUpAfterDraggingOff = false;
    const int answer = Ask(MB_OKCANCEL | MB_DEFBUTTON2, [&](HWND box) {
        const RECT cancel = HighlightedButton(box);
        ASSERT_GT(cancel.right, cancel.left) << "the default button is highlighted";
        const POINT centre = ScreenCentre(box, cancel);
        // Pressed on Cancel, released beside it: nothing is chosen.
        display().Drag(centre.x, centre.y, centre.x, centre.y + 200);
        stillUpAfterDraggingOff = ShownMessageBox() == box;
        // Tab to OK, whose frame then carries the highlight, and click it.
        display().KeyPress(VK_TAB);
        const RECT ok = HighlightedButton(box);
        EXPECT_LT(ok.right, cancel.left) << "OK stands left of Cancel";
        const POINT okCentre = ScreenCentre(box, ok);
        display().Click(okCentre.x, okCentre.y);
    });
    EXPECT_TRUE(stillUpAfterDraggingOff);
    EXPECT_EQ(answer, IDOK);
}

TEST_F(MessageBoxDialogTest, TheCloseButtonCancelsOrIsIgnored) {
    EXPECT_EQ(Ask(MB_RETRYCANCEL, [](HWND box) { SendMessage(box, WM_CLOSE); }), IDCANCEL);
    EXPECT_EQ(Ask(MB_YESNO,
                  [](HWND box) {
                      SendMessage(box, WM_CLOSE);
                      EXPECT_TRUE(IsWindow(box)) << "a Yes/No box cannot be closed";
                      Keys({VK_RETURN});
                  }),
              IDYES);
}

TEST_F(MessageBoxDialogTest, TheOwnerIsDisabledAndGetsNoInputWhileTheBoxIsUp) {
    const HWND owner = TopLevel(300, 200, 800, 600, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND child = Child(owner, 10, 10, 100, 100);
    SetFocus(child);
    bool ownerEnabledDuringBox = true;
    RECT boxRect{};
    const int answer = Ask(
        MB_OK,
        [&](HWND box) {
            ownerEnabledDuringBox = IsWindowEnabled(owner);
            GetWindowRect(box, &boxRect);
            Log().Clear();
            display().Click(320, 220);  // on the owner's child, outside the box
            EXPECT_TRUE(Log().Of(WM_LBUTTONDOWN).empty());
            Keys({VK_RETURN});
        },
        child);
    EXPECT_EQ(answer, IDOK);
    EXPECT_FALSE(ownerEnabledDuringBox);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    // Centred on the owner.
    EXPECT_NEAR((boxRect.left + boxRect.right) / 2, 300 + 400, 1);
    EXPECT_NEAR((boxRect.top + boxRect.bottom) / 2, 200 + 300, 1);
}

TEST_F(MessageBoxDialogTest, ABoxNobodyCanAnswerEndsWithItsDefaultButton) {
    // No timer, no input: nothing can ever arrive.
    EXPECT_EQ(MessageBox(0, "Anyone?", "Vexa", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(ShownMessageBox(), 0u);

    // The owner goes away and takes its box with it.
    const HWND owner = TopLevel(0, 0, 400, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(Ask(
                  MB_OKCANCEL, [owner](HWND) { DestroyWindow(owner); }, owner),
              IDOK);
    EXPECT_FALSE(IsWindow(owner));

    // The program quits: the box ends and the quit message stays for the program's loop.
    EXPECT_EQ(Ask(MB_RETRYCANCEL, [](HWND) { PostQuitMessage(3); }), IDRETRY);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageBoxDialogTest, TheBoxShowsItsIconAndWrapsLongText) {
    auto countPixels = [](HWND box, auto predicate) {
        RECT client;
        GetClientRect(box, &client);
        int count = 0;
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                if (predicate(HeadlessDisplay::Instance().WindowPixel(box, x, y))) ++count;
            }
        }
        return count;
    };
    auto reddish = [](COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 90; };
    auto dark = [](COLORREF c) {
        return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
    };

    int redWithIcon = 0, redWithout = 0, darkText = 0;
    RECT shortBox{}, longBox{};
    Ask(MB_OK | MB_ICONERROR, [&](HWND box) {
        redWithIcon = countPixels(box, reddish);
        darkText = countPixels(box, dark);
        GetWindowRect(box, &shortBox);
        Keys({VK_RETURN});
    });
    const std::string longText(2000, 'x');
    Ask(
        MB_OK,
        [&](HWND box) {
            redWithout = countPixels(box, reddish);
            GetWindowRect(box, &longBox);
            Keys({VK_RETURN});
        },
        0, longText);
    EXPECT_GT(redWithIcon, 300) << "the error icon is a red disc";
    EXPECT_EQ(redWithout, 0);
    EXPECT_GT(darkText, 50) << "the text is drawn";
    EXPECT_GT(longBox.Height(), shortBox.Height() * 2) << "long text wraps onto many lines";
    EXPECT_LE(longBox.Width(), GetSystemMetrics(SM_CXSCREEN));
}

}  // namespace
}  // namespace vexa::sys::testing
