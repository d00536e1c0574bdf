#include "vexa/system/controls/EditText.h"

#include "vexa/system/controls/EditUnicode.h"

namespace vexa::sys {

using edit_text::CharClass;
using edit_text::ClassOf;

void EditText::ConfigureLines(bool multiLine, const EditMeasure* measure, int wrapWidth) {
    lines_.Configure(multiLine, measure, wrapWidth);
    lines_.Rebuild(text_);
}

std::u32string_view EditText::Range(int from, int to) const {
    from = std::clamp(from, 0, Length());
    to = std::clamp(to, from, Length());
    return std::u32string_view(text_).substr(std::size_t(from), std::size_t(to - from));
}

void EditText::SetText(std::u32string text) {
    text_ = std::move(text);
    lines_.Rebuild(text_);
    anchor_ = caret_ = 0;
    undo_.reset();
    undoOpen_ = false;
    modified_ = false;
}

void EditText::Select(int anchor, int caret) {
    anchor_ = std::clamp(anchor, 0, Length());
    caret_ = std::clamp(caret, 0, Length());
    undoOpen_ = false;
}

EditChange EditText::ReplaceSelection(std::u32string_view text, EditKind kind, bool undoable) {
    return ReplaceRange(SelectionStart(), SelectionEnd(), text, kind, undoable);
}

EditChange EditText::ReplaceRange(int from, int to, std::u32string_view text, EditKind kind,
                                  bool undoable) {
    from = std::clamp(from, 0, Length());
    to = std::clamp(to, from, Length());
    bool truncated = false;
    const std::u32string insertion = LimitedInsertion(text, to - from, &truncated);
    if (!undoable) {
        undo_.reset();
        undoOpen_ = false;
    } else if (to > from || !insertion.empty()) {
        RecordUndo(from, std::u32string(Range(from, to)), int(insertion.size()), kind);
    }
    EditChange change = Apply(from, to - from, insertion);
    change.truncated = truncated;
    anchor_ = caret_ = from + int(insertion.size());
    return change;
}

std::optional<EditChange> EditText::Undo() {
    if (!undo_) return std::nullopt;
    const UndoStep step = std::move(*undo_);
    std::u32string current(Range(step.position, step.position + step.inserted));
    const EditChange change = Apply(step.position, int(current.size()), step.removed);
    undo_ = UndoStep{step.position, std::move(current), int(step.removed.size()), EditKind::Other};
    undoOpen_ = false;
    anchor_ = step.position;
    caret_ = step.position + int(step.removed.size());
    return change;
}

// The room left by the limit, counting the replaced characters as gone; a cut never falls between a
// CR and its LF or inside a character sequence.
std::u32string EditText::LimitedInsertion(std::u32string_view text, int replaced,
                                          bool* truncated) const {
    const std::int64_t kept = std::int64_t(Length()) - replaced;
    const std::int64_t room = std::max<std::int64_t>(0, std::int64_t(limit_) - kept);
    if (std::int64_t(text.size()) <= room) return std::u32string(text);
    *truncated = true;
    std::size_t cut = std::size_t(room);
    while (cut > 0 && !edit_text::IsCaretStop(text, cut)) --cut;
    return std::u32string(text.substr(0, cut));
}

void EditText::RecordUndo(int position, std::u32string removed, int inserted, EditKind kind) {
    const bool joins = undoOpen_ && undo_ && undo_->kind == kind && kind != EditKind::Other;
    if (joins && kind == EditKind::Typing && removed.empty() &&
        position == undo_->position + undo_->inserted) {
        undo_->inserted += inserted;
    } else if (joins && kind == EditKind::DeleteBackward && inserted == 0 &&
               position + int(removed.size()) == undo_->position) {
        undo_->removed.insert(0, removed);
        undo_->position = position;
    } else if (joins && kind == EditKind::DeleteForward && inserted == 0 &&
               position == undo_->position) {
        undo_->removed += removed;
    } else {
        undo_ = UndoStep{position, std::move(removed), inserted, kind};
    }
    undoOpen_ = true;
}

EditChange EditText::Apply(int position, int removed, std::u32string_view inserted) {
    if (removed == 0 && inserted.empty()) return EditChange{position, 0, 0, false};
    text_.replace(std::size_t(position), std::size_t(removed), inserted);
    lines_.Update(text_, position, removed, int(inserted.size()));
    modified_ = true;
    return EditChange{position, removed, int(inserted.size()), false};
}

int EditText::NextStop(int position) const {
    return int(edit_text::NextCaretStop(text_, std::size_t(std::max(0, position))));
}

int EditText::PreviousStop(int position) const {
    return int(edit_text::PreviousCaretStop(text_, std::size_t(std::max(0, position))));
}

int EditText::NextWordStart(int position) const {
    int p = std::clamp(position, 0, Length());
    if (p == Length()) return p;
    const CharClass here = ClassOf(text_[std::size_t(p)]);
    if (here == CharClass::Break) return NextStop(p);
    if (here != CharClass::Space) {
        while (p < Length() && ClassOf(text_[std::size_t(p)]) == here) ++p;
    }
    while (p < Length() && ClassOf(text_[std::size_t(p)]) == CharClass::Space) ++p;
    return p;
}

int EditText::PreviousWordStart(int position) const {
    int p = std::clamp(position, 0, Length());
    while (p > 0 && ClassOf(text_[std::size_t(p) - 1]) == CharClass::Space) --p;
    if (p == 0) return 0;
    const CharClass here = ClassOf(text_[std::size_t(p) - 1]);
    if (here == CharClass::Break) return PreviousStop(p);
    while (p > 0 && ClassOf(text_[std::size_t(p) - 1]) == here) --p;
    return p;
}

std::pair<int, int> EditText::WordAround(int position) const {
    int p = std::clamp(position, 0, Length());
    const auto classAt = [&](int i) { return ClassOf(text_[std::size_t(i)]); };
    if (p == Length() || classAt(p) == CharClass::Break) {
        if (p == 0 || classAt(p - 1) == CharClass::Break) return {p, p};
        --p;
    }
    const CharClass here = classAt(p);
    int from = p;
    int to = p;
    while (from > 0 && classAt(from - 1) == here) --from;
    while (to < Length() && classAt(to) == here) ++to;
    return {from, to};
}

}  // namespace vexa::sys
