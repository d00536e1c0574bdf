// The cell matrix: one CellRecord per (column index, row slot). Each row's cells are one
// contiguous block reached through a handle, so growing, shrinking or moving rows moves
// handles and never copies cells; only adding or removing a column rebuilds the blocks.
// Slots are 1-based; slot 0 and the reserve slots above the row count hold no block.
//
// Rows made from the same cells (the column defaults, through a RowTemplate) share one block
// until something writes to one of them: appending a row copies no cell, and a grid of rows
// nobody has touched yet holds a single block for all of them. Writing goes through the
// non-const members, which first give the row a block of its own; the const members only
// read, so reading never copies.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "vexa/model/GridRecords.h"

namespace vexa {

class CellMatrix {
    struct Block;

  public:
    // Cells a row can be given without a copy; every row made from it shares its block.
    class RowTemplate {
      public:
        RowTemplate() = default;
        ~RowTemplate();
        RowTemplate(RowTemplate&& other) noexcept;
        RowTemplate& operator=(RowTemplate&& other) noexcept;
        RowTemplate(const RowTemplate&) = delete;
        RowTemplate& operator=(const RowTemplate&) = delete;

        bool Empty() const { return block_ == nullptr; }
        std::int32_t Columns() const;
        // The cells, to fill before the template is first shared.
        CellRecord* Cells();
        const CellRecord* Cells() const;

      private:
        friend class CellMatrix;
        Block* block_ = nullptr;
    };

    CellMatrix() = default;
    ~CellMatrix();
    CellMatrix(const CellMatrix&) = delete;
    CellMatrix& operator=(const CellMatrix&) = delete;
    CellMatrix(CellMatrix&& other) noexcept;
    CellMatrix& operator=(CellMatrix&& other) noexcept;

    std::int32_t Columns() const { return columns_; }
    std::int32_t Slots() const { return static_cast<std::int32_t>(rows_.size()) - 1; }

    // Sets the column count of an empty matrix (no row blocks).
    void SetColumns(std::int32_t columns) { columns_ = columns; }

    // Sizes the matrix for `slots` row slots, keeping the blocks of the slots that remain.
    void ResizeSlots(std::int32_t slots);

    // A template of default-constructed cells for the present column count.
    RowTemplate NewTemplate() const;
    // Gives `row` the template's cells, shared with every other row made from it.
    void ShareRow(std::int32_t row, const RowTemplate& cells);
    void ReleaseRow(std::int32_t row);

    // The cells of `row` to change, copied first when the row shares them; null without a
    // block.
    CellRecord* Row(std::int32_t row) {
        Block*& block = rows_[std::size_t(row)];
        if (block == nullptr) return nullptr;
        if (Shared(*block)) block = Unshare(block);
        return CellsOf(block);
    }
    const CellRecord* Row(std::int32_t row) const {
        const Block* block = rows_[std::size_t(row)];
        return block != nullptr ? CellsOf(block) : nullptr;
    }

    // The cell of column index `col` (1-based) in row `row`; the row must have a block.
    CellRecord& At(std::int32_t col, std::int32_t row) { return Row(row)[col - 1]; }
    const CellRecord& At(std::int32_t col, std::int32_t row) const { return Row(row)[col - 1]; }

    // Whether `row` still shares its cells with other rows (or with a template).
    bool SharesCells(std::int32_t row) const;

    // Slots first..last move to first+1..last+1; slot `first` is left without a block.
    void ShiftRowsUp(std::int32_t first, std::int32_t last);
    // Slots first..last move to first-1..last-1 (the block of first-1 is released); slot
    // `last` is left without a block.
    void ShiftRowsDown(std::int32_t first, std::int32_t last);

    // Row slot r receives the block that was at order[r - 1] (rows 1..order.size()).
    void PermuteRows(const std::vector<std::int32_t>& order);

    // Rebuilds every block of rows 1..rowCount with a new column at index k; `fill` gives
    // each new cell its content, once per block (rows sharing a block keep sharing it).
    void InsertColumn(std::int32_t k, std::int32_t rowCount,
                      const std::function<void(CellRecord&)>& fill);
    // Rebuilds every block of rows 1..rowCount without column index k.
    void RemoveColumn(std::int32_t k, std::int32_t rowCount);

    // Releases every block and slot; the column count stays.
    void Release();

  private:
    struct Block {
        std::int32_t users;    // rows and templates holding the block
        std::int32_t columns;  // cells that follow the header
    };

    static CellRecord* CellsOf(Block* block) { return reinterpret_cast<CellRecord*>(block + 1); }
    static const CellRecord* CellsOf(const Block* block) {
        return reinterpret_cast<const CellRecord*>(block + 1);
    }
    static bool Shared(const Block& block) { return block.users > 1; }
    static Block* NewBlock(std::int32_t columns);
    static void Retain(Block* block) { ++block->users; }
    static void Drop(Block* block);
    // A block of its own for a row that shared `block`, with the same cells.
    static Block* Unshare(Block* block);
    // The same cells with column index k inserted (default-constructed) or removed.
    static Block* WithColumnInserted(const Block* block, std::int32_t k);
    static Block* WithColumnRemoved(const Block* block, std::int32_t k);
    void ReplaceBlocks(std::int32_t rowCount, const std::function<Block*(const Block*)>& rebuild);

    std::int32_t columns_ = 0;
    std::vector<Block*> rows_{1, nullptr};
};

}  // namespace vexa
