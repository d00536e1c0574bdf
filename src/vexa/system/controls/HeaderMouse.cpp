// The header's mouse and keyboard behaviour. A left press starts one captured operation:
// pressing an item (a click when released over it), tracking a divider (sizing the item left
// of it) or, once a pressed item moves past the drag threshold, dragging it to a new place.
// Each operation ends with NM_RELEASEDCAPTURE, whether it completed or was cancelled (Escape,
// or the capture taken away). While no button is held, the item under the pointer is hot.
#include <algorithm>
#include <cstdlib>

#include "vexa/system/controls/HeaderState.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::header_detail {

namespace {

// How often a running operation looks at the Escape key (see EscapePressedSince).
constexpr UINT kEscapeWatchMs = 20;
// The fields an item notification describes.
constexpr UINT kDescribedFields = HDI_WIDTH | HDI_FORMAT | HDI_LPARAM | HDI_IMAGE | HDI_ORDER;

bool HasStyle(const HeaderState& state, UINT style) {
    return (StyleOf(state) & style) != 0;
}

bool EscapeToggle() {
    return (GetKeyState(VK_ESCAPE) & 0x01) != 0;
}

// The header never takes the keyboard focus, so Escape usually goes to another window. As the
// classic drag loops do, the header watches the key's state instead: held now, or pressed
// (its toggle bit flipped) since the operation began.
bool EscapePressedSince(const HeaderState& state) {
    return GetAsyncKeyState(VK_ESCAPE) < 0 || EscapeToggle() != state.escapeToggle;
}

void BeginMode(HeaderState& state, HeaderMode mode, int index, POINT point) {
    state.mode = mode;
    state.activeItem = index;
    state.pressPoint = point;
    state.pushedLook = false;
    state.dragRefused = false;
    state.escapeToggle = EscapeToggle();
    SetCapture(state.hwnd);
    SetTimer(state.hwnd, kEscapeWatchTimer, kEscapeWatchMs);
}

// Back to idle without a word to the parent. The mode is cleared before the capture goes, so
// the WM_CAPTURECHANGED that follows finds nothing to cancel.
void LeaveMode(HeaderState& state) {
    state.mode = HeaderMode::Idle;
    state.pushedLook = false;
    state.hotDivider = -1;
    if (state.dragImage != 0) ImageList_Destroy(state.dragImage);
    state.dragImage = 0;
    KillTimer(state.hwnd, kEscapeWatchTimer);
    InvalidateAll(state);
    if (GetCapture() == state.hwnd) ReleaseCapture();
}

void ReportReleased(HWND hwnd) {
    if (IsWindow(hwnd)) NotifyParent(hwnd, NM_RELEASEDCAPTURE);
}

bool PastDragThreshold(POINT from, POINT to) {
    return std::abs(to.x - from.x) > GetSystemMetrics(SM_CXDRAG) / 2 ||
           std::abs(to.y - from.y) > GetSystemMetrics(SM_CYDRAG) / 2;
}

// The width the pointer gives the tracked item: its divider follows the pointer as grabbed.
int TrackedWidth(const HeaderState& state, POINT point) {
    return std::max(0, point.x - state.trackOffset - ItemRect(state, state.activeItem).left);
}

HDITEM WidthChange(int width) {
    HDITEM change;
    change.mask = HDI_WIDTH;
    change.cxy = width;
    return change;
}

void UpdateHotItem(HeaderState& state, POINT point) {
    if (!state.leaveTracked) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = state.hwnd;
        state.leaveTracked = TrackMouseEvent(&track);
    }
    const int item = ItemAt(state, point);
    if (item == state.hotItem) return;
    if (HasStyle(state, HDS_HOTTRACK)) {
        InvalidateItem(state, state.hotItem);
        InvalidateItem(state, item);
    }
    state.hotItem = item;
}

void StartTracking(HWND hwnd, int index, POINT point) {
    HeaderState* state = StateOf(hwnd);
    HDITEM item = DescribeItem(*state, index, kDescribedFields);
    if (NotifyItem(hwnd, HDN_BEGINTRACK, index, &item) != 0) return;
    state = StateOf(hwnd);
    if (state == nullptr || state->mode != HeaderMode::Idle || !IsItem(*state, index)) return;
    state->startWidth = state->items[std::size_t(index)].width;
    state->trackedWidth = state->startWidth;
    state->trackOffset = point.x - ItemRect(*state, index).right;
    BeginMode(*state, HeaderMode::Tracking, index, point);
}

void StartPress(HeaderState& state, int index, POINT point) {
    const bool buttons = HasStyle(state, HDS_BUTTONS);
    if (!buttons && !HasStyle(state, HDS_DRAGDROP)) return;  // nothing to click or drag
    BeginMode(state, HeaderMode::Pressing, index, point);
    state.pushedLook = buttons;
    InvalidateItem(state, index);
}

