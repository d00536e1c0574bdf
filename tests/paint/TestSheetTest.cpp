// Draws one sheet of everything the painters use; set VEXA_PAINT_SHEET to a file name to
// keep it as a PNG for looking at.
#include <cstdlib>

#include "paint/PaintTestSupport.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {
namespace {

void DrawHatches(HDC dc) {
    SetBkColor(dc, RGB(255, 255, 255));
    for (int style = HS_HORIZONTAL; style <= HS_DIAGCROSS; ++style) {
        HBRUSH brush = CreateHatchBrush(style, RGB(0, 0, 160));
        RECT r{10 + style * 50, 10, 50 + style * 50, 40};
        FillRect(dc, &r, brush);
        FrameRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
        DeleteObject(brush);
    }
}

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

void DrawTexts(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    const struct {
        const char* text;
        std::uint32_t format;
    } samples[] = {
        {"Left aligned", DT_LEFT | DT_SINGLELINE | DT_VCENTER},
        {"Centred", DT_CENTER | DT_SINGLELINE | DT_VCENTER},
        {"Right aligned", DT_RIGHT | DT_SINGLELINE | DT_VCENTER},
        {"An end ellipsis cuts this long text", DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER},
        {"C:\\Program Files\\Vexa\\report.txt", DT_PATH_ELLIPSIS | DT_SINGLELINE | DT_VCENTER},
        {"Word ellipsis stops at words", DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_VCENTER},
        {"&File and A&&B", DT_SINGLELINE | DT_VCENTER},
        {"Wrapped text over several lines of the cell", DT_WORDBREAK},
    };
    int y = 130;
    for (const auto& sample : samples) {
        RECT cell{10, y, 150, y + 34};
        FrameRect(dc, &cell, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT text = cell;
        InflateRect(&text, -2, -1);
        DrawText(dc, sample.text, -1, &text, sample.format);
        y += 36;
    }
    RECT focus{160, 130, 300, 164};
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    DrawFocusRect(dc, &focus);
}

TEST(TestSheet, DrawsEveryPartAndCanBeSaved) {
    Canvas canvas(420, 430);
    DrawHatches(canvas.dc());
    DrawGlyphs(canvas.dc());
    DrawTexts(canvas.dc());
    EXPECT_GT(canvas.CountNot({0, 0, 420, 430}, kWhite), 5000);
    if (const char* path = std::getenv("VEXA_PAINT_SHEET")) {
        EXPECT_EQ(cairo_surface_write_to_png(GetBitmapSurface(canvas.bitmap()), path),
                  CAIRO_STATUS_SUCCESS);
    }
}

}  // namespace
}  // namespace vexa::sys::testing
