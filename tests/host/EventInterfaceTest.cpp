// The event interface as hosts see it: every event with its parameter types in order, the
// parameters a handler may change, and the dispatch identifiers.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "vexa/host/EventSinks.h"
#include "vexa/vexa.h"

namespace vexa {
namespace {

// Overrides every event with the published parameter types; a signature that drifted would
// not compile. Each handler logs its event and changes every in/out parameter it gets.
struct EverySink : VexaEvents {
    std::vector<std::string> log;
    const std::shared_ptr<DataObject>* seenData = nullptr;

    void AfterCommitEdit(std::int32_t, std::int32_t) override { log.push_back("AfterCommitEdit"); }
    void BeforeCommitEdit(std::int32_t, std::int32_t, EEditResults& eResult, const std::string&,
                          Variant& vNewValue, std::int32_t) override {
        eResult = vxEditResProceed;
        vNewValue = Variant("changed");
        log.push_back("BeforeCommitEdit");
    }
    void CancelEdit(std::int32_t, std::int32_t) override { log.push_back("CancelEdit"); }
    void CellSelectionChange(std::int32_t, std::int32_t, bool) override {
        log.push_back("CellSelectionChange");
    }
    void ColDividerDblClick(std::int32_t, bool& bDoDefault) override {
        bDoDefault = false;
        log.push_back("ColDividerDblClick");
    }
    void ColHeaderBeginDrag(std::int32_t, bool& bCancel) override {
        bCancel = true;
        log.push_back("ColHeaderBeginDrag");
    }
    void ColHeaderClick(std::int32_t, bool& bDoDefault, std::int16_t, std::int32_t,
                        std::int32_t) override {
        bDoDefault = false;
        log.push_back("ColHeaderClick");
    }
    void ColHeaderDblClick(std::int32_t) override { log.push_back("ColHeaderDblClick"); }
    void ColHeaderEndDrag(std::int32_t, std::int32_t, bool& bCancel) override {
        bCancel = true;
        log.push_back("ColHeaderEndDrag");
    }
    void ColHeaderMouseEnter(std::int32_t) override { log.push_back("ColHeaderMouseEnter"); }
    void ColHeaderMouseLeave(std::int32_t) override { log.push_back("ColHeaderMouseLeave"); }
    void ColWidthChanging(std::int32_t, std::int32_t) override {
        log.push_back("ColWidthChanging");
    }
    void ColWidthChanged(std::int32_t, std::int32_t) override { log.push_back("ColWidthChanged"); }
    void ContentsSorted() override { log.push_back("ContentsSorted"); }
    void CurCellChange(std::int32_t, std::int32_t) override { log.push_back("CurCellChange"); }
    void CustomDrawCell(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                        std::int32_t, std::int32_t, bool) override {
        log.push_back("CustomDrawCell");
    }
    void CustomDrawCellGetSize(std::int32_t, std::int32_t, std::int32_t& lWidth,
                               std::int32_t& lHeight) override {
        lWidth = 111;
        lHeight = 22;
        log.push_back("CustomDrawCellGetSize");
    }
    void CustomSort(Variant& v1, Variant& v2, bool& bIsGreater) override {
        std::swap(v1, v2);
        bIsGreater = true;
        log.push_back("CustomSort");
    }
    void DblClick(std::int32_t, std::int32_t, bool& bRequestEdit) override {
        bRequestEdit = false;
        log.push_back("DblClick");
    }
    void HeaderRightClick(std::int32_t, std::int16_t, std::int32_t, std::int32_t) override {
        log.push_back("HeaderRightClick");
    }
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift, bool& bDoDefault) override {
        KeyCode = 0;
        Shift = 2;
        bDoDefault = false;
        log.push_back("KeyDown");
    }
    void KeyPress(std::int16_t& KeyAscii) override {
        KeyAscii = 66;
        log.push_back("KeyPress");
    }
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override {
        KeyCode = 0;
        Shift = 1;
        log.push_back("KeyUp");
    }
    void MouseDown(std::int16_t, std::int16_t& Shift, float, float, std::int32_t, std::int32_t,
                   bool& bDoDefault, bool) override {
        Shift = 4;
        bDoDefault = false;
        log.push_back("MouseDown");
    }
    void MouseMove(std::int16_t, std::int16_t, float, float, std::int32_t, std::int32_t) override {
        log.push_back("MouseMove");
    }
    void MouseUp(std::int16_t, std::int16_t, float, float, std::int32_t, std::int32_t,
                 bool& bDoDefault) override {
        bDoDefault = false;
        log.push_back("MouseUp");
    }
    void MouseEnter(std::int32_t, std::int32_t) override { log.push_back("MouseEnter"); }
    void MouseLeave(std::int32_t, std::int32_t) override { log.push_back("MouseLeave"); }
    void OLEDragDrop(std::shared_ptr<DataObject>& Data, std::int32_t& Effect, std::int16_t& Button,
                     std::int16_t& Shift, float& x, float& y) override {
        seenData = &Data;
        Effect = 1;
        Button = 2;
        Shift = 3;
        x = 4.5f;
        y = 5.5f;
        log.push_back("OLEDragDrop");
    }
    void OLEDragOver(std::shared_ptr<DataObject>& Data, std::int32_t& Effect, std::int16_t& Button,
                     std::int16_t& Shift, float& x, float& y, std::int16_t& State) override {
        seenData = &Data;
        Effect = 1;
        Button = 2;
        Shift = 3;
        x = 4.5f;
        y = 5.5f;
        State = 1;
        log.push_back("OLEDragOver");
    }
    void OLECompleteDrag(std::int32_t& Effect) override {
        Effect = 2;
        log.push_back("OLECompleteDrag");
    }
    void OLEGiveFeedback(std::int32_t& Effect, bool& DefaultCursors) override {
        Effect = 4;
        DefaultCursors = false;
        log.push_back("OLEGiveFeedback");
    }
    void OLESetData(std::shared_ptr<DataObject>& Data, std::int16_t& DataFormat) override {
        seenData = &Data;
        DataFormat = 13;
        log.push_back("OLESetData");
    }
    void OLEStartDrag(std::shared_ptr<DataObject>& Data, std::int32_t& AllowedEffects) override {
        seenData = &Data;
        AllowedEffects = 3;
        log.push_back("OLEStartDrag");
    }
    void QuitCustomEdit() override { log.push_back("QuitCustomEdit"); }
    void RequestEdit(std::int32_t, std::int32_t, std::int16_t, bool& bCancel, std::string& sText,
                     std::int32_t& lMaxLength, ETextEditFlags& eTextEditOpt) override {
        bCancel = true;
        sText = "new";
        lMaxLength = 8;
        eTextEditOpt = vxTextEditNumberOnly;
        log.push_back("RequestEdit");
    }
    void RequestRow(std::int32_t, bool& bNoMoreRows) override {
        bNoMoreRows = true;
        log.push_back("RequestRow");
    }
    void RequestRowData(std::int32_t) override { log.push_back("RequestRowData"); }
    void ScrollBarPosChanged(EScrollBar, std::int32_t) override {
        log.push_back("ScrollBarPosChanged");
    }
    void ScrollBarVisibilityChanged(EScrollBar, bool) override {
        log.push_back("ScrollBarVisibilityChanged");
    }
    void ScrollBarEndScroll(EScrollBar) override { log.push_back("ScrollBarEndScroll"); }
    void ScrollBarThumbTrack(EScrollBar, std::int32_t) override {
        log.push_back("ScrollBarThumbTrack");
    }
    void ScrollBarThicknessChanged(EScrollBar, std::int32_t) override {
        log.push_back("ScrollBarThicknessChanged");
    }
    void StartCellDrag(std::int16_t, std::int16_t, float, float, std::int32_t,
                       std::int32_t) override {
        log.push_back("StartCellDrag");
    }
    void StartColWidthChange(std::int32_t, std::int32_t) override {
        log.push_back("StartColWidthChange");
    }
    void TextEditChange(std::int32_t, std::int32_t) override { log.push_back("TextEditChange"); }
    void TextEditKeyDown(std::int32_t, std::int32_t, std::int16_t, std::int16_t) override {
        log.push_back("TextEditKeyDown");
    }
    void TextEditKeyPress(std::int32_t, std::int32_t, std::int16_t& KeyAscii) override {
        KeyAscii = 0;
        log.push_back("TextEditKeyPress");
    }
    void TextEditKeyUp(std::int32_t, std::int32_t, std::int16_t, std::int16_t) override {
        log.push_back("TextEditKeyUp");
    }
    void TextEditDblClick(std::int32_t, std::int32_t) override {
        log.push_back("TextEditDblClick");
    }
    void TextEditMouseDown(std::int32_t, std::int32_t, std::int16_t, std::int16_t, float,
                           float) override {
        log.push_back("TextEditMouseDown");
    }
    void TextEditMouseMove(std::int32_t, std::int32_t, std::int16_t, std::int16_t, float,
                           float) override {
        log.push_back("TextEditMouseMove");
    }
    void TextEditMouseUp(std::int32_t, std::int32_t, std::int16_t, std::int16_t, float,
                         float) override {
        log.push_back("TextEditMouseUp");
    }
    void TextEditCustomContextMenu(std::int32_t, std::int32_t) override {
        log.push_back("TextEditCustomContextMenu");
    }
    void WindowsThemeChanged(bool) override { log.push_back("WindowsThemeChanged"); }
};

TEST(EventInterface, DispatchIdentifiersFollowTheDeclarationOrder) {
    EXPECT_EQ(kVexaEventNames.size(), 55u);
    EXPECT_EQ(VexaEventDispId("AfterCommitEdit"), 1);
    EXPECT_EQ(VexaEventDispId("ContentsSorted"), 14);
    EXPECT_EQ(VexaEventDispId("CurCellChange"), 15);
    EXPECT_EQ(VexaEventDispId("HeaderRightClick"), 20);
    EXPECT_EQ(VexaEventDispId("OLEDragDrop"), 29);
    EXPECT_EQ(VexaEventDispId("QuitCustomEdit"), 35);
    EXPECT_EQ(VexaEventDispId("RequestEdit"), 36);
    EXPECT_EQ(VexaEventDispId("ScrollBarPosChanged"), 39);
    EXPECT_EQ(VexaEventDispId("StartColWidthChange"), 45);
    EXPECT_EQ(VexaEventDispId("TextEditCustomContextMenu"), 54);
    EXPECT_EQ(VexaEventDispId("WindowsThemeChanged"), 55);
    EXPECT_EQ(VexaEventDispId("curcellchange"), 0);  // names are exact
    EXPECT_EQ(VexaEventDispId("Click"), 0);
    EXPECT_EQ(VexaEventName(0), "");
    EXPECT_EQ(VexaEventName(56), "");
    std::set<std::string_view> distinct;
    for (std::int32_t id = 1; id <= 55; ++id) {
        EXPECT_EQ(VexaEventDispId(VexaEventName(id)), id);
        distinct.insert(VexaEventName(id));
    }
    EXPECT_EQ(distinct.size(), 55u);
    static_assert(VexaEventDispId("MouseDown") == 24);
}

// Raises every event once, in identifier order, the way the control raises events.
// Returns the events whose in/out parameters came back unchanged.
std::vector<std::string> RaiseEveryEvent(const EventSinks& sinks,
                                         std::shared_ptr<DataObject>& data) {
    std::vector<std::string> checks;
    const auto check = [&checks](bool ok, const char* what) {
        if (!ok) checks.push_back(what);
    };
    std::int32_t i32 = 0, i32b = 0;
    std::int16_t i16 = 0, i16b = 0, i16c = 0;
    bool flag = false;
    float x = 0, y = 0;
    Variant v1(1), v2(2);
    std::string text = "old";
    EEditResults result = vxEditResCommit;
    ETextEditFlags options = ETextEditFlags(0);
    const auto raise = [&sinks](auto&& handler) { sinks.Raise(handler); };
    raise([&](VexaEvents& e) { e.AfterCommitEdit(1, 2); });
    raise([&](VexaEvents& e) { e.BeforeCommitEdit(1, 2, result, "text", v1, 0); });
    check(result == vxEditResProceed && v1.ToString() == "changed", "BeforeCommitEdit");
    raise([&](VexaEvents& e) { e.CancelEdit(1, 2); });
    raise([&](VexaEvents& e) { e.CellSelectionChange(1, 2, true); });
    flag = true;
    raise([&](VexaEvents& e) { e.ColDividerDblClick(1, flag); });
    check(!flag, "ColDividerDblClick");
    flag = false;
    raise([&](VexaEvents& e) { e.ColHeaderBeginDrag(1, flag); });
    check(flag, "ColHeaderBeginDrag");
    flag = true;
    raise([&](VexaEvents& e) { e.ColHeaderClick(1, flag, 0, 3, 4); });
    check(!flag, "ColHeaderClick");
    raise([&](VexaEvents& e) { e.ColHeaderDblClick(1); });
    flag = false;
    raise([&](VexaEvents& e) { e.ColHeaderEndDrag(1, 2, flag); });
    check(flag, "ColHeaderEndDrag");
    raise([&](VexaEvents& e) { e.ColHeaderMouseEnter(1); });
    raise([&](VexaEvents& e) { e.ColHeaderMouseLeave(1); });
    raise([&](VexaEvents& e) { e.ColWidthChanging(1, 50); });
    raise([&](VexaEvents& e) { e.ColWidthChanged(1, 50); });
    raise([&](VexaEvents& e) { e.ContentsSorted(); });
    raise([&](VexaEvents& e) { e.CurCellChange(1, 2); });
    raise([&](VexaEvents& e) { e.CustomDrawCell(1, 2, 0, 0, 0, 10, 10, false); });
    i32 = 0, i32b = 0;
    raise([&](VexaEvents& e) { e.CustomDrawCellGetSize(1, 2, i32, i32b); });
    check(i32 == 111 && i32b == 22, "CustomDrawCellGetSize");
    v1 = Variant(1);
    flag = false;
    raise([&](VexaEvents& e) { e.CustomSort(v1, v2, flag); });
    check(v1.ToLong() == 2 && v2.ToLong() == 1 && flag, "CustomSort");
    flag = true;
    raise([&](VexaEvents& e) { e.DblClick(1, 2, flag); });
    check(!flag, "DblClick");
    raise([&](VexaEvents& e) { e.HeaderRightClick(1, 0, 3, 4); });
    i16 = 40, i16b = 0, flag = true;
    raise([&](VexaEvents& e) { e.KeyDown(i16, i16b, flag); });
    check(i16 == 0 && i16b == 2 && !flag, "KeyDown");
    i16 = 65;
    raise([&](VexaEvents& e) { e.KeyPress(i16); });
    check(i16 == 66, "KeyPress");
    i16 = 40, i16b = 0;
    raise([&](VexaEvents& e) { e.KeyUp(i16, i16b); });
    check(i16 == 0 && i16b == 1, "KeyUp");
    i16 = 0, flag = true;
    raise([&](VexaEvents& e) { e.MouseDown(1, i16, 1.5f, 2.5f, 1, 2, flag, false); });
    check(i16 == 4 && !flag, "MouseDown");
    raise([&](VexaEvents& e) { e.MouseMove(1, 0, 1.5f, 2.5f, 1, 2); });
    flag = true;
    raise([&](VexaEvents& e) { e.MouseUp(1, 0, 1.5f, 2.5f, 1, 2, flag); });
    check(!flag, "MouseUp");
    raise([&](VexaEvents& e) { e.MouseEnter(1, 2); });
    raise([&](VexaEvents& e) { e.MouseLeave(1, 2); });
    i32 = 0, i16 = 0, i16b = 0, x = 0, y = 0;
    raise([&](VexaEvents& e) { e.OLEDragDrop(data, i32, i16, i16b, x, y); });
    check(i32 == 1 && i16 == 2 && i16b == 3 && x == 4.5f && y == 5.5f, "OLEDragDrop");
    i32 = 0, i16 = 0, i16b = 0, i16c = 0, x = 0, y = 0;
    raise([&](VexaEvents& e) { e.OLEDragOver(data, i32, i16, i16b, x, y, i16c); });
    check(i32 == 1 && i16 == 2 && i16b == 3 && x == 4.5f && y == 5.5f && i16c == 1, "OLEDragOver");
    i32 = 0;
    raise([&](VexaEvents& e) { e.OLECompleteDrag(i32); });
    check(i32 == 2, "OLECompleteDrag");
    i32 = 0, flag = true;
    raise([&](VexaEvents& e) { e.OLEGiveFeedback(i32, flag); });
    check(i32 == 4 && !flag, "OLEGiveFeedback");
    i16 = 0;
    raise([&](VexaEvents& e) { e.OLESetData(data, i16); });
    check(i16 == 13, "OLESetData");
    i32 = 0;
    raise([&](VexaEvents& e) { e.OLEStartDrag(data, i32); });
    check(i32 == 3, "OLEStartDrag");
    raise([&](VexaEvents& e) { e.QuitCustomEdit(); });
    flag = false, i32 = 0;
    raise([&](VexaEvents& e) { e.RequestEdit(1, 2, 65, flag, text, i32, options); });
    check(flag && text == "new" && i32 == 8 && options == vxTextEditNumberOnly, "RequestEdit");
    flag = false;
    raise([&](VexaEvents& e) { e.RequestRow(3, flag); });
    check(flag, "RequestRow");
    raise([&](VexaEvents& e) { e.RequestRowData(3); });
    raise([&](VexaEvents& e) { e.ScrollBarPosChanged(vxScrollBarV, 10); });
    raise([&](VexaEvents& e) { e.ScrollBarVisibilityChanged(vxScrollBarH, true); });
    raise([&](VexaEvents& e) { e.ScrollBarEndScroll(vxScrollBarV); });
    raise([&](VexaEvents& e) { e.ScrollBarThumbTrack(vxScrollBarV, 10); });
    raise([&](VexaEvents& e) { e.ScrollBarThicknessChanged(vxScrollBarH, 17); });
    raise([&](VexaEvents& e) { e.StartCellDrag(1, 0, 1.5f, 2.5f, 1, 2); });
    raise([&](VexaEvents& e) { e.StartColWidthChange(1, 50); });
    raise([&](VexaEvents& e) { e.TextEditChange(1, 2); });
    raise([&](VexaEvents& e) { e.TextEditKeyDown(1, 2, 40, 0); });
    i16 = 65;
    raise([&](VexaEvents& e) { e.TextEditKeyPress(1, 2, i16); });
    check(i16 == 0, "TextEditKeyPress");
    raise([&](VexaEvents& e) { e.TextEditKeyUp(1, 2, 40, 0); });
    raise([&](VexaEvents& e) { e.TextEditDblClick(1, 2); });
    raise([&](VexaEvents& e) { e.TextEditMouseDown(1, 2, 1, 0, 1.5f, 2.5f); });
    raise([&](VexaEvents& e) { e.TextEditMouseMove(1, 2, 1, 0, 1.5f, 2.5f); });
    raise([&](VexaEvents& e) { e.TextEditMouseUp(1, 2, 1, 0, 1.5f, 2.5f); });
    raise([&](VexaEvents& e) { e.TextEditCustomContextMenu(1, 2); });
    raise([&](VexaEvents& e) { e.WindowsThemeChanged(true); });
    return checks;
}

TEST(EventInterface, EveryInOutParameterIsReadBackFromTheHandler) {
    EverySink sink;
    EventSinks sinks;
    sinks.Advise(&sink);
    std::shared_ptr<DataObject> data;
    const std::vector<std::string> unchanged = RaiseEveryEvent(sinks, data);
    EXPECT_TRUE(unchanged.empty()) << unchanged.front();
    ASSERT_EQ(sink.log.size(), 55u);
    for (std::size_t i = 0; i < sink.log.size(); ++i) {
        EXPECT_EQ(sink.log[i], VexaEventName(std::int32_t(i) + 1));
    }
    EXPECT_EQ(sink.seenData, &data);  // the caller's data object itself, not a copy
}

TEST(EventInterface, WithoutAHandlerEveryInOutParameterKeepsTheControlsValue) {
    // The events that have in/out parameters.
    const std::vector<std::string> inOut = {"BeforeCommitEdit",
                                            "ColDividerDblClick",
                                            "ColHeaderBeginDrag",
                                            "ColHeaderClick",
                                            "ColHeaderEndDrag",
                                            "CustomDrawCellGetSize",
                                            "CustomSort",
                                            "DblClick",
                                            "KeyDown",
                                            "KeyPress",
                                            "KeyUp",
                                            "MouseDown",
                                            "MouseUp",
                                            "OLEDragDrop",
                                            "OLEDragOver",
                                            "OLECompleteDrag",
                                            "OLEGiveFeedback",
                                            "OLESetData",
                                            "OLEStartDrag",
                                            "RequestEdit",
                                            "RequestRow",
                                            "TextEditKeyPress"};
    std::shared_ptr<DataObject> data;
    EventSinks none;
    EXPECT_EQ(RaiseEveryEvent(none, data), inOut);
    VexaEvents defaults;  // a sink that overrides nothing
    EventSinks silent;
    silent.Advise(&defaults);
    EXPECT_EQ(RaiseEveryEvent(silent, data), inOut);
}

}  // namespace
}  // namespace vexa
