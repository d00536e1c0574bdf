#include "vexa/system/dragdrop/TransferFormats.h"

#include <algorithm>
#include <cctype>

namespace vexa::sys {

namespace {

bool SameType(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool Offers(const std::vector<std::string>& types, std::string_view type) {
    return std::any_of(types.begin(), types.end(),
                       [&](const std::string& t) { return SameType(t, type); });
}

const std::vector<std::string_view>& TextTypes() {
    static const std::vector<std::string_view> types{kUtf8TextType, kUtf8StringType,
                                                     kPlainTextType};
    return types;
}

bool IsTextType(std::string_view type) {
    return std::any_of(TextTypes().begin(), TextTypes().end(),
                       [&](std::string_view t) { return SameType(t, type); });
}

// A registered format whose name has the shape of a MIME type travels under that name. Types
// another program names are only looked up: they never register formats.
std::int16_t RegisteredFormatOfType(std::string_view type) {
    if (type.find('/') == std::string_view::npos || IsTextType(type) ||
        SameType(type, kUriListType)) {
        return 0;
    }
    return FindDataFormat(type);
}

std::string BytesOf(const Variant& value) {
    if (!value.IsArray()) return value.ToString();
    std::string bytes;
    for (const Variant& item : value.Items()) bytes.push_back(char(item.ToByte()));
    return bytes;
}

Variant ByteArray(std::string_view bytes) {
    std::vector<Variant> items;
    items.reserve(bytes.size());
    for (char c : bytes) items.emplace_back(std::uint8_t(c));
    return Variant(std::move(items));
}

// The length of the valid UTF-8 sequence starting at bytes[i], 0 when there is none.
std::size_t ValidSequenceLength(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || i + length > bytes.size()) return 0;
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool overlong = cp < smallest[length];
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return overlong || surrogate || cp > 0x10FFFF ? 0 : length;
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = ValidSequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low >= 0) {
            result.push_back(char(high * 16 + low));
            i += 2;
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

std::string PercentEncoded(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            result.push_back(c);
        } else {
            result += {'%', kHex[byte >> 4], kHex[byte & 0x0F]};
        }
    }
    return result;
}

bool HasScheme(std::string_view text) {
    const std::size_t colon = text.find("://");
    return colon != std::string_view::npos && colon > 0 &&
           std::all_of(text.begin(), text.begin() + std::ptrdiff_t(colon),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) {
        line.remove_prefix(1);
    }
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
        line.remove_suffix(1);
    }
    return line;
}

// The local path of a file URI ("file:///p", "file://localhost/p", "file:/p"); nothing for a
// file on another host or a path that would carry a NUL.
std::optional<std::string> LocalPathOf(std::string_view uri) {
    std::string_view rest = uri.substr(5);  // after "file:"
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos) return std::nullopt;
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !SameType(host, "localhost")) return std::nullopt;
        rest.remove_prefix(slash);
    }
    if (!rest.starts_with('/')) return std::nullopt;
    const std::string path = PercentDecoded(rest);
    if (path.find('\0') != std::string::npos) return std::nullopt;
    return RepairedUtf8(path);
}

void RenderFromOtherProgram(DataObject& data, std::int16_t format,
                            const std::vector<std::string>& types, const FetchType& fetch) {
    if (IsTextDataFormat(format)) {
        for (std::string_view type : TextTypes()) {
            if (!Offers(types, type)) continue;
            const auto bytes = fetch(std::string(type));
            if (!bytes) continue;
            const bool plain = SameType(type, kPlainTextType);
            data.SetData(Variant(plain ? TextFromPlainBytes(*bytes) : RepairedUtf8(*bytes)),
                         format);
            return;
        }
    } else if (format == vxCFFiles) {
        if (const auto bytes = fetch(kUriListType)) {
            const auto files = FilesFromUriList(*bytes);
            data.SetData(Variant(std::vector<Variant>(files.begin(), files.end())), format);
        }
    } else if (IsRegisteredDataFormat(format)) {
        if (const auto bytes = fetch(RegisteredDataFormatName(format))) {
            data.SetData(ByteArray(*bytes), format);
        }
    }
}

}  // namespace

