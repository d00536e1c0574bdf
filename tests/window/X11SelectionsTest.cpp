// The clipboard and the primary selection on a real server (skipped without DISPLAY or
// xclip): what the program offers, xclip reads, and what xclip offers, the program reads.
#include <cstdio>
#include <fstream>
#include <optional>

#include "X11TestFixture.h"
#include "vexa/system/window/Clipboard.h"

namespace vexa::sys::testing {
namespace {

using Text = std::optional<std::string>;

bool OfferToClipboard(const std::string& text) {
    if (!OpenClipboard(0)) return false;
    const bool offered = EmptyClipboard() && SetClipboardText(text);
    return CloseClipboard() && offered;
}

// Large enough to go in increments either way, made of sequences of every length.
std::string LargeText() {
    std::string text;
    for (int line = 0; text.size() < (3u << 20); ++line) {
        text += "Zeile " + std::to_string(line) + " Grüße 中 😀\n";
    }
    return text;
}

// Text offered on a selection as a target (a type) and what the other side reads of it.
struct Transfer {
    const char* selection;
    const char* target;
    std::string offered;
    Text read;
};

class X11SelectionsTest : public X11Test {
  protected:
    void SetUp() override {
        X11Test::SetUp();
        if (!IsSkipped() && std::system("command -v xclip > /dev/null") != 0) {
            GTEST_SKIP() << "no xclip";
        }
    }
    void TearDown() override {
        // xclip keeps a selection until another program takes it: take both, so that it ends.
        if (x11 != nullptr) {
            SetPrimarySelectionText("");
            OfferToClipboard("");
        }
        X11Test::TearDown();
    }

    unsigned long Owner(const char* selection) {
        return XGetSelectionOwner(Connection(), XInternAtom(Connection(), selection, False));
    }

    // xclip reads the selection as `target` while the program answers it.
    Text ReadWithXclip(const char* selection, const char* target) {
        const std::string command =
            std::string("xclip -o -selection ") + selection + " -t " + target + " 2> /dev/null";
        auto read = std::async(std::launch::async, [command]() -> Text {
            FILE* output = popen(command.c_str(), "r");
            std::string bytes;
            char buffer[65536];
            for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, output)) > 0;) {
                bytes.append(buffer, n);
            }
            return pclose(output) == 0 ? Text(bytes) : std::nullopt;
        });
        const bool done = PumpUntil(
            [&] { return read.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        return done ? read.get() : Text("xclip got no answer");
    }

    // xclip takes the selection, offering `bytes` as `type`, and keeps it until it loses it.
    bool OfferWithXclip(const char* selection, const char* type, const std::string& bytes) {
        const std::string file = ::testing::TempDir() + "vexa-selection";
        std::ofstream(file, std::ios::binary) << bytes;
        const unsigned long before = Owner(selection);
        const std::string command =
            std::string("xclip -i -selection ") + selection + " -t " + type + " " + file;
        return std::system(command.c_str()) == 0 && PumpUntil([&] {
                   const unsigned long owner = Owner(selection);
                   return owner != 0 && owner != before;
               });
    }
};

TEST_F(X11SelectionsTest, OtherProgramsReadWhatTheProgramOffers) {
    const std::string large = LargeText();
    const Transfer cases[] = {
        {"CLIPBOARD", "UTF8_STRING", "Grüße, 中文 😀", "Grüße, 中文 😀"},
        {"CLIPBOARD", "TEXT", "Zeile 1\nZeile 2", "Zeile 1\nZeile 2"},
        {"CLIPBOARD", "STRING", "Grüße 中",
         "Gr\xFC\xDF"
         "e ?"},
        {"CLIPBOARD", "image/png", "no image", std::nullopt},
        {"PRIMARY", "UTF8_STRING", "selected ü", "selected ü"},
        {"CLIPBOARD", "UTF8_STRING", large, large},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.selection) + " as " + c.target);
        const bool primary = std::string(c.selection) == "PRIMARY";
        ASSERT_TRUE(primary ? SetPrimarySelectionText(c.offered) : OfferToClipboard(c.offered));
        const Text read = ReadWithXclip(c.selection, c.target);
        EXPECT_TRUE(read == c.read) << (read ? read->size() : 0) << " bytes read";
    }
}

TEST_F(X11SelectionsTest, TheProgramReadsWhatOtherProgramsOfferRepaired) {
    const std::string large = LargeText();
    const Transfer cases[] = {
        {"CLIPBOARD", "UTF8_STRING", "Grüße 中 😀", "Grüße 中 😀"},
        {"CLIPBOARD", "STRING", "caf\xE9", "café"},
        {"CLIPBOARD", "UTF8_STRING", "ok\xFF\xC3(\xED\xA0\x80",
         "ok\uFFFD\uFFFD(\uFFFD\uFFFD\uFFFD"},
        {"CLIPBOARD", "image/png", "\x89PNG", std::nullopt},
        {"CLIPBOARD", "UTF8_STRING", large, large},
        {"PRIMARY", "UTF8_STRING", "middle click", "middle click"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.selection) + " as " + c.target);
        const bool primary = std::string(c.selection) == "PRIMARY";
        // The program offered something before: what it reads must be the other program's.
        ASSERT_TRUE(primary ? SetPrimarySelectionText("ours") : OfferToClipboard("ours"));
        ASSERT_TRUE(OfferWithXclip(c.selection, c.target, c.offered));
        const Text read = primary ? GetPrimarySelectionText() : GetClipboardText();
        EXPECT_TRUE(read == c.read) << (read ? read->substr(0, 40) : "nothing");
        if (!primary) {
            EXPECT_EQ(IsClipboardTextAvailable(), c.read.has_value());
        }
    }
}

TEST_F(X11SelectionsTest, AnOwnerThatNeverAnswersIsGivenUpAndEmptyingClearsItForEveryone) {
    // Another client that takes the clipboard and never looks at its events.
    ::Display* silent = XOpenDisplay(nullptr);
    const Window window =
        XCreateSimpleWindow(silent, DefaultRootWindow(silent), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(silent, XInternAtom(silent, "CLIPBOARD", False), window, CurrentTime);
    XSync(silent, False);
    x11->SetSelectionTimeout(std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(GetClipboardText().has_value());
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_TRUE(OpenClipboard(0));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(Owner("CLIPBOARD"), 0u);
    ASSERT_TRUE(OfferToClipboard("after"));
    EXPECT_EQ(GetClipboardText(), Text("after"));
    XCloseDisplay(silent);
}

}  // namespace
}  // namespace vexa::sys::testing
