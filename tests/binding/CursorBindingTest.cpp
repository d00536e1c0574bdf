// A grid in virtual mode over a server's cursor, as a user opens and scrolls it: it asks for
// the rows it shows and no others, a page of the server's rows at a time, stops at the end of
// the result, and keeps only complete rows when the connection is lost. Filling from a
// PostgreSQL recordset through FillFromRS, and a failed query leaving the grid as it was.
#include <memory>
#include <string>
#include <vector>

#include "common/GridOnForm.h"
#include "data/PostgresTestServer.h"
#include "vexa/binding/CursorBinding.h"
#include "vexa/system/data/PostgresConnection.h"

namespace vexa::test {
namespace {

class CursorBindingTest : public PostgresTestOf<GridOnForm> {
  protected:
    void SetUp() override {
        PostgresTestOf<GridOnForm>::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        db = std::make_unique<PostgresConnection>(ConnectionString());
        sys::SetFocus(grid().hwnd());
    }
    void TearDown() override {
        binding.reset();
        db.reset();
    }
    void Bind(const std::string& sql, std::int32_t pageRows) {
        binding =
            std::make_unique<CursorBinding>(grid(), *db, sql, std::vector<Variant>{}, pageRows);
        sys::PumpMessages();
    }
    // The last row whose top lies inside the cells area.
    std::int32_t LastRowShown() {
        std::int32_t startRow = 0, startCol = 0, startX = 0, startY = 0, endRow = 0, endCol = 0,
                     endX = 0, endY = 0;
        grid().GetStartEndCell(startRow, startCol, startX, startY, endRow, endCol, endX, endY);
        return endRow;
    }
    // "RequestRow(1)" .. "RequestRow(last)".
    static std::vector<std::string> Requests(const std::string& event, std::int32_t first,
                                             std::int32_t last) {
        std::vector<std::string> entries;
        for (std::int32_t r = first; r <= last; ++r) {
            entries.push_back(event + "(" + std::to_string(r) + ")");
        }
        return entries;
    }
    void ScrollDownLines(int lines) {
        for (int i = 0; i < lines; ++i) display().Wheel(-120);
        sys::PumpMessages();
    }

