// The drop-down list's items, selection and windows. Drawing, measuring and placement are in
// DropDownListLook.cpp.
#include "vexa/combo/DropDownList.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>

#include "vexa/platform/GSubclass.h"
#include "vexa/system/automation/Error.h"
#include "vexa/system/controls/ComboBox.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr const char* kInstanceClassName = "Vexa250_75B4A91C.ODCombo";
constexpr std::uintptr_t kComboId = 1;
constexpr std::int32_t kRecordGrowth = 10;
constexpr std::int32_t kInvalidPropertyValue = 380;

void RegisterInstanceClass(sys::WNDPROC procedure) {
    sys::WNDCLASS probe;
    if (sys::GetClassInfo(kInstanceClassName, &probe)) return;
    sys::WNDCLASS cls;
    cls.lpfnWndProc = procedure;
    cls.lpszClassName = kInstanceClassName;
    sys::RegisterClass(cls);
}

// The list open at the moment: only one can be, as an open list holds the mouse capture.
DropDownList* gOpenList = nullptr;
sys::GetMessageHook gPreviousHook = nullptr;
bool gHookInstalled = false;

bool IsListKey(sys::WPARAM key) {
    return key == sys::WPARAM(sys::VK_RETURN) ||
           (key >= sys::WPARAM(sys::VK_PRIOR) && key <= sys::WPARAM(sys::VK_DOWN));
}

std::int32_t ShiftMask() {
    return (sys::GetKeyState(sys::VK_SHIFT) < 0 ? 1 : 0) |
           (sys::GetKeyState(sys::VK_CONTROL) < 0 ? 2 : 0) |
           (sys::GetKeyState(sys::VK_MENU) < 0 ? 4 : 0);
}

// Values match as the combo lists match them: objects by identity, anything else by the
// classic comparison; values that cannot be compared (errors, arrays) never match.
bool ValuesMatch(const Variant& item, const Variant& value) {
    if (item.IsObject() || value.IsObject()) {
        return item.IsObject() && value.IsObject() && item.ToObject() == value.ToObject();
    }
    try {
        return CompareVariants(item, value) == 0;
    } catch (...) {
        return false;
    }
}

char32_t UpperInitial(const std::string& text) {
    if (text.empty()) return U'\0';
    const icu::UnicodeString decoded = icu::UnicodeString::fromUTF8(text.substr(0, 4));
    return char32_t(u_toupper(decoded.char32At(0)));
}

}  // namespace

// The message loop's hook while a list is open: the host's loop never sees Enter and the
// navigation keys, which the list takes as its own.
void ForwardListKey(sys::MSG* msg) {
    if (gOpenList != nullptr && msg->message == sys::WM_KEYDOWN && IsListKey(msg->wParam) &&
        gOpenList->Dropped()) {
        const sys::WPARAM key = msg->wParam;
        const sys::LPARAM lParam = msg->lParam;
        msg->message = sys::WM_NULL;
        sys::SendMessage(gOpenList->combo_, sys::WM_KEYDOWN, key, lParam);
        return;
    }
    if (gPreviousHook != nullptr) gPreviousHook(msg);
}

std::shared_ptr<DropDownList> DropDownList::Create(sys::HWND parent, DropDownListOwner& owner) {
    return std::shared_ptr<DropDownList>(new DropDownList(parent, owner));
}

DropDownList::DropDownList(sys::HWND parent, DropDownListOwner& owner) : owner_(owner) {
    RegisterInstanceClass(&DropDownList::InstanceProcedure);
    sys::RegisterComboBoxClass();
    instance_ = sys::CreateWindowEx(0, kInstanceClassName, "", sys::WS_CHILD, 0, 0, 0, 0, parent);
    if (instance_ == 0) return;
    sys::SetWindowLongPtr(instance_, sys::GWLP_USERDATA, reinterpret_cast<sys::LPARAM>(this));
    combo_ = sys::CreateWindowEx(0, sys::kComboBoxClassName, "",
                                 sys::WS_CHILD | sys::WS_VSCROLL | sys::CBS_DROPDOWNLIST |
                                     sys::CBS_OWNERDRAWVARIABLE | sys::CBS_HASSTRINGS,
                                 0, 0, 0, 0, instance_, kComboId);
    if (combo_ != 0) AttachMessage(this, combo_, sys::WM_KEYDOWN);
    // The instance is shown but has no size: only its dropped list is ever seen.
    sys::ShowWindow(instance_, sys::SW_SHOW);
}

DropDownList::~DropDownList() {
    Destroy();
}

void DropDownList::Destroy() {
    RemoveKeyHook();
    if (sys::IsWindow(combo_)) DetachMessage(this, combo_, sys::WM_KEYDOWN);
    if (sys::IsWindow(instance_)) {
        sys::SetWindowLongPtr(instance_, sys::GWLP_USERDATA, 0);
        sys::DestroyWindow(instance_);
    }
    instance_ = combo_ = 0;
    if (measureDc_ != 0) sys::DeleteDC(measureDc_);
    if (font_ != 0) sys::DeleteObject(font_);
    measureDc_ = 0;
    font_ = 0;
    records_.clear();
    freeRecords_.clear();
    recordsInUse_ = 0;
}

