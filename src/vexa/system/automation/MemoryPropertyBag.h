/// \file
/// A property bag kept in memory: values are stored as given (objects by reference), in
/// the order they were first written, and found by name without regard to ASCII case.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vexa/system/automation/PropertyBag.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// A property bag kept in memory, in the order properties were first written.
class VEXA_API MemoryPropertyBag : public PropertyBag {
  public:
    /// A property name and its value.
    using Entry = std::pair<std::string, Variant>;

    /**@{*/
    /// Both raise 5 "Invalid procedure call or argument" for an empty name.
    Variant ReadProperty(std::string_view name, const Variant& defaultValue) override;
    void WriteProperty(std::string_view name, const Variant& value,
                       const Variant& defaultValue) override;
    /**@}*/

    /// Stores unconditionally, keeping the place of an earlier value under the name.
    void Set(std::string_view name, Variant value);
    /// The value stored under `name` (no default applies), or null when there is none.
    const Variant* Find(std::string_view name) const;
    /// Removes the value stored under `name`; false when there was none.
    bool Remove(std::string_view name);
    /// Removes every value.
    void Clear();

    /// How many values are stored.
    std::size_t Count() const { return entries_.size(); }
    /// The stored values in the order they were first written.
    const std::vector<Entry>& Entries() const { return entries_; }

  private:
    static std::string FoldedName(std::string_view name);
    void Reindex();

    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> index_;  // folded name -> entries_ slot
};

}  // namespace vexa

VEXA_PUBLIC_END
