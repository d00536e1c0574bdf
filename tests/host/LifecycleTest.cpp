// The grid's life as its container leads it: made and destroyed by the thousand without a
// trace, placed in a form designer, answering the system's theme and settings messages, and
// the about box.
#include <functional>

#include "common/GridOnForm.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/paint/ThemeService.h"

namespace vexa::test {
namespace {

// What the window system holds that a grid could leave behind.
struct Leftovers {
    std::size_t windows = 0;
    std::size_t timers = 0;
    std::size_t formProperties = 0;  // where the grid subscribes to the form's messages
    sys::LPARAM formProcedure = 0;
    bool operator==(const Leftovers&) const = default;
};

class LifecycleTest : public GridOnForm {
  protected:
    Leftovers Now() {
        return {sys::WindowCountForTesting(), sys::TimerCountForTesting(),
                sys::PropCountForTesting(form()), sys::GetWindowLongPtr(form(), sys::GWLP_WNDPROC)};
    }
    // A point over the first column's title, in screen coordinates.
    sys::POINT OverHeader(Vexa& grid) {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        grid.CellBoundary(1, 1, left, top, width, height);
        sys::POINT point{left + width / 2, top - 5};
        sys::ClientToScreen(grid.hwnd(), &point);
        return point;
    }
    // Columns, rows and a combo list; the header tracking the mouse over a title (its timer
    // running); the text editor or the drop-down list open.
    void MakeBusy(Vexa& grid, bool textEditor) {
        grid.AddCol({.sKey = "text", .lWidth = 100});
        grid.AddCol({.sKey = "pick", .lWidth = 100});
        grid.SetRowCount(3);
        const auto list = grid.Combos().Add("list");
        list->AddItem("a", Variant(1));
        list->AddItem("b", Variant(2));
        grid.SetCellType(1, "pick", vxCellCombo);
        grid.SetCellCtrlKey(1, "pick", "list");
        grid.SetTextEditCustomContextMenu(true);
        display().MouseMove(0, 0);
        const sys::POINT header = OverHeader(grid);
        display().MouseMove(header.x, header.y);
        sys::SetFocus(grid.hwnd());
        grid.SetCurCell(1, textEditor ? "text" : "pick");
        grid.RequestEdit();
        sys::PumpMessages();
    }
};

TEST_F(LifecycleTest, AThousandBusyGridsComeAndGoLeavingNoWindowTimerOrSubscription) {
    ResetGrid();
    sys::PumpMessages();
    const Leftovers before = Now();
    EventLog sink;
    for (int i = 0; i < 1000; ++i) {
        auto busy = std::make_unique<Vexa>(form(), kGridRect);
        busy->Advise(&sink);
        MakeBusy(*busy, i % 2 == 0);
        if (i < 2) {
            const Leftovers during = Now();
            EXPECT_GT(during.windows, before.windows + 3);
            EXPECT_GT(during.timers, before.timers) << "the header's mouse tracking";
            EXPECT_GT(during.formProperties, before.formProperties);
            EXPECT_TRUE(i == 0 ? busy->TextEditHwnd() != 0
                               : sys::GetClassName(sys::GetCapture()) == "ComboLBox");
        }
        busy.reset();
    }
    sys::PumpMessages();
    EXPECT_EQ(Now(), before);
}

// The same input at run time and in a form designer, where it reaches the form only.
class DesignMode : public LifecycleTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DesignMode, InAFormDesignerTheGridTakesNoInputHasNoBarsAndAPlaceholderTitle) {
    const bool userMode = GetParam();
    RecreateGrid({.userMode = userMode});
    EXPECT_EQ(grid().UserMode(), userMode);
    sys::HWND header = 0;
    for (sys::HWND child : sys::GetChildWindows(grid().hwnd())) {
        if (sys::GetClassName(child) == "SysHeader32") header = child;
    }
    ASSERT_NE(header, 0u);
    sys::RECT placeholder{};
    EXPECT_EQ(sys::SendMessage(header, sys::HDM_GETITEMCOUNT), userMode ? 0 : 1);
    sys::SendMessage(header, sys::HDM_GETITEMRECT, 0, sys::LPARAM(&placeholder));
    EXPECT_EQ(placeholder.right - placeholder.left, userMode ? 0 : 128);

