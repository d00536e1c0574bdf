// The header as the host sets it up through HeaderObject (height, visibility, fitting the
// height to the titles, the errors of its members, the object outliving the grid), and the
// mouse over it: entering and leaving titles, right and double clicks.
#include <functional>

#include "HeaderTestSupport.h"
#include "vexa/system/controls/EditControl.h"

using namespace vexa;
using namespace vexa::test;

namespace {

class HeaderObjectTest : public HeaderOnForm {
  protected:
    HeaderObjectTest() { Fill({70, 70, 70}, 4); }
    int CellsTop() { return CellRect(1, 1).top; }
};

TEST_F(HeaderObjectTest, TheMouseEnteringAndLeavingTitlesIsReported) {
    const sys::POINT second = TitleCentre(2), third = TitleCentre(3);
    display().MouseMove(second.x, second.y);
    display().MouseMove(third.x, third.y);
    const sys::RECT last = TitleRect(3);
    const sys::POINT empty = OnHeader(last.right + 20, 5);
    display().MouseMove(empty.x, empty.y);
    display().AdvanceClock(20);  // still over the header: nothing more
    display().MouseMove(empty.x, CellCentre(2, 1).y);
    display().AdvanceClock(19);
    EXPECT_EQ(log.Of("ColHeaderMouse").size(), 5u) << "the leaving is noticed by a timer";
    display().AdvanceClock(1);
    EXPECT_EQ(log.Of("ColHeaderMouse"),
              (std::vector<std::string>{"ColHeaderMouseEnter(2)", "ColHeaderMouseLeave(2)",
                                        "ColHeaderMouseEnter(3)", "ColHeaderMouseLeave(3)",
                                        "ColHeaderMouseEnter(0)", "ColHeaderMouseLeave(0)"}));
}

TEST_F(HeaderObjectTest, RightAndDoubleClicksNameTheirColumn) {
    grid().SetColOrder(3, 1);
    const sys::RECT last = TitleRect(2);
    const sys::POINT first = OnHeader(5, 6), beyond = OnHeader(last.right + 30, 4);
    display().KeyDown(sys::VK_CONTROL);
    display().Click(first.x, first.y, 2);
    display().KeyUp(sys::VK_CONTROL);
    display().Click(beyond.x, beyond.y, 2);
    EXPECT_EQ(log.Of("HeaderRightClick"),
              (std::vector<std::string>{
                  "HeaderRightClick(3,2,5,6)",
                  "HeaderRightClick(0,0," + std::to_string(last.right + 30) + ",4)"}));
    display().AdvanceClock(1000);
    const sys::POINT middle = TitleCentre(1);
    display().DoubleClick(middle.x, middle.y);
    EXPECT_EQ(log.Of("ColHeaderDblClick"), (std::vector<std::string>{"ColHeaderDblClick(1)"}));
}

TEST_F(HeaderObjectTest, AClickWhereTheCellEditorLiesIsNotTheHeaders) {
    sys::RegisterEditControl();
    const sys::RECT title = TitleRect(1);
    const sys::HWND editor =
        sys::CreateWindowEx(0, "EDIT", "", sys::WS_CHILD | sys::WS_VISIBLE, title.left, title.top,
                            30, title.bottom, grid().hwnd());
    sys::BringWindowToTop(HeaderWindow());
    const sys::POINT inEditor = OnHeader(title.left + 10, 5), beside = OnHeader(title.left + 50, 5);
    display().Click(inEditor.x, inEditor.y);
    display().AdvanceClock(1000);
    EXPECT_TRUE(log.Of("ColHeaderClick").empty());
    sys::DestroyWindow(editor);
    display().Click(beside.x, beside.y);
    EXPECT_EQ(log.Of("ColHeaderClick").size(), 1u);
}

TEST_F(HeaderObjectTest, HeightAndVisibilityMoveTheCellsAndBadValuesAreRefused) {
    HeaderObject& header = *grid().Header();
    const std::pair<std::int32_t, std::function<void()>> refused[] = {
        {514, [&] { header.SetHeight(0); }},
        {514, [&] { header.SetMinHeight(-1); }},
        {518, [&] { header.SetImageList(Variant("list")); }},
        {518, [&] { header.SetImageList(Variant(2.5)); }}};
    for (int i = 0; const auto& [code, call] : refused)
        ExpectGridError(code, call, std::to_string(i++));
    EXPECT_EQ(header.MinHeight(), 18);
    EXPECT_EQ(header.Height(), 18);
    EXPECT_EQ(CellsTop(), 18);
    header.SetHeight(30);
    EXPECT_EQ(CellsTop(), 30);
    header.SetMinHeight(40);
    EXPECT_EQ(header.Height(), 40);
    header.SetHeight(35);  // below the minimum: ignored
    EXPECT_EQ(header.Height(), 40);
    header.SetVisible(false);
    EXPECT_FALSE(sys::IsWindowVisible(HeaderWindow()));
    EXPECT_EQ(CellsTop(), 0);
    sys::RECT cell = CellRect(1, 1);
    EXPECT_EQ(Pixel(cell.left + 1, cell.top + 1), sys::GetSysColor(sys::COLOR_WINDOW));
    header.SetVisible(true);
    EXPECT_EQ(CellsTop(), 40);
}

TEST_F(HeaderObjectTest, TheHeightFitsTheTitlesWhenAsked) {
    HeaderObject& header = *grid().Header();
    grid().SetColHeaderTextFlags(2, vxTextWordBreak);
    grid().SetColHeaderText(2, "A title that needs three lines here");
    EXPECT_EQ(header.Height(), 18) << "fitting is the host's to ask for";
    header.AutoHeight();
    const int fitted = header.Height();
    EXPECT_GT(fitted, 40);
    EXPECT_EQ(CellsTop(), fitted);
    header.SetHeight(18);
    header.SetAutoHeightFlags(vxHAHOnContentsChange);
    grid().SetColHeaderText(2, "A title that needs three lines here!");
    EXPECT_EQ(header.Height(), fitted);
}

TEST_F(HeaderObjectTest, LiveResizingMakesTheHeaderAnewWithItsTitles) {
    const sys::HWND before = HeaderWindow();
    grid().SetColVisible(2, false);
    grid().SetImmediateColumnResizing(true);
    EXPECT_NE(HeaderWindow(), before);
    EXPECT_FALSE(sys::IsWindow(before));
    EXPECT_NE(sys::GetWindowLongPtr(HeaderWindow(), sys::GWL_STYLE) & sys::HDS_FULLDRAG, 0);
    ExpectTitlesOverColumns();
}

TEST_F(HeaderObjectTest, AHeaderObjectKeptAfterTheGridAnswersHarmlessly) {
    auto other = std::make_unique<Vexa>(form(), sys::RECT{0, 0, 200, 100});
    std::shared_ptr<HeaderObject> kept = other->Header();
    std::shared_ptr<vexa::Font> font = kept->Font();
    kept->SetAutoHeightFlags(vxHAHOnAddCol);
    ASSERT_NE(kept->hwnd(), 0u);
    other.reset();
    EXPECT_EQ(kept->hwnd(), 0u);
    EXPECT_EQ(kept->Height(), 0);
    EXPECT_FALSE(kept->Visible());
    kept->SetVisible(true);
    kept->AutoHeight();
    font->SetBold(true);
    EXPECT_EQ(kept->AutoHeightFlags(), vxHAHOnAddCol);
    EXPECT_THROW(kept->SetHeight(0), Error);
}

}  // namespace
