// The format strings cells refer to by a 16-bit index, each distinct string stored once.
// Index 0 means no format string; entries are only ever added.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vexa {

class FormatStringTable {
  public:
    // The documented limit of a 16-bit count.
    static constexpr std::int32_t kMaxEntries = 32767;

    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }

    // The entry of an equal string (binary comparison), appended when new. A full table
    // raises error 6 (overflow) and stays as it was.
    std::int16_t Enter(const std::string& format);

    // The string of an entry; empty for 0 and for indices outside the table.
    const std::string& At(std::int16_t index) const;

  private:
    std::vector<std::string> entries_;
    // Finds an equal entry without scanning the list: cells set one by one in a loop would
    // otherwise make filling a grid quadratic in the number of distinct formats.
    std::unordered_map<std::string, std::int16_t> indexOf_;
};

}  // namespace vexa
