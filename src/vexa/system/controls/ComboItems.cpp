#include "vexa/system/controls/ComboItems.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace vexa::sys {

namespace {

std::u16string FoldCase(std::string_view text) {
    icu::UnicodeString folded =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), std::int32_t(text.size())));
    folded.foldCase(U_FOLD_CASE_DEFAULT);
    return std::u16string(reinterpret_cast<const char16_t*>(folded.getBuffer()),
                          std::size_t(folded.length()));
}

// The first code point of UTF-8 text; a malformed start reads as U+FFFD, an empty text as 0.
UChar32 FirstCodePoint(const std::string& text) {
    if (text.empty()) return 0;
    std::int32_t offset = 0;
    UChar32 c = 0;
    U8_NEXT(reinterpret_cast<const std::uint8_t*>(text.data()), offset, std::int32_t(text.size()),
            c);
    return c < 0 ? 0xFFFD : c;
}

}  // namespace

int ComboItems::Insert(int index, std::string text, std::uintptr_t data) {
    if (index == kNone) index = Count();
    if (index < 0 || index > Count()) return kNone;
    Item item;
    item.text = std::move(text);
    item.data = data;
    items_.insert(items_.begin() + index, std::move(item));
    return index;
}

bool ComboItems::Erase(int index) {
    if (!IsValid(index)) return false;
    items_.erase(items_.begin() + index);
    return true;
}

const std::u16string& ComboItems::Folded(const Item& item) const {
    if (!item.foldedReady) {
        item.folded = FoldCase(item.text);
        item.foldedReady = true;
    }
    return item.folded;
}

template <typename Match>
int ComboItems::Search(int after, Match match) const {
    const int count = Count();
    const int start = IsValid(after) ? after + 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        if (match(items_[std::size_t(index)])) return index;
    }
    return kNone;
}

int ComboItems::FindPrefix(std::string_view prefix, int after) const {
    const std::u16string wanted = FoldCase(prefix);
    return Search(after, [&](const Item& item) { return Folded(item).starts_with(wanted); });
}

int ComboItems::FindExact(std::string_view text, int after) const {
    const std::u16string wanted = FoldCase(text);
    return Search(after, [&](const Item& item) { return Folded(item) == wanted; });
}

int ComboItems::FindInitial(char32_t character, int after) const {
    const UChar32 wanted = u_foldCase(UChar32(character), U_FOLD_CASE_DEFAULT);
    return Search(after, [&](const Item& item) {
        return !item.text.empty() &&
               u_foldCase(FirstCodePoint(item.text), U_FOLD_CASE_DEFAULT) == wanted;
    });
}

int ComboItems::FindData(std::uintptr_t data, int after) const {
    return Search(after, [&](const Item& item) { return item.data == data; });
}

}  // namespace vexa::sys
