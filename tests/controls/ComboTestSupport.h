// A form on the headless display with a combo box on it. The form's procedure records the
// combo box's notifications and its measure and draw requests, measures and draws owner-drawn
// items in colours a test can look for, and lets a test answer the list's colour request.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "vexa/system/controls/ComboBox.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::combo_testing {

constexpr int kComboId = 7;
constexpr COLORREF kSelectedInk = RGB(200, 30, 30);

// Owner-drawn item i is filled with ItemInk(i), or kSelectedInk while selected.
inline COLORREF ItemInk(int index) {
    return RGB(20 + (index * 37) % 200, 120, 250 - (index * 11) % 100);
}

struct DrawRecord {
    int itemId;
    UINT action;
    UINT state;
};

struct FormLog {
    std::vector<UINT> notifications;  // CBN_ codes from the combo box, in order
    std::vector<int> measured;        // itemID of every WM_MEASUREITEM
    std::vector<DrawRecord> drawn;    // every WM_DRAWITEM
    std::function<int(int)> heightOf = [](int) { return 18; };
    std::function<void(HWND list)> onListColors;
    std::function<void(UINT code)> onNotify;
    void Clear() { notifications.clear(), measured.clear(), drawn.clear(); }
    // List items drawn (not the selection field).
    std::vector<DrawRecord> ListDraws() const {
        std::vector<DrawRecord> result;
        for (const DrawRecord& d : drawn)
            if ((d.state & ODS_COMBOBOXEDIT) == 0) result.push_back(d);
        return result;
    }
};

inline FormLog& Form() {
    static FormLog log;
    return log;
}

inline LRESULT FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wParam) != kComboId) return 0;
            Form().notifications.push_back(HIWORD(wParam));
            if (Form().onNotify) Form().onNotify(HIWORD(wParam));
            return 0;
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            Form().measured.push_back(int(measure->itemID));
            measure->itemHeight = UINT(Form().heightOf(int(measure->itemID)));
            return 1;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            Form().drawn.push_back({int(draw->itemID), draw->itemAction, draw->itemState});
            HBRUSH brush = CreateSolidBrush(
                (draw->itemState & ODS_SELECTED) ? kSelectedInk : ItemInk(int(draw->itemID)));
            FillRect(draw->hDC, &draw->rcItem, brush);
            DeleteObject(brush);
            return 1;
        }
        case WM_CTLCOLORLISTBOX:
            if (Form().onListColors) Form().onListColors(HWND(lParam));
            return 0;
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

class ComboTest : public ::testing::Test {
  protected:
    static constexpr const char* kFormClass = "VexaComboTestForm";
    static constexpr RECT kFormRect{100, 100, 600, 500};

    void SetUp() override {
        WNDCLASS cls;
        cls.lpfnWndProc = &FormProc;
        cls.hbrBackground = COLOR_BTNFACE + 1;
        cls.lpszClassName = kFormClass;
        RegisterClass(cls);
        ASSERT_TRUE(RegisterComboBoxClass());
        DestroyAllWindowsForTesting();
        SetThemeActive(true);
        Form() = FormLog{};
        form = CreateWindowEx(0, kFormClass, "form", WS_POPUP | WS_VISIBLE, kFormRect.left,
                              kFormRect.top, kFormRect.right - kFormRect.left,
                              kFormRect.bottom - kFormRect.top);
        PumpMessages();
    }
    void TearDown() override {
        DestroyAllWindowsForTesting();
        Form() = FormLog{};
        SetThemeActive(true);
    }

    static HeadlessDisplay& display() { return HeadlessDisplay::Instance(); }

    // A combo box at (20, 20) of the form, 160 wide, asking for `height` with its list.
    HWND MakeCombo(UINT extraStyle = 0, const std::vector<std::string>& items = {},
                   int height = 200) {
        combo = CreateWindowEx(0, kComboBoxClassName, "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | extraStyle,
                               20, 20, 160, height, form, kComboId);
        for (const std::string& item : items)
            SendMessage(combo, CB_ADDSTRING, 0, Text(item.c_str()));
        list = Info().hwndList;
        PumpMessages();
        Form().Clear();
        return combo;
    }

    COMBOBOXINFO Info() const {
        COMBOBOXINFO info;
        GetComboBoxInfo(combo, &info);
        return info;
    }
    static LPARAM Text(const char* text) { return LPARAM(text); }
    int Selection() const { return int(SendMessage(combo, CB_GETCURSEL)); }
    bool Dropped() const { return SendMessage(combo, CB_GETDROPPEDSTATE) != 0; }
    static RECT RectOf(HWND hwnd) {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        return rect;
    }
    // The screen point at the middle of list item `index`, counted from the top index.
    POINT ItemPoint(int index) const {
        POINT origin{0, 0};
        ClientToScreen(list, &origin);
        int y = 0;
        for (int i = int(SendMessage(combo, CB_GETTOPINDEX)); i < index; ++i)
            y += int(SendMessage(combo, CB_GETITEMHEIGHT, WPARAM(i)));
        const int height = int(SendMessage(combo, CB_GETITEMHEIGHT, WPARAM(index)));
        return POINT{origin.x + 20, origin.y + y + height / 2};
    }
    void ClickItem(int index) {
        const POINT p = ItemPoint(index);
        display().Click(p.x, p.y);
    }

    HWND form = 0;
    HWND combo = 0;
    HWND list = 0;
};

}  // namespace vexa::sys::combo_testing
