#include "vexa/combo/CombosObject.h"

#include "vexa/combo/CombosHost.h"
#include "vexa/combo/DropDownList.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

constexpr std::int32_t kMaxSlot = 32767;

bool SameKey(const std::string& a, const std::string& b) {
    return CompareText(a, b, true) == 0;
}

}  // namespace

CombosObject::CombosObject(CombosHost& host) : host_(host), slotUsed_(1, true) {}

CombosObject::~CombosObject() {
    for (Entry& entry : lists_) entry.list->Detach();
}

std::int16_t CombosObject::TakeSlot() {
    for (std::size_t slot = 1; slot < slotUsed_.size(); ++slot) {
        if (!slotUsed_[slot]) {
            slotUsed_[slot] = true;
            return std::int16_t(slot);
        }
    }
    if (slotUsed_.size() > std::size_t(kMaxSlot)) return 0;
    slotUsed_.push_back(true);
    return std::int16_t(slotUsed_.size() - 1);
}

std::shared_ptr<ComboObject> CombosObject::Add(const std::string& sKey) {
    for (const Entry& entry : lists_) {
        if (SameKey(entry.key, sKey)) return nullptr;
    }
    const std::int16_t slot = TakeSlot();
    if (slot == 0) return nullptr;
    std::shared_ptr<DropDownList> dropDown =
        DropDownList::Create(host_.ListParentWindow(), host_.DropDownOwner());
    dropDown->AllowXPStyles(host_.UsesVisualStyles());
    dropDown->SetImageList(host_.ItemImages());
    std::shared_ptr<Font> gridFont = host_.GridFont();
    auto list = std::make_shared<ComboObject>(slot, std::move(dropDown),
                                              gridFont ? gridFont->Clone() : nullptr);
    lists_.push_back({sKey, list});
    return list;
}

std::int32_t CombosObject::Find(const Variant& vKey) const {
    if (vKey.IsString()) {
        for (std::size_t i = 0; i < lists_.size(); ++i) {
            if (SameKey(lists_[i].key, vKey.StringRef())) return std::int32_t(i);
        }
        return -1;
    }
    if (!vKey.IsNumericType()) return -1;
    const double position = vKey.ToDouble();
    if (position < 1 || position > double(lists_.size())) return -1;
    return vKey.ToLong() - 1;
}

std::shared_ptr<ComboObject> CombosObject::Items(const Variant& vKey) const {
    const std::int32_t found = Find(vKey);
    if (found >= 0) return lists_[std::size_t(found)].list;
    if (vKey.IsString()) RaiseRuntimeError(rtInvalidProcedureCall);
    if (vKey.IsNumericType()) RaiseRuntimeError(rtSubscriptOutOfRange);
    RaiseRuntimeError(rtTypeMismatch);
}

void CombosObject::Remove(const Variant& vKey) {
    const std::int32_t found = Find(vKey);
    if (found < 0) RaiseGridError(kErrInvalidArgument);
    const std::shared_ptr<ComboObject> list = lists_[std::size_t(found)].list;
    const std::int16_t slot = list->ListIndex();
    host_.ComboListWillBeRemoved(slot);
    // The host may have removed it meanwhile, from inside an event of the edit that ended.
    const std::int32_t still = Find(vKey);
    if (still < 0 || lists_[std::size_t(still)].list != list) return;
    list->Detach();
    slotUsed_[std::size_t(slot)] = false;
    lists_.erase(lists_.begin() + still);
}

std::int16_t CombosObject::ListIndexOfKey(const std::string& key) const {
    for (const Entry& entry : lists_) {
        if (entry.key == key) return entry.list->ListIndex();
    }
    return 0;
}

std::string CombosObject::KeyOfList(std::int16_t listIndex) const {
    for (const Entry& entry : lists_) {
        if (listIndex != 0 && entry.list->ListIndex() == listIndex) return entry.key;
    }
    return {};
}

ComboObject* CombosObject::ListAt(std::int16_t listIndex) const {
    for (const Entry& entry : lists_) {
        if (listIndex != 0 && entry.list->ListIndex() == listIndex) return entry.list.get();
    }
    return nullptr;
}

ComboMatch CombosObject::MatchItem(std::int16_t listIndex, const Variant& value) const {
    const ComboObject* list = ListAt(listIndex);
    if (list == nullptr || list->DropDown() == nullptr) return {};
    const DropDownList& items = *list->DropDown();
    // Items without a value never match, whatever the cell holds.
    const std::int32_t index = items.ValueIndex(value, true);
    if (index < 0 || index > 32767) return {};
    return {std::int16_t(index), items.ItemIconIndex(index)};
}

}  // namespace vexa
