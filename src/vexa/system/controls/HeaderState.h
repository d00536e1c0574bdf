// What one header window knows, and the functions its source files share: the window
// procedure (HeaderControl.cpp) dispatches to the item store (HeaderItems.cpp), the geometry
// (HeaderGeometry.cpp), the mouse handling (HeaderMouse.cpp) and the painter
// (HeaderPainter.cpp); notifications to the parent go through HeaderNotify.cpp.
//
// Anything that sends the parent a notification takes the window handle rather than the state:
// the parent may destroy the header or change its items while it answers, so the state is
// looked up again (StateOf) after every notification.
#pragma once

#include <string>
#include <vector>

#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/paint/GdiTypes.h"

namespace vexa::sys::header_detail {

struct HeaderItem {
    int width = 0;       // pixels, never negative
    std::string text;    // UTF-8 title, drawn with HDF_STRING
    int format = 0;      // HDF_* bits
    LPARAM param = 0;    // the application's value, handed back untouched
    int image = 0;       // image-list index, drawn with HDF_IMAGE
    HBITMAP bitmap = 0;  // drawn with HDF_BITMAP; the application keeps ownership
};

// The captured operation a left-button press starts.
enum class HeaderMode {
    Idle,      // no button held on the header
    Pressing,  // an item is held (pushed look with HDS_BUTTONS); may still become a drag
    Tracking,  // a divider is being dragged to size an item
    Dragging,  // an item is being dragged to a new position (HDS_DRAGDROP)
};

struct HeaderState {
    HWND hwnd = 0;                  // the header window
    std::vector<HeaderItem> items;  // by item index
    std::vector<int> order;         // order[k]: index of the item shown k-th from the left
    HFONT font = 0;                 // set by WM_SETFONT; 0 draws with the default GUI font
    HIMAGELIST images = 0;          // HDSIL_NORMAL list; the application's, not destroyed here
    HIMAGELIST stateImages = 0;     // HDSIL_STATE list, kept for HDM_GETIMAGELIST only
    HTHEME theme = 0;               // "Header" theme data; 0 draws the classic look
    int hotItem = -1;               // item under the pointer while no button is held
    bool leaveTracked = false;      // a WM_MOUSELEAVE has been asked for
    int hotDivider = -1;            // lit divider (drop marker), -1 none

    HeaderMode mode = HeaderMode::Idle;
    int activeItem = -1;        // the item pressed, sized or dragged
    bool pushedLook = false;    // the pressed item is drawn pushed (the pointer is over it)
    bool dragRefused = false;   // the parent refused HDN_BEGINDRAG for this press
    bool escapeToggle = false;  // the Escape key's toggle bit when the operation began
    POINT pressPoint;           // client point where the button went down
    int startWidth = 0;         // width of the sized item when tracking began
    int trackOffset = 0;        // pointer x minus the sized item's divider x at the press
    int trackedWidth = 0;       // the width the pointer asks for now
    int grabOffset = 0;         // pointer x minus the dragged item's left edge at the press
    int pointerX = 0;           // client x of the pointer while dragging
    HIMAGELIST dragImage = 0;   // picture of the dragged item; owned here
};

// The window's state, or nullptr once it is destroyed.
HeaderState* StateOf(HWND hwnd);
UINT StyleOf(const HeaderState& state);
int ClientHeight(const HeaderState& state);
void InvalidateItem(const HeaderState& state, int index);
void InvalidateAll(const HeaderState& state);

// ---- Items and order (HeaderItems.cpp) -------------------------------------------------------
int ItemCount(const HeaderState& state);
bool IsItem(const HeaderState& state, int index);
int InsertItem(HeaderState& state, int index, const HDITEM& item);
bool DeleteItem(HeaderState& state, int index);
bool GetItem(const HeaderState& state, int index, HDITEM* item);
// HDN_ITEMCHANGING (a non-zero answer refuses), the change, then HDN_ITEMCHANGED.
bool SetItem(HWND hwnd, int index, const HDITEM& item);
int OrderOf(const HeaderState& state, int index);
int IndexAtOrder(const HeaderState& state, int order);
bool SetOrderArray(HeaderState& state, int count, const int* order);
bool GetOrderArray(const HeaderState& state, int count, int* order);
void MoveToOrder(HeaderState& state, int index, int order);
// The item's fields named by mask, as notifications hand them to the parent (no text).
HDITEM DescribeItem(const HeaderState& state, int index, UINT mask);

// ---- Geometry (HeaderGeometry.cpp) -----------------------------------------------------------
RECT ItemRect(const HeaderState& state, int index);
int ItemsRight(const HeaderState& state);
HDHITTESTINFO HitTest(const HeaderState& state, POINT point);
// The item whose rectangle holds the point, -1 when none.
int ItemAt(const HeaderState& state, POINT point);
// The divider a drop at x falls on: k = left of the item in order k, count = after the last.
int DividerNear(const HeaderState& state, int x);
int DividerX(const HeaderState& state, int divider);
// The height the header wants for its font (and, themed, for its theme part).
int WantedHeight(const HeaderState& state);

// ---- Notifications (HeaderNotify.cpp) --------------------------------------------------------
LRESULT NotifyParent(HWND hwnd, UINT code);
LRESULT NotifyItem(HWND hwnd, UINT code, int index, HDITEM* item, int button = 0);

// ---- Mouse and keyboard (HeaderMouse.cpp) ----------------------------------------------------
void OnLButtonDown(HWND hwnd, POINT point);
void OnLButtonDblClk(HWND hwnd, POINT point);
void OnMouseMove(HWND hwnd, POINT point);
void OnLButtonUp(HWND hwnd, POINT point);
void OnRButtonUp(HWND hwnd, WPARAM wParam, LPARAM lParam);
void OnMouseLeave(HWND hwnd);
void OnCaptureChanged(HWND hwnd, HWND newCapture);
void OnEscapeWatch(HWND hwnd);
void OnKeyDown(HWND hwnd, WPARAM key);
// True when the pointer is over a divider and the divider cursor was set.
bool OnSetCursor(HWND hwnd);
// Ends whatever the button started, as if it had never been pressed.
void CancelMode(HWND hwnd);
constexpr std::uintptr_t kEscapeWatchTimer = 1;

// ---- Painting (HeaderPainter.cpp) ------------------------------------------------------------
void PaintHeader(HeaderState& state, HDC hdc, const RECT& area);
// A picture of the item as it looks at rest, as large as the item; 0 for an empty item.
HIMAGELIST CreateDragImage(HeaderState& state, int index);

}  // namespace vexa::sys::header_detail
