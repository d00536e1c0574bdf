// Compiled as a host would, with pedantic warnings as errors: Vexa's public header must give
// a host program no warning, even after Xlib's headers and their macros.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <vexa/vexa.h>

namespace {
[[maybe_unused]] void UseTheGrid(vexa::Vexa& grid) {
    grid.AddCol({.sKey = "id", .lWidth = 80});
}
}  // namespace
