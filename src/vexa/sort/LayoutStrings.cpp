#include "vexa/sort/LayoutStrings.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "vexa/model/ColumnTable.h"
#include "vexa/model/GridErrors.h"
#include "vexa/model/GridStore.h"

namespace vexa {

namespace {

constexpr char kSeparator = '|';
constexpr std::size_t kTripleFields = 3;
constexpr std::int32_t kTriplesPerColumn = 3;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

void AppendTriple(std::string& out, std::int32_t index, std::string_view name, std::int32_t value) {
    out += std::to_string(index);
    out += kSeparator;
    out += name;
    out += kSeparator;
    out += std::to_string(value);
    out += kSeparator;
}

// Display positions by column index (element 0 unused).
std::vector<std::int32_t> PositionsByIndex(const ColumnTable& columns) {
    std::vector<std::int32_t> positions(std::size_t(columns.Count()) + 1, 0);
    for (std::int32_t p = 1; p <= columns.Count(); ++p) {
        const std::int32_t index = columns.At(p).index;
        if (index >= 1 && index <= columns.Count()) positions[std::size_t(index)] = p;
    }
    return positions;
}

// What the triples of one column say so far.
struct ColumnGroup {
    std::int32_t triples = 0;
    std::int32_t index = 0;
    std::optional<std::int32_t> width;
    std::optional<std::int32_t> order;
    std::optional<bool> visible;
};

// The new display order as it is being filled, refusing anything but a permutation.
class NewOrder {
  public:
    explicit NewOrder(const ColumnTable& columns)
        : columns_(columns),
          positionOf_(PositionsByIndex(columns)),
          slots_(std::size_t(columns.Count())),
          placed_(std::size_t(columns.Count()) + 1, false) {}

    void ApplyGroup(const ColumnGroup& group) {
        if (group.index > columns_.Count()) {
            ++skipped_;
            return;
        }
        if (group.index < 1) RaiseGridError(kErrSubscriptOutOfRange);
        const ColumnRecord& current = columns_.At(positionOf_[std::size_t(group.index)]);
        const std::int32_t width = group.width.value_or(current.width);
        if (width < 0) RaiseGridError(kErrInvalidArgument);
        // The row-text column stays visible whatever the string says, as ColVisible keeps it.
        const bool visible =
            current.rowTextColumn ? current.visible : group.visible.value_or(current.visible);
        Place(std::int64_t(group.order.value_or(0)) - skipped_,
              ColumnPlacement{group.index, std::min(width, GridStore::kMaxColumnWidth), visible});
        highestIndex_ = std::max(highestIndex_, group.index);
    }

    // Columns beyond the highest index described keep their index as position; every
    // position must then hold exactly one column.
    std::vector<ColumnPlacement> Finish() {
        for (std::int32_t index = highestIndex_ + 1; index <= columns_.Count(); ++index) {
            const ColumnRecord& current = columns_.At(positionOf_[std::size_t(index)]);
            Place(index, ColumnPlacement{index, current.width, current.visible});
        }
        std::vector<ColumnPlacement> placements;
        placements.reserve(slots_.size());
        for (const std::optional<ColumnPlacement>& slot : slots_) {
            if (!slot) RaiseGridError(kErrInvalidArgument);
            placements.push_back(*slot);
        }
        return placements;
    }

  private:
    void Place(std::int64_t position, const ColumnPlacement& placement) {
        if (position < 1 || position > columns_.Count()) RaiseGridError(kErrInvalidArgument);
        std::optional<ColumnPlacement>& slot = slots_[std::size_t(position - 1)];
        if (slot || placed_[std::size_t(placement.index)]) RaiseGridError(kErrInvalidArgument);
        slot = placement;
        placed_[std::size_t(placement.index)] = true;
    }

