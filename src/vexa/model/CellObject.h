/// \file
/// The column default cell: the attributes every new cell of its column starts with. Hosts
/// reach it through AddCol and ColDefaultCell and change it by its members; the grid copies
/// it into cells created afterwards, so existing cells keep their attributes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "vexa/model/CellObjectHost.h"
#include "vexa/model/GridRecords.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/Object.h"
#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// A column's default cell: the attributes every new cell of the column starts with.
class VEXA_API CellObject : public Object {
  public:
    /**@{*/
    /// Dispatch identifiers of the members, as late-bound hosts know them.
    static constexpr std::int32_t kDispValue = 0x40030000;
    static constexpr std::int32_t kDispBackColor = 0x40030001;
    static constexpr std::int32_t kDispForeColor = 0x40030002;
    static constexpr std::int32_t kDispFont = 0x40030003;
    static constexpr std::int32_t kDispTextFlags = 0x40030004;
    static constexpr std::int32_t kDispIconIndex = 0x40030005;
    static constexpr std::int32_t kDispExtraIconIndex = 0x40030006;
    static constexpr std::int32_t kDispSelected = 0x40030007;
    static constexpr std::int32_t kDispIndent = 0x40030008;
    static constexpr std::int32_t kDispRightIndent = 0x40030009;
    static constexpr std::int32_t kDispType = 0x4003000A;
    static constexpr std::int32_t kDispTypeFlags = 0x4003000B;
    static constexpr std::int32_t kDispHatch = 0x40030010;
    static constexpr std::int32_t kDispFmtString = 0x68030003;
    static constexpr std::int32_t kDispCtrlKey = 0x68030001;
    /**@}*/
    /// What a late-bound host gets for a name that is no member.
    static constexpr std::int32_t kDispUnknown = -1;

    /// A member's published name and dispatch identifier.
    struct Member {
        /**@{*/
        /// The name (with its type prefix, "vValue") and the dispatch identifier.
        std::string_view name;
        std::int32_t dispId;
        /**@}*/
    };
    /// The public members in their published order.
    static constexpr std::array<Member, 15> kMembers{{
        {"vValue", kDispValue},
        {"oBackColor", kDispBackColor},
        {"oForeColor", kDispForeColor},
        {"oFont", kDispFont},
        {"eTextFlags", kDispTextFlags},
        {"iIconIndex", kDispIconIndex},
        {"iExtraIconIndex", kDispExtraIconIndex},
        {"bSelected", kDispSelected},
        {"iIndent", kDispIndent},
        {"iRightIndent", kDispRightIndent},
        {"eType", kDispType},
        {"eTypeFlags", kDispTypeFlags},
        {"eHatch", kDispHatch},
        {"sFmtString", kDispFmtString},
        {"sCtrlKey", kDispCtrlKey},
    }};
    /// The dispatch identifier of a member, names compared without regard to case as
    /// late binding does; kDispUnknown for no member.
    static std::int32_t DispIdOf(std::string_view member);
    /// The name of the member with that dispatch identifier; empty for none.
    static std::string_view MemberOfDispId(std::int32_t dispId);

    /// The grid is referenced, not owned: grid and default cells must not keep each other
    /// alive. Without a grid (or once it is gone) the cell is plain storage.
    explicit CellObject(std::shared_ptr<CellObjectHostLink> grid = nullptr);

