#include <gtest/gtest.h>

#include <cairo.h>

#include <unistd.h>
#include <cstdint>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "automation/AutomationTestSupport.h"
#include "vexa/system/automation/Picture.h"

using namespace vexa;
using vexa::testing::ErrorOf;

namespace {

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    auto& out = *static_cast<std::vector<std::uint8_t>*>(closure);
    out.insert(out.end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// A width x height PNG, red on the left half, blue on the right, drawn with Cairo.
std::vector<std::uint8_t> TwoColourPng(int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_rectangle(cr, 0, 0, width / 2, height);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_rectangle(cr, width / 2, 0, width - width / 2, height);
    cairo_fill(cr);
    cairo_destroy(cr);
    std::vector<std::uint8_t> png;
    cairo_surface_write_to_png_stream(surface, Append, &png);
    cairo_surface_destroy(surface);
    return png;
}

std::uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0x00FFFFFF;
}

}  // namespace

TEST(PictureLoad, FromPngBytesKeepsSizeAndPixels) {
    const auto picture = Picture::FromPngBytes(TwoColourPng(10, 4));
    EXPECT_EQ(picture->Width(), 10);
    EXPECT_EQ(picture->Height(), 4);
    ASSERT_NE(picture->Surface(), nullptr);
    EXPECT_EQ(PixelAt(picture->Surface(), 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(picture->Surface(), 9, 3), 0x0000FFu);
    EXPECT_EQ(TypeName(Variant(picture)), "Picture");
    EXPECT_EQ(GetMember(picture, "Width"), Variant(10));
    EXPECT_EQ(GetMember(picture, "height"), Variant(4));
}

TEST(PictureLoad, SavedBytesAndFilesLoadBackToTheSamePixels) {
    const auto picture = Picture::FromPngBytes(TwoColourPng(6, 3));
    const auto again = Picture::FromPngBytes(picture->SavePngBytes());
    EXPECT_EQ(again->Width(), 6);
    EXPECT_EQ(PixelAt(again->Surface(), 5, 2), 0x0000FFu);
    EXPECT_NE(again->Handle(), picture->Handle());
    const auto dir = std::filesystem::temp_directory_path() /
                     ("vexa-picture-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "two.png").string();
    picture->SavePngFile(path);
    const auto loaded = Picture::FromPngFile(path);
    EXPECT_EQ(loaded->Height(), 3);
    EXPECT_EQ(PixelAt(loaded->Surface(), 0, 2), 0xFF0000u);
    EXPECT_EQ(ErrorOf([&] { Picture::FromPngFile(dir.string()); }), 75);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(ErrorOf([&] { Picture::FromPngFile(path); }), Picture::kFileNotFound);
}

TEST(PictureLoad, CorruptDataRaisesInvalidPicture) {
    std::vector<std::uint8_t> png = TwoColourPng(16, 16);
    const std::vector<std::uint8_t> truncated(png.begin(), png.begin() + png.size() / 2);
    std::vector<std::uint8_t> scrambled = png;
    for (std::size_t i = 40; i < scrambled.size(); i += 3) scrambled[i] ^= 0x5A;
    const std::vector<std::uint8_t> text{'n', 'o', 't', ' ', 'p', 'n', 'g'};
    for (const auto& bytes : {truncated, scrambled, text, std::vector<std::uint8_t>{}}) {
        try {
            Picture::FromPngBytes(bytes);
            ADD_FAILURE() << "corrupt data was accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.Number(), 481);
            EXPECT_EQ(e.Description(), "Invalid picture");
        }
    }
}

TEST(PictureLoad, FromSurfaceSharesTheImage) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
    const auto picture = Picture::FromSurface(surface);
    cairo_surface_destroy(surface);  // the picture holds its own reference
    EXPECT_EQ(picture->Width(), 3);
    EXPECT_EQ(cairo_surface_get_reference_count(picture->Surface()), 1u);
    EXPECT_EQ(ErrorOf([] { Picture::FromSurface(nullptr); }), 481);
}
