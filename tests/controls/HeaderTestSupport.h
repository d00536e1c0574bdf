// A header on a recording parent: the parent logs every notification (code and payload) and
// owner-draw call in order, and answers notifications as a test tells it to.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "vexa/system/controls/HeaderControl.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {

struct Notice {
    UINT code = 0;
    int item = -1;
    int width = -1;  // pitem->cxy when the payload carries a width
    int order = -1;  // pitem->iOrder when it carries an order
};

struct ParentLog {
    std::vector<Notice> notices;
    std::vector<DRAWITEMSTRUCT> draws;
    int contextMenus = 0;
    COLORREF ownerFill = CLR_NONE;  // what the parent paints owner-drawn items with
    std::map<UINT, std::function<LRESULT()>> answers;

    // The notifications heard, in order, by short names: "begin track end released".
    std::string Heard() const {
        static const std::map<UINT, std::string> names = {
            {HDN_BEGINTRACK, "begin"},      {HDN_TRACK, "track"},
            {HDN_ENDTRACK, "end"},          {HDN_ITEMCHANGING, "changing"},
            {HDN_ITEMCHANGED, "changed"},   {HDN_ITEMCLICK, "click"},
            {HDN_ITEMDBLCLICK, "dblclick"}, {HDN_DIVIDERDBLCLICK, "dividerdblclick"},
            {HDN_BEGINDRAG, "drag"},        {HDN_ENDDRAG, "drop"},
            {NM_RCLICK, "rclick"},          {NM_RELEASEDCAPTURE, "released"}};
        std::string heard;
        for (const Notice& n : notices)
            heard += (heard.empty() ? "" : " ") +
                     (names.contains(n.code) ? names.at(n.code) : std::to_string(n.code));
        return heard;
    }
};

inline ParentLog& Parent() {
    static ParentLog log;
    return log;
}

inline void RecordNotice(const NMHEADER& nm) {
    Notice notice{nm.hdr.code};
    if (nm.hdr.code <= HDN_FIRST && nm.hdr.code > HDN_FIRST - 100) {  // an NMHEADER
        notice.item = nm.iItem;
        if (nm.pitem != nullptr && (nm.pitem->mask & HDI_WIDTH)) notice.width = nm.pitem->cxy;
        if (nm.pitem != nullptr && (nm.pitem->mask & HDI_ORDER)) notice.order = nm.pitem->iOrder;
    }
    Parent().notices.push_back(notice);
}

inline LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        const auto& nm = *reinterpret_cast<const NMHEADER*>(lParam);
        RecordNotice(nm);
        const auto answer = Parent().answers.find(nm.hdr.code);
        return answer == Parent().answers.end() ? 0 : answer->second();
    }
    if (msg == WM_DRAWITEM) {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        Parent().draws.push_back(draw);
        const HBRUSH brush = CreateSolidBrush(Parent().ownerFill);
        if (Parent().ownerFill != CLR_NONE) FillRect(draw.hDC, &draw.rcItem, brush);
        DeleteObject(brush);
        return 1;
    }
    if (msg == WM_CONTEXTMENU) ++Parent().contextMenus;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

constexpr std::uintptr_t kHeaderId = 42;
constexpr int kHeaderHeight = 24;

class HeaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterClasses();
        display().AdvanceClock(1000);  // no double click with an earlier test's click
    }
    void TearDown() override {
        DestroyAllWindowsForTesting();
        SetThemeActive(true);
    }
    static void RegisterClasses() {
        RegisterHeaderControl();
        WNDCLASS cls;
        cls.lpfnWndProc = &ParentProc;
        cls.lpszClassName = "VexaHeaderTestParent";
        RegisterClass(cls);
        DestroyAllWindowsForTesting();
        SetThemeActive(false);
        Parent() = ParentLog{};
    }
    static HeadlessDisplay& display() { return HeadlessDisplay::Instance(); }

    // A header 500 wide on a parent window, with one item per width, titled "Item <n>";
    // whatever an earlier header left behind is gone, and the parent's log is empty.
    void MakeHeader(UINT style, const std::vector<int>& widths, int format = HDF_STRING) {
        DestroyAllWindowsForTesting();
        parent = CreateWindowEx(0, "VexaHeaderTestParent", "", WS_POPUP | WS_VISIBLE, 100, 100, 520,
                                200);
        header = CreateWindowEx(0, WC_HEADER, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 500,
                                kHeaderHeight, parent, kHeaderId);
        for (std::size_t i = 0; i < widths.size(); ++i) Insert(int(i), widths[i], format);
        PumpMessages();
        Parent() = ParentLog{};
    }
    int Insert(int index, int width, int format, std::string text = "") {
        if (text.empty()) text = "Item " + std::to_string(index);
        HDITEM item;
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM;
        item.cxy = width;
        item.pszText = text.data();
        item.fmt = format;
        item.lParam = 1000 + index;
        return int(SendMessage(header, HDM_INSERTITEM, WPARAM(index), LPARAM(&item)));
    }
    RECT ItemRect(int index) const {
        RECT rect;
        SendMessage(header, HDM_GETITEMRECT, WPARAM(index), LPARAM(&rect));
        return rect;
    }
    int Width(int index) const {
        HDITEM item;
        item.mask = HDI_WIDTH;
        SendMessage(header, HDM_GETITEM, WPARAM(index), LPARAM(&item));
        return item.cxy;
    }
    std::vector<int> OrderArray() const {
        std::vector<int> order(std::size_t(SendMessage(header, HDM_GETITEMCOUNT)));
        SendMessage(header, HDM_GETORDERARRAY, order.size(), LPARAM(order.data()));
        return order;
    }
    // Input goes to screen points; these take header client points.
    POINT Screen(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(header, &p);
        return p;
    }
    void MoveTo(int x, int y = 10) const {
        const POINT p = Screen(x, y);
        display().MouseMove(p.x, p.y);
    }
    void Press(int x, int y = 10) const {
        MoveTo(x, y);
        display().MouseDown();
    }
    // Press at fromX, move to toX in equal steps, release.
    void DragX(int fromX, int toX, int steps = 4) const {
        const POINT from = Screen(fromX, 10), to = Screen(toX, 10);
        display().Drag(from.x, from.y, to.x, to.y, steps);
    }
    COLORREF Pixel(int x, int y) const {
        PumpMessages();
        return display().WindowPixel(header, x, y);
    }

    HWND parent = 0;
    HWND header = 0;
};

}  // namespace vexa::sys::testing
