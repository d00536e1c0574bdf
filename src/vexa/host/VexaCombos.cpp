// Editing a combo cell through its list's drop-down list: opening it at the cell with the
// cell's item (or the typed initial) selected, and the list's notifications that commit or
// cancel the edit. The selections the grid makes itself reach the list's owner like the
// user's; the editor-events flag lets each of them pass unheard.
#include "vexa/combo/DropDownList.h"
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/interact/EditRules.h"
#include "vexa/system/automation/Log.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int32_t kFirstInitialKey = 33;

}  // namespace

CombosObject& Vexa::Combos() {
    return parts_->combos;
}

void Vexa::BeginComboEdit(std::int16_t keyAscii) {
    GridParts& p = *parts_;
    CellEditor& editor = p.editor;
    const std::int32_t row = p.store.CurrentRow(), col = p.store.CurrentCol();
    MarkCurrentCellForRepaint();
    Draw();  // the button shows pressed while the list is open
    const CellRecord& cell = p.store.Cell(col, row);
    const ComboObject* combo = p.combos.ListAt(cell.ctrlKeyIndex);
    DropDownList* list = combo != nullptr ? combo->DropDown() : nullptr;
    if (list == nullptr) {
        // A cell whose list was removed (or that never had one) has nothing to choose from.
        editor.End();
        MarkCurrentCellForRepaint();
        Draw();
        return;
    }
    editor.SetInstance(cell.ctrlKeyIndex);
    const std::uint64_t session = editor.Session();
    SelectInList(*list, -1);
    const auto typed = std::int32_t(std::uint16_t(keyAscii));
    const std::int32_t index = typed < kFirstInitialKey ? list->ValueIndex(cell.value)
                                                        : list->InitialIndex(char32_t(typed));
    if (index >= 0) SelectInList(*list, index);
    if (editor.Session() != session) return;

    const CellBox box = p.geometry.CellBoundary(row, col);
    sys::POINT corner{box.left, box.top};
    sys::ClientToScreen(p.window.Handle(), &corner);
    list->SetImageList(p.appearance.imageList.handle);
    list->ShowDropDownAtPosition(corner.x, corner.y, box.width, box.height);
    if (!list->Dropped()) {
        ComboCancel();
        return;
    }
    sys::SetFocus(list->hwnd());
}

void Vexa::SelectInList(DropDownList& list, std::int32_t index) {
    parts_->editor.SetEventsEnabled(false);
    try {
        list.SetListIndex(index);
    } catch (...) {
        // An index the list refuses leaves the selection as it was.
        LogSwallowedException("ComboListIndex");
    }
}

bool Vexa::IsEditedList(const DropDownList& list) const {
    const CellEditor& editor = parts_->editor;
    if (editor.Kind() != EditKind::Combo) return false;
    const ComboObject* combo = parts_->combos.ListAt(editor.Instance());
    return combo != nullptr && combo->DropDown() == &list;
}

void Vexa::ComboSelectionEnded(DropDownList& list) {
    CellEditor& editor = parts_->editor;
    if (!IsEditedList(list)) return;
    if (!editor.EventsEnabled()) {
        editor.SetEventsEnabled(true);
        return;
    }
    if (list.ListIndex() >= 0) {
        ComboCommit(list);
    } else {
        ComboCancel();
    }
}

void Vexa::ComboClosedUp(DropDownList& list) {
    if (IsEditedList(list)) ComboCancel();
}

void Vexa::ComboKeyWentDown(DropDownList& list, std::int32_t keyCode) {
    if (!IsEditedList(list)) return;
    if (keyCode == sys::VK_RETURN) {
        ComboCommit(list);
    } else if (keyCode == sys::VK_ESCAPE) {
        ComboCancel();
    }
    // What the list makes of the key itself (moving the selection) chooses nothing yet.
    if (IsEditedList(list)) parts_->editor.SetEventsEnabled(false);
}

void Vexa::ComboKeyHandled(DropDownList& list) {
    if (IsEditedList(list)) parts_->editor.SetEventsEnabled(true);
}

void Vexa::ComboCommit(DropDownList& list) {
    GridParts& p = *parts_;
    CellEditor& editor = p.editor;
    const std::int32_t index = list.ListIndex();
    // Enter with nothing chosen keeps the cell's value: a commit would store an empty one.
    if (index < 0 || !HasCurrentCell()) {
        ComboCancel();
        return;
    }
    const std::int32_t row = p.store.CurrentRow(), col = p.store.CurrentCol();
    const std::string text = list.ItemText(index);
    const Variant itemValue = list.ItemValue(index);
    const std::int16_t itemIcon = list.ItemIconIndex(index);
    EEditResults result = vxEditResCommit;
    Variant newValue = itemValue;
    const std::uint64_t session = editor.Session();
    {
        TableWalk walk(p.store);
        p.events.Raise("BeforeCommitEdit", [&](VexaEvents& e) {
            e.BeforeCommitEdit(row, col, result, text, newValue, 0);
        });
    }
    if (editor.Session() != session) return;
    editor.End();
    if (result == vxEditResCommit) {
        CellRecord& cell = p.store.Cell(col, row);
        StoreEditedValue(cell, newValue);
        // The chosen item, even when an earlier one has the same value.
        if (newValue == itemValue && cell.CellType() == vxCellCombo) {
            cell.comboItemIndex = std::int16_t(index);
            cell.icon = itemIcon;
        }
        TableWalk walk(p.store);
        p.events.Raise("AfterCommitEdit", [&](VexaEvents& e) { e.AfterCommitEdit(row, col); });
    }
    CloseComboList(&list);
}

void Vexa::ComboCancel() {
    GridParts& p = *parts_;
    if (p.editor.Kind() != EditKind::Combo) return;
    const std::int32_t row = p.store.CurrentRow(), col = p.store.CurrentCol();
    const ComboObject* combo = p.combos.ListAt(p.editor.Instance());
    p.editor.End();
    CloseComboList(combo != nullptr ? combo->DropDown() : nullptr);
    TableWalk walk(p.store);
    p.events.Raise("CancelEdit", [&](VexaEvents& e) { e.CancelEdit(row, col); });
}

// Hides the list and gives the focus back to the grid, unless the user took it elsewhere.
void Vexa::CloseComboList(DropDownList* list) {
    const sys::HWND focus = sys::GetFocus();
    const bool listHadFocus = focus == 0 || (list != nullptr && focus == list->hwnd());
    if (list != nullptr) list->CloseDropDown();
    if (listHadFocus) {
        sys::SetFocus(parts_->window.Handle());
    } else {
        NoteFocusLeavingGrid();
    }
    MarkCurrentCellForRepaint();
    Draw();
}

void Vexa::ComboListRemoving(std::int16_t listIndex) {
    if (parts_->editor.Kind() == EditKind::Combo && parts_->editor.Instance() == listIndex) {
        ComboCancel();
    }
}

}  // namespace vexa
