// Two grids for drag and drop: the form's grid as the source, whose host calls OLEDrag from
// StartCellDrag and fills the data with the current cell's text in OLEStartDrag, and a second
// grid on a form of its own as the target, a drop target whose host puts dropped text into the
// cell under the drop. While a drag runs, each step of a script plays at one tick of the clock.
#pragma once

#include <deque>

#include "host/MouseTestSupport.h"

namespace vexa::test {

using Step = std::function<void()>;

class GridDragDrop : public MouseGrid {
  protected:
    GridDragDrop() {
        targetForm_ = sys::CreateWindowEx(0, "VexaTestForm", "target",
                                          sys::WS_POPUP | sys::WS_VISIBLE, 900, 100, 400, 300);
        target = std::make_unique<Vexa>(targetForm_, sys::RECT{10, 10, 390, 290});
        for (int c = 1; c <= 3; ++c) target->AddCol({.lWidth = 80});
        target->SetRowCount(4);
        target->Advise(&targetLog);
        target->Advise(&targetHandlers);
        target->SetOLEDropMode(vxOLEDropManual);
        handlers.onStartCellDrag = [this] { grid().OLEDrag(); };
        handlers.onStartDrag = [this](std::shared_ptr<DataObject>& data, std::int32_t&) {
            data->SetData(grid().CellText(grid().CurRow(), grid().CurCol()), vxCFText);
        };
        // The target puts dropped text into the cell under the drop.
        targetHandlers.onDragDrop = [this](std::shared_ptr<DataObject>& data, std::int32_t&,
                                           float x, float y) {
            std::int32_t row = 0, col = 0;
            target->CellFromPoint(std::int32_t(x), std::int32_t(y), row, col);
            if (row > 0 && col > 0) target->SetCellValue(row, col, data->GetData(vxCFText));
        };
        current_ = this;
    }
    ~GridDragDrop() override {
        if (timer_ != 0) sys::KillTimer(0, timer_);
        current_ = nullptr;
        target.reset();
    }

    sys::POINT TargetCentre(std::int32_t row, std::int32_t col) {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        target->CellBoundary(row, col, left, top, width, height);
        sys::POINT p{left + width / 2, top + height / 2};
        sys::ClientToScreen(target->hwnd(), &p);
        return p;
    }
    Step MoveStep(sys::POINT p) {
        return [p] { display().MouseMove(p.x, p.y); };
    }
    static Step Release() {
        return [] { display().MouseUp(); };
    }
    // Presses on the source cell and moves off it; the script plays while the drag runs.
    void DragFrom(std::int32_t row, std::int32_t col, std::vector<Step> script) {
        script_.assign(script.begin(), script.end());
        timer_ = sys::SetTimer(0, 0, 10, &PlayStep);
        const sys::POINT down = At(row, col);
        PressAt(down);
        MoveTo({down.x + 6, down.y});
    }
    static void PlayStep(sys::HWND, sys::UINT, std::uintptr_t id, sys::DWORD) {
        auto& script = current_->script_;
        if (!script.empty()) {
            Step step = std::move(script.front());
            script.pop_front();
            step();
        }
        if (script.empty() && current_->timer_ == id) {
            sys::KillTimer(0, id);
            current_->timer_ = 0;
        }
    }

    sys::HWND TargetForm() const { return targetForm_; }

    std::unique_ptr<Vexa> target;
    EventLog targetLog;
    MouseHandlers targetHandlers;

  private:
    static inline GridDragDrop* current_ = nullptr;
    sys::HWND targetForm_ = 0;
    std::deque<Step> script_;
    std::uintptr_t timer_ = 0;
};

}  // namespace vexa::test
