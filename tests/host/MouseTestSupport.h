// A grid on a form for the mouse: three columns of 80 pixels, five rows, input through the
// display at points the grid reports, and a second sink whose handlers a test sets to answer
// the mouse and drag-and-drop events as a host would.
#pragma once

#include <functional>
#include <string>

#include "common/GridOnForm.h"

namespace vexa::test {

struct MouseHandlers : VexaEvents {
    std::function<void(std::int16_t& shift, bool& doDefault)> onMouseDown;
    std::function<void(bool& doDefault)> onMouseUp;
    std::function<void(bool& requestEdit)> onDblClick;
    std::function<void()> onStartCellDrag;
    std::function<void(std::shared_ptr<DataObject>&, std::int32_t& allowed)> onStartDrag;
    std::function<void(std::shared_ptr<DataObject>&, std::int16_t format)> onSetData;
    std::function<void(std::int32_t& effect)> onDragOver;
    std::function<void(std::shared_ptr<DataObject>&, std::int32_t& effect, float x, float y)>
        onDragDrop;

    void MouseDown(std::int16_t, std::int16_t& shift, float, float, std::int32_t, std::int32_t,
                   bool& doDefault, bool) override {
        if (onMouseDown) onMouseDown(shift, doDefault);
    }
    void MouseUp(std::int16_t, std::int16_t, float, float, std::int32_t, std::int32_t,
                 bool& doDefault) override {
        if (onMouseUp) onMouseUp(doDefault);
    }
    void DblClick(std::int32_t, std::int32_t, bool& requestEdit) override {
        if (onDblClick) onDblClick(requestEdit);
    }
    void StartCellDrag(std::int16_t, std::int16_t, float, float, std::int32_t,
                       std::int32_t) override {
        if (onStartCellDrag) onStartCellDrag();
    }
    void OLEStartDrag(std::shared_ptr<DataObject>& data, std::int32_t& allowed) override {
        if (onStartDrag) onStartDrag(data, allowed);
    }
    void OLESetData(std::shared_ptr<DataObject>& data, std::int16_t& format) override {
        if (onSetData) onSetData(data, format);
    }
    void OLEDragOver(std::shared_ptr<DataObject>&, std::int32_t& effect, std::int16_t&,
                     std::int16_t&, float&, float&, std::int16_t&) override {
        if (onDragOver) onDragOver(effect);
    }
    void OLEDragDrop(std::shared_ptr<DataObject>& data, std::int32_t& effect, std::int16_t&,
                     std::int16_t&, float& x, float& y) override {
        if (onDragDrop) onDragDrop(data, effect, x, y);
    }
};

class MouseGrid : public GridOnForm {
  protected:
    static constexpr int kRows = 5;
    static constexpr int kCols = 3;

    MouseGrid() {
        Fill({80, 80, 80}, kRows);
        grid().Advise(&handlers);
        log.Clear();
    }
    ~MouseGrid() override {
        for (int key : {sys::VK_SHIFT, sys::VK_CONTROL, sys::VK_MENU}) {
            if (sys::GetKeyState(key) < 0) display().KeyUp(key);
        }
        if (sys::GetKeyState(sys::VK_LBUTTON) < 0) display().MouseUp();
    }

    // A screen point `dx`, `dy` from the cell's centre.
    sys::POINT At(std::int32_t row, std::int32_t col, int dx = 0, int dy = 0) {
        const sys::POINT centre = CellCentre(row, col);
        return {centre.x + dx, centre.y + dy};
    }
    // Below the last row, in the column.
    sys::POINT BelowRows(std::int32_t col) {
        const sys::RECT last = CellRect(kRows, col);
        return ToScreen({(last.left + last.right) / 2, last.bottom + 20});
    }
    // Holds the modifiers (1 Shift, 2 Ctrl, 4 Alt) down while `act` runs.
    template <class Act>
    void WithKeys(int shift, Act act) {
        const int keys[] = {sys::VK_SHIFT, sys::VK_CONTROL, sys::VK_MENU};
        for (int bit = 0; bit < 3; ++bit) {
            if (shift & (1 << bit)) display().KeyDown(keys[bit]);
        }
        act();
        for (int bit = 0; bit < 3; ++bit) {
            if (shift & (1 << bit)) display().KeyUp(keys[bit]);
        }
    }
    void ClickAt(sys::POINT p, int shift = 0, int button = 1) {
        WithKeys(shift, [&] { display().Click(p.x, p.y, button); });
    }
    void PressAt(sys::POINT p) {
        display().MouseMove(p.x, p.y);
        display().MouseDown();
    }
    void MoveTo(sys::POINT p) { display().MouseMove(p.x, p.y); }
    // The selected cells, row by row: "010/000/...".
    std::string Selection() {
        std::string text;
        for (std::int32_t r = 1; r <= grid().RowCount(); ++r) {
            if (r > 1) text += "/";
            for (std::int32_t c = 1; c <= grid().ColCount(); ++c) {
                text += grid().CellSelected(r, c) ? "1" : "0";
            }
        }
        return text;
    }
    std::string Current() {
        return std::to_string(grid().CurRow()) + "," + std::to_string(grid().CurCol());
    }
    // A client point of the grid as the events report it: "x,y".
    std::string Client(sys::POINT screen) {
        sys::ScreenToClient(grid().hwnd(), &screen);
        return std::to_string(screen.x) + "," + std::to_string(screen.y);
    }

    MouseHandlers handlers;
};

}  // namespace vexa::test
