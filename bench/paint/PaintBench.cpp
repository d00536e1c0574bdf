// A 1920x1080 surface of 60x20-pixel cells: filled cell by cell (solid and hatched), and
// with a short text drawn in every cell, the way the grid paints its rows. One iteration
// is one full surface.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "vexa/system/paint/Gdi.h"

namespace {

using namespace vexa::sys;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kCellWidth = 60;
constexpr int kCellHeight = 20;

class Surface {
  public:
    Surface() : dc_(CreateCompatibleDC(0)), bitmap_(CreateCompatibleBitmap(dc_, kWidth, kHeight)) {
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

template <typename PerCell>
void ForEachCell(PerCell&& perCell) {
    for (int y = 0; y < kHeight; y += kCellHeight)
        for (int x = 0; x < kWidth; x += kCellWidth)
            perCell(RECT{x, y, x + kCellWidth, y + kCellHeight}, x / kCellWidth, y / kCellHeight);
}

constexpr double kCells =
    double(kWidth / kCellWidth) * double((kHeight + kCellHeight - 1) / kCellHeight);

void FillCells(benchmark::State& state) {
    Surface surface;
    const bool hatched = state.range(0) != 0;
    for (auto _ : state) {
        ForEachCell([&](const RECT& cell, int col, int row) {
            HBRUSH brush = hatched ? CreateHatchBrush((col + row) % 6, RGB(0, 0, 160))
                                   : CreateSolidBrush(RGB(col * 7 % 256, row * 5 % 256, 200));
            FillRect(surface.dc(), &cell, brush);
            DeleteObject(brush);
            FrameRect(surface.dc(), &cell, GetSysColorBrush(15));
        });
    }
    state.counters["cells"] = kCells;
}
BENCHMARK(FillCells)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void DrawCellTexts(benchmark::State& state) {
    Surface surface;
    const std::uint32_t format = std::uint32_t(state.range(0));
    std::vector<std::string> texts;
    for (int i = 0; i < 200; ++i) texts.push_back("Item " + std::to_string(i * 37));
    SetBkMode(surface.dc(), TRANSPARENT);
    for (auto _ : state) {
        ForEachCell([&](const RECT& cell, int col, int row) {
            RECT text{cell.left + 2, cell.top + 1, cell.right - 2, cell.bottom - 1};
            DrawText(surface.dc(), texts[std::size_t(col * 31 + row) % texts.size()], -1, &text,
                     format);
        });
    }
    state.counters["cells"] = kCells;
}
BENCHMARK(DrawCellTexts)
    ->Arg(DT_SINGLELINE | DT_VCENTER)
    ->Arg(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_RIGHT)
    ->Unit(benchmark::kMillisecond);

void MeasureCellTexts(benchmark::State& state) {
    Surface surface;
    std::vector<std::string> texts;
    for (int i = 0; i < 200; ++i) texts.push_back("Item " + std::to_string(i * 37));
    for (auto _ : state) {
        ForEachCell([&](const RECT&, int col, int row) {
            RECT r{0, 0, 0, 0};
            benchmark::DoNotOptimize(DrawText(surface.dc(),
                                              texts[std::size_t(col * 31 + row) % texts.size()], -1,
                                              &r, DT_CALCRECT | DT_SINGLELINE));
        });
    }
    state.counters["cells"] = kCells;
}
BENCHMARK(MeasureCellTexts)->Unit(benchmark::kMillisecond);

// The painter's path: each 20-pixel row painted into a screen-wide row buffer is copied to
// the surface by a plain source copy.
void CopyRowsFromBuffer(benchmark::State& state) {
    Surface surface;
    HDC buffer = CreateCompatibleDC(0);
    HBITMAP bitmap = CreateCompatibleBitmap(buffer, kWidth, kCellHeight);
    HGDIOBJ old = SelectObject(buffer, bitmap);
    for (auto _ : state) {
        for (int y = 0; y < kHeight; y += kCellHeight)
            BitBlt(surface.dc(), 0, y, kWidth, kCellHeight, buffer, 0, 0, SRCCOPY);
    }
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}
BENCHMARK(CopyRowsFromBuffer)->Unit(benchmark::kMillisecond);

}  // namespace
