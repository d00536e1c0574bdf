#include "vexa/host/RoleAdapters.h"

#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

bool MoreRows(const GridParts& parts) {
    return parts.virtualRows.enabled && parts.virtualRows.moreRowsAvailable;
}

std::int32_t ShownHeaderHeight(const GridParts& parts) {
    return parts.header.Visible() ? parts.header.Height() : 0;
}

bool RowTextOn(const GridParts& parts) {
    return parts.store.RowTextColumn() > 0 && parts.appearance.drawRowText &&
           parts.selection.RowMode();
}

}  // namespace

// ---- Geometry ----

sys::RECT GeometryHostAdapter::WindowRect() const {
    sys::RECT rect;
    sys::GetWindowRect(parts_.window.Handle(), &rect);
    return rect;
}

std::int32_t GeometryHostAdapter::BorderWidth() const {
    return parts_.appearance.BorderWidth();
}

std::int32_t GeometryHostAdapter::HeaderHeight() const {
    return ShownHeaderHeight(parts_);
}

bool GeometryHostAdapter::BarVisible(EScrollBar bar) const {
    return parts_.scrollBars->Visible(bar);
}

std::int32_t GeometryHostAdapter::BarValue(EScrollBar bar) const {
    return parts_.scrollBars->Value(bar);
}

std::int32_t GeometryHostAdapter::BarMin(EScrollBar bar) const {
    return parts_.scrollBars->Min(bar);
}

std::int32_t GeometryHostAdapter::BarMax(EScrollBar bar) const {
    return parts_.scrollBars->Max(bar);
}

bool GeometryHostAdapter::MoreRowsMayCome() const {
    return MoreRows(parts_);
}

bool GeometryHostAdapter::RowTextActive() const {
    return RowTextOn(parts_);
}

bool GeometryHostAdapter::UsesRowParity() const {
    return parts_.appearance.UsesRowParity();
}

// ---- Painter ----

sys::HWND PainterHostAdapter::Window() const {
    return parts_.window.Handle();
}

PaintState PainterHostAdapter::GatherPaintState() const {
    PaintState state;
    state.currentRow = parts_.store.CurrentRow();
    state.currentCol = parts_.store.CurrentCol();
    state.hasFocus = parts_.hasFocus;
    state.rowMode = parts_.selection.RowMode();
    state.keySearchText = parts_.keySearch.Text();
    state.keySearchCol = parts_.keySearch.SearchCol();
    state.editing = parts_.editor.Editing();
    state.editable = parts_.editor.Settings().editable;
    state.hotRow = parts_.mouse.HotCell().row;
    state.hotCol = parts_.mouse.HotCell().col;
    return state;
}

bool PainterHostAdapter::RowRequestInProgress() const {
    return parts_.virtualRows.requesting;
}

bool PainterHostAdapter::MoreRowsMayCome() const {
    return MoreRows(parts_);
}

bool PainterHostAdapter::RowTextActive() const {
    return RowTextOn(parts_);
}

bool PainterHostAdapter::RequestRow(std::int32_t row) {
    return parts_.grid.RequestVirtualRow(row);
}

void PainterHostAdapter::ApplyLayout(const LayoutDecision& decision) {
    parts_.grid.ApplyLayout(decision);
}

std::int32_t PainterHostAdapter::HeaderHeight() const {
    return ShownHeaderHeight(parts_);
}

// ---- Scroll bars ----

void ScrollBarsHostAdapter::ScrollBarDidChange(EScrollBar bar, std::int32_t value) {
    parts_.grid.ScrollTo(bar, value);
}

void ScrollBarsHostAdapter::ScrollBarDidThumbTrack(EScrollBar bar, std::int32_t value) {
    parts_.events.Raise("ScrollBarThumbTrack",
                        [&](VexaEvents& e) { e.ScrollBarThumbTrack(bar, value); });
}

void ScrollBarsHostAdapter::ScrollBarDidEndScroll(EScrollBar bar) {
    parts_.events.Raise("ScrollBarEndScroll", [&](VexaEvents& e) { e.ScrollBarEndScroll(bar); });
}

// ---- Header ----

bool HeaderHostAdapter::ThemesUsable() const {
    // Asked afresh: a theme change reaches the header before the grid's own state.
    sys::DLLVERSIONINFO version;
    return sys::GetCommonControlsVersion(&version) == sys::S_OK && version.dwMajorVersion >= 6 &&
           sys::IsAppThemed();
}

std::int32_t HeaderHostAdapter::LastSortCriteria() const {
    return parts_.lastSortCriteria;
}

void HeaderHostAdapter::HeaderDidClickColumn(std::int32_t item, std::int32_t x, std::int32_t y) {
    parts_.grid.OnHeaderColumnClick(item, x, y);
}

void HeaderHostAdapter::HeaderDidDoubleClickColumn(std::int32_t item) {
    parts_.grid.OnHeaderColumnDblClick(item);
}

void HeaderHostAdapter::HeaderDidBeginDrag(std::int32_t item, bool& cancel) {
    parts_.grid.OnHeaderBeginDrag(item, cancel);
}

void HeaderHostAdapter::HeaderDidEndDrag(std::int32_t item, std::int32_t newOrder, bool& cancel) {
    parts_.grid.OnHeaderEndDrag(item, newOrder, cancel);
}

