/// \file
/// The runtime's Format function, en-US: named and user formats of numbers, dates and
/// times, and text.
#pragma once

#include <string>
#include <string_view>

#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// Formats `value` with `format` as the classic runtime does. An empty format gives the
/// value's plain text ("" for Empty and Null). Named formats: "General Number",
/// "Currency", "Fixed", "Standard", "Percent", "Scientific", "Yes/No", "True/False",
/// "On/Off", "General Date", "Long Date", "Medium Date", "Short Date", "Long Time",
/// "Medium Time", "Short Time". User formats have up to four sections for numbers
/// (positive;negative;zero;null) and two for text (the second serves "" and Null). A value the
/// format does not apply to (a word under a numeric format) comes back as its plain text. Never
/// throws for any format string; an object value raises what its default member raises, and a
/// first day of week outside 0..7 or a first-week rule outside 0..3 raises 5.
std::string Format(const Variant& value, std::string_view format = {}, int firstDayOfWeek = 1,
                   int firstWeekOfYear = 1);

}  // namespace vexa

VEXA_PUBLIC_END
