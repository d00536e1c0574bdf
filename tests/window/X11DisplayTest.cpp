// End-to-end tests on a real X server (skipped without DISPLAY): windows appear on the X
// screen with their pixels, input made with xdotool reaches the window procedures as the
// classic messages, and the window manager's requests come back as window calls.
#include <chrono>
#include <cstdlib>
#include <future>
#include <string>

#include "X11TestFixture.h"
#include "vexa/system/window/MessageBoxDialog.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vexa::sys::testing {
namespace {

constexpr int kLeft = 100;
constexpr int kTop = 120;
constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr int kMaxWaits = 200;  // 20 ms each: a generous bound, normally one or two suffice

class X11DisplayTest : public X11Test {
  protected:
    // A shown popup (placed exactly where asked, no manager frame), painted and on screen.
    HWND ShownWindow() { return FocusedWindow(kLeft, kTop); }

    template <typename Done>
    bool RunXdotool(const std::string& arguments, Done done) {
        return RunUntil("xdotool " + arguments, done);
    }

    static void PaintSolid(HWND hwnd, double r, double g, double b) {
        const WindowSurface surface = GetWindowSurface(hwnd, true);
        cairo_t* cr = cairo_create(surface.surface);
        cairo_set_source_rgb(cr, r, g, b);
        cairo_paint(cr);
        cairo_destroy(cr);
        MarkSurfaceDirty(hwnd, RECT{0, 0, kWidth, kHeight});
        FlushSurfaces();
    }

    // The pixel at a screen point as the X server has it, 0xRRGGBB.
    unsigned long ScreenPixel(int x, int y) {
        x11->Sync();
        XImage* image = XGetImage(Connection(), DefaultRootWindow(Connection()), x, y, 1, 1,
                                  AllPlanes, ZPixmap);
        if (image == nullptr) return ~0ul;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }
};

TEST_F(X11DisplayTest, PresentedBackBufferIsOnTheScreenAndShownAgainWhenExposed) {
    HWND hwnd = ShownWindow();
    PaintSolid(hwnd, 1.0, 0.0, 0.0);
    EXPECT_EQ(ScreenPixel(kLeft + 10, kTop + 10), 0xFF0000ul);
    EXPECT_EQ(ScreenPixel(kLeft + kWidth - 1, kTop + kHeight - 1), 0xFF0000ul);
    PaintSolid(hwnd, 0.0, 0.0, 1.0);
    EXPECT_EQ(ScreenPixel(kLeft + kWidth / 2, kTop + kHeight / 2), 0x0000FFul);
    // Clearing the X window loses its pixels; the expose it raises brings them back.
    XClearArea(x11->Connection(), x11->NativeWindow(hwnd), 0, 0, 0, 0, True);
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(kLeft + 5, kTop + 5) == 0x0000FFul; }));
}

