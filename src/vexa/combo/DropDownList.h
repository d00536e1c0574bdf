// The drop-down list of one combo list: a hidden "COMBOBOX" of the drop-down-list kind whose
// items it draws itself (icon and text), keeping each item's value and icon beside the native
// list. It opens at any screen position (the edited cell's), moving the native list there when
// the list asks for its colours, and tells its owner of selections, the close-up and keys.
// While it is open, Enter and the navigation keys go straight to it, whatever the host's
// message loop would have done with them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vexa/platform/ISubclass.h"
#include "vexa/system/automation/Variant.h"
#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class DropDownList;
class Font;

// What the drop-down list tells the control.
class DropDownListOwner {
  public:
    // The user ended a selection in the list, or the program set the selection.
    virtual void DropDownDidEndSelection(DropDownList& list) = 0;
    // The list has closed.
    virtual void DropDownDidCloseUp(DropDownList& list) = 0;
    // A key went down in the list; the owner may change the key code the list then gets.
    virtual void DropDownKeyWentDown(DropDownList& list, std::int32_t& keyCode,
                                     std::int32_t shift) = 0;
    // The list has handled the key that went down.
    virtual void DropDownDidHandleKey(DropDownList& list) = 0;

  protected:
    ~DropDownListOwner() = default;
};

// Where a list opens for a cell whose screen rectangle starts at y and is cellHeight high.
struct DropPlacement {
    std::int32_t top = 0;
    std::int32_t height = 0;
    friend bool operator==(const DropPlacement&, const DropPlacement&) = default;
};
// Below the cell when the whole list fits there, else above it when it fits there, else
// shortened to whole items on the side with more room.
DropPlacement PlaceDropDown(std::int32_t screenHeight, std::int32_t y, std::int32_t cellHeight,
                            std::int32_t droppedHeight, std::int32_t itemHeight);

class DropDownList final : public std::enable_shared_from_this<DropDownList>, private ISubclass {
  public:
    static constexpr std::int32_t kMinItemHeight = 15;
    static constexpr std::int32_t kDefaultDroppedWidth = 120;
    static constexpr std::int32_t kDefaultDroppedHeight = 120;
    static constexpr const char* kErrorSource = "Vexa250_75B4A91C.ODCboLst";

    // Creates the instance's window, a child of `parent`, and the native combo box in it.
    static std::shared_ptr<DropDownList> Create(sys::HWND parent, DropDownListOwner& owner);
    ~DropDownList() override;
    DropDownList(const DropDownList&) = delete;
    DropDownList& operator=(const DropDownList&) = delete;
    // Destroys the windows; afterwards the list is empty and never opens.
    void Destroy();

    // ---- Items (indices are 0-based; index -1 appends)
    void AddItem(const std::string& text, const Variant& value, std::int16_t icon,
                 std::int32_t index);
    void RemoveItem(std::int32_t index);
    void Clear();
    std::int32_t ListCount() const;
    std::string ItemText(std::int32_t index) const;
    Variant ItemValue(std::int32_t index) const;
    void SetItemValue(std::int32_t index, const Variant& value);
    std::int16_t ItemIconIndex(std::int32_t index) const;
    // The first item whose value equals `value` (objects by identity); -1 when none. With
    // `skipEmpty` items without a value (Empty) are passed over.
    std::int32_t ValueIndex(const Variant& value, bool skipEmpty = false) const;
    // The first item whose text starts with `character`, both upper-cased; -1 when none.
    std::int32_t InitialIndex(char32_t character) const;

    // ---- Selection
    std::int32_t ListIndex() const;
    // -1 clears the selection; an index outside the items raises an error (kErrorSource).
    // A selection set tells the owner as the user's selection does.
    void SetListIndex(std::int32_t index);
    std::string Text() const;

    // ---- Size, look
    void SetHeightInItems(std::int32_t items);
    void SetWidth(std::int32_t width);
    void AutoAdjustWidth();
    void SetFont(const Font& font);
    void SetImageList(sys::HIMAGELIST images);
    void AllowXPStyles(bool allow);
    std::int32_t ItemHeight() const { return itemHeight_; }
    std::int32_t DroppedWidth() const { return droppedWidth_; }
    std::int32_t DroppedHeight() const { return droppedHeight_; }

    // ---- Opening and closing
    // Opens the list for a cell whose screen rectangle starts at (x, y) and is h high.
    void ShowDropDownAtPosition(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
    void CloseDropDown();
    bool Dropped() const;
    // The native combo box, which takes the focus while the list is open.
    sys::HWND hwnd() const { return combo_; }

  private:
    struct ItemRecord {
        Variant value;           // objects by reference
        std::int16_t icon = -1;  // -1: no icon
        std::int32_t width = 0;  // measured, pixels
        std::int32_t height = 0;
        bool inUse = false;
    };

    DropDownList(sys::HWND parent, DropDownListOwner& owner);
    static sys::LRESULT InstanceProcedure(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                          sys::LPARAM lParam);
    sys::LRESULT OnInstanceMessage(sys::UINT msg, sys::WPARAM wParam, sys::LPARAM lParam);
    void OnCommand(sys::UINT code);
    void OnDrawItem(const sys::DRAWITEMSTRUCT& draw);
    sys::LRESULT OnListColors(sys::HWND list);

    // ISubclass: the native box's key-down messages.
    EMsgResponse MsgResponse() override { return emrConsume; }
    sys::LRESULT WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                            sys::LPARAM lParam) override;

    std::int32_t RecordOf(std::int32_t index) const;
    std::int32_t TakeFreeRecord();
    void MeasureItem(ItemRecord& record, const std::string& text);
    void RecomputeItemHeight();
    void ApplyItemHeight();
    void ApplyDroppedHeight();
    void InstallKeyHook();
    void RemoveKeyHook();
    friend void ForwardListKey(sys::MSG* msg);

    DropDownListOwner& owner_;
    sys::HWND instance_ = 0;  // the instance's own window, never seen
    sys::HWND combo_ = 0;     // the native combo box, a child of the instance's window
    std::vector<ItemRecord> records_;
    std::vector<std::int32_t> freeRecords_;
    std::int32_t recordsInUse_ = 0;
    std::int32_t itemHeight_ = kMinItemHeight;  // the tallest item's height
    std::int32_t droppedWidth_ = kDefaultDroppedWidth;
    std::int32_t droppedHeight_ = kDefaultDroppedHeight;
    std::int32_t heightInItems_ = 0;  // what the dropped height was last asked for in items
    sys::RECT dropRect_;              // where the list opens, screen coordinates
    bool repositionPending_ = false;  // move the list to dropRect_ at its next colour request
    sys::HIMAGELIST images_ = 0;
    std::int32_t iconWidth_ = 0;
    std::int32_t iconHeight_ = 0;
    sys::HFONT font_ = 0;     // the items' font, owned
    sys::HDC measureDc_ = 0;  // a memory context holding font_, for measuring
};

}  // namespace vexa
