// The smallest Vexa program: a window with a grid of three columns, a few rows, sorted by
// price, until the window is closed. Without an X display it writes hello.png instead.
#include <vexa/vexa.h>

#include <cstdio>
#include <cstdlib>

int main() {
    const bool onScreen = std::getenv("DISPLAY") && vexa::Application::UseX11Display();
    vexa::Form form("Hello, Vexa", 420, 240);
    vexa::Vexa grid(form.hwnd(), form.ClientRect());

    grid.AddCol({.sKey = "name", .sHeader = "Product", .lWidth = 180});
    grid.AddCol({.sKey = "price", .sHeader = "Price", .lWidth = 90});
    grid.AddCol({.sKey = "stock", .sHeader = "In stock", .lWidth = 80});
    const struct {
        const char* name;
        double price;
        bool stock;
    } products[] = {{"Anchor bolt", 12.5, true}, {"Hinge", 3.2, false}, {"Lag screw", 0.45, true}};
    for (const auto& product : products) {
        grid.AddRow();
        const std::int32_t row = grid.RowCount();
        grid.SetCellValue(row, "name", product.name);
        grid.SetCellValue(row, "price", product.price);
        grid.SetCellFmtString(row, "price", "$#,##0.00");
        grid.SetCellType(row, "stock", vexa::vxCellCheck);
        grid.SetCellValue(row, "stock", product.stock);
    }
    grid.Sort(vexa::Variant("price"));

    form.Show();
    if (onScreen) return vexa::Application::Run();
    vexa::Application::Pump();
    std::printf("%s costs %s\n", grid.CellText(1, "name").c_str(),
                grid.CellText(1, "price").c_str());
    return 0;
}
