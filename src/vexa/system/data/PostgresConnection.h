/// \file
/// A connection to a PostgreSQL server through libpq: runs SQL and opens recordsets, as the
/// SQLite Connection does. The connection string is libpq's ("host=db.example port=5432
/// dbname=shop user=clerk" or "postgresql://clerk@db.example/shop"). Failures raise the
/// database error (vexa::Error, kDatabaseErrorNumber) with the server's own message.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vexa/system/automation/Variant.h"
#include "vexa/system/data/DatabaseError.h"

struct pg_conn;

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class Recordset;

/// A connection to a PostgreSQL server: runs SQL and opens recordsets. Failures raise the
/// database error with the server's message.
class VEXA_API PostgresConnection {
  public:
    /// Connects with a libpq connection string ("host=... dbname=..." or a postgresql:// URI).
    explicit PostgresConnection(const std::string& connectionString);
    ~PostgresConnection();
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    /// Runs one or more statements separated by semicolons.
    void Execute(const std::string& sql);
    /// Runs one statement with its parameters bound to $1, $2, ... in order (Null and Empty
    /// are NULL).
    void Execute(const std::string& sql, const std::vector<Variant>& params);
    /// Runs a query and returns all its rows as a static recordset positioned on the first
    /// record. When the query fails, or the connection is lost while the rows arrive, it
    /// raises and no recordset exists: there is never a part of a result.
    std::shared_ptr<Recordset> OpenRecordset(const std::string& sql,
                                             const std::vector<Variant>& params = {});

    /// The server process serving this connection.
    std::int32_t ServerProcessId() const;
    /// Inside a transaction block (begun and not yet ended).
    bool InTransaction() const;

    /// The libpq connection, for calls PostgresConnection does not offer; the connection keeps
    /// owning it.
    pg_conn* Handle() const { return connection_; }

  private:
    pg_conn* connection_ = nullptr;
};

}  // namespace vexa

VEXA_PUBLIC_END
