// The edit control's standard context menu: a small popup with undo, cut, copy, paste, delete
// and select all. It takes the mouse while open but never the focus (the edit keeps it and
// forwards its keys), and a chosen item is sent to the edit window as its message.
#pragma once

#include <string>
#include <vector>

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

struct EditMenuItem {
    std::string label;  // "&" marks the mnemonic letter
    UINT message = 0;   // sent to the edit window when chosen
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool enabled = true;
    bool separatorBefore = false;  // a line above the item
};

class EditContextMenu {
  public:
    // Shows the menu with its top-left corner at a screen point (moved to stay on the
    // screen); returns its window.
    static HWND Open(HWND owner, POINT screen, std::vector<EditMenuItem> items);
    static void Close(HWND menu);
    // Up/Down move the highlight, Enter or Space choose it, a mnemonic letter chooses its
    // item, Esc closes.
    static void HandleKey(HWND menu, int virtualKey);
    // The highlighted item, -1 when none; for tests and painting.
    static int HotItem(HWND menu);
    // The item's rectangle in the menu's client coordinates.
    static RECT ItemRect(HWND menu, int item);
};

}  // namespace vexa::sys
