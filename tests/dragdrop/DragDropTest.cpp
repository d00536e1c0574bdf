// Drags between two windows of the program on the headless display, driven by injected mouse
// and key input while the drag's loop runs (each step of a script is one tick of the clock).
#include <gtest/gtest.h>

#include <deque>

#include "DragRecorder.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {
namespace {

using Log = std::vector<std::string>;
using Effects = std::vector<std::int32_t>;

constexpr const char* kControlClass = "VexaDragTestControl";
constexpr UINT kStepMs = 10;

class DragDropTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DestroyAllWindowsForTesting();
        WNDCLASS cls;
        cls.lpfnWndProc = &ControlProc;
        cls.lpszClassName = kControlClass;
        RegisterClass(cls);
        current_ = this;
        keysSeen_.clear();
        sourceEvents = DragRecorder{};
        targetEvents = DragRecorder{};
        sourceForm = Form(100, 100);
        targetForm = Form(500, 100);
        source = Control(sourceForm);
        target = Control(targetForm);
        sourceDnd = std::make_unique<ControlDragDrop>(source, sourceEvents);
        targetDnd = std::make_unique<ControlDragDrop>(target, targetEvents);
        targetDnd->SetOLEDropMode(vxOLEDropManual);
        sourceEvents.onStartDrag = [](std::shared_ptr<DataObject>& data, std::int32_t&) {
            data->SetData("cells", vxCFText);
        };
        SetFocus(sourceForm);
    }
    void TearDown() override {
        if (timer_ != 0) KillTimer(0, timer_);
        script_.clear();
        for (int key : {VK_CONTROL, VK_SHIFT}) {
            if (GetKeyState(key) < 0) display().KeyUp(key);
        }
        if (GetKeyState(VK_LBUTTON) < 0) display().MouseUp();
        DestroyAllWindowsForTesting();
        sourceDnd.reset();
        targetDnd.reset();
        current_ = nullptr;
    }

    static HeadlessDisplay& display() { return HeadlessDisplay::Instance(); }

    static HWND Form(int x, int y) {
        return CreateWindowEx(0, kControlClass, "form", WS_POPUP | WS_VISIBLE, x, y, 300, 200);
    }
    static HWND Control(HWND form) {
        return CreateWindowEx(0, kControlClass, "control", WS_CHILD | WS_VISIBLE, 20, 30, 200, 120,
                              form);
    }

    // A step that moves the pointer to client (x, y) of a window of the fixture (whichever
    // window it holds when the step plays).
    static std::function<void()> MoveTo(const HWND& hwnd, int x, int y) {
        return [&hwnd, x, y] {
            POINT p{x, y};
            ClientToScreen(hwnd, &p);
            display().MouseMove(p.x, p.y);
        };
    }
    static std::function<void()> Release() {
        return [] { display().MouseUp(); };
    }
    static std::function<void()> Press(int key) {
        return [=] { display().KeyPress(key); };
    }

    // Presses on the source control and moves off: the control starts its drag, and the script
    // plays while the drag runs. Returns the source's log.
    std::vector<std::string> Drag(std::vector<std::function<void()>> script) {
        script_.assign(script.begin(), script.end());
        timer_ = SetTimer(0, 0, kStepMs, &PlayStep);
        MoveTo(source, 10, 10)();
        display().MouseDown();
        MoveTo(source, 20, 10)();
        return sourceEvents.log;
    }

    static void PlayStep(HWND, UINT, std::uintptr_t id, DWORD) {
        auto& script = current_->script_;
        if (!script.empty()) {
            auto step = std::move(script.front());
            script.pop_front();
            step();
        }
        if (script.empty() && current_->timer_ == id) {
            KillTimer(0, id);
            current_->timer_ = 0;
        }
    }

    // The control behaves as the grid's cells do: a press captures, a move of more than two
    // pixels starts the drag.
    static LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        DragDropTest* test = current_;
        if (test != nullptr && hwnd == test->source) {
            if (msg == WM_LBUTTONDOWN) {
                SetCapture(hwnd);
                test->pressedAt_ = GET_X_LPARAM(lParam);
            } else if (msg == WM_MOUSEMOVE && test->pressedAt_ >= 0 &&
                       std::abs(GET_X_LPARAM(lParam) - test->pressedAt_) > 2) {
                test->pressedAt_ = -1;
                test->sourceDnd->OLEDrag();
            } else if (msg == WM_LBUTTONUP) {
                test->pressedAt_ = -1;
                ReleaseCapture();
            }
        }
        if (test != nullptr && msg == WM_KEYDOWN) test->keysSeen_.push_back(int(wParam));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }

    HWND sourceForm = 0, targetForm = 0, source = 0, target = 0;
    DragRecorder sourceEvents, targetEvents;
    std::unique_ptr<ControlDragDrop> sourceDnd, targetDnd;
    std::vector<int> keysSeen_;  // key presses that reached a window

  private:
    static inline DragDropTest* current_ = nullptr;
    std::deque<std::function<void()>> script_;
    std::uintptr_t timer_ = 0;
    int pressedAt_ = -1;
};

