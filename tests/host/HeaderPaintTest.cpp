// What the header shows, read back pixel by pixel: the sort icons in each style and order,
// the sort numbers of a multi-column sort, and the item under the mouse.
#include <set>
#include <utility>

#include "HeaderTestSupport.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"

using namespace vexa;
using namespace vexa::test;

namespace {

constexpr sys::COLORREF kBack = sys::RGB(200, 200, 200);
constexpr sys::COLORREF kText = sys::RGB(0, 0, 80);
constexpr sys::COLORREF kSolid = sys::RGB(200, 0, 0);
constexpr sys::COLORREF kHot = sys::RGB(255, 0, 0);

using Points = std::set<std::pair<int, int>>;  // (dx, dy) from the sort icon's origin

// The sort icons as the header draws them: solid triangles in SolidSortIconColor, or 3D ones
// in the shadow and highlight colours.
Points SolidTriangle(bool descending) {
    Points points;
    for (int k = 0; k < 5; ++k)
        for (int dx = k; dx <= 8 - k; ++dx) points.insert({dx, descending ? 4 + k : 8 - k});
    return points;
}
const Points kShadowDown = {{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {1, 4},
                            {2, 4}, {2, 5}, {2, 6}, {3, 6}, {3, 7}, {3, 8}, {4, 8}, {4, 9}};
const Points kHighlightDown = {{8, 4}, {7, 4}, {7, 5}, {7, 6}, {6, 6},
                               {6, 7}, {6, 8}, {5, 8}, {5, 9}};
Points Mirrored(const Points& points) {
    Points mirrored;
    for (auto [dx, dy] : points) mirrored.insert({dx, 12 - dy});
    return mirrored;
}

struct IconCase {
    const char* name;
    ESortIconStyles style;
    ESortOrders order;
};

class HeaderPaintTest : public HeaderOnForm, public ::testing::WithParamInterface<IconCase> {
  protected:
    HeaderPaintTest() {
        HeaderObject& header = *grid().Header();
        header.SetUseXPStyles(false);
        header.SetButtons(false);  // titles without a raised frame start at their left edge
        header.SetBackColor(kBack);
        header.SetForeColor(kText);
        header.SetSolidSortIconColor(kSolid);
        header.SetHotTrackForeColor(kHot);
        Fill({90, 90, 90}, 3);
    }
    // Where a title's text starts, and where the sort information of a column without a
    // title starts.
    sys::POINT TextStart(int col) {
        const sys::RECT title = TitleRect(col);
        return sys::POINT{title.left + 6, title.top + 3};
    }
    sys::POINT SortOrigin(int col) { return sys::POINT{TextStart(col).x + 4, TextStart(col).y}; }
    int CountInTitle(int col, sys::COLORREF colour) {
        const sys::RECT r = TitleRect(col);
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) count += HeaderPixel(x, y) == colour;
        return count;
    }
    // The 12x12 blocks at two header points are alike and inked.
    void ExpectSameBlock(sys::POINT shown, sys::POINT reference, const char* what) {
        int inked = 0;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                const sys::COLORREF expected = HeaderPixel(reference.x + x, reference.y + y);
                inked += expected != kBack;
                EXPECT_EQ(HeaderPixel(shown.x + x, shown.y + y), expected) << what << x << "," << y;
            }
        }
        EXPECT_GT(inked, 4) << what;
    }
};

