/// \file
/// The control's error table and the single routine that raises its errors.
#pragma once

#include <cstdint>
#include <string_view>

#include "vexa/system/automation/Error.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// Codes of the grid's own errors; the number a host sees is kGridErrorBase + code.
enum GridErrorCode : std::int32_t {
    kErrInternal = 512,
    kErrSubscriptOutOfRange = 513,
    kErrInvalidArgument = 514,
    kErrDuplicateKey = 515,
    kErrNoColumns = 516,
    kErrSecondRowTextCol = 517,
    kErrImageListExpected = 518,
    kErrMaxBelowMin = 519,
    kErrWidthOutsideLimits = 520,
};

/// The base automation uses for object-defined errors.
inline constexpr std::uint32_t kGridErrorBase = 0x80040000u;

/// The source every grid error reports.
inline constexpr std::string_view kGridErrorSource = "Vexa";

/// The number a host sees for a grid error code (0x80040000 + code).
constexpr std::int32_t GridErrorNumber(std::int32_t code) {
    return static_cast<std::int32_t>(kGridErrorBase + static_cast<std::uint32_t>(code));
}

/// The message of the table for a code; an empty view for codes the table does not list.
std::string_view GridErrorMessage(std::int32_t code);

/// Builds the error without throwing it (for code that collects an error to raise later).
Error MakeGridError(std::int32_t code);

/// Raises the grid error of the given code as a vexa::Error.
[[noreturn]] void RaiseGridError(std::int32_t code);

}  // namespace vexa

VEXA_PUBLIC_END
