/// \file
/// The numbers that name kinds of data in a data object: the classic clipboard formats where
/// they exist, and formats a program registers by name (numbered from 0xC000, as registered
/// clipboard formats are, which reads as a negative 16-bit value).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// The classic clipboard formats a data object can hold, with the kind of value each takes.
enum DataFormat : std::int16_t {
    vxCFText = 1,          ///< text (UTF-8 here)
    vxCFBitmap = 2,        ///< a picture object
    vxCFMetafile = 3,      ///< a picture object
    vxCFDIB = 8,           ///< a picture object
    vxCFPalette = 9,       ///< a picture object
    vxCFUnicodeText = 13,  ///< text; the same text as vxCFText
    vxCFEMetafile = 14,    ///< a picture object
    vxCFFiles = 15,        ///< a list of file names or URIs (the data object's Files)
    vxCFRTF = -16639,      ///< rich text, as text
};

/// The number of a format registered by name; the same name, whatever its case, gives the same
/// number for the life of the program. Names are at most 255 bytes; an empty or longer name, or
/// a full table, gives 0.
std::int16_t RegisterDataFormat(std::string_view name);
/// The number of a format registered under the name (whatever its case), 0 when there is none.
std::int16_t FindDataFormat(std::string_view name);
/// The name a format was registered with, "" for other numbers.
std::string RegisteredDataFormatName(std::int16_t format);
/// A classic format listed above or a registered one.
bool IsKnownDataFormat(std::int16_t format);
/// A format registered by name.
bool IsRegisteredDataFormat(std::int16_t format);
/// Text formats hold one and the same text: asking for either finds what was set as the other.
bool IsTextDataFormat(std::int16_t format);

}  // namespace vexa

VEXA_PUBLIC_END
