// In-place editing of the current cell: the request, the text editor's commit and cancel, the
// check toggle and the editing properties. Each sequence raises its events under a table
// walk, so that handlers may change values but not the tables' shape, and checks after each
// event whether the edit it started is still the one in progress: a handler may have ended it.
// The combo cells' part is in VexaCombos.cpp.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/interact/EditRules.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

// The in/out parameters of the RequestEdit event.
struct EditRequestArgs {
    bool cancel = false;
    std::string text;
    std::int32_t maxLength = 0;
    ETextEditFlags options = ETextEditFlags(0);
};

namespace {

EditKind KindOf(std::int32_t cellType) {
    switch (cellType) {
        case vxCellText:
            return EditKind::Text;
        case vxCellCombo:
            return EditKind::Combo;
        case vxCellCheck:
            return EditKind::Check;
        default:
            return EditKind::Custom;
    }
}

}  // namespace

// ---- Requests ----

void Vexa::RequestEdit(std::int16_t iKeyAscii) {
    RunRequestEdit(iKeyAscii);
}

void Vexa::RequestEditFromKeyboard(std::int16_t keyAscii) {
    RunRequestEdit(keyAscii);
}

EKeyPressBehaviour Vexa::KeyPressMode() const {
    return KeyPressBehaviour();
}

bool Vexa::HasCurrentCell() const {
    const GridStore& store = parts_->store;
    return store.CurrentRow() >= 1 && store.CurrentRow() <= store.RowCount() &&
           store.CurrentCol() >= 1 && store.CurrentCol() <= store.ColCount();
}

void Vexa::MarkCurrentCellForRepaint() {
    if (!HasCurrentCell()) return;
    GridStore& store = parts_->store;
    store.Cell(store.CurrentCol(), store.CurrentRow()).SetFlag(kCellNeedsRepaint, true);
}

void Vexa::RunRequestEdit(std::int16_t keyAscii) {
    GridParts& p = *parts_;
    if (!p.appearance.enabled) return;
    switch (ClassifyEditRequest(keyAscii, KeyPressMode())) {
        case EditRequest::Search:
            KeySearchTyped(char32_t(std::uint16_t(keyAscii)));
            return;
        case EditRequest::Ignore:
            return;
        case EditRequest::Edit:
            break;
    }
    // An edit in progress, or a request raised already, is never started again from inside.
    if (!p.editor.Settings().editable || !HasCurrentCell() || !MayStartEdit(keyAscii) ||
        p.editor.Editing() || p.editor.Busy()) {
        return;
    }
    EditRequestArgs args;
    if (!RaiseRequestEdit(keyAscii, args)) return;

    const CellRecord& cell = p.store.Cell(p.store.CurrentCol(), p.store.CurrentRow());
    const EditKind kind = KindOf(cell.CellType());
    p.editor.Begin(kind);
    EndKeySearch();
    switch (kind) {
        case EditKind::Text:
            BeginTextEdit(keyAscii, args);
            break;
        case EditKind::Combo:
            BeginComboEdit(keyAscii);
            break;
        case EditKind::Check:
            ToggleCheckCell();
            break;
        default:
            MarkCurrentCellForRepaint();
            Draw();
            break;
    }
}

bool Vexa::RaiseRequestEdit(std::int16_t keyAscii, EditRequestArgs& args) {
    GridParts& p = *parts_;
    const std::int32_t row = p.store.CurrentRow(), col = p.store.CurrentCol();
    args.text =
        InitialEditText(p.cellValues.DisplayText(p.store.Cell(col, row)), keyAscii, KeyPressMode());
    {
        CellEditor::BusyScope busy(p.editor);
        TableWalk walk(p.store);
        p.events.Raise("RequestEdit", [&](VexaEvents& e) {
            e.RequestEdit(row, col, keyAscii, args.cancel, args.text, args.maxLength, args.options);
        });
    }
    // The handler may have moved the current cell, switched editing off or begun an edit.
    return !args.cancel && p.editor.Settings().editable && HasCurrentCell() &&
           p.store.CurrentRow() == row && p.store.CurrentCol() == col && !p.editor.Editing();
}

// ---- Text cells ----

sys::RECT Vexa::TextEditorRect(std::int32_t row, std::int32_t col) const {
    const CellBox box = parts_->measure.TextBoundary(row, col);
    return sys::RECT{box.left, box.top, box.left + box.width, box.top + box.height};
}

