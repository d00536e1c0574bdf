#include "vexa/sort/ShellSortObject.h"

#include <algorithm>
#include <numeric>
#include <span>
#include <string_view>
#include <utility>

#include "vexa/model/GridErrors.h"
#include "vexa/model/GridStore.h"
#include "vexa/sort/DistinctKeySort.h"
#include "vexa/sort/RowComparer.h"
#include "vexa/system/automation/TextCollation.h"

namespace vexa {

namespace {

using RowOrder = std::vector<std::int32_t>;  // place p (1-based) holds a row of the old table

// The largest member of 1, 4, 13, 40, ... strictly below `count`.
std::int32_t FirstGap(std::int32_t count) {
    std::int32_t gap = 1;
    while (3 * gap + 1 < count) gap = 3 * gap + 1;
    return gap;
}

// The routine runs over places 1..n of `order`, whose entries are rows or rows with their
// prepared keys; `inOrder(a, b)` is true when entry a may stay after entry b. Whatever the
// entries, the same comparisons are made in the same sequence.

// Two rows that compare equal (under any type but the custom one) exchange places, as the
// classic routine does: "in order" includes equality there.
template <class Entry, class InOrder>
void SortPair(std::vector<Entry>& order, std::int32_t lo, std::int32_t hi, InOrder& inOrder) {
    if (inOrder(order[std::size_t(lo)], order[std::size_t(hi)])) {
        std::swap(order[std::size_t(lo)], order[std::size_t(hi)]);
    }
}

// One insertion pass with gap `gap`. When a comparison throws, the candidate held aside goes
// back into the free place before the error leaves, so every row stays present once.
template <class Entry, class InOrder>
void InsertionPass(std::vector<Entry>& order, std::int32_t lo, std::int32_t hi, std::int32_t gap,
                   InOrder& inOrder) {
    for (std::int32_t i = lo + gap; i <= hi; ++i) {
        Entry candidate = order[std::size_t(i)];
        std::int32_t j = i - gap;
        try {
            while (j >= lo && !inOrder(candidate, order[std::size_t(j)])) {
                order[std::size_t(j + gap)] = order[std::size_t(j)];
                j -= gap;
            }
        } catch (...) {
            order[std::size_t(j + gap)] = candidate;
            throw;
        }
        order[std::size_t(j + gap)] = candidate;
    }
}

template <class Entry, class InOrder>
void SortRange(std::vector<Entry>& order, std::int32_t lo, std::int32_t hi, InOrder& inOrder) {
    const std::int32_t count = hi - lo + 1;
    if (count <= 1) return;
    if (count == 2) return SortPair(order, lo, hi, inOrder);
    for (std::int32_t gap = FirstGap(count); gap > 0; gap = (gap - 1) / 3) {
        InsertionPass(order, lo, hi, gap, inOrder);
    }
}

// The ranges of places sorted separately: runs of rows between group rows (which never
// move) with `useGroups`, else all rows. Ranges of one row are left out.
std::vector<std::pair<std::int32_t, std::int32_t>> SortedRanges(const GridStore& store,
                                                                bool useGroups) {
    const std::int32_t count = store.RowCount();
    std::vector<std::pair<std::int32_t, std::int32_t>> ranges;
    if (useGroups && count <= 2) return ranges;
    std::int32_t start = 1;
    for (std::int32_t row = 1; useGroups && row <= count; ++row) {
        if (!store.Row(row).groupRow) continue;
        if (row - 1 > start) ranges.emplace_back(start, row - 1);
        start = row + 1;
    }
    if (count > start) ranges.emplace_back(start, count);
    return ranges;
}

using Ranges = std::vector<std::pair<std::int32_t, std::int32_t>>;

template <class Entry, class InOrder>
void SortRanges(std::vector<Entry>& order, const Ranges& ranges, InOrder& inOrder) {
    for (const auto& [lo, hi] : ranges) SortRange(order, lo, hi, inOrder);
}

// The same, offering each range first to `sortIfDistinct(span)`, which sorts it when its keys
// all differ (the one order the Shell sort would reach too) and says whether it did.
template <class Entry, class InOrder, class SortIfDistinct>
void SortRanges(std::vector<Entry>& order, const Ranges& ranges, InOrder& inOrder,
                const SortIfDistinct& sortIfDistinct) {
    for (const auto& [lo, hi] : ranges) {
        const std::span<Entry> range(order.begin() + lo, order.begin() + hi + 1);
        if (!sortIfDistinct(range)) SortRange(order, lo, hi, inOrder);
    }
}

// ---- Prepared keys ----
// The first criterion of a value or text sort is decided by a key prepared once per row and
// kept beside the row's handle, so most comparisons read one small entry and touch no cell.
// A pair the key cannot decide (other types, a tie with further criteria) goes to the
// comparer, which answers exactly as it would have without the keys.

struct ValueEntry {
    enum Kind : std::uint8_t { kNull, kNumber, kOther };
    double number;
    std::int32_t row;
    Kind kind;
};

struct TextEntry {
    std::uint64_t head;    // eight bytes of the key as a number: most comparisons end here
    std::string_view key;  // the text, or its collation key for a case-blind sort
    std::int32_t row;
};

// The first eight bytes of `key` as a number that orders as they do byte by byte (big-endian,
// padded with zeros): a smaller head means a smaller key; equal heads leave the rest to
// compare.
std::uint64_t HeadOf(std::string_view key) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        head = head << 8 | (i < key.size() ? std::uint8_t(key[i]) : 0);
    }
    return head;
}

