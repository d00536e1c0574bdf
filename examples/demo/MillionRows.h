// The demo's second grid: a million rows that live in SQLite and reach the grid only as they
// scroll into view. The grid runs in virtual mode and asks for each row it is about to show;
// the rows are read from the database a page at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vexa/system/data/Connection.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/vexa.h"

namespace vexa::demo {

class MillionRows : private VexaEvents {
  public:
    static constexpr std::int32_t kRowCount = 1'000'000;

    MillionRows(sys::HWND form, const sys::RECT& rect);
    ~MillionRows() override;

    Vexa& Grid() { return grid_; }
    // How many rows the grid asked the database for so far.
    std::int32_t RowsServed() const { return rowsServed_; }

  private:
    void RequestRow(std::int32_t row, bool& noMoreRows) override;
    void RequestRowData(std::int32_t row) override;
    // Reads the page of rows holding `row` unless it is the one already read.
    void ReadPageOf(std::int32_t row);

    Connection db_{":memory:"};
    Vexa grid_;
    std::int32_t pageFirst_ = 0;  // the first row of the page read; 0 before the first read
    std::vector<std::vector<Variant>> page_;
    std::int32_t rowsServed_ = 0;
};

}  // namespace vexa::demo
