// Hosts that pull the grid from under the mouse: rows removed, the grid cleared or its parent
// window destroyed from inside MouseDown, StartCellDrag or OLEDragDrop; and drops of data that
// is promised but never given, of the wrong kind, or huge. Nothing crashes, no capture or
// cursor confinement is left behind, and what is left of the grid still works.
#include "host/DragDropTestSupport.h"

namespace vexa::test {
namespace {

enum class Moment { MouseDown, StartCellDrag, OLEDragDrop };
enum class Harm { RemoveRows, Clear, DestroyParent };

struct HostileCase {
    const char* name;
    Moment when;
    Harm what;
};

class HostileMouse : public GridDragDrop, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileMouse, TheGridOutlivesItsHostsHarm) {
    const HostileCase& c = GetParam();
    const bool onTarget = c.when == Moment::OLEDragDrop;
    Vexa& victim = onTarget ? *target : grid();
    const sys::HWND parent = onTarget ? TargetForm() : form();
    const auto harm = [&] {
        switch (c.what) {
            case Harm::RemoveRows:
                for (int i = 0; i < 3; ++i) victim.RemoveRow(1);
                break;
            case Harm::Clear:
                victim.Clear(true);
                break;
            case Harm::DestroyParent:
                sys::DestroyWindow(parent);
                break;
        }
    };
    switch (c.when) {
        case Moment::MouseDown:
            handlers.onMouseDown = [&](std::int16_t&, bool&) { harm(); };
            break;
        case Moment::StartCellDrag:
            handlers.onStartCellDrag = [&] {
                harm();
                grid().OLEDrag();
            };
            break;
        case Moment::OLEDragDrop:
            targetHandlers.onDragDrop = [&](std::shared_ptr<DataObject>&, std::int32_t&, float,
                                            float) { harm(); };
            break;
    }
    DragFrom(4, 1, {MoveStep(TargetCentre(3, 2)), MoveStep(TargetCentre(2, 2)), Release()});
    display().AdvanceClock(100);  // the rest of the script, when no drag ran it
    if (sys::GetKeyState(sys::VK_LBUTTON) < 0) display().MouseUp();

    EXPECT_EQ(sys::GetCapture(), 0u);
    EXPECT_FALSE(display().PointerGrabbed());
    sys::RECT clip;
    sys::GetClipCursor(&clip);
    EXPECT_EQ(clip.right - clip.left, sys::GetSystemMetrics(sys::SM_CXSCREEN));
    EXPECT_LE(victim.CurRow(), victim.RowCount());
    EXPECT_LE(victim.CurCol(), victim.ColCount());
    EXPECT_NO_THROW(victim.Draw());
    EXPECT_EQ(sys::IsWindow(victim.hwnd()), c.what != Harm::DestroyParent);
    if (onTarget || c.what != Harm::RemoveRows) return;
    // What is left still answers the mouse.
    handlers = MouseHandlers{};
    ClickAt(At(2, 3));
    EXPECT_EQ(Current(), "2,3");
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostileMouse,
    ::testing::Values(HostileCase{"DownRemovesRows", Moment::MouseDown, Harm::RemoveRows},
                      HostileCase{"DownClears", Moment::MouseDown, Harm::Clear},
                      HostileCase{"DownDestroysParent", Moment::MouseDown, Harm::DestroyParent},
                      HostileCase{"DragRemovesRows", Moment::StartCellDrag, Harm::RemoveRows},
                      HostileCase{"DragClears", Moment::StartCellDrag, Harm::Clear},
                      HostileCase{"DragDestroysParent", Moment::StartCellDrag, Harm::DestroyParent},
                      HostileCase{"DropRemovesRows", Moment::OLEDragDrop, Harm::RemoveRows},
                      HostileCase{"DropClears", Moment::OLEDragDrop, Harm::Clear},
                      HostileCase{"DropDestroysParent", Moment::OLEDragDrop, Harm::DestroyParent}),
    [](const auto& info) { return info.param.name; });

struct DataCase {
    const char* name;
    std::function<void(DataObject&)> fill;
    std::size_t droppedLength;  // of the text the target's cell receives
};

class OddData : public GridDragDrop, public ::testing::WithParamInterface<DataCase> {};

TEST_P(OddData, ADropOfOddDataLeavesTheTargetWhole) {
    const DataCase& c = GetParam();
    handlers.onStartDrag = [&](std::shared_ptr<DataObject>& data, std::int32_t&) { c.fill(*data); };
    DragFrom(4, 1, {MoveStep(TargetCentre(3, 2)), MoveStep(TargetCentre(2, 2)), Release()});
    EXPECT_EQ(target->CellText(2, 2).size(), c.droppedLength);
    EXPECT_EQ(log.Of("OLECompleteDrag").size(), 1u);
    EXPECT_EQ(sys::GetCapture(), 0u);
    EXPECT_NO_THROW(target->Draw());
    target->SetCurCell(2, 2);
    EXPECT_EQ(target->CurRow(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OddData,
    ::testing::Values(
        // Promised and never supplied: reading it fails inside the target's handler.
        DataCase{"Unsupplied", [](DataObject& data) { data.SetData(Variant(), vxCFText); }, 0},
        // Only bytes in a format of the source's own: no text to read.
        DataCase{"ForeignBytes",
                 [](DataObject& data) {
                     const std::int16_t junk = RegisterDataFormat("application/x-vexa-junk");
                     data.SetData(std::string("\xFF\xFE\0junk", 7), junk);
                 },
                 0},
        DataCase{"Huge",
                 [](DataObject& data) { data.SetData(std::string(1 << 20, 'x'), vxCFText); },
                 std::size_t(1) << 20}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vexa::test
