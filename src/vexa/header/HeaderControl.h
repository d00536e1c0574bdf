// cHeaderControl: the column header of the grid. It owns the "SysHeader32" child window of
// the grid's window, keeps one item per shown column (the item parameter is the column's
// display position), paints every item itself (background, icon, text, sort icon and sort
// number, the hot item, the themed, classic and flat looks), fits its height to the titles,
// and turns the header window's notifications and mouse messages into the notifications of
// HeaderHost, which the grid answers.
//
// Files: HeaderControl.cpp (window, items, styles, theme), HeaderNotifications.cpp (the
// header's notifications, hot tracking and the mouse-leave timer), HeaderPainter.cpp (owner
// drawing and the classic frames), HeaderAutoSize.cpp (item sizes and the automatic height).
#pragma once

#include <cstdint>
#include <string>

#include "vexa/model/Enums.h"
#include "vexa/model/GridRecords.h"
#include "vexa/platform/CTimer.h"
#include "vexa/platform/ISubclass.h"
#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class GridStore;
struct ColumnRecord;

// What the header needs from the grid above it, and what it tells the grid. Items are header
// item indices (0-based); -1 stands for the part of the header right of the last item.
class HeaderHost {
  public:
    virtual ~HeaderHost() = default;
    // The platform's visual styles can be used (the header then follows its UseXPStyles).
    virtual bool ThemesUsable() const = 0;
    // The number of criteria of the last completed sort: sort numbers show only after a sort
    // by more than one column.
    virtual std::int32_t LastSortCriteria() const = 0;

    virtual void HeaderDidClickColumn(std::int32_t item, std::int32_t x, std::int32_t y) = 0;
    virtual void HeaderDidDoubleClickColumn(std::int32_t item) = 0;
    // `cancel` set by the grid refuses the drag.
    virtual void HeaderDidBeginDrag(std::int32_t item, bool& cancel) = 0;
    // `newOrder` is the item's place among the header's items; `cancel` keeps the order.
    virtual void HeaderDidEndDrag(std::int32_t item, std::int32_t newOrder, bool& cancel) = 0;
    virtual void HeaderDidStartResize(std::int32_t item, std::int32_t width) = 0;
    virtual void HeaderDidTrackResize(std::int32_t item, std::int32_t width) = 0;
    virtual void HeaderDidResizeColumn(std::int32_t item, std::int32_t width) = 0;
    virtual void HeaderDidDoubleClickDivider(std::int32_t item) = 0;
    // Header client coordinates.
    virtual void HeaderDidRightClick(std::int32_t x, std::int32_t y) = 0;
    virtual void HeaderDidEnterItem(std::int32_t item) = 0;
    virtual void HeaderDidLeaveItem(std::int32_t item) = 0;
    // `cancel` set by the grid eats the click that would activate the header.
    virtual void HeaderWasMouseActivated(bool& cancel) = 0;
    // The window was made anew and has no items.
    virtual void HeaderWasRecreated() = 0;
    virtual void HeaderDidChangeHeight() = 0;
    virtual void HeaderDidChangeVisibility() = 0;
};

// The header's appearance settings; every change repaints the whole header.
struct HeaderLook {
    OLE_COLOR backColor = 0x8000000Fu;           // item background (COLOR_BTNFACE)
    OLE_COLOR foreColor = 0x80000012u;           // title text (COLOR_BTNTEXT)
    OLE_COLOR solidSortIconColor = 0x80000011u;  // solid sort icons (COLOR_GRAYTEXT)
    OLE_COLOR hotTrackForeColor = 0x8000000Du;   // highlighted parts of the hot item
    bool hotTrack = true;
    std::int32_t hotTrackFlags = vxHdrHotText;  // EHeaderHotTrackFlags
    std::int32_t sortInfoStyle = vxSortInfoNumIcons;
    std::int32_t sortIconStyle = vxSortIconAuto;
};

class cHeaderControl final : public ISubclass {
  public:
    static constexpr std::int32_t kNoHotItem = -100;
    static constexpr std::int32_t kDefaultMinHeight = 18;

    cHeaderControl(GridStore& store, HeaderHost& host);
    ~cHeaderControl() override;
    cHeaderControl(const cHeaderControl&) = delete;
    cHeaderControl& operator=(const cHeaderControl&) = delete;

