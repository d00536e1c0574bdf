#include "vexa/system/automation/RuntimeError.h"

#include <string>

#include "vexa/system/automation/Error.h"

namespace vexa {

std::string_view RuntimeErrorMessage(std::int32_t code) {
    switch (code) {
        case rtInvalidProcedureCall:
            return "Invalid procedure call or argument";
        case rtOverflow:
            return "Overflow";
        case rtSubscriptOutOfRange:
            return "Subscript out of range";
        case rtDivisionByZero:
            return "Division by zero";
        case rtTypeMismatch:
            return "Type mismatch";
        case rtObjectNotSet:
            return "Object variable or With block variable not set";
        case rtInvalidUseOfNull:
            return "Invalid use of Null";
        case rtMemberNotSupported:
            return "Object doesn't support this property or method";
        case rtWrongArgumentCount:
            return "Wrong number of arguments or invalid property assignment";
        default:
            return "Application-defined or object-defined error";
    }
}

void RaiseRuntimeError(std::int32_t code) {
    throw Error(code, "Vexa", std::string(RuntimeErrorMessage(code)));
}

}  // namespace vexa