    std::unique_ptr<PostgresConnection> db;
    std::unique_ptr<CursorBinding> binding;
};

TEST_F(CursorBindingTest, AMillionRowsOpenWithTheRowsInViewAndScrollingAsksForTheNextOnly) {
    db->Execute(
        "CREATE TEMP TABLE items AS SELECT g AS id, 'item ' || g AS name, g % 7 = 0 AS boxed, "
        "(g * 0.25)::numeric(12, 2) AS price FROM generate_series(1, 1000000) g;"
        "ALTER TABLE items ADD PRIMARY KEY (id)");
    Bind("SELECT id, name, boxed, price FROM items ORDER BY id", 32);

    const std::int32_t shown = LastRowShown();
    ASSERT_GT(shown, 10);
    EXPECT_EQ(grid().RowCount(), shown);
    EXPECT_EQ(log.Of("RequestRow("), Requests("RequestRow", 1, shown));
    EXPECT_EQ(log.Of("RequestRowData"), Requests("RequestRowData", 1, shown));
    EXPECT_EQ(binding->Cursor().PagesFetched(), 1);
    EXPECT_EQ(grid().CellValue(shown, "id").ToLong(), shown);
    EXPECT_EQ(grid().CellText(7, "name"), "item 7");
    EXPECT_TRUE(grid().CellValue(7, "boxed").ToBoolean());
    EXPECT_FALSE(grid().CellValue(8, "boxed").ToBoolean());
    EXPECT_EQ(grid().CellType(7, "boxed"), vxCellCheck);
    EXPECT_EQ(grid().CellValue(shown, "price").ToDouble(), shown * 0.25);

    ScrollDownLines(40);
    const std::int32_t nowShown = LastRowShown();
    EXPECT_EQ(nowShown, shown + 40);
    EXPECT_EQ(grid().RowCount(), nowShown);
    EXPECT_EQ(log.Of("RequestRow("), Requests("RequestRow", 1, nowShown));
    EXPECT_EQ(binding->Cursor().PagesFetched(), (nowShown + 31) / 32);
    EXPECT_EQ(grid().CellValue(nowShown, "id").ToLong(), nowShown);
    EXPECT_EQ(binding->Cursor().KnownRowCount(), -1);  // the end was never read
    SavePng("/tmp/vexa-cursor-binding.png");
}

TEST_F(CursorBindingTest, TheEndOfTheResultEndsTheRequestsUntilTheGridStartsOver) {
    Bind("SELECT g AS n, 'row ' || g AS label FROM generate_series(1, 8) g", 5);
    EXPECT_EQ(grid().RowCount(), 8);
    EXPECT_EQ(log.Of("RequestRow("), Requests("RequestRow", 1, 9));
    EXPECT_EQ(log.Of("RequestRowData"), Requests("RequestRowData", 1, 8));
    grid().Draw();
    EXPECT_EQ(log.Of("RequestRow(").size(), 9u);

    // Cleared, the grid asks again from the first row, which the cursor reads again.
    log.Clear();
    grid().Clear();
    grid().Draw();
    EXPECT_EQ(log.Of("RequestRow("), Requests("RequestRow", 1, 9));
    EXPECT_EQ(grid().CellText(1, "label"), "row 1");
    EXPECT_EQ(grid().CellText(8, "label"), "row 8");

    // Without the binding nobody answers: the grid asks for nothing more.
    binding.reset();
    log.Clear();
    grid().Clear();
    grid().Draw();
    EXPECT_TRUE(log.Of("RequestRow").empty());
    EXPECT_FALSE(grid().Virtual());
}

TEST_F(CursorBindingTest, AGridWithColumnsShowsTheFieldsItsKeysName) {
    grid().AddCol({.sKey = "label", .sHeader = "Label"});
    grid().AddCol({.sKey = "missing"});
    grid().AddCol({.sKey = "N"});
    Bind("SELECT g AS n, 'row ' || g AS label FROM generate_series(1, 3) g", 10);
    ASSERT_EQ(grid().ColCount(), 3);
    EXPECT_EQ(grid().RowCount(), 3);
    EXPECT_EQ(grid().CellText(2, "label"), "row 2");
    EXPECT_EQ(grid().CellText(2, "missing"), "");
    EXPECT_EQ(grid().CellValue(2, "N").ToLong(), 2);
}

TEST_F(CursorBindingTest, ALostConnectionEndsTheRowsAndKeepsTheCompleteOnes) {
    constexpr std::int32_t kPage = 32;
    Bind("SELECT g AS n, 'row ' || g AS label FROM generate_series(1, 100000) g", kPage);
    ASSERT_GT(LastRowShown(), 10);
    ASSERT_LT(LastRowShown(), kPage);
    PostgresConnection control(ConnectionString());
    control.Execute("SELECT pg_terminate_backend($1)", {Variant(db->ServerProcessId())});

    ScrollDownLines(20);
    EXPECT_EQ(grid().RowCount(), kPage);  // the page fetched before the loss
    EXPECT_EQ(log.Of("RequestRowData"), Requests("RequestRowData", 1, kPage));
    for (std::int32_t r = 1; r <= kPage; ++r) {
        EXPECT_EQ(grid().CellText(r, "label"), "row " + std::to_string(r));
    }
    ASSERT_TRUE(binding->LastError().has_value());
    EXPECT_EQ(binding->LastError()->Number(), kDatabaseErrorNumber);
    EXPECT_FALSE(binding->LastError()->Description().empty());
    // Refused once, the rows stay ended.
    ScrollDownLines(5);
    EXPECT_EQ(log.Of("RequestRow(").size(), std::size_t(kPage + 1));
}

TEST_F(CursorBindingTest, AFailingQueryLeavesTheGridAsItWas) {
    grid().AddCol({.sKey = "n"});
    grid().SetRowCount(2);
    grid().SetCellValue(2, "n", 42);
    EXPECT_THROW(Bind("SELECT nope", 10), Error);
    EXPECT_THROW(grid().FillFromRS(Variant(
                     db->OpenRecordset("SELECT 10 / (g - 3) AS n FROM generate_series(1, 5) g"))),
                 Error);
    EXPECT_FALSE(grid().Virtual());
    EXPECT_EQ(grid().RowCount(), 2);
    EXPECT_EQ(grid().CellValue(2, "n").ToLong(), 42);
    EXPECT_TRUE(log.Of("RequestRow").empty());
}

TEST_F(CursorBindingTest, FillFromAPostgresRecordsetShapesColumnsByFieldType) {
    grid().FillFromRS(Variant(db->OpenRecordset(
        "SELECT g % 2 = 0 AS even, g AS qty, 'part ' || g AS name, g * 1.5 AS weight "
        "FROM generate_series(1, 500) g ORDER BY g")));
    ASSERT_EQ(grid().ColCount(), 4);
    EXPECT_EQ(grid().RowCount(), 500);
    EXPECT_EQ(grid().CellType(1, "even"), vxCellCheck);
    EXPECT_NE(grid().CellTextFlags(1, "qty") & vxTextRight, 0);
    EXPECT_EQ(grid().CellTextFlags(1, "name") & vxTextRight, 0);
    EXPECT_NE(grid().CellTextFlags(1, "weight") & vxTextRight, 0);
    EXPECT_EQ(grid().CellText(500, "name"), "part 500");
    EXPECT_EQ(grid().CellValue(500, "weight").ToDouble(), 750.0);
    EXPECT_FALSE(grid().Virtual());
}

}  // namespace
}  // namespace vexa::test
