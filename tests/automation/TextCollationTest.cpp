// Case-blind text comparison follows en-US collation: case does not count, accents do, and
// an accented letter sorts beside its base letter.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "vexa/system/automation/TextCollation.h"
#include "vexa/system/automation/Variant.h"

using namespace vexa;

TEST(TextCollation, CaseBlindOrderIsLinguistic) {
    const struct {
        const char *a, *b;
        int sign;
    } cases[] = {
        {"äpfel", "zebra", -1},
        {"äpfel", "apfel", 1},
        {"äpfel", "Apfelbaum", -1},
        {"ÄPFEL", "äpfel", 0},
        {"B", "a", 1},
        {"abc", "ABC", 0},
        {"Straße", "STRASSE", 1},
        {"straße", "strasse1", -1},
        {"Éclair", "eclairs", -1},
        {"e\xCC\x81", "\xC3\xA9", 0},  // a combining accent equals the composed letter
        {"", "a", -1},
        {"ΣΊΣΥΦΟΣ", "σίσυφος", 0},
    };
    for (const auto& [a, b, sign] : cases) {
        EXPECT_EQ(CompareText(a, b, true), sign) << a << " / " << b;
        EXPECT_EQ(CompareVariants(Variant(b), Variant(a), true), -sign) << a << " / " << b;
        const int keySign = TextNoCaseKey(a).compare(TextNoCaseKey(b));
        EXPECT_EQ((keySign > 0) - (keySign < 0), sign) << a << " / " << b;
    }
    EXPECT_EQ(CompareText("B", "a", false), -1);  // binary comparison is by code
}

TEST(TextCollation, KeysSortTextsAsTheComparisonDoes) {
    std::vector<std::string> texts = {"zebra", "Äpfel",   "apfel", "Apfelbaum",
                                      "Zebra", "Ölkanne", "ost"};
    std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return TextNoCaseKey(a) < TextNoCaseKey(b);
    });
    const std::vector<std::string> expected = {"apfel", "Äpfel", "Apfelbaum", "Ölkanne",
                                               "ost",   "zebra", "Zebra"};
    EXPECT_EQ(texts, expected);
}

TEST(TextCollation, StartsWithMatchesWholeCharacters) {
    const struct {
        const char *text, *prefix;
        bool starts;
    } cases[] = {
        {"Äpfel", "äP", true},
        {"Äpfel", "ap", false},
        {"apfel", "APF", true},
        {"Straße", "STRAß", true},
        {"Straße", "STRASS", false},
        {"Straße", "straße", true},
        {"abc", "", true},
        {"", "a", false},
        {"ab", "abc", false},
        {"e\xCC\x81t\xC3\xA9", "e", false},  // the e carries an accent
        {"e\xCC\x81t\xC3\xA9", "\xC3\xA9T", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "b", false},
    };
    for (const auto& [text, prefix, starts] : cases) {
        EXPECT_EQ(TextStartsWithNoCase(text, prefix), starts) << text << " / " << prefix;
    }
}