TEST_F(DragDropTest, TargetHearsEnterOverLeaveAndDropInItsClientPixels) {
    const auto sourceLog = Drag({MoveTo(target, 5, 6), MoveTo(target, 50, 60),
                                 MoveTo(sourceForm, 1, 1), MoveTo(target, 7, 8), Release()});
    EXPECT_EQ(
        targetEvents.log,
        (Log{"Enter effect=3 button=1 shift=0 at 5,6", "Over effect=3 button=1 shift=0 at 50,60",
             "Leave effect=0 button=1 shift=0 at 50,60", "Enter effect=3 button=1 shift=0 at 7,8",
             "Drop effect=3 button=1 shift=0 at 7,8"}));
    EXPECT_EQ(sourceLog, (Log{"StartDrag", "Complete 2"}));
    // Over the target the default is a move; elsewhere nothing.
    EXPECT_EQ(sourceEvents.feedback, (Effects{0, 2, 2, 0, 2}));
}

struct EffectCase {
    const char* what;
    std::int32_t allowed;
    std::vector<int> keys;
    std::int32_t expected;
};

class EffectTableTest : public DragDropTest, public ::testing::WithParamInterface<EffectCase> {};

TEST_P(EffectTableTest, KeysChooseAmongTheAllowedEffects) {
    const EffectCase& c = GetParam();
    sourceEvents.onStartDrag = [&](std::shared_ptr<DataObject>& data, std::int32_t& allowed) {
        data->SetData("x", vxCFText);
        allowed = c.allowed;
    };
    for (int key : c.keys) display().KeyDown(key);
    HCURSOR shown = 0;
    Drag({MoveTo(target, 30, 30), [&] { shown = display().CursorShape(); }, Release()});
    EXPECT_EQ(sourceEvents.log.back(), "Complete " + std::to_string(c.expected));
    EXPECT_EQ(shown, DragCursorFor(DWORD(c.expected)));
}

