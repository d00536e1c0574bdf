/// \file
/// The grid control a host program places on one of its windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "vexa/combo/CombosObject.h"
#include "vexa/events/VexaEvents.h"
#include "vexa/header/HeaderObject.h"
#include "vexa/model/CellObject.h"
#include "vexa/model/Enums.h"
#include "vexa/render/ScrollBarObject.h"
#include "vexa/sort/ShellSortObject.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/Picture.h"
#include "vexa/system/automation/PropertyBag.h"
#include "vexa/system/automation/Variant.h"
#include "vexa/system/window/WindowTypes.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

struct GridParts;
struct CellRecord;
struct EditRequestArgs;
class DropDownList;
struct ColumnRecord;
struct LayoutDecision;
struct CellSpot;
struct CellControl;
enum class PressStep : std::uint8_t;
struct KeyCommand;
enum class KeyAction : std::uint8_t;

/// The key parameter of the positional AddCol and AddRow. It converts from any one string-like
/// value and from nothing else, so that a braced list of named parameters
/// (grid.AddCol({.sKey = "id"})) selects the overload taking the parameter struct.
struct VEXA_API KeyArg {
    KeyArg() = default;
    /// Any one string-like key.
    template <class T>
    requires std::is_convertible_v<T, std::string> KeyArg(T&& key) : value(std::forward<T>(key)) {}
    /// The key; empty for none.
    std::string value;
};

/// The parameters of Vexa::AddCol, for hosts that name them:
/// grid.AddCol({.sKey = "id", .lWidth = 80}).
struct VEXA_API AddColArgs {
    /**@{*/
    /// The arguments of the positional AddCol, with the same names and defaults.
    std::string sKey{};
    std::string sHeader{};
    std::int32_t eHdrTextFlags = vxTextSingleLine | vxTextEndEllipsis;
    std::int16_t iIconIndex = -1;
    std::int32_t lWidth = -1;
    bool bVisible = true;
    std::optional<Variant> vColBefore{};  ///< none: append
    bool bIncludeInSelect = true;
    bool bRowTextCol = false;
    std::int32_t eSortType = vxSortByValue;
    std::int16_t lMinWidth = -1;
    std::int16_t lMaxWidth = -1;
    bool bAllowSizing = true;
    Variant vTag{};
    /**@}*/
};

/// The parameters of Vexa::AddRow: grid.AddRow({.sKey = "r1", .vRowBefore = 1}).
struct VEXA_API AddRowArgs {
    /**@{*/
    /// The arguments of the positional AddRow, with the same names and defaults.
    std::string sKey{};
    std::optional<Variant> vRowBefore{};  ///< none: append
    bool bVisible = true;
    std::int32_t lHeight = -1;
    bool bGroupRow = false;
    std::int32_t lGroupColStartIndex = 0;
    Variant vTag{};
    /**@}*/
};

/// What the container a grid is placed in tells it about itself when the grid is made.
struct VEXA_API AmbientProperties {
    /// False in a form designer: the grid then takes no keys or mouse input, has no scroll
    /// bars, and its header shows one placeholder item instead of the columns.
    bool userMode = true;
    /// The font a new grid takes as its Font; none: the standard font.
    std::shared_ptr<vexa::Font> font{};
};

/// The grid control: columns and rows of cells with values and attributes, a column header,
/// sorting, selection, editing, scrolling and virtual rows. Columns and rows are addressed by
/// 1-based index or by key (a Variant holding either); failures raise vexa::Error with the
/// grid's error numbers (GridErrors.h). Events go to the sinks connected with Advise.
class VEXA_API Vexa {
  public:
    /// A grid on a shown top-level window of its own, on the default display.
    Vexa();
    /// A grid on the host's window `parent`, at `rect` of its client area, live with the
    /// default value of every property (see InitProperties).
    Vexa(sys::HWND parent, const sys::RECT& rect, const AmbientProperties& ambient = {});
    /// Goes down in the reverse order of its making, leaving no window, timer or subscription.
    ~Vexa();
    Vexa(const Vexa&) = delete;
    Vexa& operator=(const Vexa&) = delete;

    // ---- Grid store: columns, rows, keys, row memory ----

    /// Adds a column at the end, or before vColBefore; returns its default cell.
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
    /// The same with named parameters.
    std::shared_ptr<CellObject> AddCol(const AddColArgs& args);
    /// Removes a column and its cells.
    void RemoveCol(const Variant& vCol);
    /// How many columns there are.
    std::int32_t ColCount() const;
    /// The index of the column with that key.
    std::int32_t ColIndex(const std::string& sKey) const;
    /**@{*/
    /// A column's key; empty for none.
    std::string ColKey(std::int32_t lCol) const;
    void SetColKey(std::int32_t lCol, const std::string& sKey);
    /**@}*/
    /// The display position of a column (1..ColCount).
    std::int32_t ColOrder(const Variant& vCol) const;

    /// Adds a row at the end, or before vRowBefore.
    void AddRow(const KeyArg& sKey = {}, const std::optional<Variant>& vRowBefore = std::nullopt,
                bool bVisible = true, std::int32_t lHeight = -1, bool bGroupRow = false,
                std::int32_t lGroupColStartIndex = 0, const Variant& vTag = Variant());
    /// The same with named parameters.
    void AddRow(const AddRowArgs& args);
    /// Removes a row and its cells.
    void RemoveRow(const Variant& vRow);
    /**@{*/
    /// How many rows there are; setting it adds rows at the end or removes the last ones.
    std::int32_t RowCount() const;
    void SetRowCount(std::int32_t lRowCount);
    /**@}*/
    /// The index of the row with that key.
    std::int32_t RowIndex(const std::string& sKey) const;
    /**@{*/
    /// A row's key; empty for none.
    std::string RowKey(std::int32_t lRow) const;
    void SetRowKey(std::int32_t lRow, const std::string& sKey);
    /**@}*/
    /// Removes every row, and with bRemoveCols every column too.
    void Clear(bool bRemoveCols = false);

