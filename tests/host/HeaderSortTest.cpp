// Sorting from the header: clicks with and without Shift, Ctrl and Alt build the sort a user
// expects, the rows are repainted in their new order, the host may stop the sort, and the
// column sort settings are plain stored values until a sort takes them up.
#include "HeaderTestSupport.h"
#include "vexa/system/paint/Gdi.h"

using namespace vexa;
using namespace vexa::test;

namespace {

struct Click {
    int col;
    std::vector<int> keys;
};

struct Criterion {
    int col;
    ESortOrders order;
};

struct ClickCase {
    const char* name;
    std::vector<Click> clicks;
    std::string layoutSort;
    std::vector<Criterion> sortedBy;
};

class HeaderSortTest : public HeaderOnForm, public ::testing::WithParamInterface<ClickCase> {
  protected:
    // Three columns whose values tie on their own, so the criteria after the first matter.
    void FillTies() {
        Fill({80, 80, 80}, 8);
        const int c1[] = {2, 1, 2, 1, 2, 1, 2, 1}, c2[] = {1, 1, 2, 2, 1, 1, 2, 2};
        for (int row = 1; row <= 8; ++row) {
            grid().SetCellValue(row, 1, c1[row - 1]);
            grid().SetCellValue(row, 2, c2[row - 1]);
            grid().SetCellValue(row, 3, 9 - row);
        }
    }
    void ExpectSortedBy(const std::vector<Criterion>& criteria) {
        for (int row = 2; row <= grid().RowCount(); ++row) {
            for (const Criterion& c : criteria) {
                const int above = grid().CellValue(row - 1, c.col).ToLong();
                const int below = grid().CellValue(row, c.col).ToLong();
                if (above == below) continue;
                EXPECT_EQ(above < below, c.order == vxSortAsc) << "rows " << row - 1 << ", " << row;
                break;
            }
        }
    }
};

TEST_P(HeaderSortTest, ClicksBuildTheSort) {
    FillTies();
    for (const Click& click : GetParam().clicks) ClickTitle(click.col, click.keys);
    EXPECT_EQ(grid().LayoutSort(), GetParam().layoutSort);
    EXPECT_EQ(grid().SortObject().ColCount(), std::int16_t(GetParam().sortedBy.size()));
    ExpectSortedBy(GetParam().sortedBy);
    EXPECT_EQ(log.Of("ContentsSorted").size(), GetParam().clicks.size());
}

constexpr int kShift = sys::VK_SHIFT, kCtrl = sys::VK_CONTROL, kAlt = sys::VK_MENU;

INSTANTIATE_TEST_SUITE_P(
    Clicks, HeaderSortTest,
    ::testing::Values(
        ClickCase{"FirstClickAscending", {{2, {}}}, "2|SortKey|1|2|SortOrder|0|", {{2, vxSortAsc}}},
        ClickCase{"SecondClickDescending",
                  {{2, {}}, {2, {}}},
                  "2|SortKey|1|2|SortOrder|1|",
                  {{2, vxSortDesc}}},
        ClickCase{"ThirdClickAscendingAgain",
                  {{2, {}}, {2, {}}, {2, {}}},
                  "2|SortKey|1|2|SortOrder|0|",
                  {{2, vxSortAsc}}},
        ClickCase{"ShiftAddsASecondCriterion",
                  {{1, {}}, {2, {kShift}}},
                  "1|SortKey|1|1|SortOrder|0|2|SortKey|2|2|SortOrder|0|",
                  {{1, vxSortAsc}, {2, vxSortAsc}}},
        ClickCase{"ShiftOnACriterionTogglesIt",
                  {{1, {}}, {2, {kShift}}, {2, {kShift}}},
                  "1|SortKey|1|1|SortOrder|0|2|SortKey|2|2|SortOrder|1|",
                  {{1, vxSortAsc}, {2, vxSortDesc}}},
        ClickCase{"PlainClickEndsTheMultiColumnSort",
                  {{1, {}}, {2, {kShift}}, {2, {}}},
                  "2|SortKey|1|2|SortOrder|0|",
                  {{2, vxSortAsc}}},
        ClickCase{"PlainClickOnTheFirstAscendingCriterionTurnsIt",
                  {{1, {}}, {2, {kShift}}, {1, {}}},
                  "1|SortKey|1|1|SortOrder|1|",
                  {{1, vxSortDesc}}},
        ClickCase{"CtrlAndAltAddCriteriaToo",
                  {{2, {}}, {1, {kCtrl}}, {3, {kAlt}}},
                  "1|SortKey|2|1|SortOrder|0|2|SortKey|1|2|SortOrder|0|3|SortKey|3|3|SortOrder|0|",
                  {{2, vxSortAsc}, {1, vxSortAsc}, {3, vxSortAsc}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeaderSortTest, AClickReportsTheColumnKeysAndPointBeforeSorting) {
    FillTies();
    const sys::RECT title = TitleRect(2);
    ClickTitle(2, {kShift, kCtrl});
    const int x = (title.left + title.right) / 2, y = (title.top + title.bottom) / 2;
    std::vector<std::string> seen;
    for (const std::string& entry : log.entries)
        if (entry.starts_with("ColHeaderClick") || entry.starts_with("ContentsSorted"))
            seen.push_back(entry);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "ColHeaderClick(2,1,3," + std::to_string(x) + "," + std::to_string(y) + ")",
                        "ContentsSorted()"}));
}

TEST_F(HeaderSortTest, AHostThatClearsDoDefaultKeepsTheRows) {
    FillTies();
    answers.refuseClick = true;
    ClickTitle(3);
    EXPECT_EQ(log.Of("ColHeaderClick").size(), 1u);
    EXPECT_TRUE(log.Of("ContentsSorted").empty());
    EXPECT_EQ(grid().LayoutSort(), "");
    EXPECT_EQ(Column(3), (std::vector<std::string>{"8", "7", "6", "5", "4", "3", "2", "1"}));
}

TEST_F(HeaderSortTest, TheRowsArePaintedInTheirNewOrder) {
    Fill({80, 80}, 6);
    const int values[] = {4, 6, 1, 5, 3, 2};
    auto colourOf = [](int value) { return sys::RGB(std::uint8_t(40 * value), 90, 200); };
    for (int row = 1; row <= 6; ++row) {
        grid().SetCellValue(row, 1, values[row - 1]);
        grid().SetCellBackColor(row, 1, colourOf(values[row - 1]));
    }
    ClickTitle(1);
    for (int row = 1; row <= 6; ++row) {
        const sys::RECT cell = CellRect(row, 1);
        EXPECT_EQ(Pixel(cell.left + 1, cell.top + 1), colourOf(row)) << "row " << row;
    }
}

TEST_F(HeaderSortTest, DoDefaultSortNamesTheOrderAndRaisesNoContentsSorted) {
    FillTies();
    grid().DoDefaultSort(3, 0, vxSortDesc);
    grid().DoDefaultSort("c3", 0, vxSortDesc);
    EXPECT_EQ(grid().LayoutSort(), "3|SortKey|1|3|SortOrder|1|");
    EXPECT_EQ(Column(3).front(), "8");
    EXPECT_THROW(grid().DoDefaultSort(4), Error);
    EXPECT_THROW(grid().DoDefaultSort("nope", 1), Error);
    EXPECT_EQ(grid().LayoutSort(), "3|SortKey|1|3|SortOrder|1|");
    EXPECT_TRUE(log.Of("ContentsSorted").empty());
}

TEST_F(HeaderSortTest, SortSettingsAreStoredUntilASortTakesThemUp) {
    FillTies();
    // Painted over the cells: nothing may repaint them while only settings change.
    const sys::RECT cell = CellRect(1, 3);
    const sys::HDC dc = sys::GetDC(grid().hwnd());
    const sys::HBRUSH sentinel = sys::CreateSolidBrush(sys::RGB(255, 0, 255));
    sys::FillRect(dc, &cell, sentinel);
    sys::DeleteObject(sentinel);
    sys::ReleaseDC(grid().hwnd(), dc);
    grid().SetColSortKey(1, 1);
    grid().SetColSortKey("c3", 2);
    grid().SetColSortOrder(3, vxSortDesc);
    grid().SetColSortType(2, vxSortByText);
    EXPECT_EQ(Pixel(cell.left + 1, cell.top + 1), sys::RGB(255, 0, 255));
    EXPECT_EQ(Column(3).front(), "8");
    EXPECT_EQ(grid().ColSortType(2), vxSortByText);

    grid().DoDefaultSort(2, 1);  // joins the stored keys as the third criterion
    EXPECT_EQ(grid().LayoutSort(),
              "1|SortKey|1|1|SortOrder|0|2|SortKey|3|2|SortOrder|0|3|SortKey|2|3|SortOrder|1|");
    EXPECT_EQ(grid().SortObject().SortType(3), vxSortByText);
    ExpectSortedBy({{1, vxSortAsc}, {3, vxSortDesc}});

    grid().Sort(2);  // Sort writes the keys from its own criteria
    EXPECT_EQ(grid().LayoutSort(), "2|SortKey|1|2|SortOrder|0|");
}

}  // namespace
