// The server-side cursor: rows come a page at a time, reading on costs no fetch within a page,
// reading anywhere else costs one, and the cursor's transaction is its own unless the
// connection had one.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "data/PostgresTestServer.h"
#include "vexa/system/data/PostgresConnection.h"
#include "vexa/system/data/PostgresCursor.h"

namespace vexa {
namespace {

class PostgresCursorTest : public test::PostgresTest {};

struct Read {
    std::int64_t row;
    bool found;
    std::int64_t pagesAfter;
    std::int64_t knownCountAfter;
};

void Expect(PostgresCursor& cursor, const std::vector<Read>& reads) {
    for (const Read& read : reads) {
        const Variant* values = cursor.Row(read.row);
        EXPECT_EQ(values != nullptr, read.found) << "row " << read.row;
        if (values != nullptr) {
            EXPECT_EQ(values[0].ToLong(), read.row);
        }
        EXPECT_EQ(cursor.PagesFetched(), read.pagesAfter) << "row " << read.row;
        EXPECT_EQ(cursor.KnownRowCount(), read.knownCountAfter) << "row " << read.row;
    }
}

TEST_F(PostgresCursorTest, RowsComeAPageAtATimeWhereverTheyAreRead) {
    PostgresConnection db(ConnectionString());
    PostgresCursor cursor(db, "SELECT g FROM generate_series(1, 1000) g", {}, 100);
    EXPECT_EQ(cursor.PagesFetched(), 1);  // the first page comes with the opening
    Expect(cursor, {{1, true, 1, -1},
                    {100, true, 1, -1},
                    {101, true, 2, -1},
                    {550, true, 3, -1},
                    {50, true, 4, -1},
                    {901, true, 5, -1},
                    {1000, true, 5, -1},
                    {1001, false, 6, 1000},
                    {1002, false, 6, 1000},
                    {0, false, 6, 1000},
                    {999, true, 7, 1000}});
}

TEST_F(PostgresCursorTest, ReadingPastTheEndFromAfarLeavesTheCountOpenUntilItIsReached) {
    PostgresConnection db(ConnectionString());
    PostgresCursor cursor(db, "SELECT g FROM generate_series(1, $1::integer) g", {Variant(300)},
                          100);
    Expect(cursor, {{5000, false, 2, -1}, {250, true, 3, 300}, {301, false, 3, 300}});
}

TEST_F(PostgresCursorTest, FieldsAreDescribedWithoutRows) {
    PostgresConnection db(ConnectionString());
    PostgresCursor cursor(db, "SELECT 1::integer AS id, 'x'::varchar(20) AS name WHERE false");
    ASSERT_EQ(cursor.Fields().size(), 2u);
    EXPECT_EQ(cursor.Fields()[1].name, "name");
    EXPECT_EQ(cursor.Fields()[1].definedSize, 20);
    EXPECT_EQ(cursor.Row(1), nullptr);
    EXPECT_EQ(cursor.KnownRowCount(), 0);
    auto empty = cursor.EmptyRecordset();
    EXPECT_EQ(empty->RecordCount(), 0);
    EXPECT_EQ(GetMember(empty->Field("id"), "Type").ToLong(), kTypeInteger);
}

TEST_F(PostgresCursorTest, TheCursorsTransactionIsItsOwnUnlessTheConnectionHadOne) {
    PostgresConnection db(ConnectionString());
    std::optional<PostgresCursor> cursor;
    cursor.emplace(db, "SELECT 1");
    EXPECT_TRUE(db.InTransaction());
    cursor.reset();
    EXPECT_FALSE(db.InTransaction());

    db.Execute("BEGIN");
    cursor.emplace(db, "SELECT 1");
    cursor.reset();
    EXPECT_TRUE(db.InTransaction());
    db.Execute("ROLLBACK");
}

TEST_F(PostgresCursorTest, AQueryThatFailsLeavesTheConnectionAsItWas) {
    PostgresConnection db(ConnectionString());
    try {
        PostgresCursor cursor(db, "SELECT nope");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number(), kDatabaseErrorNumber);
        EXPECT_EQ(e.Description(), "column \"nope\" does not exist");
    }
    EXPECT_FALSE(db.InTransaction());
    EXPECT_EQ(db.OpenRecordset("SELECT 1")->RecordCount(), 1);
}

}  // namespace
}  // namespace vexa
