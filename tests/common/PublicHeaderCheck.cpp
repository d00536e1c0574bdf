// Compiled as a host would, with pedantic warnings as errors: Vexa's public header must give
// a host program no warning.
#include <vexa/vexa.h>

namespace {
[[maybe_unused]] void UseTheGrid(vexa::Vexa& grid) {
    grid.AddCol({.sKey = "id", .lWidth = 80});
}
}  // namespace
