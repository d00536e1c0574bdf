#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/AutomationTestSupport.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/FontSubscription.h"

using namespace vexa;
using vexa::testing::ErrorOf;

TEST(FontAttributesTest, DefaultsAreAnInstalledGuiFaceAtTheClassicSize) {
    Font font;
    EXPECT_EQ(font.Name(), "DejaVu Sans");
    EXPECT_DOUBLE_EQ(font.Size(), 8.25);
    EXPECT_FALSE(font.Bold());
    EXPECT_EQ(font.Weight(), 400);
    EXPECT_EQ(font.Charset(), 0);
    EXPECT_EQ(TypeName(Variant(Font::Create())), "Font");
    font.SetSize(12.5);
    EXPECT_EQ(font.SizeScaled(), 125000);  // held in ten-thousandths of a point
}

TEST(FontAttributesTest, BoldAndWeightFollowEachOther) {
    Font font;
    font.SetBold(true);
    EXPECT_EQ(font.Weight(), 700);
    font.SetWeight(551);
    EXPECT_TRUE(font.Bold());
    font.SetWeight(550);
    EXPECT_FALSE(font.Bold());
    font.SetWeight(900);
    font.SetBold(false);
    EXPECT_EQ(font.Weight(), 400);
}

TEST(FontAttributesTest, InvalidValuesRaise380AndChangeNothing) {
    Font font;
    EXPECT_EQ(ErrorOf([&] { font.SetSize(0); }), 380);
    EXPECT_EQ(ErrorOf([&] { font.SetSize(-3); }), 380);
    EXPECT_EQ(ErrorOf([&] { font.SetSize(1e9); }), 380);
    EXPECT_EQ(ErrorOf([&] { font.SetSize(std::numeric_limits<double>::quiet_NaN()); }), 380);
    EXPECT_EQ(ErrorOf([&] { font.SetName(""); }), 380);
    EXPECT_EQ(ErrorOf([&] { font.SetWeight(1001); }), 380);
    EXPECT_EQ(ErrorOf([&] { font.SetCharset(256); }), 380);
    EXPECT_TRUE(font.IsEqual(Font()));
}

TEST(FontLateBinding, PropertiesByNameWithClassicTypes) {
    auto font = Font::Create();
    const std::shared_ptr<Object> object = font;
    PutMember(object, "name", Variant("DejaVu Sans Mono"));
    PutMember(object, "Size", Variant("10.5"));
    PutMember(object, "BOLD", Variant(true));
    PutMember(object, "Italic", Variant(-1));
    PutMember(object, "Charset", Variant(161));
    EXPECT_EQ(font->Name(), "DejaVu Sans Mono");
    EXPECT_DOUBLE_EQ(font->Size(), 10.5);
    EXPECT_TRUE(font->Bold());
    EXPECT_TRUE(font->Italic());
    EXPECT_EQ(GetMember(object, "Weight"), Variant(std::int16_t{700}));
    EXPECT_EQ(GetMember(object, "Size").Type(), vtCurrency);
    EXPECT_EQ(GetMember(object, "Bold"), Variant(true));
    EXPECT_EQ(GetMember(object, "Charset"), Variant(std::int16_t{161}));
    EXPECT_EQ(GetMember(object, "Underline"), Variant(false));
}

TEST(FontLateBinding, UnknownMembersAndBadValuesRaise) {
    const std::shared_ptr<Object> object = Font::Create();
    EXPECT_EQ(ErrorOf([&] { GetMember(object, "Colour"); }), 438);
    EXPECT_EQ(ErrorOf([&] { PutMember(object, "Size", Variant("big")); }), 13);
    EXPECT_EQ(ErrorOf([&] { PutMember(object, "Weight", Variant(70000)); }), 6);
    const std::array<Variant, 1> extra{Variant(1)};
    EXPECT_EQ(ErrorOf([&] { object->Invoke("Name", extra, InvokeKind::PropertyGet); }), 450);
}

TEST(FontNotification, ListenersHearEachChangeInOrder) {
    Font font;
    std::vector<std::string> heard;
    font.Subscribe([&](std::string_view property) { heard.emplace_back(property); });
    font.SetBold(true);
    font.SetSize(9);
    PutMember(std::shared_ptr<Object>(font.Clone()), "Name", Variant("x"));  // another font
    font.SetName("DejaVu Serif");
    EXPECT_EQ(heard, (std::vector<std::string>{"Bold", "Size", "Name"}));
}

TEST(FontNotification, ListenersSeeTheNewValueAndFailedSetsStaySilent) {
    auto font = Font::Create();
    std::vector<double> sizes;
    font->Subscribe([&](std::string_view) { sizes.push_back(font->Size()); });
    font->SetSize(11);
    EXPECT_NE(ErrorOf([&] { font->SetSize(-1); }), 0);
    EXPECT_EQ(sizes, std::vector<double>{11});
}

