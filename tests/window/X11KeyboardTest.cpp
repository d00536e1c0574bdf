// The X keyboard on a real server (skipped without DISPLAY): characters from the input method
// in any layout, virtual keys of the active layout, auto-repeat, and the modifier state while
// the keyboard focus moves.
#include <algorithm>
#include <vector>

#include "X11TestFixture.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/XKBlib.h>

namespace vexa::sys::testing {
namespace {

std::vector<int> KeysDown(HWND hwnd) {
    const std::vector<WPARAM> keys = Log().WParams(WM_KEYDOWN, hwnd);
    return std::vector<int>(keys.begin(), keys.end());
}

// Whether the program got a key-down or key-up (system ones included) of the key.
bool KeyHeard(int virtualKey) {
    return std::any_of(Log().messages.begin(), Log().messages.end(), [&](const Received& r) {
        const bool keyMessage = r.msg == WM_KEYDOWN || r.msg == WM_KEYUP ||
                                r.msg == WM_SYSKEYDOWN || r.msg == WM_SYSKEYUP;
        return keyMessage && r.wParam == WPARAM(virtualKey);
    });
}

class X11KeyboardTest : public X11Test {
  protected:
    void TearDown() override {
        // Whatever failed, the server's keyboard is left as the other tests expect it.
        if (x11 != nullptr) std::system("xdotool keyup shift ctrl alt a; setxkbmap us");
        X11Test::TearDown();
    }
};

TEST_F(X11KeyboardTest, CharactersOfAnyScriptArriveWhole) {
    HWND hwnd = FocusedWindow();
    const std::u32string text = U"êß中😀";
    ASSERT_TRUE(RunUntil("xdotool type --delay 40 'êß中😀'",
                         [&] { return Log().Chars(hwnd).size() >= text.size(); }));
    EXPECT_EQ(Log().Chars(hwnd), text);
}

TEST_F(X11KeyboardTest, KeysFollowTheActiveLayoutAndItsDeadKeys) {
    if (std::system("command -v setxkbmap > /dev/null") != 0) GTEST_SKIP() << "no setxkbmap";
    HWND hwnd = FocusedWindow();
    // Keys by number are places on the keyboard: 24 is where a US keyboard has Q.
    const struct {
        const char* layout;
        const char* keys;
        std::vector<int> keysDown;
        std::u32string typed;
    } cases[] = {
        {"us", "24", {'Q'}, U"q"},
        {"fr", "24", {'A'}, U"a"},
        {"fr", "11 shift+11", {'2', VK_SHIFT, '2'}, U"é2"},
        {"fr", "ctrl+24", {VK_CONTROL, 'A'}, U"\x01"},
        {"fr", "dead_circumflex 26", {}, U"ê"},
        {"de", "29 20", {'Z'}, U"zß"},
        {"de", "ISO_Level3_Shift+26", {VK_CONTROL, VK_MENU, 'E'}, U"€"},
        {"ru", "38", {'A'}, U"ф"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.layout) + ": " + c.keys);
        ASSERT_TRUE(Run(std::string("setxkbmap ") + c.layout));
        Log().Clear();
        ASSERT_TRUE(RunUntil(std::string("xdotool key ") + c.keys,
                             [&] { return Log().Chars(hwnd).size() >= c.typed.size(); }));
        EXPECT_EQ(KeysDown(hwnd), c.keysDown);
        EXPECT_EQ(Log().Chars(hwnd), c.typed);
        EXPECT_TRUE(Log().Of(WM_SYSCHAR).empty());
    }
}

TEST_F(X11KeyboardTest, AHeldKeyRepeatsAsKeyDownsMarkedAsAlreadyDown) {
    HWND hwnd = FocusedWindow();
    unsigned int delay = 0, interval = 0;
    XkbGetAutoRepeatRate(Connection(), XkbUseCoreKbd, &delay, &interval);
    XkbSetAutoRepeatRate(Connection(), XkbUseCoreKbd, 100, 20);
    const bool repeated = RunUntil("xdotool keydown a", [&] { return KeysDown(hwnd).size() >= 4; });
    const bool released = RunUntil("xdotool keyup a", [] { return !Log().Of(WM_KEYUP).empty(); });
    XkbSetAutoRepeatRate(Connection(), XkbUseCoreKbd, delay, interval);
    ASSERT_TRUE(repeated && released);
    const auto downs = Log().Of(WM_KEYDOWN, hwnd);
    constexpr LPARAM kWasDown = LPARAM(1) << 30;
    EXPECT_EQ(downs[0].lParam & kWasDown, 0);
    for (std::size_t i = 1; i < downs.size(); ++i) EXPECT_EQ(downs[i].lParam & kWasDown, kWasDown);
    EXPECT_EQ(Log().Of(WM_KEYUP).size(), 1u);
    EXPECT_EQ(Log().Sequence({WM_KEYDOWN, WM_KEYUP}).back(), WM_KEYUP);
    EXPECT_EQ(Log().Chars(hwnd), std::u32string(downs.size(), U'a'));
}

TEST_F(X11KeyboardTest, ModifierStateFollowsKeysHeldWhileTheFocusMoves) {
    const unsigned long first = x11->NativeWindow(FocusedWindow());
    const unsigned long second = x11->NativeWindow(FocusedWindow(350, 120));
    // Where the X focus is (0: nowhere in the program), what the key does there (empty: the
    // focus only moves), then whether the key is down for the program and whether it heard.
    const struct {
        unsigned long focus;
        const char* action;
        bool down;
        bool heard;
    } steps[] = {
        {first, "keydown", true, true}, {second, "keyup", false, true},  // another window
        {first, "keydown", true, true}, {0, "keyup", true, false},       // released unheard...
        {first, "", false, false},                                       // ...up once back
        {0, "keydown", false, false},   {first, "", true, false},        // pressed unheard
        {first, "keyup", false, true},
    };
    const std::pair<const char*, int> modifiers[] = {
        {"shift", VK_SHIFT}, {"ctrl", VK_CONTROL}, {"alt", VK_MENU}};
    for (const auto& [key, virtualKey] : modifiers) {
        for (std::size_t i = 0; i < std::size(steps); ++i) {
            SCOPED_TRACE(std::string(key) + " step " + std::to_string(i));
            GiveXFocus(steps[i].focus);
            Log().Clear();
            const std::string action = steps[i].action;
            ASSERT_TRUE(Run(action.empty() ? "true" : "xdotool " + action + " " + key));
            EXPECT_EQ(GetKeyState(virtualKey) < 0, steps[i].down);
            EXPECT_EQ(KeyHeard(virtualKey), steps[i].heard);
        }
    }
}

}  // namespace
}  // namespace vexa::sys::testing
