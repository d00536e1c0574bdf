// What the header looks like, read back from the window: the classic raised and pushed
// buttons, the themed normal, hot and pressed items, sort arrows, text alignment, owner draw
// through the parent, the drag image and the drop marker.
#include "HeaderTestSupport.h"
#include "vexa/system/paint/ImageList.h"

namespace vexa::sys::testing {
namespace {

// Pixels of the item face (inside the classic frame) that are not the face colour.
RECT InkBounds(const std::function<COLORREF(int, int)>& pixel, RECT area) {
    RECT ink{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (pixel(x, y) != GetSysColor(COLOR_BTNFACE)) {
                ink = RECT{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                           std::max(ink.bottom, y + 1)};
            }
    return ink;
}

TEST_F(HeaderTest, ClassicButtonIsPushedOnlyWhileThePointerIsOverIt) {
    MakeHeader(HDS_BUTTONS, {100, 100});
    const COLORREF light = GetSysColor(COLOR_3DLIGHT), white = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    const std::vector<std::tuple<const char*, int, COLORREF, COLORREF>> steps = {
        {"at rest", -1, light, white},
        {"pressed", 150, shadow, face},
        {"held elsewhere", 50, light, white},
        {"back over it", 160, shadow, face},
    };
    for (const auto& [name, x, outer, inner] : steps) {
        if (x >= 0 && GetCapture() == 0) Press(x, 10);
        if (x >= 0) MoveTo(x, 10);
        EXPECT_EQ(Pixel(100, 5), outer) << name;
        EXPECT_EQ(Pixel(101, 5), inner) << name;
        EXPECT_EQ(Pixel(0, 5), light) << name << ": the other item stays raised";
    }
    display().MouseUp();
    EXPECT_EQ(Pixel(100, 5), light);
}

TEST_F(HeaderTest, ThemedItemsShowHotAndPressedStates) {
    SetThemeActive(true);
    const COLORREF normal = RGB(255, 255, 255), hot = RGB(229, 241, 251);
    const COLORREF pressed = RGB(204, 228, 247);
    for (const UINT style : {UINT(HDS_BUTTONS | HDS_HOTTRACK), UINT(HDS_BUTTONS)}) {
        MakeHeader(style, {100, 100});
        const bool tracks = (style & HDS_HOTTRACK) != 0;
        EXPECT_EQ(Pixel(102, 2), normal);
        MoveTo(150, 10);
        EXPECT_EQ(Pixel(102, 2), tracks ? hot : normal);
        EXPECT_EQ(Pixel(2, 2), normal);
        MoveTo(150, 60);  // off the header, onto the parent
        EXPECT_EQ(Pixel(102, 2), normal);
        Press(150, 10);
        EXPECT_EQ(Pixel(102, 2), pressed);
        display().MouseUp();
        DestroyAllWindowsForTesting();
    }
}

TEST_F(HeaderTest, SortArrowsPointTheirWay) {
    const std::vector<std::pair<int, std::vector<int>>> cases = {{HDF_SORTUP, {1, 3, 5, 7, 9}},
                                                                 {HDF_SORTDOWN, {9, 7, 5, 3, 1}}};
    for (const auto& [format, rows] : cases) {
        MakeHeader(HDS_BUTTONS, {100, 100}, format);
        std::vector<int> widths;
        for (int y = 2; y < kHeaderHeight - 2; ++y) {
            int count = 0;
            for (int x = 103; x < 197; ++x) count += Pixel(x, y) == GetSysColor(COLOR_BTNSHADOW);
            if (count > 0) widths.push_back(count);
        }
        EXPECT_EQ(widths, rows);
        const RECT arrow =
            InkBounds([&](int x, int y) { return Pixel(x, y); }, RECT{103, 3, 197, 21});
        EXPECT_EQ(arrow.right, 192) << "against the right of the content";
        DestroyAllWindowsForTesting();
    }
}

TEST_F(HeaderTest, TextFollowsTheItemsAlignment) {
    std::vector<RECT> inks;
    for (const int align : {HDF_LEFT, HDF_CENTER, HDF_RIGHT}) {
        MakeHeader(HDS_BUTTONS, {100, 100}, HDF_STRING | align);
        inks.push_back(InkBounds([&](int x, int y) { return Pixel(x, y); }, RECT{103, 3, 197, 21}));
        DestroyAllWindowsForTesting();
    }
    EXPECT_NEAR(inks[0].left, 108, 1);
    EXPECT_NEAR((inks[1].left + inks[1].right) / 2.0, 150, 2);
    EXPECT_NEAR(inks[2].right, 192, 1);
    EXPECT_EQ(inks[0].right - inks[0].left, inks[2].right - inks[2].left);
    EXPECT_GT(inks[0].right - inks[0].left, 20);
}

TEST_F(HeaderTest, OwnerDrawnItemsArePaintedByTheParent) {
    for (const bool themed : {false, true}) {
        SetThemeActive(themed);
        MakeHeader(HDS_BUTTONS, {100, 100}, HDF_OWNERDRAW);
        Parent().ownerFill = RGB(200, 0, 0);
        InvalidateRect(header, nullptr, false);
        PumpMessages();
        ASSERT_EQ(Parent().draws.size(), 2u);
        const DRAWITEMSTRUCT& second = Parent().draws[1];
        EXPECT_EQ(second.CtlType, ODT_HEADER);
        EXPECT_EQ(second.CtlID, kHeaderId);
        EXPECT_EQ(second.itemID, 1u);
        EXPECT_EQ(second.itemData, 1001u);
        EXPECT_EQ(second.hwndItem, header);
        EXPECT_EQ(second.itemState, 0u);
        EXPECT_EQ(second.rcItem, themed ? (RECT{100, 0, 200, kHeaderHeight})
                                        : (RECT{102, 2, 198, kHeaderHeight - 2}));
        EXPECT_EQ(Pixel(150, 12), RGB(200, 0, 0));
        if (!themed) {
            EXPECT_EQ(Pixel(100, 5), GetSysColor(COLOR_3DLIGHT)) << "frame kept";
        }
        Parent().Clear();
        Press(150, 10);
        PumpMessages();
        ASSERT_EQ(Parent().draws.size(), 1u) << "only the pressed item is drawn again";
        EXPECT_EQ(Parent().draws[0].itemState, UINT(ODS_SELECTED));
        display().MouseUp();
        PumpMessages();
        EXPECT_EQ(Parent().draws.back().itemState, 0u);
        DestroyAllWindowsForTesting();
    }
}

TEST_F(HeaderTest, DragImageLooksLikeTheItemAndFollowsThePointerTranslucently) {
    MakeHeader(HDS_BUTTONS | HDS_DRAGDROP, {100, 100, 100});
    const HIMAGELIST image = HIMAGELIST(SendMessage(header, HDM_CREATEDRAGIMAGE, 2));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(image, &cx, &cy));
    EXPECT_EQ(cx, 100);
    EXPECT_EQ(cy, kHeaderHeight);
    const HDC hdc = CreateCompatibleDC(0);
    const HBITMAP bitmap = CreateCompatibleBitmap(hdc, cx, cy);
    SelectObject(hdc, bitmap);
    ImageList_Draw(image, 0, hdc, 0, 0, ILD_NORMAL);
    int differing = 0, inked = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            differing += GetPixel(hdc, x, y) != Pixel(200 + x, y);
            inked += GetRValue(GetPixel(hdc, x, y)) < 100;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inked, 10) << "the title is in the picture";
    DeleteDC(hdc);
    DeleteObject(bitmap);
    ImageList_Destroy(image);

    Press(250, 10);
    MoveTo(211, 10);  // the picture's left edge is now at 161, over the middle item's face
    const COLORREF blended = Pixel(161, 5);
    EXPECT_GT(GetRValue(blended), GetRValue(GetSysColor(COLOR_3DLIGHT)));
    EXPECT_LT(GetRValue(blended), GetRValue(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Pixel(200, 12), GetSysColor(COLOR_HIGHLIGHT)) << "drop marker";
    MoveTo(20, 10);
    EXPECT_EQ(Pixel(1, 12), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Pixel(200, 12), GetSysColor(COLOR_3DLIGHT));
    display().MouseUp();
    EXPECT_EQ(Pixel(1, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
}

}  // namespace
}  // namespace vexa::sys::testing
