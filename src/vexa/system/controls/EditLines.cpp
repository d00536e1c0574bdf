#include "vexa/system/controls/EditLines.h"

#include <algorithm>
#include <functional>
#include <utility>

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

// The places where the line starting at `start` may end, found as far as they are asked for.
// The last one is the end of the paragraph. Scanning stops early once the text scanned is
// already too wide: no later place could fit, so a long word costs about one line to scan.
class WrapCandidates {
  public:
    WrapCandidates(std::u32string_view text, int start, std::function<bool(int, int)> fits)
        : text_(text), start_(start), scan_(start), fits_(std::move(fits)) {}

    // Makes candidate `index` known; false when there is none (Count() tells how many).
    bool Reach(std::size_t index) {
        while (ends_.size() <= index && !done_) Advance();
        return ends_.size() > index;
    }
    int operator[](std::size_t index) const { return ends_[index]; }
    std::size_t Count() const { return ends_.size(); }
    bool ReachedParagraphEnd() const { return paragraphEnd_ >= 0; }
    int ParagraphEnd() const { return paragraphEnd_; }
    // A position known not to fit, for splitting a word that fills the line by itself.
    int Overflow() const { return overflow_; }

  private:
    void Advance() {
        const int size = int(text_.size());
        int sinceCheck = 0;
        for (++scan_; scan_ <= size; ++scan_) {
            if (scan_ == size || edit_text::IsLineBreak(text_[std::size_t(scan_)])) {
                ends_.push_back(scan_);
                paragraphEnd_ = scan_;
                done_ = true;
                return;
            }
            if (MayWrapBefore(text_, scan_)) {
                ends_.push_back(scan_);
                return;
            }
            if (++sinceCheck >= kCheckEvery && !fits_(start_, scan_)) {
                overflow_ = scan_;
                done_ = true;
                return;
            }
        }
        done_ = true;
    }

    static constexpr int kCheckEvery = 64;
    std::u32string_view text_;
    int start_;
    int scan_;
    std::function<bool(int, int)> fits_;
    std::vector<int> ends_;
    int paragraphEnd_ = -1;
    int overflow_ = -1;
    bool done_ = false;
};

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

// Greedy wrapping: the last candidate end whose text (without its trailing spaces) fits,
// found by galloping and then halving so that a line costs about what its text costs.
int EditLines::WrapEnd(std::u32string_view text, int start, int* paragraphEnd) const {
    const int size = int(text.size());
    if (start >= size || edit_text::IsLineBreak(text[std::size_t(start)])) {
        *paragraphEnd = start;
        return start;
    }
    WrapCandidates ends(text, start, [&](int from, int to) { return Fits(text, from, to); });
    int good = -1;  // the last candidate known to fit
    int bad = -1;   // the first candidate known not to fit
    for (std::size_t probe = 0;; probe = probe * 2 + 1) {
        if (!ends.Reach(probe)) {
            if (ends.Count() == 0 || int(ends.Count()) - 1 <= good) break;
            probe = ends.Count() - 1;
        }
        if (!Fits(text, start, ends[probe])) {
            bad = int(probe);
            break;
        }
        good = int(probe);
    }
    while (bad >= 0 && bad - good > 1) {
        const int middle = (good + bad) / 2;
        (Fits(text, start, ends[std::size_t(middle)]) ? good : bad) = middle;
    }
    if (good >= 0) {
        const int end = ends[std::size_t(good)];
        if (ends.ReachedParagraphEnd() && end == ends.ParagraphEnd()) *paragraphEnd = end;
        return end;
    }
    const int limit = ends.Count() > 0 ? ends[0] : ends.Overflow();
    return SplitWord(text, start, limit < 0 ? size : limit);
}

// A word wider than the line is cut at the last caret stop that fits, keeping at least one
// character so that every line makes progress.
int EditLines::SplitWord(std::u32string_view text, int start, int limit) const {
    const int first = int(edit_text::NextCaretStop(text, std::size_t(start)));
    int good = first;
    int bad = limit;
    for (int step = 1; good + step < bad; step *= 2) {
        const int probe = good + step;
        if (!Fits(text, start, probe)) {
            bad = probe;
            break;
        }
        good = probe;
    }
    while (bad - good > 1) {
        const int middle = (good + bad) / 2;
        (Fits(text, start, middle) ? good : bad) = middle;
    }
    while (good > first && !edit_text::IsCaretStop(text, std::size_t(good))) --good;
    return good;
}

bool EditLines::Fits(std::u32string_view text, int start, int end) const {
    while (end > start && ClassOf(text[std::size_t(end) - 1]) == CharClass::Space) --end;
    if (end <= start) return true;
    return measure_->Width(text.substr(std::size_t(start), std::size_t(end - start))) <= wrapWidth_;
}

}  // namespace vexa::sys
