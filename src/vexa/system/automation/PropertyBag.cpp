#include "vexa/system/automation/PropertyBag.h"

namespace vexa {

bool IsDefaultValue(const Variant& value, const Variant& defaultValue) {
    if (value.Type() == defaultValue.Type()) return value == defaultValue;
    return value.IsNumericType() && defaultValue.IsNumericType() &&
           CompareVariants(value, defaultValue) == 0;
}

}  // namespace vexa
