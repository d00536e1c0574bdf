/// \file
/// A connection to an SQLite database (a file, or ":memory:"): runs SQL and opens recordsets.
/// Failures raise vexa::Error with SQLite's own message.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vexa/system/automation/Variant.h"
#include "vexa/system/data/DatabaseError.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

struct sqlite3;

namespace vexa {

class Recordset;

/// An open database connection; it closes when the object goes.
class VEXA_API Connection {
  public:
    /// Opens (creating when missing) the database file at `path`; ":memory:" for a private
    /// in-memory database.
    explicit Connection(const std::string& path);
    /// Closes the database.
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// Runs one or more statements separated by semicolons.
    void Execute(const std::string& sql);
    /// Runs one statement with its parameters bound to ?1, ?2, ... in order.
    void Execute(const std::string& sql, const std::vector<Variant>& params);
    /// Runs a query and returns its rows as a static recordset positioned on the first record.
    std::shared_ptr<Recordset> OpenRecordset(const std::string& sql,
                                             const std::vector<Variant>& params = {});

    /// The SQLite handle, for calls Connection does not offer; the connection keeps owning it.
    sqlite3* Handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

}  // namespace vexa

VEXA_PUBLIC_END
