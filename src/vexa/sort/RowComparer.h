// Compares two rows of the grid criterion by criterion, as the Shell sort asks: is the
// candidate allowed to stay after the other row? Texts are built once per row and kept (with
// their collation key for case-blind sorts), so a text sort costs one text per row instead
// of two per comparison; values, attributes and the host's custom answers are read from the
// cells at every comparison.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "vexa/sort/ShellSortObject.h"
#include "vexa/system/automation/Variant.h"

namespace vexa {

class GridStore;
class SortCallbacks;
struct CellRecord;

// Thrown when a comparison cannot be made; the sort stops with every row in place.
class SortAbandoned : public std::runtime_error {
  public:
    SortAbandoned() : std::runtime_error("comparison cannot be made") {}
};

class RowComparer {
  public:
    RowComparer(GridStore& store, const std::vector<SortCriterion>& criteria,
                SortCallbacks& callbacks);

    // The answer of one criterion: whether the rows tie there, and whether the candidate
    // may stay after the other row.
    struct Outcome {
        bool equal = false;
        bool inOrder = false;
    };

    // True when row `candidate` may stay after row `other` (row indices of the unsorted
    // table). Throws when a comparison cannot be made.
    bool InOrder(std::int32_t candidate, std::int32_t other) {
        return InOrderFrom(0, candidate, other);
    }
    // The same, deciding by criteria k, k + 1, ... only (the earlier ones tied).
    bool InOrderFrom(std::size_t k, std::int32_t candidate, std::int32_t other);
    std::size_t CriterionCount() const { return criteria_.size(); }
    // Criterion k alone for rows x and y.
    Outcome CompareCells(std::int32_t x, std::int32_t y, std::size_t k);
    // The text of a row under text criterion k, and its collation key under a case-blind
    // one: built at the first request, then kept (and stable) for the comparer's life.
    const std::string& TextOf(std::int32_t row, std::size_t k);
    // The text of a row under criterion k, built afresh and not kept.
    std::string BuildText(std::int32_t row, std::size_t k);
    const std::string& NoCaseKeyOf(std::int32_t row, std::size_t k);

  private:
    Outcome CompareValues(const Variant& x, const Variant& y, bool ascending) const;
    Outcome CompareTexts(std::int32_t x, std::int32_t y, std::size_t k, bool ascending);
    Outcome CompareCustom(CellRecord& x, CellRecord& y, bool ascending);
    void CacheNumbers(std::size_t k);

    // A plain number of a cell, read once so that most value comparisons touch no cell.
    struct NumberKey {
        bool plain = false;
        double number = 0;
    };

    GridStore& store_;
    // A copy: a handler may change the sort object's criteria while the sort runs.
    const std::vector<SortCriterion> criteria_;
    SortCallbacks& callbacks_;
    // Per criterion, the text of each row once built (index = row).
    std::vector<std::vector<std::optional<std::string>>> texts_;
    // Per case-blind criterion, the collation key of each row's text once built (index =
    // row): comparing keys byte by byte equals the case-blind comparison of the texts.
    std::vector<std::vector<std::optional<std::string>>> noCaseKeys_;
    // Per value criterion, the plain number of each row (index = row).
    std::vector<std::vector<NumberKey>> numbers_;
    // Per criterion, whether numbers_ was filled (a criterion never compared is not read).
    std::vector<bool> numbersRead_;
};

// Values whose comparison is exactly that of their double: the variant rules compare all
// numbers numerically, and these convert to double without loss. (A single meets a double
// at the single's precision, so singles take the general comparison; NaN compares equal to
// everything there.)
bool IsPlainNumber(const Variant& value);

// The sign of x - y in 16-bit (or 32-bit) wrapping arithmetic, as the attribute sorts use.
int WrappedSign16(std::int32_t x, std::int32_t y);
int WrappedSign32(std::uint32_t x, std::uint32_t y);

}  // namespace vexa
