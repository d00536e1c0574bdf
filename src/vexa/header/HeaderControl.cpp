// The header window's life, its items, height, styles and theme, and the dispatch of the
// header window's own messages.
#include "vexa/header/HeaderControl.h"

#include <numeric>
#include <vector>

#include "vexa/model/GridStore.h"
#include "vexa/platform/GSubclass.h"
#include "vexa/system/automation/Log.h"
#include "vexa/system/controls/HeaderControl.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

// The width of the item that stands in for the columns outside user mode.
constexpr std::int32_t kPlaceholderWidth = 128;

// The header window's messages the header handles itself.
constexpr sys::UINT kSubscribedMessages[] = {
    sys::WM_PAINT, sys::WM_SETCURSOR, sys::WM_MOUSEACTIVATE, sys::WM_MOUSEMOVE, sys::WM_NCHITTEST};

void ReplaceFont(sys::HFONT& slot, sys::HFONT font) {
    if (slot != 0 && slot != font) sys::DeleteObject(slot);
    slot = font;
}

}  // namespace

cHeaderControl::cHeaderControl(GridStore& store, HeaderHost& host)
    : store_(store), host_(host), arrow_(sys::LoadCursor(0, sys::IDC_ARROW)) {
    mouseLeave_.SetThatTimeHandler([this] { OnMouseLeaveTimer(); });
}

cHeaderControl::~cHeaderControl() {
    RemoveWindow();
    ReplaceFont(titleFont_, 0);
    ReplaceFont(sortInfoFont_, 0);
}

// ---- The window ----

void cHeaderControl::Create(sys::HWND parent, bool userMode) {
    parent_ = parent;
    userMode_ = userMode;
    MakeWindow();
}

void cHeaderControl::MakeWindow() {
    sys::RegisterHeaderControl();
    if (!rectKnown_) {
        sys::GetClientRect(parent_, &rect_);
        rect_.bottom = rect_.top + minHeight_;
        rectKnown_ = true;
    }
    sys::UINT style = sys::WS_CHILD | sys::WS_VISIBLE;
    if (dragColumns_) style |= sys::HDS_DRAGDROP;
    if (buttons_) style |= sys::HDS_BUTTONS;
    if (fullDrag_) style |= sys::HDS_FULLDRAG;
    hwnd_ = sys::CreateWindowEx(0, sys::WC_HEADER, "", style, rect_.left, rect_.top,
                                rect_.right - rect_.left, rect_.bottom - rect_.top, parent_);
    if (hwnd_ == 0) return;
    Subscribe(true);
    ChangeTheme();
    if (!userMode_) InsertItem(kPlaceholderWidth, 0, -1);
    sys::ShowWindow(hwnd_, visible_ ? sys::SW_SHOW : sys::SW_HIDE);
}

void cHeaderControl::RemoveWindow() {
    mouseLeave_.SetInterval(0);
    hotItem_ = kNoHotItem;
    tracking_ = dragging_ = false;
    if (theme_ != 0) sys::CloseThemeData(theme_);
    theme_ = 0;
    if (hwnd_ == 0) return;
    Subscribe(false);
    if (sys::IsWindow(hwnd_)) {
        sys::ShowWindow(hwnd_, sys::SW_HIDE);
        sys::SetParent(hwnd_, 0);
        sys::DestroyWindow(hwnd_);
    }
    hwnd_ = 0;
}

void cHeaderControl::Recreate() {
    RemoveWindow();
    MakeWindow();
    host_.HeaderWasRecreated();
}

void cHeaderControl::Subscribe(bool on) {
    for (sys::UINT msg : kSubscribedMessages) {
        // A window that cannot be subclassed still works as a plain header.
        try {
            if (on) {
                AttachMessage(this, hwnd_, msg);
            } else {
                DetachMessage(this, hwnd_, msg);
            }
        } catch (...) {
            LogSwallowedException("header subclassing");
        }
    }
}

void cHeaderControl::SetVisible(bool visible) {
    visible_ = visible;
    if (hwnd_ != 0) sys::ShowWindow(hwnd_, visible ? sys::SW_SHOW : sys::SW_HIDE);
    host_.HeaderDidChangeVisibility();
}

void cHeaderControl::Place(std::int32_t left, std::int32_t width) {
    const std::int32_t height = Height();
    rect_.left = left;
    rect_.right = left + width;
    if (hwnd_ != 0) sys::MoveWindow(hwnd_, left, rect_.top, width, height, true);
}

void cHeaderControl::Enable(bool enabled) {
    if (hwnd_ != 0) sys::EnableWindow(hwnd_, enabled);
}

// ---- Items ----

