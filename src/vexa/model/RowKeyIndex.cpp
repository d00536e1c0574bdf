#include "vexa/model/RowKeyIndex.h"

#include <algorithm>

namespace vexa {

namespace {

// The hash bits a slot keeps: the high ones, as the low ones already chose the slot.
std::uint32_t HashBits(std::size_t hash) {
    return std::uint32_t(std::uint64_t(hash) >> 32);
}

}  // namespace

KeyLookup RowKeyIndex::Find(const std::string& key, const std::vector<RowRecord>& rows) const {
    // std::string compares like memcmp: ordinal and case-sensitive.
    const auto keyOf = [&rows](std::int32_t row) -> const std::string& {
        return rows[std::size_t(row)].Key();
    };
    const auto it = std::lower_bound(
        entries_.begin(), entries_.end(), key,
        [&keyOf](std::int32_t row, const std::string& wanted) { return keyOf(row) < wanted; });
    KeyLookup lookup;
    lookup.position = static_cast<std::int32_t>(it - entries_.begin()) + 1;
    lookup.found = it != entries_.end() && keyOf(*it) == key;
    return lookup;
}

std::int32_t RowKeyIndex::HashedRow(const std::string& key, const std::vector<RowRecord>& rows,
                                    std::int32_t rowCount) const {
    if (table_.empty()) {
        // Made when lookups have paid for it: an index changed between every two lookups
        // never makes one, and one searched many times makes it once.
        if (++lookupsSinceChange_ < std::int64_t(Count()) / 8 + 16) return 0;
        MakeTable(rows);
    }
    const std::size_t mask = table_.size() - 1;
    const std::size_t hash = std::hash<std::string>{}(key);
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& entry = table_[slot];
        if (entry.row == 0) return 0;
        // Keys are unique among the rows, so a row holding the key is the row.
        if (entry.hashBits == HashBits(hash) && entry.row <= rowCount && *entry.key == key) {
            return entry.row;
        }
    }
}

void RowKeyIndex::MakeTable(const std::vector<RowRecord>& rows) const {
    std::size_t slots = 16;
    while (slots < 2 * entries_.size()) slots *= 2;
    table_.assign(slots, Slot{});
    const std::size_t mask = slots - 1;
    for (std::int32_t row : entries_) {
        const std::string& key = rows[std::size_t(row)].Key();
        const std::size_t hash = std::hash<std::string>{}(key);
        std::size_t slot = hash & mask;
        while (table_[slot].row != 0) slot = (slot + 1) & mask;
        table_[slot] = {HashBits(hash), row, &key};
    }
}

void RowKeyIndex::Insert(std::int32_t position, std::int32_t row, bool shift) {
    Changed();
    if (shift) ShiftRowsFrom(row, +1);
    if (Count() == capacity_) capacity_ *= 2;
    entries_.insert(entries_.begin() + (position - 1), row);
}

void RowKeyIndex::Remove(std::int32_t position, bool shift) {
    Changed();
    const std::int32_t removedRow = RowAt(position);
    entries_.erase(entries_.begin() + (position - 1));
    if (shift) ShiftRowsFrom(removedRow + 1, -1);
}

void RowKeyIndex::ShiftRowsFrom(std::int32_t row, std::int32_t delta) {
    Changed();
    for (std::int32_t& entry : entries_) {
        if (entry >= row) entry += delta;
    }
}

void RowKeyIndex::DropRowsAbove(std::int32_t rowCount) {
    Changed();
    std::erase_if(entries_, [rowCount](std::int32_t row) { return row > rowCount; });
}

void RowKeyIndex::Rebuild(const std::vector<RowRecord>& rows, std::int32_t rowCount) {
    Changed();
    entries_.clear();
    for (std::int32_t r = 1; r <= rowCount; ++r) {
        if (!rows[std::size_t(r)].Key().empty()) entries_.push_back(r);
    }
    // Keys are unique, so one sort gives the order entering them one by one would.
    std::sort(entries_.begin(), entries_.end(), [&rows](std::int32_t a, std::int32_t b) {
        return rows[std::size_t(a)].Key() < rows[std::size_t(b)].Key();
    });
    while (capacity_ < Count()) capacity_ *= 2;
}

}  // namespace vexa
