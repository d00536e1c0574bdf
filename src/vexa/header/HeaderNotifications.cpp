// What the header window tells its parent, turned into the header's notifications to the
// grid; hot tracking of the item under the mouse, with the timer that notices the mouse
// leaving it; the cursor over dividers of columns that may not be resized.
#include "vexa/header/HeaderControl.h"

#include "vexa/model/GridStore.h"
#include "vexa/platform/GSubclass.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

// How often the hot item is checked for the mouse having left it.
constexpr std::int32_t kMouseLeaveIntervalMs = 20;

}  // namespace

sys::LRESULT cHeaderControl::OnNotify(const sys::NMHDR& header) {
    // Only the header's own codes carry an item; the common ones are a bare NMHDR.
    if (header.code == sys::NM_RELEASEDCAPTURE) {
        tracking_ = dragging_ = false;
        return 0;
    }
    if (header.code == sys::NM_RCLICK) {
        const sys::POINT cursor = CursorInHeader();
        host_.HeaderDidRightClick(cursor.x, cursor.y);
        return 0;
    }
    if (header.code > sys::HDN_FIRST || header.code <= sys::HDN_FIRST - 100) return 0;
    const auto& notification = reinterpret_cast<const sys::NMHEADER&>(header);
    const std::int32_t item = notification.iItem;
    switch (header.code) {
        case sys::HDN_BEGINDRAG:
            return OnBeginDrag(item);
        case sys::HDN_ENDDRAG:
            return OnEndDrag(item, notification.pitem);
        case sys::HDN_BEGINTRACK:
            return OnBeginTrack(item);
        case sys::HDN_TRACK:
            OnTrack(item, notification.pitem);
            return 0;
        case sys::HDN_ITEMCHANGING:
            if (tracking_) OnTrack(item, notification.pitem);
            return 0;
        case sys::HDN_ENDTRACK:
            OnEndTrack(item, notification.pitem);
            return 0;
        case sys::HDN_DIVIDERDBLCLICK:
            if (sizingAllowed_) host_.HeaderDidDoubleClickDivider(item);
            return 0;
        case sys::HDN_ITEMDBLCLICK:
            host_.HeaderDidDoubleClickColumn(item);
            return 0;
        case sys::HDN_ITEMCLICK: {
            const sys::POINT cursor = CursorInHeader();
            host_.HeaderDidClickColumn(item, cursor.x, cursor.y);
            return 0;
        }
        default:
            return 0;
    }
}

sys::LRESULT cHeaderControl::OnBeginDrag(std::int32_t item) {
    if (dragging_) return 0;
    bool cancel = false;
    host_.HeaderDidBeginDrag(item, cancel);
    if (!cancel) {
        dragging_ = true;
        return 0;
    }
    // Taking the capture away ends the press without a drag.
    if (hwnd_ != 0 && sys::GetCapture() == hwnd_) sys::ReleaseCapture();
    UpdateNow();
    return 1;
}

sys::LRESULT cHeaderControl::OnEndDrag(std::int32_t item, const sys::HDITEM* fields) {
    if (fields == nullptr || (fields->mask & sys::HDI_ORDER) == 0 || fields->iOrder < -1) return 0;
    bool cancel = false;
    host_.HeaderDidEndDrag(item, fields->iOrder, cancel);
    return cancel ? 1 : 0;
}

sys::LRESULT cHeaderControl::OnBeginTrack(std::int32_t item) {
    if (!sizingAllowed_) return 1;
    const std::int32_t width = ItemWidth(item);
    host_.HeaderDidStartResize(item, width);
    tracking_ = true;
    trackedWidth_ = width;
    trackedItem_ = item;
    return 0;
}

void cHeaderControl::OnTrack(std::int32_t item, const sys::HDITEM* fields) {
    if (fields == nullptr || (fields->mask & sys::HDI_WIDTH) == 0) return;
    if (fields->cxy == trackedWidth_) return;
    trackedWidth_ = fields->cxy;
    trackedItem_ = item;
    host_.HeaderDidTrackResize(item, fields->cxy);
}