    // ---- The window (HeaderControl.cpp)
    // Creates the window on the grid's window; outside user mode it shows one placeholder.
    void Create(sys::HWND parent, bool userMode);
    // Destroys the window and creates it again (without items), then tells the grid.
    void Recreate();
    sys::HWND Handle() const { return hwnd_; }
    bool Visible() const { return visible_; }
    // Shows or hides the window, then tells the grid.
    void SetVisible(bool visible);
    // Parent client coordinates.
    const sys::RECT& Rect() const { return rect_; }
    // Moves the window to (left, 0) with the width given, keeping its height.
    void Place(std::int32_t left, std::int32_t width);
    void Enable(bool enabled);

    // ---- Items (header item indices, 0-based)
    std::int32_t InsertItem(std::int32_t width, std::int32_t position, std::int32_t index);
    void DeleteItem(std::int32_t index);
    std::int32_t ItemCount() const;
    // The display position the item stands for (its parameter).
    std::int32_t ItemPosition(std::int32_t index) const;
    void SetItemPosition(std::int32_t index, std::int32_t position);
    // The item standing for a display position; -1 when there is none.
    std::int32_t FindItem(std::int32_t position) const;
    std::int32_t ItemOrder(std::int32_t index) const;
    void SetItemOrder(std::int32_t index, std::int32_t order);
    std::int32_t ItemWidth(std::int32_t index) const;
    void SetItemWidth(std::int32_t index, std::int32_t width);
    void SetItemWidthAndPosition(std::int32_t index, std::int32_t width, std::int32_t position);
    // The items shown in the order of their indices.
    void ResetItemOrder();
    // Repaints one item from its column as it stands.
    void RepaintItem(std::int32_t index);
    // Repaints every item (the style is written back unchanged).
    void RefreshEntireHeader();
    // Repaints what is pending at once.
    void UpdateNow();

    // ---- Height
    std::int32_t Height() const { return rect_.bottom - rect_.top; }
    // Ignored below MinHeight.
    void SetHeight(std::int32_t height);
    std::int32_t MinHeight() const { return minHeight_; }
    void SetMinHeight(std::int32_t height);

    // ---- Behaviour and looks
    bool DragColumns() const { return dragColumns_; }
    void SetDragColumns(bool on);
    bool Buttons() const { return buttons_; }
    void SetButtons(bool on);
    bool FullDrag() const { return fullDrag_; }
    // Takes effect by making the window anew.
    void SetFullDrag(bool on);
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    bool UseXPStyles() const { return useXPStyles_; }
    void SetUseXPStyles(bool use);
    // Re-reads whether visual styles are in use and opens or drops the theme.
    void ChangeTheme();
    bool StylesInUse() const { return stylesInUse_; }
    const HeaderLook& Look() const { return look_; }
    void SetLook(const HeaderLook& look);
    // The image list the column icons come from (0: none).
    void SetImageList(sys::HIMAGELIST images);
    sys::HIMAGELIST ImageList() const { return images_; }
    // The header takes ownership of the fonts it is given and repaints.
    void SetTitleFont(sys::HFONT font);
    void SetSortInfoFont(sys::HFONT font);

    // ---- Sizes (HeaderAutoSize.cpp)
    // The size one item needs for its content; limited to `availableWidth` when asked.
    sys::SIZE CalcItemAutoSize(std::int32_t index, std::int32_t availableWidth, bool limited);
    // Fits the height to the tallest item (not below MinHeight).
    void AutoHeight();

    // ---- Messages of the grid's window meant for the header
    sys::LRESULT OnNotify(const sys::NMHDR& header);
    void OnDrawItem(const sys::DRAWITEMSTRUCT& draw);