std::vector<std::string> OfferedTypes(const DataObject& data) {
    std::vector<std::string> types;
    for (std::int16_t format : data.Formats()) {
        if (IsTextDataFormat(format)) {
            for (std::string_view type : TextTypes()) types.emplace_back(type);
        } else if (format == vxCFFiles) {
            types.emplace_back(kUriListType);
        } else if (IsRegisteredDataFormat(format)) {
            std::string name = RegisteredDataFormatName(format);
            if (RegisteredFormatOfType(name) != 0) types.push_back(std::move(name));
        }
    }
    std::vector<std::string> unique;
    for (std::string& type : types) {
        if (!Offers(unique, type)) unique.push_back(std::move(type));
    }
    return unique;
}

std::optional<std::string> RenderType(DataObject& data, std::string_view type) {
    try {
        if (IsTextType(type)) return data.GetData(vxCFText).ToString();
        if (SameType(type, kUriListType)) {
            const Variant names = data.GetData(vxCFFiles);
            std::vector<std::string> files;
            for (const Variant& name : names.Items()) {
                files.push_back(name.ToString());
            }
            return UriListFromFiles(files);
        }
        const std::int16_t format = RegisteredFormatOfType(type);
        if (format != 0 && data.GetFormat(format)) return BytesOf(data.GetData(format));
    } catch (const std::exception&) {
        // Not held or not supplied: the other program gets nothing.
    }
    return std::nullopt;
}

std::shared_ptr<DataObject> DataFromOtherProgram(const std::vector<std::string>& types,
                                                 FetchType fetch) {
    auto data = std::make_shared<DataObject>();
    const bool hasText = std::any_of(types.begin(), types.end(), IsTextType);
    if (hasText) data->SetData(Variant(), vxCFText);
    if (Offers(types, kUriListType)) data->SetData(Variant(), vxCFFiles);
    for (const std::string& type : types) {
        const std::int16_t format = RegisteredFormatOfType(type);
        if (format != 0) data->SetData(Variant(), format);
    }
    data->FixFormats(true);
    data->SetRenderer([types, fetch = std::move(fetch)](DataObject& d, std::int16_t format) {
        RenderFromOtherProgram(d, format, types, fetch);
    });
    return data;
}

std::string RepairedUtf8(std::string_view bytes) {
    std::string result;
    result.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = ValidSequenceLength(bytes, i);
        if (length == 0) {
            result += "\xEF\xBF\xBD";  // U+FFFD
            ++i;
            continue;
        }
        if (bytes[i] != '\0') result.append(bytes.substr(i, length));
        i += length;
    }
    return result;
}

std::string TextFromPlainBytes(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return RepairedUtf8(bytes);
    std::string latin1;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0) continue;
        if (byte < 0x80) {
            latin1.push_back(c);
        } else {
            latin1.push_back(char(0xC0 | (byte >> 6)));
            latin1.push_back(char(0x80 | (byte & 0x3F)));
        }
    }
    return latin1;
}

std::vector<std::string> FilesFromUriList(std::string_view bytes) {
    std::vector<std::string> files;
    while (!bytes.empty() && files.size() < kMaxTransferredFiles) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = Trimmed(bytes.substr(0, end));
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        const bool isFile = line.size() > 5 && SameType(line.substr(0, 5), "file:");
        const auto path = isFile ? LocalPathOf(line) : std::nullopt;
        std::string entry = path ? *path : RepairedUtf8(line);
        if (!entry.empty()) files.push_back(std::move(entry));
    }
    return files;
}

std::string UriListFromFiles(const std::vector<std::string>& files) {
    std::string list;
    for (const std::string& file : files) {
        std::string_view name = Trimmed(file);
        if (name.empty() || name.find_first_of("\r\n") != std::string_view::npos) continue;
        list += HasScheme(name) ? std::string(name) : "file://" + PercentEncoded(name);
        list += "\r\n";
    }
    return list;
}

}  // namespace vexa::sys
