#include "vexa/system/automation/Log.h"

#include "vexa/system/automation/Error.h"

namespace vexa {

namespace {

LogHook& Hook() {
    static LogHook hook;
    return hook;
}

}  // namespace

LogHook SetLogHook(LogHook hook) {
    LogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

void LogSwallowedException(std::string_view where) noexcept {
    if (!Hook()) return;
    try {
        LogEntry entry;
        entry.where = std::string(where);
        try {
            throw;
        } catch (const Error& error) {
            entry.what = error.Description();
            entry.number = error.Number();
        } catch (const std::exception& error) {
            entry.what = error.what();
        } catch (...) {
            entry.what = "unknown exception";
        }
        // A copy: the hook may replace itself while it runs.
        const LogHook hook = Hook();
        hook(entry);
    } catch (...) {
    }
}

}  // namespace vexa
