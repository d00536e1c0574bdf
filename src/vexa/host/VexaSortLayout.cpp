// The default sort and the columns' sort settings, and the layout strings that save and
// restore the columns' widths, order and visibility and the sort.
#include <vector>

#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/sort/DefaultSort.h"
#include "vexa/sort/LayoutStrings.h"

namespace vexa {

namespace {

// Moves the columns into the order a column layout gives, with its widths and visibility.
void ApplyPlacements(ColumnTable& columns, const std::vector<ColumnPlacement>& placements) {
    std::vector<std::int32_t> positionOf(std::size_t(columns.Count()) + 1, 0);
    for (std::int32_t p = 1; p <= columns.Count(); ++p)
        positionOf[std::size_t(columns.At(p).index)] = p;
    std::vector<ColumnRecord> records;
    records.reserve(placements.size());
    for (const ColumnPlacement& placement : placements)
        records.push_back(std::move(columns.At(positionOf[std::size_t(placement.index)])));
    for (std::size_t i = 0; i < records.size(); ++i) {
        ColumnRecord& record = columns.At(std::int32_t(i) + 1);
        record = std::move(records[i]);
        record.width = placements[i].width;
        record.visible = placements[i].visible;
    }
}

}  // namespace

// ---- Default sort ----

void Vexa::DoDefaultSort(const Variant& vCol, std::int16_t iShift, std::int32_t eSortOrder) {
    parts_->store.CheckShapeUnlocked();
    const std::int32_t position = parts_->store.ColPositionOf(vCol);
    DefaultSortAt(position, iShift, eSortOrder);
}

void Vexa::DefaultSortAt(std::int32_t position, std::int16_t shift, std::int32_t order) {
    GridParts& p = *parts_;
    CancelEdit();
    ApplyDefaultSort(p.store.Columns(), p.sortObject, position, shift, order);
    if (HeaderAutoHeightWants(vxHAHOnContentsChange)) HeaderFitHeight();
    SortContents();
    RefreshEntireHeader();
}

ESortTypes Vexa::ColSortType(const Variant& vCol) const {
    return static_cast<ESortTypes>(ColumnAt(vCol).sortType);
}

void Vexa::SetColSortType(const Variant& vCol, ESortTypes eSortType) {
    ColumnAt(vCol).sortType = eSortType;
}

ESortOrders Vexa::ColSortOrder(const Variant& vCol) const {
    return static_cast<ESortOrders>(ColumnAt(vCol).sortOrder);
}

void Vexa::SetColSortOrder(const Variant& vCol, ESortOrders eSortOrder) {
    ColumnAt(vCol).sortOrder = eSortOrder;
}

std::int32_t Vexa::ColSortKey(const Variant& vCol) const {
    return ColumnAt(vCol).sortKey;
}

void Vexa::SetColSortKey(const Variant& vCol, std::int32_t lSortKey) {
    ColumnAt(vCol).sortKey = lSortKey;
}

// ---- Layout strings ----

std::string Vexa::LayoutCol() const {
    return WriteColumnLayout(parts_->store.Columns());
}

void Vexa::SetLayoutCol(const std::string& sLayout) {
    GridParts& p = *parts_;
    if (sLayout.empty()) return;
    p.store.CheckShapeUnlocked();
    const std::vector<ColumnPlacement> placements = ReadColumnLayout(sLayout, p.store.Columns());

    p.geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    ApplyPlacements(p.store.Columns(), placements);
    p.geometry.RecomputeColumnPositions();
    RebuildHeaderItems();
    p.painter.ResetCachedState();
    Draw();
}

std::string Vexa::LayoutSort() const {
    return WriteSortLayout(parts_->store.Columns());
}

void Vexa::SetLayoutSort(const std::string& sLayout) {
    GridParts& p = *parts_;
    if (sLayout.empty()) return;
    const SortLayout layout = ReadSortLayout(sLayout, p.store.Columns());
    if (layout.maxKey > 0) p.store.CheckShapeUnlocked();

    ColumnTable& columns = p.store.Columns();
    for (std::int32_t position = 1; position <= columns.Count(); ++position)
        columns.At(position).sortKey = 0;
    for (const SortSetting& setting : layout.settings) {
        ColumnRecord& column = columns.At(setting.position);
        (setting.isKey ? column.sortKey : column.sortOrder) = setting.value;
    }
    if (layout.maxKey > 0) {
        BuildSortCriteria(columns, p.sortObject, layout.maxKey);
        SortContents();
    }
    RefreshEntireHeader();
}

}  // namespace vexa
