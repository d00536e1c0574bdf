// Dragging a cell's text out of one grid into another: the target hears OLEDragOver and
// OLEDragDrop while its OLEDropMode is manual, and its host's answers go back into the drag.
#include "host/DragDropTestSupport.h"
#include "vexa/system/dragdrop/DropEffect.h"

namespace vexa::test {
namespace {

using Log = std::vector<std::string>;

TEST_F(GridDragDrop, ACellsTextDraggedFromStartCellDragLandsInTheOtherGrid) {
    const sys::POINT over = TargetCentre(3, 2), drop = TargetCentre(2, 3);
    DragFrom(4, 1, {MoveStep(over), MoveStep(drop), Release()});
    EXPECT_EQ(target->CellValue(2, 3), Variant("4.1"));
    const auto client = [&](sys::POINT p) {
        sys::ScreenToClient(target->hwnd(), &p);
        return std::to_string(p.x) + "," + std::to_string(p.y);
    };
    EXPECT_EQ(targetLog.Of("OLE"), (Log{"OLEDragOver(3,1,0," + client(over) + ",0)",
                                        "OLEDragOver(3,1,0," + client(drop) + ",2)",
                                        "OLEDragDrop(3,1,0," + client(drop) + ")"}));
    EXPECT_EQ(log.Of("StartCellDrag").size(), 1u);
    EXPECT_EQ(log.Of("OLEStartDrag"), Log{"OLEStartDrag(3)"});
    EXPECT_EQ(log.Of("OLECompleteDrag"), Log{"OLECompleteDrag(2)"}) << "moved, as no key asked";
    EXPECT_EQ(sys::GetCapture(), 0u);
    log.Clear();
    MoveTo(At(4, 1, 20, 4));
    EXPECT_TRUE(log.Of("StartCellDrag").empty()) << "the press ended with the drag";
}

TEST_F(GridDragDrop, TheDropModeTakesOnlyNoneOrManualAndWithNoneTheTargetHearsNothing) {
    EXPECT_EQ(target->OLEDropMode(), vxOLEDropManual);
    EXPECT_EQ(grid().OLEDropMode(), vxOLEDropNone);
    try {
        target->SetOLEDropMode(2);
        ADD_FAILURE() << "2 was taken";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number() & 0xFFFF, 380u);
    }
    EXPECT_EQ(target->OLEDropMode(), vxOLEDropManual);
    target->SetOLEDropMode(vxOLEDropNone);
    DragFrom(4, 1, {MoveStep(TargetCentre(3, 2)), MoveStep(TargetCentre(2, 3)), Release()});
    EXPECT_TRUE(targetLog.Of("OLE").empty());
    EXPECT_EQ(target->CellText(2, 3), "");
    EXPECT_EQ(log.Of("OLECompleteDrag"), Log{"OLECompleteDrag(0)"});
}

TEST_F(GridDragDrop, TheTargetsEffectGoesBackToTheSource) {
    targetHandlers.onDragOver = [](std::int32_t& effect) { effect = vxDropEffectCopy; };
    targetHandlers.onDragDrop = [](std::shared_ptr<DataObject>&, std::int32_t& effect, float,
                                   float) { effect = vxDropEffectCopy; };
    sys::HCURSOR shown = 0;
    DragFrom(4, 1,
             {MoveStep(TargetCentre(3, 2)), [&] { shown = display().CursorShape(); },
              MoveStep(TargetCentre(2, 3)), Release()});
    EXPECT_EQ(log.Of("OLEGiveFeedback").back(), "OLEGiveFeedback(1,1)");
    EXPECT_EQ(shown, sys::DragCursorFor(vxDropEffectCopy)) << "the copy cursor over the target";
    EXPECT_NE(shown, sys::DragCursorFor(vxDropEffectMove));
    EXPECT_EQ(log.Of("OLECompleteDrag"), Log{"OLECompleteDrag(1)"});
}

}  // namespace
}  // namespace vexa::test
