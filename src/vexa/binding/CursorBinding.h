/// \file
/// A grid in virtual mode over a PostgreSQL server-side cursor: the grid asks for rows as they
/// scroll into view (RequestRow, RequestRowData) and the cursor fetches them a page at a time,
/// so a grid over millions of rows opens at once and each further page costs the same.
///
///     vexa::PostgresConnection db("host=db.example dbname=shop");
///     vexa::CursorBinding binding(grid, db, "SELECT id, name, price FROM orders ORDER BY id");
///
/// The grid's columns are made from the query's fields as FillFromRS makes them (a grid that
/// has columns keeps them and shows the fields its column keys name). The binding answers the
/// grid's requests until it is destroyed, which must happen before the grid's end; then the
/// grid keeps the rows it has and asks for no more.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vexa/events/VexaEvents.h"
#include "vexa/host/Vexa.h"
#include "vexa/system/automation/Error.h"
#include "vexa/system/data/PostgresConnection.h"
#include "vexa/system/data/PostgresCursor.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// A grid in virtual mode showing the rows of a PostgreSQL query, fetched through a server-side
/// cursor a page at a time as the grid asks for rows.
class VEXA_API CursorBinding : private VexaEvents {
  public:
    /// Opens the cursor (raising the database error, with the grid unchanged, when the query
    /// fails), empties the grid of rows, makes its columns when it has none, and turns virtual
    /// mode on, then paints: the grid asks for the rows in view.
    CursorBinding(Vexa& grid, PostgresConnection& connection, const std::string& sql,
                  const std::vector<Variant>& params = {}, std::int32_t pageRows = 256);
    ~CursorBinding() override;
    CursorBinding(const CursorBinding&) = delete;
    CursorBinding& operator=(const CursorBinding&) = delete;

    /// The cursor the rows come from.
    const PostgresCursor& Cursor() const { return cursor_; }
    /// The error that ended the rows early (a page could not be fetched: the connection was
    /// lost); the grid then holds the complete rows that came before it.
    const std::optional<Error>& LastError() const { return lastError_; }

  private:
    void RequestRow(std::int32_t lRow, bool& bNoMoreRows) override;
    void RequestRowData(std::int32_t lRow) override;
    // Each column index of the grid with the field its key names.
    void PairColumnsWithFields();

    Vexa& grid_;
    PostgresCursor cursor_;
    std::vector<std::pair<std::int32_t, std::size_t>> columnFields_;  // (column, field)
    std::optional<Error> lastError_;
};

}  // namespace vexa

VEXA_PUBLIC_END