std::int32_t cHeaderControl::InsertItem(std::int32_t width, std::int32_t position,
                                        std::int32_t index) {
    if (hwnd_ == 0) return -1;
    sys::HDITEM item;
    item.mask = sys::HDI_WIDTH | sys::HDI_FORMAT | sys::HDI_LPARAM;
    item.cxy = width;
    item.fmt = sys::HDF_OWNERDRAW;
    item.lParam = position;
    const sys::WPARAM at = sys::WPARAM(index < 0 ? ItemCount() : index);
    return std::int32_t(sys::SendMessage(hwnd_, sys::HDM_INSERTITEM, at, sys::LPARAM(&item)));
}

void cHeaderControl::DeleteItem(std::int32_t index) {
    if (hwnd_ != 0) sys::SendMessage(hwnd_, sys::HDM_DELETEITEM, sys::WPARAM(index));
}

std::int32_t cHeaderControl::ItemCount() const {
    return hwnd_ == 0 ? 0 : std::int32_t(sys::SendMessage(hwnd_, sys::HDM_GETITEMCOUNT));
}

// The item's fields named by `item.mask`; false without a window or such an item.
bool cHeaderControl::GetItemFields(std::int32_t index, sys::HDITEM& item) const {
    return hwnd_ != 0 &&
           sys::SendMessage(hwnd_, sys::HDM_GETITEM, sys::WPARAM(index), sys::LPARAM(&item));
}

void cHeaderControl::SetItemFields(std::int32_t index, const sys::HDITEM& item) {
    if (hwnd_ != 0)
        sys::SendMessage(hwnd_, sys::HDM_SETITEM, sys::WPARAM(index), sys::LPARAM(&item));
}

std::int32_t cHeaderControl::ItemPosition(std::int32_t index) const {
    sys::HDITEM item;
    item.mask = sys::HDI_LPARAM;
    return GetItemFields(index, item) ? std::int32_t(item.lParam) : 0;
}

void cHeaderControl::SetItemPosition(std::int32_t index, std::int32_t position) {
    sys::HDITEM item;
    item.mask = sys::HDI_LPARAM;
    item.lParam = position;
    SetItemFields(index, item);
}

std::int32_t cHeaderControl::FindItem(std::int32_t position) const {
    const std::int32_t count = ItemCount();
    for (std::int32_t index = 0; index < count; ++index)
        if (ItemPosition(index) == position) return index;
    return -1;
}

std::int32_t cHeaderControl::ItemOrder(std::int32_t index) const {
    sys::HDITEM item;
    item.mask = sys::HDI_ORDER;
    return GetItemFields(index, item) ? item.iOrder : -1;
}

void cHeaderControl::SetItemOrder(std::int32_t index, std::int32_t order) {
    sys::HDITEM item;
    item.mask = sys::HDI_ORDER;
    item.iOrder = order;
    SetItemFields(index, item);
}

std::int32_t cHeaderControl::ItemWidth(std::int32_t index) const {
    sys::HDITEM item;
    item.mask = sys::HDI_WIDTH;
    return GetItemFields(index, item) ? item.cxy : 0;
}

void cHeaderControl::SetItemWidth(std::int32_t index, std::int32_t width) {
    sys::HDITEM item;
    item.mask = sys::HDI_WIDTH;
    item.cxy = width;
    SetItemFields(index, item);
}

void cHeaderControl::SetItemWidthAndPosition(std::int32_t index, std::int32_t width,
                                             std::int32_t position) {
    sys::HDITEM item;
    item.mask = sys::HDI_WIDTH | sys::HDI_LPARAM;
    item.cxy = width;
    item.lParam = position;
    SetItemFields(index, item);
}

void cHeaderControl::ResetItemOrder() {
    std::vector<int> order(static_cast<std::size_t>(ItemCount()));
    std::iota(order.begin(), order.end(), 0);
    if (hwnd_ != 0 && !order.empty()) {
        sys::SendMessage(hwnd_, sys::HDM_SETORDERARRAY, sys::WPARAM(order.size()),
                         sys::LPARAM(order.data()));
    }
}

void cHeaderControl::RepaintItem(std::int32_t index) {
    sys::RECT rect;
    if (hwnd_ != 0 &&
        sys::SendMessage(hwnd_, sys::HDM_GETITEMRECT, sys::WPARAM(index), sys::LPARAM(&rect)))
        sys::InvalidateRect(hwnd_, &rect, false);
}

void cHeaderControl::RefreshEntireHeader() {
    if (hwnd_ == 0) return;
    sys::SetWindowLongPtr(hwnd_, sys::GWL_STYLE, sys::GetWindowLongPtr(hwnd_, sys::GWL_STYLE));
}

