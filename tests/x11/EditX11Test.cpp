// Editing in a real window on a real X server: xdotool types into a text cell's editor and
// picks an item from a combo cell's dropped list with the mouse.
#include <string>

#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/window/Messages.h"
#include "vexa/vexa.h"
// Xlib's macros come last.
#include "common/X11Session.h"

namespace vexa::test {
namespace {

TEST(EditX11Test, TypingIntoACellAndPickingFromAList) {
    X11Session x11;
    if (!x11.Open()) GTEST_SKIP() << "no X display";
    Vexa grid;
    grid.AddCol({.lWidth = 120});
    grid.AddCol({.lWidth = 120});
    grid.SetRowCount(3);
    const auto fruit = grid.Combos().Add("fruit");
    for (const char* name : {"Apple", "Banana", "Cherry"}) fruit->AddItem(name);
    grid.SetCellType(1, 2, vxCellCombo);
    grid.SetCellCtrlKey(1, 2, "fruit");
    grid.SetCellValue(1, 2, "Apple");
    const sys::HWND frame = sys::GetParent(grid.hwnd());
    sys::SetActiveWindow(frame);
    sys::SetFocus(grid.hwnd());
    x11.WaitUntilMapped(frame);

    grid.SetCurCell(1, 1);
    grid.RequestEdit();
    ASSERT_NE(grid.TextEditHwnd(), 0u);
    ASSERT_TRUE(x11.Xdotool("type --delay 20 'hello'", [&] {
        return grid.TextEditText() == "hello";
    })) << grid.TextEditText();
    ASSERT_TRUE(x11.Xdotool("key Return", [&] { return grid.TextEditHwnd() == 0; }));
    EXPECT_EQ(grid.CellValue(1, 1), Variant("hello"));

    grid.SetCurCell(1, 2);
    grid.RequestEdit();
    const sys::HWND list = sys::GetCapture();
    ASSERT_EQ(sys::GetClassName(list), "ComboLBox");
    ASSERT_TRUE(x11.PumpUntil([&] { return sys::IsWindowVisible(list); }));
    sys::RECT rect;
    sys::GetWindowRect(list, &rect);
    const int item = int(sys::SendMessage(sys::GetFocus(), sys::CB_GETITEMHEIGHT, 0));
    const std::string cherry =
        std::to_string(rect.left + 20) + " " + std::to_string(rect.top + 1 + 2 * item + item / 2);
    ASSERT_TRUE(x11.Xdotool("mousemove " + cherry + " click 1", [&] {
        return grid.CellValue(1, 2) == Variant("Cherry");
    })) << grid.CellText(1, 2);
    EXPECT_EQ(grid.CellText(1, 2), "Cherry");
    EXPECT_FALSE(sys::IsWindowVisible(list));
}

}  // namespace
}  // namespace vexa::test
