// The demo's grid: a Vexa control on the form, filled from an embedded SQLite products table,
// with formats, icons, a hatched column, check cells and one group row per category, sorted
// by category and then by price, highest first.
#pragma once

#include "vexa/system/data/Connection.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/vexa.h"

namespace vexa::demo {

class ProductsTable {
  public:
    ProductsTable(sys::HWND form, const sys::RECT& rect);
    ~ProductsTable();

    Vexa& Grid() { return grid_; }

  private:
    void FormatColumns();
    void AddIcons();
    void SortByCategoryThenPrice();
    void AddCategoryGroups();

    Connection db_{":memory:"};
    Vexa grid_;
    sys::HIMAGELIST icons_ = 0;
};

}  // namespace vexa::demo
