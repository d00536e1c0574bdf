// The drop-down list of a combo box (class "ComboLBox"): a top-level popup owned by the combo
// box's top-level window, kept above other windows, never activated. While shown it holds the
// mouse capture: it tracks the item under the pointer, chooses the item a click releases on,
// scrolls with its vertical scroll bar and the wheel, and reports a press anywhere else. It
// shows the combo box's items but keeps none of them: it asks the combo box through
// ComboListOwner, and asks for its colours with WM_CTLCOLORLISTBOX (sent to the combo box,
// which passes it to its parent) before it draws, leaving the list wherever the answer moved it.
#pragma once

#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

constexpr const char* kComboListClassName = "ComboLBox";

// What the list needs from the combo box it belongs to.
class ComboListOwner {
  public:
    virtual HWND ComboWindow() const = 0;
    virtual HFONT ItemFont() const = 0;
    // Whether the list has a vertical scroll bar when its items do not all fit.
    virtual bool ListScrolls() const = 0;
    virtual int ItemCount() const = 0;
    // The height of an item in pixels, measured first when it never was.
    virtual int ItemHeight(int index) = 0;
    virtual int Selection() const = 0;
    // Draws one item over the list's background in hdc, set up with the list's colours.
    virtual void DrawListItem(HDC hdc, int index, const RECT& rect, UINT action) = 0;
    // The pointer went over an item, moving or pressing.
    virtual void ListDidTrack(int index) = 0;
    // The left button was released over an item it had pressed or dragged onto.
    virtual void ListDidChoose(int index) = 0;
    // A press outside the list, or the capture taken away.
    virtual void ListDidDismiss() = 0;

  protected:
    ~ComboListOwner() = default;
};

// Registers the class; true when it is registered (now or before).
bool RegisterComboListClass();
// A hidden list for the combo box; the owner must outlive the window.
HWND CreateComboList(HWND combo, ComboListOwner* owner);

// Shows the list at rect (screen), topmost and without activating it, takes the capture and
// paints it at once. buttonDown: the left button that opened it is still held, so that its
// release over an item chooses that item.
void ShowComboList(HWND list, const RECT& rect, bool buttonDown);
void HideComboList(HWND list);

// The list scrolls by whole items; the top index is the first item shown.
int ComboListTopIndex(HWND list);
// Clamps to the last page; false for an index outside the items.
bool SetComboListTopIndex(HWND list, int index);
void ComboListScrollIntoView(HWND list, int index);
// Items shown whole from the top index, at least 1.
int ComboListPageSize(HWND list);
// The selection moved from one item to another (-1 for none): redraws both at once.
void ComboListSelectionMoved(HWND list, int from, int to);
// Items were added, removed or resized: lays the list out again and repaints it.
void ComboListItemsChanged(HWND list);

}  // namespace vexa::sys
