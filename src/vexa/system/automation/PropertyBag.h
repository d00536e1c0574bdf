/// \file
/// The property-persistence interface: a control reads and writes its design-time
/// properties by name, each with a default, and the container decides where they are kept.
#pragma once

#include <string_view>

#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// Where a control's design-time properties are kept; containers implement it.
class VEXA_API PropertyBag {
  public:
    virtual ~PropertyBag() = default;

    /// The stored value, or `defaultValue` when the name has none.
    virtual Variant ReadProperty(std::string_view name, const Variant& defaultValue) = 0;
    /// Stores `value`; a value equal to its default is not stored (and one stored earlier
    /// under the name is dropped), so reading it back gives the default.
    virtual void WriteProperty(std::string_view name, const Variant& value,
                               const Variant& defaultValue) = 0;
};

/// Whether `value` needs no storing given `defaultValue`: values of one type that are
/// identical, or numbers of different widths with the same value (a 16-bit default matches
/// the same 32-bit value). A number never matches a string, Boolean, date or Empty, so a
/// value always reads back with its own type. Objects match only the same object.
bool IsDefaultValue(const Variant& value, const Variant& defaultValue);

}  // namespace vexa

VEXA_PUBLIC_END
