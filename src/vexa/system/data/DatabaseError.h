/// \file
/// The error every database adapter raises when the database refuses a call: one number for
/// all of them, source "Connection", and the database's own message as the description, so
/// that a host handles a failure the same way whichever database it uses.
#pragma once

#include <cstdint>
#include <string_view>

#include "vexa/system/automation/Error.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// The number a failing database call reports (the provider's "unspecified failure").
inline constexpr std::int32_t kDatabaseErrorNumber = static_cast<std::int32_t>(0x80004005u);

/// Raises vexa::Error with kDatabaseErrorNumber and the database's message.
[[noreturn]] void RaiseDatabaseError(std::string_view message);

}  // namespace vexa

VEXA_PUBLIC_END
