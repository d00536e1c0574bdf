// The clipboard and the primary selection on a real server (skipped without DISPLAY), read and
// offered by another X client on its own connection and thread, as another program would.
#include <poll.h>

#include <atomic>
#include <optional>

#include "X11TestFixture.h"
#include "vexa/system/window/Clipboard.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xatom.h>

namespace vexa::sys::testing {
namespace {

using Text = std::optional<std::string>;

// Another X client. It offers a selection (in increments when asked to) or reads one; its
// event loop runs on a thread of its own, so that the program under test can answer it.
class OtherProgram {
  public:
    OtherProgram() : display_(XOpenDisplay(nullptr)) {
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(display_, window_, PropertyChangeMask);
    }
    ~OtherProgram() {
        stop_ = true;
        if (loop_.valid()) loop_.wait();
        XCloseDisplay(display_);
    }

    // Takes the selection; answers requests for `type` (and TARGETS) unless `silent`.
    void Offer(const char* selection, const char* type, std::string bytes,
               std::size_t increment = 0, bool silent = false) {
        XSetSelectionOwner(display_, Intern(selection), window_, CurrentTime);
        XSync(display_, False);
        if (silent) return;
        loop_ = std::async(std::launch::async, [=, this] {
            while (!stop_) {
                XEvent event;
                if (!NextEvent(event, std::chrono::milliseconds(10))) continue;
                if (event.type == SelectionRequest) Answer(event, Intern(type), bytes, increment);
                if (event.type == PropertyNotify) SendIncrement(event, bytes, increment);
            }
        });
    }

    // Reads the selection as `target` on the other thread; the test pumps until it is ready.
    std::future<Text> Read(const char* selection, const char* target) {
        return std::async(std::launch::async, [=, this]() -> Text {
            const Atom property = Intern("OTHER_PROGRAM");
            XConvertSelection(display_, Intern(selection), Intern(target), property, window_,
                              CurrentTime);
            XEvent event;
            do {
                if (!NextEvent(event, std::chrono::seconds(10))) return std::nullopt;
            } while (event.type != SelectionNotify);
            if (event.xselection.property == 0) return std::nullopt;
            Atom type = 0;
            std::string bytes = TakeProperty(property, type);
            if (type != Intern("INCR")) return bytes;
            for (bytes.clear();;) {
                if (!NextEvent(event, std::chrono::seconds(10))) return std::nullopt;
                if (event.type != PropertyNotify || event.xproperty.state != PropertyNewValue) {
                    continue;
                }
                const std::string part = TakeProperty(property, type);
                if (part.empty()) return bytes;
                bytes += part;
            }
        });
    }

  private:
    Atom Intern(const char* name) { return XInternAtom(display_, name, False); }

    bool NextEvent(XEvent& event, std::chrono::milliseconds wait) {
        pollfd descriptor{ConnectionNumber(display_), POLLIN, 0};
        if (XPending(display_) == 0 && poll(&descriptor, 1, int(wait.count())) <= 0) return false;
        if (XPending(display_) == 0) return false;
        XNextEvent(display_, &event);
        return true;
    }

    std::string TakeProperty(Atom property, Atom& type) {
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, window_, property, 0, 0x1FFFFFFF, True, AnyPropertyType, &type,
                           &format, &count, &remaining, &data);
        std::string bytes(reinterpret_cast<const char*>(data), format == 8 ? count : 0);
        if (data != nullptr) XFree(data);
        return bytes;
    }

    void Answer(XEvent& request, Atom type, const std::string& bytes, std::size_t increment) {
        const XSelectionRequestEvent& asked = request.xselectionrequest;
        XEvent reply{};
        reply.xselection = {SelectionNotify,
                            0,
                            True,
                            display_,
                            asked.requestor,
                            asked.selection,
                            asked.target,
                            asked.property,
                            asked.time};
        if (asked.target == Intern("TARGETS")) {
            const Atom targets[] = {Intern("TARGETS"), type};
            XChangeProperty(display_, asked.requestor, asked.property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(targets), 2);
        } else if (asked.target == type && increment > 0) {
            XSelectInput(display_, asked.requestor, PropertyChangeMask);
            const long size = long(bytes.size());
            XChangeProperty(display_, asked.requestor, asked.property, Intern("INCR"), 32,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(&size), 1);
            incremental_ = {asked.requestor, asked.property, type};
            sent_ = 0;
        } else if (asked.target == type) {
            XChangeProperty(display_, asked.requestor, asked.property, type, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(bytes.data()),
                            int(bytes.size()));
        } else {
            reply.xselection.property = 0;
        }
        XSendEvent(display_, asked.requestor, False, NoEventMask, &reply);
        XFlush(display_);
    }

