// The lines an edit control shows: one for a single-line control; one per paragraph of a
// multi-line control, or, when it wraps, as many as word wrapping at the wrap width makes.
// After an edit only the lines around the change are wrapped again, so typing into a long
// text costs what the changed lines cost, not what the whole text costs.
#pragma once

#include <string_view>
#include <vector>

#include "vexa/system/controls/EditMeasure.h"

namespace vexa::sys {

// One line as shown.
struct EditLine {
    int start = 0;        // index of its first character
    int length = 0;       // characters shown, trailing spaces of a wrapped line included
    int breakLength = 0;  // characters of the line break that ends it (0: wrapped, or last)
    friend bool operator==(const EditLine&, const EditLine&) = default;
};

class EditLines {
  public:
    // measure nullptr or wrapWidth < 1 turns wrapping off. Call Rebuild afterwards.
    void Configure(bool multiLine, const EditMeasure* measure, int wrapWidth);
    void Rebuild(std::u32string_view text);
    // After text[position, position + removed) of the previous text became `inserted`
    // characters (text is the new text).
    void Update(std::u32string_view text, int position, int removed, int inserted);

    const std::vector<EditLine>& All() const { return lines_; }
    int Count() const { return int(lines_.size()); }
    const EditLine& operator[](int index) const { return lines_[std::size_t(index)]; }
    // The line holding a position; a position where a wrapped line ends belongs to the next.
    int LineOf(int position) const;
    bool Wraps() const { return multiLine_ && measure_ != nullptr && wrapWidth_ > 0; }

  private:
    EditLine LineFrom(std::u32string_view text, int start) const;
    int WrapEnd(std::u32string_view text, int start, int* paragraphEnd) const;
    int SplitWord(std::u32string_view text, int start, int end,
                  const std::vector<int>& widths) const;
    static int TrimmedEnd(std::u32string_view text, int start, int end);

    static constexpr int kShortestWindow = 32;

    std::vector<EditLine> lines_{EditLine{}};
    bool multiLine_ = false;
    const EditMeasure* measure_ = nullptr;
    int wrapWidth_ = 0;
    mutable int lastLength_ = 0;  // length of the line wrapped last, to size the next window
};

}  // namespace vexa::sys
