#include "vexa/model/CellFontTable.h"

#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

std::int16_t CellFontTable::Enter(const Font& font) {
    // New rows enter their columns' default-cell fonts cell by cell, so the entry found last
    // is tried first. Entries are distinct, so any equal entry is the first equal one.
    if (lastFound_ < fonts_.size() && fonts_[lastFound_]->IsEqual(font)) {
        return static_cast<std::int16_t>(lastFound_ + 1);
    }
    // Distinct cell fonts are few, so a scan in entry order is cheap.
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i]->IsEqual(font)) {
            lastFound_ = i;
            return static_cast<std::int16_t>(i + 1);
        }
    }
    if (Count() >= kMaxEntries) RaiseRuntimeError(rtOverflow);
    auto copy = font.Clone();
    handles_.push_back(copy->Handle());
    fonts_.push_back(std::move(copy));
    lastFound_ = fonts_.size() - 1;
    return static_cast<std::int16_t>(fonts_.size());
}

std::shared_ptr<Font> CellFontTable::At(std::int16_t index) const {
    if (index < 1 || index > Count()) return nullptr;
    return fonts_[std::size_t(index - 1)];
}

std::uint64_t CellFontTable::HandleAt(std::int16_t index) const {
    if (index < 1 || index > Count()) return 0;
    return handles_[std::size_t(index - 1)];
}

}  // namespace vexa