TextEntry TextEntryOf(std::string_view key, std::int32_t row) {
    return {0, key, row};
}

// Heads start after the bytes every key of the range shares (a common "Item " or "2024-"),
// so that they tell more keys apart; keys of one range compare only with each other.
void SetHeads(std::span<TextEntry> range) {
    std::string_view shared = range.front().key;
    for (const TextEntry& e : range) {
        const auto differ = std::mismatch(shared.begin(), shared.end(), e.key.begin(), e.key.end());
        shared = shared.substr(0, std::size_t(differ.first - shared.begin()));
    }
    for (TextEntry& e : range) e.head = HeadOf(e.key.substr(shared.size()));
}

int CompareKeys(const TextEntry& x, const TextEntry& y) {
    if (x.head != y.head) return x.head < y.head ? -1 : 1;
    const int compared = x.key.compare(y.key);
    return (compared > 0) - (compared < 0);
}

ValueEntry ValueEntryOf(const Variant& value, std::int32_t row) {
    if (value.IsNull()) return {0, row, ValueEntry::kNull};
    if (IsPlainNumber(value)) {
        return {value.ToDouble(), row, ValueEntry::kNumber};
    }
    return {0, row, ValueEntry::kOther};
}

// Criterion 0's outcome `first`, then the later criteria when it ties.
bool Decide(RowComparer::Outcome first, std::int32_t x, std::int32_t y, RowComparer& comparer) {
    if (!first.equal || comparer.CriterionCount() == 1) return first.inOrder;
    return comparer.InOrderFrom(1, x, y);
}

bool InOrderBySign(int sign, bool ascending) {
    return ascending ? sign >= 0 : sign <= 0;
}

template <class Entry, class Make>
std::vector<Entry> EntriesFor(const Ranges& ranges, std::int32_t count, const Make& make) {
    std::vector<Entry> entries(std::size_t(count) + 1);
    for (std::int32_t row = 1; row <= count; ++row) entries[std::size_t(row)].row = row;
    for (const auto& [lo, hi] : ranges) {
        for (std::int32_t row = lo; row <= hi; ++row) entries[std::size_t(row)] = make(row);
    }
    return entries;
}

template <class Entry>
void CopyRows(const std::vector<Entry>& entries, RowOrder& order) {
    for (std::size_t p = 1; p < entries.size(); ++p) order[p] = entries[p].row;
}

// Sorts the entries and gives the order their rows; a comparison that throws (a host's
// handler) still leaves the order as far as the sort got, with every row in it once.
template <class Entry, class InOrder, class SortIfDistinct>
void SortThenCopyRows(std::vector<Entry>& entries, const Ranges& ranges, const InOrder& inOrder,
                      const SortIfDistinct& sortIfDistinct, RowOrder& order) {
    try {
        SortRanges(entries, ranges, inOrder, sortIfDistinct);
    } catch (...) {
        CopyRows(entries, order);
        throw;
    }
    CopyRows(entries, order);
}

// A range of numbers alone, all different, sorted by radix; anything else is left as it was.
bool SortIfDistinctValues(std::span<ValueEntry> range, bool ascending) {
    const bool numbers = std::all_of(range.begin(), range.end(), [](const ValueEntry& e) {
        return e.kind == ValueEntry::kNumber;
    });
    return numbers &&
           SortIfDistinctNumbers(range, ascending, [](const ValueEntry& e) { return e.number; });
}

