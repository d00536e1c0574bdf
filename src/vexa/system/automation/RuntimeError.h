// Errors of the automation runtime itself (conversions, late-bound calls), raised with
// the numbers and texts hosts already know from the classic runtime.
#pragma once

#include <cstdint>
#include <string_view>

namespace vexa {

enum RuntimeErrorCode : std::int32_t {
    rtInvalidProcedureCall = 5,
    rtOverflow = 6,
    rtSubscriptOutOfRange = 9,
    rtDivisionByZero = 11,
    rtTypeMismatch = 13,
    rtObjectNotSet = 91,
    rtInvalidUseOfNull = 94,
    rtMemberNotSupported = 438,
    rtWrongArgumentCount = 450,
};

// The runtime's message for `code`, or "Application-defined or object-defined error".
std::string_view RuntimeErrorMessage(std::int32_t code);

// Throws vexa::Error with `code`, its message and the source "Vexa".
[[noreturn]] void RaiseRuntimeError(std::int32_t code);

}  // namespace vexa
