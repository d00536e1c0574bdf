#include "vexa/model/CellFontTable.h"

#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

std::int16_t CellFontTable::Enter(const Font& font) {
    // Distinct cell fonts are few, so a scan in entry order is cheap and gives the first
    // equal entry as the table promises.
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i]->IsEqual(font)) return static_cast<std::int16_t>(i + 1);
    }
    if (Count() >= kMaxEntries) RaiseRuntimeError(rtOverflow);
    auto copy = font.Clone();
    handles_.push_back(copy->Handle());
    fonts_.push_back(std::move(copy));
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
