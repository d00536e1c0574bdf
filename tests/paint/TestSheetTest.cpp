// Draws one sheet of every state of the classic and themed glyphs the painters use; set
// VEXA_PAINT_SHEET to a file name to keep it as a PNG for looking at.
#include <cstdlib>

#include "paint/PaintTestSupport.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {
namespace {

void DrawGlyphs(HDC dc) {
    const std::uint32_t checks[] = {DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED,
                                    DFCS_BUTTONCHECK | DFCS_BUTTON3STATE | DFCS_CHECKED,
                                    DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED,
                                    DFCS_BUTTONCHECK | DFCS_INACTIVE | DFCS_CHECKED};
    int x = 10;
    for (std::uint32_t state : checks) {
        RECT r{x, 50, x + 16, 66};
        DrawFrameControl(dc, &r, DFC_BUTTON, state);
        x += 20;
    }
    for (std::uint32_t state : {0u, DFCS_PUSHED, DFCS_FLAT, DFCS_INACTIVE}) {
        RECT r{x, 50, x + 16, 66};
        DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | state);
        x += 20;
    }
    HTHEME button = OpenThemeData(0, "Button");
    HTHEME combo = OpenThemeData(0, "ComboBox");
    HTHEME header = OpenThemeData(0, "Header");
    SetBkMode(dc, TRANSPARENT);
    x = 10;
    for (int state = 1; state <= 12; ++state, x += 20) {
        RECT r{x, 75, x + 16, 91};
        DrawThemeBackground(button, dc, BP_CHECKBOX, state, &r, nullptr);
    }
    for (int state = 1; state <= 4; ++state, x += 20) {
        RECT r{x, 75, x + 16, 91};
        DrawThemeBackground(combo, dc, CP_DROPDOWNBUTTON, state, &r, nullptr);
    }
    for (int state = 1; state <= 3; ++state) {
        RECT r{10 + (state - 1) * 80, 100, 90 + (state - 1) * 80, 122};
        DrawThemeBackground(header, dc, HP_HEADERITEM, state, &r, nullptr);
        RECT text = r;
        InflateRect(&text, -4, 0);
        DrawText(dc, "Header", -1, &text, DT_SINGLELINE | DT_VCENTER);
        RECT classic{260 + (state - 1) * 80, 100, 340 + (state - 1) * 80, 122};
        DrawEdge(dc, &classic, state == HIS_PRESSED ? EDGE_SUNKEN : EDGE_RAISED,
                 BF_RECT | BF_MIDDLE);
    }
    CloseThemeData(button);
    CloseThemeData(combo);
    CloseThemeData(header);
}

TEST(TestSheet, DrawsEveryPartAndCanBeSaved) {
    Canvas canvas(420, 130);
    DrawGlyphs(canvas.dc());
    EXPECT_GT(canvas.CountNot({0, 0, 420, 130}, kWhite), 3000);
    if (const char* path = std::getenv("VEXA_PAINT_SHEET")) {
        EXPECT_EQ(cairo_surface_write_to_png(GetBitmapSurface(canvas.bitmap()), path),
                  CAIRO_STATUS_SUCCESS);
    }
}

}  // namespace
}  // namespace vexa::sys::testing
