// Which row a search text finds in a column of words, whatever the case, from a start row,
// in a loop, with and without hidden rows.
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
        {"b", 1, true, false, 2},     {"BLU", 1, true, false, 3},   {"bLuE", -1, true, false, 3},
        {"éco", 1, true, false, 4},   {"ÉCOLE", 0, true, false, 4}, {"STRASSE", 1, true, false, 5},
        {"x", 1, true, false, 0},     {"", 3, true, false, 3},      {"bl h", 1, true, false, 0},
        {"bl h", 1, false, false, 6}, {"b", 4, true, false, 0},     {"b", 4, true, true, 2},
        {"apple", 99, true, false, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(search.FindMatchRow(1, c.text, c.start, c.visibleOnly, c.loop), c.row)
            << c.text << " from " << c.start;
    }
}

}  // namespace
}  // namespace vexa