void HeaderHostAdapter::HeaderDidStartResize(std::int32_t item, std::int32_t width) {
    parts_.grid.OnHeaderStartResize(item, width);
}

void HeaderHostAdapter::HeaderDidTrackResize(std::int32_t item, std::int32_t width) {
    parts_.grid.OnHeaderTrackResize(item, width);
}

void HeaderHostAdapter::HeaderDidResizeColumn(std::int32_t item, std::int32_t width) {
    parts_.grid.OnHeaderResized(item, width);
}

void HeaderHostAdapter::HeaderDidDoubleClickDivider(std::int32_t item) {
    parts_.grid.OnHeaderDividerDblClick(item);
}

void HeaderHostAdapter::HeaderDidRightClick(std::int32_t x, std::int32_t y) {
    parts_.grid.OnHeaderRightClick(x, y);
}

void HeaderHostAdapter::HeaderDidEnterItem(std::int32_t item) {
    parts_.grid.OnHeaderMouseEnter(item);
}

void HeaderHostAdapter::HeaderDidLeaveItem(std::int32_t item) {
    parts_.grid.OnHeaderMouseLeave(item);
}

void HeaderHostAdapter::HeaderWasMouseActivated(bool& cancel) {
    parts_.grid.OnHeaderMouseActivate(cancel);
}

void HeaderHostAdapter::HeaderWasRecreated() {
    parts_.grid.OnHeaderRecreated();
}

void HeaderHostAdapter::HeaderDidChangeHeight() {
    parts_.grid.OnHeaderHeightChanged();
}

void HeaderHostAdapter::HeaderDidChangeVisibility() {
    parts_.grid.OnHeaderVisibilityChanged();
}

// ---- Keyboard ----

bool KeyboardHostAdapter::RowsMayFollow() const {
    return MoreRows(parts_);
}

bool KeyboardHostAdapter::RequestRowAfterLast() {
    return parts_.grid.RequestVirtualRow(parts_.store.RowCount() + 1);
}

// ---- Combo lists and editing ----

sys::HWND EditorHostAdapter::GridWindow() const {
    return parts_.window.Handle();
}

void EditorHostAdapter::EditorDidAskToCommit() {
    parts_.grid.RunTextCommit();
}

void EditorHostAdapter::EditorDidAskToCancel() {
    parts_.grid.RunTextCancel();
}

void EditorHostAdapter::EditorDidLoseFocus() {
    parts_.grid.TextEditorLostFocus();
}

void DropDownOwnerAdapter::DropDownDidEndSelection(DropDownList& list) {
    parts_.grid.ComboSelectionEnded(list);
}

void DropDownOwnerAdapter::DropDownDidCloseUp(DropDownList& list) {
    parts_.grid.ComboClosedUp(list);
}

void DropDownOwnerAdapter::DropDownKeyWentDown(DropDownList& list, std::int32_t& keyCode,
                                               std::int32_t /*shift*/) {
    parts_.grid.ComboKeyWentDown(list, keyCode);
}

void DropDownOwnerAdapter::DropDownDidHandleKey(DropDownList& list) {
    parts_.grid.ComboKeyHandled(list);
}

sys::HWND CombosHostAdapter::ListParentWindow() const {
    return parts_.window.Handle();
}

std::shared_ptr<Font> CombosHostAdapter::GridFont() const {
    return parts_.cellValues.GridFont();
}

bool CombosHostAdapter::UsesVisualStyles() const {
    return parts_.styles.inUse;
}

sys::HIMAGELIST CombosHostAdapter::ItemImages() const {
    return parts_.appearance.imageList.handle;
}

DropDownListOwner& CombosHostAdapter::DropDownOwner() {
    return parts_.editingAdapters.dropDowns;
}

void CombosHostAdapter::ComboListWillBeRemoved(std::int16_t listIndex) {
    parts_.grid.ComboListRemoving(listIndex);
}

std::int16_t ComboListsAdapter::ListIndexOfKey(const std::string& key) const {
    return parts_.combos.ListIndexOfKey(key);
}

std::string ComboListsAdapter::KeyOfList(std::int16_t listIndex) const {
    return parts_.combos.KeyOfList(listIndex);
}

ComboMatch ComboListsAdapter::MatchItem(std::int16_t listIndex, const Variant& value) const {
    return parts_.combos.MatchItem(listIndex, value);
}

std::string ComboListsAdapter::ItemText(std::int16_t listIndex, std::int16_t itemIndex) const {
    const ComboObject* list = parts_.combos.ListAt(listIndex);
    return list != nullptr ? list->ItemText(itemIndex) : std::string();
}

// ---- Mouse ----

sys::HWND MouseHostAdapter::MouseWindow() const {
    return parts_.window.Handle();
}

CellControl MouseHostAdapter::ControlOf(CellSpot cell) const {
    return parts_.grid.CellControlAt(cell);
}

bool MouseHostAdapter::ControlsHaveHotLook() const {
    return parts_.styles.inUse;
}

void MouseHostAdapter::MouseDidHoldBeyondEdge() {
    parts_.grid.ScrollBeyondEdge();
}

}  // namespace vexa