INSTANTIATE_TEST_SUITE_P(
    ModifiersAndAllowedEffects, EffectTableTest,
    ::testing::Values(EffectCase{"copy|move, no key", 3, {}, vxDropEffectMove},
                      EffectCase{"copy|move, Ctrl", 3, {VK_CONTROL}, vxDropEffectCopy},
                      EffectCase{"copy|move, Shift", 3, {VK_SHIFT}, vxDropEffectMove},
                      EffectCase{"copy|move, Ctrl+Shift", 3, {VK_CONTROL, VK_SHIFT}, 0},
                      EffectCase{"all, Ctrl+Shift", 7, {VK_CONTROL, VK_SHIFT}, vxDropEffectLink},
                      EffectCase{"copy, no key", 1, {}, vxDropEffectCopy},
                      EffectCase{"copy, Shift", 1, {VK_SHIFT}, 0},
                      EffectCase{"link, no key", 4, {}, vxDropEffectLink},
                      EffectCase{"move, Ctrl", 2, {VK_CONTROL}, 0},
                      EffectCase{"copy|link, no key", 5, {}, vxDropEffectCopy},
                      EffectCase{"scroll bit ignored", int(0x80000003u), {}, vxDropEffectMove}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(DragDropTest, KeysPressedDuringTheDragChangeTheEffectAndReachNoWindow) {
    Drag({MoveTo(target, 30, 30), [] { display().KeyDown(VK_CONTROL); }, Release()});
    EXPECT_EQ(sourceEvents.log.back(), "Complete 1");
    EXPECT_EQ(targetEvents.log[1], "Over effect=3 button=1 shift=2 at 30,30");
    EXPECT_TRUE(keysSeen_.empty());
}

TEST_F(DragDropTest, EscapeCancelsAndTheTargetIsLeft) {
    Drag({MoveTo(target, 30, 30), Press(VK_ESCAPE), MoveTo(target, 40, 40), Release()});
    EXPECT_EQ(targetEvents.log, (Log{"Enter effect=3 button=1 shift=0 at 30,30",
                                     "Leave effect=0 button=1 shift=0 at 30,30"}));
    EXPECT_EQ(sourceEvents.log.back(), "Complete 0");
    EXPECT_TRUE(keysSeen_.empty()) << "the Escape belonged to the drag";
}

TEST_F(DragDropTest, DropModeNoneGivesTheTargetNothing) {
    targetDnd->SetOLEDropMode(vxOLEDropNone);
    HCURSOR shown = 0;
    Drag({MoveTo(target, 30, 30), [&] { shown = display().CursorShape(); }, Release()});
    EXPECT_TRUE(targetEvents.log.empty());
    EXPECT_EQ(sourceEvents.log.back(), "Complete 0");
    EXPECT_EQ(shown, IDC_NO);
    EXPECT_THROW(targetDnd->SetOLEDropMode(2), Error);
}

TEST_F(DragDropTest, APromisedFormatIsAskedOfTheSourceWhenTheTargetReadsIt) {
    sourceEvents.onStartDrag = [](std::shared_ptr<DataObject>& data, std::int32_t&) {
        data->SetData(Variant(), vxCFText);
        data->SetData(Variant(), vxCFFiles);
    };
    sourceEvents.onSetData = [](std::shared_ptr<DataObject>& data, std::int16_t format) {
        if (format == vxCFText) data->SetData("rendered late", format);
    };
    std::vector<std::string> read;
    targetEvents.onDragOver = [&](std::shared_ptr<DataObject>& data, std::int32_t&, std::int16_t) {
        read.push_back(data->GetFormat(vxCFText) ? "has text" : "no text");
    };
    targetEvents.onDragDrop = [&](std::shared_ptr<DataObject>& data, std::int32_t&) {
        read.push_back(data->GetData(vxCFUnicodeText).ToString());
        read.push_back(data->GetData(vxCFText).ToString());
        try {
            data->GetData(vxCFFiles);
        } catch (const Error& e) {
            read.push_back("files: " + std::to_string(e.Number()));
        }
        EXPECT_THROW(data->SetData("more", RegisterDataFormat("text/x-more")), Error);
    };
    Drag({MoveTo(target, 30, 30), Release()});
    EXPECT_EQ(read, (Log{"has text", "rendered late", "rendered late", "files: 676"}));
    EXPECT_EQ(sourceEvents.log, (Log{"StartDrag", "SetData 1", "SetData 15", "Complete 2"}));
}

TEST_F(DragDropTest, HandlerAnswersGoBackIntoTheDrag) {
    struct Case {
        const char* what;
        std::function<void(std::int32_t&, bool&)> feedback;
        HCURSOR expectedCursor;
    };
    const Case cases[] = {
        {"default cursor for the target's copy", nullptr, IDC_DRAGCOPY},
        {"the source's own cursor",
         [](std::int32_t&, bool& useDefault) {
             useDefault = false;
             SetCursor(IDC_HAND);
         },
         IDC_HAND},
        {"the default cursor of another effect",
         [](std::int32_t& effect, bool&) { effect = vxDropEffectLink; }, IDC_DRAGLINK},
    };
    targetEvents.onDragOver = [](std::shared_ptr<DataObject>&, std::int32_t& effect, std::int16_t) {
        effect = vxDropEffectCopy;
    };
    targetEvents.onDragDrop = [](std::shared_ptr<DataObject>&, std::int32_t& effect) {
        effect = vxDropEffectCopy;
    };
    for (const Case& c : cases) {
        sourceEvents = DragRecorder{};
        sourceEvents.onStartDrag = [](std::shared_ptr<DataObject>& data, std::int32_t&) {
            data = std::make_shared<DataObject>();  // a replaced object is the one dragged
            data->SetData("x");
        };
        sourceEvents.onGiveFeedback = c.feedback;
        HCURSOR shown = 0;
        Drag({MoveTo(target, 30, 30), [&] { shown = display().CursorShape(); }, Release()});
        EXPECT_EQ(shown, c.expectedCursor) << c.what;
        EXPECT_EQ(sourceEvents.feedback.back(), vxDropEffectCopy) << c.what;
        EXPECT_EQ(sourceEvents.log.back(), "Complete 1") << c.what;
    }
}

TEST_F(DragDropTest, TargetWindowDestroyedDuringTheDragIsForgotten) {
    Drag({MoveTo(target, 30, 30), [&] { DestroyWindow(targetForm); }, MoveTo(sourceForm, 5, 5),
          Release()});
    EXPECT_EQ(targetEvents.log, (Log{"Enter effect=3 button=1 shift=0 at 30,30"}));
    EXPECT_EQ(sourceEvents.log.back(), "Complete 0");
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(DragDropTest, TargetDestroyingItselfWhileAnsweringEndsNothingElse) {
    targetEvents.onDragOver = [&](std::shared_ptr<DataObject>&, std::int32_t& effect,
                                  std::int16_t state) {
        effect = vxDropEffectCopy;
        if (state == vxDragOver) DestroyWindow(target);
    };
    HCURSOR shown = 0;
    Drag({MoveTo(target, 30, 30), MoveTo(target, 31, 30), [&] { shown = display().CursorShape(); },
          Release()});
    EXPECT_EQ(targetEvents.log.size(), 2u);
    EXPECT_EQ(shown, IDC_NO);
    EXPECT_EQ(sourceEvents.log.back(), "Complete 0");
}

// Every way a drag can end gives the capture and the pointer back and leaves the keyboard alone.
TEST_F(DragDropTest, EveryEndReleasesTheCapture) {
    struct Case {
        const char* what;
        std::vector<std::function<void()>> script;
        std::int32_t effect;
    };
    const Case cases[] = {
        {"dropped on the target", {MoveTo(target, 30, 30), Release()}, vxDropEffectMove},
        {"dropped on no target", {MoveTo(sourceForm, 5, 5), Release()}, 0},
        {"cancelled with Escape", {MoveTo(target, 30, 30), Press(VK_ESCAPE)}, 0},
        {"capture taken away", {MoveTo(target, 30, 30), [&] { SetCapture(sourceForm); }}, 0},
        {"nothing more arrives", {MoveTo(target, 30, 30)}, 0},
        {"the source window destroyed", {[&] { DestroyWindow(sourceForm); }}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        Drag(c.script);
        EXPECT_EQ(sourceEvents.log.back(), "Complete " + std::to_string(c.effect));
        EXPECT_FALSE(IsDragging());
        if (GetCapture() == sourceForm) ReleaseCapture();
        EXPECT_EQ(GetCapture(), 0u);
        EXPECT_FALSE(display().PointerGrabbed());
        display().MouseUp();
        display().KeyPress('A');
        EXPECT_EQ(keysSeen_.size(), 1u) << "keys reach windows again";
    }
}

TEST_F(DragDropTest, ADragStartedDuringADragIsRefused) {
    std::int32_t nested = -1;
    targetEvents.onDragOver = [&](std::shared_ptr<DataObject>&, std::int32_t&, std::int16_t) {
        if (nested < 0) nested = targetDnd->OLEDrag();
    };
    targetEvents.onStartDrag = [](std::shared_ptr<DataObject>& data, std::int32_t&) {
        data->SetData("inner");
    };
    Drag({MoveTo(target, 30, 30), Release()});
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(sourceEvents.log.back(), "Complete 2");
}

TEST_F(DragDropTest, NoDataOrNoEffectStartsNoDrag) {
    const std::function<void(std::shared_ptr<DataObject>&, std::int32_t&)> starts[] = {
        [](std::shared_ptr<DataObject>&, std::int32_t&) {},
        [](std::shared_ptr<DataObject>& data, std::int32_t& allowed) {
            data->SetData("x");
            allowed = vxDropEffectNone;
        },
        [](std::shared_ptr<DataObject>& data, std::int32_t&) { data.reset(); },
    };
    for (const auto& start : starts) {
        sourceEvents = DragRecorder{};
        sourceEvents.onStartDrag = start;
        Drag({MoveTo(target, 30, 30), Release()});
        EXPECT_EQ(sourceEvents.log, (Log{"StartDrag", "Complete 0"}));
        EXPECT_TRUE(targetEvents.log.empty());
        display().MouseUp();
    }
}

}  // namespace
}  // namespace vexa::sys::testing
