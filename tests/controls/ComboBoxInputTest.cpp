// The combo box as a user drives it through the display's input path: opening, choosing and
// closing by keys, typing, clicks, focus and activation, with the parent's notifications.
#include <sstream>

#include "controls/ComboTestSupport.h"

namespace vexa::sys::combo_testing {
namespace {

const std::vector<std::string> kFruit = {"Apple", "Banana", "Cherry",    "Date",  "Elder",
                                         "Fig",   "Grape",  "Cranberry", "Éclair"};

struct Scenario {
    const char* name;
    const char* steps;  // run in order, separated by spaces
    std::vector<UINT> notifications;
    int selection;         // afterwards
    bool dropped = false;  // afterwards
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

constexpr UINT DROP = CBN_DROPDOWN, CHANGE = CBN_SELCHANGE, OK = CBN_SELENDOK,
               CANCEL = CBN_SELENDCANCEL, CLOSE = CBN_CLOSEUP;

class ComboBoxInputTest : public ComboTest, public ::testing::WithParamInterface<Scenario> {
  protected:
    void Step(const std::string& step) {
        static const std::vector<std::pair<std::string, int>> keys = {
            {"F4", VK_F4},     {"Down", VK_DOWN},    {"Up", VK_UP},
            {"PgDn", VK_NEXT}, {"PgUp", VK_PRIOR},   {"Home", VK_HOME},
            {"End", VK_END},   {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}};
        for (const auto& [name, key] : keys) {
            if (step == name) return display().KeyPress(key);
        }
        if (step == "open" || step == "close") {
            SendMessage(combo, CB_SHOWDROPDOWN, step == "open");
        } else if (step == "Alt+Down") {
            display().KeyDown(VK_MENU);
            display().KeyPress(VK_DOWN);
            display().KeyUp(VK_MENU);
        } else if (step.starts_with("type:")) {
            display().TypeText(step.substr(5));
        } else if (step == "click-box") {
            const RECT box = RectOf(combo);
            display().Click(box.left + 40, (box.top + box.bottom) / 2);
        } else if (step.starts_with("click:")) {
            ClickItem(std::stoi(step.substr(6)));
        } else if (step.starts_with("hover:")) {
            const POINT p = ItemPoint(std::stoi(step.substr(6)));
            display().MouseMove(p.x, p.y);
        } else if (step == "click-away") {
            display().Click(kFormRect.right - 10, kFormRect.bottom - 10);
        } else if (step == "focus-away") {
            SetFocus(form);
        } else if (step == "activate-other") {
            SetActiveWindow(
                CreateWindowEx(0, kFormClass, "other", WS_POPUP | WS_VISIBLE, 700, 100, 100, 100));
        } else if (step == "wheel-down") {
            display().Wheel(-WHEEL_DELTA);
        } else {
            FAIL() << "unknown step " << step;
        }
        PumpMessages();
    }
};

TEST_P(ComboBoxInputTest, NotifiesInClassicOrderAndEndsOnTheChosenItem) {
    const Scenario& scenario = GetParam();
    MakeCombo(0, kFruit);
    SendMessage(combo, CB_SETCURSEL, 1);
    SetFocus(combo);
    PumpMessages();
    Form().Clear();
    std::istringstream steps(scenario.steps);
    for (std::string step; steps >> step;) Step(step);

    std::vector<UINT> seen;
    for (UINT code : Form().notifications)
        if (code != CBN_SETFOCUS && code != CBN_KILLFOCUS) seen.push_back(code);
    EXPECT_EQ(seen, scenario.notifications);
    EXPECT_EQ(Selection(), scenario.selection);
    EXPECT_EQ(Dropped(), scenario.dropped);
    EXPECT_EQ(IsWindowVisible(list), scenario.dropped);
    EXPECT_EQ(GetCapture() == list, scenario.dropped);
}

// A parent that ends its own edit on CBN_SELENDOK hides the list and hands the focus back
// from its handlers, as an in-place editor does; the close-up under way absorbs both.
TEST_F(ComboTest, AParentClosingTheListFromItsHandlersGetsOneCloseUp) {
    MakeCombo(0, kFruit);
    Form().onNotify = [this](UINT code) {
        if (code == CBN_SELENDOK) SendMessage(combo, CB_SHOWDROPDOWN, 0);
        if (code == CBN_CLOSEUP) SetFocus(form);
    };
    SendMessage(combo, CB_SHOWDROPDOWN, 1);
    SetFocus(combo);
    display().TypeText("d");
    display().KeyPress(VK_RETURN);
    EXPECT_EQ(Form().notifications, (std::vector<UINT>{CBN_DROPDOWN, CBN_SETFOCUS, CBN_SELCHANGE,
                                                       CBN_SELENDOK, CBN_CLOSEUP, CBN_KILLFOCUS}));
    EXPECT_EQ(Selection(), 3);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(GetCapture(), 0u);
}

// Banana (1) is selected before each.
const Scenario kScenarios[] = {
    {"OpenByMessage", "open", {DROP}, 1, true},
    {"OpenByF4", "F4", {DROP}, 1, true},
    {"OpenByAltDown", "Alt+Down", {DROP}, 1, true},
    {"OpenByAClickOnTheBox", "click-box", {DROP}, 1, true},
    {"ArrowsAndEnter", "F4 Down Down Enter", {DROP, CHANGE, CHANGE, OK, CLOSE}, 3},
    {"PageDownAndEnter", "F4 PgDn Enter", {DROP, CHANGE, OK, CLOSE}, 8},
    {"TypingFindsTheNextInitial", "F4 type:c type:C Enter", {DROP, CHANGE, CHANGE, OK, CLOSE}, 7},
    {"TypedNonAsciiInitialIgnoresCase", "F4 type:é Enter", {DROP, CHANGE, OK, CLOSE}, 8},
    {"AClickOnAnItemChoosesIt", "click-box click:4", {DROP, CHANGE, OK, CLOSE}, 4},
    {"EnterChoosesTheItemHovered", "click-box hover:5 Enter", {DROP, CHANGE, OK, CLOSE}, 5},
    {"EscapePutsTheSelectionBack", "F4 Down Esc", {DROP, CHANGE, CANCEL, CLOSE}, 1},
    {"AClickElsewhereCancels", "click-box hover:5 click-away", {DROP, CANCEL, CLOSE}, 1},
    {"AClickOnTheBoxClosesIt", "click-box click-box", {DROP, CANCEL, CLOSE}, 1},
    {"LosingTheFocusCancels", "F4 Down focus-away", {DROP, CHANGE, CANCEL, CLOSE}, 1},
    {"LosingActivationCancels", "F4 activate-other", {DROP, CANCEL, CLOSE}, 1},
    {"F4AgainClosesWithTheSelection", "F4 Down F4", {DROP, CHANGE, OK, CLOSE}, 2},
    {"ClosingByMessageCancels", "open close", {DROP, CANCEL, CLOSE}, 1},
    {"KeysOnTheClosedBoxSelect", "Down End Home", {CHANGE, CHANGE, CHANGE}, 0},
    {"TheWheelOnTheClosedBoxSelects", "wheel-down", {CHANGE}, 2}};

INSTANTIATE_TEST_SUITE_P(Scenarios, ComboBoxInputTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vexa::sys::combo_testing
