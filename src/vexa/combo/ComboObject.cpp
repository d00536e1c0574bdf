#include "vexa/combo/ComboObject.h"

#include <algorithm>

#include "vexa/combo/DropDownList.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

ComboObject::ComboObject(std::int16_t listIndex, std::shared_ptr<DropDownList> dropDown,
                         const std::shared_ptr<vexa::Font>& font)
    : listIndex_(listIndex), dropDown_(std::move(dropDown)), font_(font) {
    if (!font_) font_ = vexa::Font::Create();
    if (dropDown_) dropDown_->SetFont(*font_);
    Subscribe();
    ApplyDroppedHeight();
}

ComboObject::~ComboObject() {
    Unsubscribe();
    Detach();
}

void ComboObject::Detach() {
    if (dropDown_) dropDown_->Destroy();
    dropDown_.reset();
    listIndex_ = 0;
}

DropDownList& ComboObject::AttachedDropDown() const {
    if (!dropDown_) RaiseGridError(kErrInvalidArgument);
    return *dropDown_;
}

void ComboObject::CheckItemIndex(std::int32_t index) const {
    if (index < 0 || index >= ListCount()) RaiseGridError(kErrSubscriptOutOfRange);
}

void ComboObject::ApplyDroppedHeight() {
    if (dropDown_) dropDown_->SetHeightInItems(std::min(ListCount(), maxHeightInItems_));
}

// ---- Items ----

void ComboObject::Clear() {
    AttachedDropDown().Clear();
    ApplyDroppedHeight();
}

void ComboObject::AddItem(const std::string& sItemText, const std::optional<Variant>& vItemValue,
                          std::int16_t iIconIndex, std::int32_t lIndex) {
    DropDownList& list = AttachedDropDown();
    if (lIndex < -1 || lIndex > ListCount()) RaiseGridError(kErrSubscriptOutOfRange);
    list.AddItem(sItemText, vItemValue ? *vItemValue : Variant(sItemText), iIconIndex, lIndex);
    ApplyDroppedHeight();
}

void ComboObject::RemoveItem(std::int32_t lIndex) {
    DropDownList& list = AttachedDropDown();
    CheckItemIndex(lIndex);
    list.RemoveItem(lIndex);
    ApplyDroppedHeight();
}

std::int32_t ComboObject::ListCount() const {
    return dropDown_ ? dropDown_->ListCount() : 0;
}

Variant ComboObject::ItemValue(std::int32_t lIndex) const {
    CheckItemIndex(lIndex);
    return dropDown_->ItemValue(lIndex);
}

void ComboObject::SetItemValue(std::int32_t lIndex, const Variant& value) {
    DropDownList& list = AttachedDropDown();
    CheckItemIndex(lIndex);
    list.SetItemValue(lIndex, value);
}

std::int32_t ComboObject::ValueIndex(const Variant& vValue) const {
    return dropDown_ ? dropDown_->ValueIndex(vValue) : -1;
}

std::string ComboObject::ItemText(std::int32_t index) const {
    return dropDown_ ? dropDown_->ItemText(index) : std::string();
}

std::int16_t ComboObject::ItemIcon(std::int32_t index) const {
    return dropDown_ ? dropDown_->ItemIconIndex(index) : std::int16_t(-1);
}

// ---- Size and font ----

void ComboObject::SetMaxHeightInItems(std::int32_t lItems) {
    if (lItems < 1) RaiseGridError(kErrInvalidArgument);
    maxHeightInItems_ = lItems;
    ApplyDroppedHeight();
}

void ComboObject::SetWidth(std::int32_t lWidth) {
    if (dropDown_) dropDown_->SetWidth(lWidth);
}

void ComboObject::AutoAdjustWidth() {
    if (dropDown_) dropDown_->AutoAdjustWidth();
}

void ComboObject::SetFont(const std::shared_ptr<vexa::Font>& font) {
    if (!font) RaiseRuntimeError(rtObjectNotSet);
    Unsubscribe();
    font_ = font;
    Subscribe();
    if (dropDown_) dropDown_->SetFont(*font_);
}

void ComboObject::Subscribe() {
    fontToken_ = font_->Subscribe([this](std::string_view) {
        if (dropDown_) dropDown_->SetFont(*font_);
    });
}

void ComboObject::Unsubscribe() {
    if (font_ && fontToken_ != 0) font_->Unsubscribe(fontToken_);
    fontToken_ = 0;
}

}  // namespace vexa
