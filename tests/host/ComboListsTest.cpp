// The combo lists a host fills through Combos(): keys, positions and slots, items with their
// values and icons, the errors of the collection and of the lists, and combo cells showing
// the item their value selects.
#include "common/GridOnForm.h"
#include "vexa/model/GridErrors.h"

namespace vexa::test {
namespace {

class ComboLists : public GridOnForm {
  protected:
    ComboLists() { Fill({80, 80}, 3); }

    static std::int32_t ErrorOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const Error& error) {
            return error.Number();
        }
        return 0;
    }
    CombosObject& combos() { return grid().Combos(); }
};

TEST_F(ComboLists, KeysArePositionsOrCaseInsensitiveNames) {
    const auto sizes = combos().Add("Sizes");
    const auto colors = combos().Add("colors");
    EXPECT_EQ(combos().Add("SIZES"), nullptr) << "a key in use adds nothing";
    EXPECT_EQ(combos().Count(), 2);
    EXPECT_EQ(combos().Items("sizes"), sizes);
    EXPECT_EQ(combos().Items(2), colors);
    EXPECT_EQ(combos().Items(1.0), sizes);
    const std::int32_t grid514 = GridErrorNumber(kErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { combos().Items("shapes"); }), 5);
    EXPECT_EQ(ErrorOf([&] { combos().Items(3); }), 9);
    EXPECT_EQ(ErrorOf([&] { combos().Remove("shapes"); }), grid514);
    EXPECT_EQ(ErrorOf([&] { combos().Remove(0); }), grid514);
    combos().Remove(1);
    EXPECT_EQ(combos().Count(), 1);
    EXPECT_EQ(combos().Items(1), colors);
}

TEST_F(ComboLists, ItemsKeepTheirValuesThroughInsertionsAndRemovalsAndBadIndicesChangeNothing) {
    const auto list = combos().Add("list");
    list->AddItem("Red");
    list->AddItem("Two", Variant(2));
    list->AddItem("First", Variant(1.5), -1, 0);
    const auto object = std::make_shared<Object>();
    list->AddItem("Thing", Variant(object));
    EXPECT_EQ(list->ListCount(), 4);
    EXPECT_EQ(list->ItemValue(0), Variant(1.5));
    EXPECT_EQ(list->ItemValue(1), Variant("Red")) << "no value: the text is the value";
    EXPECT_EQ(list->ValueIndex(Variant(2)), 2);
    EXPECT_EQ(list->ValueIndex(Variant(object)), 3);
    EXPECT_EQ(list->ValueIndex(Variant(std::make_shared<Object>())), -1)
        << "objects match by identity";
    EXPECT_EQ(list->ValueIndex(Variant("nothing")), -1);
    list->RemoveItem(0);
    EXPECT_EQ(list->ItemValue(0), Variant("Red"));
    list->SetItemValue(0, Variant(7));
    EXPECT_EQ(list->ValueIndex(Variant(7)), 0);
    // A bad index or height changes nothing.
    const std::int32_t grid513 = GridErrorNumber(kErrSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { list->RemoveItem(3); }), grid513);
    EXPECT_EQ(ErrorOf([&] { list->ItemValue(-1); }), grid513);
    EXPECT_EQ(ErrorOf([&] { list->AddItem("b", std::nullopt, -1, 4); }), grid513);
    EXPECT_EQ(ErrorOf([&] { list->SetMaxHeightInItems(0); }), GridErrorNumber(kErrInvalidArgument));
    EXPECT_EQ(list->MaxHeightInItems(), 8);
    EXPECT_EQ(list->ListCount(), 3);
    list->Clear();
    EXPECT_EQ(list->ListCount(), 0);
}

TEST_F(ComboLists, ComboCellsShowTheItemTheirValueSelects) {
    const auto list = combos().Add("pets");
    list->AddItem("Cat", Variant(1), 3);
    list->AddItem("Dog", Variant(2), 5);
    grid().SetCellType(1, 1, vxCellCombo);
    grid().SetCellCtrlKey(1, 1, "pets");
    EXPECT_EQ(grid().CellCtrlKey(1, 1), "pets");
    grid().SetCellValue(1, 1, 2);
    EXPECT_EQ(grid().CellText(1, 1), "Dog");
    EXPECT_EQ(grid().CellIcon(1, 1), 5);
    grid().SetCellValue(1, 1, 9);
    EXPECT_EQ(grid().CellText(1, 1), "");
    EXPECT_EQ(grid().CellIcon(1, 1), -1);
    grid().SetCellCtrlKey(1, 1, "PETS");
    EXPECT_EQ(grid().CellCtrlKey(1, 1), "") << "cells find their list by the exact key";
    grid().SetCellCtrlKey(1, 2, "pets");
    EXPECT_EQ(grid().CellCtrlKey(1, 2), "") << "a text cell takes no list";
}

TEST_F(ComboLists, ColumnsMayDefaultToAListAndSlotsAreReused) {
    combos().Add("old")->AddItem("Old item", Variant(1));
    grid().ColDefaultCell(2)->SeteType(vxCellCombo);
    grid().ColDefaultCell(2)->SetsCtrlKey("old");
    grid().ColDefaultCell(2)->SetvValue(Variant(1));
    grid().AddRow();
    EXPECT_EQ(grid().CellText(4, 2), "Old item");
    combos().Remove("old");
    EXPECT_EQ(grid().CellText(4, 2), "");
    combos().Add("new")->AddItem("New item", Variant(1));
    EXPECT_EQ(grid().CellCtrlKey(4, 2), "new") << "the freed slot went to the new list";
}

TEST_F(ComboLists, ListsAHostKeepsOutliveTheGrid) {
    const auto list = combos().Add("kept");
    list->AddItem("a");
    const auto font = list->Font();
    ResetGrid();
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(list->ValueIndex(Variant("a")), -1);
    EXPECT_EQ(ErrorOf([&] { list->AddItem("b"); }), GridErrorNumber(kErrInvalidArgument));
    font->SetBold(true);  // its font still answers, and tells no list
    EXPECT_TRUE(list->Font()->Bold());
}

}  // namespace
}  // namespace vexa::test
