/// \file
/// A server-side cursor over a query: the rows stay on the server and come a page at a time as
/// they are asked for, so a query over millions of rows opens at once and reading any row
/// costs one page, whatever the size of the result. Rows are numbered from 1.
///
/// The cursor lives in a transaction: it opens one on a connection that has none and commits it
/// when it closes; on a connection inside a transaction it lives in that one. While it is open,
/// the connection's other statements run in that transaction, so a cursor that browses
/// usually gets a connection of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vexa/system/automation/Variant.h"
#include "vexa/system/data/Recordset.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class PostgresConnection;

/// A server-side cursor over a query's rows, fetched a page at a time and read by row number.
class VEXA_API PostgresCursor {
  public:
    /// Declares the cursor and fetches the first page (raises the database error when the
    /// query fails). Parameters are bound to $1, $2, ... as PostgresConnection binds them.
    PostgresCursor(PostgresConnection& connection, const std::string& sql,
                   const std::vector<Variant>& params = {}, std::int32_t pageRows = 256);
    ~PostgresCursor();
    PostgresCursor(const PostgresCursor&) = delete;
    PostgresCursor& operator=(const PostgresCursor&) = delete;

    /// The result's fields.
    const std::vector<FieldInfo>& Fields() const { return fields_; }
    /// The values of row `row` (Fields().size() of them), fetching the page that starts there
    /// when the row is not in the page at hand; nullptr when the result has no such row.
    /// Raises the database error when the page cannot be fetched (the connection was lost).
    const Variant* Row(std::int64_t row);
    /// The number of rows, once a fetch has reached the end of the result; -1 before.
    std::int64_t KnownRowCount() const { return rowCount_; }
    /// An empty recordset with the cursor's fields, for a grid to make its columns from.
    std::shared_ptr<Recordset> EmptyRecordset() const;

    /// How many rows one fetch asks for.
    std::int32_t PageRows() const { return pageRows_; }
    /// Pages fetched from the server so far.
    std::int64_t PagesFetched() const { return pagesFetched_; }

  private:
    void FetchPageAt(std::int64_t row);
    void Close() noexcept;

    PostgresConnection& connection_;
    std::string name_;               // the cursor's name on the server
    std::int32_t pageRows_;          // rows per fetch
    bool ownsTransaction_ = false;   // began a transaction that closing commits
    std::vector<FieldInfo> fields_;  // the result's fields
    std::vector<Variant> page_;      // the page at hand, row-major
    std::int64_t pageFirst_ = 1;     // the row number of its first row
    std::int64_t pageCount_ = 0;     // its rows
    std::int64_t serverPosition_ =
        0;                        // the row the server's cursor stands on (0: before the first)
    std::int64_t rowCount_ = -1;  // the result's rows, once known
    std::int64_t highestRowSeen_ = 0;  // the last row number any fetch returned
    std::int64_t pagesFetched_ = 0;    // fetches so far
};

}  // namespace vexa

VEXA_PUBLIC_END
