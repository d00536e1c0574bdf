// Row keys: uniqueness, binary comparison, renaming, and the sorted index staying true
// through inserts, removals and permutations.
#include <algorithm>
#include <random>

#include "StoreTestSupport.h"

namespace vexa::test {
namespace {

TEST(StoreRowKeys, KeysAreUniqueAndCaseSensitive) {
    Vexa grid;
    grid.AddCol();
    grid.AddRow("abc");
    ExpectGridError([&] { grid.AddRow("abc"); }, 515, kDuplicateKey);
    grid.AddRow("ABC");
    EXPECT_EQ(grid.RowIndex("ABC"), 2);
    EXPECT_EQ(grid.RowIndex("abc"), 1);
    ExpectGridError([&] { grid.RowIndex(""); }, 513, kSubscript);
    ExpectGridError([&] { grid.RowKey(3); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetRowKey(0, "x"); }, 513, kSubscript);
}

TEST(StoreRowKeys, RenamingMovingAndClearingKeys) {
    Vexa grid;
    grid.AddCol();
    grid.SetRowCount(4);
    grid.SetRowKey(2, "m");
    grid.SetRowKey(3, "a");
    grid.SetRowKey(2, "z");  // rename moves the entry to its new sorted place
    EXPECT_EQ(grid.RowIndex("z"), 2);
    EXPECT_EQ(grid.RowIndex("a"), 3);
    ExpectGridError([&] { grid.RowIndex("m"); }, 513, kSubscript);
    ExpectGridError([&] { grid.SetRowKey(4, "z"); }, 515, kDuplicateKey);
    EXPECT_EQ(grid.RowKey(4), "");
    grid.SetRowKey(2, "z");  // the same key on the same row is fine
    grid.SetRowKey(4, "");   // clearing a key a row never had
    grid.SetRowKey(3, "");
    ExpectGridError([&] { grid.RowIndex("a"); }, 513, kSubscript);
    EXPECT_EQ(grid.RowKey(3), "");
    grid.SetRowKey(4, "a");  // a freed key can be reused
    EXPECT_EQ(grid.RowIndex("a"), 4);
    ExpectGridError([&] { grid.SetRowKey(5, "y"); }, 513, kSubscript);
    grid.RemoveRow(1);
    EXPECT_EQ(grid.RowIndex("z"), 1);
    EXPECT_EQ(grid.RowIndex("a"), 3);
}

// Where FindRowKey places each key, and whether it found it.
struct Place {
    const char* key;
    std::int32_t position;
    bool found;
};

void ExpectPlaces(const GridStore& store, std::initializer_list<Place> places) {
    for (const Place& p : places) {
        EXPECT_EQ(store.FindRowKey(p.key).position, p.position) << p.key;
        EXPECT_EQ(store.FindRowKey(p.key).found, p.found) << p.key;
    }
}

TEST(StoreRowKeys, FindReportsInsertionPlacesInOrdinalOrder) {
    GridStore store = StoreWithColumns(1);
    ExpectPlaces(store, {{"m", 1, false}});
    AddKeyed(store, "m");
    ExpectPlaces(store, {{"a", 1, false}, {"m", 1, true}, {"z", 2, false}});
    // Ordinal comparison: every capital letter sorts before every small one, and bytes
    // above 127 after both.
    for (const char* key : {"a", "B", "\xc3\xa9"}) AddKeyed(store, key);
    ExpectPlaces(
        store,
        {{"B", 1, true}, {"C", 2, false}, {"a", 2, true}, {"m", 3, true}, {"\xc3\xa9", 4, true}});
    EXPECT_EQ(store.RowIndex("\xc3\xa9"), 4);
    GridStore many = StoreWithColumns(1);
    for (int i = 0; i < 11; ++i) AddKeyed(many, std::string(1, char('b' + 2 * i)));  // b, d, ...
    ExpectPlaces(many, {{"a", 1, false}, {"c", 2, false}, {"d", 2, true}, {"zz", 12, false}});
}

TEST(StoreRowKeys, CapacityDoublesEachTimeItIsFull) {
    Vexa grid;
    grid.AddCol();
    grid.SetRowCount(41);
    for (std::int32_t r = 1; r <= 41; ++r) grid.SetRowKey(r, "k" + std::to_string(1000 + r));
    for (std::int32_t r = 1; r <= 41; ++r) {
        EXPECT_EQ(grid.RowIndex("k" + std::to_string(1000 + r)), r);
    }
    GridStore store = StoreWithColumns(1);
    store.SetRowCount(41);
    std::vector<std::int32_t> capacities;
    for (std::int32_t r = 1; r <= 41; ++r) {
        store.SetRowKey(r, "k" + std::to_string(1000 + r));
        capacities.push_back(store.Keys().Capacity());
    }
    EXPECT_EQ(capacities[0], 10);
    EXPECT_EQ(capacities[9], 10);   // 10 keys fit
    EXPECT_EQ(capacities[10], 20);  // the 11th doubles
    EXPECT_EQ(capacities[19], 20);
    EXPECT_EQ(capacities[20], 40);
    EXPECT_EQ(capacities[40], 80);
}

TEST(StoreRowKeys, PermutingRowsMovesCellsAndRebuildsTheIndex) {
    GridStore store = StoreWithColumns(1);
    for (const char* key : {"a", "b", "c"}) AddKeyed(store, key);
    store.Cell(1, 1).icon = 1;
    store.Cell(1, 3).icon = 3;
    store.PermuteRows({3, 1, 2});
    EXPECT_EQ(store.RowIndex("c"), 1);
    EXPECT_EQ(store.RowIndex("a"), 2);
    EXPECT_EQ(store.Cell(1, 1).icon, 3);
    EXPECT_EQ(store.Cell(1, 2).icon, 1);
}

// Random inserts (keyless ones among them), appends, removals, renames and sorts, with many
// lookups between changes, so that lookups go through the hash of the keys as well as the
// sorted index: every row keeps its key, every key finds its row, and a key no row holds
// finds none.
TEST(StoreRowKeys, LookupsBetweenChangesFollowInsertsRemovalsRenamesAndSorts) {
    Vexa grid;
    grid.AddCol();
    std::mt19937 random(11);
    std::vector<std::string> keys;  // keys[r - 1] is the key of row r
    std::vector<std::string> gone;
    for (int step = 0; step < 120; ++step) {
        const std::int32_t count = grid.RowCount();
        const std::string key = "k" + std::to_string(step);
        switch (count < 40 ? 0 : random() % 4) {
            case 0: {
                const std::int32_t before =
                    count > 0 && random() % 2 == 0 ? std::int32_t(random() % count) + 1 : 0;
                const std::string added = random() % 4 == 0 ? std::string() : key;
                grid.AddRow(added, before > 0 ? std::optional<Variant>(before) : std::nullopt);
                grid.SetCellValue(before > 0 ? before : count + 1, 1, int(random() % 50));
                keys.insert(before > 0 ? keys.begin() + (before - 1) : keys.end(), added);
                break;
            }
            case 1: {
                const std::int32_t row = std::int32_t(random() % count) + 1;
                gone.push_back(keys[std::size_t(row - 1)]);
                grid.RemoveRow(row);
                keys.erase(keys.begin() + (row - 1));
                break;
            }
            case 2: {
                const std::int32_t row = std::int32_t(random() % count) + 1;
                gone.push_back(keys[std::size_t(row - 1)]);
                grid.SetRowKey(row, key);
                keys[std::size_t(row - 1)] = key;
                break;
            }
            default:
                grid.Sort(1);
                for (std::int32_t r = 1; r <= count; ++r) keys[std::size_t(r - 1)] = grid.RowKey(r);
        }
        for (int pass = 0; pass < 3; ++pass) {
            for (std::size_t i = 0; i < keys.size(); ++i) {
                ASSERT_EQ(grid.RowKey(std::int32_t(i) + 1), keys[i]) << "step " << step;
                if (keys[i].empty()) continue;
                ASSERT_EQ(grid.RowIndex(keys[i]), std::int32_t(i) + 1) << "step " << step;
            }
        }
        for (const std::string& old : gone) {
            if (old.empty() || std::find(keys.begin(), keys.end(), old) != keys.end()) continue;
            ExpectGridError([&] { grid.RowIndex(old); }, 513, kSubscript);
        }
    }
}

}  // namespace
}  // namespace vexa::test
