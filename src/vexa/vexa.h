// Umbrella header: everything a host program needs to embed the grid.
#pragma once

#include "vexa/host/Vexa.h"
