// The text of an edit control as a value: its characters (code points), the selection, the
// length limit, the modified flag, one step of undo (which undoing again redoes, as the classic
// control does), and the lines it is shown in. Knows nothing of windows or pixels beyond the
// measure it wraps with.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "vexa/system/controls/EditLines.h"

namespace vexa::sys {

// What made a change; consecutive typing or deleting in one direction undoes as one step.
enum class EditKind { Typing, DeleteBackward, DeleteForward, Other };

struct EditChange {
    int position = 0;        // where the change starts
    int removed = 0;         // characters taken out there
    int inserted = 0;        // characters put in there
    bool truncated = false;  // the insertion was cut to the length limit
};

class EditText {
  public:
    // ---- Lines
    void ConfigureLines(bool multiLine, const EditMeasure* measure, int wrapWidth);
    const EditLines& Lines() const { return lines_; }

    // ---- Content
    const std::u32string& Text() const { return text_; }
    int Length() const { return int(text_.size()); }
    std::u32string_view Range(int from, int to) const;
    // Replaces everything: caret at the start, nothing to undo, not modified. The length
    // limit does not apply, as with the classic control.
    void SetText(std::u32string text);

    // ---- Length limit, in characters
    void SetLimit(std::uint32_t limit) { limit_ = limit; }
    std::uint32_t Limit() const { return limit_; }

    // ---- Selection: the anchor stays where it started, the caret is the moving end.
    int Anchor() const { return anchor_; }
    int Caret() const { return caret_; }
    int SelectionStart() const { return std::min(anchor_, caret_); }
    int SelectionEnd() const { return std::max(anchor_, caret_); }
    bool HasSelection() const { return anchor_ != caret_; }
    // Clamped to the text; moving the selection ends the undo step being typed.
    void Select(int anchor, int caret);

    // ---- Editing
    // Replaces the selection with text cut to the limit (never inside a character sequence
    // that shows as one), leaving the caret after it. undoable false forgets the undo step.
    EditChange ReplaceSelection(std::u32string_view text, EditKind kind, bool undoable = true);
    // The same for the characters [from, to), whatever is selected.
    EditChange ReplaceRange(int from, int to, std::u32string_view text, EditKind kind,
                            bool undoable = true);
    bool CanUndo() const { return undo_.has_value(); }
    // Puts back what the last step replaced and selects it; the step becomes its own undo.
    std::optional<EditChange> Undo();
    void EmptyUndo() { undo_.reset(); }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // ---- Steps through the text
    int NextStop(int position) const;
    int PreviousStop(int position) const;
    // The start of the next word (after the spaces that follow this one), of this or the
    // previous word; line breaks are words of their own.
    int NextWordStart(int position) const;
    int PreviousWordStart(int position) const;
    // The run of one character class around a position (a word, spaces or punctuation).
    std::pair<int, int> WordAround(int position) const;

  private:
    struct UndoStep {
        int position = 0;
        std::u32string removed;  // what the step took out
        int inserted = 0;        // how many characters it put in
        EditKind kind = EditKind::Other;
    };

    std::u32string LimitedInsertion(std::u32string_view text, int replaced, bool* truncated) const;
    void RecordUndo(int position, std::u32string removed, int inserted, EditKind kind);
    EditChange Apply(int position, int removed, std::u32string_view inserted);

    std::u32string text_;
    EditLines lines_;
    int anchor_ = 0;
    int caret_ = 0;
    std::uint32_t limit_ = 0xFFFFFFFFu;
    bool modified_ = false;
    std::optional<UndoStep> undo_;
    bool undoOpen_ = false;  // the next edit of the same kind may join the last undo step
};

}  // namespace vexa::sys
