// The contract between the window system and a display backend, observed through a
// backend that records every call.
#include <string>
#include <vector>

#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

class RecordingBackend : public DisplayBackend {
  public:
    RecordingBackend() : screen_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 800, 600)) {}
    ~RecordingBackend() override { cairo_surface_destroy(screen_); }

    SIZE ScreenSize() const override { return SIZE{800, 600}; }
    cairo_surface_t* ScreenSurface() override { return screen_; }
    void PresentScreen(const RECT&) override { calls.push_back("PresentScreen"); }
    void Create(HWND hwnd, const RECT& rect, const std::string& title, bool popup) override {
        calls.push_back("Create " + title + (popup ? " popup" : ""));
        created = hwnd;
        lastRect = rect;
    }
    void Destroy(HWND) override { calls.push_back("Destroy"); }
    void Show(HWND, bool visible) override { calls.push_back(visible ? "Show" : "Hide"); }
    void Move(HWND, const RECT& rect) override {
        calls.push_back("Move");
        lastRect = rect;
    }
    void Restack(HWND, HWND above) override {
        calls.push_back(above == 0 ? "Restack top" : "Restack below");
    }
    void SetTitle(HWND, const std::string& title) override { calls.push_back("Title " + title); }
    void Activate(HWND hwnd) override {
        calls.push_back(hwnd == created ? "Activate" : "Activate other");
    }
    void Present(HWND, cairo_surface_t* buffer, const RECT& dirty) override {
        calls.push_back("Present");
        presentedBuffer = buffer;
        lastDirty = dirty;
    }
    bool PumpEvents(int timeoutMs) override {
        if (timeoutMs > 0) now += std::uint64_t(timeoutMs);
        return timeoutMs >= 0;
    }
    std::uint64_t NowMs() const override { return now; }
    void WarpPointer(POINT p) override { calls.push_back("Warp " + std::to_string(p.x)); }
    void SetCursorShape(HCURSOR) override { calls.push_back("Cursor"); }
    void GrabPointer(HWND, bool grab) override { calls.push_back(grab ? "Grab" : "Ungrab"); }
    int ShowMessageBox(HWND, const std::string& text, const std::string&, UINT) override {
        calls.push_back("MessageBox " + text);
        return IDCANCEL;
    }

    bool Called(const std::string& call) const {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    std::vector<std::string> calls;
    HWND created = 0;
    RECT lastRect;
    RECT lastDirty;
    cairo_surface_t* presentedBuffer = nullptr;
    std::uint64_t now = 1000;

  private:
    cairo_surface_t* screen_;
};

class DisplayBackendTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        auto owned = std::make_unique<RecordingBackend>();
        backend = owned.get();
        headless = SetDisplayBackend(std::move(owned));
    }
    void TearDown() override {
        DestroyAllWindowsForTesting();
        SetDisplayBackend(std::move(headless));
        WindowTest::TearDown();
    }

    RecordingBackend* backend = nullptr;
    std::unique_ptr<DisplayBackend> headless;
};

TEST_F(DisplayBackendTest, TopLevelWindowsAreMirroredAndTheirBuffersPresented) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(HeadlessDisplay::Active(), nullptr);
    HWND hwnd = CreateWindowEx(0, kRecordingClass, "Grid", WS_POPUP, 10, 20, 300, 200);
    HWND child = CreateWindowEx(0, kRecordingClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, hwnd);
    ASSERT_EQ(backend->created, hwnd);  // children are not mirrored
    EXPECT_EQ(backend->calls, (std::vector<std::string>{"Create Grid popup", "Restack top"}));
    EXPECT_EQ(backend->lastRect, (RECT{10, 20, 310, 220}));

    backend->calls.clear();
    ShowWindow(hwnd, SW_SHOW);
    PumpMessages();
    EXPECT_TRUE(backend->Called("Show"));
    EXPECT_TRUE(backend->Called("Present"));
    EXPECT_EQ(backend->presentedBuffer, GetWindowSurface(child).surface);
    EXPECT_EQ(backend->lastDirty, (RECT{0, 0, 300, 200}));

    backend->calls.clear();
    MoveWindow(hwnd, 50, 60, 300, 200);
    SetWindowText(hwnd, "Orders");
    EXPECT_EQ(backend->calls, (std::vector<std::string>{"Move", "Title Orders"}));
    EXPECT_EQ(backend->lastRect, (RECT{50, 60, 350, 260}));

    backend->calls.clear();
    DestroyWindow(hwnd);
    EXPECT_EQ(backend->calls.back(), "Destroy");
    EXPECT_TRUE(backend->Called("Hide"));
}

TEST_F(DisplayBackendTest, WindowsThatExistMoveOverToANewBackend) {
    HWND hwnd = CreateWindowEx(0, kRecordingClass, "Kept", WS_POPUP | WS_VISIBLE, 5, 5, 50, 40);
    auto second = std::make_unique<RecordingBackend>();
    RecordingBackend* next = second.get();
    std::unique_ptr<DisplayBackend> first = SetDisplayBackend(std::move(second));
    EXPECT_EQ(backend->calls.back(), "Destroy");
    EXPECT_EQ(next->created, hwnd);
    EXPECT_EQ(next->lastRect, (RECT{5, 5, 55, 45}));
    PumpMessages();
    EXPECT_EQ(next->calls,
              (std::vector<std::string>{"Create Kept popup", "Restack top", "Show", "Present"}));
    backend = next;  // the fixture restores the headless display over this one
    first.reset();
}

TEST_F(DisplayBackendTest, CaptureCursorActivationAndMessageBoxesGoThroughTheBackend) {
    HWND other = CreateWindowEx(0, kRecordingClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND hwnd = CreateWindowEx(0, kRecordingClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_TRUE(backend->Called("Activate")) << "showing activates and tells the backend";
    backend->calls.clear();
    SetActiveWindow(hwnd);  // already active: nothing to tell
    EXPECT_TRUE(backend->calls.empty());
    SetActiveWindow(other);
    SetActiveWindow(hwnd);
    EXPECT_EQ(backend->calls, (std::vector<std::string>{"Restack top", "Activate other",
                                                        "Restack top", "Activate"}));
    backend->calls.clear();
    SetCapture(hwnd);
    ReleaseCapture();
    SetCursorPos(40, 30);
    EXPECT_EQ(MessageBox(hwnd, "Sure?", "Vexa", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(backend->calls,
              (std::vector<std::string>{"Grab", "Ungrab", "Warp 40", "MessageBox Sure?"}));
}

TEST_F(DisplayBackendTest, TheLoopWaitsThroughTheBackendAndTimersFollowItsClock) {
    HWND hwnd = CreateWindowEx(0, kRecordingClass, "", WS_POPUP, 0, 0, 100, 100);
    SetTimer(hwnd, 3, 40);
    MSG msg;
    ASSERT_EQ(GetMessage(&msg), 1);
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(backend->now, 1040u);
    EXPECT_EQ(GetTickCount(), 1040u);
    KillTimer(hwnd, 3);
    EXPECT_EQ(GetMessage(&msg), -1);  // the backend says nothing can arrive
}

}  // namespace
}  // namespace vexa::sys::testing
