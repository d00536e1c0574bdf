/// \file
/// The records of the grid's three tables: columns (in display order), rows (in row-index
/// order) and cells (addressed by column index and row index). Booleans are plain bool;
/// the automation value −1 for true only appears at the public interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vexa/model/Enums.h"
#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class CellObject;  ///< the column default cell, owned by the cell-values model

using OLE_COLOR = std::uint32_t;

/// −1 as an OLE_COLOR: the default colour applies.
inline constexpr OLE_COLOR kDefaultColor = 0xFFFFFFFFu;

/// Text flags every new column and default cell starts with (single line + end ellipsis).
inline constexpr std::int32_t kDefaultTextFlags = vxTextSingleLine | vxTextEndEllipsis;

struct VEXA_API ColumnRecord {
    std::int32_t width = 0;
    std::int32_t left = 0;
    std::int32_t index = 0;
    bool visible = true;
    bool rowTextColumn = false;
    std::string key;
    Variant tag;
    std::string headerText;
    bool includeInSelect = true;
    std::int16_t headerIcon = -1;
    std::int32_t headerTextFlags = kDefaultTextFlags;
    std::int32_t sortType = vxSortByValue;
    std::shared_ptr<CellObject> defaultCell;
    std::int32_t minWidth = -1;
    std::int32_t maxWidth = -1;
    std::int32_t sortKey = 0;
    std::int32_t sortOrder = vxSortAsc;
    OLE_COLOR headerBackColor = kDefaultColor;
    OLE_COLOR headerForeColor = kDefaultColor;
    bool allowSizing = true;
};

struct VEXA_API RowRecord {
    std::int32_t height = 0;
    std::int32_t normalCellHeight = 0;
    std::int32_t top = 0;
    bool visible = true;
    bool groupRow = false;
    std::int32_t groupStartCol = 0;
    Variant tag;
    bool parity = false;
    bool sortMark = false;
    std::string key;
};

/// Bits of CellRecord::flags.
inline constexpr std::uint8_t kCellTypeMask = 0x07;       ///< ECellTypes, values 0..3
inline constexpr std::uint8_t kCellTypeFlagsMask = 0x38;  ///< ECellTypeFlags, values 8 and 16
inline constexpr std::uint8_t kCellSelected = 64;
inline constexpr std::uint8_t kCellNeedsRepaint = 128;

/// A cell. Defaults are those of a fresh column default cell. The right indent sits before
/// the value (not after it, as the public member list orders them) so the record packs
/// without a padding hole; no code depends on field order.
struct VEXA_API CellRecord {
    OLE_COLOR backColor = kDefaultColor;
    OLE_COLOR foreColor = kDefaultColor;
    std::int32_t textFlags = kDefaultTextFlags;
    std::int16_t icon = -1;
    std::int16_t extraIcon = -1;
    std::int16_t fontIndex = 0;
    std::int16_t indent = 2;
    std::uint8_t flags = 0;
    std::uint8_t hatch = vxHatchNone;
    std::int16_t ctrlKeyIndex = 0;
    std::int16_t fmtStringIndex = 0;
    std::int16_t comboItemIndex = -1;
    std::int16_t rightIndent = 2;
    Variant value{std::string()};

    std::int32_t CellType() const { return flags & kCellTypeMask; }
    std::int32_t TypeFlags() const { return flags & kCellTypeFlagsMask; }
    bool Selected() const { return (flags & kCellSelected) != 0; }
    bool NeedsRepaint() const { return (flags & kCellNeedsRepaint) != 0; }
    void SetFlag(std::uint8_t bit, bool on) {
        flags = on ? std::uint8_t(flags | bit) : std::uint8_t(flags & ~bit);
    }
};

}  // namespace vexa

VEXA_PUBLIC_END