TEST_P(HeaderPaintTest, SortIconPixels) {
    const IconCase& c = GetParam();
    grid().Header()->SetSortIconStyle(c.style);
    grid().DoDefaultSort(2, 0, c.order);
    const bool descending = c.order == vxSortDesc;
    Points shadow, highlight, solid;
    if (c.style == vxSortIconSolid) {
        solid = SolidTriangle(descending);
    } else {
        shadow = descending ? kShadowDown : Mirrored(kShadowDown);
        highlight = descending ? kHighlightDown : Mirrored(kHighlightDown);
        if (!descending) {  // the edge turns with the icon and takes the light
            for (int dx = 1; dx <= 8; ++dx) {
                shadow.erase({dx, 9});
                highlight.insert({dx, 9});
            }
        }
    }
    const sys::POINT origin = SortOrigin(2);
    for (int dy = 0; dy < 13; ++dy) {
        for (int dx = -1; dx < 10; ++dx) {
            sys::COLORREF expected = kBack;
            if (solid.contains({dx, dy})) expected = kSolid;
            if (shadow.contains({dx, dy})) expected = sys::GetSysColor(sys::COLOR_BTNSHADOW);
            if (highlight.contains({dx, dy})) expected = sys::GetSysColor(sys::COLOR_BTNHIGHLIGHT);
            EXPECT_EQ(HeaderPixel(origin.x + dx, origin.y + dy), expected) << dx << "," << dy;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Icons, HeaderPaintTest,
                         ::testing::Values(IconCase{"SolidAscending", vxSortIconSolid, vxSortAsc},
                                           IconCase{"SolidDescending", vxSortIconSolid, vxSortDesc},
                                           IconCase{"ThreeDAscending", vxSortIcon3D, vxSortAsc},
                                           IconCase{"ThreeDDescending", vxSortIcon3D, vxSortDesc}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeaderPaintTest, AMultiColumnSortNumbersItsColumns) {
    // Titles "1" and "2" in the same font show what the numbers must look like.
    grid().AddCol({.sHeader = "1", .lWidth = 40});
    grid().AddCol({.sHeader = "2", .lWidth = 40});
    auto clickAsButton = [&](int col, std::vector<int> keys) {
        grid().Header()->SetButtons(true);  // titles click only as buttons
        ClickTitle(col, keys);
        grid().Header()->SetButtons(false);
    };
    clickAsButton(3, {});
    EXPECT_EQ(CountInTitle(3, kText), 0) << "one criterion: the icon only";
    clickAsButton(1, {sys::VK_SHIFT});
    const sys::POINT third = SortOrigin(3), first = SortOrigin(1);
    ExpectSameBlock({third.x + 9, third.y}, TextStart(4), "1 at ");
    ExpectSameBlock({first.x + 9, first.y}, TextStart(5), "2 at ");
    grid().Header()->SetSortInfoStyle(vxSortInfoOnlyIcons);
    EXPECT_EQ(CountInTitle(3, kText), 0);
    grid().Header()->SetSortInfoStyle(vxSortInfoNone);
    EXPECT_EQ(CountInTitle(3, kSolid) + CountInTitle(3, kText), 0);
}

TEST_F(HeaderPaintTest, AnIconStandsFirstAndBlendsWhenItsTitleIsHot) {
    const sys::HDC dc = sys::CreateCompatibleDC(0);
    const sys::HBITMAP bitmap = sys::CreateCompatibleBitmap(dc, 8, 8);
    const sys::HGDIOBJ previous = sys::SelectObject(dc, bitmap);
    const sys::RECT box{0, 0, 8, 8};
    const sys::HBRUSH red = sys::CreateSolidBrush(kHot);
    sys::FillRect(dc, &box, red);
    const sys::HIMAGELIST images = sys::ImageList_Create(8, 8, 0, 1, 1);
    sys::ImageList_Add(images, sys::GetBitmapSurface(bitmap));
    grid().Header()->SetImageList(Variant(std::int32_t(images)));
    grid().Header()->SetHotTrackFlags(vxHdrHotIcon);
    grid().SetColHeaderIcon(2, 0);
    const sys::POINT icon = TextStart(2), centre = TitleCentre(2);
    EXPECT_EQ(HeaderPixel(icon.x + 4, icon.y + 4), kHot);
    EXPECT_EQ(HeaderPixel(icon.x + 9, icon.y + 4), kBack);
    display().MouseMove(centre.x, centre.y);
    EXPECT_NE(HeaderPixel(icon.x + 4, icon.y + 4), kHot);
    sys::ImageList_Destroy(images);
    sys::SelectObject(dc, previous);
    sys::DeleteObject(bitmap);
    sys::DeleteObject(red);
    sys::DeleteDC(dc);
}

TEST_F(HeaderPaintTest, TheTitleUnderTheMouseIsHighlighted) {
    grid().SetColHeaderText(1, "Name");
    grid().SetColHeaderText(2, "Price");
    const sys::POINT second = TitleCentre(2);
    display().MouseMove(second.x, second.y);
    EXPECT_GT(CountInTitle(2, kHot), 5);
    EXPECT_EQ(CountInTitle(1, kHot), 0);
    const sys::POINT first = TitleCentre(1);
    display().MouseMove(first.x, first.y);
    EXPECT_GT(CountInTitle(1, kHot), 5);
    EXPECT_EQ(CountInTitle(2, kHot), 0);
    grid().Header()->SetHotTrackFlags(vxHdrHotIcon);  // repaints at once, the mouse still
    EXPECT_EQ(CountInTitle(1, kHot), 0);
    EXPECT_GT(CountInTitle(1, kText), 5);
    // With visual styles the hot title shows in its background; the text keeps its colour.
    grid().Header()->SetUseXPStyles(true);
    const sys::RECT title = TitleRect(1);
    const sys::COLORREF hot = HeaderPixel(title.left + 3, title.top + 2);
    grid().Header()->SetHotTrackFlags(vxHdrHotText);
    EXPECT_EQ(CountInTitle(1, kHot), 0);
    display().MouseMove(first.x, CellCentre(3, 1).y);
    display().AdvanceClock(20);
    EXPECT_NE(HeaderPixel(title.left + 3, title.top + 2), hot);
}

}  // namespace