void MoveDrag(HeaderState& state, POINT point) {
    state.pointerX = point.x;
    state.hotDivider = DividerNear(state, point.x);
    InvalidateAll(state);
}

void StartDrag(HWND hwnd, POINT point) {
    HeaderState* state = StateOf(hwnd);
    const int index = state->activeItem;
    HDITEM item = DescribeItem(*state, index, kDescribedFields);
    const bool refused = NotifyItem(hwnd, HDN_BEGINDRAG, index, &item) != 0;
    state = StateOf(hwnd);
    // The parent may have ended the press while it answered (by taking the capture away).
    if (state == nullptr || state->mode != HeaderMode::Pressing || state->activeItem != index)
        return;
    state->pushedLook = false;
    InvalidateItem(*state, index);
    if (refused) {
        state->dragRefused = true;
        return;
    }
    state->mode = HeaderMode::Dragging;
    state->grabOffset = state->pressPoint.x - ItemRect(*state, index).left;
    state->dragImage = CreateDragImage(*state, index);
    MoveDrag(*state, point);
}

void MovePress(HWND hwnd, POINT point) {
    HeaderState& state = *StateOf(hwnd);
    if (HasStyle(state, HDS_DRAGDROP) && !state.dragRefused &&
        PastDragThreshold(state.pressPoint, point)) {
        StartDrag(hwnd, point);
        return;
    }
    const bool over = HasStyle(state, HDS_BUTTONS) && !state.dragRefused &&
                      ItemAt(state, point) == state.activeItem;
    if (over == state.pushedLook) return;
    state.pushedLook = over;
    InvalidateItem(state, state.activeItem);
}

void MoveTrack(HWND hwnd, POINT point) {
    HeaderState& state = *StateOf(hwnd);
    const int width = TrackedWidth(state, point);
    if (width == state.trackedWidth) return;
    state.trackedWidth = width;
    const int index = state.activeItem;
    if (HasStyle(state, HDS_FULLDRAG)) {
        SetItem(hwnd, index, WidthChange(width));  // the parent may refuse each step
        return;
    }
    // Without full drag nothing moves yet: the parent shows where the divider would go.
    HDITEM item = DescribeItem(state, index, kDescribedFields);
    item.cxy = width;
    if (NotifyItem(hwnd, HDN_TRACK, index, &item) != 0) CancelMode(hwnd);
}

void EndPress(HWND hwnd, POINT point) {
    HeaderState& state = *StateOf(hwnd);
    const int index = state.activeItem;
    const bool click =
        HasStyle(state, HDS_BUTTONS) && !state.dragRefused && ItemAt(state, point) == index;
    LeaveMode(state);
    if (click) NotifyItem(hwnd, HDN_ITEMCLICK, index, nullptr);
    ReportReleased(hwnd);
}

// The item takes the final width after HDN_ENDTRACK, unless the parent gave it a width of its
// own while answering (a parent that keeps widths within limits has the last word).
void EndTrack(HWND hwnd, POINT point) {
    HeaderState& state = *StateOf(hwnd);
    const int index = state.activeItem;
    const int width = TrackedWidth(state, point);
    const int widthBefore = state.items[std::size_t(index)].width;
    LeaveMode(state);
    HDITEM item = DescribeItem(state, index, kDescribedFields);
    item.cxy = width;
    NotifyItem(hwnd, HDN_ENDTRACK, index, &item);
    const HeaderState* after = StateOf(hwnd);
    const bool untouched = after != nullptr && IsItem(*after, index) &&
                           after->items[std::size_t(index)].width == widthBefore;
    if (untouched && widthBefore != width) SetItem(hwnd, index, WidthChange(width));
    ReportReleased(hwnd);
}

void EndDrag(HWND hwnd, POINT point) {
    HeaderState& state = *StateOf(hwnd);
    const int index = state.activeItem;
    const int from = OrderOf(state, index);
    const int divider = DividerNear(state, point.x);
    const int to = divider > from ? divider - 1 : divider;
    LeaveMode(state);
    HDITEM item = DescribeItem(state, index, kDescribedFields);
    item.iOrder = to;
    if (NotifyItem(hwnd, HDN_ENDDRAG, index, &item) == 0) {
        HeaderState* after = StateOf(hwnd);
        if (after != nullptr && IsItem(*after, index)) MoveToOrder(*after, index, to);
    }
    ReportReleased(hwnd);
}

}  // namespace

