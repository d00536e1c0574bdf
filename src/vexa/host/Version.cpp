#include "vexa/Version.h"

#define VEXA_STRINGIFY_TEXT(x) #x
#define VEXA_STRINGIFY(x) VEXA_STRINGIFY_TEXT(x)

namespace vexa {

const char* Version() {
    return VEXA_STRINGIFY(VEXA_VERSION_MAJOR) "." VEXA_STRINGIFY(
        VEXA_VERSION_MINOR) "." VEXA_STRINGIFY(VEXA_VERSION_PATCH);
}

}  // namespace vexa
