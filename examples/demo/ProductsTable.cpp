#include "ProductsTable.h"

#include "vexa/system/data/Recordset.h"
#include "vexa/system/data/SampleDatabase.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa::demo {

using namespace vexa::sys;

namespace {

constexpr int kLineHeight = 22;
constexpr int kTextInset = 4;
constexpr COLORREF kHeaderColor = RGB(232, 236, 242);
constexpr COLORREF kShadeColor = RGB(246, 248, 251);
constexpr COLORREF kRuleColor = RGB(208, 214, 222);

void Fill(HDC hdc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

void DrawCellText(HDC hdc, const std::string& text, RECT cell, std::int32_t flags) {
    cell.left += kTextInset;
    cell.right -= kTextInset;
    const std::uint32_t horizontal = std::uint32_t(flags) & (DT_CENTER | DT_RIGHT);
    DrawText(hdc, text, -1, &cell, horizontal | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void DrawCheckBox(HDC hdc, const RECT& cell, bool checked) {
    constexpr int kBox = 13;
    const int left = cell.left + (cell.right - cell.left - kBox) / 2;
    const int top = cell.top + (cell.bottom - cell.top - kBox) / 2;
    RECT box{left, top, left + kBox, top + kBox};
    DrawFrameControl(hdc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
}

}  // namespace

ProductsTable::ProductsTable() {
    CreateProductsTable(db_, 300);
    grid_.FillFromRS(Variant(db_.OpenRecordset(
        "SELECT id, name, category, price, stock, discontinued, added FROM products")));
    FormatColumns();
    SortByCategoryThenPrice();
}

void ProductsTable::FormatColumns() {
    const struct {
        const char* key;
        const char* header;
        std::int32_t width;
    } columns[] = {
        {"id", "Id", 44},       {"name", "Product", 150}, {"category", "Category", 110},
        {"price", "Price", 80}, {"stock", "Stock", 60},   {"discontinued", "Discontinued", 90},
        {"added", "Added", 100}};
    for (const auto& column : columns) {
        grid_.SetColHeaderText(column.key, column.header);
        grid_.SetColWidth(column.key, column.width);
    }
    for (std::int32_t row = 1; row <= grid_.RowCount(); ++row) {
        grid_.SetCellFmtString(row, "price", "$#,##0.00");
        grid_.SetCellFmtString(row, "added", "mmm d, yyyy");
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

void ProductsTable::Paint(HDC hdc, const RECT& area) {
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(20, 24, 32));
    const int lines = (area.bottom - area.top) / kLineHeight;
    for (int line = 0; line < lines && line <= grid_.RowCount(); ++line) {
        const int top = area.top + line * kLineHeight;
        RECT band{area.left, top, area.right, top + kLineHeight};
        if (line == 0 || line % 2 == 0) Fill(hdc, band, line == 0 ? kHeaderColor : kShadeColor);
        int left = area.left;
        // Columns filled from a recordset stand in field order, so index order is display order.
        for (std::int32_t col = 1; col <= grid_.ColCount() && left < area.right; ++col) {
            if (!grid_.ColVisible(col)) continue;
            RECT cell{left, top, std::min<int>(left + grid_.ColWidth(col), area.right),
                      top + kLineHeight};
            if (line == 0) {
                DrawCellText(hdc, grid_.ColHeaderText(col), cell, grid_.ColHeaderTextFlags(col));
            } else if (grid_.CellType(line, col) == vxCellCheck) {
                DrawCheckBox(hdc, cell, grid_.CellValue(line, col).ToBoolean());
            } else {
                DrawCellText(hdc, grid_.CellText(line, col), cell, grid_.CellTextFlags(line, col));
            }
            left = cell.right;
        }
        Fill(hdc, RECT{area.left, band.bottom - 1, area.right, band.bottom}, kRuleColor);
    }
}

}  // namespace vexa::demo
