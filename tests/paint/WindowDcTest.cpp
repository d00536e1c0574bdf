// Device contexts of windows (client area, whole window, paint messages) and of the screen.
#include <functional>

#include "paint/PaintTestSupport.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {
namespace {

std::function<void(HWND, HDC)>& EraseHandler() {
    static std::function<void(HWND, HDC)> handler;
    return handler;
}

std::function<void(HWND)>& PaintHandler() {
    static std::function<void(HWND)> handler;
    return handler;
}

LRESULT PaintingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT && PaintHandler()) {
        PaintHandler()(hwnd);
        return 0;
    }
    if (msg == WM_ERASEBKGND) {
        if (EraseHandler()) EraseHandler()(hwnd, HDC(wParam));
        return 1;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

COLORREF BufferPixel(HWND topLevel, int x, int y) {
    cairo_surface_t* surface = GetWindowSurface(topLevel, true).surface;
    cairo_surface_flush(surface);
    const auto* row = reinterpret_cast<const std::uint32_t*>(
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface));
    const std::uint32_t p = row[x];
    return RGB(std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p));
}

class WindowDcTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASS cls;
        cls.lpfnWndProc = &PaintingProc;
        cls.lpszClassName = "VexaPaintWindowDcTest";
        RegisterClass(cls);
        DestroyAllWindowsForTesting();
        PaintHandler() = nullptr;
    }
    void TearDown() override {
        PaintHandler() = nullptr;
        EraseHandler() = nullptr;
        DestroyAllWindowsForTesting();
    }
    static HWND Create(int x, int y, int w, int h, UINT style, HWND parent = 0) {
        HWND hwnd = CreateWindowEx(0, "VexaPaintWindowDcTest", "", style, x, y, w, h, parent);
        PumpMessages();
        return hwnd;
    }
    static void Fill(HDC dc, const RECT& r, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
};

TEST_F(WindowDcTest, ClientContextsDrawAtTheClientOriginClippedToTheWindow) {
    HWND top = Create(0, 0, 100, 80, WS_POPUP | WS_VISIBLE);
    HWND child = Create(20, 15, 30, 30, WS_CHILD | WS_VISIBLE, top);
    Fill(GetDC(top), {0, 0, 100, 80}, kWhite);
    HDC dc = GetDC(child);
    ASSERT_NE(dc, 0u);
    Fill(dc, {-50, -50, 500, 500}, RGB(200, 0, 0));
    EXPECT_EQ(BufferPixel(top, 20, 15), RGB(200, 0, 0));
    EXPECT_EQ(BufferPixel(top, 49, 44), RGB(200, 0, 0));
    EXPECT_EQ(BufferPixel(top, 50, 44), kWhite);
    EXPECT_EQ(BufferPixel(top, 19, 15), kWhite);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(200, 0, 0));
    EXPECT_EQ(ReleaseDC(child, dc), 1);
    EXPECT_EQ(ReleaseDC(child, dc), 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_EQ(GetDC(HWND(0xDEAD)), 0u);
}

TEST_F(WindowDcTest, ClipChildrenLeavesChildWindowsAlone) {
    HWND top = Create(0, 0, 100, 80, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    Create(10, 10, 20, 20, WS_CHILD | WS_VISIBLE, top);
    HDC dc = GetDC(top);
    Fill(dc, {0, 0, 100, 80}, kWhite);
    Fill(dc, {0, 0, 100, 80}, RGB(0, 0, 200));
    EXPECT_EQ(BufferPixel(top, 5, 5), RGB(0, 0, 200));
    EXPECT_NE(BufferPixel(top, 15, 15), RGB(0, 0, 200));
    ReleaseDC(top, dc);
}

TEST_F(WindowDcTest, BeginPaintHandsOutAContextLimitedToTheUpdateRectangle) {
    HWND top = Create(0, 0, 100, 80, WS_POPUP | WS_VISIBLE);
    HDC dc = GetDC(top);  // installs the provider
    Fill(dc, {0, 0, 100, 80}, kWhite);
    ReleaseDC(top, dc);
    HDC painted = 0;
    PaintHandler() = [&](HWND hwnd) {
        PAINTSTRUCT ps;
        painted = BeginPaint(hwnd, &ps);
        Fill(painted, {0, 0, 100, 80}, RGB(0, 150, 0));
        EndPaint(hwnd, &ps);
    };
    RECT part{10, 10, 30, 20};
    InvalidateRect(top, &part, false);
    UpdateWindow(top);
    ASSERT_NE(painted, 0u);
    EXPECT_NE(painted, top);
    EXPECT_EQ(BufferPixel(top, 10, 10), RGB(0, 150, 0));
    EXPECT_EQ(BufferPixel(top, 29, 19), RGB(0, 150, 0));
    EXPECT_EQ(BufferPixel(top, 30, 19), kWhite);
    EXPECT_EQ(GetObjectType(painted), 0);  // released by EndPaint
}

TEST_F(WindowDcTest, DisplayContextNotXorLineDrawnTwiceRestoresTheScreen) {
    HDC screen = CreateDCA("DISPLAY");
    ASSERT_NE(screen, 0u);
    EXPECT_EQ(CreateDCA("PRINTER"), 0u);
    const COLORREF before = GetPixel(screen, 40, 30);
    SetROP2(screen, R2_NOTXORPEN);
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(screen, 40, 0, nullptr);
        LineTo(screen, 40, 100);
        if (pass == 0) {
            EXPECT_EQ(GetPixel(screen, 40, 30), ~before & 0xFFFFFFu);
        }
    }
    EXPECT_EQ(GetPixel(screen, 40, 30), before);
    EXPECT_TRUE(DeleteDC(screen));
}

