#include "vexa/system/automation/Picture.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "vexa/system/automation/ObjectHandle.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

constexpr std::int32_t kPathFileAccessError = 75;

[[noreturn]] void RaiseInvalidPicture() {
    throw Error(Picture::kInvalidPicture, "Vexa", "Invalid picture");
}

struct ByteReader {
    std::span<const std::uint8_t> bytes;
    std::size_t offset = 0;
};

cairo_status_t ReadFromBytes(void* closure, unsigned char* data, unsigned int length) {
    auto& reader = *static_cast<ByteReader*>(closure);
    if (reader.bytes.size() - reader.offset < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader.bytes.data() + reader.offset, length);
    reader.offset += length;
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t AppendToVector(void* closure, const unsigned char* data, unsigned int length) {
    auto& out = *static_cast<std::vector<std::uint8_t>*>(closure);
    out.insert(out.end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// Cairo reports a failed load as an error surface rather than a null pointer; a usable
// picture is an image surface with a size.
bool IsUsableImage(cairo_surface_t* surface) {
    return surface != nullptr && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE &&
           cairo_image_surface_get_width(surface) > 0 &&
           cairo_image_surface_get_height(surface) > 0;
}

std::shared_ptr<Picture> AdoptLoaded(cairo_surface_t* surface) {
    if (!IsUsableImage(surface)) {
        if (surface != nullptr) cairo_surface_destroy(surface);
        RaiseInvalidPicture();
    }
    return std::make_shared<Picture>(surface);
}

}  // namespace

std::shared_ptr<Picture> Picture::FromPngFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        throw Error(kFileNotFound, "Vexa", "File not found");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, error)) {
        throw Error(kPathFileAccessError, "Vexa", "Path/File access error");
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {  // how the stream buffer reports a read error
        file.setstate(std::ios::badbit);
    }
    if (file.bad()) throw Error(kPathFileAccessError, "Vexa", "Path/File access error");
    return FromPngBytes(bytes);
}

std::shared_ptr<Picture> Picture::FromPngBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) RaiseInvalidPicture();
    ByteReader reader{bytes};
    return AdoptLoaded(cairo_image_surface_create_from_png_stream(ReadFromBytes, &reader));
}

std::shared_ptr<Picture> Picture::FromSurface(cairo_surface_t* surface) {
    if (!IsUsableImage(surface)) RaiseInvalidPicture();
    return std::make_shared<Picture>(cairo_surface_reference(surface));
}

Picture::Picture(cairo_surface_t* ownedSurface)
    : surface_(ownedSurface), handle_(NewObjectHandle()) {
    if (!IsUsableImage(surface_)) {
        if (surface_ != nullptr) cairo_surface_destroy(surface_);
        RaiseInvalidPicture();
    }
}

Picture::~Picture() {
    cairo_surface_destroy(surface_);
}

int Picture::Width() const {
    return cairo_image_surface_get_width(surface_);
}

int Picture::Height() const {
    return cairo_image_surface_get_height(surface_);
}

std::vector<std::uint8_t> Picture::SavePngBytes() const {
    std::vector<std::uint8_t> out;
    if (cairo_surface_write_to_png_stream(surface_, AppendToVector, &out) != CAIRO_STATUS_SUCCESS) {
        RaiseInvalidPicture();
    }
    return out;
}

void Picture::SavePngFile(const std::string& path) const {
    const std::vector<std::uint8_t> bytes = SavePngBytes();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) throw Error(kPathFileAccessError, "Vexa", "Path/File access error");
}

Variant Picture::Invoke(std::string_view member, std::span<const Variant> args, InvokeKind kind) {
    if (kind == InvokeKind::PropertyPut) RaiseRuntimeError(rtMemberNotSupported);
    if (!args.empty()) RaiseRuntimeError(rtWrongArgumentCount);
    if (MemberIs(member, "Width")) return Variant(Width());
    if (MemberIs(member, "Height")) return Variant(Height());
    if (MemberIs(member, "Handle")) return Variant(static_cast<long long>(handle_));
    if (MemberIs(member, "Type")) return Variant(std::int16_t{1});  // a bitmap
    return Object::Invoke(member, args, kind);
}

}  // namespace vexa