    /**@{*/
    /// The value new cells start with.
    const Variant& vValue() const { return value_; }
    void SetvValue(const Variant& value);
    /**@}*/
    /**@{*/
    /// The background and text colours new cells start with; kDefaultColor: the grid's.
    OLE_COLOR oBackColor() const { return backColor_; }
    void SetoBackColor(OLE_COLOR color) { Changed(backColor_, color); }
    OLE_COLOR oForeColor() const { return foreColor_; }
    void SetoForeColor(OLE_COLOR color) { Changed(foreColor_, color); }
    /**@}*/
    /**@{*/
    /// The font object itself is kept, not a copy: cells created later take the font as it
    /// is then, so a host may still change it after handing it over.
    const std::shared_ptr<Font>& oFont() const { return font_; }
    void SetoFont(std::shared_ptr<Font> font) { Changed(font_, std::move(font)); }
    /**@}*/
    /**@{*/
    /// The text flags (ETextFormatFlags, and ETextEditFlags for the text editor).
    std::int32_t eTextFlags() const { return textFlags_; }
    void SeteTextFlags(std::int32_t flags) { Changed(textFlags_, flags); }
    /**@}*/
    /**@{*/
    /// The icon and the extra icon, indices into the grid's image list; -1 for none.
    std::int16_t iIconIndex() const { return icon_; }
    void SetiIconIndex(std::int16_t icon) { Changed(icon_, icon); }
    std::int16_t iExtraIconIndex() const { return extraIcon_; }
    void SetiExtraIconIndex(std::int16_t icon) { Changed(extraIcon_, icon); }
    /**@}*/
    /**@{*/
    /// Whether new cells start selected.
    bool bSelected() const { return selected_; }
    void SetbSelected(bool selected) { Changed(selected_, selected); }
    /**@}*/
    /**@{*/
    /// The space in pixels left before and after the text.
    std::int16_t iIndent() const { return indent_; }
    void SetiIndent(std::int16_t indent) { Changed(indent_, indent); }
    std::int16_t iRightIndent() const { return rightIndent_; }
    void SetiRightIndent(std::int16_t indent) { Changed(rightIndent_, indent); }
    /**@}*/
    /**@{*/
    /// The cell type (ECellTypes).
    std::int32_t eType() const { return type_; }
    void SeteType(std::int32_t type);
    /**@}*/
    /// The type flags (ECellTypeFlags), whose meaning depends on the cell type.
    std::int32_t eTypeFlags() const { return typeFlags_; }
    /// Values a cell cannot hold (bits outside the type flags) are error 514.
    void SeteTypeFlags(std::int32_t flags);
    /// The hatch drawn over the background (EHatchStyles).
    std::int32_t eHatch() const { return hatch_; }
    /// Values outside the hatch styles are error 514.
    void SeteHatch(std::int32_t hatch);
    /**@{*/
    /// The format string the cell's value is shown with (as Format takes it); empty: plain text.
    const std::string& sFmtString() const { return fmtString_; }
    void SetsFmtString(const std::string& format);
    /**@}*/
    /**@{*/
    /// The key of the combo list a combo cell takes its items from.
    const std::string& sCtrlKey() const { return ctrlKey_; }
    void SetsCtrlKey(const std::string& key);
    /**@}*/

    // ---- For the grid ----
    /**@{*/
    /// What the grid copies into new cells: the format string's and the combo list's number in the
    /// grid's tables, and the combo item the value selects with its icon.
    std::int16_t FmtStringIndex() const { return fmtStringIndex_; }
    std::int16_t CtrlKeyIndex() const { return ctrlKeyIndex_; }
    std::int16_t ComboItemIndex() const { return comboItemIndex_; }
    std::int16_t ComboItemIcon() const { return comboItemIcon_; }
    /**@}*/

    /// Late binding by member name.
    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override;
    std::string ClassName() const override { return "CellObject"; }

  private:
    CellObjectHost* Grid() const { return link_ ? link_->host : nullptr; }
    // Every change is counted for the grid (see CellObjectHostLink::revision).
    void Changed() {
        if (link_) ++link_->revision;
    }
    template <class Field, class Value>
    void Changed(Field& field, Value&& value) {
        field = std::forward<Value>(value);
        Changed();
    }
    void RecomputeComboItem();
    Variant GetProperty(std::string_view member) const;
    bool PutProperty(std::string_view member, const Variant& value);

    std::shared_ptr<CellObjectHostLink> link_;
    Variant value_;
    std::shared_ptr<Font> font_;
    std::string fmtString_;
    std::string ctrlKey_;
    OLE_COLOR backColor_ = kDefaultColor;
    OLE_COLOR foreColor_ = kDefaultColor;
    std::int32_t textFlags_ = kDefaultTextFlags;
    std::int32_t type_ = vxCellText;
    std::int32_t typeFlags_ = 0;
    std::int32_t hatch_ = vxHatchNone;
    std::int16_t icon_ = -1;
    std::int16_t extraIcon_ = -1;
    std::int16_t indent_ = 2;
    std::int16_t rightIndent_ = 2;
    std::int16_t fmtStringIndex_ = 0;
    std::int16_t ctrlKeyIndex_ = 0;
    std::int16_t comboItemIndex_ = -1;
    std::int16_t comboItemIcon_ = -1;
    bool selected_ = false;
};

}  // namespace vexa

VEXA_PUBLIC_END