    /**@{*/
    /// Row memory: how many spare rows the grid reserves when it has to grow, and how many rows it
    /// holds room for now.
    std::int32_t MemMngWantFreeRows() const;
    void SetMemMngWantFreeRows(std::int32_t lRows);
    std::int32_t MemMngAllocatedRows() const;
    void SetMemMngAllocatedRows(std::int32_t lRows);
    /**@}*/

    // ---- Cell values and attributes ----

    /**@{*/
    /// Every cell member takes the row, then the column, each an index or a key.
    Variant CellValue(const Variant& vRow, const Variant& vCol);
    void SetCellValue(const Variant& vRow, const Variant& vCol, const Variant& value);
    /**@}*/
    /// The cell's value as it is shown: formatted with its format string, or a combo cell's item
    /// text.
    std::string CellText(const Variant& vRow, const Variant& vCol);
    /**@{*/
    /// The cell's text flags (ETextFormatFlags, ETextEditFlags).
    std::int32_t CellTextFlags(const Variant& vRow, const Variant& vCol);
    void SetCellTextFlags(const Variant& vRow, const Variant& vCol, std::int32_t flags);
    /**@}*/
    /**@{*/
    /// The space in pixels before and after the cell's text.
    std::int16_t CellIndent(const Variant& vRow, const Variant& vCol);
    void SetCellIndent(const Variant& vRow, const Variant& vCol, std::int16_t indent);
    std::int16_t CellRightIndent(const Variant& vRow, const Variant& vCol);
    void SetCellRightIndent(const Variant& vRow, const Variant& vCol, std::int16_t indent);
    /**@}*/
    /**@{*/
    /// The cell type (ECellTypes) and its type flags (ECellTypeFlags).
    std::int32_t CellType(const Variant& vRow, const Variant& vCol);
    void SetCellType(const Variant& vRow, const Variant& vCol, std::int32_t type);
    std::int32_t CellTypeFlags(const Variant& vRow, const Variant& vCol);
    void SetCellTypeFlags(const Variant& vRow, const Variant& vCol, std::int32_t flags);
    /**@}*/
    /**@{*/
    /// The key of the combo list a combo cell takes its items from.
    std::string CellCtrlKey(const Variant& vRow, const Variant& vCol);
    void SetCellCtrlKey(const Variant& vRow, const Variant& vCol, const std::string& key);
    /**@}*/
    /**@{*/
    /// The cell's icon and extra icon, indices into the image list; -1 for none.
    std::int16_t CellIcon(const Variant& vRow, const Variant& vCol);
    void SetCellIcon(const Variant& vRow, const Variant& vCol, std::int16_t icon);
    std::int16_t CellExtraIcon(const Variant& vRow, const Variant& vCol);
    void SetCellExtraIcon(const Variant& vRow, const Variant& vCol, std::int16_t icon);
    /**@}*/
    /**@{*/
    /// The cell's background and text colours; kDefaultColor: the grid's.
    OLE_COLOR CellBackColor(const Variant& vRow, const Variant& vCol);
    void SetCellBackColor(const Variant& vRow, const Variant& vCol, OLE_COLOR color);
    OLE_COLOR CellForeColor(const Variant& vRow, const Variant& vCol);
    void SetCellForeColor(const Variant& vRow, const Variant& vCol, OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// Give the cell the grid's background or text colour again.
    void CellDefaultBackColor(std::int32_t vRow, const Variant& vCol);
    void CellDefaultForeColor(const Variant& vRow, const Variant& vCol);
    /**@}*/
    /**@{*/
    /// The hatch drawn over the cell's background (EHatchStyles).
    std::int32_t CellHatch(const Variant& vRow, const Variant& vCol);
    void SetCellHatch(const Variant& vRow, const Variant& vCol, std::int32_t hatch);
    /**@}*/
    /**@{*/
    /// The format string the cell's value is shown with (as Format takes it); empty: plain text.
    std::string CellFmtString(const Variant& vRow, const Variant& vCol);
    void SetCellFmtString(const Variant& vRow, const Variant& vCol, const std::string& format);
    /**@}*/
    /**@{*/
    /// The grid's live cell font, holding a copy of the cell's font; changing it afterwards
    /// changes the font of the cell addressed last by any cell member.
    std::shared_ptr<vexa::Font> CellFont(const Variant& vRow, const Variant& vCol);
    void SetCellFont(const Variant& vRow, const Variant& vCol,
                     const std::shared_ptr<vexa::Font>& font);
    /**@}*/
    /// Gives the cell the grid's font again.
    void CellDefaultFont(const Variant& vRow, const Variant& vCol);
    /// The value a new cell of that type starts with.
    Variant InitValue(std::int32_t eCellType) const;
    /// The column's default cell, whose attributes new cells of the column start with.
    std::shared_ptr<CellObject> ColDefaultCell(const Variant& vCol) const;

    // ---- Column and row attributes ----

    /**@{*/
    /// The column's width in pixels, kept within its minimum and maximum width.
    std::int32_t ColWidth(const Variant& vCol) const;
    void SetColWidth(const Variant& vCol, std::int32_t width);
    /**@}*/
    /**@{*/
    /// The limits of the column's width; -1: no limit.
    std::int32_t ColMinWidth(const Variant& vCol) const;
    void SetColMinWidth(const Variant& vCol, std::int32_t width);
    std::int32_t ColMaxWidth(const Variant& vCol) const;
    void SetColMaxWidth(const Variant& vCol, std::int32_t width);
    /**@}*/
    /**@{*/
    /// Whether the user may change the column's width by its divider.
    bool ColAllowSizing(const Variant& vCol) const;
    void SetColAllowSizing(const Variant& vCol, bool allow);
    /**@}*/
    /**@{*/
    /// Whether the column is shown.
    bool ColVisible(const Variant& vCol) const;
    void SetColVisible(const Variant& vCol, bool visible);
    /**@}*/
    /// Moves the column to display position `order` (1..ColCount); its index stays.
    void SetColOrder(const Variant& vCol, std::int32_t order);
    /**@{*/
    /// A value the host keeps with the column.
    Variant ColTag(const Variant& vCol) const;
    void SetColTag(const Variant& vCol, const Variant& tag);
    /**@}*/
    /**@{*/
    /// The column's title, its icon (an index into the header's image list; -1 for none) and its
    /// text flags (ETextFormatFlags).
    std::string ColHeaderText(const Variant& vCol) const;
    void SetColHeaderText(const Variant& vCol, const std::string& text);
    std::int16_t ColHeaderIcon(const Variant& vCol) const;
    void SetColHeaderIcon(const Variant& vCol, std::int16_t icon);
    std::int32_t ColHeaderTextFlags(const Variant& vCol) const;
    void SetColHeaderTextFlags(const Variant& vCol, std::int32_t flags);
    /**@}*/
    /**@{*/
    /// The colours of the column's title; kDefaultColor: the header's.
    OLE_COLOR ColHeaderBackColor(const Variant& vCol) const;
    void SetColHeaderBackColor(const Variant& vCol, OLE_COLOR color);
    OLE_COLOR ColHeaderForeColor(const Variant& vCol) const;
    void SetColHeaderForeColor(const Variant& vCol, OLE_COLOR color);
    /**@}*/

    /**@{*/
    /// The row's height in pixels.
    std::int32_t RowHeight(const Variant& vRow);
    void SetRowHeight(const Variant& vRow, std::int32_t height);
    /**@}*/
    /**@{*/
    /// Whether the row is shown.
    bool RowVisible(const Variant& vRow);
    void SetRowVisible(const Variant& vRow, bool visible);
    /**@}*/
    /**@{*/
    /// Whether the row is a group row, drawn as one cell from RowGroupStartCol on.
    bool RowIsGroup(const Variant& vRow);
    void SetRowIsGroup(const Variant& vRow, bool group);
    /**@}*/
    /**@{*/
    /// The column a group row's text starts in.
    std::int32_t RowGroupStartCol(const Variant& vRow);
    void SetRowGroupStartCol(const Variant& vRow, std::int32_t col);
    /**@}*/
    /**@{*/
    /// A value the host keeps with the row.
    Variant RowTag(const Variant& vRow);
    void SetRowTag(const Variant& vRow, const Variant& tag);
    /**@}*/

    /**@{*/
    /// The height new rows get.
    std::int32_t DefaultRowHeight() const;
    void SetDefaultRowHeight(std::int32_t height);
    /**@}*/
    /**@{*/
    /// The column where row text starts: the text shown below a row's cells, taken from the
    /// column added with bRowTextCol.
    std::int32_t RowTextStartCol() const;
    void SetRowTextStartCol(std::int32_t col);
    /**@}*/

    // ---- Virtual mode and recordset fill ----

    /**@{*/
    /// In virtual mode the grid asks its host for rows (RequestRow, RequestRowData) as
    /// painting or the keyboard reaches past the last row.
    bool Virtual() const;
    void SetVirtual(bool value);
    /**@}*/
    /// Fills the grid from a recordset object reached by member name (Nothing raises 514):
    /// columns from its fields when the grid has none, else the columns whose keys name fields.
    void FillFromRS(const Variant& rs);

    // ---- Sorting ----

    /// The sort criteria; they persist between sorts.
    ShellSortObject& SortObject();
    /// Sorts by the criteria as they stand (no argument), or ascending by one column or an
    /// array of columns (indices or keys) with each column's ColSortType.
    void Sort(const std::optional<Variant>& vCols = std::nullopt);

    // ---- Geometry: the visible range, hit testing, cell rectangles, scrolling into view ----

    /// The visible rows (indices; lEndRow -1 when none) and columns (indices), with the client
    /// x of the first column's left and the last one's right edge, and the cells-area y of the
    /// first row's top and the last row's bottom.
    void GetStartEndCell(std::int32_t& lStartRow, std::int32_t& lStartCol, std::int32_t& lStartX,
                         std::int32_t& lStartY, std::int32_t& lEndRow, std::int32_t& lEndCol,
                         std::int32_t& lEndX, std::int32_t& lEndY);
    /// The cell under a client point; 0 where nothing is hit.
    void CellFromPoint(std::int32_t xPixels, std::int32_t yPixels, std::int32_t& lRow,
                       std::int32_t& lCol);
    /// The cell's rectangle in client coordinates, scrolled into view or not.
    void CellBoundary(const Variant& vRow, const Variant& vCol, std::int32_t& lLeft,
                      std::int32_t& lTop, std::int32_t& lWidth, std::int32_t& lHeight);
    /// Scrolls the column into view as eMode asks, keeping lGap pixels to the edge.
    void EnsureVisibleCol(const Variant& vCol, EEnsureVisibleColMode eMode = vxEnsVisColAuto,
                          std::int32_t lGap = 8);
    /// Scrolls the row into view as eMode asks, keeping lGap pixels to the edge.
    void EnsureVisibleRow(const Variant& vRow, EEnsureVisibleRowMode eMode = vxEnsVisRowAuto,
                          std::int32_t lGap = 8);
    /// Scrolls the cell into view.
    void EnsureVisibleCell(const Variant& vRow, const Variant& vCol);

    // ---- Painting ----

    /// Repaints what changed.
    void Draw();
    /// Repaints one cell.
    void DrawCell(const Variant& vRow, const Variant& vCol);
    /**@{*/
    /// While off nothing is painted; switching it on repaints everything.
    bool Redraw() const;
    void SetRedraw(bool redraw);
    /**@}*/

    // ---- Visual styles ----

    /**@{*/
    /// Whether the grid and its header draw with the visual styles of the theme.
    bool UseXPStyles() const;
    void SetUseXPStyles(bool use);
    /**@}*/
    /// Whether the platform offers a feature; 514 for an unknown one.
    bool Supports(ESupportFeatures eSupFeat) const;

    // ---- Appearance ----

    /**@{*/
    /// The grid's background and text colours.
    OLE_COLOR BackColor() const;
    void SetBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const;
    void SetForeColor(OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// The backgrounds of odd and even rows (counting visible rows).
    /// -1: every row on BackColor.
    OLE_COLOR BackColorOddRows() const;
    void SetBackColorOddRows(OLE_COLOR color);
    OLE_COLOR BackColorEvenRows() const;
    void SetBackColorEvenRows(OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// The colours of selected cells while the grid has the focus.
    OLE_COLOR HighlightBackColor() const;
    void SetHighlightBackColor(OLE_COLOR color);
    OLE_COLOR HighlightForeColor() const;
    void SetHighlightForeColor(OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// The colours of selected cells while the grid does not have the focus.
    OLE_COLOR HighlightBackColorNoFocus() const;
    void SetHighlightBackColorNoFocus(OLE_COLOR color);
    OLE_COLOR HighlightForeColorNoFocus() const;
    void SetHighlightForeColorNoFocus(OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// Which grid lines are drawn, whether they go on past the last column and row, and their
    /// colour.
    EGridLines GridLines() const;
    void SetGridLines(EGridLines lines);
    EGridLinesExtendModes GridLinesExtend() const;
    void SetGridLinesExtend(EGridLinesExtendModes mode);
    OLE_COLOR GridLineColor() const;
    void SetGridLineColor(OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// Whether selected cells are drawn in the highlight colours, and whether their icons are
    /// blended with the highlight.
    bool HighlightSelCells() const;
    void SetHighlightSelCells(bool value);
    bool HighlightSelIcons() const;
    void SetHighlightSelIcons(bool value);
    /**@}*/
    /**@{*/
    /// Whether the text of a hatched cell with a background colour of its own is drawn on that
    /// colour, over the hatch, so that it stays readable.
    bool OpaqueTextInHatchedCells() const;
    void SetOpaqueTextInHatchedCells(bool value);
    /**@}*/
    /**@{*/
    /// Whether every combo cell of an editable grid shows its button, not only the current one.
    bool ShowControlsInAllCells() const;
    void SetShowControlsInAllCells(bool value);
    /**@}*/
    /**@{*/
    /// Whether rows show their row text below their cells.
    bool DrawRowText() const;
    void SetDrawRowText(bool value);
    /**@}*/
    /**@{*/
    /// Whether the current cell shows a focus rectangle, and its two colours.
    bool FocusRect() const;
    void SetFocusRect(bool value);
    OLE_COLOR FocusRectColor1() const;
    void SetFocusRectColor1(OLE_COLOR color);
    OLE_COLOR FocusRectColor2() const;
    void SetFocusRectColor2(OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// Whether icons are drawn greyed while the grid is disabled.
    bool DisableIcons() const;
    void SetDisableIcons(bool value);
    /**@}*/
    /**@{*/
    /// Whether the grid takes keyboard and mouse input.
    bool Enabled() const;
    void SetEnabled(bool enabled);
    /**@}*/
    /**@{*/
    /// Flat or three-dimensional look, and the border.
    EAppearanceConstants Appearance() const;
    void SetAppearance(EAppearanceConstants appearance);
    EBorderStyles BorderStyle() const;
    void SetBorderStyle(EBorderStyles style);
    /**@}*/
    /// The grid font; changes made through the object returned apply to the grid.
    std::shared_ptr<vexa::Font> Font() const;
    /// The grid keeps a copy: later changes to `font` do not reach it.
    void SetFont(const std::shared_ptr<vexa::Font>& font);
    /// An image-list object (its hImageList is read) or an image-list handle as a Long; 0
    /// keeps the current list; any other argument raises 518.
    void SetImageList(const Variant& imageList);
    /**@{*/
    /// A picture tiled behind the cells; null for none.
    std::shared_ptr<Picture> BackgroundPicture() const;
    void SetBackgroundPicture(const std::shared_ptr<Picture>& picture);
    /**@}*/
    /**@{*/
    /// Whether a column follows its divider while it is dragged; off, a marker shows where the
    /// divider goes and the width changes when the drag ends.
    bool ImmediateColumnResizing() const;
    void SetImmediateColumnResizing(bool value);
    /**@}*/
    /// The control's window.
    sys::HWND hwnd() const;

    // ---- Scroll bars ----

    /**@{*/
    /// The grid's bars as the host sees them; they stay usable (reading 0) after the grid
    /// is gone.
    std::shared_ptr<ScrollBarObject> HScrollBar() const;
    std::shared_ptr<ScrollBarObject> VScrollBar() const;
    /**@}*/
    /**@{*/
    /// The look of the scroll bars (EScrollBarStyles).
    /// Any value is taken; the platform ignores styles it does not know.
    EScrollBarStyles ScrollBarStyle() const;
    void SetScrollBarStyle(EScrollBarStyles style);
    /**@}*/

    // ---- Measurement and auto-sizing ----

    /// The width of the cell's display text; with bForceNoModify the whole text, whatever
    /// ellipsis its flags ask for.
    std::int32_t EvaluateTextWidth(const Variant& vRow, const Variant& vCol,
                                   bool bForceNoModify = true);
    /// The height of the cell's display text laid out in the cell's text width.
    std::int32_t EvaluateTextHeight(const Variant& vRow, const Variant& vCol);
    /// Where the cell's text is drawn, client coordinates.
    void CellTextBoundary(const Variant& vRow, const Variant& vCol, std::int32_t& lLeft,
                          std::int32_t& lTop, std::int32_t& lWidth, std::int32_t& lHeight);
    /// Fits the column's width to its content (and its header text with
    /// AutoWidthColWithHeader), within its limits.
    void AutoWidthCol(const Variant& vCol);
    /// Fits the row's height to its content, at least lMinimumHeight (-1: DefaultRowHeight).
    void AutoHeightRow(const Variant& vRow, std::int32_t lMinimumHeight = -1);
    /**@{*/
    /// Whether AutoWidthCol fits the header text as well.
    bool AutoWidthColWithHeader() const;
    void SetAutoWidthColWithHeader(bool value);
    /**@}*/
    /**@{*/
    /// The height of the row's cells above its row text.
    std::int32_t RowNormalCellHeight(const Variant& vRow);
    void SetRowNormalCellHeight(const Variant& vRow, std::int32_t height);
    /**@}*/

    // ---- Current cell, selection, keyboard and key search ----

    /**@{*/
    /// The current row and column index; 0 when there is no current cell. Setting one moves
    /// the current cell (0 leaves none), replacing the selection, and raises CurCellChange.
    std::int32_t CurRow() const;
    void SetCurRow(std::int32_t lRow);
    std::int32_t CurCol() const;
    void SetCurCol(std::int32_t lCol);
    /**@}*/
    /// Moves the current cell to a row and column, each an index (0 for none) or a key, and
    /// makes it the selection anchor; the current cell itself is only brought into view.
    void SetCurCell(const Variant& vRow, const Variant& vCol);
    /// Whether the cell is selected.
    bool CellSelected(const Variant& vRow, const Variant& vCol);
    /// With MultiSelect the cell (its row in RowMode) gets the state; without, selecting a
    /// cell makes it current and deselecting does nothing.
    void SetCellSelected(const Variant& vRow, const Variant& vCol, bool bSelected);
    /**@{*/
    /// Whether more than one cell (or row) can be selected.
    bool MultiSelect() const;
    void SetMultiSelect(bool bMultiSelect);
    /**@}*/
    /**@{*/
    /// Whether the selection takes whole rows.
    bool RowMode() const;
    void SetRowMode(bool bRowMode);
    /**@}*/
    /// Deselects and leaves the grid without a current cell.
    void ClearSelection();

    /**@{*/
    /// What a typed character does: edit the current cell or search a column.
    EKeyPressBehaviour KeyPressBehaviour() const;
    void SetKeyPressBehaviour(EKeyPressBehaviour eBehaviour);
    /**@}*/
    /**@{*/
    /// The column index searched with vxKeyPressSearchDefCol; 0 for none.
    std::int32_t KeySearchCol() const;
    void SetKeySearchCol(std::int32_t lCol);
    /**@}*/
    /**@{*/
    /// Whether the key search starts at the current row rather than the first.
    bool KeySearchFromCurRow() const;
    void SetKeySearchFromCurRow(bool bFromCurRow);
    /**@}*/
    /**@{*/
    /// Whether the key search goes on from the first row after the last.
    bool KeySearchLoop() const;
    void SetKeySearchLoop(bool bLoop);
    /**@}*/
    /// The first row from lStartRow (1 when outside the rows) whose text in the column begins
    /// with sSearchString whatever the case; 0 when none.
    std::int32_t FindSearchMatchRow(const Variant& vSearchCol, const std::string& sSearchString,
                                    std::int32_t lStartRow = -1, bool bVisibleRowsOnly = true,
                                    bool bLoop = false);

    // ---- Header, default sort and layout strings ----

    /// The column header's settings. A host may keep the object; once the grid is gone it
    /// answers with neutral values and ignores changes.
    std::shared_ptr<HeaderObject> Header() const;
    /// Sorts as a click on the column's header does: by that column alone when iShift is 0
    /// (toggling between ascending and descending when it already is the first criterion,
    /// ascending), else adding it as a further criterion or toggling its order within the
    /// sort (iShift: bit 0 Shift, bit 1 Ctrl, bit 2 Alt). eSortOrder vxSortAsc or vxSortDesc
    /// names the order instead of toggling (-1).
    void DoDefaultSort(const Variant& vCol, std::int16_t iShift = 0, std::int32_t eSortOrder = -1);
    /**@{*/
    /// The sort settings a column takes into the next default sort, Sort or LayoutSort. Setting
    /// them neither sorts nor repaints.
    ESortTypes ColSortType(const Variant& vCol) const;
    void SetColSortType(const Variant& vCol, ESortTypes eSortType);
    ESortOrders ColSortOrder(const Variant& vCol) const;
    void SetColSortOrder(const Variant& vCol, ESortOrders eSortOrder);
    /**@}*/
    /**@{*/
    /// 0: the column is not sorted; k: it is the k-th criterion.
    std::int32_t ColSortKey(const Variant& vCol) const;
    void SetColSortKey(const Variant& vCol, std::int32_t lSortKey);
    /**@}*/
    /**@{*/
    /// Every column's width, display position and visibility, as a string to keep and assign
    /// back later. A string that cannot be applied whole raises 514 (513 for a column index
    /// below 1) and changes nothing.
    std::string LayoutCol() const;
    void SetLayoutCol(const std::string& sLayout);
    /**@}*/
    /**@{*/
    /// The sort keys and orders of the sorted columns, as a string to keep and assign back
    /// later; assigning sorts the rows by it. Parts naming no column are passed over.
    std::string LayoutSort() const;
    void SetLayoutSort(const std::string& sLayout);
    /**@}*/

    // ---- Combo lists and editing ----

    /// The named combo lists that combo cells take their values from.
    CombosObject& Combos();
    /// Tries to start editing the current cell: a text cell opens its text editor, a combo
    /// cell its list, a check cell toggles, a custom-draw cell enters the editing state for the
    /// host's own editor. iKeyAscii is the key that asks (0: none, 13: Enter, else typed).
    void RequestEdit(std::int16_t iKeyAscii = 0);
    /// Commits the text edit in progress; other edits are left as they are.
    void CommitEdit();
    /// Raises QuitCustomEdit, then cancels the edit in progress.
    void CancelEdit();
    /**@{*/
    /// Whether cells can be edited.
    bool Editable() const;
    void SetEditable(bool editable);
    /**@}*/
    /**@{*/
    /// On: a typed value that does not convert shows no message box.
    bool SilentValidation() const;
    void SetSilentValidation(bool silent);
    /**@}*/
    /**@{*/
    /// The text editor's text and selection while a text cell is edited (positions count
    /// characters); empty and 0 otherwise, when setting them does nothing.
    std::string TextEditText() const;
    void SetTextEditText(const std::string& text);
    std::int32_t TextEditSelStart() const;
    void SetTextEditSelStart(std::int32_t start);
    std::int32_t TextEditSelLength() const;
    void SetTextEditSelLength(std::int32_t length);
    std::string TextEditSelText() const;
    void SetTextEditSelText(const std::string& text);
    /**@}*/
    /// The text editor's window while a text cell is edited, else 0.
    sys::HWND TextEditHwnd() const;
    /**@{*/
    /// On: a right click in the text editor raises TextEditCustomContextMenu instead of showing
    /// the editor's menu.
    bool TextEditCustomContextMenu() const;
    void SetTextEditCustomContextMenu(bool custom);
    /**@}*/

    // ---- Mouse and drag and drop ----

    /**@{*/
    /// Whether the grid is a drop target: vxOLEDropNone (0), or vxOLEDropManual (1), when the
    /// host hears of drags over the grid through OLEDragOver and OLEDragDrop and decides what a
    /// drop does. Other values raise 380 and change nothing.
    std::int16_t OLEDropMode() const;
    void SetOLEDropMode(std::int16_t iMode);
    /**@}*/
    /// Drags data out of the grid: OLEStartDrag asks the host for the data and the effects it
    /// allows, and OLECompleteDrag tells it the outcome. Typically called from StartCellDrag;
    /// returns when the drag is over.
    void OLEDrag();

    // ---- Lifecycle and property persistence ----

    // The design-time property set: 41 properties (Appearance, BackColor, Font, GridLines,
    // MultiSelect, UseXPStyles, Virtual...; not the columns, rows, cells, header settings or
    // combo lists, which hosts keep with LayoutCol and LayoutSort). Loading applies each
    // value through its public setter with painting off and repaints once at the end.

    /// Gives every persisted property its default again, as a newly placed grid has them; Font
    /// becomes the container's font.
    void InitProperties();
    /// Loads a stored set. A property the bag has no value for takes its default; one whose
    /// value does not convert to the property's type, or that its setter refuses, keeps the
    /// value it had (the log hook hears of it). Raises 514 inside an event raised while the
    /// grid walks its tables or while properties are being loaded.
    void ReadProperties(PropertyBag& bag);
    /// Saves the set; a value equal to its default is not stored, so it reads back as the
    /// default.
    void WriteProperties(PropertyBag& bag);
    /// Whether a persisted property changed since the set was last initialised, loaded or
    /// saved: whether a container has something to save.
    bool IsDirty() const;
    /// The container's user mode given at creation: false in a form designer.
    bool UserMode() const;
    /// A message box naming the control and its version.
    void ShowAboutBox();

    // ---- Events ----

    /// Connects a sink; any number may be connected, each once. Null is ignored.
    void Advise(VexaEvents* sink);
    /// Disconnects a sink; safe from inside one of its handlers.
    void Unadvise(VexaEvents* sink);

  private:
    friend struct GridParts;
    friend class ControlWindow;
    friend class GridSubclass;
    friend class HeaderHostAdapter;
    friend class PainterHostAdapter;
    friend class ScrollBarsHostAdapter;
    friend class KeyboardHostAdapter;
    friend class VexaSortCallbacks;

    std::unique_ptr<GridParts> parts_;

    // ---- Sequences shared by several members (host/Vexa<Area>.cpp) ----

    // The fixed tail of every structural call: painter reset, Draw, then the current cell.
    void FinishStructuralChange(bool reestablishCurrentCell);
    // Resolves the cell arguments (513 before anything changes) and returns the cell.
    CellRecord& ResolvedCell(const Variant& vRow, const Variant& vCol);
    // The same for reading: the cell is not written to, so a row sharing its cells with
    // other rows keeps sharing them.
    const CellRecord& ReadCell(const Variant& vRow, const Variant& vCol);
    // The common end of every cell Let: the cell is marked for repaint and drawn.
    void CellChanged(CellRecord& cell);
    // Draw after a change confined to `row`, skipped when that cannot change a pixel.
    void DrawChangedRow(std::int32_t row);
    // Nothing waits to be painted, so a change out of view needs no painting pass.
    bool PaintingIdle();
    bool RowOutOfView(std::int32_t row);
    bool RowBelowView(std::int32_t row) const;
    // Applies the layout pass unless it shows or hides a scroll bar; false then.
    bool ApplyLayoutKeepingBars();
    // The common Let of a plain cell attribute: resolve, store, mark for repaint.
    template <class Field>
    void SetCellField(const Variant& vRow, const Variant& vCol, Field CellRecord::*field,
                      Field value);
    void LiveCellFontChanged(const vexa::Font& font);
    // Combo item of a combo cell after its value, type or control key changed.
    void RecomputeComboItem(CellRecord& cell);
    ColumnRecord& ColumnAt(const Variant& vCol) const;
    void SetColumnWidth(std::int32_t position, std::int32_t width);
    void RefreshHeaderItem(std::int32_t position);
    void ContentChangeAutoHeight();
    void MarkRowForRepaint(std::int32_t row);
    // Sorts the rows by the current criteria and brings positions, keys and the current
    // cell up to date; errors inside the sort never reach the caller.
    void SortContents();
    void MarkSortedColumns();
    // Asks the host for row `row` and appends it when granted; true when it came.
    bool RequestVirtualRow(std::int32_t row);
    // Full repaint (and the area below the rows too with `below`), then Draw.
    void RepaintAll(bool below);
    // Applies the layout pass to the scroll bars.
    void ApplyLayout(const LayoutDecision& decision);
    // Scrolls to the new position of a bar.
    void ScrollTo(EScrollBar bar, std::int32_t value);
    // Sets a bar's position, which scrolls through the bars' change notification.
    void SetScrollValue(EScrollBar bar, std::int32_t value);
    bool MakeCellVisible(std::int32_t row, std::int32_t col);
    void ApplyBorder();
    void ApplyThemeState();
    void RowColorChanged(OLE_COLOR color);

    // ---- Window messages (host/VexaWindow.cpp) ----
    void OnPaint();
    void OnSize();
    void OnShown();
    void OnFocusChanged(bool gained);
    void OnThemeChanged();

    // ---- Scrolling (host/VexaScroll.cpp) ----
    void OnSettingChange(sys::WPARAM wParam);
    // The header item's own fitted width for auto-sizing (0 for a column without a title).
    std::int32_t HeaderFittedWidth(std::int32_t position) const;

    // ---- Selection and keyboard (host/VexaSelection.cpp, host/VexaKeyboard.cpp) ----

    // The move sequence: the selection becomes the new cell, which becomes current, is
    // brought into view, and CurCellChange follows the repaint.
    void MoveCurrentCell(std::int32_t row, std::int32_t col);
    // The end of every move: the cell becomes current, is brought into view (or the grid
    // repainted), then CurCellChange.
    void SettleCurrentCell(std::int32_t row, std::int32_t col);
    // Brings the current cell into view; repaints when that did not scroll.
    void ShowCurrentCell();
    // The column whose position brings a cell into view horizontally (0: none).
    std::int32_t ViewColumn(std::int32_t row, std::int32_t col) const;
    void SetCurrentCellInternal(std::int32_t row, std::int32_t col, bool raiseNow);
    void RaisePendingCurCellChange();
    void OnKeyDown(int virtualKey);
    void OnChar(char32_t character);
    void OnKeyUp(int virtualKey);
    void RunKeyCommand(const KeyCommand& command, std::int16_t shift);
    // The selection step of a move by key, then the current cell moves to `target`.
    void MoveByKey(KeyAction action, const CellSpot& target, std::int16_t shift);
    void ScrollByKey(EScrollBar bar, std::int32_t amount);
    // A character that got past KeyPress: to the key search or to editing.
    void KeyTyped(char32_t character, std::int16_t keyAscii);
    void KeySearchTyped(char32_t character);
    // Ends a pending key search and repaints where it showed.
    void EndKeySearch();

    // ---- Header (host/VexaHeader.cpp) ----

    // WM_NOTIFY and WM_DRAWITEM of the control's window: the header's are the header's.
    sys::LRESULT OnNotify(sys::WPARAM wParam, sys::LPARAM lParam);
    sys::LRESULT OnDrawItem(sys::WPARAM wParam, sys::LPARAM lParam);
    // What the header tells the grid (items are header item indices).
    void OnHeaderColumnClick(std::int32_t item, std::int32_t x, std::int32_t y);
    void OnHeaderColumnDblClick(std::int32_t item);
    void OnHeaderBeginDrag(std::int32_t item, bool& cancel);
    void OnHeaderEndDrag(std::int32_t item, std::int32_t newOrder, bool& cancel);
    void OnHeaderStartResize(std::int32_t item, std::int32_t width);
    void OnHeaderTrackResize(std::int32_t item, std::int32_t width);
    void OnHeaderResized(std::int32_t item, std::int32_t width);
    void OnHeaderDividerDblClick(std::int32_t item);
    void OnHeaderRightClick(std::int32_t x, std::int32_t y);
    void OnHeaderMouseEnter(std::int32_t item);
    void OnHeaderMouseLeave(std::int32_t item);
    void OnHeaderMouseActivate(bool& cancel);
    void OnHeaderRecreated();
    void OnHeaderHeightChanged();
    void OnHeaderVisibilityChanged();
    // The theme changed: the header takes it up (and fits its height when asked to).
    void HeaderThemeChanged();
    // Keeps the header over the columns: as wide as the content, moved with the horizontal
    // scroll position.
    void RepositionHeader();
    // The column index a header item stands for; 0 when none.
    std::int32_t ColumnOfHeaderItem(std::int32_t item) const;
    // The Shift (1), Ctrl (2) and Alt (4) keys held now.
    std::int16_t ShiftState() const;
    // Moves a column from one display position to another after the header moved its item.
    void MoveColumn(std::int32_t from, std::int32_t to);
    // Renumbers the header items as a column moving from `from` to `to` renumbers positions.
    void RenumberHeaderItems(std::int32_t from, std::int32_t to);
    // One header item per shown column, in display order.
    void InsertHeaderItems();
    // The header items made over to stand for the shown columns in display order.
    void RebuildHeaderItems();
    void HeaderColumnInserted(std::int32_t position, bool append);
    void HeaderColumnRemoved(std::int32_t position, bool hadItem);
    void HeaderRemoveAllItems();
    void HeaderAutoHeight(std::int32_t occasion);
    void RepaintHeaderNow();
    void RefreshEntireHeader();
    void HeaderInsertItem(std::int32_t headerIndex, std::int32_t position, std::int32_t width);
    void HeaderDeleteItem(std::int32_t position);
    void HeaderMoveItem(std::int32_t from, std::int32_t toOrder);
    void HeaderSetItemWidth(std::int32_t position, std::int32_t width);
    void HeaderUpdateItem(std::int32_t position);
    bool HeaderAutoHeightWants(std::int32_t flag) const;
    void HeaderFitHeight();

    // ---- Default sort and layout strings (host/VexaSortLayout.cpp) ----

    // DoDefaultSort once its column resolved to `position`.
    void DefaultSortAt(std::int32_t position, std::int16_t shift, std::int32_t order);

    // ---- Editing (host/VexaEditing.cpp, host/VexaCombos.cpp) ----
    friend class EditorHostAdapter;
    friend class CombosHostAdapter;
    friend class DropDownOwnerAdapter;

    // The keyboard's way into editing: Enter, F2 and typed characters.
    void RequestEditFromKeyboard(std::int16_t keyAscii);
    // The text commit when a text edit is in progress (a press elsewhere runs it first);
    // vxEditResProceed when the value was refused and editing goes on.
    EEditResults CommitEditForInput();
    void RunRequestEdit(std::int16_t keyAscii);
    EKeyPressBehaviour KeyPressMode() const;
    bool HasCurrentCell() const;
    void MarkCurrentCellForRepaint();
    bool RaiseRequestEdit(std::int16_t keyAscii, EditRequestArgs& args);
    void BeginTextEdit(std::int16_t keyAscii, const EditRequestArgs& args);
    sys::RECT TextEditorRect(std::int32_t row, std::int32_t col) const;
    void ToggleCheckCell();
    EEditResults RunTextCommit();
    void RunTextCancel();
    void EndTextEdit();
    void StoreEditedValue(CellRecord& cell, const Variant& value);
    void TextEditorLostFocus();
    // The focus left the grid's editor or list for a window outside the grid.
    void NoteFocusLeavingGrid();
    void OnEditorCommand(sys::WPARAM wParam, sys::LPARAM lParam);
    sys::LRESULT OnEditorColors(sys::WPARAM wParam, sys::LPARAM lParam);
    void BeginComboEdit(std::int16_t keyAscii);
    void SelectInList(DropDownList& list, std::int32_t index);
    bool IsEditedList(const DropDownList& list) const;
    void ComboSelectionEnded(DropDownList& list);
    void ComboClosedUp(DropDownList& list);
    void ComboKeyWentDown(DropDownList& list, std::int32_t keyCode);
    void ComboKeyHandled(DropDownList& list);
    void ComboCommit(DropDownList& list);
    void ComboCancel();
    void CloseComboList(DropDownList* list);
    void ComboListRemoving(std::int16_t listIndex);

    // ---- Mouse and drag and drop (host/VexaMouse.cpp, host/VexaDragDrop.cpp) ----
    friend class MouseHostAdapter;

    // The mouse messages of the cells area; points are client coordinates.
    void OnMouseDown(std::int16_t button, sys::WPARAM keys, sys::POINT at);
    void OnMouseMove(sys::WPARAM keys, sys::POINT at);
    void OnMouseUp(std::int16_t button, sys::WPARAM keys, sys::POINT at);
    void OnDoubleClick(sys::WPARAM keys, sys::POINT at);
    // The capture went to another window: a press under way is over.
    void OnMouseCaptureLost();
    // Ends a press under way and gives the capture back.
    void EndMousePress();
    // The cell's check box or combo button where it is painted now (kind None: it shows none).
    CellControl CellControlAt(const CellSpot& cell) const;
    // The selection step of a press on `cell`, then the cell becomes current.
    void RunPressStep(PressStep step, const CellSpot& cell, std::int16_t shift);
    void InvertCellOrRow(const CellSpot& cell);
    // With the left button held after a press on a cell, the selection follows the pointer.
    void FollowPointer(sys::WPARAM keys, sys::POINT at);
    void ExtendDragSelectionTo(const CellSpot& cell);
    // The cell under the point, or at the nearest edge of the cells area when it lies outside.
    CellSpot CellNearest(sys::POINT at);
    // The cells area in client coordinates.
    sys::RECT ClientCellsArea() const;
    // The pointer is held beyond an edge while a press is under way: one scroll step.
    void ScrollBeyondEdge();
    // The control's window is gone (a handler destroyed it, or its parent).
    bool WindowGone() const;

    // ---- Lifecycle and persistence (host/VexaLifecycle.cpp) ----

    // The creation steps that need the whole control: the container's answers, the combo
    // lists for the cells, messages to the window, the theme and settings subscriptions.
    void Initialize(const AmbientProperties& ambient);
    // The header window and, at run time, the scroll bars: what init- and read-properties
    // make before the properties go in.
    void CreateChildWindows();
    void ShowControlWindow();
    // Runs `steps` with painting off and the loading flag on, then repaints once.
    template <class Steps>
    void LoadProperties(Steps steps);
    // A persisted property changed: the set has something to save.
    void PropertyChanged(std::string_view name);
};

}  // namespace vexa

VEXA_PUBLIC_END
