// The header of a grid on a real X server (skipped without DISPLAY): a click on a title, a
// divider drag and a title drag made with xdotool sort, resize and move the columns.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "common/GridOnForm.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/display/X11Display.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xlib.h>

using namespace vexa;

namespace {

class HeaderX11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == 0) GTEST_SKIP() << "no X display";
        static ::Display* const keeper = XOpenDisplay(nullptr);  // keeps the server up
        if (keeper == nullptr) GTEST_SKIP() << "cannot reach the X display";
        auto opened = sys::X11Display::Open();
        if (opened == nullptr) GTEST_SKIP() << "cannot open the X display";
        sys::DestroyAllWindowsForTesting();
        x11 = opened.get();
        previous = sys::SetDisplayBackend(std::move(opened));
        sys::WNDCLASS form;
        form.lpfnWndProc = &sys::DefWindowProc;
        form.lpszClassName = "VexaHeaderX11Form";
        sys::RegisterClass(form);
        form_ = sys::CreateWindowEx(0, "VexaHeaderX11Form", "header",
                                    sys::WS_POPUP | sys::WS_VISIBLE, 100, 100, 500, 300);
        grid = std::make_unique<Vexa>(form_, sys::RECT{10, 10, 490, 290});
        grid->Advise(&log);
        for (int c = 1; c <= 3; ++c) grid->AddCol({.sKey = "c" + std::to_string(c), .lWidth = 80});
        grid->SetRowCount(4);
        for (int r = 1; r <= 4; ++r) grid->SetCellValue(r, 2, 5 - r);
        ASSERT_TRUE(PumpUntil([&] {
            XWindowAttributes attributes;
            XGetWindowAttributes(x11->Connection(), x11->NativeWindow(form_), &attributes);
            return attributes.map_state == IsViewable;
        }));
    }
    void TearDown() override {
        if (x11 == nullptr) return;
        grid.reset();
        sys::DestroyAllWindowsForTesting();
        sys::SetDisplayBackend(std::move(previous));
    }

    // Handles what the server sends until done() holds; 250 waits of 20 ms at most.
    template <typename Done>
    bool PumpUntil(Done done) {
        for (int i = 0; i < 250 && !done(); ++i) {
            x11->PumpEvents(20);
            x11->Sync();
            sys::PumpMessages();
        }
        return done();
    }
    // Runs xdotool, then waits for an event of the grid named `awaited`.
    bool Xdotool(const std::string& arguments, const std::string& awaited) {
        if (std::system(("xdotool " + arguments).c_str()) != 0) return false;
        return PumpUntil([&] { return !log.Of(awaited).empty(); });
    }
    // A point of the header's client area on the screen, as xdotool takes it.
    std::string At(int x, int y) const {
        sys::POINT p{x, y};
        sys::ClientToScreen(grid->Header()->hwnd(), &p);
        return std::to_string(p.x) + " " + std::to_string(p.y);
    }

    sys::X11Display* x11 = nullptr;
    std::unique_ptr<sys::DisplayBackend> previous;
    sys::HWND form_ = 0;
    std::unique_ptr<Vexa> grid;
    test::EventLog log;
};

TEST_F(HeaderX11Test, ClickDividerDragAndTitleDragWithXdotool) {
    ASSERT_TRUE(Xdotool("mousemove --sync " + At(120, 8) + " click 1", "ContentsSorted"));
    EXPECT_EQ(grid->LayoutSort(), "2|SortKey|1|2|SortOrder|0|");
    EXPECT_EQ(grid->CellText(1, 2), "1");

    ASSERT_TRUE(Xdotool("mousemove --sync " + At(79, 8) + " mousedown 1 mousemove --sync " +
                            At(100, 8) + " mousemove --sync " + At(119, 9) + " mouseup 1",
                        "ColWidthChanged"));
    EXPECT_EQ(grid->ColWidth(1), 120);
    EXPECT_EQ(log.Of("ColWidthChanged"), (std::vector<std::string>{"ColWidthChanged(1,120)"}));

    // The third title (now at 200..280) dropped on the left half of the first.
    ASSERT_TRUE(Xdotool("mousemove --sync " + At(240, 8) + " mousedown 1 mousemove --sync " +
                            At(150, 8) + " mousemove --sync " + At(10, 8) + " mouseup 1",
                        "ColHeaderEndDrag"));
    EXPECT_EQ(log.Of("ColHeaderEndDrag"), (std::vector<std::string>{"ColHeaderEndDrag(3,1,0)"}));
    EXPECT_EQ(grid->ColOrder(3), 1);
    EXPECT_EQ(sys::GetCapture(), 0u);
}

}  // namespace
