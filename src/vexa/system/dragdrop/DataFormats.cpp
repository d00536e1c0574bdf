#include "vexa/system/dragdrop/DataFormats.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace vexa {

namespace {

constexpr int kFirstRegistered = 0xC000;
constexpr int kLastRegistered = 0xFFFF;
constexpr std::size_t kMaxNameLength = 255;

// Index i holds the name of format kFirstRegistered + i. Never destroyed: formats stay
// registered while static destructors run.
std::vector<std::string>& Names() {
    static auto* names = new std::vector<std::string>();
    return *names;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

int Unsigned(std::int16_t format) {
    return int(std::uint16_t(format));
}

std::int16_t FormatAt(std::size_t index) {
    return std::int16_t(std::uint16_t(kFirstRegistered + int(index)));
}

}  // namespace

std::int16_t FindDataFormat(std::string_view name) {
    const auto& names = Names();
    const auto found =
        std::find_if(names.begin(), names.end(), [&](const auto& n) { return SameName(n, name); });
    return found == names.end() ? 0 : FormatAt(std::size_t(found - names.begin()));
}

std::int16_t RegisterDataFormat(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength) return 0;
    if (const std::int16_t known = FindDataFormat(name)) return known;
    auto& names = Names();
    if (kFirstRegistered + int(names.size()) > kLastRegistered) return 0;
    names.emplace_back(name);
    return FormatAt(names.size() - 1);
}

std::string RegisteredDataFormatName(std::int16_t format) {
    if (!IsRegisteredDataFormat(format)) return {};
    return Names()[std::size_t(Unsigned(format) - kFirstRegistered)];
}

bool IsRegisteredDataFormat(std::int16_t format) {
    const int index = Unsigned(format) - kFirstRegistered;
    return index >= 0 && index < int(Names().size());
}

bool IsKnownDataFormat(std::int16_t format) {
    switch (format) {
        case vxCFText:
        case vxCFBitmap:
        case vxCFMetafile:
        case vxCFDIB:
        case vxCFPalette:
        case vxCFUnicodeText:
        case vxCFEMetafile:
        case vxCFFiles:
        case vxCFRTF:
            return true;
        default:
            return IsRegisteredDataFormat(format);
    }
}

bool IsTextDataFormat(std::int16_t format) {
    return format == vxCFText || format == vxCFUnicodeText;
}

}  // namespace vexa
