// The items of a combo box: their texts, item data and heights, and the searches the box
// offers over them. Indices are 0-based; a search answers -1 when nothing matches. Texts are
// UTF-8 and compare without regard to case by Unicode case folding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::sys {

class ComboItems {
  public:
    static constexpr int kNone = -1;

    int Count() const { return int(items_.size()); }
    bool IsValid(int index) const { return index >= 0 && index < Count(); }

    // Inserts before index (-1 appends); returns the new item's index, or kNone when index
    // lies beyond the end.
    int Insert(int index, std::string text, std::uintptr_t data);
    bool Erase(int index);
    void Clear() { items_.clear(); }

    // Valid indices only.
    const std::string& Text(int index) const { return items_[std::size_t(index)].text; }
    std::uintptr_t Data(int index) const { return items_[std::size_t(index)].data; }
    void SetData(int index, std::uintptr_t data) { items_[std::size_t(index)].data = data; }
    // 0 until the item has been measured.
    int Height(int index) const { return items_[std::size_t(index)].height; }
    void SetHeight(int index, int height) { items_[std::size_t(index)].height = height; }

    // The searches start after `after` and wrap around, ending with `after` itself; an
    // `after` outside the items searches from the first item to the last.
    // The first item whose text starts with prefix.
    int FindPrefix(std::string_view prefix, int after) const;
    // The first item whose whole text equals text.
    int FindExact(std::string_view text, int after) const;
    // The first item whose text starts with the character (a Unicode code point).
    int FindInitial(char32_t character, int after) const;
    // The first item whose data equals data.
    int FindData(std::uintptr_t data, int after) const;

  private:
    struct Item {
        std::string text;
        std::uintptr_t data = 0;
        int height = 0;                 // pixels, 0 = not measured yet
        mutable std::u16string folded;  // case-folded text, made on the first search
        mutable bool foldedReady = false;
    };

    const std::u16string& Folded(const Item& item) const;
    template <typename Match>
    int Search(int after, Match match) const;

    std::vector<Item> items_;
};

}  // namespace vexa::sys