    // ---- ISubclass: messages of the header window
    EMsgResponse MsgResponse() override;
    sys::LRESULT WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                            sys::LPARAM lParam) override;

  private:
    struct ItemPaint;

    // The sort icon as measured for a title and as painted beside it: they must agree.
    static constexpr std::int32_t kSortIconWidth = 9;
    static constexpr std::int32_t kSortInfoGap = 4;

    bool GetItemFields(std::int32_t index, sys::HDITEM& item) const;
    void SetItemFields(std::int32_t index, const sys::HDITEM& item);

    void MakeWindow();
    void RemoveWindow();
    void Subscribe(bool on);
    void ApplyStyleBit(sys::UINT bit, bool on);
    const ColumnRecord* ColumnOfItem(std::int32_t index) const;

    // ---- Notifications and hot tracking (HeaderNotifications.cpp)
    sys::LRESULT OnBeginDrag(std::int32_t item);
    sys::LRESULT OnEndDrag(std::int32_t item, const sys::HDITEM* fields);
    sys::LRESULT OnBeginTrack(std::int32_t item);
    void OnTrack(std::int32_t item, const sys::HDITEM* fields);
    void OnEndTrack(std::int32_t item, const sys::HDITEM* fields);
    sys::POINT CursorInHeader() const;
    sys::LRESULT OnMouseMove(sys::WPARAM wParam, sys::LPARAM lParam);
    sys::LRESULT OnSetCursor(sys::WPARAM wParam, sys::LPARAM lParam);
    sys::LRESULT OnMouseActivate(sys::WPARAM wParam, sys::LPARAM lParam);
    void MakeHot(std::int32_t item);
    void OnMouseLeaveTimer();
    std::int32_t ItemAtCursor() const;

    // ---- Painting (HeaderPainter.cpp)
    void PaintBackground(const ItemPaint& paint);
    void PaintIcon(ItemPaint& paint);
    std::int32_t SortInfoWidth(const ItemPaint& paint) const;
    void PaintTextAndSortInfo(ItemPaint& paint, std::int32_t sortInfoWidth);
    void PaintSortIcon(const ItemPaint& paint, std::int32_t x0, std::int32_t y0);
    void PaintSortNumber(const ItemPaint& paint, std::int32_t x0, std::int32_t y0);
    sys::COLORREF TextColor(const ItemPaint& paint, std::int32_t hotFlag) const;
    void PaintClassicFrames();
    bool SortIconsSolid() const;
    // The sort number a sorted column shows; empty when it shows none.
    std::string SortNumberOf(const ColumnRecord& column) const;

    GridStore& store_;
    HeaderHost& host_;
    sys::HWND hwnd_ = 0;      // the "SysHeader32" window; 0 while there is none
    sys::HWND parent_ = 0;    // the grid's window
    bool userMode_ = true;    // outside it a placeholder item stands in for the columns
    sys::RECT rect_{};        // the window in the parent's client coordinates
    bool rectKnown_ = false;  // the rectangle was taken from the parent once
    bool visible_ = true;     // the window is shown
    std::int32_t minHeight_ = kDefaultMinHeight;  // the height never goes below it
    bool dragColumns_ = true;     // HDS_DRAGDROP: items may be dragged to new places
    bool buttons_ = true;         // HDS_BUTTONS: items click like buttons
    bool fullDrag_ = false;       // HDS_FULLDRAG: items resize live while a divider moves
    bool flat_ = false;           // classic frames drawn flat (buttons on, no visual styles)
    bool useXPStyles_ = true;     // the wish to use visual styles
    bool stylesInUse_ = false;    // the wish, and visual styles can be used
    sys::HTHEME theme_ = 0;       // "Header" theme data while styles are in use
    HeaderLook look_;             // colours, hot tracking and sort information settings
    sys::HIMAGELIST images_ = 0;  // the column icons; the host's list, not destroyed here
    std::int32_t iconWidth_ = 0;  // icon size of that list
    std::int32_t iconHeight_ = 0;
    sys::HFONT titleFont_ = 0;           // owned
    sys::HFONT sortInfoFont_ = 0;        // owned
    sys::HCURSOR arrow_ = 0;             // shown over dividers that may not be dragged
    std::int32_t hotItem_ = kNoHotItem;  // the item under the mouse; -1 the empty part
    bool sizingAllowed_ = true;          // the hot item's column may be resized
    bool tracking_ = false;              // a divider is being dragged
    bool dragging_ = false;              // an item is being dragged
    std::int32_t trackedWidth_ = 0;      // the last width reported while tracking
    std::int32_t trackedItem_ = -1;
    CTimer mouseLeave_;  // polls for the mouse leaving the hot item
};

}  // namespace vexa
