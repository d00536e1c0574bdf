/// \file
/// What the control swallows by design, told to the host if it wants to know: an exception
/// thrown by an event handler, a failing internal step that the operation carries on past.
/// By default nothing is written anywhere.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// One failure the control swallowed, as the log hook receives it.
struct VEXA_API LogEntry {
    /// Where it happened: the event's name ("CustomSort") or the step's ("FillFromRS").
    std::string where;
    /// What was thrown: an Error's description, another exception's what(), or
    /// "unknown exception".
    std::string what;
    /// The number of a vexa::Error, else 0.
    std::int32_t number = 0;
};

/// A host's receiver of swallowed failures; see SetLogHook.
using LogHook = std::function<void(const LogEntry& entry)>;

/// Installs `hook` (an empty one removes it) and returns the previous one. The hook runs on
/// the thread that swallowed the failure; an exception it throws is swallowed too.
LogHook SetLogHook(LogHook hook);

/// Tells the hook about the exception being handled (call it inside a catch block).
void LogSwallowedException(std::string_view where) noexcept;

}  // namespace vexa

VEXA_PUBLIC_END
