// The data of a drag as other programs exchange it: bytes named by MIME types. Text travels as
// UTF-8 ("text/plain;charset=utf-8", "UTF8_STRING", "text/plain"), file lists as
// "text/uri-list", and a registered format whose name is a MIME type under that name. Bytes
// from another program are never trusted: text is repaired to valid UTF-8 without NULs, and
// URI lists are parsed line by line, bounded in length and count.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vexa/system/dragdrop/DataObject.h"

namespace vexa::sys {

inline constexpr const char* kUtf8TextType = "text/plain;charset=utf-8";
inline constexpr const char* kUtf8StringType = "UTF8_STRING";
inline constexpr const char* kPlainTextType = "text/plain";
inline constexpr const char* kUriListType = "text/uri-list";
inline constexpr std::size_t kMaxTransferredFiles = 10000;

// The types other programs are offered for the data, best first.
std::vector<std::string> OfferedTypes(const DataObject& data);
// The bytes of the data in one of those types (rendering promised data); nothing when it does
// not hold it or the source does not supply it.
std::optional<std::string> RenderType(DataObject& data, std::string_view type);

using FetchType = std::function<std::optional<std::string>(const std::string& type)>;
// A data object promising what another program offers; each format is fetched when first read.
std::shared_ptr<DataObject> DataFromOtherProgram(const std::vector<std::string>& types,
                                                 FetchType fetch);

// Valid UTF-8 from any bytes: invalid sequences become U+FFFD, NUL characters go.
std::string RepairedUtf8(std::string_view bytes);
// "text/plain" without a charset: UTF-8 when it is valid, else Latin-1.
std::string TextFromPlainBytes(std::string_view bytes);
// File paths (local file URIs decoded) and other URIs of a URI list.
std::vector<std::string> FilesFromUriList(std::string_view bytes);
std::string UriListFromFiles(const std::vector<std::string>& files);

}  // namespace vexa::sys
