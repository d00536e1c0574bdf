// The appearance properties as a host sets them: the window border, the feature table, the
// grid font, the image list and the background picture, with what they refuse.
#include "host/PaintTestSupport.h"
#include "vexa/system/automation/Error.h"

namespace vexa::test {
namespace {

constexpr std::int32_t kInvalidArgument = std::int32_t(0x80040000u + 514);
constexpr std::int32_t kImageListExpected = std::int32_t(0x80040000u + 518);

std::int32_t ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.Number();
    }
    return 0;
}

struct BorderCase {
    EAppearanceConstants appearance;
    EBorderStyles border;
    std::int32_t width;
};

class BorderTest : public PaintedGrid, public ::testing::WithParamInterface<BorderCase> {};

TEST_P(BorderTest, TheBorderTakesItsWidthOffEverySideOfTheClientArea) {
    const BorderCase& c = GetParam();
    grid().SetAppearance(c.appearance);
    grid().SetBorderStyle(c.border);
    const sys::RECT client = Client();
    EXPECT_EQ(client.right, kGridRect.right - kGridRect.left - 2 * c.width);
    EXPECT_EQ(client.bottom, kGridRect.bottom - kGridRect.top - 2 * c.width);
    // The grid's own arithmetic agrees: a column exactly as wide as the area needs no bar.
    auto horizontalBar = [&](std::int32_t width) {
        grid().Clear(true);
        grid().AddCol({.lWidth = width});
        return (sys::GetWindowLongPtr(grid().hwnd(), sys::GWL_STYLE) & sys::WS_HSCROLL) != 0;
    };
    EXPECT_FALSE(horizontalBar(client.right));
    EXPECT_TRUE(horizontalBar(client.right + 1));
}

INSTANTIATE_TEST_SUITE_P(AppearanceByBorderStyle, BorderTest,
                         ::testing::Values(BorderCase{vxAppearanceFlat, vxBorderNone, 0},
                                           BorderCase{vxAppearanceFlat, vxBorderThin, 1},
                                           BorderCase{vxAppearanceFlat, vxBorder3D, 1},
                                           BorderCase{vxAppearance3D, vxBorderNone, 0},
                                           BorderCase{vxAppearance3D, vxBorderThin, 1},
                                           BorderCase{vxAppearance3D, vxBorder3D, 2}));

TEST_F(PaintedGrid, TheFeatureTableAnswersKnownFeaturesAndRefusesOthers) {
    EXPECT_TRUE(grid().Supports(vxSupFeatXPStyles));
    EXPECT_TRUE(grid().Supports(vxSupFeatImmedColResizing));
    EXPECT_FALSE(grid().Supports(vxSupFeatFlatScrollBars));
    for (std::int32_t unknown : {3, -1, 1000}) {
        EXPECT_EQ(ErrorOf([&] { grid().Supports(ESupportFeatures(unknown)); }), kInvalidArgument);
    }
    grid().SetImmediateColumnResizing(true);
    EXPECT_TRUE(grid().ImmediateColumnResizing());
}

TEST_F(PaintedGrid, TheGridDrawsWithACopyOfItsFontThatChangesThroughFontReach) {
    grid().SetDefaultRowHeight(40);
    grid().AddCol({.lWidth = 200});
    grid().SetRowCount(1);
    grid().SetCellValue(1, 1, "Wg");
    grid().SetForeColor(kBlue);
    auto inkHeight = [&] {
        const ClientPixels shot = Shot();
        const sys::RECT cell = CellRect(1, 1);
        int top = cell.bottom, bottom = cell.top;
        for (int y = cell.top; y < cell.bottom - 1; ++y)
            if (shot.Count({cell.left, y, cell.right - 1, y + 1}, kBlue) > 0) {
                top = std::min(top, y);
                bottom = y + 1;
            }
        return bottom - top;
    };
    const std::shared_ptr<Font> mine = Font::Create();
    grid().SetFont(mine);
    const int small = inkHeight();
    ASSERT_GT(small, 0);
    mine->SetSize(30);
    EXPECT_NE(grid().Font(), mine);
    EXPECT_DOUBLE_EQ(grid().Font()->Size(), Font::Create()->Size());
    grid().Font()->SetSize(20);
    EXPECT_EQ(inkHeight(), small) << "no repaint of its own";
    RepaintAll();
    EXPECT_GT(inkHeight(), small + 5);
}

// An image-list object as a host's control offers it: its handle and a first image to draw.
struct ImageListObject : Object {
    sys::HIMAGELIST handle = 0;
    int draws = 0;
    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        if (MemberIs(member, "hImageList")) return Variant(std::int32_t(handle));
        if (MemberIs(member, "ListImages") || MemberIs(member, "Item")) {
            return Variant(shared_from_this());
        }
        if (MemberIs(member, "Draw")) return Variant(++draws);
        return Object::Invoke(member, args, kind);
    }
};

TEST_F(PaintedGrid, AnImageListIsTakenAsAHandleOrAnObjectAndAnythingElseIsRefused) {
    grid().SetDefaultRowHeight(20);
    grid().AddCol({.lWidth = 80});
    grid().SetRowCount(1);
    grid().SetCellIcon(1, 1, 0);
    auto iconPixels = [&] { return Shot().Count(CellRect(1, 1), kRed); };
    EXPECT_EQ(iconPixels(), 0);
    UseIcons();
    RepaintAll();
    EXPECT_EQ(iconPixels(), 256);

    const sys::HIMAGELIST other = sys::ImageList_Create(16, 16, 0, 1, 0);
    cairo_surface_t* green = SolidSurface(16, 16, kGreen);
    sys::ImageList_Add(other, green);
    cairo_surface_destroy(green);
    auto object = std::make_shared<ImageListObject>();
    object->handle = other;
    grid().SetImageList(Variant(std::shared_ptr<Object>(object)));
    RepaintAll();
    EXPECT_EQ(object->draws, 1);
    EXPECT_EQ(Shot().Count(CellRect(1, 1), kGreen), 256);

    for (const Variant& refused : {Variant(std::int16_t(icons_)), Variant(std::int32_t(123456)),
                                   Variant("list"), Variant(2.0)}) {
        EXPECT_EQ(ErrorOf([&] { grid().SetImageList(refused); }), kImageListExpected);
    }
    grid().SetImageList(Variant(std::int32_t(0)));
    RepaintAll();
    EXPECT_EQ(Shot().Count(CellRect(1, 1), kGreen), 256) << "the list in place stays";
    grid().SetImageList(Variant(std::int32_t(icons_)));
    sys::ImageList_Destroy(other);
}

// A picture that cannot load never becomes a picture object (its loader raises 481), so
// the grid only ever meets a usable picture or none.
TEST_F(PaintedGrid, WithoutAPictureTheBackColorShowsAgain) {
    grid().AddCol({.lWidth = 80});
    auto centre = [&] { return Shot().At(Client().right / 2, Client().bottom / 2); };
    grid().SetBackgroundPicture(SolidPicture(kGreen));
    EXPECT_EQ(centre(), kGreen);
    const std::uint8_t garbage[] = {1, 2, 3};
    EXPECT_THROW(grid().SetBackgroundPicture(Picture::FromPngBytes(garbage)), Error);
    EXPECT_EQ(centre(), kGreen);
    grid().SetBackgroundPicture(nullptr);
    EXPECT_EQ(grid().BackgroundPicture(), nullptr);
    EXPECT_EQ(centre(), Sys(sys::COLOR_WINDOW));
}

}  // namespace
}  // namespace vexa::test
