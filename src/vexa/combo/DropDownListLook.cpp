// How the drop-down list looks and where it opens: item measuring and drawing, the dropped
// size, the font, icons and visual styles, and the placement beside the edited cell.
#include <algorithm>

#include "vexa/combo/DropDownList.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/controls/ComboBox.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int32_t kTextPaddingX = 2;
constexpr std::int32_t kTextPaddingY = 1;
constexpr std::int32_t kIconLeft = 2;
constexpr std::int32_t kIconTop = 1;

}  // namespace

DropPlacement PlaceDropDown(std::int32_t screenHeight, std::int32_t y, std::int32_t cellHeight,
                            std::int32_t droppedHeight, std::int32_t itemHeight) {
    const std::int32_t item = std::max(itemHeight, 1);
    const std::int32_t roomBelow = screenHeight - y - cellHeight;
    if (droppedHeight < roomBelow) return {y + cellHeight, droppedHeight};
    if (droppedHeight <= y) return {y - droppedHeight - 1, droppedHeight};
    // Neither side takes the whole list: whole items on the larger side, one at least.
    if (y > roomBelow) return {y % item - 1, std::max(y / item, 1) * item};
    return {y + cellHeight, std::max(roomBelow / item, 1) * item};
}

// ---- Measuring ----

void DropDownList::MeasureItem(ItemRecord& record, const std::string& text) {
    if (measureDc_ == 0) {
        measureDc_ = sys::CreateCompatibleDC(0);
        if (font_ != 0) sys::SelectObject(measureDc_, font_);
    }
    sys::RECT box{0, 0, 0, 0};
    sys::DrawText(measureDc_, text, -1, &box,
                  sys::DT_CALCRECT | sys::DT_SINGLELINE | sys::DT_NOPREFIX);
    const std::int32_t textWidth = box.right - box.left;
    const std::int32_t textHeight = box.bottom - box.top;
    const bool hasIcon = record.icon != -1;
    record.width = hasIcon ? textWidth + iconWidth_ + 8 : textWidth + 4;
    record.height = std::max({textHeight, hasIcon ? iconHeight_ : 0, kMinItemHeight});
}

void DropDownList::RecomputeItemHeight() {
    std::int32_t tallest = kMinItemHeight;
    for (const ItemRecord& record : records_) {
        if (record.inUse) tallest = std::max(tallest, record.height);
    }
    if (tallest == itemHeight_) return;
    itemHeight_ = tallest;
    ApplyItemHeight();
}

// Every item is shown at the tallest item's height, so that the list's height in whole items
// is the same wherever it scrolls.
void DropDownList::ApplyItemHeight() {
    if (combo_ == 0) return;
    sys::SendMessage(combo_, sys::CB_SETITEMHEIGHT, sys::WPARAM(-1), itemHeight_);
    const std::int32_t count = ListCount();
    for (std::int32_t i = 0; i < count; ++i) {
        sys::SendMessage(combo_, sys::CB_SETITEMHEIGHT, sys::WPARAM(i), itemHeight_);
    }
    if (heightInItems_ > 0) ApplyDroppedHeight();
}

void DropDownList::ApplyDroppedHeight() {
    droppedHeight_ = itemHeight_ * heightInItems_ + 2;
    repositionPending_ = true;
}

void DropDownList::SetHeightInItems(std::int32_t items) {
    heightInItems_ = std::max(items, 0);
    ApplyDroppedHeight();
}

void DropDownList::SetWidth(std::int32_t width) {
    droppedWidth_ = width;
    repositionPending_ = true;
}

void DropDownList::AutoAdjustWidth() {
    std::int32_t widest = 0;
    for (const ItemRecord& record : records_) {
        if (record.inUse) widest = std::max(widest, record.width);
    }
    droppedWidth_ = widest + sys::GetSystemMetrics(sys::SM_CXVSCROLL) + 4;
    repositionPending_ = true;
}

void DropDownList::SetFont(const Font& font) {
    const sys::HFONT previous = font_;
    font_ = sys::CreateFontFromObject(font);
    if (measureDc_ != 0) sys::SelectObject(measureDc_, font_);
    if (combo_ != 0) sys::SendMessage(combo_, sys::WM_SETFONT, sys::WPARAM(font_), 1);
    if (previous != 0) sys::DeleteObject(previous);
    const std::int32_t count = ListCount();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t number = RecordOf(i);
        if (number >= 0) MeasureItem(records_[std::size_t(number)], ItemText(i));
    }
    RecomputeItemHeight();
}

void DropDownList::SetImageList(sys::HIMAGELIST images) {
    images_ = images;
    int width = 0, height = 0;
    if (images != 0 && sys::ImageList_GetIconSize(images, &width, &height)) {
        iconWidth_ = width;
        iconHeight_ = height;
    } else {
        iconWidth_ = iconHeight_ = 0;
    }
}

void DropDownList::AllowXPStyles(bool allow) {
    sys::COMBOBOXINFO info;
    if (!sys::GetComboBoxInfo(combo_, &info)) return;
    if (allow) {
        sys::SetWindowTheme(info.hwndList, nullptr, nullptr);
    } else {
        sys::SetWindowTheme(info.hwndList, "", "");
    }
}

// ---- Drawing ----

void DropDownList::OnDrawItem(const sys::DRAWITEMSTRUCT& draw) {
    const auto dc = sys::HDC(draw.hDC);
    const bool focused = (draw.itemState & sys::ODS_FOCUS) != 0;
    sys::RECT rect = draw.rcItem;
    sys::FillRect(dc, &rect,
                  sys::GetSysColorBrush(focused ? sys::COLOR_HIGHLIGHT : sys::COLOR_WINDOW));
    if (focused) sys::DrawFocusRect(dc, &rect);
    const auto index = std::int32_t(draw.itemID);
    if (index < 0 || index >= ListCount()) return;
    sys::RECT text{rect.left + kTextPaddingX, rect.top + kTextPaddingY, rect.right - kTextPaddingX,
                   rect.bottom - kTextPaddingY};
    const std::int16_t icon = ItemIconIndex(index);
    if (icon != -1 && images_ != 0) {
        sys::ImageList_Draw(images_, icon, dc, rect.left + kIconLeft, rect.top + kIconTop,
                            sys::ILD_TRANSPARENT);
        text.left = rect.left + iconWidth_ + 4;
    }
    sys::SetBkMode(dc, sys::TRANSPARENT);
    sys::SetTextColor(dc,
                      sys::GetSysColor(focused ? sys::COLOR_HIGHLIGHTTEXT : sys::COLOR_WINDOWTEXT));
    // Item texts are data: an ampersand in them is shown, not taken as a prefix mark.
    sys::DrawText(dc, ItemText(index), -1, &text,
                  sys::DT_SINGLELINE | sys::DT_VCENTER | sys::DT_NOPREFIX);
}

sys::LRESULT DropDownList::OnListColors(sys::HWND list) {
    if (repositionPending_) {
        repositionPending_ = false;
        sys::MoveWindow(list, dropRect_.left, dropRect_.top, dropRect_.right - dropRect_.left,
                        dropRect_.bottom - dropRect_.top, true);
        // A list only moved keeps what it showed: it paints again where it is now.
        sys::InvalidateRect(list, nullptr, true);
    }
    return sys::LRESULT(sys::GetSysColorBrush(sys::COLOR_WINDOW));
}

}  // namespace vexa