// ---- Items ----

std::int32_t DropDownList::RecordOf(std::int32_t index) const {
    const auto data = sys::SendMessage(combo_, sys::CB_GETITEMDATA, sys::WPARAM(index));
    if (data == sys::CB_ERR || data < 0 || data >= sys::LRESULT(records_.size())) return -1;
    return std::int32_t(data);
}

std::int32_t DropDownList::TakeFreeRecord() {
    if (freeRecords_.empty()) {
        const auto first = std::int32_t(records_.size());
        records_.resize(records_.size() + kRecordGrowth);
        for (std::int32_t r = first + kRecordGrowth - 1; r >= first; --r) freeRecords_.push_back(r);
    }
    const std::int32_t record = freeRecords_.back();
    freeRecords_.pop_back();
    return record;
}

void DropDownList::AddItem(const std::string& text, const Variant& value, std::int16_t icon,
                           std::int32_t index) {
    if (combo_ == 0) return;
    const auto inserted = sys::SendMessage(combo_, sys::CB_INSERTSTRING, sys::WPARAM(index),
                                           reinterpret_cast<sys::LPARAM>(text.c_str()));
    if (inserted < 0) return;
    const std::int32_t number = TakeFreeRecord();
    ItemRecord& record = records_[std::size_t(number)];
    record = ItemRecord{value, icon, 0, 0, true};
    ++recordsInUse_;
    sys::SendMessage(combo_, sys::CB_SETITEMDATA, sys::WPARAM(inserted), sys::LPARAM(number));
    MeasureItem(record, text);
    if (record.height > itemHeight_) {
        itemHeight_ = record.height;
        ApplyItemHeight();
    }
}

void DropDownList::RemoveItem(std::int32_t index) {
    const std::int32_t number = RecordOf(index);
    if (number < 0) return;
    const bool wasTallest = records_[std::size_t(number)].height >= itemHeight_;
    records_[std::size_t(number)] = ItemRecord{};
    freeRecords_.push_back(number);
    --recordsInUse_;
    sys::SendMessage(combo_, sys::CB_DELETESTRING, sys::WPARAM(index));
    if (wasTallest) RecomputeItemHeight();
}

void DropDownList::Clear() {
    if (combo_ != 0) sys::SendMessage(combo_, sys::CB_RESETCONTENT);
    records_.clear();
    freeRecords_.clear();
    recordsInUse_ = 0;
    RecomputeItemHeight();
}

std::int32_t DropDownList::ListCount() const {
    if (combo_ == 0) return 0;
    return std::int32_t(sys::SendMessage(combo_, sys::CB_GETCOUNT));
}

std::string DropDownList::ItemText(std::int32_t index) const {
    const auto length = sys::SendMessage(combo_, sys::CB_GETLBTEXTLEN, sys::WPARAM(index));
    if (length < 0) return {};
    std::string text(std::size_t(length) + 1, '\0');
    const auto copied = sys::SendMessage(combo_, sys::CB_GETLBTEXT, sys::WPARAM(index),
                                         reinterpret_cast<sys::LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : std::size_t(copied));
    return text;
}

Variant DropDownList::ItemValue(std::int32_t index) const {
    const std::int32_t number = RecordOf(index);
    return number < 0 ? Variant() : records_[std::size_t(number)].value;
}

void DropDownList::SetItemValue(std::int32_t index, const Variant& value) {
    const std::int32_t number = RecordOf(index);
    if (number >= 0) records_[std::size_t(number)].value = value;
}

std::int16_t DropDownList::ItemIconIndex(std::int32_t index) const {
    const std::int32_t number = RecordOf(index);
    return number < 0 ? std::int16_t(-1) : records_[std::size_t(number)].icon;
}

std::int32_t DropDownList::ValueIndex(const Variant& value, bool skipEmpty) const {
    const std::int32_t count = ListCount();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t number = RecordOf(i);
        if (number < 0) continue;
        const Variant& itemValue = records_[std::size_t(number)].value;
        if (skipEmpty && itemValue.IsEmpty()) continue;
        if (ValuesMatch(itemValue, value)) return i;
    }
    return -1;
}

std::int32_t DropDownList::InitialIndex(char32_t character) const {
    const char32_t wanted = char32_t(u_toupper(UChar32(character)));
    const std::int32_t count = ListCount();
    for (std::int32_t i = 0; i < count; ++i) {
        if (UpperInitial(ItemText(i)) == wanted) return i;
    }
    return -1;
}

// ---- Selection ----

std::int32_t DropDownList::ListIndex() const {
    if (combo_ == 0) return -1;
    return std::int32_t(sys::SendMessage(combo_, sys::CB_GETCURSEL));
}

