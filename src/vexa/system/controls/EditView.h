// Where an edit control's text stands in its window: the formatting rectangle, alignment, the
// line height and the scroll position (first line shown, pixels scrolled across), and the
// mapping between character positions and client points built on them.
#pragma once

#include "vexa/system/controls/EditText.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

enum class EditAlign { Left, Center, Right };

class EditView {
  public:
    void SetFormatRect(const RECT& rect) { format_ = rect; }
    const RECT& FormatRect() const { return format_; }
    void SetAlign(EditAlign align) { align_ = align; }
    void SetLineHeight(int height) { lineHeight_ = height > 0 ? height : 1; }
    int LineHeight() const { return lineHeight_; }
    void SetMeasure(const EditMeasure* measure) { measure_ = measure; }
    void SetCaretWidth(int width) { caretWidth_ = width; }

    int TopLine() const { return topLine_; }
    int ScrollX() const { return scrollX_; }
    // Both clamp and return whether the view moved.
    bool SetTopLine(const EditText& text, int line);
    bool SetScrollX(const EditText& text, int x);
    int MaxTopLine(const EditText& text) const;
    int MaxScrollX(const EditText& text) const;
    // Lines that fit whole in the formatting rectangle (at least one).
    int VisibleLines() const;

    int LineWidth(const EditText& text, int line) const;
    int LineLeft(const EditText& text, int line) const;  // client x
    int LineTop(int line) const;                         // client y
    POINT PosFromChar(const EditText& text, int position) const;
    // The caret position nearest to a client point, and the line it is on.
    int CharFromPos(const EditText& text, POINT point, int* line = nullptr) const;
    int CharOnLine(const EditText& text, int line, int x) const;
    // Scrolls so that the caret shows; bit 1 when it scrolled across, bit 2 when down.
    int ScrollToCaret(const EditText& text);

  private:
    std::u32string_view Shown(const EditText& text, int line) const;

    RECT format_;
    EditAlign align_ = EditAlign::Left;
    int lineHeight_ = 1;
    int caretWidth_ = 1;
    const EditMeasure* measure_ = nullptr;
    int topLine_ = 0;
    int scrollX_ = 0;
};

}  // namespace vexa::sys
