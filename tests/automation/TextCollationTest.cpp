// Case-blind text follows en-US collation: case does not count, accents do, and an accented
// letter sorts beside its base letter. The short keys of ASCII texts order as the collation
// does.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
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

// Random ASCII texts over every character, control characters and punctuation included, with
// many near-equal pairs: their short keys order and tie exactly as the collation compares.
TEST(TextCollation, AsciiKeysOrderAsTheComparison) {
    std::mt19937 random(7);
    auto randomText = [&] {
        std::string text;
        for (std::size_t n = random() % 6; n > 0; --n) text.push_back(char(random() % 128));
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = randomText();
        std::string b = i % 3 == 0 ? randomText() : a;  // else one character changed
        if (i % 3 == 1 && !b.empty()) b[random() % b.size()] = char(random() % 128);
        for (char& c : b) {
            if (i % 3 == 2 && std::isalpha(static_cast<unsigned char>(c))) c ^= 0x20;
        }
        std::string keyA, keyB;
        ASSERT_TRUE(AppendAsciiNoCaseKey(a, keyA));
        ASSERT_TRUE(AppendAsciiNoCaseKey(b, keyB));
        const int keys = keyA.compare(keyB);
        ASSERT_EQ((keys > 0) - (keys < 0), CompareTextNoCase(a, b))
            << testing::PrintToString(a) << " / " << testing::PrintToString(b);
    }
    std::string key = "kept";
    EXPECT_FALSE(AppendAsciiNoCaseKey("\xC3\xA4pfel", key));
    EXPECT_EQ(key, "kept");
}
