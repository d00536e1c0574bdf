// What hosts and users throw at an edit: handlers that fail, end the edit, move the cell or
// change the tables' shape from inside editing events; rows removed under an open editor;
// pasted text that is too long or not UTF-8. Nothing crashes and no value lands half-written
// or in the wrong cell.
#include "host/EditTestSupport.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/window/Clipboard.h"

namespace vexa::test {
namespace {

using EditHostile = EditingGrid;

// Runs a shape-changing call and returns the grid error it was refused with (0: none).
std::int32_t Refusal(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& error) {
        return error.Number();
    }
    return 0;
}

TEST_F(EditHostile, HandlersThatThrowLeaveTheEditToCarryOn) {
    handlers.onRequest = [](bool&, std::string&, std::int32_t&, ETextEditFlags&) {
        throw std::runtime_error("request");
    };
    handlers.onBeforeCommit = [](EEditResults&, Variant&) { throw Error(5, "host", "commit"); };
    handlers.onAfterCommit = [] { throw 42; };
    Edit();
    Type("ok");
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(2, 1), Variant("ok"));
    EXPECT_EQ(Editor(), 0u);
}

TEST_F(EditHostile, ShapeChangesFromInsideEditingEventsAreRefused) {
    std::vector<std::int32_t> refusals;
    const auto tryAll = [&] {
        refusals.push_back(Refusal([&] { grid().RemoveRow(2); }));
        refusals.push_back(Refusal([&] { grid().Clear(); }));
        refusals.push_back(Refusal([&] { grid().AddCol(); }));
    };
    handlers.onRequest = [&](bool&, std::string&, std::int32_t&, ETextEditFlags&) { tryAll(); };
    handlers.onBeforeCommit = [&](EEditResults&, Variant&) { tryAll(); };
    handlers.onAfterCommit = tryAll;
    Edit();
    Type("kept");
    Press(sys::VK_RETURN);
    ASSERT_EQ(refusals.size(), 9u);
    for (std::int32_t refusal : refusals) EXPECT_EQ(refusal, GridErrorNumber(kErrInvalidArgument));
    EXPECT_EQ(grid().RowCount(), 4);
    EXPECT_EQ(grid().ColCount(), 3);
    EXPECT_EQ(grid().CellValue(2, 1), Variant("kept"));
    EXPECT_EQ(grid().CellValue(3, 1), Variant("3.1"));
}

TEST_F(EditHostile, AnEditEndedFromInsideItsCommitStoresNothing) {
    handlers.onBeforeCommit = [&](EEditResults&, Variant&) { grid().CancelEdit(); };
    Edit();
    Type("lost");
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(2, 1), Variant("2.1"));
    EXPECT_EQ(log.Of("CancelEdit"), std::vector<std::string>{"CancelEdit(2,1)"});
    EXPECT_TRUE(log.Of("AfterCommitEdit").empty());
    EXPECT_EQ(Editor(), 0u);
}

TEST_F(EditHostile, RequestsFromInsideARequestOrAfterAMoveOpenNothing) {
    handlers.onRequest = [&](bool&, std::string&, std::int32_t&, ETextEditFlags&) {
        grid().RequestEdit();
    };
    Edit();
    EXPECT_EQ(log.Of("RequestEdit").size(), 1u);
    ASSERT_NE(Editor(), 0u);
    grid().CancelEdit();
    handlers.onRequest = [&](bool&, std::string&, std::int32_t&, ETextEditFlags&) {
        grid().SetCurCell(3, 2);
    };
    Edit();
    EXPECT_EQ(Editor(), 0u) << "the cell asked about is no longer current";
}

TEST_F(EditHostile, ARowRemovedUnderTheEditorNeverReceivesAnotherRowsValue) {
    Edit();
    Type("for row 2");
    grid().RemoveRow(1);  // row 2 moves up and stays current
    Press(sys::VK_RETURN);
    EXPECT_EQ(grid().CellValue(1, 1), Variant("for row 2"));
    Edit();
    Type("orphan");
    grid().RemoveRow(1);  // the edited row itself goes
    Press(sys::VK_RETURN);
    for (std::int32_t row = 1; row <= grid().RowCount(); ++row) {
        EXPECT_NE(grid().CellValue(row, 1), Variant("orphan")) << "row " << row;
    }
    EXPECT_EQ(Editor(), 0u);
}

TEST_F(EditHostile, PastedTextIsCutToTheLimitAndRepairedToUtf8) {
    handlers.onRequest = [](bool&, std::string&, std::int32_t& maxLength, ETextEditFlags&) {
        maxLength = 5;
    };
    const std::string broken = std::string("a\xC3\x28z\xF0\x9F", 6) + std::string(100000, 'q');
    sys::OpenClipboard(0);
    sys::EmptyClipboard();
    sys::SetClipboardText(broken);
    sys::CloseClipboard();
    Edit();
    display().KeyDown(sys::VK_CONTROL);
    Press('V');
    display().KeyUp(sys::VK_CONTROL);
    Press(sys::VK_RETURN);
    const std::string stored = grid().CellValue(2, 1).ToString();
    EXPECT_EQ(grid().CellValue(2, 1).Type(), vtString);
    EXPECT_LE(stored.size(), 5u * 4u);
    EXPECT_EQ(stored.rfind("a", 0), 0u);
    EXPECT_EQ(stored.find('\xC3' + std::string("\x28")), std::string::npos)
        << "no malformed sequence is stored";
}

TEST_F(EditHostile, TheGridMayGoWhileEditing) {
    Edit();
    Type("abandoned");
    const sys::HWND editor = Editor();
    ResetGrid();
    sys::PumpMessages();
    EXPECT_FALSE(sys::IsWindow(editor));
    EXPECT_FALSE(sys::IsWindow(sys::GetFocus()) && sys::GetFocus() == editor);
    display().TypeText("x");  // keys after the grid went reach no part of it
}

}  // namespace
}  // namespace vexa::test
