// What the automation tests share: the error number a call raises.
#pragma once

#include <cstdint>

#include "vexa/system/automation/Error.h"

namespace vexa::testing {

// The number of the Error the call raises, 0 when it raises none.
inline std::int32_t ErrorOf(auto&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace vexa::testing
