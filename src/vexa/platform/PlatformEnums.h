/// \file
/// The two public enumerations of the platform services: how a subclassing client wants a
/// message handled, and the error codes of the timer service.
#pragma once

#include <cstdint>

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// How a subclassing client wants a message handled relative to the previous window procedure.
enum EMsgResponse : std::int32_t {
    emrConsume = 0,      ///< the previous window procedure is not called
    emrPostProcess = 1,  ///< it runs after the client and its result is returned
    emrPreprocess = 2,   ///< it runs before the client; the client's result is returned
};

/// Error codes of the timer service.
enum EErrorTimer : std::int32_t {
    eeBaseTimer = 13650,
    eeTooManyTimers = 13651,
    eeCantCreateTimer = 13652,
};

}  // namespace vexa

VEXA_PUBLIC_END
