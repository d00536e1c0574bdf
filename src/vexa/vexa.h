/// \file
/// Umbrella header: everything a host program needs to embed the grid. It declares the
/// public types only.
#pragma once

#include "vexa/Version.h"
#include "vexa/binding/CursorBinding.h"
#include "vexa/host/Application.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/automation/DateTime.h"
#include "vexa/system/automation/Format.h"
#include "vexa/system/automation/Log.h"
#include "vexa/system/automation/MemoryPropertyBag.h"
#include "vexa/system/automation/TextPropertyBag.h"
#include "vexa/system/data/Connection.h"
#include "vexa/system/data/PostgresConnection.h"
#include "vexa/system/data/Recordset.h"
#include "vexa/system/dragdrop/DataObject.h"
#include "vexa/system/dragdrop/DropEffect.h"

/// \namespace vexa
/// The grid control, its events, and the automation types it speaks: values, fonts,
/// pictures, property bags, dates, formats, data connections and errors.

/// \namespace vexa::sys
/// The window system's value types: window handles, message parameters, points, rectangles
/// and colours.
