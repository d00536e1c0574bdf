// The design-time properties a grid saves and loads, as one table that the defaults of a new
// grid, reading and writing all go through.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "vexa/system/automation/Variant.h"

namespace vexa {

class Vexa;

// What a stored value is converted to before its setter gets it.
enum class PersistedType : std::uint8_t {
    Boolean,
    Long,     // a 32-bit integer or enumeration
    Integer,  // a 16-bit integer
    Colour,   // an OLE_COLOR, stored as a 32-bit integer
    Font,     // a font object or none
    Picture,  // a picture object or none
};

struct PersistedProperty {
    std::string_view name;  // the public name, which is the key in the stored set
    PersistedType type;
    // Given to the bag as it is, so a 16-bit default matches a 32-bit value equal to it.
    Variant defaultValue;
    Variant (*get)(const Vexa& grid);
    // Takes a value already converted to `type`.
    void (*set)(Vexa& grid, const Variant& value);
};

// Every persisted property, in the order they are read, applied and written.
std::span<const PersistedProperty> PersistedProperties();

// The property of that exact name, or nullptr.
const PersistedProperty* FindPersistedProperty(std::string_view name);

// `value` converted as the setter of a `type` property takes it, by the classic conversions:
// 13 "Type mismatch" for a value of another kind (an object where a number belongs, a text
// that is no number, a font where a picture belongs), 6 "Overflow" for a number too large,
// 94 for Null.
Variant ConvertForSetter(PersistedType type, const Variant& value);

}  // namespace vexa
