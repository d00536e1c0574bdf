// Case-blind text follows en-US collation: case does not count, accents do, and an accented
// letter sorts beside its base letter.
#include <gtest/gtest.h>

#include <tuple>

#include "vexa/system/automation/TextCollation.h"
#include "vexa/system/automation/Variant.h"

using namespace vexa;

TEST(TextCollation, ComparisonAndKeysOrderLinguistically) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"äpfel", "zebra", -1},
        {"äpfel", "apfel", 1},
        {"Äpfel", "apfelbaum", -1},
        {"ÄPFEL", "äpfel", 0},
        {"B", "a", 1},
        {"Straße", "STRASSE", 1},
        {"straße", "strasse1", -1},
        {"ΣΊΣΥΦΟΣ", "σίσυφος", 0},
        {"", "a", -1},
        {"e\xCC\x81", "\xC3\xA9", 0}};  // a combining accent equals the composed letter
    for (const auto& [a, b, sign] : cases) {
        EXPECT_EQ(CompareVariants(Variant(a), Variant(b), true), sign) << a << " / " << b;
        const int keys = TextNoCaseKey(a).compare(TextNoCaseKey(b));
        EXPECT_EQ((keys > 0) - (keys < 0), sign) << a << " / " << b;
    }
}

TEST(TextCollation, StartsWithTakesWholeCharacters) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Äpfel", "äP", true},
        {"Äpfel", "ap", false},
        {"Straße", "STRAß", true},
        {"Straße", "STRASS", false},
        {"abc", "", true},
        {"ab", "abc", false},
        {"e\xCC\x81t", "e", false},
        {"e\xCC\x81t", "\xC3\xA9T", true},
        {"aaaaaaaaaaaaaaaaaaaa", "b", false}};
    for (const auto& [text, prefix, starts] : cases) {
        EXPECT_EQ(TextStartsWithNoCase(text, prefix), starts) << text << " / " << prefix;
    }
}
