// The incremental key search: characters typed into the grid build a search text (kept in
// upper case) and the current cell jumps to the first row whose cell in the search column
// begins with it, whatever the case. The search ends when its text empties, and with every
// navigation key, Esc, Enter, a mouse press on a cell and a started edit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vexa/interact/CellSpot.h"
#include "vexa/model/Enums.h"

namespace vexa {

class GridStore;
class CellValues;

// What a typed character did.
enum class SearchOutcome : std::uint8_t {
    Ignored,   // no search column: the character is dropped
    Ended,     // the text became empty
    Found,     // the text grew or shrank and a row matches it
    NotFound,  // no row matches: the text is as it was
};

struct SearchResult {
    SearchOutcome outcome = SearchOutcome::Ignored;
    CellSpot match;  // the row found and the search column
};

class KeySearch {
  public:
    static constexpr char32_t kBackspace = 8;
    static constexpr char32_t kEscape = 27;

    KeySearch(GridStore& store, const CellValues& values);

    std::int32_t KeySearchCol() const { return keySearchCol_; }
    void SetKeySearchCol(std::int32_t col) { keySearchCol_ = col; }
    bool FromCurrentRow() const { return fromCurrentRow_; }
    void SetFromCurrentRow(bool on) { fromCurrentRow_ = on; }
    bool Loop() const { return loop_; }
    void SetLoop(bool on) { loop_ = on; }

    // The pending search text (empty: no search) and the column it searches.
    const std::string& Text() const { return text_; }
    std::int32_t SearchCol() const { return searchCol_; }
    // Ends the search; true when one was pending.
    bool End();

    // A character typed with a search behaviour while `current` is the current cell.
    SearchResult Type(char32_t character, EKeyPressBehaviour behaviour, CellSpot current);

    // The first row from `startRow` (1 when outside the rows) whose display text in column
    // index `col` begins with `text` without regard to case; with `loop` the rows above the
    // start are tried next. 0 when none matches.
    std::int32_t FindMatchRow(std::int32_t col, std::string_view text, std::int32_t startRow,
                              bool visibleOnly, bool loop) const;

  private:
    // The text after `character`: Backspace takes the last character off, Esc empties it,
    // anything else is appended; the result is upper case.
    std::string EditedText(char32_t character) const;

    GridStore& store_;
    const CellValues& values_;
    std::string text_;               // the characters typed so far, upper case, UTF-8
    std::int32_t searchCol_ = 0;     // the column index the last search key searched
    std::int32_t keySearchCol_ = 0;  // the column searched with vxKeyPressSearchDefCol
    bool fromCurrentRow_ = false;    // searches start at the current row, not row 1
    bool loop_ = false;  // a search that finds nothing below its start goes on from row 1
};

}  // namespace vexa
