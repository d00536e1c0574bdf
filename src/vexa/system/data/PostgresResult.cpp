#include "vexa/system/data/PostgresResult.h"

#include <libpq-fe.h>

#include <string>

#include "vexa/system/data/DatabaseError.h"

namespace vexa {

void PostgresResultDeleter::operator()(pg_result* result) const {
    PQclear(result);
}

PostgresResult CheckedResult(pg_conn* connection, pg_result* raw) {
    PostgresResult result(raw);
    if (!result) RaiseDatabaseError(PQerrorMessage(connection));
    switch (PQresultStatus(result.get())) {
        case PGRES_COMMAND_OK:
        case PGRES_TUPLES_OK:
        case PGRES_EMPTY_QUERY:
            return result;
        default:
            break;
    }
    // The server's primary message names what went wrong ('column "nope" does not exist');
    // a connection that broke has only libpq's account of it.
    const char* primary = PQresultErrorField(result.get(), PG_DIAG_MESSAGE_PRIMARY);
    RaiseDatabaseError(primary != nullptr ? primary : PQresultErrorMessage(result.get()));
}

}  // namespace vexa