TEST_F(WindowDcTest, ParentBackgroundIsPaintedInTheParentsCoordinates) {
    HWND top = Create(0, 0, 100, 80, WS_POPUP | WS_VISIBLE);
    HWND child = Create(30, 20, 40, 30, WS_CHILD | WS_VISIBLE, top);
    HDC dc = GetDC(child);
    Fill(dc, {0, 0, 40, 30}, kWhite);
    EraseHandler() = [&](HWND hwnd, HDC hdc) {
        if (hwnd != top) return;
        Fill(hdc, {0, 0, 100, 80}, RGB(0, 90, 0));
        Fill(hdc, {30, 20, 31, 21}, RGB(90, 0, 0));  // the child's top-left corner
    };
    RECT part{0, 0, 10, 10};
    EXPECT_EQ(DrawThemeParentBackground(child, dc, &part), S_OK);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(90, 0, 0));
    EXPECT_EQ(GetPixel(dc, 9, 9), RGB(0, 90, 0));
    EXPECT_EQ(GetPixel(dc, 10, 10), kWhite);
    EXPECT_EQ(BufferPixel(top, 29, 19), kWhite);  // nothing outside the child
    POINT origin{1, 1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin, (POINT{0, 0}));
    EXPECT_EQ(DrawThemeParentBackground(top, dc, nullptr), E_FAIL);
    ReleaseDC(child, dc);
}

TEST_F(WindowDcTest, WindowContextCoversTheNonClientArea) {
    HWND top = Create(0, 0, 100, 80, WS_POPUP | WS_BORDER | WS_VISIBLE);
    POINT corner{0, 0};
    ClientToScreen(top, &corner);
    ASSERT_GT(corner.y, 0);  // a border around the client area
    HDC client = GetDC(top);
    Fill(client, {-5, -5, 1, 1}, RGB(9, 9, 9));
    EXPECT_NE(BufferPixel(top, 0, 0), RGB(9, 9, 9));
    EXPECT_EQ(BufferPixel(top, corner.x, corner.y), RGB(9, 9, 9));
    HDC dc = GetWindowDC(top);
    Fill(dc, {0, 0, 1, 1}, RGB(1, 2, 3));
    EXPECT_EQ(BufferPixel(top, 0, 0), RGB(1, 2, 3));
    ReleaseDC(top, dc);
    ReleaseDC(top, client);
}

TEST_F(WindowDcTest, AContextOutlivingItsWindowDrawsNothingAndIsStillReleased) {
    HWND top = Create(0, 0, 60, 40, WS_POPUP | WS_VISIBLE);
    HDC dc = GetDC(top);
    ASSERT_NE(dc, 0u);
    ASSERT_TRUE(DestroyWindow(top));
    EXPECT_EQ(GetDC(top), 0u);
    RECT r{0, 0, 60, 40};
    Fill(dc, r, RGB(0, 150, 0));
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(dc, &tm));
    EXPECT_EQ(DrawText(dc, "text", -1, &r, DT_SINGLELINE), tm.tmHeight);
    EXPECT_TRUE(DrawFocusRect(dc, &r));
    EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
    HDC memory = CreateCompatibleDC(dc);
    ASSERT_NE(memory, 0u);
    EXPECT_FALSE(BitBlt(memory, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));  // no pixels to copy
    EXPECT_EQ(GetPixel(memory, 0, 0), kBlack);  // the new context's bitmap, untouched
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_EQ(ReleaseDC(top, dc), 1);
    EXPECT_EQ(GetObjectType(dc), 0);
}

}  // namespace
}  // namespace vexa::sys::testing
