#include "vexa/model/CellMatrix.h"

#include <algorithm>
#include <memory>
#include <new>
#include <unordered_map>
#include <utility>

namespace vexa {

// ---- Blocks ----

CellMatrix::Block* CellMatrix::NewBlock(std::int32_t columns) {
    static_assert(sizeof(Block) % alignof(CellRecord) == 0, "cells follow the header aligned");
    void* memory = ::operator new(sizeof(Block) + sizeof(CellRecord) * std::size_t(columns));
    Block* block = new (memory) Block{1, columns};
    std::uninitialized_default_construct_n(CellsOf(block), columns);
    return block;
}

void CellMatrix::Drop(Block* block) {
    if (block == nullptr || --block->users > 0) return;
    std::destroy_n(CellsOf(block), block->columns);
    block->~Block();
    ::operator delete(block);
}

CellMatrix::Block* CellMatrix::Unshare(Block* block) {
    void* memory = ::operator new(sizeof(Block) + sizeof(CellRecord) * std::size_t(block->columns));
    Block* copy = new (memory) Block{1, block->columns};
    std::uninitialized_copy_n(CellsOf(block), block->columns, CellsOf(copy));
    Drop(block);
    return copy;
}

CellMatrix::Block* CellMatrix::WithColumnInserted(const Block* block, std::int32_t k) {
    Block* rebuilt = NewBlock(block->columns + 1);
    const CellRecord* from = CellsOf(block);
    CellRecord* to = CellsOf(rebuilt);
    std::copy(from, from + (k - 1), to);
    std::copy(from + (k - 1), from + block->columns, to + k);
    return rebuilt;
}

CellMatrix::Block* CellMatrix::WithColumnRemoved(const Block* block, std::int32_t k) {
    Block* rebuilt = NewBlock(block->columns - 1);
    const CellRecord* from = CellsOf(block);
    CellRecord* to = CellsOf(rebuilt);
    std::copy(from, from + (k - 1), to);
    std::copy(from + k, from + block->columns, to + (k - 1));
    return rebuilt;
}

// ---- Templates ----

CellMatrix::RowTemplate::~RowTemplate() {
    Drop(block_);
}

CellMatrix::RowTemplate::RowTemplate(RowTemplate&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)) {}

CellMatrix::RowTemplate& CellMatrix::RowTemplate::operator=(RowTemplate&& other) noexcept {
    if (this != &other) {
        Drop(block_);
        block_ = std::exchange(other.block_, nullptr);
    }
    return *this;
}

std::int32_t CellMatrix::RowTemplate::Columns() const {
    return block_ != nullptr ? block_->columns : 0;
}

CellRecord* CellMatrix::RowTemplate::Cells() {
    return block_ != nullptr ? CellsOf(block_) : nullptr;
}

const CellRecord* CellMatrix::RowTemplate::Cells() const {
    return block_ != nullptr ? CellsOf(block_) : nullptr;
}

CellMatrix::RowTemplate CellMatrix::NewTemplate() const {
    RowTemplate cells;
    cells.block_ = NewBlock(columns_);
    return cells;
}

// ---- Rows ----

CellMatrix::~CellMatrix() {
    for (Block* block : rows_) Drop(block);
}

CellMatrix::CellMatrix(CellMatrix&& other) noexcept
    : columns_(other.columns_), rows_(std::exchange(other.rows_, std::vector<Block*>(1))) {}

CellMatrix& CellMatrix::operator=(CellMatrix&& other) noexcept {
    if (this != &other) {
        Release();
        columns_ = other.columns_;
        std::swap(rows_, other.rows_);
    }
    return *this;
}

void CellMatrix::ResizeSlots(std::int32_t slots) {
    for (std::size_t r = std::size_t(slots) + 1; r < rows_.size(); ++r) Drop(rows_[r]);
    rows_.resize(std::size_t(slots) + 1, nullptr);
    // Give memory back once most of it stands unused; halving keeps growth amortised.
    if (rows_.capacity() > 64 && rows_.size() < rows_.capacity() / 4) rows_.shrink_to_fit();
}

void CellMatrix::ShareRow(std::int32_t row, const RowTemplate& cells) {
    Block*& slot = rows_[std::size_t(row)];
    Drop(slot);
    slot = cells.block_;
    Retain(slot);
}

void CellMatrix::ReleaseRow(std::int32_t row) {
    Drop(std::exchange(rows_[std::size_t(row)], nullptr));
}

bool CellMatrix::SharesCells(std::int32_t row) const {
    const Block* block = rows_[std::size_t(row)];
    return block != nullptr && Shared(*block);
}

void CellMatrix::ShiftRowsUp(std::int32_t first, std::int32_t last) {
    // Slot last + 1 is free (a new row is being made room for).
    std::move_backward(rows_.begin() + first, rows_.begin() + last + 1, rows_.begin() + last + 2);
    rows_[std::size_t(first)] = nullptr;
}

void CellMatrix::ShiftRowsDown(std::int32_t first, std::int32_t last) {
    Drop(rows_[std::size_t(first) - 1]);
    std::move(rows_.begin() + first, rows_.begin() + last + 1, rows_.begin() + first - 1);
    rows_[std::size_t(last)] = nullptr;
}

void CellMatrix::PermuteRows(const std::vector<std::int32_t>& order) {
    std::vector<Block*> moved(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) moved[i] = rows_[std::size_t(order[i])];
    std::copy(moved.begin(), moved.end(), rows_.begin() + 1);
}

void CellMatrix::ReplaceBlocks(std::int32_t rowCount,
                               const std::function<Block*(const Block*)>& rebuild) {
    // Rows that shared a block share its rebuilt form.
    std::unordered_map<const Block*, Block*> rebuilt;
    for (std::int32_t r = 1; r <= rowCount; ++r) {
        Block*& slot = rows_[std::size_t(r)];
        if (slot == nullptr) continue;
        Block* replacement = nullptr;
        if (Shared(*slot)) {
            auto [found, added] = rebuilt.try_emplace(slot, nullptr);
            if (added) found->second = rebuild(slot);
            replacement = found->second;
            Retain(replacement);
        } else {
            replacement = rebuild(slot);
        }
        Drop(std::exchange(slot, replacement));
    }
    // Each rebuilt shared block was made with one user too many: the map's own.
    for (const auto& entry : rebuilt) Drop(entry.second);
}

void CellMatrix::InsertColumn(std::int32_t k, std::int32_t rowCount,
                              const std::function<void(CellRecord&)>& fill) {
    ReplaceBlocks(rowCount, [&](const Block* block) {
        Block* rebuilt = WithColumnInserted(block, k);
        fill(CellsOf(rebuilt)[k - 1]);
        return rebuilt;
    });
    ++columns_;
}

void CellMatrix::RemoveColumn(std::int32_t k, std::int32_t rowCount) {
    ReplaceBlocks(rowCount, [&](const Block* block) { return WithColumnRemoved(block, k); });
    --columns_;
}

void CellMatrix::Release() {
    for (Block* block : rows_) Drop(block);
    rows_.clear();
    rows_.shrink_to_fit();
    rows_.resize(1, nullptr);
}

}  // namespace vexa
