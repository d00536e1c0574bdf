// Base64 (RFC 4648, standard alphabet, padded), used to keep binary data such as PNG
// pictures inside readable text files.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

std::string Base64Encode(std::span<const std::uint8_t> bytes);

// std::nullopt for text that is not padded base64 (wrong length, foreign characters,
// misplaced padding).
std::optional<std::vector<std::uint8_t>> Base64Decode(std::string_view text);

}  // namespace vexa
