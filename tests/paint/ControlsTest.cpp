// Edges, classic frame controls, themed parts and the visual-styles switch.
#include "paint/PaintTestSupport.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {
namespace {

TEST(EdgeTest, SunkenAndRaisedEdgesUseTheThreeDColours) {
    Canvas canvas(20, 20);
    RECT r{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(canvas.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    EXPECT_EQ(r, (RECT{2, 2, 8, 8}));
    canvas.Expect({{0, 5, GetSysColor(COLOR_BTNSHADOW)},
                   {1, 5, GetSysColor(COLOR_3DDKSHADOW)},
                   {9, 5, GetSysColor(COLOR_BTNHIGHLIGHT)},
                   {8, 5, GetSysColor(COLOR_3DLIGHT)},
                   {5, 5, kWhite}},
                  "sunken");
    RECT raised{10, 10, 20, 20};
    DrawEdge(canvas.dc(), &raised, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    canvas.Expect({{10, 15, GetSysColor(COLOR_3DLIGHT)},
                   {11, 15, GetSysColor(COLOR_BTNHIGHLIGHT)},
                   {19, 15, GetSysColor(COLOR_3DDKSHADOW)},
                   {15, 15, GetSysColor(COLOR_BTNFACE)}},
                  "raised");
    EXPECT_EQ(raised, (RECT{10, 10, 20, 20}));
}

TEST(FrameControlTest, CheckBoxShowsTheMarkOnlyWhenChecked) {
    Canvas unchecked(16, 16), checked(16, 16), inactive(16, 16);
    RECT r{0, 0, 16, 16};
    ASSERT_TRUE(DrawFrameControl(unchecked.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK));
    DrawFrameControl(checked.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(inactive.dc(), &r, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
    const RECT inner{2, 2, 14, 14};
    EXPECT_EQ(unchecked.CountNot(inner, GetSysColor(COLOR_WINDOW)), 0);
    EXPECT_GT(checked.CountNot(inner, GetSysColor(COLOR_WINDOW)), 15);
    EXPECT_EQ(unchecked.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    int grey = 0;
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x) grey += inactive.At(x, y) == GetSysColor(COLOR_GRAYTEXT);
    EXPECT_GT(grey, 15);
    Canvas flat(16, 16);
    DrawFrameControl(flat.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT);
    flat.Expect({{0, 5, GetSysColor(COLOR_BTNSHADOW)}, {1, 5, GetSysColor(COLOR_WINDOW)}}, "flat");
}

TEST(FrameControlTest, ComboButtonHasAFaceAndADownArrow) {
    Canvas normal(16, 16), pushed(16, 16);
    RECT r{0, 0, 16, 16};
    ASSERT_TRUE(DrawFrameControl(normal.dc(), &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX));
    DrawFrameControl(pushed.dc(), &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_PUSHED);
    normal.Expect({{3, 3, GetSysColor(COLOR_BTNFACE)}, {15, 15, GetSysColor(COLOR_3DDKSHADOW)}});
    int arrowPixels = 0;
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x) arrowPixels += normal.At(x, y) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_EQ(arrowPixels, 7 + 5 + 3 + 1);
    EXPECT_NE(normal.Snapshot(), pushed.Snapshot());
    EXPECT_FALSE(DrawFrameControl(normal.dc(), &r, DFC_CAPTION, 0));
}

TEST(FrameControlTest, ScrollArrowsPointTheirWay) {
    const struct {
        std::uint32_t kind;
        POINT tip;   // the single pixel of the arrow's tip
        POINT base;  // the middle of its base
    } arrows[] = {{DFCS_SCROLLUP, {7, 6}, {7, 9}},
                  {DFCS_SCROLLDOWN, {7, 9}, {7, 6}},
                  {DFCS_SCROLLLEFT, {6, 7}, {9, 7}},
                  {DFCS_SCROLLRIGHT, {9, 7}, {6, 7}}};
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    for (const auto& arrow : arrows) {
        Canvas canvas(16, 16);
        RECT r{0, 0, 16, 16};
        ASSERT_TRUE(DrawFrameControl(canvas.dc(), &r, DFC_SCROLL, arrow.kind));
        canvas.Expect({{arrow.tip.x, arrow.tip.y, text}, {arrow.base.x, arrow.base.y, text}},
                      std::to_string(arrow.kind));
        const RECT inner{2, 2, 14, 14};
        EXPECT_EQ(canvas.CountNot(inner, GetSysColor(COLOR_BTNFACE)), 16) << arrow.kind;
    }
    Canvas push(16, 16);
    RECT r{0, 0, 16, 16};
    ASSERT_TRUE(DrawFrameControl(push.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(push.CountNot({2, 2, 14, 14}, GetSysColor(COLOR_BTNFACE)), 0);
}

LRESULT ThemeRecorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
std::vector<HWND>& ThemeChanges() {
    static std::vector<HWND> changes;
    return changes;
}
LRESULT ThemeRecorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_THEMECHANGED) ThemeChanges().push_back(hwnd);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class ThemeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASS cls;
        cls.lpfnWndProc = &ThemeRecorder;
        cls.lpszClassName = "VexaPaintThemeTest";
        RegisterClass(cls);
        DestroyAllWindowsForTesting();
        SetThemeActive(true);
        ThemeChanges().clear();
    }
    void TearDown() override {
        SetThemeActive(true);
        DestroyAllWindowsForTesting();
    }
};

TEST_F(ThemeTest, SwitchingSendsThemeChangedToEveryWindowAndClosesTheData) {
    HWND top = CreateWindowEx(0, "VexaPaintThemeTest", "", WS_POPUP, 0, 0, 50, 50);
    HWND child = CreateWindowEx(0, "VexaPaintThemeTest", "", WS_CHILD, 0, 0, 10, 10, top);
    HTHEME theme = OpenThemeData(top, "Button");
    EXPECT_NE(theme, 0u);
    EXPECT_EQ(OpenThemeData(top, "Spinner"), 0u);
    EXPECT_NE(OpenThemeData(top, "Spinner;HEADER"), 0u);
    SetThemeActive(false);
    EXPECT_FALSE(IsThemeActive());
    EXPECT_EQ(ThemeChanges(), (std::vector<HWND>{top, child}));
    EXPECT_EQ(OpenThemeData(top, "Button"), 0u);
    SetThemeActive(false);
    EXPECT_EQ(ThemeChanges().size(), 2u);
    SetThemeActive(true);
    EXPECT_EQ(ThemeChanges().size(), 4u);
    EXPECT_EQ(CloseThemeData(theme), S_OK);
    EXPECT_EQ(CloseThemeData(theme), E_HANDLE);
    DLLVERSIONINFO version;
    EXPECT_EQ(GetCommonControlsVersion(&version), S_OK);
    EXPECT_EQ(version.dwMajorVersion, 6u);
}

TEST_F(ThemeTest, EmptyWindowThemeNamesSwitchThemingOffForThatWindow) {
    HWND top = CreateWindowEx(0, "VexaPaintThemeTest", "", WS_POPUP, 0, 0, 50, 50);
    EXPECT_EQ(SetWindowTheme(top, "", ""), S_OK);
    EXPECT_EQ(ThemeChanges(), (std::vector<HWND>{top}));
    EXPECT_EQ(OpenThemeData(top, "Button"), 0u);
    SetWindowTheme(top, nullptr, nullptr);
    EXPECT_NE(OpenThemeData(top, "Button"), 0u);
}

TEST_F(ThemeTest, ThemedCheckBoxIsThirteenPixelsWithTheAccentWhenChecked) {
    HTHEME theme = OpenThemeData(0, "Button");
    SIZE size{};
    ASSERT_EQ(GetThemePartSize(theme, 0, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, nullptr, TS_TRUE, &size),
              S_OK);
    EXPECT_EQ(size, (SIZE{13, 13}));
    Canvas unchecked(16, 16), checked(16, 16);
    RECT r{0, 0, 16, 16};
    ASSERT_EQ(
        DrawThemeBackground(theme, unchecked.dc(), BP_CHECKBOX, CBS_UNCHECKEDNORMAL, &r, nullptr),
        S_OK);
    DrawThemeBackground(theme, checked.dc(), BP_CHECKBOX, CBS_CHECKEDNORMAL, &r, nullptr);
    const RECT ink = unchecked.InkBounds();
    EXPECT_EQ(ink.right - ink.left, 13);
    EXPECT_EQ(ink.bottom - ink.top, 13);
    EXPECT_EQ(checked.At(4, 4), RGB(0, 103, 192));
    EXPECT_EQ(unchecked.At(4, 4), kWhite);
    EXPECT_EQ(DrawThemeBackground(theme, checked.dc(), 2, 1, &r, nullptr), E_INVALIDARG);
    RECT content{};
    EXPECT_EQ(GetThemeBackgroundContentRect(theme, 0, BP_CHECKBOX, 1, &r, &content), S_OK);
    EXPECT_EQ(content, r);
    CloseThemeData(theme);
    EXPECT_EQ(DrawThemeBackground(theme, checked.dc(), BP_CHECKBOX, 1, &r, nullptr), E_HANDLE);
}

TEST_F(ThemeTest, ThemedComboButtonAndHeaderItem) {
    HTHEME combo = OpenThemeData(0, "ComboBox");
    HTHEME header = OpenThemeData(0, "Header");
    Canvas normal(16, 16), hot(16, 16), item(60, 20);
    RECT r{0, 0, 16, 16};
    DrawThemeBackground(combo, normal.dc(), CP_DROPDOWNBUTTON, CBXS_NORMAL, &r, nullptr);
    DrawThemeBackground(combo, hot.dc(), CP_DROPDOWNBUTTON, CBXS_HOT, &r, nullptr);
    EXPECT_EQ(normal.At(1, 1), kWhite);
    EXPECT_NE(hot.At(1, 1), kWhite);
    const RECT chevron = normal.InkBounds();
    EXPECT_NEAR((chevron.left + chevron.right) / 2.0, 8.0, 1.0);
    RECT h{0, 0, 60, 20};
    DrawThemeBackground(header, item.dc(), HP_HEADERITEM, HIS_NORMAL, &h, nullptr);
    item.Expect({{30, 19, RGB(229, 229, 229)}, {30, 10, kWhite}}, "header item");
    CloseThemeData(combo);
    CloseThemeData(header);
}

}  // namespace
}  // namespace vexa::sys::testing
