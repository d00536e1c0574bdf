#include "vexa/model/FormatStringTable.h"

#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

std::int16_t FormatStringTable::Enter(const std::string& format) {
    if (auto found = indexOf_.find(format); found != indexOf_.end()) return found->second;
    if (Count() >= kMaxEntries) RaiseRuntimeError(rtOverflow);
    entries_.push_back(format);
    const auto index = static_cast<std::int16_t>(entries_.size());
    indexOf_.emplace(format, index);
    return index;
}

const std::string& FormatStringTable::At(std::int16_t index) const {
    static const std::string kNone;
    if (index < 1 || index > Count()) return kNone;
    return entries_[std::size_t(index - 1)];
}

}  // namespace vexa
