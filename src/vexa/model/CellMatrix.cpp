#include "vexa/model/CellMatrix.h"

#include <algorithm>
#include <utility>

namespace vexa {

void CellMatrix::ResizeSlots(std::int32_t slots) {
    rows_.resize(std::size_t(slots) + 1);
    // Give memory back once most of it stands unused; halving keeps growth amortised.
    if (rows_.capacity() > 64 && rows_.size() < rows_.capacity() / 4) rows_.shrink_to_fit();
}

CellRecord* CellMatrix::CreateRow(std::int32_t row) {
    rows_[std::size_t(row)] = std::make_unique<CellRecord[]>(std::size_t(columns_));
    return rows_[std::size_t(row)].get();
}

void CellMatrix::ShiftRowsUp(std::int32_t first, std::int32_t last) {
    std::move_backward(rows_.begin() + first, rows_.begin() + last + 1, rows_.begin() + last + 2);
}

void CellMatrix::ShiftRowsDown(std::int32_t first, std::int32_t last) {
    std::move(rows_.begin() + first, rows_.begin() + last + 1, rows_.begin() + first - 1);
}

void CellMatrix::PermuteRows(const std::vector<std::int32_t>& order) {
    std::vector<std::unique_ptr<CellRecord[]>> moved(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) moved[i] = std::move(rows_[order[i]]);
    for (std::size_t i = 0; i < order.size(); ++i) rows_[i + 1] = std::move(moved[i]);
}

void CellMatrix::InsertColumn(std::int32_t k, std::int32_t rowCount) {
    const std::int32_t newColumns = columns_ + 1;
    for (std::int32_t r = 1; r <= rowCount; ++r) {
        auto& block = rows_[std::size_t(r)];
        if (!block) continue;
        auto rebuilt = std::make_unique<CellRecord[]>(std::size_t(newColumns));
        std::move(block.get(), block.get() + (k - 1), rebuilt.get());
        std::move(block.get() + (k - 1), block.get() + columns_, rebuilt.get() + k);
        block = std::move(rebuilt);
    }
    columns_ = newColumns;
}

void CellMatrix::RemoveColumn(std::int32_t k, std::int32_t rowCount) {
    const std::int32_t newColumns = columns_ - 1;
    for (std::int32_t r = 1; r <= rowCount; ++r) {
        auto& block = rows_[std::size_t(r)];
        if (!block) continue;
        auto rebuilt = std::make_unique<CellRecord[]>(std::size_t(newColumns));
        std::move(block.get(), block.get() + (k - 1), rebuilt.get());
        std::move(block.get() + k, block.get() + columns_, rebuilt.get() + (k - 1));
        block = std::move(rebuilt);
    }
    columns_ = newColumns;
}

void CellMatrix::Release() {
    rows_.clear();
    rows_.shrink_to_fit();
    rows_.resize(1);
}

}  // namespace vexa