void DropDownList::SetListIndex(std::int32_t index) {
    if (index < -1 || index >= ListCount()) {
        throw Error(kInvalidPropertyValue, kErrorSource, "Invalid property value");
    }
    sys::SendMessage(combo_, sys::CB_SETCURSEL, sys::WPARAM(index));
    const std::shared_ptr<DropDownList> keep = weak_from_this().lock();
    owner_.DropDownDidEndSelection(*this);
}

std::string DropDownList::Text() const {
    const std::int32_t index = ListIndex();
    return index < 0 ? std::string() : ItemText(index);
}

// ---- Opening and closing ----

void DropDownList::ShowDropDownAtPosition(std::int32_t x, std::int32_t y, std::int32_t /*w*/,
                                          std::int32_t h) {
    if (combo_ == 0) return;
    const DropPlacement placement =
        PlaceDropDown(sys::GetSystemMetrics(sys::SM_CYSCREEN), y, h, droppedHeight_, itemHeight_);
    dropRect_ = sys::RECT{x, placement.top, x + droppedWidth_, placement.top + placement.height};
    repositionPending_ = true;
    InstallKeyHook();
    // The native list opens at this width too, so that it paints, asks for its colours and
    // is moved to the cell at once.
    sys::SendMessage(combo_, sys::CB_SETDROPPEDWIDTH, sys::WPARAM(std::max(droppedWidth_, 1)));
    sys::SendMessage(combo_, sys::CB_SHOWDROPDOWN, 1);
    if (!Dropped()) RemoveKeyHook();
}

void DropDownList::CloseDropDown() {
    if (combo_ != 0) sys::SendMessage(combo_, sys::CB_SHOWDROPDOWN, 0);
}

bool DropDownList::Dropped() const {
    return combo_ != 0 && sys::SendMessage(combo_, sys::CB_GETDROPPEDSTATE) != 0;
}

void DropDownList::InstallKeyHook() {
    gOpenList = this;
    if (gHookInstalled) return;
    gPreviousHook = sys::SetGetMessageHook(&ForwardListKey);
    gHookInstalled = true;
}

void DropDownList::RemoveKeyHook() {
    if (gOpenList != this) return;
    gOpenList = nullptr;
    if (!gHookInstalled) return;
    const sys::GetMessageHook current = sys::SetGetMessageHook(gPreviousHook);
    // A hook installed over this one (a drag started meanwhile) stays in charge.
    if (current != &ForwardListKey) sys::SetGetMessageHook(current);
    gHookInstalled = false;
    gPreviousHook = nullptr;
}

// ---- Windows ----

sys::LRESULT DropDownList::InstanceProcedure(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                             sys::LPARAM lParam) {
    auto* list = reinterpret_cast<DropDownList*>(sys::GetWindowLongPtr(hwnd, sys::GWLP_USERDATA));
    if (list == nullptr) return sys::DefWindowProc(hwnd, msg, wParam, lParam);
    // The owner's handling may let the list go (its combo list removed): it stays alive
    // until this message is done. While it is being made nothing owns it yet.
    const std::shared_ptr<DropDownList> keep = list->weak_from_this().lock();
    return list->OnInstanceMessage(msg, wParam, lParam);
}

sys::LRESULT DropDownList::OnInstanceMessage(sys::UINT msg, sys::WPARAM wParam,
                                             sys::LPARAM lParam) {
    switch (msg) {
        case sys::WM_COMMAND:
            if (sys::HWND(lParam) == combo_) OnCommand(sys::HIWORD(std::uintptr_t(wParam)));
            return 0;
        case sys::WM_MEASUREITEM:
            reinterpret_cast<sys::MEASUREITEMSTRUCT*>(lParam)->itemHeight = sys::UINT(itemHeight_);
            return 1;
        case sys::WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const sys::DRAWITEMSTRUCT*>(lParam));
            return 1;
        case sys::WM_CTLCOLORLISTBOX:
            return OnListColors(sys::HWND(lParam));
        case sys::WM_SETFOCUS:
            if (combo_ != 0) sys::SetFocus(combo_);
            return 0;
        default:
            return sys::DefWindowProc(instance_, msg, wParam, lParam);
    }
}

void DropDownList::OnCommand(sys::UINT code) {
    if (code == sys::CBN_SELENDOK) {
        owner_.DropDownDidEndSelection(*this);
    } else if (code == sys::CBN_CLOSEUP) {
        RemoveKeyHook();
        owner_.DropDownDidCloseUp(*this);
    }
}

sys::LRESULT DropDownList::WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                      sys::LPARAM lParam) {
    const std::shared_ptr<DropDownList> keep = weak_from_this().lock();
    std::int32_t key = std::int32_t(wParam);
    owner_.DropDownKeyWentDown(*this, key, ShiftMask());
    if (!sys::IsWindow(hwnd)) return 0;
    const sys::LRESULT result = CallOldWindowProc(hwnd, msg, sys::WPARAM(key), lParam);
    if (sys::IsWindow(hwnd)) owner_.DropDownDidHandleKey(*this);
    return result;
}

}  // namespace vexa
