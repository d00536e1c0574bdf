/// \file
/// The version of the Vexa library a program was compiled against, and the one it runs with.
#pragma once

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

/**@{*/
/// The version this header belongs to: major (incompatible changes), minor (additions) and
/// patch (fixes).
#define VEXA_VERSION_MAJOR 0
#define VEXA_VERSION_MINOR 1
#define VEXA_VERSION_PATCH 0
/**@}*/

namespace vexa {

/// "major.minor.patch" of the library linked in.
const char* Version();

}  // namespace vexa

VEXA_PUBLIC_END
