// A products table for demonstrations: a few hundred rows of every field kind the grid fills
// differently (text, integers, currency, booleans, dates, Nulls).
#pragma once

#include <cstdint>

namespace vexa {

class Connection;

// Creates the table "products" (id, name, category, price, stock, discontinued, added) in
// `db`, replacing one that exists, and fills it with `rows` generated rows.
void CreateProductsTable(Connection& db, std::int32_t rows = 300);

}  // namespace vexa
