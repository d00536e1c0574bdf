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

class CellObject;  // the column default cell, owned by the cell-values model

/// An automation colour: 0x00BBGGRR, a system colour with the high bit set, or kDefaultColor.
using OLE_COLOR = std::uint32_t;

/// −1 as an OLE_COLOR: the default colour applies.
inline constexpr OLE_COLOR kDefaultColor = 0xFFFFFFFFu;

/// Text flags every new column and default cell starts with (single line + end ellipsis).
inline constexpr std::int32_t kDefaultTextFlags = vxTextSingleLine | vxTextEndEllipsis;

/// A column as the grid keeps it, in display order.
struct VEXA_API ColumnRecord {
    /**@{*/
    /// The width, and the left edge within the content (both in pixels).
    std::int32_t width = 0;
    std::int32_t left = 0;
    /**@}*/
    /// The column's index, which stays when the column moves (its position is its place in the
    /// table).
    std::int32_t index = 0;
    /**@{*/
    /// The column's settings behind the members of the same names (ColVisible, ColKey, ColTag,
    /// ColHeaderText, ColSortType, ColDefaultCell, ColMinWidth, ColSortKey...).
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
    /**@}*/
};

/// A row's key and tag: most rows have neither, so they are kept apart from the row record.
struct VEXA_API RowNames {
    std::string key;  ///< The row's key (RowKey); empty for none.
    Variant tag;      ///< The row's tag (RowTag).
};

/// A row as the grid keeps it, in row-index order. The record is small and cheap to move, so
/// appending rows and moving them around stays fast; what only some rows have lives apart.
struct VEXA_API RowRecord {
    /**@{*/
    /// The row's height, the height of its cells above the row text, and its top within the
    /// content (in pixels).
    std::int32_t height = 0;
    std::int32_t normalCellHeight = 0;
    std::int32_t top = 0;
    /**@}*/
    /**@{*/
    /// The row's settings behind RowVisible, RowIsGroup and RowGroupStartCol.
    std::int32_t groupStartCol = 0;
    bool visible = true;
    bool groupRow = false;
    /**@}*/
    /// Whether the row is an odd one among the visible rows, for BackColorOddRows.
    bool parity = false;
    /// A mark the sort keeps while it moves rows.
    bool sortMark = false;

    /**@{*/
    /// The row's key (empty for none) and its tag (RowTag, Empty until set).
    const std::string& Key() const {
        static const std::string none;
        return names ? names->key : none;
    }
    void SetKey(std::string key) {
        if (key.empty() && !names) return;
        Names().key = std::move(key);
    }
    const Variant& Tag() const {
        static const Variant none;
        return names ? names->tag : none;
    }
    void SetTag(const Variant& tag) {
        if (tag.IsEmpty() && !names) return;
        Names().tag = tag;
    }
    /**@}*/

  private:
    RowNames& Names() {
        if (!names) names = std::make_unique<RowNames>();
        return *names;
    }
    std::unique_ptr<RowNames> names;
};

/// Bits of CellRecord::flags.
inline constexpr std::uint8_t kCellTypeMask = 0x07;       ///< ECellTypes, values 0..3
inline constexpr std::uint8_t kCellTypeFlagsMask = 0x38;  ///< ECellTypeFlags, values 8 and 16
/**@{*/
/// Further bits of CellRecord::flags: the cell is selected; it waits to be repainted.
inline constexpr std::uint8_t kCellSelected = 64;
inline constexpr std::uint8_t kCellNeedsRepaint = 128;
/**@}*/

/// A cell. Defaults are those of a fresh column default cell. The right indent sits before
/// the value (not after it, as the public member list orders them) so the record packs
/// without a padding hole; no code depends on field order.
struct VEXA_API CellRecord {
    /**@{*/
    /// The cell's attributes behind the cell members of the same names (CellBackColor,
    /// CellTextFlags, CellIcon, CellIndent, CellHatch, CellValue...). Fonts, combo lists and
    /// format strings are stored as indices into the grid's tables; flags holds the cell type,
    /// the type flags and the bits kCellSelected and kCellNeedsRepaint.
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
    /**@}*/

    /**@{*/
    /// The parts of flags: the cell type, the type flags, the selection and the repaint mark.
    std::int32_t CellType() const { return flags & kCellTypeMask; }
    std::int32_t TypeFlags() const { return flags & kCellTypeFlagsMask; }
    bool Selected() const { return (flags & kCellSelected) != 0; }
    bool NeedsRepaint() const { return (flags & kCellNeedsRepaint) != 0; }
    /**@}*/
    /// Sets or clears one bit of flags.
    void SetFlag(std::uint8_t bit, bool on) {
        flags = on ? std::uint8_t(flags | bit) : std::uint8_t(flags & ~bit);
    }
};

}  // namespace vexa

VEXA_PUBLIC_END