void SortByValueKeys(RowOrder& order, const GridStore& store, const Ranges& ranges,
                     const SortCriterion& criterion, RowComparer& comparer) {
    const bool ascending = criterion.order != vxSortDesc;
    const std::int32_t count = store.RowCount();
    auto entries = EntriesFor<ValueEntry>(ranges, count, [&](std::int32_t row) {
        // Cells of rows that were sorted before lie anywhere in memory: asking for one a few
        // rows ahead overlaps the cache misses.
        constexpr std::int32_t kAhead = 8;
        if (row + kAhead <= count) __builtin_prefetch(&store.Cell(criterion.col, row + kAhead));
        return ValueEntryOf(store.Cell(criterion.col, row).value, row);
    });
    auto distinct = [ascending](std::span<ValueEntry> range) {
        return SortIfDistinctValues(range, ascending);
    };
    auto inOrder = [&](const ValueEntry& x, const ValueEntry& y) {
        // A Null orders before anything and decides; it is never reported equal.
        if (x.kind == ValueEntry::kNull) return !ascending;
        if (y.kind == ValueEntry::kNull) return ascending;
        if (x.kind == ValueEntry::kNumber && y.kind == ValueEntry::kNumber) {
            const int sign = (x.number > y.number) - (x.number < y.number);
            return Decide({sign == 0, InOrderBySign(sign, ascending)}, x.row, y.row, comparer);
        }
        return Decide(comparer.CompareCells(x.row, y.row, 0), x.row, y.row, comparer);
    };
    // With numbers alone and no later criterion, "in order" is the comparison itself.
    const bool onlyNumbers = std::all_of(ranges.begin(), ranges.end(), [&](const auto& range) {
        return std::all_of(entries.begin() + range.first, entries.begin() + range.second + 1,
                           [](const ValueEntry& e) { return e.kind == ValueEntry::kNumber; });
    });
    if (onlyNumbers && comparer.CriterionCount() == 1) {
        auto notLess = [](const ValueEntry& x, const ValueEntry& y) {
            return x.number >= y.number;
        };
        auto notGreater = [](const ValueEntry& x, const ValueEntry& y) {
            return x.number <= y.number;
        };
        ascending ? SortRanges(entries, ranges, notLess, distinct)
                  : SortRanges(entries, ranges, notGreater, distinct);
        return CopyRows(entries, order);
    }
    SortThenCopyRows(entries, ranges, inOrder, distinct, order);
}

// The keys of criterion 0 for the rows of the ranges, end to end in one buffer rather than
// one string per row: the texts themselves, or for a case-blind sort keys that order byte
// by byte as the case-blind comparison does (the cheap ASCII kind when every text is ASCII,
// as the two kinds do not compare with each other, else collation keys).
class RangeKeys {
  public:
    RangeKeys(const Ranges& ranges, std::int32_t count, bool noCase, const GridStore& store,
              std::int16_t col, RowComparer& comparer)
        : ranges_(ranges), ends_(std::size_t(count) + 1) {
        bool ascii = true;
        Append([&](std::int32_t row, std::string& bytes) {
            // Cells of rows sorted before lie anywhere in memory: asking for one a few rows
            // ahead overlaps the cache misses.
            if (row + kAhead <= count) __builtin_prefetch(&store.Cell(col, row + kAhead));
            const std::string text = comparer.BuildText(row, 0);
            ascii = ascii && std::all_of(text.begin(), text.end(), [](char c) { return c >= 0; });
            bytes += text;
        });
        if (!noCase) return;
        const std::string texts = std::move(bytes_);
        const std::vector<std::size_t> textEnds = ends_;
        std::size_t start = 0;
        Append([&](std::int32_t row, std::string& bytes) {
            const std::size_t end = textEnds[std::size_t(row)];
            const std::string_view text(texts.data() + start, end - start);
            start = end;
            if (ascii) {
                AppendAsciiNoCaseKey(text, bytes);
            } else {
                bytes += TextNoCaseKey(text);
            }
        });
    }

    std::vector<TextEntry> Entries(std::int32_t count) {
        std::size_t start = 0;
        return EntriesFor<TextEntry>(ranges_, count, [&](std::int32_t row) {
            const std::size_t end = ends_[std::size_t(row)];
            const std::string_view key(bytes_.data() + start, end - start);
            start = end;
            return TextEntryOf(key, row);
        });
    }

  private:
    static constexpr std::int32_t kAhead = 8;

    // Calls `append(row, bytes_)` for the rows of the ranges in order, noting where each
    // row's bytes end.
    template <class AppendRow>
    void Append(const AppendRow& append) {
        bytes_.clear();
        for (const auto& [lo, hi] : ranges_) {
            for (std::int32_t row = lo; row <= hi; ++row) {
                append(row, bytes_);
                ends_[std::size_t(row)] = bytes_.size();
            }
        }
    }

    const Ranges& ranges_;
    std::string bytes_;
    std::vector<std::size_t> ends_;  // index = row
};

