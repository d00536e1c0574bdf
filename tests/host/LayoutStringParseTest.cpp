// How the layout strings are cut into fields and how their numbers and flags are read.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "vexa/sort/LayoutStrings.h"

using namespace vexa;

namespace {

TEST(LayoutStringParseTest, FieldsEndWithABar) {
    const std::vector<std::pair<std::string, std::vector<std::string_view>>> cases = {
        {"", {}},
        {"|", {""}},
        {"a|", {"a"}},
        {"a|b", {"a"}},
        {"a||b|", {"a", "", "b"}},
        {"1|Width|80|", {"1", "Width", "80"}},
    };
    for (const auto& [text, fields] : cases) EXPECT_EQ(LayoutFields(text), fields) << text;
}

TEST(LayoutStringParseTest, NumbersAreWholeDecimalsOf32Bits) {
    const std::vector<std::pair<std::string, std::optional<std::int32_t>>> cases = {
        {"12", 12},         {" -3 ", -3},
        {"+4", 4},          {"+-4", {}},
        {"1.5", {}},        {"", {}},
        {"x", {}},          {"2147483647", 2147483647},
        {"2147483648", {}}, {"-2147483648", INT32_MIN},
        {"0x10", {}},       {"1e3", {}},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(ParseLayoutNumber(text), number) << text;
}

TEST(LayoutStringParseTest, FlagsAreNumbersOrTrueAndFalse) {
    const std::vector<std::pair<std::string, std::optional<bool>>> cases = {
        {"1", true},    {"0", false},     {"-1", true}, {"7", true},
        {"TRUE", true}, {"false", false}, {"yes", {}},  {"", {}},
    };
    for (const auto& [text, flag] : cases) EXPECT_EQ(ParseLayoutBoolean(text), flag) << text;
}

}  // namespace
