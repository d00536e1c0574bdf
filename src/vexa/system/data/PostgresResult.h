// The result of a statement sent through libpq, owned for the length of a call, and the one
// way both the connection and the cursor turn a failed statement into the database error.
#pragma once

#include <memory>

struct pg_conn;
struct pg_result;

namespace vexa {

struct PostgresResultDeleter {
    void operator()(pg_result* result) const;
};
using PostgresResult = std::unique_ptr<pg_result, PostgresResultDeleter>;

// Takes `result` over; raises the database error with the server's message when the
// statement failed (or the connection broke and there is no result at all).
PostgresResult CheckedResult(pg_conn* connection, pg_result* result);

}  // namespace vexa