void Vexa::BeginTextEdit(std::int16_t keyAscii, const EditRequestArgs& args) {
    GridParts& p = *parts_;
    CellEditor& editor = p.editor;
    const std::int32_t row = p.store.CurrentRow(), col = p.store.CurrentCol();
    const sys::RECT rect = TextEditorRect(row, col);
    if (RefusedByNumberOnly(keyAscii, args.options) || rect.right - rect.left < 1 ||
        rect.bottom - rect.top < 1) {
        editor.End();
        return;
    }
    const CellRecord& cell = p.store.Cell(col, row);
    const vexa::Appearance& look = p.appearance;
    OLE_COLOR back = look.backColor;
    if (cell.hatch == vxHatchNone && cell.backColor != kDefaultColor) {
        back = cell.backColor;
    } else if (cell.hatch == vxHatchNone) {
        const OLE_COLOR rowColor =
            p.store.Row(row).parity ? look.backColorOddRows : look.backColorEvenRows;
        if (rowColor != kDefaultColor) back = rowColor;
    }
    TextEditorSetup setup;
    setup.instance = TextEditorInstanceFor(cell.textFlags, cell.TypeFlags());
    setup.maxLength = args.maxLength;
    setup.options = args.options;
    setup.rightToLeft = (cell.textFlags & vxTextRTLReading) != 0;
    const std::shared_ptr<vexa::Font> font = p.cellValues.FontOf(cell);
    setup.font = font.get();
    setup.backColor = TranslateColor(back);
    setup.foreColor =
        TranslateColor(cell.foreColor != kDefaultColor ? cell.foreColor : look.foreColor);
    editor.PrepareTextEditor(setup);
    editor.SetSavedSelection(cell.Selected());

    // The display text goes in first, quietly, so that TextEditChange tells the host only
    // that the text it asked for differs.
    const std::uint64_t session = editor.Session();
    editor.SetEventsEnabled(false);
    editor.SetEditorText(p.cellValues.DisplayText(cell));
    editor.SetEventsEnabled(true);
    editor.SetEditorText(FirstCharacters(args.text, args.maxLength));
    if (editor.Session() != session) return;
    editor.PlaceCaret(IsTypedKey(keyAscii));

    CellRecord& edited = p.store.Cell(col, row);
    edited.SetFlag(kCellSelected, false);
    edited.SetFlag(kCellNeedsRepaint, true);
    Draw();
    editor.ShowTextEditor(rect);
}

EEditResults Vexa::RunTextCommit() {
    GridParts& p = *parts_;
    CellEditor& editor = p.editor;
    if (editor.Kind() != EditKind::Text) return vxEditResCommit;
    // A commit is under way (its message box or a handler took the focus): it decides.
    if (editor.Busy()) return vxEditResProceed;
    CellEditor::BusyScope busy(editor);
    if (!HasCurrentCell()) {
        RunTextCancel();  // the edited row went away meanwhile
        return vxEditResCancel;
    }
    const std::int32_t row = p.store.CurrentRow(), col = p.store.CurrentCol();
    const std::string text = editor.EditorText();
    const ConvertedText converted = ConvertEditText(text, p.store.Cell(col, row).value);
    if (!editor.Settings().silentValidation && converted.error >= 1) {
        editor.ShowConversionError(converted.error);
        editor.FocusTextEditor();
        return vxEditResProceed;
    }
    const std::uint64_t session = editor.Session();
    EEditResults result = vxEditResCommit;
    Variant newValue = converted.value;
    {
        TableWalk walk(p.store);
        p.events.Raise("BeforeCommitEdit", [&](VexaEvents& e) {
            e.BeforeCommitEdit(row, col, result, text, newValue, converted.error);
        });
    }
    if (editor.Session() != session) return result;
    if (result == vxEditResCancel) {
        EndTextEdit();
        return vxEditResCancel;
    }
    if (result != vxEditResCommit) {
        editor.FocusTextEditor();
        return vxEditResProceed;
    }
    StoreEditedValue(p.store.Cell(col, row), newValue);
    EndTextEdit();
    {
        TableWalk walk(p.store);
        p.events.Raise("AfterCommitEdit", [&](VexaEvents& e) { e.AfterCommitEdit(row, col); });
    }
    return vxEditResCommit;
}

void Vexa::RunTextCancel() {
    GridParts& p = *parts_;
    if (p.editor.Kind() != EditKind::Text) return;
    const std::int32_t row = p.store.CurrentRow(), col = p.store.CurrentCol();
    EndTextEdit();
    TableWalk walk(p.store);
    p.events.Raise("CancelEdit", [&](VexaEvents& e) { e.CancelEdit(row, col); });
}

// Clears the editing flag, gives the cell its selection back and hides the editor.
void Vexa::EndTextEdit() {
    GridParts& p = *parts_;
    p.editor.End();
    if (HasCurrentCell()) {
        CellRecord& cell = p.store.Cell(p.store.CurrentCol(), p.store.CurrentRow());
        cell.SetFlag(kCellSelected, p.editor.SavedSelection());
        cell.SetFlag(kCellNeedsRepaint, true);
    }
    p.editor.HideTextEditor();
    Draw();
}

void Vexa::StoreEditedValue(CellRecord& cell, const Variant& value) {
    cell.value = value;
    if (cell.CellType() == vxCellCombo) RecomputeComboItem(cell);
    cell.SetFlag(kCellNeedsRepaint, true);
}

void Vexa::TextEditorLostFocus() {
    // Leaving the editor commits; a refused value takes the focus back and editing goes on.
    if (parts_->editor.Kind() != EditKind::Text || parts_->editor.Busy()) return;
    RunTextCommit();
}