TEST(FontNotification, UnsubscribeStopsNotificationEvenFromInsideOne) {
    Font font;
    int first = 0, second = 0;
    Font::ListenerToken secondToken = 0;
    const auto firstToken = font.Subscribe([&](std::string_view) {
        ++first;
        font.Unsubscribe(secondToken);
    });
    secondToken = font.Subscribe([&](std::string_view) { ++second; });
    font.SetItalic(true);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_TRUE(font.Unsubscribe(firstToken));
    EXPECT_FALSE(font.Unsubscribe(firstToken));
    font.SetItalic(false);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(font.ListenerCount(), 0u);
}

TEST(FontNotification, SetAttributesNamesOnlyWhatChanged) {
    Font font;
    std::vector<std::string> heard;
    font.Subscribe([&](std::string_view property) { heard.emplace_back(property); });
    FontAttributes attributes = font.Attributes();
    attributes.sizeScaled = 100000;
    attributes.italic = true;
    font.SetAttributes(attributes);
    font.SetAttributes(attributes);
    EXPECT_EQ(heard, (std::vector<std::string>{"Size", "Italic"}));
}

// A throwing listener silences neither the listeners after it nor the other attributes.
TEST(FontNotification, AThrowingListenerSilencesNoOtherListenerOrAttribute) {
    Font font;
    std::vector<std::string> heard;
    int told = 0;
    font.Subscribe([&](std::string_view property) {
        heard.emplace_back(property);
        throw std::runtime_error("listener failed");
    });
    font.Subscribe([&](std::string_view) { ++told; });
    EXPECT_THROW(font.SetStrikethrough(true), std::runtime_error);
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(font.Strikethrough());
    heard.clear();
    FontAttributes attributes = font.Attributes();
    attributes.name = "DejaVu Serif";
    attributes.underline = true;
    EXPECT_THROW(font.SetAttributes(attributes), std::runtime_error);
    EXPECT_EQ(heard, (std::vector<std::string>{"Name", "Underline"}));
    EXPECT_EQ(told, 3);
    EXPECT_TRUE(font.Underline());
}

TEST(FontIdentity, CloneIsEqualButIndependent) {
    auto font = Font::Create();
    font->SetBold(true);
    int told = 0;
    font->Subscribe([&](std::string_view) { ++told; });
    auto copy = font->Clone();
    EXPECT_TRUE(copy->IsEqual(*font));
    EXPECT_NE(copy->Handle(), font->Handle());
    EXPECT_EQ(copy->ListenerCount(), 0u);
    copy->SetName("DejaVu Serif");
    EXPECT_EQ(told, 0);
    EXPECT_EQ(font->Name(), "DejaVu Sans");
    EXPECT_FALSE(copy->IsEqual(*font));
}

TEST(FontIdentity, HandlesAreUniqueMapKeys) {
    std::map<std::uint64_t, int> realised;
    for (int i = 0; i < 100; ++i) realised[Font::Create()->Handle()] = i;
    EXPECT_EQ(realised.size(), 100u);
}

TEST(FontIdentity, EqualityCoversEveryAttribute) {
    Font a, b;
    b.SetCharset(1);
    EXPECT_FALSE(a.IsEqual(b));
    b.SetCharset(0);
    b.SetName("dejavu sans");  // names compare exactly
    EXPECT_FALSE(a.IsEqual(b));
    b.SetName("DejaVu Sans");
    b.SetStrikethrough(true);
    EXPECT_FALSE(a.IsEqual(b));
    b.SetStrikethrough(false);
    EXPECT_TRUE(a.IsEqual(b));
    const std::array<Variant, 1> other{Variant(a.Clone())};
    EXPECT_EQ(b.Invoke("IsEqual", other, InvokeKind::Method), Variant(true));
}

TEST(FontSubscriptionTest, UnsubscribesWhenDestroyedAndSurvivesAReleasedFont) {
    auto font = Font::Create();
    int told = 0;
    {
        FontSubscription watch(font, [&](std::string_view) { ++told; });
        font->SetBold(true);
        FontSubscription moved = std::move(watch);
        EXPECT_EQ(watch.WatchedFont(), nullptr);
        EXPECT_EQ(moved.WatchedFont(), font);
        font->SetBold(false);
    }
    font->SetItalic(true);
    EXPECT_EQ(told, 2);
    EXPECT_EQ(font->ListenerCount(), 0u);

    FontSubscription orphan(font, [](std::string_view) {});
    font.reset();
    EXPECT_EQ(orphan.WatchedFont(), nullptr);
    orphan.Reset();  // nothing left to unsubscribe from
}
