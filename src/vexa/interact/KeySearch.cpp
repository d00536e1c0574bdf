#include "vexa/interact/KeySearch.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>

#include "vexa/model/CellValues.h"
#include "vexa/model/GridStore.h"

namespace vexa {

namespace {

icu::UnicodeString FromUtf8(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), std::int32_t(text.size())));
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// A prefix test without regard to case. Texts are mostly ASCII, where comparing bytes is
// enough; anything else is compared by Unicode case folding.
class CaseBlindPrefix {
  public:
    explicit CaseBlindPrefix(std::string_view prefix)
        : prefix_(prefix), ascii_(IsAscii(prefix)), folded_(FromUtf8(prefix)) {
        folded_.foldCase(U_FOLD_CASE_DEFAULT);
    }

    bool Begins(std::string_view text) const {
        if (ascii_) {
            const std::string_view head = text.substr(0, prefix_.size());
            if (IsAscii(head)) {
                return head.size() == prefix_.size() &&
                       std::equal(head.begin(), head.end(), prefix_.begin(),
                                  [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
            }
        }
        icu::UnicodeString folded = FromUtf8(text);
        folded.foldCase(U_FOLD_CASE_DEFAULT);
        return folded.startsWith(folded_);
    }

  private:
    std::string_view prefix_;
    bool ascii_;
    icu::UnicodeString folded_;
};

}  // namespace

KeySearch::KeySearch(GridStore& store, const CellValues& values) : store_(store), values_(values) {}

bool KeySearch::End() {
    const bool pending = !text_.empty();
    text_.clear();
    return pending;
}

std::string KeySearch::EditedText(char32_t character) const {
    icu::UnicodeString text = FromUtf8(text_);
    if (character == kBackspace) {
        if (!text.isEmpty()) text.remove(text.moveIndex32(text.length(), -1));
    } else if (character == kEscape) {
        text.remove();
    } else {
        text.append(UChar32(character));
    }
    text.toUpper(icu::Locale::getUS());
    std::string edited;
    text.toUTF8String(edited);
    return edited;
}

SearchResult KeySearch::Type(char32_t character, EKeyPressBehaviour behaviour, CellSpot current) {
    const std::int32_t col = behaviour == vxKeyPressSearchCurCol ? current.col : keySearchCol_;
    // A search column that names no column (KeySearchCol is stored unchecked) searches nothing.
    if (col <= 0 || col > store_.ColCount()) return {};
    searchCol_ = col;
    std::string edited = EditedText(character);
    if (edited.empty()) {
        text_.clear();
        return {SearchOutcome::Ended, {}};
    }
    const std::int32_t start = fromCurrentRow_ ? current.row : 1;
    const std::int32_t row = FindMatchRow(col, edited, start, true, loop_);
    if (row == 0) return {SearchOutcome::NotFound, {}};
    text_ = std::move(edited);
    return {SearchOutcome::Found, {row, col}};
}

std::int32_t KeySearch::FindMatchRow(std::int32_t col, std::string_view text, std::int32_t startRow,
                                     bool visibleOnly, bool loop) const {
    const std::int32_t rows = store_.RowCount();
    const std::int32_t start = startRow >= 1 && startRow <= rows ? startRow : 1;
    const CaseBlindPrefix prefix(text);
    auto matches = [&](std::int32_t r) {
        if (visibleOnly && !store_.Row(r).visible) return false;
        return prefix.Begins(values_.DisplayText(store_.Cell(col, r)));
    };
    for (std::int32_t r = start; r <= rows; ++r) {
        if (matches(r)) return r;
    }
    if (!loop) return 0;
    for (std::int32_t r = 1; r <= std::min(start, rows); ++r) {
        if (matches(r)) return r;
    }
    return 0;
}

}  // namespace vexa