    Fill({80, 80}, 100);
    EXPECT_EQ(grid().VScrollBar()->Visible(), userMode);
    struct Input {
        const char* event;  // what it raises at run time
        std::function<void()> act;
    };
    const std::vector<Input> inputs = {
        {"ScrollBarPosChanged",
         [&] {
             display().MouseMove(CellCentre(2, 1).x, CellCentre(2, 1).y);
             display().Wheel(-120);
         }},
        {"KeyDown", [] { display().KeyPress(sys::VK_DOWN); }},
        {"KeyPress", [] { display().TypeText("x"); }},
        {"ColHeaderMouseEnter",
         [&] { display().MouseMove(OverHeader(grid()).x, OverHeader(grid()).y); }},
        {"ColHeaderClick", [&] { display().Click(OverHeader(grid()).x, OverHeader(grid()).y); }},
    };
    for (const Input& input : inputs) {
        display().MouseMove(0, 0);
        display().AdvanceClock(50);  // the header notices the mouse gone
        sys::SetFocus(grid().hwnd());
        sys::PumpMessages();
        log.Clear();
        input.act();
        sys::PumpMessages();
        EXPECT_EQ(log.Of(input.event).empty(), !userMode) << input.event;
    }
}

INSTANTIATE_TEST_SUITE_P(RunTimeOrDesigner, DesignMode, ::testing::Bool());

// The system's theme and scroll-bar sizes as the grid's host hears of them.
TEST_F(LifecycleTest, ThemeAndSettingsChangesReachTheHostAsTheyHappen) {
    const int h = sys::GetSystemMetrics(sys::SM_CYHSCROLL);
    const int v = sys::GetSystemMetrics(sys::SM_CXVSCROLL);
    struct Restore {
        int h, v;
        ~Restore() {
            sys::SetThemeActive(true);
            sys::SetSystemMetric(sys::SM_CYHSCROLL, h);
            sys::SetSystemMetric(sys::SM_CXVSCROLL, v);
        }
    } restore{h, v};
    const auto metrics = [](int newH, int newV, sys::WPARAM setting) {
        return [=] {
            sys::SetSystemMetric(sys::SM_CYHSCROLL, newH);
            sys::SetSystemMetric(sys::SM_CXVSCROLL, newV);
            sys::BroadcastMessage(sys::WM_SETTINGCHANGE, setting, 0);
        };
    };
    const auto thickness = [](int bar, int value) {
        return "ScrollBarThicknessChanged(" + std::to_string(bar) + "," + std::to_string(value) +
               ")";
    };
    struct Change {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> heard;
    };
    const std::vector<Change> changes = {
        {"another setting", metrics(h + 4, v + 6, 0), {}},
        {"both bars",
         metrics(h + 4, v + 6, sys::SPI_SETNONCLIENTMETRICS),
         {thickness(0, h + 4), thickness(1, v + 6)}},
        {"nothing new", metrics(h + 4, v + 6, sys::SPI_SETNONCLIENTMETRICS), {}},
        {"one bar", metrics(h + 4, v, sys::SPI_SETNONCLIENTMETRICS), {thickness(1, v)}},
        {"themes off", [] { sys::SetThemeActive(false); }, {"WindowsThemeChanged(0)"}},
        {"the grid's styles off",
         [&] { grid().SetUseXPStyles(false); },
         {"WindowsThemeChanged(0)"}},
        // What the platform offers, whatever the grid's own choice.
        {"themes on", [] { sys::SetThemeActive(true); }, {"WindowsThemeChanged(1)"}},
    };
    for (const Change& change : changes) {
        log.Clear();
        change.act();
        sys::PumpMessages();
        std::vector<std::string> heard = log.Of("ScrollBarThicknessChanged");
        for (const std::string& entry : log.Of("WindowsThemeChanged")) heard.push_back(entry);
        EXPECT_EQ(heard, change.heard) << change.what;
    }
}

// Changes the system while the grid loads its properties: a handler of an event raised by
// loading (an edit in progress is given up) switches themes off and thickens the vertical bar.
struct SystemChangesWhileLoading : VexaEvents {
    void QuitCustomEdit() override {
        if (!heardBefore.empty()) return;
        sys::SetSystemMetric(sys::SM_CXVSCROLL, thickness);
        sys::BroadcastMessage(sys::WM_SETTINGCHANGE, sys::SPI_SETNONCLIENTMETRICS, 0);
        sys::SetThemeActive(false);
        heardBefore = log->entries;
    }
    EventLog* log = nullptr;
    int thickness = 0;
    std::vector<std::string> heardBefore;
};

TEST_F(LifecycleTest, WhileLoadingTheHostHearsOfNoThemeAndOfNewBarSizesOnlyAtTheEnd) {
    const int v = sys::GetSystemMetrics(sys::SM_CXVSCROLL);
    Fill({80, 80}, 3);
    grid().SetCellType(1, 1, vxCellCustomDraw);
    grid().SetCurCell(1, 1);
    grid().RequestEdit();
    SystemChangesWhileLoading changes;
    changes.log = &log;
    changes.thickness = v + 3;
    grid().Advise(&changes);
    log.Clear();
    MemoryPropertyBag set;
    grid().ReadProperties(set);
    sys::PumpMessages();
    const EventLog heard = log;
    const bool stylesUsable = grid().Supports(vxSupFeatXPStyles);
    sys::SetThemeActive(true);
    sys::SetSystemMetric(sys::SM_CXVSCROLL, v);
    EXPECT_EQ(changes.heardBefore, std::vector<std::string>{"QuitCustomEdit()"});
    EXPECT_EQ(
        heard.Of("ScrollBarThicknessChanged"),
        std::vector<std::string>{"ScrollBarThicknessChanged(1," + std::to_string(v + 3) + ")"});
    EXPECT_TRUE(heard.Of("WindowsThemeChanged").empty());
    EXPECT_FALSE(stylesUsable) << "the grid took the theme up";
}

TEST_F(LifecycleTest, TheAboutBoxNamesTheControlAndItsVersion) {
    display().ClearMessageBoxCalls();
    grid().ShowAboutBox();
    ASSERT_EQ(display().MessageBoxCalls().size(), 1u);
    const sys::MessageBoxCall& box = display().MessageBoxCalls()[0];
    EXPECT_EQ(box.owner, grid().hwnd());
    EXPECT_EQ(box.caption, "About Vexa");
    EXPECT_NE(box.text.find(std::string("Version ") + Version()), std::string::npos) << box.text;
}

}  // namespace
}  // namespace vexa::test
