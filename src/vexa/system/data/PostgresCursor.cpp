#include "vexa/system/data/PostgresCursor.h"

#include <libpq-fe.h>

#include <algorithm>
#include <atomic>

#include "vexa/system/data/DatabaseError.h"
#include "vexa/system/data/PostgresConnection.h"
#include "vexa/system/data/PostgresResult.h"
#include "vexa/system/data/PostgresTypes.h"

namespace vexa {

namespace {

// Names stay unique among the cursors of every connection of the process.
std::string NextCursorName() {
    static std::atomic<std::uint64_t> counter{0};
    return "vexa_cursor_" + std::to_string(++counter);
}

}  // namespace

PostgresCursor::PostgresCursor(PostgresConnection& connection, const std::string& sql,
                               const std::vector<Variant>& params, std::int32_t pageRows)
    : connection_(connection), name_(NextCursorName()), pageRows_(std::max(pageRows, 1)) {
    if (!connection_.InTransaction()) {
        connection_.Execute("BEGIN");
        ownsTransaction_ = true;
    }
    try {
        // SCROLL lets a grid that starts over (cleared, refilled) read its first rows again.
        connection_.Execute("DECLARE " + name_ + " SCROLL CURSOR FOR " + sql, params);
        FetchPageAt(1);
    } catch (...) {
        if (ownsTransaction_) PQclear(PQexec(connection_.Handle(), "ROLLBACK"));
        throw;
    }
}

PostgresCursor::~PostgresCursor() {
    Close();
}

void PostgresCursor::Close() noexcept {
    pg_conn* handle = connection_.Handle();
    if (PQstatus(handle) != CONNECTION_OK) return;
    // A transaction that failed has lost the cursor already; it can only be rolled back.
    if (PQtransactionStatus(handle) == PQTRANS_INERROR) {
        if (ownsTransaction_) PQclear(PQexec(handle, "ROLLBACK"));
        return;
    }
    PQclear(PQexec(handle, ("CLOSE " + name_).c_str()));
    if (ownsTransaction_) PQclear(PQexec(handle, "COMMIT"));
}

const Variant* PostgresCursor::Row(std::int64_t row) {
    if (row < 1 || (rowCount_ >= 0 && row > rowCount_)) return nullptr;
    if (row < pageFirst_ || row >= pageFirst_ + pageCount_) FetchPageAt(row);
    if (row >= pageFirst_ + pageCount_) return nullptr;
    return page_.data() + std::size_t(row - pageFirst_) * fields_.size();
}

void PostgresCursor::FetchPageAt(std::int64_t row) {
    pg_conn* handle = connection_.Handle();
    // Reading on from where the server stands costs nothing; anywhere else it moves first.
    if (serverPosition_ != row - 1) {
        CheckedResult(
            handle,
            PQexec(handle, ("MOVE ABSOLUTE " + std::to_string(row - 1) + " IN " + name_).c_str()));
    }
    serverPosition_ = -1;  // unknown until the fetch succeeds
    const PostgresResult result = CheckedResult(
        handle,
        PQexec(handle, ("FETCH FORWARD " + std::to_string(pageRows_) + " FROM " + name_).c_str()));
    ++pagesFetched_;
    if (fields_.empty()) fields_ = DescribePostgresFields(result.get());
    page_ = ReadPostgresRows(result.get());
    pageFirst_ = row;
    pageCount_ = PQntuples(result.get());
    serverPosition_ = row - 1 + pageCount_;
    // A short page ends the result, unless it is empty because the cursor moved past the end
    // to get there: then the count is still unknown. Past the end the server's position is
    // one beyond.
    if (pageCount_ < pageRows_) {
        if (pageCount_ > 0 || row - 1 <= highestRowSeen_) rowCount_ = row - 1 + pageCount_;
        serverPosition_ = -1;
    }
    highestRowSeen_ = std::max(highestRowSeen_, row - 1 + pageCount_);
}

std::shared_ptr<Recordset> PostgresCursor::EmptyRecordset() const {
    return Recordset::FromRows(fields_, {}, 0);
}

}  // namespace vexa
