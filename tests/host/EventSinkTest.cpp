// Raising events to connected sinks: order, in/out read-back, failing handlers, sinks that
// disconnect while an event is being raised.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "vexa/events/EventSinks.h"
#include "vexa/vexa.h"

namespace vexa {
namespace {

struct Recorder : VexaEvents {
    Recorder(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
    void ColHeaderClick(std::int32_t lCol, bool& bDoDefault, std::int16_t, std::int32_t,
                        std::int32_t) override {
        log.push_back(name + ":click" + std::to_string(lCol) + (bDoDefault ? "+" : "-"));
        if (veto) bDoDefault = false;
        if (fail) throw std::runtime_error("handler failed");
    }
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift, bool&) override {
        KeyCode = std::int16_t(KeyCode + 1);
        Shift = 4;
    }
    void RequestEdit(std::int32_t, std::int32_t, std::int16_t, bool& bCancel, std::string& sText,
                     std::int32_t& lMaxLength, ETextEditFlags& eTextEditOpt) override {
        bCancel = true;
        sText += " edited";
        lMaxLength = 10;
        eTextEditOpt = vxTextEditUpperCase;
    }
    std::vector<std::string>& log;
    std::string name;
    bool veto = false;
    bool fail = false;
};

struct Unsubscriber : VexaEvents {
    EventSinks* sinks = nullptr;
    VexaEvents* victim = nullptr;
    void ColHeaderClick(std::int32_t, bool&, std::int16_t, std::int32_t, std::int32_t) override {
        sinks->Unadvise(victim);
    }
};

bool RaiseClick(const EventSinks& sinks, std::int32_t col) {
    bool doDefault = true;
    sinks.Raise([&](VexaEvents& e) { e.ColHeaderClick(col, doDefault, 0, 5, 6); });
    return doDefault;
}

TEST(EventSinks, NoSinkOrADefaultSinkLeavesInOutParametersAsTheControlSetThem) {
    EventSinks sinks;
    EXPECT_TRUE(RaiseClick(sinks, 1));
    VexaEvents silent;
    sinks.Advise(&silent);
    EXPECT_TRUE(RaiseClick(sinks, 1));
}

// A throwing handler stops neither the later sinks nor the caller, and what it wrote before
// failing stands.
TEST(EventSinks, SinksAreCalledInConnectionOrderAndSeeEarlierChangesEvenWhenOneThrows) {
    for (bool fail : {false, true}) {
        std::vector<std::string> log;
        Recorder first(log, "a"), second(log, "b");
        first.veto = true;
        first.fail = fail;
        EventSinks sinks;
        sinks.Advise(&first);
        sinks.Advise(&second);
        sinks.Advise(&first);  // connecting twice keeps one connection
        bool doDefault = true;
        EXPECT_NO_THROW(doDefault = RaiseClick(sinks, 3));
        EXPECT_EQ(log, (std::vector<std::string>{"a:click3+", "b:click3-"})) << fail;
        EXPECT_FALSE(doDefault) << fail;
    }
}

TEST(EventSinks, InOutParametersOfEveryKindAreReadBack) {
    std::vector<std::string> log;
    Recorder sink(log, "a");
    EventSinks sinks;
    sinks.Advise(&sink);
    std::int16_t keyCode = 40, shift = 0;
    bool doDefault = true;
    sinks.Raise([&](VexaEvents& e) { e.KeyDown(keyCode, shift, doDefault); });
    EXPECT_EQ(keyCode, 41);
    EXPECT_EQ(shift, 4);

    bool cancel = false;
    std::string text = "abc";
    std::int32_t maxLength = 0;
    ETextEditFlags options = ETextEditFlags(0);
    sinks.Raise([&](VexaEvents& e) { e.RequestEdit(1, 2, 65, cancel, text, maxLength, options); });
    EXPECT_TRUE(cancel);
    EXPECT_EQ(text, "abc edited");
    EXPECT_EQ(maxLength, 10);
    EXPECT_EQ(options, vxTextEditUpperCase);
}

TEST(EventSinks, ASinkDisconnectedDuringAnEventIsNotCalledAgain) {
    std::vector<std::string> log;
    Recorder victim(log, "v");
    Unsubscriber remover;
    EventSinks sinks;
    remover.sinks = &sinks;
    remover.victim = &victim;
    sinks.Advise(&remover);
    sinks.Advise(&victim);
    RaiseClick(sinks, 1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(sinks.Count(), 1u);
    sinks.Unadvise(&remover);
    sinks.Unadvise(nullptr);
    EXPECT_EQ(sinks.Count(), 0u);
}

TEST(EventSinks, ConnectedSinksDoNotDisturbStructuralCalls) {
    Vexa grid;
    VexaEvents a, b;
    grid.Advise(&a);
    grid.Advise(&b);
    grid.Advise(nullptr);
    grid.Unadvise(&a);
    grid.AddCol();
    grid.AddRow();
    EXPECT_EQ(grid.RowCount(), 1);
}

}  // namespace
}  // namespace vexa
