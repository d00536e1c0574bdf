// How wide text is and where carets stand in it: the control answers with its font (and
// right-to-left shaping), tests with fixed widths. Positions are character indexes of the run.
#pragma once

#include <string_view>
#include <vector>

namespace vexa::sys {

class EditMeasure {
  public:
    virtual ~EditMeasure() = default;
    // Pixel width of a run of text drawn as one line from its first character.
    virtual int Width(std::u32string_view run) const = 0;
    // The width of every head of a run, measured at once: element i is the width of the
    // first i characters (so there are run.size() + 1 elements).
    virtual std::vector<int> PrefixWidths(std::u32string_view run) const;
    // Where a caret before character `index` of a line stands, from the line's left edge.
    virtual int CaretX(std::u32string_view line, int index) const {
        return Width(line.substr(0, std::size_t(index)));
    }
    // The caret position nearest to x (from the line's left edge).
    virtual int IndexAt(std::u32string_view line, int x) const;
};

}  // namespace vexa::sys
