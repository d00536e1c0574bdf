// A grid over a table of 10,000,000 rows on a PostgreSQL server, in virtual mode: the rows stay
// on the server and come a page at a time as they scroll into view, so the window opens at
// once and every page costs the same, wherever it lies in the table.
//
//     vexa_server_rows "host=localhost dbname=shop" [--from KEY] [--rows N] [--png DIR]
//
// The first run makes the table on the server (generate_series; a few seconds per million
// rows). --from opens the grid at the row whose key is KEY (the primary key finds it at once).
// With an X display the window stays until it is closed; without one (or with --png) the
// program pages down a few times and writes DIR/server-rows.png.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "vexa/binding/CursorBinding.h"
#include "vexa/system/data/PostgresConnection.h"
#include "vexa/system/data/Recordset.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace {

struct Options {
    std::string connectionString;
    std::int64_t rows = 10000000;
    std::int64_t fromKey = 1;
    std::string pngDirectory;  // empty: show the window on the X display
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--rows") == 0 && hasValue) {
            options.rows = std::atoll(argv[++i]);
        } else if (std::strcmp(argv[i], "--from") == 0 && hasValue) {
            options.fromKey = std::atoll(argv[++i]);
        } else if (std::strcmp(argv[i], "--png") == 0 && hasValue) {
            options.pngDirectory = argv[++i];
        } else if (argv[i][0] != '-' && options.connectionString.empty()) {
            options.connectionString = argv[i];
        } else {
            return false;
        }
    }
    return !options.connectionString.empty() && options.rows > 0;
}

// The table of `rows` rows, made on the server the first time.
std::string EnsureTable(vexa::PostgresConnection& db, std::int64_t rows) {
    const std::string name = "vexa_server_rows_" + std::to_string(rows);
    if (db.OpenRecordset("SELECT 1 WHERE to_regclass($1) IS NOT NULL", {vexa::Variant(name)})
            ->RecordCount() > 0) {
        return name;
    }
    std::printf("making %s on the server...\n", name.c_str());
    std::fflush(stdout);
    db.Execute("CREATE TABLE " + name +
               " AS SELECT g AS id, 'Article ' || g AS name, g % 1000 AS stock, "
               "(g % 10000 * 0.25)::numeric(12, 2) AS price, g % 7 = 0 AS discontinued, "
               "date '2020-01-01' + g % 2000 AS listed FROM generate_series(1, " +
               std::to_string(rows) + ") g");
    db.Execute("ALTER TABLE " + name + " ADD PRIMARY KEY (id)");
    db.Execute("ANALYZE " + name);
    return name;
}

// The columns the binding fills by key, with their headers, widths and formats.
void AddColumns(vexa::Vexa& grid) {
    grid.AddCol({.sKey = "id", .sHeader = "Number", .lWidth = 90});
    grid.AddCol({.sKey = "name", .sHeader = "Article", .lWidth = 170});
    grid.AddCol({.sKey = "stock", .sHeader = "In stock", .lWidth = 80});
    grid.AddCol({.sKey = "price", .sHeader = "Price", .lWidth = 90});
    grid.AddCol({.sKey = "discontinued", .sHeader = "Discontinued", .lWidth = 100});
    grid.AddCol({.sKey = "listed", .sHeader = "Listed", .lWidth = 100});
    for (const char* key : {"id", "stock", "price"}) {
        auto cell = grid.ColDefaultCell(vexa::Variant(key));
        cell->SeteTextFlags(cell->eTextFlags() | vexa::vxTextRight);
    }
    grid.ColDefaultCell(vexa::Variant("price"))->SetsFmtString("#,##0.00");
    grid.ColDefaultCell(vexa::Variant("discontinued"))->SeteType(vexa::vxCellCheck);
}

int WriteScreenshot(vexa::Form& form, vexa::Vexa& grid, const vexa::CursorBinding& binding,
                    const std::string& directory) {
    vexa::sys::SetFocus(grid.hwnd());
    for (int page = 0; page < 3; ++page) {
        vexa::sys::HeadlessDisplay::Instance().KeyPress(vexa::sys::VK_NEXT);
        vexa::Application::Pump();
    }
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    const std::string path = (std::filesystem::path(directory) / "server-rows.png").string();
    if (!vexa::sys::HeadlessDisplay::Instance().SaveWindowPng(form.hwnd(), path)) {
        std::fprintf(stderr, "vexa_server_rows: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%d rows in the grid from %lld page(s) of the server's cursor; wrote %s\n",
                grid.RowCount(), static_cast<long long>(binding.Cursor().PagesFetched()),
                path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: vexa_server_rows CONNECTION-STRING [--from KEY] [--rows N] "
                     "[--png DIR]\n  e.g. vexa_server_rows \"host=localhost dbname=shop\"\n");
        return 2;
    }
    const char* display = std::getenv("DISPLAY");
    const bool onScreen = options.pngDirectory.empty() && display != nullptr && *display != 0 &&
                          vexa::Application::UseX11Display();
    if (!onScreen && options.pngDirectory.empty()) options.pngDirectory = ".";
    try {
        // One connection makes the table, the other holds the cursor's transaction.
        std::string table;
        {
            vexa::PostgresConnection setup(options.connectionString);
            table = EnsureTable(setup, options.rows);
        }
        vexa::PostgresConnection db(options.connectionString);
        vexa::Form form("Vexa: " + std::to_string(options.rows) + " rows on the server", 720, 520);
        vexa::Vexa grid(form.hwnd(), form.ClientRect());
        AddColumns(grid);
        form.Show();
        vexa::CursorBinding binding(grid, db,
                                    "SELECT * FROM " + table + " WHERE id >= $1 ORDER BY id",
                                    {vexa::Variant(static_cast<std::int32_t>(options.fromKey))});
        if (onScreen) return vexa::Application::Run();
        return WriteScreenshot(form, grid, binding, options.pngDirectory);
    } catch (const vexa::Error& error) {
        std::fprintf(stderr, "vexa_server_rows: %s\n", error.Description().c_str());
        return 1;
    }
}
