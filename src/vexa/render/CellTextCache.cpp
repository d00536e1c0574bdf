#include "vexa/render/CellTextCache.h"

#include <cstring>

#include "vexa/model/CellValues.h"
#include "vexa/model/GridRecords.h"

namespace vexa {

namespace {

// Several screens of distinct values; beyond it the cache starts over.
constexpr std::size_t kTextLimit = 65536;

template <class T>
std::uint64_t BitsOf(T value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    return bits;
}

}  // namespace

std::size_t CellTextCache::Hash::operator()(const Key& key) const {
    return std::size_t(key.bits * 0x9E3779B97F4A7C15ull) ^
           (std::size_t(key.type) << 20 | std::size_t(key.format));
}

bool CellTextCache::KeyOf(const CellRecord& cell, Key& key) {
    if (cell.CellType() != vxCellText) return false;
    const Variant& value = cell.value;
    key.type = value.Type();
    key.format = cell.fmtStringIndex;
    switch (value.Type()) {
        case vtDouble:
            key.bits = BitsOf(value.ToDouble());
            return true;
        case vtSingle:
            key.bits = BitsOf(value.ToSingle());
            return true;
        case vtDate:
            key.bits = BitsOf(value.ToDate());
            return true;
        case vtCurrency:
            key.bits = BitsOf(value.ToCurrencyScaled());
            return true;
        case vtLong:
        case vtInteger:
        case vtByte:
        case vtBoolean:
            key.bits = BitsOf(std::int64_t(value.ToLong()));
            return true;
        default:
            return false;
    }
}

const std::string& CellTextCache::DisplayText(const CellValues& values, const CellRecord& cell) {
    Key key;
    if (!KeyOf(cell, key)) {
        uncached_ = values.DisplayText(cell);
        return uncached_;
    }
    if (auto found = texts_.find(key); found != texts_.end()) return found->second;
    if (texts_.size() >= kTextLimit) texts_.clear();
    return texts_.emplace(key, values.DisplayText(cell)).first->second;
}

}  // namespace vexa
