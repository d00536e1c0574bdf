// The demo's products grid: a Vexa control filled from an embedded SQLite products table, with
// formats, icons, a hatched low-stock column, check and combo cells, one group row per
// category, key search on the product name, header sorting and column moves, and editing that
// refuses a negative price or stock.
#pragma once

#include <functional>
#include <string>

#include "vexa/system/data/Connection.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/vexa.h"

namespace vexa::demo {

class ProductsTable : private VexaEvents {
  public:
    // `report` hears, in a few words, what the user just did (shown in the form's status line).
    ProductsTable(sys::HWND form, const sys::RECT& rect, std::function<void(std::string)> report);
    ~ProductsTable() override;

    Vexa& Grid() { return grid_; }

  private:
    void FormatColumns();
    void AddCellControls();
    void AddIcons();
    void SortByCategoryThenPrice();
    void AddCategoryGroups();

    // What the user does, as the grid reports it.
    void BeforeCommitEdit(std::int32_t row, std::int32_t col, EEditResults& result,
                          const std::string& newText, Variant& newValue,
                          std::int32_t conversionError) override;
    void AfterCommitEdit(std::int32_t row, std::int32_t col) override;
    void ContentsSorted() override;
    void CurCellChange(std::int32_t row, std::int32_t col) override;
    void ColHeaderEndDrag(std::int32_t col, std::int32_t colBefore, bool& cancel) override;

    Connection db_{":memory:"};
    Vexa grid_;
    sys::HIMAGELIST icons_ = 0;
    std::function<void(std::string)> report_;
};

}  // namespace vexa::demo
