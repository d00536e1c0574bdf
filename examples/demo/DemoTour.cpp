#include "DemoTour.h"

#include <filesystem>
#include <functional>
#include <iostream>
#include <vector>

#include <cairo.h>

#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Window.h"

namespace vexa::demo {

using namespace vexa::sys;

namespace {

HeadlessDisplay& Screen() {
    return HeadlessDisplay::Instance();
}

POINT OnScreen(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

// A column's left and width, from a row that is not a group row (a group row's caption
// spans the columns).
void ColumnSpan(Vexa& grid, const char* key, std::int32_t& left, std::int32_t& width) {
    std::int32_t row = 1, top = 0, height = 0;
    while (row < grid.RowCount() && grid.RowIsGroup(row)) ++row;
    grid.CellBoundary(row, grid.ColIndex(key), left, top, width, height);
}

// The middle of a column's title, in screen coordinates.
POINT TitleOf(Vexa& grid, const char* key) {
    std::int32_t left = 0, width = 0;
    ColumnSpan(grid, key, left, width);
    return OnScreen(grid.hwnd(), POINT{left + width / 2, grid.Header()->Height() / 2});
}

// The divider at a column's right edge, in screen coordinates.
POINT DividerOf(Vexa& grid, const char* key) {
    std::int32_t left = 0, width = 0;
    ColumnSpan(grid, key, left, width);
    return OnScreen(grid.hwnd(), POINT{left + width, grid.Header()->Height() / 2});
}

void ClickAt(POINT point) {
    Screen().Click(point.x, point.y);
}

void ShiftClickAt(POINT point) {
    Screen().KeyDown(VK_SHIFT);
    ClickAt(point);
    Screen().KeyUp(VK_SHIFT);
}

void Press(DemoForm& form, DemoForm::Button button) {
    const RECT rect = DemoForm::ButtonRect(button);
    ClickAt(
        OnScreen(form.Handle(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}));
}

void Keys(std::initializer_list<int> keys) {
    for (int key : keys) Screen().KeyPress(key);
}

void GoTo(Vexa& grid, std::int32_t row, const char* key) {
    grid.SetCurCell(row, grid.ColIndex(key));
    grid.EnsureVisibleCell(row, grid.ColIndex(key));
}

// The form as it stands on the screen, with the lists and menus it has opened over itself.
bool SaveFormPng(HWND form, const std::string& path) {
    Screen().ScreenPixel(0, 0);  // brings what windows painted onto the screen
    RECT rect;
    GetWindowRect(form, &rect);
    cairo_surface_t* shot = cairo_image_surface_create(CAIRO_FORMAT_RGB24, rect.right - rect.left,
                                                       rect.bottom - rect.top);
    cairo_t* cr = cairo_create(shot);
    cairo_set_source_surface(cr, Screen().ScreenSurface(), -rect.left, -rect.top);
    cairo_paint(cr);
    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(shot, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(shot);
    return written;
}

struct Step {
    const char* name;
    std::function<void(DemoForm&)> act;
};

std::vector<Step> TourSteps() {
    return {
        {"products", [](DemoForm&) {}},
        {"sorted-by-price-then-name",
         [](DemoForm& form) {
             Vexa& grid = form.Products().Grid();
             ClickAt(TitleOf(grid, "price"));
             ShiftClickAt(TitleOf(grid, "name"));
         }},
        {"rows-selected",
         [](DemoForm& form) {
             Vexa& grid = form.Products().Grid();
             SetFocus(grid.hwnd());
             GoTo(grid, 3, "name");
             Screen().KeyDown(VK_SHIFT);
             Keys({VK_DOWN, VK_DOWN, VK_DOWN});
             Screen().KeyUp(VK_SHIFT);
         }},
        {"editing-a-name",
         [](DemoForm& form) {
             Vexa& grid = form.Products().Grid();
             GoTo(grid, 4, "name");
             Keys({VK_F2, VK_END});
             Screen().TypeText(" XL");
         }},
        {"a-negative-price-refused",
         [](DemoForm& form) {
             Keys({VK_RETURN});
             Vexa& grid = form.Products().Grid();
             GoTo(grid, 5, "price");
             Keys({VK_F2, VK_HOME});
             Screen().KeyDown(VK_SHIFT);
             Keys({VK_END});
             Screen().KeyUp(VK_SHIFT);
             Screen().TypeText("-5");
             Keys({VK_RETURN});
         }},
        {"picking-a-category",
         [](DemoForm& form) {
             Keys({VK_ESCAPE});
             Vexa& grid = form.Products().Grid();
             GoTo(grid, 6, "category");
             Keys({VK_F2});
         }},
        {"key-search",
         [](DemoForm& form) {
             Keys({VK_ESCAPE});
             Vexa& grid = form.Products().Grid();
             GoTo(grid, 2, "id");
             Screen().TypeText("Heavy");
         }},
        {"columns-resized-and-moved",
         [](DemoForm& form) {
             Keys({VK_ESCAPE});
             Vexa& grid = form.Products().Grid();
             const POINT divider = DividerOf(grid, "name");
             Screen().Drag(divider.x, divider.y, divider.x + 60, divider.y);
             const POINT stock = TitleOf(grid, "stock");
             const POINT name = TitleOf(grid, "name");
             Screen().Drag(stock.x, stock.y, name.x - 40, name.y, 8);
         }},
        {"settings-saved", [](DemoForm& form) { Press(form, DemoForm::Button::Save); }},
        {"a-million-rows",
         [](DemoForm& form) {
             Press(form, DemoForm::Button::Million);
             Keys({VK_NEXT, VK_NEXT, VK_NEXT, VK_NEXT});
         }},
        {"settings-loaded",
         [](DemoForm& form) {
             Press(form, DemoForm::Button::Products);
             Vexa& grid = form.Products().Grid();
             ClickAt(TitleOf(grid, "id"));
             grid.SetColWidth("name", 90);
             Press(form, DemoForm::Button::Load);
         }},
    };
}

}  // namespace

int RunTour(DemoForm& form, const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    int number = 0;
    for (const Step& step : TourSteps()) {
        step.act(form);
        PumpMessages();
        ++number;
        const std::string file =
            (number < 10 ? "0" : "") + std::to_string(number) + "-" + step.name + ".png";
        const std::string path = (std::filesystem::path(directory) / file).string();
        if (!SaveFormPng(form.Handle(), path)) {
            std::cerr << "vexa_demo: cannot write " << path << "\n";
            return 1;
        }
        std::cout << "wrote " << path << "  (" << form.Status() << ")\n";
    }
    return 0;
}

}  // namespace vexa::demo
