// The column table: ColumnRecords in display order, position 0 being a sentinel of width 0
// and left 0. A record's position is its place on screen; its index is the number under
// which hosts address it. Column keys are few, so they are searched linearly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vexa/model/GridRecords.h"

namespace vexa {

class ColumnTable {
  public:
    ColumnTable();

    std::int32_t Count() const { return static_cast<std::int32_t>(records_.size()) - 1; }

    // Position 0..Count(); the caller keeps the position in range.
    ColumnRecord& At(std::int32_t position) { return records_[std::size_t(position)]; }
    const ColumnRecord& At(std::int32_t position) const { return records_[std::size_t(position)]; }

    // Position of the record with that index; 0 when there is none.
    std::int32_t PositionOfIndex(std::int32_t index) const;

    // First position whose key equals `key` (binary comparison); 0 when none does.
    std::int32_t FirstPositionWithKey(const std::string& key) const;

    // Inserts `record` at `position` (1..Count()+1). Records whose index is >= the new
    // record's index make room by growing theirs by one.
    void Insert(std::int32_t position, ColumnRecord record);

    // Removes the record at `position`; records with a higher index close the gap.
    void Remove(std::int32_t position);

    // Keeps only the sentinel.
    void Clear();

  private:
    std::vector<ColumnRecord> records_;
};

}  // namespace vexa