void OnLButtonDown(HWND hwnd, POINT point) {
    HeaderState* state = StateOf(hwnd);
    if (state->mode != HeaderMode::Idle) return;
    const HDHITTESTINFO hit = HitTest(*state, point);
    if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))
        StartTracking(hwnd, hit.iItem, point);
    else if (hit.flags & HHT_ONHEADER)
        StartPress(*state, hit.iItem, point);
}

void OnLButtonDblClk(HWND hwnd, POINT point) {
    const HDHITTESTINFO hit = HitTest(*StateOf(hwnd), point);
    if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))
        NotifyItem(hwnd, HDN_DIVIDERDBLCLICK, hit.iItem, nullptr);
    else if (hit.flags & HHT_ONHEADER)
        NotifyItem(hwnd, HDN_ITEMDBLCLICK, hit.iItem, nullptr);
}

void OnMouseMove(HWND hwnd, POINT point) {
    HeaderState& state = *StateOf(hwnd);
    if (state.mode != HeaderMode::Idle && EscapePressedSince(state)) {
        CancelMode(hwnd);
        return;
    }
    switch (state.mode) {
        case HeaderMode::Idle:
            UpdateHotItem(state, point);
            break;
        case HeaderMode::Pressing:
            MovePress(hwnd, point);
            break;
        case HeaderMode::Tracking:
            MoveTrack(hwnd, point);
            break;
        case HeaderMode::Dragging:
            MoveDrag(state, point);
            break;
    }
}

void OnLButtonUp(HWND hwnd, POINT point) {
    HeaderState& state = *StateOf(hwnd);
    if (state.mode != HeaderMode::Idle && EscapePressedSince(state)) {
        CancelMode(hwnd);
        return;
    }
    switch (state.mode) {
        case HeaderMode::Idle:
            break;
        case HeaderMode::Pressing:
            EndPress(hwnd, point);
            break;
        case HeaderMode::Tracking:
            EndTrack(hwnd, point);
            break;
        case HeaderMode::Dragging:
            EndDrag(hwnd, point);
            break;
    }
}

void OnRButtonUp(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // An unanswered right click becomes the context-menu request.
    if (NotifyParent(hwnd, NM_RCLICK) == 0 && IsWindow(hwnd))
        DefWindowProc(hwnd, WM_RBUTTONUP, wParam, lParam);
}

void OnMouseLeave(HWND hwnd) {
    HeaderState& state = *StateOf(hwnd);
    state.leaveTracked = false;
    if (HasStyle(state, HDS_HOTTRACK)) InvalidateItem(state, state.hotItem);
    state.hotItem = -1;
}

void OnCaptureChanged(HWND hwnd, HWND newCapture) {
    if (newCapture != hwnd) CancelMode(hwnd);
}

void OnEscapeWatch(HWND hwnd) {
    HeaderState& state = *StateOf(hwnd);
    if (state.mode == HeaderMode::Idle)
        KillTimer(hwnd, kEscapeWatchTimer);
    else if (EscapePressedSince(state))
        CancelMode(hwnd);
}

void OnKeyDown(HWND hwnd, WPARAM key) {
    if (key == WPARAM(VK_ESCAPE)) CancelMode(hwnd);
}

bool OnSetCursor(HWND hwnd) {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(hwnd, &point);
    const HDHITTESTINFO hit = HitTest(*StateOf(hwnd), point);
    if (hit.flags & HHT_ONDIVIDER)
        SetCursor(LoadCursor(0, IDC_SIZEWE));
    else if (hit.flags & HHT_ONDIVOPEN)
        SetCursor(LoadCursor(0, IDC_SPLITWE));
    return (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) != 0;
}

// A cancelled track leaves the item as wide as it was, and still ends with HDN_ENDTRACK
// carrying that width, so a parent that follows the track (showing a marker, confining the
// cursor) always sees it end. A cancelled drag changes nothing and sends no HDN_ENDDRAG.
void CancelMode(HWND hwnd) {
    HeaderState* state = StateOf(hwnd);
    if (state == nullptr || state->mode == HeaderMode::Idle) return;
    const bool wasTracking = state->mode == HeaderMode::Tracking;
    const int index = state->activeItem;
    const int startWidth = state->startWidth;
    LeaveMode(*state);
    if (wasTracking && IsItem(*state, index)) {
        if (state->items[std::size_t(index)].width != startWidth)
            SetItem(hwnd, index, WidthChange(startWidth));
        state = StateOf(hwnd);
        if (state != nullptr && IsItem(*state, index)) {
            HDITEM item = DescribeItem(*state, index, kDescribedFields);
            item.cxy = startWidth;
            NotifyItem(hwnd, HDN_ENDTRACK, index, &item);
        }
    }
    ReportReleased(hwnd);
}

}  // namespace vexa::sys::header_detail
