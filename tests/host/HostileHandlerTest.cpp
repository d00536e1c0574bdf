// A host's handler that changes the grid's shape while the grid walks its tables (a sort's
// comparisons, painting) is refused with 514 and the walk finishes on whole tables; reading
// and changing values stays allowed.
#include <functional>
#include <random>
#include <set>

#include "common/GridOnForm.h"
#include "vexa/system/data/Connection.h"
#include "vexa/system/data/Recordset.h"
#include "vexa/system/data/SampleDatabase.h"

namespace vexa::test {
namespace {

constexpr std::int32_t kRows = 20;
constexpr std::int32_t kInvalidArgument = std::int32_t(0x80040000u + 514);

struct StructuralCall {
    const char* name;
    std::function<void(Vexa&)> call;
};

std::vector<StructuralCall> StructuralCalls() {
    static Connection db(":memory:");
    static bool filled = false;
    if (!filled) CreateProductsTable(db, 5);
    filled = true;
    return {
        {"AddRow", [](Vexa& g) { g.AddRow(); }},
        {"InsertRow", [](Vexa& g) { g.AddRow({.vRowBefore = 1}); }},
        {"AddCol", [](Vexa& g) { g.AddCol(); }},
        {"RemoveRow", [](Vexa& g) { g.RemoveRow(1); }},
        {"RemoveCol", [](Vexa& g) { g.RemoveCol(1); }},
        {"Clear", [](Vexa& g) { g.Clear(); }},
        {"ClearColumns", [](Vexa& g) { g.Clear(true); }},
        {"RowCount", [](Vexa& g) { g.SetRowCount(0); }},
        {"ColOrder", [](Vexa& g) { g.SetColOrder(1, 2); }},
        {"Sort", [](Vexa& g) { g.Sort(Variant(1)); }},
        {"Virtual", [](Vexa& g) { g.SetVirtual(true); }},
        {"AllocatedRows", [](Vexa& g) { g.SetMemMngAllocatedRows(g.RowCount()); }},
        {"FillFromRS",
         [](Vexa& g) { g.FillFromRS(Variant(db.OpenRecordset("SELECT * FROM products"))); }},
    };
}

// Calls `call` from inside the event it handles and keeps what was raised.
struct Meddler : VexaEvents {
    Vexa* grid = nullptr;
    std::function<void(Vexa&)> call;
    std::vector<std::int32_t> errors;
    int calls = 0;

    void Meddle() {
        ++calls;
        try {
            call(*grid);
            errors.push_back(0);
        } catch (const Error& e) {
            errors.push_back(e.Number());
        }
    }
    void CustomSort(Variant& v1, Variant& v2, bool& greater) override {
        greater = v1.ToLong() > v2.ToLong();
        if (calls < 3) Meddle();
    }
    void CustomDrawCell(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                        std::int32_t, std::int32_t, bool) override {
        if (calls < 3) Meddle();
    }
};

class HostileHandlerTest : public GridOnForm, public ::testing::WithParamInterface<StructuralCall> {
  protected:
    void SetUp() override {
        grid().AddCol({.sKey = "n", .eSortType = vxSortByCustomer});
        grid().AddCol({.sKey = "other"});
        for (std::int32_t r = 1; r <= kRows; ++r) {
            grid().AddRow("r" + std::to_string(r));
            grid().SetCellValue(r, "n", (r * 7) % kRows);
        }
        meddler.grid = &grid();
        meddler.call = GetParam().call;
        grid().Advise(&meddler);
    }
    // Every row is present exactly once.
    void ExpectRowsWhole() {
        ASSERT_EQ(grid().RowCount(), kRows);
        std::set<std::string> keys;
        for (std::int32_t r = 1; r <= kRows; ++r) keys.insert(grid().RowKey(r));
        EXPECT_EQ(keys.size(), std::size_t(kRows));
        for (std::int32_t r = 1; r <= kRows; ++r)
            EXPECT_NO_THROW(grid().RowIndex("r" + std::to_string(r)));
    }
    Meddler meddler;
};

TEST_P(HostileHandlerTest, AStructuralCallInsideASortOrPaintingIsRefusedAndTheWalkFinishes) {
    grid().Sort(Variant("n"));
    ASSERT_GE(meddler.calls, 1);
    for (std::int32_t error : meddler.errors) EXPECT_EQ(error, kInvalidArgument);
    ExpectRowsWhole();
    for (std::int32_t r = 2; r <= kRows; ++r) {
        EXPECT_LE(grid().CellValue(r - 1, "n").ToLong(), grid().CellValue(r, "n").ToLong());
    }

    for (std::int32_t r = 1; r <= kRows; ++r) grid().SetCellType(r, "other", vxCellCustomDraw);
    meddler.calls = 0;
    meddler.errors.clear();
    grid().SetRedraw(false);
    grid().SetRedraw(true);
    ASSERT_GE(meddler.calls, 1);
    for (std::int32_t error : meddler.errors) EXPECT_EQ(error, kInvalidArgument) << "painting";
    ExpectRowsWhole();

    // Outside the walks the same call works.
    meddler.errors.clear();
    meddler.Meddle();
    EXPECT_EQ(meddler.errors, (std::vector<std::int32_t>{0}));
}

INSTANTIATE_TEST_SUITE_P(EveryShapeChange, HostileHandlerTest,
                         ::testing::ValuesIn(StructuralCalls()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostileHandlers, ValuesChangedAndHandlersThrowingInsideASortLeaveTheRowsWhole) {
    Vexa grid;
    grid.AddCol({.eSortType = vxSortByCustomer});
    grid.SetRowCount(50);
    std::mt19937 random(7);
    for (std::int32_t r = 1; r <= 50; ++r) grid.SetCellValue(r, 1, int(random() % 100));
    struct Rewriter : VexaEvents {
        Vexa* grid;
        std::mt19937 random{11};
        void CustomSort(Variant& v1, Variant& v2, bool& greater) override {
            greater = v1.ToLong() > v2.ToLong();
            grid->SetCellValue(int(random() % 50) + 1, 1, int(random() % 100));
            if (random() % 40 == 0) throw std::runtime_error("host");
            grid->SortObject().SetColCount(std::int16_t(random() % 3));
        }
    } rewriter;
    rewriter.grid = &grid;
    grid.Advise(&rewriter);
    for (int run = 0; run < 30; ++run) EXPECT_NO_THROW(grid.Sort(Variant(1)));
    EXPECT_EQ(grid.RowCount(), 50);
}

}  // namespace
}  // namespace vexa::test