    const ColumnTable& columns_;
    std::vector<std::int32_t> positionOf_;
    std::vector<std::optional<ColumnPlacement>> slots_;
    std::vector<bool> placed_;  // by column index
    std::int32_t skipped_ = 0;
    std::int32_t highestIndex_ = 0;
};

std::int32_t NumberOrRefuse(std::string_view field) {
    const std::optional<std::int32_t> number = ParseLayoutNumber(field);
    if (!number) RaiseGridError(kErrInvalidArgument);
    return *number;
}

void ReadColumnTriple(ColumnGroup& group, std::string_view name, std::string_view value) {
    if (name == "Width") {
        group.width = NumberOrRefuse(value);
    } else if (name == "Order") {
        group.order = NumberOrRefuse(value);
    } else if (name == "Visible") {
        group.visible = ParseLayoutBoolean(value);
        if (!group.visible) RaiseGridError(kErrInvalidArgument);
    }
}

}  // namespace

std::vector<std::string_view> LayoutFields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t bar = text.find(kSeparator, start);
        if (bar == std::string_view::npos) break;  // an unfinished field ends the string
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    return fields;
}

std::optional<std::int32_t> ParseLayoutNumber(std::string_view field) {
    std::string_view digits = Trimmed(field);
    const bool plus = !digits.empty() && digits.front() == '+';
    if (plus) digits.remove_prefix(1);
    if (digits.empty() || (plus && digits.front() == '-')) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::optional<bool> ParseLayoutBoolean(std::string_view field) {
    if (const std::optional<std::int32_t> number = ParseLayoutNumber(field)) return *number != 0;
    const std::string_view word = Trimmed(field);
    if (EqualsIgnoringCase(word, "True")) return true;
    if (EqualsIgnoringCase(word, "False")) return false;
    return std::nullopt;
}

std::string WriteColumnLayout(const ColumnTable& columns) {
    const std::vector<std::int32_t> positions = PositionsByIndex(columns);
    std::string out;
    out.reserve(std::size_t(columns.Count()) * 48);
    for (std::int32_t index = 1; index <= columns.Count(); ++index) {
        const std::int32_t position = positions[std::size_t(index)];
        const ColumnRecord& column = columns.At(position);
        AppendTriple(out, index, "Width", column.width);
        AppendTriple(out, index, "Order", position);
        AppendTriple(out, index, "Visible", column.visible ? 1 : 0);
    }
    return out;
}

std::vector<ColumnPlacement> ReadColumnLayout(std::string_view text, const ColumnTable& columns) {
    const std::vector<std::string_view> fields = LayoutFields(text);
    NewOrder order(columns);
    ColumnGroup group;
    for (std::size_t f = 0; f + kTripleFields <= fields.size(); f += kTripleFields) {
        group.index = NumberOrRefuse(fields[f]);
        ReadColumnTriple(group, fields[f + 1], fields[f + 2]);
        if (++group.triples < kTriplesPerColumn) continue;
        order.ApplyGroup(group);
        group = ColumnGroup{};
    }
    return order.Finish();
}

std::string WriteSortLayout(const ColumnTable& columns) {
    std::string out;
    for (std::int32_t p = 1; p <= columns.Count(); ++p) {
        const ColumnRecord& column = columns.At(p);
        if (column.sortKey <= 0) continue;
        AppendTriple(out, column.index, "SortKey", column.sortKey);
        AppendTriple(out, column.index, "SortOrder", column.sortOrder);
    }
    return out;
}

SortLayout ReadSortLayout(std::string_view text, const ColumnTable& columns) {
    const std::vector<std::string_view> fields = LayoutFields(text);
    const std::vector<std::int32_t> positions = PositionsByIndex(columns);
    SortLayout layout;
    for (std::size_t f = 0; f + kTripleFields <= fields.size(); f += kTripleFields) {
        const std::optional<std::int32_t> index = ParseLayoutNumber(fields[f]);
        const std::optional<std::int32_t> value = ParseLayoutNumber(fields[f + 2]);
        const std::string_view name = fields[f + 1];
        const bool isKey = name == "SortKey";
        if (!index || *index < 1 || *index > columns.Count() || !value) continue;
        if (!isKey && name != "SortOrder") continue;
        layout.settings.push_back(SortSetting{positions[std::size_t(*index)], isKey, *value});
        if (isKey) layout.maxKey = std::max(layout.maxKey, *value);
    }
    return layout;
}

}  // namespace vexa
