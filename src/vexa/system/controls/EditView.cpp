#include "vexa/system/controls/EditView.h"

#include <algorithm>
#include <cstdlib>

#include "vexa/system/controls/EditUnicode.h"

namespace vexa::sys {

// Measures the characters one by one: exact for measures that add widths up; the font measure
// shapes the run once instead.
std::vector<int> EditMeasure::PrefixWidths(std::u32string_view run) const {
    std::vector<int> widths(run.size() + 1, 0);
    for (std::size_t i = 0; i < run.size(); ++i)
        widths[i + 1] = widths[i] + Width(run.substr(i, 1));
    return widths;
}

int EditMeasure::IndexAt(std::u32string_view line, int x) const {
    int low = 0;
    int high = int(line.size());
    while (low < high) {  // the first position whose caret stands at or right of x
        const int middle = (low + high) / 2;
        (CaretX(line, middle) < x ? low = middle + 1 : high = middle);
    }
    if (low > 0 && std::abs(CaretX(line, low - 1) - x) <= std::abs(CaretX(line, low) - x)) --low;
    return low;
}

bool EditView::SetTopLine(const EditText& text, int line) {
    const int clamped = std::clamp(line, 0, MaxTopLine(text));
    if (clamped == topLine_) return false;
    topLine_ = clamped;
    return true;
}

bool EditView::SetScrollX(const EditText& text, int x) {
    const int clamped = std::clamp(x, 0, MaxScrollX(text));
    if (clamped == scrollX_) return false;
    scrollX_ = clamped;
    return true;
}

int EditView::MaxTopLine(const EditText& text) const {
    return std::max(0, text.Lines().Count() - VisibleLines());
}

// The widest of the lines in view and the caret's line: measuring every line of a long text
// on each keystroke would cost what the whole text costs.
int EditView::MaxScrollX(const EditText& text) const {
    const EditLines& lines = text.Lines();
    const int last = std::min(lines.Count(), topLine_ + VisibleLines() + 1);
    int widest = LineWidth(text, lines.LineOf(text.Caret()));
    for (int line = topLine_; line < last; ++line) widest = std::max(widest, LineWidth(text, line));
    return std::max(0, widest + caretWidth_ - format_.Width());
}

int EditView::VisibleLines() const {
    return std::max(1, format_.Height() / lineHeight_);
}

std::u32string_view EditView::Shown(const EditText& text, int line) const {
    const EditLine& l = text.Lines()[line];
    return text.Range(l.start, l.start + l.length);
}

int EditView::LineWidth(const EditText& text, int line) const {
    return measure_ != nullptr ? measure_->Width(Shown(text, line)) : 0;
}

int EditView::LineLeft(const EditText& text, int line) const {
    int offset = 0;
    if (align_ != EditAlign::Left) {
        // A right-aligned line keeps room for the caret after its last character.
        const int slack = std::max(0, format_.Width() - LineWidth(text, line) - caretWidth_);
        offset = align_ == EditAlign::Center ? slack / 2 : slack;
    }
    return format_.left + offset - scrollX_;
}

int EditView::LineTop(int line) const {
    return format_.top + (line - topLine_) * lineHeight_;
}

POINT EditView::PosFromChar(const EditText& text, int position) const {
    const int line = text.Lines().LineOf(position);
    const EditLine& l = text.Lines()[line];
    const int index = std::clamp(position - l.start, 0, l.length);
    const int x = measure_ != nullptr ? measure_->CaretX(Shown(text, line), index) : 0;
    return POINT{LineLeft(text, line) + x, LineTop(line)};
}

int EditView::CharFromPos(const EditText& text, POINT point, int* line) const {
    const int row = point.y < format_.top ? -1 : (point.y - format_.top) / lineHeight_;
    const int found = std::clamp(topLine_ + row, 0, text.Lines().Count() - 1);
    if (line != nullptr) *line = found;
    return CharOnLine(text, found, point.x);
}

// A point past the end of a wrapped line stays on that line, before its last character,
// since the position after it is where the next line starts.
int EditView::CharOnLine(const EditText& text, int line, int x) const {
    const EditLine& l = text.Lines()[line];
    const std::u32string_view shown = Shown(text, line);
    int index = measure_ != nullptr ? measure_->IndexAt(shown, x - LineLeft(text, line)) : 0;
    index = std::clamp(index, 0, l.length);
    const bool wrapped = l.breakLength == 0 && line + 1 < text.Lines().Count();
    if (wrapped && index == l.length && index > 0) {
        index = int(edit_text::PreviousCaretStop(shown, std::size_t(index)));
    }
    return l.start + index;
}

int EditView::ScrollToCaret(const EditText& text) {
    int moved = 0;
    const int line = text.Lines().LineOf(text.Caret());
    if (line < topLine_ && SetTopLine(text, line)) moved |= 2;
    if (line >= topLine_ + VisibleLines() && SetTopLine(text, line - VisibleLines() + 1))
        moved |= 2;
    const int width = format_.Width();
    const int caret = PosFromChar(text, text.Caret()).x + scrollX_ - format_.left;
    // Scrolling a quarter of the width further leaves room to go on typing or moving.
    if (caret < scrollX_ && SetScrollX(text, caret - width / 4)) moved |= 1;
    if (caret + caretWidth_ > scrollX_ + width &&
        SetScrollX(text, caret + caretWidth_ - width + width / 4)) {
        moved |= 1;
    }
    return moved;
}

}  // namespace vexa::sys
