// Editing: opening a text cell's editor, putting a value in and committing it with the
// repaint, on a 1920x1080 grid of 10 columns and 1,000 rows; a combo list of 10,000 items
// filled, dropped at its cell, and paged through while open.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "common/BenchFrame.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace {

using namespace vexa;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kColumns = 10;
constexpr int kRows = 1000;
constexpr int kItems = 10000;

// A borderless grid filling a 1920x1080 top-level window, numbers and texts in its cells,
// the current cell in the middle of the screen.
struct ScreenGrid {
    ScreenGrid() {
        frame = vexa::bench::MakeBenchFrame(kWidth, kHeight);
        grid = std::make_unique<Vexa>(frame, sys::RECT{0, 0, kWidth, kHeight});
        grid->SetRedraw(false);
        grid->SetBorderStyle(vxBorderNone);
        grid->SetDefaultRowHeight(20);
        for (int c = 1; c <= kColumns; ++c) grid->AddCol({.lWidth = (kWidth - 60) / kColumns});
        grid->SetRowCount(kRows);
        for (int r = 1; r <= kRows; ++r) {
            for (int c = 1; c <= kColumns; ++c) {
                grid->SetCellValue(r, c, c % 2 == 0 ? Variant(r * 0.25 + c) : Variant("row text"));
            }
        }
        grid->SetRedraw(true);
        grid->SetCurCell(20, 3);
        sys::PumpMessages();
    }
    ~ScreenGrid() {
        grid.reset();
        sys::DestroyWindow(frame);
    }
    sys::HWND frame = 0;
    std::unique_ptr<Vexa> grid;
};

std::shared_ptr<ComboObject> FillList(Vexa& grid) {
    const auto list = grid.Combos().Add("items");
    for (int i = 0; i < kItems; ++i) {
        list->AddItem("Item number " + std::to_string(i), Variant(i));
    }
    return list;
}

void OpenEditAndCommit(benchmark::State& state) {
    ScreenGrid screen;
    int round = 0;
    for (auto _ : state) {
        screen.grid->RequestEdit();
        screen.grid->SetTextEditText("value " + std::to_string(++round));
        screen.grid->CommitEdit();
        sys::PumpMessages();  // the editor and the cell shown as they are now
    }
    benchmark::DoNotOptimize(screen.grid->CellValue(20, 3));
}

void FillComboList(benchmark::State& state) {
    ScreenGrid screen;
    for (auto _ : state) {
        const auto list = FillList(*screen.grid);
        benchmark::DoNotOptimize(list->ListCount());
        state.PauseTiming();
        screen.grid->Combos().Remove("items");
        state.ResumeTiming();
    }
}

void ComboCell(ScreenGrid& screen) {
    FillList(*screen.grid);
    screen.grid->SetCellType(20, 3, vxCellCombo);
    screen.grid->SetCellCtrlKey(20, 3, "items");
    screen.grid->SetCellValue(20, 3, kItems / 2);
    sys::PumpMessages();
}

void OpenComboList(benchmark::State& state) {
    ScreenGrid screen;
    ComboCell(screen);
    for (auto _ : state) {
        screen.grid->RequestEdit();
        sys::PumpMessages();
        state.PauseTiming();
        screen.grid->CancelEdit();
        sys::PumpMessages();
        state.ResumeTiming();
    }
}

// A page further in the open list (its selection moves and the list scrolls and repaints).
void PageThroughComboList(benchmark::State& state) {
    ScreenGrid screen;
    ComboCell(screen);
    screen.grid->RequestEdit();
    sys::PumpMessages();
    sys::HeadlessDisplay& display = sys::HeadlessDisplay::Instance();
    for (auto _ : state) {
        display.KeyPress(sys::VK_NEXT);
        if (sys::SendMessage(sys::GetFocus(), sys::CB_GETCURSEL) >= kItems - 1) {
            display.KeyPress(sys::VK_HOME);
        }
    }
    screen.grid->CancelEdit();
}

BENCHMARK(OpenEditAndCommit)
    ->Name("edit_open_commit_repaint_1920x1080_10cols")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FillComboList)->Name("combo_fill_10000_items")->Unit(benchmark::kMillisecond);
BENCHMARK(OpenComboList)->Name("combo_open_10000_items")->Unit(benchmark::kMillisecond);
BENCHMARK(PageThroughComboList)->Name("combo_page_down_10000_items")->Unit(benchmark::kMillisecond);

}  // namespace
