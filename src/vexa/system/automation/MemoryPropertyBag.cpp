#include "vexa/system/automation/MemoryPropertyBag.h"

#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

void RequireName(std::string_view name) {
    if (name.empty()) RaiseRuntimeError(rtInvalidProcedureCall);
}

}  // namespace

std::string MemoryPropertyBag::FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return folded;
}

Variant MemoryPropertyBag::ReadProperty(std::string_view name, const Variant& defaultValue) {
    RequireName(name);
    const Variant* stored = Find(name);
    return stored != nullptr ? *stored : defaultValue;
}

void MemoryPropertyBag::WriteProperty(std::string_view name, const Variant& value,
                                      const Variant& defaultValue) {
    RequireName(name);
    if (IsDefaultValue(value, defaultValue)) {
        Remove(name);
    } else {
        Set(name, value);
    }
}

void MemoryPropertyBag::Set(std::string_view name, Variant value) {
    RequireName(name);
    auto [slot, inserted] = index_.try_emplace(FoldedName(name), entries_.size());
    if (inserted) {
        entries_.emplace_back(std::string(name), std::move(value));
    } else {
        entries_[slot->second].second = std::move(value);
    }
}

const Variant* MemoryPropertyBag::Find(std::string_view name) const {
    const auto slot = index_.find(FoldedName(name));
    return slot == index_.end() ? nullptr : &entries_[slot->second].second;
}

bool MemoryPropertyBag::Remove(std::string_view name) {
    const auto slot = index_.find(FoldedName(name));
    if (slot == index_.end()) return false;
    entries_.erase(entries_.begin() + std::ptrdiff_t(slot->second));
    Reindex();
    return true;
}

void MemoryPropertyBag::Clear() {
    entries_.clear();
    index_.clear();
}

void MemoryPropertyBag::Reindex() {
    index_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        index_.emplace(FoldedName(entries_[i].first), i);
    }
}

}  // namespace vexa