void Vexa::NoteFocusLeavingGrid() {
    const sys::HWND window = parts_->window.Handle();
    const sys::HWND focus = sys::GetFocus();
    if (focus != window && !sys::IsChild(window, focus)) OnFocusChanged(false);
}

void Vexa::OnEditorCommand(sys::WPARAM wParam, sys::LPARAM lParam) {
    const sys::UINT code = sys::HIWORD(std::uintptr_t(wParam));
    parts_->editor.OnEditorCommand(sys::HWND(lParam), code);
    if (code == sys::EN_KILLFOCUS) NoteFocusLeavingGrid();
}

sys::LRESULT Vexa::OnEditorColors(sys::WPARAM wParam, sys::LPARAM lParam) {
    return parts_->editor.OnEditorColors(sys::HDC(wParam), sys::HWND(lParam));
}

// ---- Check cells ----

void Vexa::ToggleCheckCell() {
    GridParts& p = *parts_;
    CellEditor& editor = p.editor;
    const std::int32_t row = p.store.CurrentRow(), col = p.store.CurrentCol();
    const CellRecord& cell = p.store.Cell(col, row);
    Variant newValue = NextCheckValue(cell.value, cell.TypeFlags());
    EEditResults result = vxEditResCommit;
    const std::uint64_t session = editor.Session();
    {
        TableWalk walk(p.store);
        p.events.Raise("BeforeCommitEdit", [&](VexaEvents& e) {
            e.BeforeCommitEdit(row, col, result, std::string(), newValue, 0);
        });
    }
    if (editor.Session() != session) return;
    editor.End();
    MarkCurrentCellForRepaint();
    if (result == vxEditResCommit) StoreEditedValue(p.store.Cell(col, row), newValue);
    Draw();
    TableWalk walk(p.store);
    if (result == vxEditResCancel) {
        p.events.Raise("CancelEdit", [&](VexaEvents& e) { e.CancelEdit(row, col); });
    } else if (result == vxEditResCommit) {
        p.events.Raise("AfterCommitEdit", [&](VexaEvents& e) { e.AfterCommitEdit(row, col); });
    }
}

// ---- Commit, cancel and the properties ----

void Vexa::CommitEdit() {
    RunTextCommit();
}

EEditResults Vexa::CommitEditForInput() {
    return RunTextCommit();
}

void Vexa::CancelEdit() {
    GridParts& p = *parts_;
    {
        TableWalk walk(p.store);
        p.events.Raise("QuitCustomEdit", [](VexaEvents& e) { e.QuitCustomEdit(); });
    }
    switch (p.editor.Kind()) {
        case EditKind::Text:
            RunTextCancel();
            break;
        case EditKind::Combo:
            ComboCancel();
            break;
        case EditKind::Custom:
            // The host's own editor was told to quit: the editing state ends with it.
            p.editor.End();
            MarkCurrentCellForRepaint();
            Draw();
            break;
        case EditKind::Check:
            p.editor.End();  // a toggle being decided stops here
            break;
        case EditKind::None:
            break;
    }
}

bool Vexa::Editable() const {
    return parts_->editor.Settings().editable;
}

void Vexa::SetEditable(bool editable) {
    CancelEdit();
    parts_->editor.Settings().editable = editable;
    parts_->painter.MarkVisibleCellsForRepaint();
    Draw();
    PropertyChanged("Editable");
}

bool Vexa::SilentValidation() const {
    return parts_->editor.Settings().silentValidation;
}

void Vexa::SetSilentValidation(bool silent) {
    parts_->editor.Settings().silentValidation = silent;
    PropertyChanged("SilentValidation");
}

std::string Vexa::TextEditText() const {
    return parts_->editor.EditorText();
}

void Vexa::SetTextEditText(const std::string& text) {
    if (const sys::HWND editor = parts_->editor.TextEditorWindow())
        sys::SetWindowText(editor, text);
}

std::int32_t Vexa::TextEditSelStart() const {
    return parts_->editor.SelStart();
}

void Vexa::SetTextEditSelStart(std::int32_t start) {
    parts_->editor.SetSelStart(start);
}

std::int32_t Vexa::TextEditSelLength() const {
    return parts_->editor.SelLength();
}

void Vexa::SetTextEditSelLength(std::int32_t length) {
    parts_->editor.SetSelLength(length);
}

std::string Vexa::TextEditSelText() const {
    return parts_->editor.SelText();
}

void Vexa::SetTextEditSelText(const std::string& text) {
    parts_->editor.ReplaceSelection(text);
}

sys::HWND Vexa::TextEditHwnd() const {
    return parts_->editor.TextEditorWindow();
}

bool Vexa::TextEditCustomContextMenu() const {
    return parts_->editor.Settings().customContextMenu;
}

void Vexa::SetTextEditCustomContextMenu(bool custom) {
    if (custom == parts_->editor.Settings().customContextMenu) return;
    parts_->editor.SetCustomContextMenu(custom);
    PropertyChanged("TextEditCustomContextMenu");
}

}  // namespace vexa
