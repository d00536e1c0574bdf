#include "vexa/system/controls/EditLines.h"

#include <algorithm>

#include "vexa/system/controls/EditUnicode.h"

namespace vexa::sys {

using edit_text::CharClass;
using edit_text::ClassOf;

namespace {

// A line may end before a word that follows spaces, and between ideographs.
bool MayWrapBefore(std::u32string_view text, int position) {
    const CharClass before = ClassOf(text[std::size_t(position) - 1]);
    const CharClass after = ClassOf(text[std::size_t(position)]);
    if (before == CharClass::Space) return after != CharClass::Space;
    if (after == CharClass::Space) return false;
    return (before == CharClass::Ideograph || after == CharClass::Ideograph) &&
           edit_text::IsCaretStop(text, std::size_t(position));
}

}  // namespace

void EditLines::Configure(bool multiLine, const EditMeasure* measure, int wrapWidth) {
    multiLine_ = multiLine;
    measure_ = measure;
    wrapWidth_ = wrapWidth;
}

void EditLines::Rebuild(std::u32string_view text) {
    lines_.clear();
    int start = 0;
    for (;;) {
        const EditLine line = LineFrom(text, start);
        lines_.push_back(line);
        start = line.start + line.length + line.breakLength;
        if (line.breakLength == 0 && start >= int(text.size())) break;
    }
}

void EditLines::Update(std::u32string_view text, int position, int removed, int inserted) {
    if (!multiLine_) {
        lines_.assign(1, EditLine{0, int(text.size()), 0});
        return;
    }
    const int delta = inserted - removed;
    // The line before the change may take words back from it, or join its line break to it.
    const int first = std::max(0, LineOf(position) - 1);
    std::vector<EditLine> fresh;
    std::size_t old = std::size_t(first) + 1;
    int start = lines_[std::size_t(first)].start;
    for (;;) {
        const EditLine line = LineFrom(text, start);
        fresh.push_back(line);
        start = line.start + line.length + line.breakLength;
        if (line.breakLength == 0 && start >= int(text.size())) {
            old = lines_.size();
            break;
        }
        // Past the change, a line starting where an old line started is that old line again,
        // and so are all after it: wrapping depends only on the text from a line's start on.
        if (start < position + inserted) continue;
        while (old < lines_.size() && lines_[old].start < start - delta) ++old;
        if (old < lines_.size() && lines_[old].start == start - delta) break;
    }
    std::vector<EditLine> tail(lines_.begin() + std::ptrdiff_t(old), lines_.end());
    for (EditLine& line : tail) line.start += delta;
    lines_.resize(std::size_t(first));
    lines_.insert(lines_.end(), fresh.begin(), fresh.end());
    lines_.insert(lines_.end(), tail.begin(), tail.end());
}

int EditLines::LineOf(int position) const {
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), position,
                                        [](int p, const EditLine& line) { return p < line.start; });
    return std::max(0, int(after - lines_.begin()) - 1);
}

EditLine EditLines::LineFrom(std::u32string_view text, int start) const {
    const int size = int(text.size());
    if (!multiLine_) return EditLine{start, size - start, 0};
    int end = start;
    int paragraphEnd = -1;
    if (Wraps()) {
        end = WrapEnd(text, start, &paragraphEnd);
    } else {
        while (end < size && !edit_text::IsLineBreak(text[std::size_t(end)])) ++end;
        paragraphEnd = end;
    }
    const int breakLength =
        end == paragraphEnd ? edit_text::LineBreakLengthAt(text, std::size_t(end)) : 0;
    return EditLine{start, end - start, breakLength};
}

// Greedy wrapping: the last place a line may end whose text, without its trailing spaces, fits.
// One measure of a window of text gives the width up to every character; a window too short
// to decide is doubled, so a line costs about what its own text costs.
int EditLines::WrapEnd(std::u32string_view text, int start, int* paragraphEnd) const {
    const int size = int(text.size());
    if (start >= size || edit_text::IsLineBreak(text[std::size_t(start)])) {
        *paragraphEnd = start;
        return start;
    }
    // A window a little longer than the last line usually holds the next line whole.
    for (int window = std::max(kShortestWindow, lastLength_ * 3 / 2);; window *= 2) {
        const int limit = std::min(size, start + window);
        int end = start;
        while (end < limit && !edit_text::IsLineBreak(text[std::size_t(end)])) ++end;
        const bool wholeParagraph = end < limit || end == size;
        const std::vector<int> widths =
            measure_->PrefixWidths(text.substr(std::size_t(start), std::size_t(end - start)));
        const auto width = [&](int position) { return widths[std::size_t(position - start)]; };
        int best = -1;
        bool overflow = width(end) > wrapWidth_;
        for (int q = start + 1; q <= end; ++q) {
            const bool candidate =
                q == end ? wholeParagraph || MayWrapBefore(text, q) : MayWrapBefore(text, q);
            if (!candidate) continue;
            if (width(TrimmedEnd(text, start, q)) > wrapWidth_) {
                overflow = true;
                break;
            }
            best = q;
        }
        if (!overflow && !wholeParagraph) continue;
        if (best < 0) best = SplitWord(text, start, end, widths);
        if (wholeParagraph && best == end) *paragraphEnd = end;
        lastLength_ = best - start;
        return best;
    }
}

// A word wider than the line is cut at the last caret stop that fits, keeping at least one
// character so that every line makes progress.
int EditLines::SplitWord(std::u32string_view text, int start, int end,
                         const std::vector<int>& widths) const {
    int cut = int(edit_text::NextCaretStop(text, std::size_t(start)));
    for (;;) {
        const int next = int(edit_text::NextCaretStop(text, std::size_t(cut)));
        if (next > end || next == cut || widths[std::size_t(next - start)] > wrapWidth_) return cut;
        cut = next;
    }
}

int EditLines::TrimmedEnd(std::u32string_view text, int start, int end) {
    while (end > start && ClassOf(text[std::size_t(end) - 1]) == CharClass::Space) --end;
    return end;
}

}  // namespace vexa::sys
