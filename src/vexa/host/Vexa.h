// The grid control a host program places on one of its windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "vexa/host/EventSinks.h"
#include "vexa/host/VexaEvents.h"
#include "vexa/model/Enums.h"
#include "vexa/model/GridStore.h"
#include "vexa/system/automation/Variant.h"

namespace vexa {

class CellObject;

// The key parameter of the positional AddCol and AddRow. It converts from any one string-like
// value and from nothing else, so that a braced list of named parameters
// (grid.AddCol({.sKey = "id"})) selects the overload taking the parameter struct.
struct KeyArg {
    KeyArg() = default;
    template <class T>
    requires std::is_convertible_v<T, std::string> KeyArg(T&& key) : value(std::forward<T>(key)) {}
    std::string value;
};

// The parameters of Vexa::AddCol, for hosts that name them:
// grid.AddCol({.sKey = "id", .lWidth = 80}).
struct AddColArgs {
    std::string sKey{};
    std::string sHeader{};
    std::int32_t eHdrTextFlags = vxTextSingleLine | vxTextEndEllipsis;
    std::int16_t iIconIndex = -1;
    std::int32_t lWidth = -1;
    bool bVisible = true;
    std::optional<Variant> vColBefore{};  // none: append
    bool bIncludeInSelect = true;
    bool bRowTextCol = false;
    std::int32_t eSortType = vxSortByValue;
    std::int16_t lMinWidth = -1;
    std::int16_t lMaxWidth = -1;
    bool bAllowSizing = true;
    Variant vTag{};
};

// The parameters of Vexa::AddRow: grid.AddRow({.sKey = "r1", .vRowBefore = 1}).
struct AddRowArgs {
    std::string sKey{};
    std::optional<Variant> vRowBefore{};  // none: append
    bool bVisible = true;
    std::int32_t lHeight = -1;
    bool bGroupRow = false;
    std::int32_t lGroupColStartIndex = 0;
    Variant vTag{};
};

class Vexa {
  public:
    Vexa();
    ~Vexa();
    Vexa(const Vexa&) = delete;
    Vexa& operator=(const Vexa&) = delete;

    // ---- Grid store: columns, rows, keys, row memory ----

    // Adds a column at the end, or before vColBefore; returns its default cell.
    std::shared_ptr<CellObject> AddCol(const KeyArg& sKey = {}, const std::string& sHeader = "",
                                       std::int32_t eHdrTextFlags = vxTextSingleLine |
                                                                    vxTextEndEllipsis,
                                       std::int16_t iIconIndex = -1, std::int32_t lWidth = -1,
                                       bool bVisible = true,
                                       const std::optional<Variant>& vColBefore = std::nullopt,
                                       bool bIncludeInSelect = true, bool bRowTextCol = false,
                                       std::int32_t eSortType = vxSortByValue,
                                       std::int16_t lMinWidth = -1, std::int16_t lMaxWidth = -1,
                                       bool bAllowSizing = true, const Variant& vTag = Variant());
    std::shared_ptr<CellObject> AddCol(const AddColArgs& args);
    void RemoveCol(const Variant& vCol);
    std::int32_t ColCount() const;
    std::int32_t ColIndex(const std::string& sKey) const;
    std::string ColKey(std::int32_t lCol) const;
    void SetColKey(std::int32_t lCol, const std::string& sKey);
    // The display position of a column (1..ColCount).
    std::int32_t ColOrder(const Variant& vCol) const;

    // Adds a row at the end, or before vRowBefore.
    void AddRow(const KeyArg& sKey = {}, const std::optional<Variant>& vRowBefore = std::nullopt,
                bool bVisible = true, std::int32_t lHeight = -1, bool bGroupRow = false,
                std::int32_t lGroupColStartIndex = 0, const Variant& vTag = Variant());
    void AddRow(const AddRowArgs& args);
    void RemoveRow(const Variant& vRow);
    std::int32_t RowCount() const;
    void SetRowCount(std::int32_t lRowCount);
    std::int32_t RowIndex(const std::string& sKey) const;
    std::string RowKey(std::int32_t lRow) const;
    void SetRowKey(std::int32_t lRow, const std::string& sKey);
    void Clear(bool bRemoveCols = false);

    std::int32_t MemMngWantFreeRows() const;
    void SetMemMngWantFreeRows(std::int32_t lRows);
    std::int32_t MemMngAllocatedRows() const;
    void SetMemMngAllocatedRows(std::int32_t lRows);

    // ---- Cell values and attributes ----

    // ---- Column and row attributes ----

    // ---- Virtual mode and recordset fill ----

    // ---- Sorting ----

    // ---- Events ----

    // Connects a sink; any number may be connected, each once. Null is ignored.
    void Advise(VexaEvents* sink);
    // Disconnects a sink; safe from inside one of its handlers.
    void Unadvise(VexaEvents* sink);

  private:
    // ---- Grid store state ----

    GridStore mStore;

    // The fixed tail of every structural call: painter reset, Draw, then the current cell.
    void FinishStructuralChange(bool reestablishCurrentCell);

    // ---- Cell values state ----

    // ---- Column and row attributes state ----

    // ---- Virtual mode state ----

    // ---- Sorting state ----

    // ---- Events state ----

    EventSinks mEvents;

    // Raises an event: `handler(sink)` for every connected sink, handler exceptions
    // swallowed. Use: RaiseEvent([&](VexaEvents& e) { e.CurCellChange(row, col); });
    template <class Handler>
    void RaiseEvent(Handler&& handler) {
        mEvents.Raise(std::forward<Handler>(handler));
    }

    // ---- Later subsystems (no-ops for now) ----
    // Calls into Parts that are not built yet. Each keeps its name so that the Part that
    // builds it replaces the body here (and moves it into its own file).

    void InvalidateVisibleRange(std::int32_t /*state*/) {}
    void CancelEdit() {}
    void ResetPainterState() {}
    void Draw() {}
    void SetCurrentCellInternal(std::int32_t /*row*/, std::int32_t /*col*/, bool /*raiseNow*/) {}
    void HeaderColumnInserted(std::int32_t /*position*/, bool /*append*/) {}
    void HeaderColumnRemoved(std::int32_t /*position*/, bool /*hadItem*/) {}
    void HeaderRemoveAllItems() {}
    void HeaderAutoHeight(std::int32_t /*occasion*/) {}
    void RepaintHeaderNow() {}
    void EnlargeRowBuffer(std::int32_t /*height*/) {}
    void ResetScrollPositions(bool /*horizontalToo*/) {}
    bool InVirtualMode() const { return false; }
    void ResetMoreRowsAvailable() {}
};

}  // namespace vexa
