// Text from other programs is repaired, never trusted: malformed UTF-8 becomes U+FFFD, one
// per maximal malformed part, and Latin-1 converts both ways.
#include <gtest/gtest.h>

#include "vexa/system/automation/Utf8Text.h"

namespace vexa::sys {
namespace {

TEST(Utf8TextTest, MalformedSequencesAreReplacedAndValidTextKept) {
    const struct {
        const char* what;
        std::string input;
        std::string repaired;
    } cases[] = {
        {"ASCII", "plain", "plain"},
        {"every sequence length", "Grüße 中 😀", "Grüße 中 😀"},
        {"a replacement character already", "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {"a byte that starts nothing",
         "a\xFF"
         "b",
         "a\uFFFD"
         "b"},
        {"a lead without its continuation", "ab\xC3(", "ab\uFFFD("},
        {"an overlong slash", "\xC0\xAF", "\uFFFD\uFFFD"},
        {"a surrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"cut at the end", "x\xF0\x9F\x98", "x\uFFFD"},
        {"cut in the middle", "\xE4\xB8z", "\uFFFDz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RepairUtf8(c.input), c.repaired) << c.what;
        EXPECT_EQ(RepairUtf8(c.repaired), c.repaired) << c.what;
    }
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xF0\x9F\x98\x80\xFF"), U"aé😀\uFFFD");
}

TEST(Utf8TextTest, Latin1ConvertsBothWays) {
    EXPECT_EQ(Latin1ToUtf8("caf\xE9 \xFF"), "café ÿ");
    EXPECT_EQ(Utf8ToLatin1("Grüße 中"),
              "Gr\xFC\xDF"
              "e ?");
}

}  // namespace
}  // namespace vexa::sys
