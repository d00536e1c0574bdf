#include "vexa/system/data/SampleDatabase.h"

#include <array>
#include <string>

#include "vexa/system/data/Connection.h"

namespace vexa {

namespace {

constexpr std::array<const char*, 6> kCategories = {"Tools",  "Fasteners",  "Paint",
                                                    "Garden", "Electrical", "Plumbing"};
constexpr std::array<const char*, 8> kNouns = {"Hammer", "Bolt",  "Brush", "Hose",
                                               "Cable",  "Valve", "Saw",   "Lamp"};
constexpr std::array<const char*, 5> kAdjectives = {"Steel", "Compact", "Heavy", "Blue", "Pro"};

std::string TwoDigits(std::int32_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

void CreateProductsTable(Connection& db, std::int32_t rows) {
    db.Execute(
        "DROP TABLE IF EXISTS products;"
        "CREATE TABLE products (id INTEGER PRIMARY KEY, name VARCHAR(60), category VARCHAR(30),"
        " price MONEY, stock INTEGER, discontinued BOOLEAN, added DATE);"
        "BEGIN");
    for (std::int32_t i = 1; i <= rows; ++i) {
        const std::string name = std::string(kAdjectives[std::size_t(i) % kAdjectives.size()]) +
                                 " " + kNouns[std::size_t(i * 7) % kNouns.size()] + " " +
                                 std::to_string(100 + i);
        // Every 17th product has no stock figure, to show Nulls.
        const Variant stock = i % 17 == 0 ? Variant::Null() : Variant((i * 37) % 500);
        const std::string added = "2024-" + TwoDigits(1 + i % 12) + "-" + TwoDigits(1 + i % 28);
        db.Execute("INSERT INTO products VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
                   {Variant(i), Variant(name), Variant(kCategories[std::size_t(i) % 6]),
                    Variant(double((i * 313) % 10000) / 100.0 + 0.99), stock, Variant(i % 11 == 0),
                    Variant(added)});
    }
    db.Execute("COMMIT");
}

}  // namespace vexa
