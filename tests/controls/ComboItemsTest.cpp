// The combo box's item storage: insertion bounds and the searches, case-insensitive by
// Unicode case folding, starting after an item and wrapping round.
#include <gtest/gtest.h>

#include "vexa/system/controls/ComboItems.h"

namespace vexa::sys {
namespace {

ComboItems Make(const std::vector<std::string>& texts) {
    ComboItems items;
    for (const std::string& text : texts) items.Insert(-1, text, text.size());
    return items;
}

const std::vector<std::string> kTexts = {"apple",  "Banana", "avocado", "ÉCLAIR",
                                         "Straße", "",       "APPLE"};

struct Search {
    const char* what;
    const char* text;
    int after;
    int prefix;  // FindPrefix
    int exact;   // FindExact
};

TEST(ComboItemsTest, SearchesFoldCaseStartAfterAnItemAndWrap) {
    const ComboItems items = Make(kTexts);
    const Search searches[] = {
        {"from the start", "a", -1, 0, -1},
        {"after the first match", "a", 0, 2, -1},
        {"wrapping round", "APP", 6, 0, -1},
        {"an exact match ignores case", "apple", 0, 6, 6},
        {"non-ASCII upper case", "éclair", -1, 3, 3},
        {"full case folding", "STRASSE", -1, 4, 4},
        {"an index past the end searches everything", "ban", 99, 1, -1},
        {"nothing", "kiwi", -1, -1, -1},
        {"the empty prefix matches the next item", "", 2, 3, 5},
    };
    for (const Search& s : searches) {
        EXPECT_EQ(items.FindPrefix(s.text, s.after), s.prefix) << s.what;
        EXPECT_EQ(items.FindExact(s.text, s.after), s.exact) << s.what;
    }
}

TEST(ComboItemsTest, InitialsFoldCaseAndCycleThroughTheMatches) {
    const ComboItems items = Make(kTexts);
    const struct {
        char32_t initial;
        int after;
        int found;
    } cases[] = {{U'A', -1, 0}, {U'a', 0, 2}, {U'a', 2, 6},  {U'a', 6, 0},
                 {U'é', -1, 3}, {U's', 3, 4}, {U'z', -1, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(items.FindInitial(c.initial, c.after), c.found)
            << "initial " << std::uint32_t(c.initial) << " after " << c.after;
    }
}

TEST(ComboItemsTest, InsertionAndRemovalKeepDataAndHeightsWithTheirItems) {
    ComboItems items = Make({"one", "three"});
    EXPECT_EQ(items.Insert(1, "two", 22), 1);
    EXPECT_EQ(items.Insert(4, "beyond", 0), ComboItems::kNone);
    EXPECT_EQ(items.Insert(-2, "before", 0), ComboItems::kNone);
    items.SetHeight(2, 30);
    EXPECT_EQ(items.FindData(22, -1), 1);
    EXPECT_TRUE(items.Erase(0));
    EXPECT_FALSE(items.Erase(2));
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Text(0), "two");
    EXPECT_EQ(items.Data(0), 22u);
    EXPECT_EQ(items.Height(0), 0);
    EXPECT_EQ(items.Height(1), 30);
    items.ForgetHeights();
    EXPECT_EQ(items.Height(1), 0);
}

}  // namespace
}  // namespace vexa::sys
