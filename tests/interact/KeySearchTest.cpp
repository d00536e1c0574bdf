// The key search on a store of words: which row a text finds whatever the case, and how
// typed characters grow, shrink, keep or end the search text.
#include <gtest/gtest.h>

#include "vexa/interact/KeySearch.h"
#include "vexa/model/CellValues.h"
#include "vexa/model/GridStore.h"

namespace vexa {
namespace {

class KeySearchTest : public ::testing::Test {
  protected:
    KeySearchTest() {
        NewColumn column;
        store.InsertColumn(column, store.CheckNewColumn(column), 0);
        for (const char* word : {"Apple", "Banana", "Blueberry", "École", "straße", "bl hidden"}) {
            NewRow row;
            row.visible = std::string(word) != "bl hidden";
            const std::int32_t r = store.InsertRow(row, 0, store.CheckNewRow(row));
            store.Cell(1, r).value = Variant(std::string(word));
        }
    }
    GridStore store;
    CellValues values{store, [](const Font&) {}};
    KeySearch search{store, values};
};

TEST_F(KeySearchTest, TextsMatchRowBeginningsWhateverTheCase) {
    struct Case {
        const char* text;
        std::int32_t start;
        bool visibleOnly, loop;
        std::int32_t row;
    } cases[] = {
        {"b", 1, true, false, 2},      {"BLU", 1, true, false, 3},   {"bLuE", -1, true, false, 3},
        {"éco", 1, true, false, 4},    {"ÉCOLE", 0, true, false, 4}, {"STRASSE", 1, true, false, 5},
        {"x", 1, true, false, 0},      {"", 3, true, false, 3},      {"bl h", 1, true, false, 0},
        {"bl h", 1, false, false, 6},  {"b", 4, true, false, 0},     {"b", 4, true, true, 2},
        {"apple", 99, true, false, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(search.FindMatchRow(1, c.text, c.start, c.visibleOnly, c.loop), c.row)
            << c.text << " from " << c.start;
    }
}

TEST_F(KeySearchTest, TypedCharactersEditTheTextAndAFailedOneKeepsIt) {
    struct Step {
        char32_t typed;
        SearchOutcome outcome;
        std::int32_t row;
        const char* text;
    } steps[] = {
        {U'b', SearchOutcome::Found, 2, "B"},     {U'l', SearchOutcome::Found, 3, "BL"},
        {U'x', SearchOutcome::NotFound, 0, "BL"}, {8, SearchOutcome::Found, 2, "B"},
        {27, SearchOutcome::Ended, 0, ""},        {U'é', SearchOutcome::Found, 4, "É"},
        {8, SearchOutcome::Ended, 0, ""},
    };
    for (const Step& step : steps) {
        const SearchResult result = search.Type(step.typed, vxKeyPressSearchCurCol, {1, 1});
        EXPECT_EQ(result.outcome, step.outcome) << int(step.typed);
        EXPECT_EQ(result.match.row, step.row) << int(step.typed);
        EXPECT_EQ(search.Text(), step.text);
    }
    EXPECT_EQ(search.Type(U'a', vxKeyPressSearchDefCol, {1, 1}).outcome, SearchOutcome::Ignored);
    search.SetKeySearchCol(1);
    EXPECT_EQ(search.Type(U'a', vxKeyPressSearchDefCol, {1, 1}).match, (CellSpot{1, 1}));
}

}  // namespace
}  // namespace vexa
