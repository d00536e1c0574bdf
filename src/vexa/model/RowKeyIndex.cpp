#include "vexa/model/RowKeyIndex.h"

#include <algorithm>

namespace vexa {

KeyLookup RowKeyIndex::Find(const std::string& key, const std::vector<RowRecord>& rows) const {
    // std::string compares like memcmp: ordinal and case-sensitive.
    const auto keyOf = [&rows](std::int32_t row) -> const std::string& {
        return rows[std::size_t(row)].key;
    };
    const auto it = std::lower_bound(
        entries_.begin(), entries_.end(), key,
        [&keyOf](std::int32_t row, const std::string& wanted) { return keyOf(row) < wanted; });
    KeyLookup lookup;
    lookup.position = static_cast<std::int32_t>(it - entries_.begin()) + 1;
    lookup.found = it != entries_.end() && keyOf(*it) == key;
    return lookup;
}

void RowKeyIndex::Insert(std::int32_t position, std::int32_t row, bool shift) {
    if (shift) ShiftRowsFrom(row, +1);
    if (Count() == capacity_) capacity_ *= 2;
    entries_.insert(entries_.begin() + (position - 1), row);
}

void RowKeyIndex::Remove(std::int32_t position, bool shift) {
    const std::int32_t removedRow = RowAt(position);
    entries_.erase(entries_.begin() + (position - 1));
    if (shift) ShiftRowsFrom(removedRow + 1, -1);
}

void RowKeyIndex::ShiftRowsFrom(std::int32_t row, std::int32_t delta) {
    for (std::int32_t& entry : entries_) {
        if (entry >= row) entry += delta;
    }
}

void RowKeyIndex::DropRowsAbove(std::int32_t rowCount) {
    std::erase_if(entries_, [rowCount](std::int32_t row) { return row > rowCount; });
}

void RowKeyIndex::Rebuild(const std::vector<RowRecord>& rows, std::int32_t rowCount) {
    entries_.clear();
    for (std::int32_t r = 1; r <= rowCount; ++r) {
        if (rows[std::size_t(r)].key.empty()) continue;
        const KeyLookup lookup = Find(rows[std::size_t(r)].key, rows);
        Insert(lookup.position, r, false);
    }
}

}  // namespace vexa
