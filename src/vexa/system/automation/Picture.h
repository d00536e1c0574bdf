/// \file
/// The standard picture object of the automation model: a bitmap loaded from PNG data,
/// held as a Cairo image surface that the painter can draw from directly.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vexa/system/automation/Object.h"
#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// A picture object holding an image surface, loaded from or saved as PNG.
class VEXA_API Picture : public Object {
  public:
    /**@{*/
    /// Error numbers the picture raises: "Invalid picture" and "File not found".
    static constexpr std::int32_t kInvalidPicture = 481;
    static constexpr std::int32_t kFileNotFound = 53;
    /**@}*/

    /**@{*/
    /// Loading raises 481 "Invalid picture" for data that is not a readable PNG image and
    /// 53 "File not found" for a missing file and 75 "Path/File access error" for one that
    /// cannot be read; it never crashes on bad data.
    static std::shared_ptr<Picture> FromPngFile(const std::string& path);
    static std::shared_ptr<Picture> FromPngBytes(std::span<const std::uint8_t> bytes);
    /**@}*/
    /// Takes a picture of an existing image surface (adds a reference of its own);
    /// 481 when the surface is not a usable image surface.
    static std::shared_ptr<Picture> FromSurface(cairo_surface_t* surface);

    explicit Picture(cairo_surface_t* ownedSurface);  ///< takes over one reference
    ~Picture() override;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    /**@{*/
    /// The size in pixels.
    int Width() const;
    int Height() const;
    /**@}*/
    /// The image surface; the picture keeps its reference for as long as it lives.
    cairo_surface_t* Surface() const { return surface_; }
    /// A process-wide identity, never reused.
    std::uint64_t Handle() const { return handle_; }

    /// The picture encoded as PNG.
    std::vector<std::uint8_t> SavePngBytes() const;
    void SavePngFile(const std::string& path) const;  ///< 75 "Path/File access error"

    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override;
    std::string ClassName() const override { return "Picture"; }

  private:
    cairo_surface_t* surface_;
    std::uint64_t handle_;
};

}  // namespace vexa

VEXA_PUBLIC_END
