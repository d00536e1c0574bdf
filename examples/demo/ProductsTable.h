// The demo's grid: a Vexa control filled from an embedded SQLite products table, sorted by
// category and then by price, highest first.
#pragma once

#include "vexa/system/data/Connection.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/vexa.h"

namespace vexa::demo {

class ProductsTable {
  public:
    ProductsTable();

    Vexa& Grid() { return grid_; }

    // Shows the grid's leading rows as a table in `area`: a header line with the column
    // captions, then one line per row with each cell's displayed text, aligned by the
    // cell's text flags, with alternate rows shaded.
    void Paint(sys::HDC hdc, const sys::RECT& area);

  private:
    void FormatColumns();
    void SortByCategoryThenPrice();

    Connection db_{":memory:"};
    Vexa grid_;
};

}  // namespace vexa::demo
