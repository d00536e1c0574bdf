// What the header looks like, read back from the window: the classic raised and pushed
// buttons, the themed normal, hot and pressed items, sort arrows, text alignment, owner draw
// through the parent, the drag image and the drop marker.
#include "HeaderTestSupport.h"
#include "vexa/system/paint/ImageList.h"

namespace vexa::sys::testing {
namespace {

class HeaderLookTest : public HeaderTest {
  protected:
    // Bounds of what is drawn on the second item's face (inside its classic frame).
    RECT InkOnSecondItem() const {
        RECT ink{197, 21, 103, 3};
        for (int y = 3; y < 21; ++y)
            for (int x = 103; x < 197; ++x)
                if (Pixel(x, y) != GetSysColor(COLOR_BTNFACE))
                    ink = RECT{std::min(ink.left, x), std::min(ink.top, y),
                               std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
        return ink;
    }
};

TEST_F(HeaderLookTest, ClassicButtonIsPushedOnlyWhileThePointerIsOverIt) {
    MakeHeader(HDS_BUTTONS, {100, 100});
    const COLORREF light = GetSysColor(COLOR_3DLIGHT), white = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    // Pointer x while the button is held (-1: not yet pressed), then the outer and inner
    // left edge of the held item.
    for (const auto& [x, outer, inner] : std::vector<std::tuple<int, COLORREF, COLORREF>>{
             {-1, light, white}, {150, shadow, face}, {50, light, white}, {160, shadow, face}}) {
        if (x == 150) Press(x);
        if (x >= 0) MoveTo(x);
        EXPECT_EQ(std::pair(Pixel(100, 5), Pixel(101, 5)), std::pair(outer, inner)) << x;
        EXPECT_EQ(Pixel(0, 5), light) << x << ": the other item stays raised";
    }
    display().MouseUp();
    EXPECT_EQ(Pixel(100, 5), light);
}

TEST_F(HeaderLookTest, ThemedItemsShowHotAndPressedStates) {
    const COLORREF normal = RGB(255, 255, 255), hot = RGB(229, 241, 251);
    for (const UINT style : {UINT(HDS_BUTTONS | HDS_HOTTRACK), UINT(HDS_BUTTONS)}) {
        SetThemeActive(true);
        MakeHeader(style, {100, 100});
        EXPECT_EQ(Pixel(102, 2), normal);
        MoveTo(150);
        EXPECT_EQ(Pixel(102, 2), (style & HDS_HOTTRACK) ? hot : normal);
        EXPECT_EQ(Pixel(2, 2), normal);
        MoveTo(150, 60);  // off the header, onto the parent
        EXPECT_EQ(Pixel(102, 2), normal);
        Press(150);
        EXPECT_EQ(Pixel(102, 2), RGB(204, 228, 247));
        display().MouseUp();
    }
}

TEST_F(HeaderLookTest, SortArrowsAndTextAreWhereTheFormatPutsThem) {
    for (const auto& [format, rows] : std::vector<std::pair<int, std::vector<int>>>{
             {HDF_SORTUP, {1, 3, 5, 7, 9}}, {HDF_SORTDOWN, {9, 7, 5, 3, 1}}}) {
        MakeHeader(HDS_BUTTONS, {100, 100}, format);
        std::vector<int> widths;  // of the arrow's rows, top to bottom
        for (int y = 2, count = 0; y < kHeaderHeight - 2; ++y, count = 0) {
            for (int x = 103; x < 197; ++x) count += Pixel(x, y) == GetSysColor(COLOR_BTNSHADOW);
            if (count > 0) widths.push_back(count);
        }
        EXPECT_EQ(widths, rows);
        EXPECT_EQ(InkOnSecondItem().right, 192) << "against the right of the content";
    }
    std::vector<RECT> inks;
    for (const int align : {HDF_LEFT, HDF_CENTER, HDF_RIGHT}) {
        MakeHeader(HDS_BUTTONS, {100, 100}, HDF_STRING | align);
        inks.push_back(InkOnSecondItem());
    }
    EXPECT_NEAR(inks[0].left, 108, 1);
    EXPECT_NEAR((inks[1].left + inks[1].right) / 2.0, 150, 2);
    EXPECT_NEAR(inks[2].right, 192, 1);
    EXPECT_EQ(inks[0].right - inks[0].left, inks[2].right - inks[2].left);
    EXPECT_GT(inks[0].right - inks[0].left, 20);
    // An image goes before the text, or after it with HDF_BITMAP_ON_RIGHT.
    const HIMAGELIST images = ImageList_Create(8, 8, ILC_COLOR32, 1, 0);
    cairo_surface_t* red = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_t* cr = cairo_create(red);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    ImageList_Add(images, red);
    cairo_surface_destroy(red);
    for (const int side : {0, HDF_BITMAP_ON_RIGHT}) {
        MakeHeader(HDS_BUTTONS, {100, 100}, HDF_STRING | HDF_IMAGE | side);
        SendMessage(header, HDM_SETIMAGELIST, HDSIL_NORMAL, LPARAM(images));
        std::vector<int> red;
        for (int x = 103; x < 197; ++x)
            if (Pixel(x, 12) == RGB(255, 0, 0)) red.push_back(x);
        ASSERT_EQ(red.size(), 8u);
        EXPECT_NEAR(red.front(), side == 0 ? 108 : inks[0].right + 4, side == 0 ? 0 : 2);
    }
    ImageList_Destroy(images);
}

TEST_F(HeaderLookTest, OwnerDrawnItemsArePaintedByTheParent) {
    for (const bool themed : {false, true}) {
        SetThemeActive(themed);
        MakeHeader(HDS_BUTTONS, {100, 100}, HDF_OWNERDRAW);
        Parent().ownerFill = RGB(200, 0, 0);
        InvalidateRect(header, nullptr, false);
        PumpMessages();
        ASSERT_EQ(Parent().draws.size(), 2u);
        const DRAWITEMSTRUCT& drawn = Parent().draws[1];
        EXPECT_EQ(std::tuple(drawn.CtlType, drawn.CtlID, drawn.itemID, drawn.itemData,
                             drawn.hwndItem, drawn.itemState),
                  std::tuple(ODT_HEADER, UINT(kHeaderId), 1u, 1001u, header, 0u));
        EXPECT_EQ(drawn.rcItem, themed ? (RECT{100, 0, 200, kHeaderHeight})
                                       : (RECT{102, 2, 198, kHeaderHeight - 2}));
        EXPECT_EQ(Pixel(150, 12), RGB(200, 0, 0));
        EXPECT_TRUE(themed || Pixel(100, 5) == GetSysColor(COLOR_3DLIGHT)) << "frame kept";
        Parent().draws.clear();
        Press(150);
        PumpMessages();
        ASSERT_EQ(Parent().draws.size(), 1u) << "only the pressed item is drawn again";
        EXPECT_EQ(Parent().draws[0].itemState, UINT(ODS_SELECTED));
        display().MouseUp();
        PumpMessages();
        EXPECT_EQ(Parent().draws.back().itemState, 0u);
        Parent().draws.clear();
        SetWindowLongPtr(header, GWL_STYLE, GetWindowLongPtr(header, GWL_STYLE));
        PumpMessages();
        EXPECT_EQ(Parent().draws.size(), 2u) << "writing the style back repaints every item";
    }
}

TEST_F(HeaderLookTest, DragImageLooksLikeTheItemAndFollowsThePointerTranslucently) {
    MakeHeader(HDS_BUTTONS | HDS_DRAGDROP, {100, 100, 100});
    const HIMAGELIST image = HIMAGELIST(SendMessage(header, HDM_CREATEDRAGIMAGE, 2));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(image, &cx, &cy));
    EXPECT_EQ(std::pair(cx, cy), std::pair(100, kHeaderHeight));
    const HDC hdc = CreateCompatibleDC(0);
    const HBITMAP bitmap = CreateCompatibleBitmap(hdc, cx, cy);
    SelectObject(hdc, bitmap);
    ImageList_Draw(image, 0, hdc, 0, 0, ILD_NORMAL);
    int differing = 0, dark = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            differing += GetPixel(hdc, x, y) != Pixel(200 + x, y);
            dark += GetRValue(GetPixel(hdc, x, y)) < 100;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(dark, 10) << "the title is in the picture";
    DeleteDC(hdc);
    DeleteObject(bitmap);
    ImageList_Destroy(image);

    Press(250);
    MoveTo(211);  // the picture's left edge is now at 161, over the middle item's face
    EXPECT_GT(GetRValue(Pixel(161, 5)), GetRValue(GetSysColor(COLOR_3DLIGHT)));
    EXPECT_LT(GetRValue(Pixel(161, 5)), GetRValue(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Pixel(200, 12), GetSysColor(COLOR_HIGHLIGHT)) << "drop marker";
    MoveTo(20);
    EXPECT_EQ(std::pair(Pixel(1, 12), Pixel(200, 12)),
              std::pair(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_3DLIGHT)));
    display().MouseUp();
    EXPECT_EQ(Pixel(1, 12), GetSysColor(COLOR_BTNHIGHLIGHT)) << "dropped first, no marker";
}

}  // namespace
}  // namespace vexa::sys::testing
