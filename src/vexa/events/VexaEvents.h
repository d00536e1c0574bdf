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
class DataObject;  ///< the data object of an OLE drag-and-drop operation

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

class VEXA_API VexaEvents {
  public:
    virtual ~VexaEvents() = default;

    /// 1
    virtual void AfterCommitEdit(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 2
    virtual void BeforeCommitEdit(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                  EEditResults& /*eResult*/, const std::string& /*sNewText*/,
                                  Variant& /*vNewValue*/, std::int32_t /*lConvErr*/) {}
    /// 3
    virtual void CancelEdit(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 4
    virtual void CellSelectionChange(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                     bool /*bSelected*/) {}
    /// 5
    virtual void ColDividerDblClick(std::int32_t /*lCol*/, bool& /*bDoDefault*/) {}
    /// 6
    virtual void ColHeaderBeginDrag(std::int32_t /*lCol*/, bool& /*bCancel*/) {}
    /// 7
    virtual void ColHeaderClick(std::int32_t /*lCol*/, bool& /*bDoDefault*/, std::int16_t /*Shift*/,
                                std::int32_t /*x*/, std::int32_t /*y*/) {}
    /// 8
    virtual void ColHeaderDblClick(std::int32_t /*lCol*/) {}
    /// 9
    virtual void ColHeaderEndDrag(std::int32_t /*lCol*/, std::int32_t /*lColBefore*/,
                                  bool& /*bCancel*/) {}
    /// 10
    virtual void ColHeaderMouseEnter(std::int32_t /*lCol*/) {}
    /// 11
    virtual void ColHeaderMouseLeave(std::int32_t /*lCol*/) {}
    /// 12
    virtual void ColWidthChanging(std::int32_t /*lCol*/, std::int32_t /*lWidth*/) {}
    /// 13
    virtual void ColWidthChanged(std::int32_t /*lCol*/, std::int32_t /*lWidth*/) {}
    /// 14
    virtual void ContentsSorted() {}
    /// 15
    virtual void CurCellChange(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 16
    virtual void CustomDrawCell(std::int32_t /*lRow*/, std::int32_t /*lCol*/, std::int32_t /*hDC*/,
                                std::int32_t /*lLeft*/, std::int32_t /*lTop*/,
                                std::int32_t /*lRight*/, std::int32_t /*lBottom*/,
                                bool /*bSelected*/) {}
    /// 17
    virtual void CustomDrawCellGetSize(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                       std::int32_t& /*lWidth*/, std::int32_t& /*lHeight*/) {}
    /// 18
    virtual void CustomSort(Variant& /*v1*/, Variant& /*v2*/, bool& /*bIsGreater*/) {}
    /// 19
    virtual void DblClick(std::int32_t /*lRow*/, std::int32_t /*lCol*/, bool& /*bRequestEdit*/) {}
    /// 20
    virtual void HeaderRightClick(std::int32_t /*lCol*/, std::int16_t /*Shift*/, std::int32_t /*x*/,
                                  std::int32_t /*y*/) {}
    /// 21
    virtual void KeyDown(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/, bool& /*bDoDefault*/) {
    }
    /// 22
    virtual void KeyPress(std::int16_t& /*KeyAscii*/) {}
    /// 23
    virtual void KeyUp(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/) {}
    /// 24
    virtual void MouseDown(std::int16_t /*Button*/, std::int16_t& /*Shift*/, float /*x*/,
                           float /*y*/, std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                           bool& /*bDoDefault*/, bool /*bUnderControl*/) {}
    /// 25
    virtual void MouseMove(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                           float /*y*/, std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 26
    virtual void MouseUp(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/, float /*y*/,
                         std::int32_t /*lRow*/, std::int32_t /*lCol*/, bool& /*bDoDefault*/) {}
    /// 27
    virtual void MouseEnter(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 28
    virtual void MouseLeave(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 29
    virtual void OLEDragDrop(std::shared_ptr<DataObject>& /*Data*/, std::int32_t& /*Effect*/,
                             std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*x*/,
                             float& /*y*/) {}
    /// 30
    virtual void OLEDragOver(std::shared_ptr<DataObject>& /*Data*/, std::int32_t& /*Effect*/,
                             std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*x*/,
                             float& /*y*/, std::int16_t& /*State*/) {}
    /// 31
    virtual void OLECompleteDrag(std::int32_t& /*Effect*/) {}
    /// 32
    virtual void OLEGiveFeedback(std::int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
    /// 33
    virtual void OLESetData(std::shared_ptr<DataObject>& /*Data*/, std::int16_t& /*DataFormat*/) {}
    /// 34
    virtual void OLEStartDrag(std::shared_ptr<DataObject>& /*Data*/,
                              std::int32_t& /*AllowedEffects*/) {}
    /// 35
    virtual void QuitCustomEdit() {}
    /// 36
    virtual void RequestEdit(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                             std::int16_t /*iKeyAscii*/, bool& /*bCancel*/, std::string& /*sText*/,
                             std::int32_t& /*lMaxLength*/, ETextEditFlags& /*eTextEditOpt*/) {}
    /// 37
    virtual void RequestRow(std::int32_t /*lRow*/, bool& /*bNoMoreRows*/) {}
    /// 38
    virtual void RequestRowData(std::int32_t /*lRow*/) {}
    /// 39
    virtual void ScrollBarPosChanged(EScrollBar /*eBar*/, std::int32_t /*lValue*/) {}
    /// 40
    virtual void ScrollBarVisibilityChanged(EScrollBar /*eBar*/, bool /*bVisible*/) {}
    /// 41
    virtual void ScrollBarEndScroll(EScrollBar /*eBar*/) {}
    /// 42
    virtual void ScrollBarThumbTrack(EScrollBar /*eBar*/, std::int32_t /*lValue*/) {}
    /// 43
    virtual void ScrollBarThicknessChanged(EScrollBar /*eBar*/, std::int32_t /*lValue*/) {}
    /// 44
    virtual void StartCellDrag(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                               float /*y*/, std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 45
    virtual void StartColWidthChange(std::int32_t /*lCol*/, std::int32_t /*lWidth*/) {}
    /// 46
    virtual void TextEditChange(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 47
    virtual void TextEditKeyDown(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                 std::int16_t /*KeyCode*/, std::int16_t /*Shift*/) {}
    /// 48
    virtual void TextEditKeyPress(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                  std::int16_t& /*KeyAscii*/) {}
    /// 49
    virtual void TextEditKeyUp(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                               std::int16_t /*KeyCode*/, std::int16_t /*Shift*/) {}
    /// 50
    virtual void TextEditDblClick(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 51
    virtual void TextEditMouseDown(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                   std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                                   float /*y*/) {}
    /// 52
    virtual void TextEditMouseMove(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                   std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                                   float /*y*/) {}
    /// 53
    virtual void TextEditMouseUp(std::int32_t /*lRow*/, std::int32_t /*lCol*/,
                                 std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*x*/,
                                 float /*y*/) {}
    /// 54
    virtual void TextEditCustomContextMenu(std::int32_t /*lRow*/, std::int32_t /*lCol*/) {}
    /// 55
    virtual void WindowsThemeChanged(bool /*bAppUsesXPStyles*/) {}
};

}  // namespace vexa

VEXA_PUBLIC_END

#pragma pop_macro("KeyPress")
