#include "vexa/model/CellObject.h"

#include <utility>

#include "vexa/model/CellValues.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

OLE_COLOR ColorFrom(const Variant& value) {
    return static_cast<OLE_COLOR>(value.ToLong());
}

Variant ColorVariant(OLE_COLOR color) {
    return Variant(static_cast<std::int32_t>(color));
}

}  // namespace

std::int32_t CellObject::DispIdOf(std::string_view member) {
    for (const Member& m : kMembers) {
        if (MemberIs(member, m.name)) return m.dispId;
    }
    return kDispUnknown;
}

std::string_view CellObject::MemberOfDispId(std::int32_t dispId) {
    for (const Member& m : kMembers) {
        if (m.dispId == dispId) return m.name;
    }
    return {};
}

CellObject::CellObject(std::shared_ptr<CellObjectHostLink> grid)
    : link_(std::move(grid)), value_(CellValues::InitValue(vxCellText)) {}

void CellObject::SetvValue(const Variant& value) {
    value_ = value;
    if (ctrlKeyIndex_ != 0) RecomputeComboItem();
    Changed();
}

void CellObject::SeteType(std::int32_t type) {
    if (type == type_) return;
    // The initial value is looked up first: an unknown type (514) leaves the cell unchanged.
    // It needs no grid, so a default cell that outlived its grid keeps the same rule.
    Variant initial = CellValues::InitValue(type);
    type_ = type;
    value_ = std::move(initial);
    Changed();
}

void CellObject::SeteTypeFlags(std::int32_t flags) {
    // Cells keep the type flags in three bits beside the type; other bits would be lost.
    if ((flags & ~std::int32_t{kCellTypeFlagsMask}) != 0) RaiseGridError(kErrInvalidArgument);
    typeFlags_ = flags;
    Changed();
}

void CellObject::SeteHatch(std::int32_t hatch) {
    // Cells keep the hatch in one byte, where only the hatch styles mean something.
    if (hatch < 0 || hatch > vxHatchNone) RaiseGridError(kErrInvalidArgument);
    hatch_ = hatch;
    Changed();
}

void CellObject::SetsFmtString(const std::string& format) {
    const std::int16_t index = Grid() ? Grid()->EnterFormatString(format) : 0;
    fmtString_ = format;
    fmtStringIndex_ = index;
    Changed();
}

void CellObject::SetsCtrlKey(const std::string& key) {
    ctrlKey_ = key;
    ctrlKeyIndex_ = Grid() ? Grid()->ComboListIndex(key) : 0;
    Changed();
}

void CellObject::RecomputeComboItem() {
    const ComboMatch match = Grid() ? Grid()->MatchComboItem(ctrlKeyIndex_, value_) : ComboMatch{};
    comboItemIndex_ = match.itemIndex;
    comboItemIcon_ = match.icon;
}

Variant CellObject::Invoke(std::string_view member, std::span<const Variant> args,
                           InvokeKind kind) {
    if (kind == InvokeKind::PropertyPut) {
        if (args.size() != 1) RaiseRuntimeError(rtWrongArgumentCount);
        if (!PutProperty(member, args[0])) RaiseRuntimeError(rtMemberNotSupported);
        return {};
    }
    if (!args.empty()) RaiseRuntimeError(rtWrongArgumentCount);
    return GetProperty(member);
}

Variant CellObject::GetProperty(std::string_view member) const {
    if (MemberIs(member, "vValue")) return value_;
    if (MemberIs(member, "oBackColor")) return ColorVariant(backColor_);
    if (MemberIs(member, "oForeColor")) return ColorVariant(foreColor_);
    if (MemberIs(member, "oFont")) return font_ ? Variant(font_) : Variant::Nothing();
    if (MemberIs(member, "eTextFlags")) return Variant(textFlags_);
    if (MemberIs(member, "iIconIndex")) return Variant(icon_);
    if (MemberIs(member, "iExtraIconIndex")) return Variant(extraIcon_);
    if (MemberIs(member, "bSelected")) return Variant(selected_);
    if (MemberIs(member, "iIndent")) return Variant(indent_);
    if (MemberIs(member, "iRightIndent")) return Variant(rightIndent_);
    if (MemberIs(member, "eType")) return Variant(type_);
    if (MemberIs(member, "eTypeFlags")) return Variant(typeFlags_);
    if (MemberIs(member, "eHatch")) return Variant(hatch_);
    if (MemberIs(member, "sFmtString")) return Variant(fmtString_);
    if (MemberIs(member, "sCtrlKey")) return Variant(ctrlKey_);
    RaiseRuntimeError(rtMemberNotSupported);
}

bool CellObject::PutProperty(std::string_view member, const Variant& value) {
    if (MemberIs(member, "vValue")) {
        SetvValue(value);
    } else if (MemberIs(member, "oBackColor")) {
        SetoBackColor(ColorFrom(value));
    } else if (MemberIs(member, "oForeColor")) {
        SetoForeColor(ColorFrom(value));
    } else if (MemberIs(member, "oFont")) {
        auto font = std::dynamic_pointer_cast<Font>(value.ToObject());
        if (!font && value.ToObject()) RaiseRuntimeError(rtTypeMismatch);
        SetoFont(std::move(font));
    } else if (MemberIs(member, "eTextFlags")) {
        SeteTextFlags(value.ToLong());
    } else if (MemberIs(member, "iIconIndex")) {
        SetiIconIndex(value.ToInteger());
    } else if (MemberIs(member, "iExtraIconIndex")) {
        SetiExtraIconIndex(value.ToInteger());
    } else if (MemberIs(member, "bSelected")) {
        SetbSelected(value.ToBoolean());
    } else if (MemberIs(member, "iIndent")) {
        SetiIndent(value.ToInteger());
    } else if (MemberIs(member, "iRightIndent")) {
        SetiRightIndent(value.ToInteger());
    } else if (MemberIs(member, "eType")) {
        SeteType(value.ToLong());
    } else if (MemberIs(member, "eTypeFlags")) {
        SeteTypeFlags(value.ToLong());
    } else if (MemberIs(member, "eHatch")) {
        SeteHatch(value.ToLong());
    } else if (MemberIs(member, "sFmtString")) {
        SetsFmtString(value.ToString());
    } else if (MemberIs(member, "sCtrlKey")) {
        SetsCtrlKey(value.ToString());
    } else {
        return false;
    }
    return true;
}

}  // namespace vexa
