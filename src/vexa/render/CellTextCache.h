// The text cells show, kept for numbers, dates and Booleans by their value and format:
// formatting the same values again on every repaint costs more than drawing them.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace vexa {

class CellValues;
struct CellRecord;

class CellTextCache {
  public:
    // What `cell` shows; valid until the next call.
    const std::string& DisplayText(const CellValues& values, const CellRecord& cell);

  private:
    struct Key {
        std::uint64_t bits = 0;   // the value's own bits
        std::int32_t type = 0;    // its variant type
        std::int32_t format = 0;  // the cell's format-string index
        bool operator==(const Key&) const = default;
    };
    struct Hash {
        std::size_t operator()(const Key& key) const;
    };
    // The key of a value kept by value; false for strings, objects and the like.
    static bool KeyOf(const CellRecord& cell, Key& key);

    std::unordered_map<Key, std::string, Hash> texts_;
    std::string uncached_;
};

}  // namespace vexa
