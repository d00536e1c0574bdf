// The demo without a screen: drives the form on the headless display as a user would (titles
// clicked, keys typed, pages switched, settings saved and loaded) and writes a PNG of the
// form after each step.
#pragma once

#include <string>

#include "DemoForm.h"

namespace vexa::demo {

// Writes DIR/NN-step.png for each step; 0 when every screenshot was written.
int RunTour(DemoForm& form, const std::string& directory);

}  // namespace vexa::demo
