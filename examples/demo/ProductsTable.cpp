#include "ProductsTable.h"

#include <cairo.h>

#include <string>

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

ProductsTable::ProductsTable(HWND form, const RECT& rect) : grid_(form, rect) {
    CreateProductsTable(db_, 300);
    grid_.SetRedraw(false);
    grid_.SetDefaultRowHeight(kDefaultRowHeight);
    grid_.FillFromRS(Variant(db_.OpenRecordset(
        "SELECT id, name, category, price, stock, discontinued, added FROM products")));
    FormatColumns();
    AddIcons();
    SortByCategoryThenPrice();
    AddCategoryGroups();
    grid_.SetBackColorEvenRows(0xF8F5F2);
    grid_.SetRedraw(true);
}

ProductsTable::~ProductsTable() {
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

}  // namespace vexa::demo
