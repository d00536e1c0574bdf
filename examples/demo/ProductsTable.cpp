#include "ProductsTable.h"

#include <cairo.h>

#include <string>
#include <utility>

#include "vexa/system/data/Recordset.h"
#include "vexa/system/data/SampleDatabase.h"
#include "vexa/system/paint/ImageList.h"

namespace vexa::demo {

using namespace vexa::sys;

namespace {

constexpr int kIconSize = 16;
constexpr int kDefaultRowHeight = 20;

// Small round badges in a few colours, drawn with Cairo: the demo ships no image files.
cairo_surface_t* BadgeStrip() {
    constexpr double colours[][3] = {
        {0.20, 0.55, 0.90}, {0.95, 0.60, 0.10}, {0.30, 0.70, 0.35}, {0.85, 0.25, 0.30}};
    constexpr int count = int(sizeof colours / sizeof colours[0]);
    cairo_surface_t* strip =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kIconSize * count, kIconSize);
    cairo_t* cr = cairo_create(strip);
    for (int i = 0; i < count; ++i) {
        cairo_arc(cr, i * kIconSize + kIconSize / 2.0, kIconSize / 2.0, kIconSize / 2.0 - 2, 0,
                  6.2832);
        cairo_set_source_rgb(cr, colours[i][0], colours[i][1], colours[i][2]);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return strip;
}

}  // namespace

ProductsTable::ProductsTable(HWND form, const RECT& rect, std::function<void(std::string)> report)
    : grid_(form, rect), report_(std::move(report)) {
    CreateProductsTable(db_, 300);
    grid_.SetRedraw(false);
    grid_.SetDefaultRowHeight(kDefaultRowHeight);
    grid_.FillFromRS(Variant(db_.OpenRecordset(
        "SELECT id, name, category, price, stock, discontinued, added FROM products")));
    FormatColumns();
    AddCellControls();
    AddIcons();
    SortByCategoryThenPrice();
    AddCategoryGroups();
    grid_.SetBackColorEvenRows(0xF8F5F2);
    grid_.SetKeySearchCol(grid_.ColIndex("name"));
    grid_.SetKeyPressBehaviour(vxKeyPressSearchDefCol);
    grid_.SetMultiSelect(true);
    grid_.Header()->SetDragCols(true);
    grid_.Header()->SetHotTrack(true);
    grid_.SetRedraw(true);
    grid_.SetCurCell(2, grid_.ColIndex("name"));
    grid_.Advise(this);
}

ProductsTable::~ProductsTable() {
    grid_.Unadvise(this);
    if (icons_ != 0) ImageList_Destroy(icons_);
}

void ProductsTable::FormatColumns() {
    const struct {
        const char* key;
        const char* header;
        std::int32_t width;
    } columns[] = {
        {"id", "Id", 44},       {"name", "Product", 170}, {"category", "Category", 110},
        {"price", "Price", 80}, {"stock", "Stock", 60},   {"discontinued", "Discontinued", 90},
        {"added", "Added", 100}};
    for (const auto& column : columns) {
        grid_.SetColHeaderText(column.key, column.header);
        grid_.SetColWidth(column.key, column.width);
    }
    for (std::int32_t row = 1; row <= grid_.RowCount(); ++row) {
        grid_.SetCellFmtString(row, "price", "$#,##0.00");
        grid_.SetCellFmtString(row, "added", "mmm d, yyyy");
        // Low stock is hatched in red.
        const Variant stock = grid_.CellValue(row, "stock");
        if (stock.IsNumericType() && stock.ToDouble() < 20) {
            grid_.SetCellBackColor(row, "stock", 0x4040E0);
            grid_.SetCellHatch(row, "stock", vxHatchBDiagonal);
        }
    }
    // The band that group rows show their caption in.
    grid_.AddCol({.sKey = "group", .sHeader = "", .bRowTextCol = true});
}

// Discontinued is a check box; the category is picked from a list of the table's categories.
void ProductsTable::AddCellControls() {
    const auto categories = grid_.Combos().Add("categories");
    auto names = db_.OpenRecordset("SELECT DISTINCT category FROM products ORDER BY category");
    for (; !names->EOF_(); names->MoveNext()) {
        const std::string name =
            names->Field(Variant(0))->Invoke("Value", {}, InvokeKind::PropertyGet).ToString();
        categories->AddItem(name, Variant(name));
    }
    for (std::int32_t row = 1; row <= grid_.RowCount(); ++row) {
        grid_.SetCellType(row, "discontinued", vxCellCheck);
        grid_.SetCellType(row, "category", vxCellCombo);
        grid_.SetCellCtrlKey(row, "category", "categories");
    }
}

void ProductsTable::AddIcons() {
    icons_ = ImageList_Create(kIconSize, kIconSize, 0, 4, 4);
    cairo_surface_t* strip = BadgeStrip();
    for (int i = 0; i < 4; ++i) {
        cairo_surface_t* icon =
            cairo_surface_create_for_rectangle(strip, i * kIconSize, 0, kIconSize, kIconSize);
        cairo_surface_t* copy =
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kIconSize, kIconSize);
        cairo_t* cr = cairo_create(copy);
        cairo_set_source_surface(cr, icon, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        ImageList_Add(icons_, copy);
        cairo_surface_destroy(copy);
        cairo_surface_destroy(icon);
    }
    cairo_surface_destroy(strip);
    grid_.SetImageList(Variant(std::int32_t(icons_)));
    for (std::int32_t row = 1; row <= grid_.RowCount(); ++row) {
        grid_.SetCellIcon(row, "name", std::int16_t(row % 4));
    }
}

void ProductsTable::SortByCategoryThenPrice() {
    ShellSortObject& sort = grid_.SortObject();
    sort.SetColCount(2);
    sort.SetSortCol(1, std::int16_t(grid_.ColIndex("category")));
    sort.SetSortOrder(1, vxSortAsc);
    sort.SetSortCol(2, std::int16_t(grid_.ColIndex("price")));
    sort.SetSortOrder(2, vxSortDesc);
    grid_.Sort();
}

void ProductsTable::AddCategoryGroups() {
    std::string previous;
    for (std::int32_t row = 1; row <= grid_.RowCount(); ++row) {
        const std::string category = grid_.CellText(row, "category");
        if (category == previous || grid_.RowIsGroup(row)) continue;
        previous = category;
        grid_.AddRow({.vRowBefore = row, .bGroupRow = true});
        grid_.SetCellValue(row, "group", category);
        grid_.SetCellBackColor(row, "group", 0xEFE3D6);
        ++row;
    }
}

void ProductsTable::BeforeCommitEdit(std::int32_t row, std::int32_t col, EEditResults& result,
                                     const std::string& newText, Variant& newValue,
                                     std::int32_t /*conversionError*/) {
    const std::string key = grid_.ColKey(col);
    if (key != "price" && key != "stock") return;
    if (!newValue.IsNumericType() || newValue.ToDouble() < 0) {
        // Editing goes on until the user types a sound value or presses Esc.
        result = vxEditResProceed;
        report_("\"" + newText + "\" is not a " + key + ": type 0 or more, or Esc to cancel");
        return;
    }
    (void)row;
}

void ProductsTable::AfterCommitEdit(std::int32_t row, std::int32_t col) {
    report_("Row " + std::to_string(row) + ": " + grid_.ColHeaderText(col) + " is now " +
            grid_.CellText(row, col));
}

void ProductsTable::ContentsSorted() {
    const ShellSortObject& sort = grid_.SortObject();
    std::string by;
    for (std::int16_t i = 1; i <= sort.ColCount(); ++i) {
        if (!by.empty()) by += ", then ";
        by += grid_.ColHeaderText(sort.SortCol(i));
        by += sort.SortOrder(i) == vxSortAsc ? " up" : " down";
    }
    report_("Sorted by " + by + " (Shift+click a title to add a column)");
}

void ProductsTable::CurCellChange(std::int32_t row, std::int32_t col) {
    if (row < 1 || col < 1 || grid_.RowIsGroup(row)) return;
    report_("Row " + std::to_string(row) + ", " + grid_.ColHeaderText(col) + ": " +
            grid_.CellText(row, col));
}

void ProductsTable::ColHeaderEndDrag(std::int32_t col, std::int32_t /*colBefore*/, bool& cancel) {
    if (!cancel) report_("Moved the column " + grid_.ColHeaderText(col));
}

}  // namespace vexa::demo
