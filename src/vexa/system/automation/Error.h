/// \file
/// The error every public member of the control and its platform raises, carrying the
/// number the automation runtime reports (0x80040000 + code for codes above 1000).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// A raised automation error: its number, the object that raised it and the description.
class VEXA_API Error : public std::runtime_error {
  public:
    /// An error with the number the host sees (see ErrorNumberOf), its source and its text.
    Error(std::int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    /// The number a host sees (0x80040000 + code for the grid's own errors).
    std::int32_t Number() const { return number_; }
    /// The name of the object that raised the error.
    const std::string& Source() const { return source_; }
    /// The error's message.
    const std::string& Description() const { return description_; }

  private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

/// 0x80040000 + code, the way automation reports an application-defined error code.
constexpr std::int32_t ErrorNumberOf(std::int32_t code) {
    return code > 1000 ? std::int32_t(0x80040000u + std::uint32_t(code)) : code;
}

}  // namespace vexa

VEXA_PUBLIC_END
