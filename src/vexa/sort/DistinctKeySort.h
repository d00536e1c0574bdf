// Sorting a section of rows whose keys all differ. Such keys have one sorted order, and the
// Shell sort reaches it like any other sort, so a faster sort may stand in for it there: n
// log n well-predicted steps (or a few linear passes for numbers) instead of the Shell sort's
// n^1.25 poorly predicted ones. Where two keys are equal, the Shell sort's own way of moving
// rows decides their order: these functions then leave the section as it was and say so.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

namespace vexa {

// The bits of a number as an unsigned integer that orders as the numbers do (NaN aside);
// -0 and +0 come out next to each other, not equal.
inline std::uint64_t OrderedBits(double number) {
    const auto bits = std::bit_cast<std::uint64_t>(number);
    constexpr std::uint64_t kSign = std::uint64_t(1) << 63;
    return (bits & kSign) ? ~bits : bits | kSign;
}

// Sorts `entries` by `keyOf` (an unsigned 64-bit key), least significant byte first; a byte
// every key shares costs no pass. Equal keys keep their order.
template <class Entry, class KeyOf>
void RadixSort(std::vector<Entry>& entries, const KeyOf& keyOf) {
    std::vector<Entry> scratch(entries.size());
    std::uint64_t anyOne = 0, allOnes = ~std::uint64_t(0);
    for (const Entry& e : entries) {
        anyOne |= keyOf(e);
        allOnes &= keyOf(e);
    }
    for (int shift = 0; shift < 64; shift += 8) {
        if ((((anyOne ^ allOnes) >> shift) & 0xFF) == 0) continue;  // one value for all
        std::array<std::size_t, 257> starts{};
        for (const Entry& e : entries) ++starts[((keyOf(e) >> shift) & 0xFF) + 1];
        for (std::size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
        for (const Entry& e : entries) scratch[starts[(keyOf(e) >> shift) & 0xFF]++] = e;
        entries.swap(scratch);
    }
}

// Sorts the entries by `less` when no two are equal under it, and says whether it did;
// otherwise they stay as they were.
template <class Entry, class Less>
bool SortIfDistinct(std::span<Entry> entries, const Less& less) {
    std::vector<Entry> sorted(entries.begin(), entries.end());
    std::sort(sorted.begin(), sorted.end(), less);
    auto tie = [&](const Entry& a, const Entry& b) { return !less(a, b); };
    if (std::adjacent_find(sorted.begin(), sorted.end(), tie) != sorted.end()) return false;
    std::copy(sorted.begin(), sorted.end(), entries.begin());
    return true;
}

// The same for entries whose key is a number (never NaN), by radix sort: ascending or
// descending.
template <class Entry, class NumberOf>
bool SortIfDistinctNumbers(std::span<Entry> entries, bool ascending, const NumberOf& numberOf) {
    std::vector<Entry> sorted(entries.begin(), entries.end());
    RadixSort(sorted, [&](const Entry& e) {
        const std::uint64_t bits = OrderedBits(numberOf(e));
        return ascending ? bits : ~bits;
    });
    auto tie = [&](const Entry& a, const Entry& b) { return numberOf(a) == numberOf(b); };
    if (std::adjacent_find(sorted.begin(), sorted.end(), tie) != sorted.end()) return false;
    std::copy(sorted.begin(), sorted.end(), entries.begin());
    return true;
}

}  // namespace vexa
