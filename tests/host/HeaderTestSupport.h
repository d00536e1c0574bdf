// A grid on a form with its column header at hand: the titles' rectangles (as the header
// reports them), screen points on titles and dividers for injected input, modifier keys held
// around a click, a sink that answers the header events as a test asks, and the check that
// every title stands over its column.
#pragma once

#include <string>
#include <vector>

#include "common/GridOnForm.h"
#include "vexa/system/controls/ControlMessages.h"

namespace vexa::test {

// Answers the grid's header events as told; advised after the log, so the log records what
// the grid passed.
struct HeaderAnswers : VexaEvents {
    bool refuseClick = false;
    bool cancelBeginDrag = false;
    bool cancelEndDrag = false;
    bool refuseDividerDefault = false;

    void ColHeaderClick(std::int32_t, bool& doDefault, std::int16_t, std::int32_t,
                        std::int32_t) override {
        if (refuseClick) doDefault = false;
    }
    void ColHeaderBeginDrag(std::int32_t, bool& cancel) override {
        if (cancelBeginDrag) cancel = true;
    }
    void ColHeaderEndDrag(std::int32_t, std::int32_t, bool& cancel) override {
        if (cancelEndDrag) cancel = true;
    }
    void ColDividerDblClick(std::int32_t, bool& doDefault) override {
        if (refuseDividerDefault) doDefault = false;
    }
};

class HeaderOnForm : public GridOnForm {
  protected:
    HeaderOnForm() {
        display().AdvanceClock(1000);  // no double click with a click of an earlier test
        grid().Advise(&answers);
    }

    sys::HWND HeaderWindow() { return grid().Header()->hwnd(); }
    int ItemCount() { return int(sys::SendMessage(HeaderWindow(), sys::HDM_GETITEMCOUNT)); }
    // The header item standing for a column (index or key); -1 when it has none.
    int ItemOf(const Variant& col) {
        const int position = grid().ColOrder(col);
        for (int item = 0; item < ItemCount(); ++item) {
            sys::HDITEM fields;
            fields.mask = sys::HDI_LPARAM;
            sys::SendMessage(HeaderWindow(), sys::HDM_GETITEM, item, sys::LPARAM(&fields));
            if (fields.lParam == position) return item;
        }
        return -1;
    }
    // Header client coordinates.
    sys::RECT TitleRect(const Variant& col) {
        sys::RECT rect{};
        sys::SendMessage(HeaderWindow(), sys::HDM_GETITEMRECT, sys::WPARAM(ItemOf(col)),
                         sys::LPARAM(&rect));
        return rect;
    }
    sys::POINT OnHeader(int x, int y) {
        sys::POINT point{x, y};
        sys::ClientToScreen(HeaderWindow(), &point);
        return point;
    }
    sys::POINT TitleCentre(const Variant& col) {
        const sys::RECT r = TitleRect(col);
        return OnHeader((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // On the divider right of the column's title.
    sys::POINT DividerOf(const Variant& col) {
        const sys::RECT r = TitleRect(col);
        return OnHeader(r.right - 1, (r.top + r.bottom) / 2);
    }
    // A click on the title with the given keys (VK_SHIFT, ...) held; later clicks are
    // never taken for a double click with it.
    void ClickTitle(const Variant& col, const std::vector<int>& keys = {}) {
        const sys::POINT at = TitleCentre(col);
        for (int key : keys) display().KeyDown(key);
        display().Click(at.x, at.y);
        for (int key : keys) display().KeyUp(key);
        display().AdvanceClock(1000);
    }
    void DragPoints(sys::POINT from, sys::POINT to) {
        display().Drag(from.x, from.y, to.x, to.y);
        display().AdvanceClock(1000);
    }
    std::vector<std::string> Column(const Variant& col) {
        std::vector<std::string> texts;
        for (int row = 1; row <= grid().RowCount(); ++row)
            texts.push_back(grid().CellText(row, col));
        return texts;
    }
    sys::COLORREF HeaderPixel(int x, int y) {
        sys::PumpMessages();
        return display().WindowPixel(HeaderWindow(), x, y);
    }
    // Every shown column has one title, at the column's place, however far the grid is
    // scrolled: its left edge and width are those of its cells.
    void ExpectTitlesOverColumns() {
        int shown = 0;
        for (int col = 1; col <= grid().ColCount(); ++col) {
            if (!grid().ColVisible(col)) {
                EXPECT_EQ(ItemOf(col), -1) << "hidden column " << col;
                continue;
            }
            ++shown;
            ASSERT_GE(ItemOf(col), 0) << "column " << col;
            sys::RECT title = TitleRect(col);
            sys::MapWindowPoints(HeaderWindow(), grid().hwnd(), &title);
            const sys::RECT cell = CellRect(1, col);
            EXPECT_EQ(title.left, cell.left) << "column " << col;
            EXPECT_EQ(title.right - title.left, grid().ColWidth(col)) << "column " << col;
        }
        EXPECT_EQ(ItemCount(), shown);
    }

    // The call raises the grid error of that code.
    template <class Call>
    static void ExpectGridError(std::int32_t code, Call call, const std::string& what) {
        try {
            call();
            ADD_FAILURE() << what << ": taken";
        } catch (const Error& error) {
            EXPECT_EQ(error.Number(), std::int32_t(0x80040000u + code)) << what;
        }
    }

    HeaderAnswers answers;
};

}  // namespace vexa::test
