#include "vexa/system/display/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace vexa::sys {

namespace {

int trappedErrors = 0;

int CountError(::Display*, XErrorEvent*) {
    ++trappedErrors;
    return 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(_XDisplay* display) : display_(display) {
    XSync(display_, False);  // errors of earlier requests are not ours
    errorsBefore_ = trappedErrors;
    previous_ = reinterpret_cast<void*>(XSetErrorHandler(&CountError));
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_));
}

bool X11ErrorTrap::Failed() {
    XSync(display_, False);
    return trappedErrors != errorsBefore_;
}

}  // namespace vexa::sys