void cHeaderControl::OnEndTrack(std::int32_t item, const sys::HDITEM* fields) {
    tracking_ = false;
    const std::int32_t width =
        fields != nullptr && (fields->mask & sys::HDI_WIDTH) ? fields->cxy : ItemWidth(item);
    host_.HeaderDidResizeColumn(item, width);
}

sys::POINT cHeaderControl::CursorInHeader() const {
    sys::POINT cursor;
    sys::GetCursorPos(&cursor);
    if (hwnd_ != 0) sys::ScreenToClient(hwnd_, &cursor);
    return cursor;
}

// ---- Hot tracking ----

sys::LRESULT cHeaderControl::OnMouseMove(sys::WPARAM wParam, sys::LPARAM lParam) {
    const sys::HWND hwnd = hwnd_;
    if (!tracking_ && !dragging_) {
        sys::HDHITTESTINFO hit;
        hit.pt = sys::POINT{sys::GET_X_LPARAM(lParam), sys::GET_Y_LPARAM(lParam)};
        sys::SendMessage(hwnd, sys::HDM_HITTEST, 0, sys::LPARAM(&hit));
        if (hit.iItem != hotItem_) MakeHot(hit.iItem);
    }
    return CallOldWindowProc(hwnd, sys::WM_MOUSEMOVE, wParam, lParam);
}

void cHeaderControl::MakeHot(std::int32_t item) {
    if (hotItem_ >= -1) {
        const std::int32_t left = hotItem_;
        RepaintItem(left);
        host_.HeaderDidLeaveItem(left);
    }
    hotItem_ = item;
    sizingAllowed_ = true;
    if (item >= 0) {
        const ColumnRecord* column = ColumnOfItem(item);
        sizingAllowed_ = column == nullptr || column->allowSizing;
        if (!sizingAllowed_) sys::SetCursor(arrow_);
    }
    RepaintItem(item);
    host_.HeaderDidEnterItem(item);
    mouseLeave_.SetInterval(kMouseLeaveIntervalMs);
}

std::int32_t cHeaderControl::ItemAtCursor() const {
    sys::POINT cursor;
    sys::GetCursorPos(&cursor);
    if (hwnd_ == 0 || sys::WindowFromPoint(cursor) != hwnd_) return kNoHotItem;
    sys::HDHITTESTINFO hit;
    hit.pt = CursorInHeader();
    sys::SendMessage(hwnd_, sys::HDM_HITTEST, 0, sys::LPARAM(&hit));
    return hit.iItem;
}

void cHeaderControl::OnMouseLeaveTimer() {
    if (tracking_ || dragging_) return;
    if (ItemAtCursor() == hotItem_) return;
    const std::int32_t left = hotItem_;
    RepaintItem(left);
    hotItem_ = kNoHotItem;
    mouseLeave_.SetInterval(0);
    host_.HeaderDidLeaveItem(left);
}

// ---- Cursor and activation ----

sys::LRESULT cHeaderControl::OnSetCursor(sys::WPARAM wParam, sys::LPARAM lParam) {
    const sys::LRESULT result = CallOldWindowProc(hwnd_, sys::WM_SETCURSOR, wParam, lParam);
    // The divider cursor would promise a resize the header refuses.
    if (!sizingAllowed_) {
        sys::SetCursor(arrow_);
        return 1;
    }
    return result;
}

sys::LRESULT cHeaderControl::OnMouseActivate(sys::WPARAM wParam, sys::LPARAM lParam) {
    bool cancel = false;
    host_.HeaderWasMouseActivated(cancel);
    if (cancel) return sys::MA_NOACTIVATEANDEAT;
    return CallOldWindowProc(hwnd_, sys::WM_MOUSEACTIVATE, wParam, lParam);
}

}  // namespace vexa
