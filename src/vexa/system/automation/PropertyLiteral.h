// The readable text form of a stored property value, one typed literal per value in the
// style of the classic source language: Empty, Null, Nothing, True, 3%, 3&, 1.5!, 1.5#,
// 1.5@, #2003-01-02 10:30:00#, "a ""quoted"" text" & Chr(10) & "b", CByte(200),
// CDec("1.25"), CVErr(5), Array(1%, "x"), Font{Name="DejaVu Sans",Size=9,Bold=True,...}
// and Picture{<base64 PNG>}. Every value written reads back identical.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vexa/system/automation/Variant.h"

namespace vexa {

// Nested arrays deeper than this are refused, so reading hostile text cannot exhaust the
// stack.
inline constexpr int kMaxLiteralNesting = 32;

// The literal of `value`; 13 "Type mismatch" for objects other than fonts and pictures
// and for arrays nested too deeply.
std::string FormatPropertyLiteral(const Variant& value);

// The value of a literal, or std::nullopt when the text is not one (unknown type, bad
// quotes, trailing junk, invalid picture, out-of-range number...). Never throws.
std::optional<Variant> ParsePropertyLiteral(std::string_view text);

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);

}  // namespace vexa