    void SendIncrement(const XEvent& event, const std::string& bytes, std::size_t increment) {
        if (event.xproperty.window != incremental_[0] || event.xproperty.atom != incremental_[1] ||
            event.xproperty.state != PropertyDelete || sent_ > bytes.size()) {
            return;
        }
        const std::size_t length = std::min(increment, bytes.size() - sent_);
        XChangeProperty(display_, incremental_[0], incremental_[1], incremental_[2], 8,
                        PropModeReplace,
                        reinterpret_cast<const unsigned char*>(bytes.data() + sent_), int(length));
        sent_ += length > 0 ? length : 1;  // past the end once the empty increment is out
        XFlush(display_);
    }

    ::Display* display_;
    Window window_ = 0;
    std::future<void> loop_;
    std::atomic<bool> stop_{false};
    std::array<unsigned long, 3> incremental_{};  // requestor, property, type
    std::size_t sent_ = 0;
};

bool OfferToClipboard(const std::string& text) {
    if (!OpenClipboard(0)) return false;
    const bool offered = EmptyClipboard() && SetClipboardText(text);
    return CloseClipboard() && offered;
}

// Large enough to need increments in both directions, and made of every sequence length.
std::string LargeText() {
    std::string text;
    for (int line = 0; text.size() < (3u << 20); ++line) {
        text += "Zeile " + std::to_string(line) + " Grüße 中 😀\n";
    }
    return text;
}

using X11SelectionsTest = X11Test;

TEST_F(X11SelectionsTest, OtherProgramsReadWhatTheProgramOffers) {
    const std::string large = LargeText();
    const struct {
        const char* selection;
        const char* target;
        std::string offered;
        Text read;
    } cases[] = {
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
        OtherProgram other;
        std::future<Text> read = other.Read(c.selection, c.target);
        ASSERT_TRUE(PumpUntil(
            [&] { return read.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
        const Text got = read.get();
        EXPECT_TRUE(got == c.read) << (got ? got->size() : 0) << " bytes read";
    }
}

TEST_F(X11SelectionsTest, TheProgramReadsWhatOtherProgramsOfferRepaired) {
    const std::string large = LargeText();
    const struct {
        const char* selection;
        const char* type;
        std::string offered;
        std::size_t increment;
        Text read;
    } cases[] = {
        {"CLIPBOARD", "UTF8_STRING", "Grüße 中 😀", 0, "Grüße 中 😀"},
        {"CLIPBOARD", "STRING", "caf\xE9", 0, "café"},
        {"CLIPBOARD", "UTF8_STRING", "ok\xFF\xC3(\xED\xA0\x80", 0,
         "ok\uFFFD\uFFFD(\uFFFD\uFFFD\uFFFD"},
        {"CLIPBOARD", "image/png", "\x89PNG", 0, std::nullopt},
        {"CLIPBOARD", "UTF8_STRING", large, 100000, large},
        {"PRIMARY", "UTF8_STRING", "middle click", 0, "middle click"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.selection) + " as " + c.type);
        const bool primary = std::string(c.selection) == "PRIMARY";
        // The program offered something before: what it reads must be the other's.
        ASSERT_TRUE(primary ? SetPrimarySelectionText("ours") : OfferToClipboard("ours"));
        OtherProgram other;
        other.Offer(c.selection, c.type, c.offered, c.increment);
        const Text got = primary ? GetPrimarySelectionText() : GetClipboardText();
        EXPECT_TRUE(got == c.read) << (got ? got->substr(0, 40) : "nothing");
        if (!primary) {
            EXPECT_EQ(IsClipboardTextAvailable(), c.read.has_value());
        }
    }
}

TEST_F(X11SelectionsTest, AnOwnerThatNeverAnswersIsGivenUpAndEmptyingClearsItForEveryone) {
    x11->SetSelectionTimeout(std::chrono::milliseconds(200));
    OtherProgram silent;
    silent.Offer("CLIPBOARD", "UTF8_STRING", "never sent", 0, true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(GetClipboardText().has_value());
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_TRUE(OpenClipboard(0));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(XGetSelectionOwner(Connection(), XInternAtom(Connection(), "CLIPBOARD", False)), 0u);
    ASSERT_TRUE(OfferToClipboard("after"));
    EXPECT_EQ(GetClipboardText(), Text("after"));
}

}  // namespace
}  // namespace vexa::sys::testing
