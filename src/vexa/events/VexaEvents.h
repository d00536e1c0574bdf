/// \file
/// The control's outgoing event interface. A host derives from VexaEvents, overrides the
/// events it cares about and connects with Vexa::Advise. Events are raised synchronously;
/// parameters passed by non-const reference are in/out: the control reads them back when the
/// handler returns, and a handler that leaves them alone leaves the control's default in
/// force. The dispatch identifier of each event (part of the external interface) is its
/// number in declaration order, given in the comment before it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "vexa/model/Enums.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

// Xlib defines KeyPress as a macro; a host that includes it first must still be able to
// include this header.
#pragma push_macro("KeyPress")
#undef KeyPress

namespace vexa {

class Variant;
class DataObject;  // the data object of an OLE drag-and-drop operation

/// The events by dispatch identifier, for hosts that forward the sink to a dispatch-based
/// event mechanism: kVexaEventNames[id - 1] names the event whose identifier is id.
inline constexpr std::array<std::string_view, 55> kVexaEventNames = {
    "AfterCommitEdit",
    "BeforeCommitEdit",
    "CancelEdit",
    "CellSelectionChange",
    "ColDividerDblClick",
    "ColHeaderBeginDrag",
    "ColHeaderClick",
    "ColHeaderDblClick",
    "ColHeaderEndDrag",
    "ColHeaderMouseEnter",
    "ColHeaderMouseLeave",
    "ColWidthChanging",
    "ColWidthChanged",
    "ContentsSorted",
    "CurCellChange",
    "CustomDrawCell",
    "CustomDrawCellGetSize",
    "CustomSort",
    "DblClick",
    "HeaderRightClick",
    "KeyDown",
    "KeyPress",
    "KeyUp",
    "MouseDown",
    "MouseMove",
    "MouseUp",
    "MouseEnter",
    "MouseLeave",
    "OLEDragDrop",
    "OLEDragOver",
    "OLECompleteDrag",
    "OLEGiveFeedback",
    "OLESetData",
    "OLEStartDrag",
    "QuitCustomEdit",
    "RequestEdit",
    "RequestRow",
    "RequestRowData",
    "ScrollBarPosChanged",
    "ScrollBarVisibilityChanged",
    "ScrollBarEndScroll",
    "ScrollBarThumbTrack",
    "ScrollBarThicknessChanged",
    "StartCellDrag",
    "StartColWidthChange",
    "TextEditChange",
    "TextEditKeyDown",
    "TextEditKeyPress",
    "TextEditKeyUp",
    "TextEditDblClick",
    "TextEditMouseDown",
    "TextEditMouseMove",
    "TextEditMouseUp",
    "TextEditCustomContextMenu",
    "WindowsThemeChanged",
};

/// The dispatch identifier of an event (exact, case-sensitive name); 0 for no event.
constexpr std::int32_t VexaEventDispId(std::string_view name) {
    for (std::size_t i = 0; i < kVexaEventNames.size(); ++i) {
        if (kVexaEventNames[i] == name) return static_cast<std::int32_t>(i + 1);
    }
    return 0;
}

/// The name of the event with that dispatch identifier; empty for no event.
constexpr std::string_view VexaEventName(std::int32_t dispId) {
    return dispId >= 1 && dispId <= static_cast<std::int32_t>(kVexaEventNames.size())
               ? kVexaEventNames[std::size_t(dispId - 1)]
               : std::string_view();
}

/// The events a grid raises. A host overrides the ones it wants and connects the sink with
/// Vexa::Advise; every event does nothing by default. Arguments passed by reference are
/// in/out.
class VEXA_API VexaEvents {
  public:
    /// Disconnect a sink (Vexa::Unadvise) before it goes.
    virtual ~VexaEvents() = default;

