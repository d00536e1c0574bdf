/// \file
/// A named combo list: items with a text, a value and an icon, shown by the list's drop-down
/// list when a combo cell linked to it is edited. Hosts get it from Combos().Add and may keep
/// it after the list is removed or the grid is gone: it then answers as an empty list, and
/// calls that would change its items raise error 514.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class DropDownList;

/// A named combo list whose items combo cells show and select.
class VEXA_API ComboObject {
  public:
    /// MaxHeightInItems of a new list.
    static constexpr std::int32_t kDefaultMaxHeightInItems = 8;

    /// Made by CombosObject::Add: the list in slot `listIndex`, shown by `dropDown`.
    ComboObject(std::int16_t listIndex, std::shared_ptr<DropDownList> dropDown,
                const std::shared_ptr<vexa::Font>& font);
    /// Takes its drop-down list down with it.
    ~ComboObject();
    ComboObject(const ComboObject&) = delete;
    ComboObject& operator=(const ComboObject&) = delete;

    /// Removes every item.
    void Clear();
    /// Inserts an item at lIndex (-1: at the end; 513 outside -1..ListCount). Without a value
    /// the item's value is its text.
    void AddItem(const std::string& sItemText,
                 const std::optional<Variant>& vItemValue = std::nullopt,
                 std::int16_t iIconIndex = -1, std::int32_t lIndex = -1);
    /// 513 for an index outside 0..ListCount - 1.
    void RemoveItem(std::int32_t lIndex);
    /**@{*/
    /// Most items the dropped list shows without scrolling; below 1 raises 514.
    std::int32_t MaxHeightInItems() const { return maxHeightInItems_; }
    void SetMaxHeightInItems(std::int32_t lItems);
    /**@}*/
    /// Width of the dropped list in pixels.
    void SetWidth(std::int32_t lWidth);
    /// Makes the dropped list as wide as its widest item, with room for a scroll bar.
    void AutoAdjustWidth();
    /// How many items the list has.
    std::int32_t ListCount() const;
    /**@{*/
    /// Item indices are 0-based; 513 outside the items.
    Variant ItemValue(std::int32_t lIndex) const;
    void SetItemValue(std::int32_t lIndex, const Variant& value);
    /**@}*/
    /// The first item whose value equals vValue (objects by identity); -1 when none.
    std::int32_t ValueIndex(const Variant& vValue) const;
    /**@{*/
    /// The items' font; changes made to it later reach the list.
    std::shared_ptr<vexa::Font> Font() const { return font_; }
    void SetFont(const std::shared_ptr<vexa::Font>& font);
    /**@}*/

    // ---- For the control ----
    /// The list's slot, which combo cells store (0 once the list is gone).
    std::int16_t ListIndex() const { return listIndex_; }
    /// Null once the list was removed or its grid is gone.
    DropDownList* DropDown() const { return dropDown_.get(); }
    /**@{*/
    /// An item's text and icon index (-1: no icon).
    std::string ItemText(std::int32_t index) const;
    std::int16_t ItemIcon(std::int32_t index) const;
    /**@}*/
    /// The list was removed or its grid is going: the drop-down list goes now.
    void Detach();

  private:
    DropDownList& AttachedDropDown() const;
    void CheckItemIndex(std::int32_t index) const;
    void ApplyDroppedHeight();
    void Subscribe();
    void Unsubscribe();

    std::int16_t listIndex_;
    std::int32_t maxHeightInItems_ = kDefaultMaxHeightInItems;
    std::shared_ptr<DropDownList> dropDown_;
    std::shared_ptr<vexa::Font> font_;
    vexa::Font::ListenerToken fontToken_ = 0;
};

}  // namespace vexa

VEXA_PUBLIC_END
