// Process-wide identities for automation objects that stand for system resources (fonts,
// pictures): a handle is never reused, so a cache keyed by it can never confuse a new
// object with a released one.
#pragma once

#include <atomic>
#include <cstdint>

namespace vexa {

inline std::uint64_t NewObjectHandle() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace vexa
