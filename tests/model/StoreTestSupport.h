// Helpers shared by the store tests: expecting a grid error with its full identity, and a
// snapshot of everything a failing call must leave unchanged.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vexa/model/GridStore.h"
#include "vexa/vexa.h"

namespace vexa::test {

// Runs `call` and checks it raised the grid error `code` with number, source and message.
template <class Call>
void ExpectGridError(Call&& call, std::int32_t code, const std::string& message) {
    try {
        call();
        ADD_FAILURE() << "expected grid error " << code;
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), std::int32_t(0x80040000u + std::uint32_t(code)));
        EXPECT_EQ(error.Source(), "Vexa");
        EXPECT_EQ(error.Description(), message);
    }
}

inline const std::string kSubscript = "Subscript out of range.";
inline const std::string kInvalidArg = "Invalid procedure call or argument.";
inline const std::string kDuplicateKey =
    "This key is already associated with an element of this collection.";
inline const std::string kNoColumns = "Attempt to add rows with no columns.";

// A store with `columns` plain columns.
inline GridStore StoreWithColumns(int columns) {
    GridStore store;
    for (int i = 0; i < columns; ++i) store.InsertColumn(NewColumn{}, 64, 0);
    return store;
}

// Adds a row to the store the way the control does: checked first, then inserted.
inline void Add(GridStore& store, NewRow row, std::int32_t before = 0) {
    const KeyLookup lookup = store.CheckNewRow(row);
    store.InsertRow(row, before, lookup);
}

inline void AddKeyed(GridStore& store, const std::string& key, std::int32_t before = 0) {
    NewRow row;
    row.key = key;
    Add(store, row, before);
}

// A grid with columns "a" and "b" and `Rows` plain rows.
template <int Rows>
class TwoColumnGrid : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.AddCol("a");
        grid.AddCol("b");
        grid.SetRowCount(Rows);
    }
    Vexa grid;
};

// What the host can observe of the store's structure.
struct StoreSnapshot {
    std::int32_t cols = 0, rows = 0, allocated = 0;
    std::vector<std::string> colKeys, rowKeys;
    std::vector<std::int32_t> colOrders;

    static StoreSnapshot Of(const Vexa& grid) {
        StoreSnapshot s;
        s.cols = grid.ColCount();
        s.rows = grid.RowCount();
        s.allocated = grid.MemMngAllocatedRows();
        for (std::int32_t c = 1; c <= s.cols; ++c) {
            s.colKeys.push_back(grid.ColKey(c));
            s.colOrders.push_back(grid.ColOrder(c));
        }
        for (std::int32_t r = 1; r <= s.rows; ++r) s.rowKeys.push_back(grid.RowKey(r));
        return s;
    }
    bool operator==(const StoreSnapshot&) const = default;
};

}  // namespace vexa::test
