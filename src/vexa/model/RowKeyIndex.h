// The sorted index of row keys: the row indices of all rows with a non-empty key, ascending
// by key (binary, case-sensitive comparison). Places are 1-based as the store's callers
// expect. Lookups are binary searches; the logical capacity starts at 10 and doubles.
// Finding a row by its key alone can also go through a hash table of the keyed rows, made
// once lookups outnumber the changes since the index last changed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vexa/model/GridRecords.h"

namespace vexa {

struct KeyLookup {
    std::int32_t position = 1;  // where the key is, or where it would be inserted
    bool found = false;
};

class RowKeyIndex {
  public:
    static constexpr std::int32_t kInitialCapacity = 10;

    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
    std::int32_t Capacity() const { return capacity_; }
    // The row stored at place `position` (1..Count()).
    std::int32_t RowAt(std::int32_t position) const { return entries_[std::size_t(position - 1)]; }

    // Binary search by the keys of `rows` (the row table, indexed by row).
    KeyLookup Find(const std::string& key, const std::vector<RowRecord>& rows) const;

    // The row (1..rowCount) whose key is `key`, through the hash table; 0 when the table is
    // not made yet or has no such row (the binary search then decides).
    std::int32_t HashedRow(const std::string& key, const std::vector<RowRecord>& rows,
                           std::int32_t rowCount) const;

    // With `shift`, every stored row >= `row` first grows by one (a row was inserted before
    // them). Then `row` is stored at `position`.
    void Insert(std::int32_t position, std::int32_t row, bool shift);

    // Removes place `position`; with `shift`, every remaining row above the removed one
    // shrinks by one (the row itself is being removed).
    void Remove(std::int32_t position, bool shift);

    // Every stored row >= `row` changes by `delta`.
    void ShiftRowsFrom(std::int32_t row, std::int32_t delta);

    // Drops the entries of rows above `rowCount`.
    void DropRowsAbove(std::int32_t rowCount);

    // Re-enters the keyed rows 1..rowCount of `rows`, after rows were permuted.
    void Rebuild(const std::vector<RowRecord>& rows, std::int32_t rowCount);

    // No entries; the capacity stays.
    void Clear() {
        entries_.clear();
        Changed();
    }

  private:
    void Changed() {
        table_.clear();
        lookupsSinceChange_ = 0;
    }
    void MakeTable(const std::vector<RowRecord>& rows) const;

    std::vector<std::int32_t> entries_;
    std::int32_t capacity_ = kInitialCapacity;
    // Open addressing by the hash of a row's key: a power-of-two count of slots, each a row
    // (0 for none) with bits of its key's hash and where the key is kept (a row's key stays
    // in place while the row moves; any change of keys or rows clears the table), so that a
    // lookup reads one slot and one key; empty while the index changes faster than it is
    // searched.
    struct Slot {
        std::uint32_t hashBits = 0;
        std::int32_t row = 0;
        const std::string* key = nullptr;
    };
    mutable std::vector<Slot> table_;
    mutable std::int64_t lookupsSinceChange_ = 0;
};

}  // namespace vexa