TEST_F(X11DisplayTest, ClicksArriveWithClientCoordinatesAndWheelNotchesAsWheelMessages) {
    HWND hwnd = ShownWindow();
    Log().Clear();
    ASSERT_TRUE(RunXdotool("mousemove --sync 150 150 click 1 click 3 click 4 click 5",
                           [] { return Log().Of(WM_MOUSEWHEEL).size() == 2; }));
    EXPECT_EQ(Log().Points(WM_LBUTTONDOWN, hwnd), (std::vector<POINT>{{150 - kLeft, 150 - kTop}}));
    EXPECT_EQ(Log().Sequence({WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 150);
    EXPECT_EQ(cursor.y, 150);
    EXPECT_EQ(Log().Of(WM_RBUTTONDOWN, hwnd).size(), 1u);
    EXPECT_EQ(Log().Of(WM_RBUTTONUP, hwnd).size(), 1u);
    const auto wheels = Log().Of(WM_MOUSEWHEEL);
    EXPECT_EQ(std::int16_t(HIWORD(wheels[0].wParam)), 120);
    EXPECT_EQ(std::int16_t(HIWORD(wheels[1].wParam)), -120);
    EXPECT_EQ(Log().Of(WM_LBUTTONDOWN).size(), 1u);  // wheel notches are no button presses
}

TEST_F(X11DisplayTest, KeysBecomeKeyAndCharacterMessages) {
    HWND hwnd = ShownWindow();
    Log().Clear();
    ASSERT_TRUE(RunXdotool("key --clearmodifiers a shift+b Return", [] {
        return !Log().Of(WM_KEYUP).empty() && Log().Of(WM_KEYUP).back().wParam == WPARAM(VK_RETURN);
    }));
    EXPECT_EQ(Log().Chars(hwnd), U"aB\r");
    std::vector<WPARAM> downs = Log().WParams(WM_KEYDOWN, hwnd);
    ASSERT_GE(downs.size(), 4u);
    downs.resize(4);
    EXPECT_EQ(downs, (std::vector<WPARAM>{'A', VK_SHIFT, 'B', VK_RETURN}));
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // released again
}

TEST_F(X11DisplayTest, CloseRequestOfTheManagerBecomesWmClose) {
    HWND hwnd = ShownWindow();
    Log().handlers[WM_CLOSE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return 0; };  // keep it
    ::Display* connection = x11->Connection();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = x11->NativeWindow(hwnd);
    event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(connection, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(connection, event.xclient.window, False, NoEventMask, &event);
    EXPECT_TRUE(PumpUntil([&] { return !Log().Of(WM_CLOSE, hwnd).empty(); }));
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(X11DisplayTest, WindowDestroyedByAnotherClientIsDestroyed) {
    HWND hwnd = ShownWindow();
    const std::string id = std::to_string(x11->NativeWindow(hwnd));
    ASSERT_TRUE(RunXdotool("windowclose " + id, [&] { return !IsWindow(hwnd); }));
    EXPECT_EQ(Log().Of(WM_DESTROY, hwnd).size(), 1u);
    EXPECT_EQ(x11->NativeWindow(hwnd), 0ul);
}

TEST_F(X11DisplayTest, RequestsOnAWindowDestroyedOutsideDoNotEndTheProgram) {
    HWND hwnd = ShownWindow();
    const std::string command = "xdotool windowclose " + std::to_string(x11->NativeWindow(hwnd));
    ASSERT_EQ(std::system(command.c_str()), 0);
    // The program has not heard of it yet and keeps using its window.
    MoveWindow(hwnd, 10, 10, 120, 80);
    SetWindowText(hwnd, "still here");
    PaintSolid(hwnd, 0, 0, 1);
    XSync(x11->Connection(), False);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }));
    EXPECT_EQ(Log().Of(WM_DESTROY, hwnd).size(), 1u);
}

TEST_F(X11DisplayTest, ProgramMovesAreMirroredOnTheServerAndOutsideOnesReachTheWindow) {
    HWND hwnd = ShownWindow();
    MoveWindow(hwnd, 220, 230, 120, 90);
    PumpMessages();
    x11->Sync();
    XWindowAttributes attributes;
    XGetWindowAttributes(x11->Connection(), x11->NativeWindow(hwnd), &attributes);
    EXPECT_EQ((RECT{attributes.x, attributes.y, attributes.x + attributes.width,
                    attributes.y + attributes.height}),
              (RECT{220, 230, 340, 320}));
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect, (RECT{220, 230, 340, 320}));  // the echo of the server changes nothing
    Log().Clear();
    const std::string id = std::to_string(x11->NativeWindow(hwnd));
    ASSERT_TRUE(RunXdotool("windowsize " + id + " 260 180 windowmove " + id + " 300 310", [&] {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        return rect.left == 300 && rect.right - rect.left == 260;
    }));
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect, (RECT{300, 310, 560, 490}));
    const auto sizes = Log().Points(WM_SIZE, hwnd);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), (POINT{260, 180}));
}

TEST_F(X11DisplayTest, TimersFireOnTheRealClockInsideTheLoop) {
    HWND hwnd = ShownWindow();
    Log().Clear();
    const std::uint64_t start = GetTickCount();
    SetTimer(hwnd, 7, 30);
    MSG msg;
    while (Log().Of(WM_TIMER).empty() && GetMessage(&msg) > 0) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    KillTimer(hwnd, 7);
    ASSERT_EQ(Log().Of(WM_TIMER).size(), 1u);
    EXPECT_EQ(Log().Of(WM_TIMER)[0].wParam, WPARAM(7));
    EXPECT_GE(GetTickCount() - start, 30u);
}

