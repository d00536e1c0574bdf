// The key events a host sees and what it can decide in them, keys on a disabled or empty
// grid, page keys on a long grid, and rows asked of the host as the keys pass the last one.
#include "SelectionTestSupport.h"

namespace vexa::test {
namespace {

using namespace sys;

struct Vetoer : VexaEvents {
    std::vector<std::string> seen;
    bool veto = false;
    void KeyDown(std::int16_t& key, std::int16_t& shift, bool& doDefault) override {
        seen.push_back(std::to_string(key) + "/" + std::to_string(shift) + (doDefault ? "+" : "-"));
        if (veto) doDefault = false;
    }
};

using KeyboardEvents = SelectionGrid;

TEST_F(KeyboardEvents, KeyDownSeesTranslatedKeysAndCanVetoTheMoveButNotTheCharacter) {
    Vetoer host;
    grid().Advise(&host);
    Focus();
    Press({{VK_DOWN}});  // an empty grid: nothing to do by default
    Fill({60}, 5);
    grid().SetRowMode(true);
    Press({{VK_TAB}, {VK_TAB, kShift}});
    EXPECT_EQ(host.seen, (std::vector<std::string>{"40/0-", "40/0+", "16/1+", "38/1+"}));
    EXPECT_EQ(Current(), "1.1");
    host.veto = true;
    grid().SetKeyPressBehaviour(vxKeyPressSearchCurCol);
    display().TypeText("4");
    EXPECT_EQ(Current(), "4.1");  // the character still searched
    Press({{VK_DOWN}});
    EXPECT_EQ(Current(), "4.1");
    EXPECT_EQ(log.Of("KeyPress"),
              (std::vector<std::string>{"KeyPress(9)", "KeyPress(9)", "KeyPress(52)"}));
    grid().Unadvise(&host);
}

TEST_F(KeyboardEvents, ADisabledGridScrollsAndRaisesNoKeyDown) {
    Fill({400, 400}, 100);
    grid().SetCurCell(1, 1);
    grid().SetEnabled(false);
    Focus();
    log.Clear();
    Press({{VK_DOWN}, {VK_NEXT}, {VK_RIGHT}});
    EXPECT_TRUE(log.Of("KeyDown").empty());
    EXPECT_EQ(Current(), "1.1");
    EXPECT_EQ(log.Of("ScrollBarPosChanged").size(), 3u);
    EXPECT_EQ(log.Of("KeyUp").size(), 3u);
}

TEST_F(KeyboardEvents, PageKeysMoveByTheHeightOfTheCells) {
    Fill({60}, 200);
    RECT client;
    GetClientRect(grid().hwnd(), &client);
    const int cellsHeight = client.bottom - CellRect(1, 1).top;  // below the header
    grid().SetCurCell(1, 1);
    Focus();
    Press({{VK_NEXT}});
    // The first row whose top lies beyond a page less the start row's height.
    const int limit = CellRect(1, 1).top + cellsHeight - 15;
    EXPECT_GT(CellRect(grid().CurRow(), 1).top, limit);
    EXPECT_LE(CellRect(grid().CurRow() - 1, 1).top, limit);
    Press({{VK_PRIOR}});
    EXPECT_EQ(Current(), "1.1");
}

TEST_F(KeyboardEvents, KeysPastTheLastRowAskTheHostForRows) {
    struct Supplier : VexaEvents {
        void RequestRow(std::int32_t row, bool& noMore) override { noMore = row > 5; }
    } supplier;
    grid().SetRedraw(false);  // only the keys ask for rows
    grid().AddCol();
    grid().AddRow();
    grid().Advise(&supplier);
    grid().SetVirtual(true);
    Focus();
    Press({{VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}, {VK_DOWN}});
    EXPECT_EQ(Current(), "5.1");
    EXPECT_EQ(log.Of("RequestRow("),
              (std::vector<std::string>{"RequestRow(2)", "RequestRow(3)", "RequestRow(4)",
                                        "RequestRow(5)", "RequestRow(6)"}));
    grid().Unadvise(&supplier);
}

}  // namespace
}  // namespace vexa::test
