// Keys reaching the grid's window: KeyDown, KeyPress and KeyUp for the host, then moves of the
// current cell with their selection step, scrolling, the key search and the way to editing;
// and the key-search members.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"

namespace vexa {

namespace {

constexpr char32_t kEnter = 13;
constexpr char32_t kSpace = 32;
constexpr char32_t kReplacementCharacter = 0xFFFD;

bool HasCells(const GridParts& p) {
    return p.store.RowCount() > 0 && p.store.ColCount() > 0;
}

KeyModes ModesFor(const GridParts& p) {
    KeyModes modes;
    modes.rowMode = p.selection.RowMode();
    modes.multiSelect = p.selection.MultiSelect();
    const std::int32_t row = p.store.CurrentRow();
    if (row >= 1 && row <= p.store.RowCount() && p.store.Row(row).groupRow &&
        p.scrollBars->Visible(vxScrollBarH)) {
        const std::int32_t offset = p.geometry.HorizontalOffset();
        modes.groupRowScrollsLeft = offset > 0;
        modes.groupRowScrollsRight = offset < p.geometry.ContentWidth() - p.geometry.VisibleWidth();
    }
    return modes;
}

// KeyAscii carries a character's 16-bit code (characters beyond it as the replacement
// character); 0 drops the character.
std::int16_t KeyAsciiOf(char32_t character) {
    return std::int16_t(std::uint16_t(character > 0xFFFF ? kReplacementCharacter : character));
}

bool Searches(EKeyPressBehaviour behaviour) {
    return behaviour == vxKeyPressSearchCurCol || behaviour == vxKeyPressSearchDefCol;
}

}  // namespace

// ---- Key messages ----

void Vexa::OnKeyDown(int virtualKey) {
    GridParts& p = *parts_;
    std::int16_t shift = ShiftState();
    std::int16_t key =
        std::int16_t(Keyboard::TranslateTab(virtualKey, shift, p.selection.RowMode()));
    if (!p.appearance.enabled) {
        RunKeyCommand(Keyboard::CommandFor(key, shift, KeyModes{.enabled = false}), shift);
        return;
    }
    bool doDefault = HasCells(p);
    p.events.Raise("KeyDown", [&](VexaEvents& e) { e.KeyDown(key, shift, doDefault); });
    if (!doDefault || !HasCells(p)) return;
    const KeyCommand command = Keyboard::CommandFor(key, shift, ModesFor(p));
    if (command.endsSearch) EndKeySearch();
    RunKeyCommand(command, shift);
}

void Vexa::OnChar(char32_t character) {
    GridParts& p = *parts_;
    const std::int16_t raised = KeyAsciiOf(character);
    std::int16_t keyAscii = raised;
    p.events.Raise("KeyPress", [&](VexaEvents& e) { e.KeyPress(keyAscii); });
    const char32_t typed = keyAscii == raised ? character : char32_t(std::uint16_t(keyAscii));
    if (keyAscii != 0 && (typed != kSpace || !p.keyboard.SpaceConsumed())) {
        KeyTyped(typed, keyAscii);
    }
    p.keyboard.SetSpaceConsumed(false);
}

void Vexa::OnKeyUp(int virtualKey) {
    std::int16_t key = std::int16_t(virtualKey);
    std::int16_t shift = ShiftState();
    parts_->events.Raise("KeyUp", [&](VexaEvents& e) { e.KeyUp(key, shift); });
}

// ---- What keys do ----

void Vexa::RunKeyCommand(const KeyCommand& command, std::int16_t shift) {
    GridParts& p = *parts_;
    const CellSpot current = p.selection.Current();
    std::optional<CellSpot> target;
    switch (command.action) {
        case KeyAction::None:
            return;
        case KeyAction::MoveVertical:
            target = p.keyboard.StepTarget(current, 0, command.delta);
            break;
        case KeyAction::MoveHorizontal:
            target = p.keyboard.StepTarget(current, command.delta, 0);
            break;
        case KeyAction::Home:
        case KeyAction::End:
            target = p.keyboard.HomeEndTarget(current, command.action == KeyAction::End);
            break;
        case KeyAction::PageUp:
        case KeyAction::PageDown:
            target = p.keyboard.PageTarget(current, command.action == KeyAction::PageDown,
                                           p.geometry.VisibleHeight());
            break;
        case KeyAction::ScrollHorizontal:
            ScrollByKey(vxScrollBarH, command.delta * p.scrollBars->SmallChange(vxScrollBarH));
            return;
        case KeyAction::ScrollVertical:
            ScrollByKey(vxScrollBarV, command.delta * p.scrollBars->SmallChange(vxScrollBarV));
            return;
        case KeyAction::ScrollVerticalPage:
            ScrollByKey(vxScrollBarV, command.delta * p.scrollBars->LargeChange(vxScrollBarV));
            return;
        case KeyAction::InvertSelection:
            p.selection.InvertCurrent();
            Draw();
            p.keyboard.SetSpaceConsumed(true);
            return;
        case KeyAction::StartEdit:
            RequestEditFromKeyboard(0);
            return;
    }
    if (target) MoveByKey(command.action, *target, shift);
}

void Vexa::MoveByKey(KeyAction action, const CellSpot& target, std::int16_t shift) {
    GridParts& p = *parts_;
    // Rows asked of the host on the way may have changed the grid.
    if (!p.selection.Inside(target)) return;
    Selection& selection = p.selection;
    const CellSpot current = selection.Current();
    switch (Keyboard::SelectionStepFor(action, shift, selection.MultiSelect())) {
        case SelectionStep::MoveSingle:
            selection.MoveSingleSelection(target);
            selection.SetAnchor(target);
            break;
        case SelectionStep::Extend: {
            const bool keepColumn = Keyboard::KeepsColumn(action) && current.col != 0;
            selection.ExtendSelection(CellSpot{target.row, keepColumn ? current.col : target.col},
                                      shift);
            break;
        }
        case SelectionStep::MarkTarget:
            selection.MarkForRepaint(target);
            selection.SetAnchor(target);
            break;
        case SelectionStep::AnchorToTarget:
            selection.SetAnchor(target);
            break;
        case SelectionStep::Keep:
            break;
        case SelectionStep::OnlyTarget:
            selection.SelectExactly(target);
            selection.SetAnchor(target);
            break;
    }
    SettleCurrentCell(target.row, target.col);
}

void Vexa::ScrollByKey(EScrollBar bar, std::int32_t amount) {
    if (!parts_->scrollBars->Visible(bar) || amount == 0) return;
    SetScrollValue(bar, parts_->scrollBars->Value(bar) + amount);
}

// ---- Typed characters and the key search ----

void Vexa::KeyTyped(char32_t character, std::int16_t keyAscii) {
    GridParts& p = *parts_;
    if (Searches(p.keyboard.KeyPressBehaviour()) && character != kEnter) {
        if (p.appearance.enabled) KeySearchTyped(character);
        return;
    }
    RequestEditFromKeyboard(keyAscii);
}

void Vexa::KeySearchTyped(char32_t character) {
    GridParts& p = *parts_;
    const SearchResult result =
        p.keySearch.Type(character, p.keyboard.KeyPressBehaviour(), p.selection.Current());
    switch (result.outcome) {
        case SearchOutcome::Ignored:
        case SearchOutcome::NotFound:
            return;
        case SearchOutcome::Ended:
            RepaintAll(false);
            return;
        case SearchOutcome::Found:
            break;
    }
    const CellSpot match = result.match;
    if (p.selection.MultiSelect()) {
        p.selection.SelectExactly(match);
    } else {
        p.selection.MoveSingleSelection(match);
    }
    p.selection.SetAnchor(match);
    // The search text shows in the matched cell even when the current cell stays.
    p.selection.MarkForRepaint(match);
    SettleCurrentCell(match.row, match.col);
}

void Vexa::EndKeySearch() {
    GridParts& p = *parts_;
    if (!p.keySearch.End()) return;
    const CellSpot current = p.selection.Current();
    p.selection.MarkForRepaint(current);
    p.selection.MarkForRepaint(CellSpot{current.row, p.keySearch.SearchCol()});
    Draw();
}

// ---- Members ----

EKeyPressBehaviour Vexa::KeyPressBehaviour() const {
    return parts_->keyboard.KeyPressBehaviour();
}

void Vexa::SetKeyPressBehaviour(EKeyPressBehaviour eBehaviour) {
    parts_->keyboard.SetKeyPressBehaviour(eBehaviour);
    PropertyChanged("KeyPressBehaviour");
}

std::int32_t Vexa::KeySearchCol() const {
    return parts_->keySearch.KeySearchCol();
}

void Vexa::SetKeySearchCol(std::int32_t lCol) {
    parts_->keySearch.SetKeySearchCol(lCol);
}

bool Vexa::KeySearchFromCurRow() const {
    return parts_->keySearch.FromCurrentRow();
}

void Vexa::SetKeySearchFromCurRow(bool bFromCurRow) {
    parts_->keySearch.SetFromCurrentRow(bFromCurRow);
    PropertyChanged("KeySearchFromCurRow");
}

bool Vexa::KeySearchLoop() const {
    return parts_->keySearch.Loop();
}

void Vexa::SetKeySearchLoop(bool bLoop) {
    parts_->keySearch.SetLoop(bLoop);
    PropertyChanged("KeySearchLoop");
}

std::int32_t Vexa::FindSearchMatchRow(const Variant& vSearchCol, const std::string& sSearchString,
                                      std::int32_t lStartRow, bool bVisibleRowsOnly, bool bLoop) {
    const std::int32_t col = parts_->store.ResolveColArg(vSearchCol);
    return parts_->keySearch.FindMatchRow(col, sSearchString, lStartRow, bVisibleRowsOnly, bLoop);
}

}  // namespace vexa
