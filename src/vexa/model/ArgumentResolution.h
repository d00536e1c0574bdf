// How public members turn row and column arguments into indices. The resolving members
// themselves belong to GridStore (ResolveRowArg, ResolveColArg, ResolveCellArgs,
// ColPositionOf, ...) and are defined in ArgumentResolution.cpp.
#pragma once

#include "vexa/system/automation/Variant.h"

namespace vexa {

// True for integer, long, single, double, currency, decimal and byte; strings are keys.
bool IsNumericArg(const Variant& v);

}  // namespace vexa
