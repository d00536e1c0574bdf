// Back buffers, what the headless screen shows, captures and message boxes.
#include <cstdio>

#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {
namespace {

using SurfaceTest = WindowTest;

void Fill(HWND hwnd, const RECT& clientRect, COLORREF color) {
    const WindowSurface s = GetWindowSurface(hwnd);
    ASSERT_NE(s.surface, nullptr);
    cairo_t* cr = cairo_create(s.surface);
    cairo_rectangle(cr, s.clip.left, s.clip.top, s.clip.Width(), s.clip.Height());
    cairo_clip(cr);
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
    cairo_rectangle(cr, s.origin.x + clientRect.left, s.origin.y + clientRect.top,
                    clientRect.Width(), clientRect.Height());
    cairo_fill(cr);
    cairo_destroy(cr);
    HWND top = GetAncestor(hwnd, GA_ROOT);
    MarkSurfaceDirty(top, s.clip);
}

TEST_F(SurfaceTest, ChildSurfacesStartAtTheirClientAreaAndAreClippedByTheirParents) {
    HWND top = TopLevel(100, 100, 300, 200, WS_POPUP | WS_VISIBLE | WS_BORDER);
    HWND child = Child(top, 250, 10, 100, 50, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
    const WindowSurface s = GetWindowSurface(child);
    EXPECT_EQ(s.surface, GetWindowSurface(top).surface);
    EXPECT_EQ(s.origin, (POINT{1 + 250 + 2, 1 + 10 + 2}));
    EXPECT_EQ(s.clip, (RECT{253, 13, 299, 59}));  // cut at the parent's client edge
    const WindowSurface whole = GetWindowSurface(child, true);
    EXPECT_EQ(whole.origin, (POINT{251, 11}));
    EXPECT_EQ(cairo_image_surface_get_width(s.surface), 300);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(GetWindowSurface(child).clip, RECT{});
}

TEST_F(SurfaceTest, DrawingShowsOnTheScreenAtTheWindowsPlace) {
    HWND top = TopLevel(100, 100, 300, 200);
    HWND child = Child(top, 10, 10, 50, 50);
    Fill(child, RECT{0, 0, 50, 50}, RGB(200, 0, 0));
    FlushSurfaces();
    EXPECT_EQ(display().ScreenPixel(110, 110), RGB(200, 0, 0));
    EXPECT_EQ(display().ScreenPixel(159, 159), RGB(200, 0, 0));
    EXPECT_EQ(display().ScreenPixel(160, 160), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(display().ScreenPixel(99, 99), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(display().WindowPixel(child, 0, 0), RGB(200, 0, 0));
    EXPECT_EQ(display().ScreenPixel(-1, 0), 0xFFFFFFFFu);
}

TEST_F(SurfaceTest, TheScreenIsComposedInZOrderAndFollowsMovesHidesAndResizes) {
    HWND below = TopLevel(0, 0, 100, 100);
    Fill(below, RECT{0, 0, 100, 100}, RGB(0, 0, 255));
    HWND above = TopLevel(50, 50, 100, 100);
    Fill(above, RECT{0, 0, 100, 100}, RGB(0, 255, 0));
    EXPECT_EQ(display().ScreenPixel(60, 60), RGB(0, 255, 0));
    BringWindowToTop(below);
    EXPECT_EQ(display().ScreenPixel(60, 60), RGB(0, 0, 255));
    ShowWindow(below, SW_HIDE);
    EXPECT_EQ(display().ScreenPixel(60, 60), RGB(0, 255, 0));
    EXPECT_EQ(display().ScreenPixel(10, 10), GetSysColor(COLOR_DESKTOP));
    Log().Clear();
    MoveWindow(above, 500, 500, 100, 100);
    PumpMessages();
    EXPECT_EQ(display().ScreenPixel(60, 60), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(display().ScreenPixel(510, 510), RGB(0, 255, 0));  // content kept, unpainted
    EXPECT_TRUE(Log().Of(WM_PAINT, above).empty());
    // Resizing keeps the content, hands out a new buffer and repaints.
    MoveWindow(above, 500, 500, 200, 150);
    PumpMessages();
    EXPECT_EQ(Log().Of(WM_PAINT, above).size(), 1u);
    const WindowSurface s = GetWindowSurface(above);
    EXPECT_EQ(cairo_image_surface_get_width(s.surface), 200);
    EXPECT_EQ(cairo_image_surface_get_height(s.surface), 150);
    EXPECT_EQ(display().WindowPixel(above, 5, 5), RGB(0, 255, 0));
}

TEST_F(SurfaceTest, ClassBackgroundIsErasedThroughTheDefaultProcedure) {
    WNDCLASS cls;
    cls.lpfnWndProc = &RecordingProc;
    cls.lpszClassName = "VexaTestFace";
    cls.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    RegisterClass(cls);
    TopLevel(0, 0, 50, 50, WS_POPUP | WS_VISIBLE, 0, "VexaTestFace");
    EXPECT_EQ(display().ScreenPixel(25, 25), GetSysColor(COLOR_BTNFACE));
}

TEST_F(SurfaceTest, ExclusionsNameClippedChildrenAndHigherSiblings) {
    HWND top = TopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND a = Child(top, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    HWND b = Child(top, 20, 20, 50, 50);
    EXPECT_EQ(GetClipExclusions(top), (std::vector<RECT>{{0, 0, 50, 50}, {20, 20, 70, 70}}));
    EXPECT_EQ(GetClipExclusions(a), (std::vector<RECT>{{20, 20, 70, 70}}));
    EXPECT_TRUE(GetClipExclusions(b).empty());
}

TEST_F(SurfaceTest, ScreenAndWindowCapturesAreWrittenAsPng) {
    HWND top = TopLevel(0, 0, 64, 32);
    Fill(top, RECT{0, 0, 64, 32}, RGB(10, 20, 30));
    const std::string screenPath = ::testing::TempDir() + "vexa_screen.png";
    const std::string windowPath = ::testing::TempDir() + "vexa_window.png";
    ASSERT_TRUE(display().SaveScreenPng(screenPath));
    ASSERT_TRUE(display().SaveWindowPng(top, windowPath));
    cairo_surface_t* png = cairo_image_surface_create_from_png(windowPath.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 64);
    EXPECT_EQ(cairo_image_surface_get_height(png), 32);
    cairo_surface_destroy(png);
    png = cairo_image_surface_create_from_png(screenPath.c_str());
    EXPECT_EQ(cairo_image_surface_get_width(png), 1920);
    cairo_surface_destroy(png);
    std::remove(screenPath.c_str());
    std::remove(windowPath.c_str());
    EXPECT_FALSE(display().SaveWindowPng(HWND(0xBAD), windowPath));
}

TEST_F(SurfaceTest, MessageBoxesAreRecordedAndAnswerFromTheQueueOrTheDefaultButton) {
    HWND top = TopLevel(0, 0, 10, 10);
    EXPECT_EQ(MessageBox(top, "Invalid value", "Vexa", MB_OK | MB_ICONEXCLAMATION), IDOK);
    display().QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(MessageBox(top, "Retry?", "Vexa", MB_RETRYCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBox(top, "Save?", "Vexa", MB_YESNO | MB_DEFBUTTON2), IDNO);
    const auto& calls = display().MessageBoxCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, "Invalid value");
    EXPECT_EQ(calls[0].caption, "Vexa");
    EXPECT_EQ(calls[0].owner, top);
    EXPECT_EQ(calls[1].answer, IDCANCEL);
    EXPECT_EQ(calls[2].type, MB_YESNO | MB_DEFBUTTON2);
}

}  // namespace
}  // namespace vexa::sys::testing