void cHeaderControl::UpdateNow() {
    if (hwnd_ == 0) return;
    sys::InvalidateRect(hwnd_, nullptr, false);
    sys::UpdateWindow(hwnd_);
}

const ColumnRecord* cHeaderControl::ColumnOfItem(std::int32_t index) const {
    const std::int32_t position = ItemPosition(index);
    if (position < 1 || position > store_.ColCount()) return nullptr;
    return &store_.Columns().At(position);
}

// ---- Height ----

void cHeaderControl::SetHeight(std::int32_t height) {
    if (height < minHeight_) return;
    const bool changed = height != Height();
    rect_.bottom = rect_.top + height;
    if (hwnd_ != 0) {
        sys::MoveWindow(hwnd_, rect_.left, rect_.top, rect_.right - rect_.left, height, true);
        UpdateNow();
    }
    if (changed) host_.HeaderDidChangeHeight();
}

void cHeaderControl::SetMinHeight(std::int32_t height) {
    minHeight_ = height;
    if (Height() < height) SetHeight(height);
}

// ---- Behaviour and looks ----

void cHeaderControl::ApplyStyleBit(sys::UINT bit, bool on) {
    if (hwnd_ == 0) return;
    sys::UINT style = sys::UINT(sys::GetWindowLongPtr(hwnd_, sys::GWL_STYLE));
    style = on ? (style | bit) : (style & ~bit);
    sys::SetWindowLongPtr(hwnd_, sys::GWL_STYLE, sys::LPARAM(style));
}

void cHeaderControl::SetDragColumns(bool on) {
    dragColumns_ = on;
    ApplyStyleBit(sys::HDS_DRAGDROP, on);
}

void cHeaderControl::SetButtons(bool on) {
    buttons_ = on;
    ApplyStyleBit(sys::HDS_BUTTONS, on);
}

void cHeaderControl::SetFullDrag(bool on) {
    if (on == fullDrag_) return;
    fullDrag_ = on;
    // The header reads this style only when it is made.
    if (hwnd_ != 0) Recreate();
}

void cHeaderControl::SetFlat(bool on) {
    flat_ = on;
    RefreshEntireHeader();
}

void cHeaderControl::SetUseXPStyles(bool use) {
    useXPStyles_ = use;
    ChangeTheme();
}

void cHeaderControl::ChangeTheme() {
    if (theme_ != 0) sys::CloseThemeData(theme_);
    theme_ = 0;
    stylesInUse_ = false;
    if (hwnd_ == 0) return;
    if (useXPStyles_ && host_.ThemesUsable()) {
        sys::SetWindowTheme(hwnd_, nullptr, nullptr);
        theme_ = sys::OpenThemeData(hwnd_, "Header");
        stylesInUse_ = theme_ != 0;
    } else {
        sys::SetWindowTheme(hwnd_, "", "");
    }
    RefreshEntireHeader();
}

void cHeaderControl::SetLook(const HeaderLook& look) {
    look_ = look;
    RefreshEntireHeader();
}

void cHeaderControl::SetImageList(sys::HIMAGELIST images) {
    images_ = images;
    iconWidth_ = iconHeight_ = 0;
    if (images != 0) sys::ImageList_GetIconSize(images, &iconWidth_, &iconHeight_);
    RefreshEntireHeader();
}

void cHeaderControl::SetTitleFont(sys::HFONT font) {
    ReplaceFont(titleFont_, font);
    RefreshEntireHeader();
}

void cHeaderControl::SetSortInfoFont(sys::HFONT font) {
    ReplaceFont(sortInfoFont_, font);
    RefreshEntireHeader();
}

// ---- The header window's messages ----

EMsgResponse cHeaderControl::MsgResponse() {
    // Painting adds the classic frames after the header's own painting.
    return CurrentMessage() == sys::WM_PAINT ? emrPreprocess : emrConsume;
}

sys::LRESULT cHeaderControl::WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                        sys::LPARAM lParam) {
    switch (msg) {
        case sys::WM_PAINT:
            if (!stylesInUse_) PaintClassicFrames();
            return 0;
        case sys::WM_SETCURSOR:
            return OnSetCursor(wParam, lParam);
        case sys::WM_MOUSEACTIVATE:
            return OnMouseActivate(wParam, lParam);
        case sys::WM_MOUSEMOVE:
            return OnMouseMove(wParam, lParam);
        case sys::WM_NCHITTEST:
            // In a form designer the mouse passes through to the grid, which leaves it to the form.
            if (!userMode_) return sys::HTTRANSPARENT;
            return CallOldWindowProc(hwnd, msg, wParam, lParam);
        default:
            return CallOldWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vexa