void SortByTextKeys(RowOrder& order, const GridStore& store, const Ranges& ranges,
                    const SortCriterion& criterion, RowComparer& comparer) {
    const bool ascending = criterion.order != vxSortDesc;
    const bool noCase = criterion.type == vxSortByTextNoCase;
    RangeKeys keys(ranges, store.RowCount(), noCase, store, criterion.col, comparer);
    auto entries = keys.Entries(store.RowCount());
    for (const auto& [lo, hi] : ranges) {
        SetHeads(std::span(entries.begin() + lo, entries.begin() + hi + 1));
    }
    auto distinct = [ascending](std::span<TextEntry> range) {
        return ascending
                   ? SortIfDistinct(range, [](const TextEntry& x,
                                              const TextEntry& y) { return CompareKeys(x, y) < 0; })
                   : SortIfDistinct(range, [](const TextEntry& x, const TextEntry& y) {
                         return CompareKeys(x, y) > 0;
                     });
    };
    auto inOrder = [&](const TextEntry& x, const TextEntry& y) {
        const int sign = CompareKeys(x, y);
        return Decide({sign == 0, InOrderBySign(sign, ascending)}, x.row, y.row, comparer);
    };
    SortThenCopyRows(entries, ranges, inOrder, distinct, order);
}

void SortByCriteria(RowOrder& order, const GridStore& store, const Ranges& ranges,
                    const SortCriterion& first, RowComparer& comparer) {
    const bool validColumn = first.col >= 1 && first.col <= store.ColCount();
    if (validColumn && first.type == vxSortByValue) {
        return SortByValueKeys(order, store, ranges, first, comparer);
    }
    const bool textSort = first.type == vxSortByText || first.type == vxSortByTextNoCase;
    if (validColumn && textSort) {
        return SortByTextKeys(order, store, ranges, first, comparer);
    }
    auto inOrder = [&](std::int32_t x, std::int32_t y) { return comparer.InOrder(x, y); };
    SortRanges(order, ranges, inOrder);
}

}  // namespace

void ShellSortObject::SetColCount(std::int16_t count) {
    if (count < 0) RaiseGridError(kErrInvalidArgument);
    const auto old = static_cast<std::int16_t>(criteria_.size());
    criteria_.resize(std::size_t(count));
    for (std::int16_t k = old; k < count; ++k) {
        criteria_[std::size_t(k)] = SortCriterion{static_cast<std::int16_t>(k + 1)};
    }
    if (count == 0) criteria_.shrink_to_fit();
}

SortCriterion& ShellSortObject::At(std::int16_t iSortIndex) {
    if (iSortIndex < 1 || iSortIndex > ColCount()) RaiseGridError(kErrInvalidArgument);
    return criteria_[std::size_t(iSortIndex - 1)];
}

const SortCriterion& ShellSortObject::At(std::int16_t iSortIndex) const {
    if (iSortIndex < 1 || iSortIndex > ColCount()) RaiseGridError(kErrInvalidArgument);
    return criteria_[std::size_t(iSortIndex - 1)];
}

std::int16_t ShellSortObject::SortCol(std::int16_t iSortIndex) const {
    return At(iSortIndex).col;
}
void ShellSortObject::SetSortCol(std::int16_t iSortIndex, std::int16_t col) {
    At(iSortIndex).col = col;
}
ESortOrders ShellSortObject::SortOrder(std::int16_t iSortIndex) const {
    return At(iSortIndex).order;
}
void ShellSortObject::SetSortOrder(std::int16_t iSortIndex, ESortOrders order) {
    At(iSortIndex).order = order;
}
ESortTypes ShellSortObject::SortType(std::int16_t iSortIndex) const {
    return At(iSortIndex).type;
}
void ShellSortObject::SetSortType(std::int16_t iSortIndex, ESortTypes type) {
    At(iSortIndex).type = type;
}

std::int32_t ShellSortObject::SortRows(GridStore& store, bool useGroups, SortCallbacks& callbacks,
                                       std::int32_t trackedRow) const {
    const std::int32_t count = store.RowCount();
    // Without criteria there is nothing to order by: the rows keep their order.
    if (criteria_.empty() || count < 2) return trackedRow;

    RowOrder order(std::size_t(count) + 1);
    std::iota(order.begin(), order.end(), 0);
    RowComparer comparer(store, criteria_, callbacks);
    try {
        SortByCriteria(order, store, SortedRanges(store, useGroups), criteria_.front(), comparer);
    } catch (...) {
        // A comparison that cannot be made ends the sort; the rows stay as far as it got.
    }
    store.PermuteRows(RowOrder(order.begin() + 1, order.end()));
    if (trackedRow < 1) return 0;
    return static_cast<std::int32_t>(std::find(order.begin() + 1, order.end(), trackedRow) -
                                     order.begin());
}

}  // namespace vexa
