// Sorting from the header: clicks with and without Shift, Ctrl and Alt build the sort a user
// expects, the rows are repainted in their new order, the host may stop the sort, and the
// column sort settings are plain stored values until a sort takes them up.
#include "HeaderTestSupport.h"
#include "vexa/system/paint/Gdi.h"

using namespace vexa;
using namespace vexa::test;

namespace {

// Clicks are written "2 s1": a column, after the keys held (s Shift, c Ctrl, a Alt); the
// sort "1+ 2-": columns with their order, most significant first.
struct ClickCase {
    const char* name;
    const char* clicks;
    std::string layoutSort;
    const char* sortedBy;
};

class HeaderSortTest : public HeaderOnForm, public ::testing::WithParamInterface<ClickCase> {
  protected:
    // Three columns whose values tie on their own, so the criteria after the first matter.
    void FillTies() {
        Fill({80, 80, 80}, 8);
        for (int row = 1; row <= 8; ++row) {
            grid().SetCellValue(row, 1, 1 + row % 2);
            grid().SetCellValue(row, 2, 1 + (row - 1) / 2 % 2);
            grid().SetCellValue(row, 3, 9 - row);
        }
    }
    void ExpectSortedBy(const std::string& criteria) {
        for (int row = 2; row <= grid().RowCount(); ++row) {
            for (std::size_t i = 0; i + 1 < criteria.size(); i += 3) {
                const int col = criteria[i] - '0';
                const int above = grid().CellValue(row - 1, col).ToLong();
                const int below = grid().CellValue(row, col).ToLong();
                if (above == below) continue;
                EXPECT_EQ(above < below, criteria[i + 1] == '+')
                    << "rows " << row - 1 << ", " << row;
                break;
            }
        }
    }
};

TEST_P(HeaderSortTest, ClicksBuildTheSort) {
    FillTies();
    std::vector<std::string> clicks;
    std::int32_t expectedShift = 0;
    std::vector<int> keys;
    for (const char* c = GetParam().clicks; *c != 0; ++c) {
        const std::string key(1, *c);
        if (key == "s" || key == "c" || key == "a") {
            keys.push_back(key == "s"   ? sys::VK_SHIFT
                           : key == "c" ? sys::VK_CONTROL
                                        : sys::VK_MENU);
            expectedShift |= key == "s" ? 1 : key == "c" ? 2 : 4;
        } else if (key != " ") {
            ClickTitle(*c - '0', keys);
            clicks.push_back("ColHeaderClick(" + key + ",1," + std::to_string(expectedShift));
            keys.clear();
            expectedShift = 0;
        }
    }
    EXPECT_EQ(grid().LayoutSort(), GetParam().layoutSort);
    ExpectSortedBy(GetParam().sortedBy);
    const std::vector<std::string> heard = log.Of("ColHeaderClick");
    ASSERT_EQ(heard.size(), clicks.size());
    for (std::size_t i = 0; i < clicks.size(); ++i) EXPECT_TRUE(heard[i].starts_with(clicks[i]));
    EXPECT_EQ(log.Of("ContentsSorted").size(), clicks.size());
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, HeaderSortTest,
    ::testing::Values(
        ClickCase{"FirstClickAscending", "2", "2|SortKey|1|2|SortOrder|0|", "2+"},
        ClickCase{"SecondClickDescending", "2 2", "2|SortKey|1|2|SortOrder|1|", "2-"},
        ClickCase{"ThirdClickAscendingAgain", "2 2 2", "2|SortKey|1|2|SortOrder|0|", "2+"},
        ClickCase{"ShiftAddsASecondCriterion", "1 s2",
                  "1|SortKey|1|1|SortOrder|0|2|SortKey|2|2|SortOrder|0|", "1+ 2+"},
        ClickCase{"ShiftOnACriterionTogglesIt", "1 s2 s2",
                  "1|SortKey|1|1|SortOrder|0|2|SortKey|2|2|SortOrder|1|", "1+ 2-"},
        ClickCase{"PlainClickEndsTheMultiColumnSort", "1 s2 2", "2|SortKey|1|2|SortOrder|0|", "2+"},
        ClickCase{"PlainClickOnTheFirstAscendingCriterionTurnsIt", "1 s2 1",
                  "1|SortKey|1|1|SortOrder|1|", "1-"},
        ClickCase{"CtrlAndAltAddCriteriaToo", "2 c1 sca3",
                  "1|SortKey|2|1|SortOrder|0|2|SortKey|1|2|SortOrder|0|3|SortKey|3|3|SortOrder|0|",
                  "2+ 1+ 3+"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeaderSortTest, AHostThatClearsDoDefaultKeepsTheRows) {
    FillTies();
    answers.refuseClick = true;
    const sys::RECT title = TitleRect(3);
    ClickTitle(3);
    EXPECT_EQ(log.Of("ColHeaderClick"),
              (std::vector<std::string>{"ColHeaderClick(3,1,0," +
                                        std::to_string((title.left + title.right) / 2) + "," +
                                        std::to_string((title.top + title.bottom) / 2) + ")"}));
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
    ExpectSortedBy("1+ 3-");

    grid().Sort(2);  // Sort writes the keys from its own criteria
    EXPECT_EQ(grid().LayoutSort(), "2|SortKey|1|2|SortOrder|0|");
    grid().DoDefaultSort("c3", 0, vxSortDesc);  // named, not toggled, however often
    grid().DoDefaultSort(3, 0, vxSortDesc);
    EXPECT_EQ(grid().LayoutSort(), "3|SortKey|1|3|SortOrder|1|");
    ExpectGridError(
        513, [&] { grid().DoDefaultSort("nope", 1); }, "an unknown column");
    EXPECT_EQ(grid().LayoutSort(), "3|SortKey|1|3|SortOrder|1|");
    EXPECT_TRUE(log.Of("ContentsSorted").empty()) << "only a click raises it";
}

}  // namespace