// The message box test's user: once the box is up and mapped, clicks its focused button (the
// one framed in the highlight colour) with xdotool.
X11Display* boxDisplay = nullptr;

// Waits until the server shows the active message box and returns it.
HWND MappedMessageBox() {
    const HWND box = GetActiveWindow();
    if (GetClassName(box) != kMessageBoxClassName) return 0;
    for (int i = 0; i < kMaxWaits; ++i) {
        XWindowAttributes attributes;
        XGetWindowAttributes(boxDisplay->Connection(), boxDisplay->NativeWindow(box), &attributes);
        if (attributes.map_state == IsViewable) break;
        boxDisplay->PumpEvents(20);
    }
    boxDisplay->Sync();
    PumpMessages();  // painted
    return box;
}

// Runs xdotool while the program goes on reading what the server sends, so that neither
// waits for the other.
void RunXdotool(const std::string& arguments) {
    auto finished = std::async(
        std::launch::async, [arguments] { return std::system(("xdotool " + arguments).c_str()); });
    while (finished.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        boxDisplay->PumpEvents(20);
    }
    ASSERT_EQ(finished.get(), 0);
}

void ClickFocusedButton(HWND, UINT, std::uintptr_t id, DWORD) {
    KillTimer(0, id);
    const HWND box = MappedMessageBox();
    ASSERT_NE(box, 0u);
    const RECT button = BoundsOfColour(box, GetSysColor(COLOR_HIGHLIGHT));
    ASSERT_GT(button.right, button.left);
    POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ClientToScreen(box, &centre);
    RunXdotool("mousemove " + std::to_string(centre.x) + " " + std::to_string(centre.y) +
               " click 1");
}

void TabToTheSecondButtonAndPressEnter(HWND, UINT, std::uintptr_t id, DWORD) {
    KillTimer(0, id);
    const HWND box = MappedMessageBox();
    ASSERT_NE(box, 0u);
    // The keyboard is the box's without the pointer over it: move the pointer away.
    RunXdotool("mousemove 0 0");
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(boxDisplay->Connection(), &focus, &revert);
    EXPECT_EQ(focus, boxDisplay->NativeWindow(box)) << "the box has the X input focus";
    RunXdotool("key --clearmodifiers Tab Return");
}

// Ends a box nobody answered, so that a failing test fails instead of hanging: the box
// then answers its default button.
void GiveUp(HWND, UINT, std::uintptr_t id, DWORD) {
    KillTimer(0, id);
    const HWND box = GetActiveWindow();
    if (GetClassName(box) == kMessageBoxClassName) DestroyWindow(box);
}

TEST_F(X11DisplayTest, MessageBoxIsARealWindowAnsweredByAClick) {
    boxDisplay = x11;
    SetTimer(0, 0, 10, &ClickFocusedButton);
    const std::uintptr_t guard = SetTimer(0, 0, 10000, &GiveUp);
    const int answer =
        MessageBox(0, "Delete the row?", "Vexa", MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2);
    KillTimer(0, guard);
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_NE(GetClassName(GetActiveWindow()), kMessageBoxClassName);
}

TEST_F(X11DisplayTest, MessageBoxTakesTheKeyboardWhenItOpens) {
    HWND owner = ShownWindow();
    boxDisplay = x11;
    SetTimer(0, 0, 10, &TabToTheSecondButtonAndPressEnter);
    const std::uintptr_t guard = SetTimer(0, 0, 10000, &GiveUp);
    const int answer = MessageBox(owner, "Keep the changes?", "Vexa", MB_YESNO);
    KillTimer(0, guard);
    EXPECT_EQ(answer, IDNO);
    // The owner has the keyboard again.
    EXPECT_TRUE(PumpUntil([&] {
        ::Window focus = 0;
        int revert = 0;
        XGetInputFocus(x11->Connection(), &focus, &revert);
        return focus == x11->NativeWindow(owner);
    }));
}

}  // namespace
}  // namespace vexa::sys::testing