    /// After an edit's new value was stored in the cell. Dispatch identifier 1.
    virtual void AfterCommitEdit(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// Before an edit's value is stored: eResult may drop the edit (vxEditResCancel) or keep the
    /// editor open (vxEditResProceed); vNewValue is the value to store, lConvErr the error
    /// converting sNewText gave (0 for none). Dispatch identifier 2.
    virtual void BeforeCommitEdit(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                  EEditResults& /*eResult*/, const std::string& /*sNewText*/,
                                  Variant& /*vNewValue*/, std::int32_t /*lConvErr*/) {}
    /// An edit was cancelled. Dispatch identifier 3.
    virtual void CancelEdit(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// A cell was selected or deselected. Dispatch identifier 4.
    virtual void CellSelectionChange(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                     bool /*bSelected*/) {}
    /// A double click on the divider after a column's header; clearing bDoDefault keeps the column
    /// from fitting its width to its content. Dispatch identifier 5.
    virtual void ColDividerDblClick(std::int32_t /*lCol*/, bool& /*bDoDefault*/) {}
    /// A column's header starts being dragged; bCancel stops the drag. Dispatch identifier 6.
    virtual void ColHeaderBeginDrag(std::int32_t /*lCol*/, bool& /*bCancel*/) {}
    /// A click on a column's header; clearing bDoDefault keeps the grid from sorting by it.
    /// Dispatch identifier 7.
    virtual void ColHeaderClick(std::int32_t /*lCol*/, bool& /*bDoDefault*/, std::int16_t /*Shift*/,
                                std::int32_t /*x*/, std::int32_t /*y*/) {}
    /// A double click on a column's header. Dispatch identifier 8.
    virtual void ColHeaderDblClick(std::int32_t /*lCol*/) {}
    /// A dragged header is dropped before column lColBefore; bCancel keeps the column where it was.
    /// Dispatch identifier 9.
    virtual void ColHeaderEndDrag(std::int32_t /*lCol*/, std::int32_t /*lColBefore*/,
                                  bool& /*bCancel*/) {}
    /// The mouse came onto a column's header. Dispatch identifier 10.
    virtual void ColHeaderMouseEnter(std::int32_t /*lCol*/) {}
    /// The mouse left a column's header. Dispatch identifier 11.
    virtual void ColHeaderMouseLeave(std::int32_t /*lCol*/) {}
    /// A column's width is being changed by its divider. Dispatch identifier 12.
    virtual void ColWidthChanging(std::int32_t /*lCol*/, std::int32_t /*lWidth*/) {}
    /// A column's width was changed by its divider. Dispatch identifier 13.
    virtual void ColWidthChanged(std::int32_t /*lCol*/, std::int32_t /*lWidth*/) {}
    /// The rows were sorted. Dispatch identifier 14.
    virtual void ContentsSorted() {}
    /// The current cell changed. Dispatch identifier 15.
    virtual void CurCellChange(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// A custom-draw cell is to be drawn by the host on hDC, in the given rectangle. Dispatch
    /// identifier 16.
    virtual void CustomDrawCell(std::int32_t /*lRow*/, std::int32_t /*lCol*/, std::int32_t /*hDC*/,
                                std::int32_t /*lLeft*/, std::int32_t /*lTop*/,
                                std::int32_t /*lRight*/, std::int32_t /*lBottom*/,
                                bool /*bSelected*/) {}
    /// The size a custom-draw cell's content needs, for auto-sizing. Dispatch identifier 17.
    virtual void CustomDrawCellGetSize(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                       std::int32_t& /*lWidth*/, std::int32_t& /*lHeight*/) {}
    /// Compares two values for vxSortByCustomer: set bIsGreater when v1 sorts after v2. Dispatch
    /// identifier 18.
    virtual void CustomSort(Variant& /*v1*/, Variant& /*v2*/, bool& /*bIsGreater*/) {}
    /// A double click on a cell; setting bRequestEdit asks to start editing it. Dispatch identifier
    /// 19.
    virtual void DblClick(std::int32_t /*lRow*/, std::int32_t /*lCol*/, bool& /*bRequestEdit*/) {}
    /// A right click on the header (lCol: the column under the mouse, 0 for none). Dispatch
    /// identifier 20.
    virtual void HeaderRightClick(std::int32_t /*lCol*/, std::int16_t /*Shift*/, std::int32_t /*x*/,
                                  std::int32_t /*y*/) {}
    /// A key went down in the grid; the host may change KeyCode and Shift, or clear bDoDefault to
    /// keep the grid from handling it. Dispatch identifier 21.
    virtual void KeyDown(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/, bool& /*bDoDefault*/) {
    }
    /// A character was typed in the grid; setting KeyAscii to 0 swallows it. Dispatch identifier
    /// 22.
    virtual void KeyPress(std::int16_t& /*KeyAscii*/) {}
    /// A key went up in the grid. Dispatch identifier 23.
    virtual void KeyUp(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/) {}
    /// A mouse button went down over the grid (lRow and lCol: the cell under it, 0 for none);
    /// clearing bDoDefault keeps the grid from handling the press. Dispatch identifier 24.
    virtual void MouseDown(std::int16_t /*Button*/, std::int16_t& /*Shift*/, float /*x*/,
                           float /*y*/, std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                           bool& /*bDoDefault*/, bool /*bUnderControl*/) {}
    /// The mouse moved over the grid. Dispatch identifier 25.
    virtual void MouseMove(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                           float /*y*/, std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// A mouse button went up over the grid. Dispatch identifier 26.
    virtual void MouseUp(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/, float /*y*/,
                         std::int32_t /*lRow*/, std::int32_t /*lCol*/, bool& /*bDoDefault*/) {}
    /// The mouse came onto a cell. Dispatch identifier 27.
    virtual void MouseEnter(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// The mouse left a cell. Dispatch identifier 28.
    virtual void MouseLeave(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// Data was dropped on the grid. Dispatch identifier 29.
    virtual void OLEDragDrop(std::shared_ptr<DataObject>& /*Data*/, std::int32_t& /*Effect*/,
                             std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*x*/,
                             float& /*y*/) {}
    /// Data is dragged over the grid; Effect tells the source what a drop would do. Dispatch
    /// identifier 30.
    virtual void OLEDragOver(std::shared_ptr<DataObject>& /*Data*/, std::int32_t& /*Effect*/,
                             std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*x*/,
                             float& /*y*/, std::int16_t& /*State*/) {}
    /// A drag the grid started has ended with the effect the target chose. Dispatch identifier 31.
    virtual void OLECompleteDrag(std::int32_t& /*Effect*/) {}
    /// The source's chance to show its own cursor during a drag the grid started. Dispatch
    /// identifier 32.
    virtual void OLEGiveFeedback(std::int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
    /// The target asks for data the grid's drag announced but has not provided. Dispatch identifier
    /// 33.
    virtual void OLESetData(std::shared_ptr<DataObject>& /*Data*/, std::int16_t& /*DataFormat*/) {}
    /// The grid starts a drag: the host fills Data and chooses the AllowedEffects. Dispatch
    /// identifier 34.
    virtual void OLEStartDrag(std::shared_ptr<DataObject>& /*Data*/,
                              std::int32_t& /*AllowedEffects*/) {}
    /// A custom edit of the host's own editor is to end. Dispatch identifier 35.
    virtual void QuitCustomEdit() {}
    /// Editing is about to start: the host may cancel it, or give the editor's text, maximum length
    /// and options. Dispatch identifier 36.
    virtual void RequestEdit(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                             std::int16_t /*iKeyAscii*/, bool& /*bCancel*/, std::string& /*sText*/,
                             std::int32_t& /*lMaxLength*/, ETextEditFlags& /*eTextEditOpt*/) {}
    /// In virtual mode the grid wants row lRow; set bNoMoreRows when there are no more rows.
    /// Dispatch identifier 37.
    virtual void RequestRow(std::int32_t /*lRow*/, bool& /*bNoMoreRows*/) {}
    /// In virtual mode the grid wants the values of row lRow. Dispatch identifier 38.
    virtual void RequestRowData(std::int32_t /*lRow*/) {}
    /// A scroll bar's position changed. Dispatch identifier 39.
    virtual void ScrollBarPosChanged(EScrollBar /*eBar*/, std::int32_t /*lValue*/) {}
    /// A scroll bar was shown or hidden. Dispatch identifier 40.
    virtual void ScrollBarVisibilityChanged(EScrollBar /*eBar*/, bool /*bVisible*/) {}
    /// A scroll bar's scrolling came to an end. Dispatch identifier 41.
    virtual void ScrollBarEndScroll(EScrollBar /*eBar*/) {}
    /// A scroll bar's thumb is being dragged to lValue. Dispatch identifier 42.
    virtual void ScrollBarThumbTrack(EScrollBar /*eBar*/, std::int32_t /*lValue*/) {}
    /// A scroll bar's thickness changed. Dispatch identifier 43.
    virtual void ScrollBarThicknessChanged(EScrollBar /*eBar*/, std::int32_t /*lValue*/) {}
    /// The mouse was dragged from a cell, as a drag of the cell could start. Dispatch identifier
    /// 44.
    virtual void StartCellDrag(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                               float /*y*/, std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// The user starts changing a column's width by its divider. Dispatch identifier 45.
    virtual void StartColWidthChange(std::int32_t /*lCol*/, std::int32_t /*lWidth*/) {}
    /// The text in the text editor changed. Dispatch identifier 46.
    virtual void TextEditChange(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// A key went down in the text editor. Dispatch identifier 47.
    virtual void TextEditKeyDown(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                 std::int16_t /*KeyCode*/, std::int16_t /*Shift*/) {}
    /// A character was typed in the text editor; setting KeyAscii to 0 swallows it. Dispatch
    /// identifier 48.
    virtual void TextEditKeyPress(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                  std::int16_t& /*KeyAscii*/) {}
    /// A key went up in the text editor. Dispatch identifier 49.
    virtual void TextEditKeyUp(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                               std::int16_t /*KeyCode*/, std::int16_t /*Shift*/) {}
    /// A double click in the text editor. Dispatch identifier 50.
    virtual void TextEditDblClick(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// A mouse button went down in the text editor. Dispatch identifier 51.
    virtual void TextEditMouseDown(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                   std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                                   float /*y*/) {}
    /// The mouse moved in the text editor. Dispatch identifier 52.
    virtual void TextEditMouseMove(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                   std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                                   float /*y*/) {}
    /// A mouse button went up in the text editor. Dispatch identifier 53.
    virtual void TextEditMouseUp(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                 std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                                 float /*y*/) {}
    /// A right click in the text editor, with TextEditCustomContextMenu on. Dispatch identifier 54.
    virtual void TextEditCustomContextMenu(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// The desktop theme changed; bAppUsesXPStyles tells whether the program draws with visual
    /// styles. Dispatch identifier 55.
    virtual void WindowsThemeChanged(bool /*bAppUsesXPStyles*/) {}
};

}  // namespace vexa

VEXA_PUBLIC_END

#pragma pop_macro("KeyPress")
