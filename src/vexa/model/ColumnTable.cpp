#include "vexa/model/ColumnTable.h"

#include <utility>

namespace vexa {

namespace {

ColumnRecord Sentinel() {
    ColumnRecord sentinel;
    sentinel.width = 0;
    sentinel.left = 0;
    return sentinel;
}

}  // namespace

ColumnTable::ColumnTable() {
    records_.push_back(Sentinel());
}

std::int32_t ColumnTable::PositionOfIndex(std::int32_t index) const {
    for (std::int32_t p = 1; p <= Count(); ++p) {
        if (At(p).index == index) return p;
    }
    return 0;
}

std::int32_t ColumnTable::FirstPositionWithKey(const std::string& key) const {
    for (std::int32_t p = 1; p <= Count(); ++p) {
        if (At(p).key == key) return p;
    }
    return 0;
}

void ColumnTable::Insert(std::int32_t position, ColumnRecord record) {
    for (std::int32_t p = 1; p <= Count(); ++p) {
        if (At(p).index >= record.index) ++At(p).index;
    }
    records_.insert(records_.begin() + position, std::move(record));
}

void ColumnTable::Remove(std::int32_t position) {
    const std::int32_t removedIndex = At(position).index;
    records_.erase(records_.begin() + position);
    for (std::int32_t p = 1; p <= Count(); ++p) {
        if (At(p).index > removedIndex) --At(p).index;
    }
}

void ColumnTable::Clear() {
    records_.resize(1);
}

}  // namespace vexa
