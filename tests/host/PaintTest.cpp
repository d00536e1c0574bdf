// The grid as it shows on screen: grid lines and their extensions, backgrounds and row
// colours, the disabled look, hatches, icons, check boxes, combo buttons, custom-drawn cells,
// group rows, highlight colours and the Redraw switch, read back pixel by pixel.
#include "host/PaintTestSupport.h"

namespace vexa::test {
namespace {

class PaintTest : public PaintedGrid {
  protected:
    // Empty columns of the given widths and `rows` rows, `height` pixels high.
    void Columns(std::initializer_list<std::int32_t> widths, std::int32_t rows,
                 std::int32_t height = 15) {
        grid().SetDefaultRowHeight(height);
        for (std::int32_t width : widths) grid().AddCol({.lWidth = width});
        grid().SetRowCount(rows);
    }
    static sys::POINT Mid(const sys::RECT& r) {
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    COLORREF At(const ClientPixels& shot, sys::POINT p) { return shot.At(p.x, p.y); }
    const COLORREF white_ = Sys(sys::COLOR_WINDOW);
};

struct LinesCase {
    EGridLines lines;
    EGridLinesExtendModes extend;
    bool vertical, horizontal, right, belowVertical, belowHorizontal;
};

class GridLinesTest : public PaintTest, public ::testing::WithParamInterface<LinesCase> {};

TEST_P(GridLinesTest, LinesAndTheirExtensionsShowWhereTheModesSay) {
    const LinesCase& c = GetParam();
    Columns({60, 60, 60}, 4);
    grid().SetGridLineColor(kRed);
    grid().SetGridLines(c.lines);
    grid().SetGridLinesExtend(c.extend);
    const sys::RECT first = CellRect(2, 1), last = CellRect(2, 3), bottom = CellRect(4, 1);
    const ClientPixels shot = Shot();
    auto line = [&](int x, int y, bool expected) {
        EXPECT_EQ(shot.At(x, y), expected ? kRed : white_) << x << "," << y;
    };
    line(first.right - 1, Mid(first).y, c.vertical);
    line(last.right - 1, Mid(last).y, c.vertical);
    line(Mid(first).x, first.bottom - 1, c.horizontal);
    line(Mid(last).x, last.bottom - 1, c.horizontal);
    line(shot.Width() - 2, first.bottom - 1, c.right);
    line(first.right - 1, bottom.bottom + 7, c.belowVertical);
    line(Mid(first).x, bottom.bottom + 15 - 1, c.belowHorizontal);
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, GridLinesTest,
    ::testing::Values(LinesCase{vxGridLinesNone, vxGridLinesExtendBoth, 0, 0, 0, 0, 0},
                      LinesCase{vxGridLinesVertical, vxGridLinesExtendNone, 1, 0, 0, 0, 0},
                      LinesCase{vxGridLinesHorizontal, vxGridLinesExtendNone, 0, 1, 0, 0, 0},
                      LinesCase{vxGridLinesBoth, vxGridLinesExtendNone, 1, 1, 0, 0, 0},
                      LinesCase{vxGridLinesHorizontal, vxGridLinesExtendRight, 0, 1, 1, 0, 0},
                      LinesCase{vxGridLinesVertical, vxGridLinesExtendRight, 1, 0, 0, 0, 0},
                      LinesCase{vxGridLinesVertical, vxGridLinesExtendDown, 1, 0, 0, 1, 0},
                      LinesCase{vxGridLinesHorizontal, vxGridLinesExtendDown, 0, 1, 0, 0, 1},
                      LinesCase{vxGridLinesBoth, vxGridLinesExtendBoth, 1, 1, 1, 1, 1}));

struct CoverCase {
    EGridLinesExtendModes extend;
    std::int32_t rows;
    std::int32_t scrollToRow;  // 0: not scrolled
    std::int32_t scrollToCol;
};

class CoverTest : public PaintTest, public ::testing::WithParamInterface<CoverCase> {};

TEST_P(CoverTest, AFullRepaintLeavesNoPixelOfWhatWasThere) {
    const CoverCase& c = GetParam();
    Columns({250, 250, 250}, c.rows);
    grid().SetGridLinesExtend(c.extend);
    if (c.scrollToRow > 0) grid().EnsureVisibleRow(c.scrollToRow, vxEnsVisRowTopForce);
    if (c.scrollToCol > 0) grid().EnsureVisibleCol(c.scrollToCol, vxEnsVisColLeftForce, 3);
    EXPECT_EQ(LeftUnpainted(), 0);
}

INSTANTIATE_TEST_SUITE_P(ScrolledOrNot, CoverTest,
                         ::testing::Values(CoverCase{vxGridLinesExtendNone, 0, 0, 0},
                                           CoverCase{vxGridLinesExtendNone, 5, 0, 0},
                                           CoverCase{vxGridLinesExtendDown, 5, 0, 2},
                                           CoverCase{vxGridLinesExtendBoth, 5, 0, 0},
                                           CoverCase{vxGridLinesExtendRight, 200, 120, 0},
                                           CoverCase{vxGridLinesExtendBoth, 200, 0, 3}));

TEST_F(PaintTest, ADisabledGridShowsButtonFaceGrayLinesNoHighlightAndKeepsTextColours) {
    UseIcons();
    grid().SetDefaultRowHeight(20);
    for (int c = 0; c < 3; ++c) grid().AddCol({.lWidth = 80});
    grid().ColDefaultCell(2)->SetbSelected(true);
    grid().SetRowCount(3);
    grid().SetGridLineColor(kRed);
    grid().SetCellBackColor(1, 1, kGreen);
    grid().SetCellIcon(2, 1, 0);
    grid().SetCellValue(1, 3, "WWW");
    grid().SetCellForeColor(1, 3, kBlue);
    grid().SetEnabled(false);

    const COLORREF face = Sys(sys::COLOR_BTNFACE);
    ClientPixels shot = Shot();
    EXPECT_EQ(At(shot, Mid(CellRect(3, 1))), face);
    EXPECT_EQ(shot.At(CellRect(3, 1).right - 1, Mid(CellRect(3, 1)).y), Sys(sys::COLOR_GRAYTEXT));
    EXPECT_EQ(At(shot, Mid(CellRect(1, 1))), face) << "no own cell background";
    EXPECT_EQ(At(shot, Mid(CellRect(1, 2))), face) << "no selection highlight";
    EXPECT_GT(shot.Count(CellRect(1, 3), kBlue), 0) << "text keeps its colour";
    EXPECT_EQ(shot.Count(CellRect(2, 1), kRed), 0) << "icons in the disabled style";
    grid().SetDisableIcons(false);
    EXPECT_EQ(Shot().Count(CellRect(2, 1), kRed), 16 * 16);

    grid().SetEnabled(true);
    shot = Shot();
    EXPECT_EQ(At(shot, Mid(CellRect(1, 1))), kGreen);
    EXPECT_EQ(At(shot, Mid(CellRect(1, 2))), face) << "highlighted without focus";
    EXPECT_EQ(At(shot, Mid(CellRect(3, 1))), white_);
}

TEST_F(PaintTest, OpaqueTextHidesTheHatchUnderTheTextOnly) {
    Columns({200}, 2, 20);
    grid().SetCellValue(1, 1, std::string(40, 'W'));
    grid().SetCellBackColor(1, 1, kRed);
    grid().SetCellHatch(1, 1, vxHatchCross);
    const sys::RECT cell = CellRect(1, 1);
    // The first text line lies at the top of the text rectangle; the hatch shows below it.
    const sys::RECT underText{cell.left + 4, cell.top + 1, cell.left + 100, cell.top + 10};
    const sys::RECT belowText{cell.left + 4, cell.top + 15, cell.right - 5, cell.bottom - 2};
    for (bool opaque : {true, false}) {
        SCOPED_TRACE(opaque);
        grid().SetOpaqueTextInHatchedCells(opaque);
        const ClientPixels shot = Shot();
        EXPECT_EQ(shot.Count(underText, kRed) > 0, !opaque);
        EXPECT_GT(shot.Count(belowText, kRed), 0);
        EXPECT_EQ(shot.Count(belowText, [&](COLORREF c) { return c != kRed && c != white_; }), 0)
            << "the hatch lies on BackColor";
    }
}

struct CustomPainter : VexaEvents {
    void CustomDrawCell(std::int32_t, std::int32_t, std::int32_t hDC, std::int32_t left,
                        std::int32_t top, std::int32_t right, std::int32_t bottom, bool) override {
        const sys::RECT rect{left, top, right, bottom};
        const sys::HBRUSH brush = sys::CreateSolidBrush(kGreen);
        sys::FillRect(sys::HDC(hDC), &rect, brush);
        sys::DeleteObject(brush);
    }
};

TEST_F(PaintTest, ACustomDrawnCellGetsTheRowBufferWithItsTopAtZero) {
    CustomPainter painter;
    grid().Advise(&painter);
    Columns({80, 80, 80}, 10, 18);
    grid().SetCellType(6, 2, vxCellCustomDraw);
    log.Clear();
    RepaintAll();
    const sys::RECT cell = CellRect(6, 2);
    ASSERT_GT(cell.top, 0);
    EXPECT_EQ(log.Of("CustomDrawCell"),
              (std::vector<std::string>{"CustomDrawCell(6,2,80,0,160,18,0)"}));
    const sys::RECT inside{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
    EXPECT_EQ(Shot().Count(inside, kGreen), 79 * 17) << "what the handler drew shows";
}

struct SelectableCase {
    std::array<bool, 3> includeInSelect;
    std::array<bool, 3> highlighted;
};

class FirstSelectableTest : public PaintTest,
                            public ::testing::WithParamInterface<SelectableCase> {};

TEST_P(FirstSelectableTest, SelectedCellsLeftOfTheFirstSelectableColumnAreNotHighlighted) {
    const SelectableCase& c = GetParam();
    for (bool include : c.includeInSelect) {
        grid().AddCol({.lWidth = 60, .bIncludeInSelect = include})->SetbSelected(true);
    }
    grid().SetRowCount(2);
    grid().SetHighlightBackColorNoFocus(kBlue);
    const ClientPixels shot = Shot();
    for (int col = 1; col <= 3; ++col) {
        EXPECT_EQ(At(shot, Mid(CellRect(1, col))), c.highlighted[col - 1] ? kBlue : white_)
            << "column " << col;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, FirstSelectableTest,
    ::testing::Values(SelectableCase{{false, true, true}, {false, true, true}},
                      SelectableCase{{true, false, true}, {true, true, true}},
                      SelectableCase{{false, false, true}, {false, false, true}},
                      SelectableCase{{false, false, false}, {true, true, true}}));

TEST_F(PaintTest, OddAndEvenRowColoursFollowTheVisibleRowsUpToTheLastColumn) {
    Columns({60, 60}, 4);
    auto colours = [&] {
        const ClientPixels shot = Shot();
        std::vector<COLORREF> seen;
        for (int row = 1; row <= 4; ++row) {
            if (grid().RowVisible(row)) seen.push_back(At(shot, Mid(CellRect(row, 1))));
        }
        seen.push_back(shot.At(CellRect(1, 2).right + 5, Mid(CellRect(1, 2)).y));
        return seen;
    };
    grid().SetBackColorOddRows(kGreen);
    EXPECT_EQ(colours(), (std::vector<COLORREF>{kGreen, white_, kGreen, white_, white_}));
    grid().SetBackColorEvenRows(kBlue);
    EXPECT_EQ(colours(), (std::vector<COLORREF>{kGreen, kBlue, kGreen, kBlue, white_}));
    grid().SetRowVisible(2, false);
    EXPECT_EQ(colours(), (std::vector<COLORREF>{kGreen, kBlue, kGreen, white_}));
    grid().SetBackColorOddRows(kDefaultColor);
    grid().SetBackColorEvenRows(kDefaultColor);
    EXPECT_EQ(colours(), (std::vector<COLORREF>{white_, white_, white_, white_}));
}

TEST_F(PaintTest, TheBackgroundPictureIsFixedToTheCellsAreaWhileTheGridScrolls) {
    constexpr int kW = 7, kH = 5;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kW, kH);
    auto tile = [](int x, int y) { return RGB(x * 30, y * 40, 100); };
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            auto* row =
                reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                                 y * cairo_image_surface_get_stride(surface));
            const COLORREF c = tile(x, y);
            row[x] =
                0xFF000000u | sys::GetRValue(c) << 16 | sys::GetGValue(c) << 8 | sys::GetBValue(c);
        }
    cairo_surface_mark_dirty(surface);
    grid().SetBackgroundPicture(Picture::FromSurface(surface));
    cairo_surface_destroy(surface);
    grid().SetGridLines(vxGridLinesNone);
    Columns({300, 300, 300}, 100);
    auto fixed = [&] {
        const ClientPixels shot = Shot();
        int wrong = 0;
        for (int y = 0; y < shot.Height(); y += 3)
            for (int x = 0; x < shot.Width(); x += 5)
                wrong += shot.At(x, y) != tile(x % kW, y % kH);
        return wrong;
    };
    EXPECT_EQ(fixed(), 0);
    grid().EnsureVisibleRow(60, vxEnsVisRowTopForce, 3);
    grid().EnsureVisibleCol(2, vxEnsVisColLeftForce, 11);
    std::int32_t startRow, startCol, x0, y0, endRow, endCol, x1, y1;
    grid().GetStartEndCell(startRow, startCol, x0, y0, endRow, endCol, x1, y1);
    ASSERT_GT(startRow, 50);
    ASSERT_EQ(startCol, 1);
    EXPECT_EQ(fixed(), 0);
    grid().SetRowCount(3);  // the area below the rows too
    EXPECT_EQ(fixed(), 0);
}

TEST_F(PaintTest, AGroupRowIsOneBandFromItsFirstColumnToTheLastColumn) {
    Columns({80, 80, 80}, 3, 20);
    grid().AddCol({.sKey = "text", .bRowTextCol = true});
    grid().SetRowIsGroup(2, true);
    grid().SetCellBackColor(2, "text", kGreen);
    for (std::int32_t start : {0, 1, 2, 3}) {
        SCOPED_TRACE(start);
        grid().SetRowGroupStartCol(2, start);
        const ClientPixels shot = Shot();
        const int y = Mid(CellRect(2, 1)).y;
        for (int col = 1; col <= 3; ++col) {
            EXPECT_EQ(shot.At(Mid(CellRect(1, col)).x, y), col >= start ? kGreen : white_);
        }
        EXPECT_EQ(shot.At(CellRect(2, 3).right + 3, y), white_);
        EXPECT_EQ(shot.At(Mid(CellRect(1, 1)).x, Mid(CellRect(1, 1)).y), white_);
    }
}

TEST_F(PaintTest, WhileRedrawIsOffNothingIsPaintedEvenOnPaintMessages) {
    Columns({80, 80}, 3);
    PaintSentinel();
    grid().SetRedraw(false);
    grid().SetCellValue(1, 1, "changed");
    grid().SetBackColor(kGreen);
    sys::InvalidateRect(grid().hwnd(), nullptr, true);
    sys::PumpMessages();
    EXPECT_EQ(Shot().CountAll(kSentinel), Client().right * Client().bottom);
    RepaintAll();
    const ClientPixels shot = Shot();
    EXPECT_EQ(shot.CountAll(kSentinel), 0);
    EXPECT_EQ(At(shot, Mid(CellRect(3, 2))), kGreen);
}

TEST_F(PaintTest, TheExtraIconComesFirstThenTheIconThenTheText) {
    UseIcons();
    Columns({120}, 1, 20);
    grid().SetCellExtraIcon(1, 1, 0);
    grid().SetCellIcon(1, 1, 2);
    grid().SetCellValue(1, 1, "W");
    grid().SetCellIndent(1, 1, 5);
    const sys::RECT cell = CellRect(1, 1);
    const int left = cell.left + 1 + 5, top = cell.top + 1;
    const ClientPixels shot = Shot();
    EXPECT_EQ(shot.Count({left, top, left + 16, top + 16}, kRed), 256);
    EXPECT_EQ(shot.Count({left + 18, top, left + 34, top + 16}, kBlue), 256);
    const COLORREF text = Sys(sys::COLOR_WINDOWTEXT);
    EXPECT_EQ(shot.Count({cell.left, cell.top, left + 36, cell.bottom}, text), 0);
    EXPECT_GT(shot.Count({left + 36, cell.top, cell.right, cell.bottom}, text), 0);
}

struct GlyphCase {
    bool themed;
    std::int32_t type;
    std::int32_t flags;
    Variant value;
    std::uint32_t classic;  // frame-control state
    int themedState;
};

class GlyphTest : public PaintTest, public ::testing::WithParamInterface<GlyphCase> {};

TEST_P(GlyphTest, CheckBoxesAndComboButtonsShowTheirGlyphAtTheirPlace) {
    const GlyphCase& c = GetParam();
    Columns({61, 61}, 2, 21);
    grid().SetUseXPStyles(c.themed);
    grid().SetShowControlsInAllCells(true);
    grid().SetCellType(1, 2, c.type);
    grid().SetCellTypeFlags(1, 2, c.flags);
    grid().SetCellValue(1, 2, c.value);
    const bool check = c.type == vxCellCheck;
    const int size = check && c.themed ? 13 : 16;
    const sys::POINT at = GlyphOrigin(CellRect(1, 2), check, size);
    const auto classic = [&](sys::HDC dc, sys::RECT& rect) {
        sys::DrawFrameControl(dc, &rect, check ? sys::DFC_BUTTON : sys::DFC_SCROLL, c.classic);
    };
    EXPECT_TRUE(GlyphShown(Shot(), at.x, at.y, size, c.themed ? Sys(sys::COLOR_BTNFACE) : white_,
                           c.themed ? ThemedGlyph(grid().hwnd(), check ? "Button" : "ComboBox",
                                                  check ? 3 : 1, c.themedState)
                                    : classic));
    if (check) return;
    // Combo buttons show only where controls are shown: not here, the cell not being current.
    grid().SetShowControlsInAllCells(false);
    EXPECT_EQ(
        Shot().Count({at.x, at.y, at.x + 16, at.y + 16}, [&](COLORREF px) { return px != white_; }),
        0);
}

constexpr std::uint32_t kCheck = sys::DFCS_BUTTONCHECK, kChecked = sys::DFCS_CHECKED,
                        kFlat = sys::DFCS_FLAT, kMixed = sys::DFCS_BUTTON3STATE | sys::DFCS_CHECKED,
                        kCombo = sys::DFCS_SCROLLCOMBOBOX;

INSTANTIATE_TEST_SUITE_P(
    ClassicAndThemed, GlyphTest,
    ::testing::Values(
        GlyphCase{false, vxCellCheck, 0, Variant(0), kCheck, 0},
        GlyphCase{false, vxCellCheck, 0, Variant(1), kCheck | kChecked, 0},
        GlyphCase{false, vxCellCheck, 0, Variant(2), kCheck, 0},
        GlyphCase{false, vxCellCheck, vxCheckBox3State, Variant(2), kMixed, 0},
        GlyphCase{false, vxCellCheck, vxCheckBoxFlat, Variant(true), kCheck | kChecked | kFlat, 0},
        GlyphCase{true, vxCellCheck, 0, Variant(0), 0, 1},
        GlyphCase{true, vxCellCheck, vxCheckBoxFlat, Variant(1), 0, 5},
        GlyphCase{true, vxCellCheck, vxCheckBox3State, Variant(2), 0, 9},
        GlyphCase{false, vxCellCombo, 0, Variant("x"), kCombo, 0},
        GlyphCase{false, vxCellCombo, vxComboBtnFlat, Variant("x"), kCombo | kFlat, 0},
        GlyphCase{true, vxCellCombo, vxComboBtnFlat, Variant("x"), 0, 1}));

TEST_F(PaintTest, GainingAndLosingTheFocusSwitchesTheHighlightColours) {
    grid().AddCol({.lWidth = 200})->SetbSelected(true);
    grid().SetRowCount(2);
    grid().SetCellValue(1, 1, std::string(30, 'W'));
    grid().SetHighlightBackColor(kBlue);
    grid().SetHighlightForeColor(RGB(255, 255, 0));
    grid().SetHighlightBackColorNoFocus(kGreen);
    grid().SetHighlightForeColorNoFocus(kRed);
    struct Look {
        COLORREF back, fore;
    };
    auto look = [&](Look expected) {
        const ClientPixels shot = Shot();
        const sys::RECT cell = CellRect(1, 1);
        EXPECT_EQ(At(shot, Mid(CellRect(2, 1))), expected.back);
        EXPECT_GT(shot.Count(cell, expected.fore), 10);
    };
    look({kGreen, kRed});
    sys::SetFocus(grid().hwnd());
    look({kBlue, RGB(255, 255, 0)});
    sys::SetFocus(form());
    look({kGreen, kRed});
}

TEST_F(PaintTest, SwitchingThePlatformThemeRebuildsTheGlyphsAndTellsTheHost) {
    struct ThemeBackOn {
        ~ThemeBackOn() { sys::SetThemeActive(true); }
    } restore;
    Columns({61}, 1, 21);
    grid().SetCellType(1, 1, vxCellCheck);
    grid().SetCellValue(1, 1, 1);
    const sys::POINT at = GlyphOrigin(CellRect(1, 1), true, 16);
    auto classic = [&] {
        return GlyphShown(Shot(), at.x, at.y, 16, white_, [](sys::HDC dc, sys::RECT& r) {
            sys::DrawFrameControl(dc, &r, sys::DFC_BUTTON, kCheck | kChecked);
        });
    };
    EXPECT_FALSE(classic());
    sys::SetThemeActive(false);
    EXPECT_TRUE(classic());
    sys::SetThemeActive(true);
    EXPECT_FALSE(classic());
    EXPECT_EQ(log.Of("WindowsThemeChanged"),
              (std::vector<std::string>{"WindowsThemeChanged(0)", "WindowsThemeChanged(1)"}));
}

TEST_F(PaintTest, TheVisibleRangeAndHitTestsFollowTheScrolledView) {
    Columns({250, 250, 250, 250, 250}, 100);
    grid().EnsureVisibleRow(50, vxEnsVisRowTopForce, 0);
    grid().EnsureVisibleCol(2, vxEnsVisColLeftForce, 0);
    std::int32_t startRow, startCol, x0, y0, endRow, endCol, x1, y1, row, col;
    grid().GetStartEndCell(startRow, startCol, x0, y0, endRow, endCol, x1, y1);
    // A column whose right edge lies exactly on the left of the view still starts the range.
    EXPECT_EQ((std::vector<std::int32_t>{startRow, startCol, x0, y0}),
              (std::vector<std::int32_t>{50, 1, -250, 0}));
    const sys::RECT client = Client();
    // The range ends with the first row or column reaching past the view.
    grid().CellFromPoint(client.right - 1, client.bottom - 1, row, col);
    EXPECT_GE(row, endRow - 1);
    EXPECT_LE(row, endRow);
    EXPECT_EQ(col, endCol);
    EXPECT_EQ(y1, CellRect(endRow, 1).bottom);
    EXPECT_EQ(x1, CellRect(1, endCol).right);
    grid().CellFromPoint(1, 1, row, col);
    EXPECT_EQ(row * 10 + col, 50 * 10 + 2);
}

}  // namespace
}  // namespace vexa::test
