// A grid on a form with the keyboard focus: keys pressed with modifiers held, through the
// display's input path, and the selection and its events in a short form tables can state.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "common/GridOnForm.h"

namespace vexa::test {

constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

struct Key {
    int vk;
    int mods = 0;
};

class SelectionGrid : public GridOnForm {
  public:
    void Focus() {
        sys::SetFocus(grid().hwnd());
        sys::PumpMessages();
    }
    void Press(const std::vector<Key>& keys) {
        const int modifiers[][2] = {{kShift, sys::VK_SHIFT}, {kCtrl, sys::VK_CONTROL},
                                    {kAlt, sys::VK_MENU}};
        for (const Key& key : keys) {
            for (const auto& m : modifiers) {
                if (key.mods & m[0]) display().KeyDown(m[1]);
            }
            display().KeyPress(key.vk);
            for (const auto& m : modifiers) {
                if (key.mods & m[0]) display().KeyUp(m[1]);
            }
        }
    }
    // "r.c" of every selected cell, in row order.
    std::string Selected() {
        std::string cells;
        for (int r = 1; r <= grid().RowCount(); ++r) {
            for (int c = 1; c <= grid().ColCount(); ++c) {
                if (grid().CellSelected(r, c)) cells += " " + Cell(r, c);
            }
        }
        return cells.empty() ? cells : cells.substr(1);
    }
    std::string Current() { return Cell(grid().CurRow(), grid().CurCol()); }
    // Selection changes as "+r.c" or "-r.c" and current-cell changes as "@r.c", in order.
    std::string Changes() {
        std::string out;
        for (const std::string& e : log.entries) {
            int r = 0, c = 0, s = 0;
            if (std::sscanf(e.c_str(), "CellSelectionChange(%d,%d,%d)", &r, &c, &s) == 3) {
                out += (s ? " +" : " -") + Cell(r, c);
            } else if (std::sscanf(e.c_str(), "CurCellChange(%d,%d)", &r, &c) == 2) {
                out += " @" + Cell(r, c);
            }
        }
        return out.empty() ? out : out.substr(1);
    }
    static std::string Cell(int r, int c) { return std::to_string(r) + "." + std::to_string(c); }
};

}  // namespace vexa::test
