/// \file
/// ScrollBarObject: a host's view of one of the grid's scroll bars (HScrollBar, VScrollBar).
/// It links to the grid's bars without owning them: once the grid is gone its members read 0
/// and setting Value does nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "vexa/model/Enums.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class cScrollBars;

/// One of the grid's scroll bars as a host sees it.
class VEXA_API ScrollBarObject {
  public:
    /// Made by the grid for its horizontal or vertical bar.
    ScrollBarObject(std::weak_ptr<cScrollBars> bars, EScrollBar bar)
        : bars_(std::move(bars)), bar_(bar) {}

    /**@{*/
    /// The position; setting it scrolls the grid (clamped to the range).
    std::int32_t Value() const;
    void SetValue(std::int32_t value);
    /**@}*/
    /// The system's thickness of a bar of this kind, in pixels.
    std::int32_t Thickness() const;
    /// Whether the bar is shown.
    bool Visible() const;
    /**@{*/
    /// How far a page click and an arrow click move the position.
    std::int32_t LargeChange() const;
    std::int32_t SmallChange() const;
    /**@}*/
    /**@{*/
    /// The range of the position.
    std::int32_t Min() const;
    std::int32_t Max() const;
    /**@}*/

  private:
    std::weak_ptr<cScrollBars> bars_;
    EScrollBar bar_;
};

}  // namespace vexa

VEXA_PUBLIC_END
