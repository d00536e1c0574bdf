// Image lists: adding strips, sizes, transparent and blended drawing, disabled icons.
#include "paint/PaintTestSupport.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {
namespace {

// Two 4x4 images side by side: a red square with a transparent border, then solid blue.
cairo_surface_t* MakeStrip() {
    cairo_surface_t* strip = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 4);
    cairo_t* cr = cairo_create(strip);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_rectangle(cr, 1, 1, 2, 2);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_rectangle(cr, 4, 0, 4, 4);
    cairo_fill(cr);
    cairo_destroy(cr);
    return strip;
}

class ImageListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 2, 2);
        cairo_surface_t* strip = MakeStrip();
        first = ImageList_Add(list, strip);
        cairo_surface_destroy(strip);
    }
    void TearDown() override { ImageList_Destroy(list); }
    HIMAGELIST list = 0;
    int first = -1;
};

TEST_F(ImageListTest, AddSplitsTheStripAndReportsSizes) {
    EXPECT_EQ(first, 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(std::pair(cx, cy), std::pair(4, 4));
    EXPECT_FALSE(ImageList_GetIconSize(HIMAGELIST(77), &cx, &cy));
}

TEST_F(ImageListTest, TransparentDrawingKeepsTheBackgroundAndIndexMinusOneDrawsNothing) {
    Canvas canvas(10, 10);
    canvas.Clear(RGB(0, 200, 0));
    EXPECT_TRUE(
        ImageList_DrawEx(list, 0, canvas.dc(), 2, 2, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT));
    canvas.Expect({{3, 3, RGB(255, 0, 0)}, {2, 2, RGB(0, 200, 0)}});
    const std::string before = canvas.Snapshot();
    EXPECT_FALSE(
        ImageList_DrawEx(list, -1, canvas.dc(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT));
    EXPECT_EQ(canvas.Snapshot(), before);
}

TEST_F(ImageListTest, BlendFiftyMixesTheVisiblePixelsWithTheBlendColour) {
    Canvas canvas(10, 10);
    ImageList_DrawEx(list, 1, canvas.dc(), 0, 0, 0, 0, CLR_NONE, RGB(255, 255, 255),
                     ILD_TRANSPARENT | ILD_BLEND50);
    const COLORREF mixed = canvas.At(1, 1);
    EXPECT_NEAR(GetRValue(mixed), 128, 2);
    EXPECT_NEAR(GetGValue(mixed), 128, 2);
    EXPECT_NEAR(GetBValue(mixed), 255, 1);
    // The transparent border of image 0 stays transparent when blended.
    ImageList_DrawEx(list, 0, canvas.dc(), 5, 5, 0, 0, CLR_NONE, CLR_DEFAULT,
                     ILD_TRANSPARENT | ILD_BLEND50);
    EXPECT_EQ(canvas.At(5, 5), kWhite);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF square = canvas.At(6, 6);
    EXPECT_NEAR(GetRValue(square), (255 + GetRValue(highlight)) / 2, 2);
    EXPECT_NEAR(GetBValue(square), GetBValue(highlight) / 2, 2);
}

TEST_F(ImageListTest, BlendWithoutAColourMixesTheImageWithWhatIsUnderIt) {
    Canvas canvas(10, 10);
    canvas.Clear(RGB(0, 200, 0));
    ImageList_DrawEx(list, 1, canvas.dc(), 0, 0, 0, 0, CLR_NONE, CLR_NONE,
                     ILD_TRANSPARENT | ILD_BLEND50);
    const COLORREF mixed = canvas.At(1, 1);
    EXPECT_NEAR(GetRValue(mixed), 0, 1);
    EXPECT_NEAR(GetGValue(mixed), 100, 2);
    EXPECT_NEAR(GetBValue(mixed), 128, 2);
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 200, 0));
    // Transparent pixels of image 0 stay transparent.
    ImageList_DrawEx(list, 0, canvas.dc(), 5, 5, 0, 0, CLR_NONE, CLR_NONE,
                     ILD_TRANSPARENT | ILD_BLEND50);
    EXPECT_EQ(canvas.At(5, 5), RGB(0, 200, 0));
    const COLORREF square = canvas.At(6, 6);
    EXPECT_NEAR(GetRValue(square), 128, 2);
    EXPECT_NEAR(GetGValue(square), 100, 2);
}

TEST_F(ImageListTest, DisabledIconsAreEmbossedInTheShadowColours) {
    Canvas canvas(10, 10);
    HICON icon = ImageList_GetIcon(list, 0, 0);
    ASSERT_NE(icon, 0u);
    EXPECT_TRUE(
        DrawStateA(canvas.dc(), 0, nullptr, LPARAM(icon), 0, 0, 0, 0, 0, DST_ICON | DSS_DISABLED));
    canvas.Expect({{1, 1, GetSysColor(COLOR_BTNSHADOW)}, {3, 3, GetSysColor(COLOR_BTNHIGHLIGHT)}});
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawStateA(canvas.dc(), 0, nullptr, LPARAM(icon), 0, 0, 0, 0, 0, DST_ICON));
}

TEST_F(ImageListTest, MaskedBitmapsLoseTheirMaskColour) {
    Canvas source(4, 4);
    source.Clear(RGB(255, 0, 255));
    SetPixel(source.dc(), 1, 1, RGB(10, 20, 30));
    const int index = ImageList_AddMasked(list, source.bitmap(), RGB(255, 0, 255));
    EXPECT_EQ(index, 2);
    Canvas canvas(4, 4);
    ImageList_Draw(list, index, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    canvas.Expect({{0, 0, kWhite}, {1, 1, RGB(10, 20, 30)}});
}

}  // namespace
}  // namespace vexa::sys::testing
