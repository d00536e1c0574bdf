// Sorting the grid's rows: Sort, the sort contents step shared with the default sort and
// layout strings, and the bridge through which the sort reads texts and asks the host.
#include <cstdint>
#include <utility>
#include <vector>

#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"
#include "vexa/sort/RowComparer.h"
#include "vexa/sort/SortCallbacks.h"

namespace vexa {

namespace {

// The columns a Sort argument names, resolved before anything changes.
std::vector<Variant> SortArguments(const Variant& vCols) {
    if (vCols.IsArray()) return vCols.Items();
    return {vCols};
}

}  // namespace

// What the sort routine asks of the grid: displayed texts and the host's custom answers.
class VexaSortCallbacks : public SortCallbacks {
  public:
    explicit VexaSortCallbacks(Vexa& grid) : grid_(grid) {}

    std::string SortCellText(std::int32_t col, std::int32_t row) override {
        // Read only: rows that share their cells go on sharing them.
        return grid_.parts_->cellValues.DisplayText(
            std::as_const(grid_.parts_->store).Cell(col, row));
    }

    // A failing handler gives no answer the order could rest on: the sorting step ends at
    // once (no later sink is asked) and the steps after it still run.
    bool CustomSortIsGreater(Variant& v1, Variant& v2) override {
        bool isGreater = false;
        bool failed = false;
        grid_.parts_->events.Raise("CustomSort", [&](VexaEvents& e) {
            if (failed) return;
            try {
                e.CustomSort(v1, v2, isGreater);
            } catch (...) {
                LogSwallowedException("CustomSort");
                failed = true;
            }
        });
        if (failed) throw SortAbandoned();
        return isGreater;
    }

  private:
    Vexa& grid_;
};

ShellSortObject& Vexa::SortObject() {
    return parts_->sortObject;
}

void Vexa::Sort(const std::optional<Variant>& vCols) {
    parts_->store.CheckShapeUnlocked();
    if (vCols) {
        const std::vector<Variant> columns = SortArguments(*vCols);
        // The criterion count is 16-bit: a longer array would silently sort by a fraction
        // of it, or fail half-way.
        if (columns.size() > std::size_t(INT16_MAX)) RaiseGridError(kErrInvalidArgument);
        // Every element resolves before the criteria change, so a bad one changes nothing.
        std::vector<std::int32_t> indices;
        indices.reserve(columns.size());
        for (const Variant& column : columns)
            indices.push_back(parts_->store.ResolveColArg(column));
        parts_->sortObject.SetColCount(static_cast<std::int16_t>(indices.size()));
        for (std::size_t i = 0; i < indices.size(); ++i) {
            const auto k = static_cast<std::int16_t>(i + 1);
            const ColumnRecord& column =
                parts_->store.Columns().At(parts_->store.PositionOfIndex(indices[i]));
            parts_->sortObject.SetSortCol(k, static_cast<std::int16_t>(indices[i]));
            parts_->sortObject.SetSortOrder(k, vxSortAsc);
            parts_->sortObject.SetSortType(k, static_cast<ESortTypes>(column.sortType));
        }
    }
    SortContents();
    MarkSortedColumns();
    RefreshEntireHeader();
}

void Vexa::MarkSortedColumns() {
    for (std::int32_t p = 1; p <= parts_->store.ColCount(); ++p)
        parts_->store.Columns().At(p).sortKey = 0;
    for (std::int16_t k = 1; k <= parts_->sortObject.ColCount(); ++k) {
        const std::int32_t col = parts_->sortObject.SortCol(k);
        if (col < 1 || col > parts_->store.ColCount()) continue;
        ColumnRecord& column = parts_->store.Columns().At(parts_->store.PositionOfIndex(col));
        column.sortKey = k;
        column.sortOrder = parts_->sortObject.SortOrder(k);
    }
}

void Vexa::SortContents() {
    parts_->geometry.Invalidate(RangeState::RecomputeAll);
    CancelEdit();
    if (parts_->store.RowCount() == 0 || parts_->store.ColCount() == 0) return;
    const std::int32_t current = parts_->store.CurrentRow();
    const std::int32_t tracked = current >= 1 && current <= parts_->store.RowCount() ? current : 0;
    std::int32_t newRow = tracked;
    // Nothing inside the sort reaches the caller, and a step that fails skips only itself:
    // the rows are all still present, so the steps after it can bring the grid up to date.
    auto step = [](auto&& body) {
        try {
            body();
        } catch (...) {
            LogSwallowedException("Sort");
        }
    };
    step([&] {
        // The host's comparisons must not change the rows being sorted.
        TableWalk walk(parts_->store);
        VexaSortCallbacks callbacks(*this);
        newRow = parts_->sortObject.SortRows(parts_->store, parts_->store.GroupRowCount() > 0,
                                             callbacks, tracked);
    });
    // The store's permutation recomputed tops, parity and the key index.
    step([&] {
        parts_->geometry.RecomputeRowPositionsFrom(1);
        parts_->geometry.RowParityChangedFrom(1);
        parts_->painter.ResetCachedState();
    });
    step([&] {
        parts_->store.SetCurrentCell(current >= 1 ? newRow : 0, parts_->store.CurrentCol());
        SetCurrentCellInternal(parts_->store.CurrentRow(), parts_->store.CurrentCol(), false);
    });
    step([&] {
        const bool valid = parts_->store.CurrentRow() >= 1 &&
                           parts_->store.CurrentRow() <= parts_->store.RowCount() &&
                           parts_->store.CurrentCol() >= 1 &&
                           parts_->store.CurrentCol() <= parts_->store.ColCount();
        if (!valid || !MakeCellVisible(parts_->store.CurrentRow(), parts_->store.CurrentCol())) {
            Draw();
        }
    });
    step([&] { RaisePendingCurCellChange(); });
    parts_->lastSortCriteria = parts_->sortObject.ColCount();
}

}  // namespace vexa
