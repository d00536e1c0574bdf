// The grid control a host program places on one of its windows.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "vexa/host/VexaEvents.h"

namespace vexa {

class Vexa {
  public:
    Vexa();
    ~Vexa();
    Vexa(const Vexa&) = delete;
    Vexa& operator=(const Vexa&) = delete;

    // ---- Grid store: columns, rows, keys, row memory ----

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

    // ---- Cell values state ----

    // ---- Column and row attributes state ----

    // ---- Virtual mode state ----

    // ---- Sorting state ----

    // ---- Events state ----

    std::vector<VexaEvents*> mSinks;

    bool IsAdvised(const VexaEvents* sink) const;

    // Calls `handler(sink)` for every connected sink, in connection order. An exception thrown
    // by a handler is swallowed: the operation that raised the event carries on.
    template <class Handler>
    void RaiseEvent(Handler&& handler) {
        const std::vector<VexaEvents*> sinks = mSinks;  // handlers may (un)advise
        for (VexaEvents* sink : sinks) {
            if (!IsAdvised(sink)) continue;
            try {
                handler(*sink);
            } catch (...) {
            }
        }
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
