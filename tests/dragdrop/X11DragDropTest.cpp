// Drag and drop with other X clients, under a real X server (skipped without DISPLAY). The other
// client is a small plain-Xlib program in a child process, an XDND target or source as any
// desktop program would be; it reports what it saw through a pipe. Input is made with xdotool.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <string>

#include "DragRecorder.h"
#include "vexa/system/display/X11Display.h"
#include "vexa/system/window/Window.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace vexa::sys::testing {
namespace {

constexpr int kPeerLifeMs = 15000;  // a child never outlives this, whatever happens
constexpr int kMaxWaits = 300;      // 20 ms each

// ---- The other client ----------------------------------------------------------------------

struct PeerXdnd {
    ::Display* d;
    ::Atom Atom(const char* name) { return XInternAtom(d, name, False); }
    void Send(::Window to, const char* type, long l0, long l1, long l2, long l3, long l4) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = to;
        e.xclient.message_type = Atom(type);
        e.xclient.format = 32;
        const long data[5] = {l0, l1, l2, l3, l4};
        std::copy(data, data + 5, e.xclient.data.l);
        XSendEvent(d, to, False, NoEventMask, &e);
        XSync(d, False);  // delivered before this client may go away
    }
    // The next event, or false when the peer's time is up.
    bool Next(XEvent* event, int* leftMs) {
        while (XPending(d) == 0) {
            if (*leftMs <= 0) return false;
            pollfd fd{ConnectionNumber(d), POLLIN, 0};
            poll(&fd, 1, 20);
            *leftMs -= 20;
        }
        XNextEvent(d, event);
        return true;
    }
    std::string Name(::Atom atom) {
        char* name = atom == None ? nullptr : XGetAtomName(d, atom);
        std::string result = name == nullptr ? "None" : name;
        if (name != nullptr) XFree(name);
        return result;
    }
};

void Report(int fd, const std::string& line) {
    const std::string text = line + "\n";
    (void)!write(fd, text.data(), text.size());
}

// An XDND target at (x, y): accepts copies of UTF-8 text and reports what was dropped.
void RunTarget(int out, int x, int y) {
    PeerXdnd p{XOpenDisplay(nullptr)};
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const ::Window w = XCreateWindow(p.d, DefaultRootWindow(p.d), x, y, 200, 150, 0, CopyFromParent,
                                     InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
    const long version = 5;
    XChangeProperty(p.d, w, p.Atom("XdndAware"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&version), 1);
    XMapWindow(p.d, w);
    XSync(p.d, False);
    Report(out, "ready");
    ::Window source = None;
    int left = kPeerLifeMs;
    XEvent e;
    while (p.Next(&e, &left)) {
        if (e.type == SelectionNotify) {
            ::Atom type;
            int format;
            unsigned long count, after;
            unsigned char* data = nullptr;
            XGetWindowProperty(p.d, w, e.xselection.property, 0, 1 << 16, True, AnyPropertyType,
                               &type, &format, &count, &after, &data);
            Report(out, "dropped " + std::string(reinterpret_cast<char*>(data), count));
            XFree(data);
            p.Send(source, "XdndFinished", long(w), 1, long(p.Atom("XdndActionCopy")), 0, 0);
            return;
        }
        if (e.type != ClientMessage) continue;
        const std::string message = p.Name(e.xclient.message_type);
        const long* l = e.xclient.data.l;
        if (message == "XdndEnter") {
            source = ::Window(l[0]);
            Report(out, "types " + p.Name(l[2]) + " " + p.Name(l[3]) + " " + p.Name(l[4]));
        } else if (message == "XdndPosition") {
            p.Send(source, "XdndStatus", long(w), 1 | 2, 0, 0, long(p.Atom("XdndActionCopy")));
        } else if (message == "XdndLeave") {
            Report(out, "left");
        } else if (message == "XdndDrop") {
            XConvertSelection(p.d, p.Atom("XdndSelection"), p.Atom("text/plain;charset=utf-8"),
                              p.Atom("PEER_DATA"), w, ::Time(l[2]));
            XFlush(p.d);
        }
    }
}

enum class Manners { Proper, Vanishing, Unruly };

// An XDND source offering a URI list, dropping on `target` at (x, y). A vanishing one goes away
// after the target's first status; an unruly one first sends what the protocol forbids, lists
// types full of rubbish and sends bytes that are no text.
void RunSource(int out, ::Window target, int x, int y, Manners manners) {
    PeerXdnd p{XOpenDisplay(nullptr)};
    const ::Window w = XCreateSimpleWindow(p.d, DefaultRootWindow(p.d), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(p.d, p.Atom("XdndSelection"), w, CurrentTime);
    const auto aware = [&] {
        ::Atom type;
        int format;
        unsigned long count = 0, after;
        unsigned char* data = nullptr;
        XGetWindowProperty(p.d, target, p.Atom("XdndAware"), 0, 1, False, XA_ATOM, &type, &format,
                           &count, &after, &data);
        const long version = count == 1 ? *reinterpret_cast<long*>(data) : 0;
        if (data != nullptr) XFree(data);
        return version;
    };
    Report(out, "aware " + std::to_string(aware()));
    const long copy = long(p.Atom("XdndActionCopy"));
    const long uriList = long(p.Atom("text/uri-list"));
    std::string list =
        "file:///tmp/a%20b.txt\r\n# a comment\r\nfile://localhost/tmp/%C3%BC.txt\r\n";
    long enterFlags = 5l << 24;
    if (manners == Manners::Unruly) {
        p.Send(target, "XdndPosition", long(w), 0, (long(x) << 16) | y, CurrentTime, copy);
        p.Send(target, "XdndDrop", long(w), 0, CurrentTime, 0, 0);
        p.Send(target, "XdndEnter", long(w), 2l << 24, uriList, 0, 0);  // too old a version
        std::vector<long> types(1000, 0x1FFFFFFF);
        types[0] = uriList;
        XChangeProperty(p.d, w, p.Atom("XdndTypeList"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(types.data()), int(types.size()));
        enterFlags |= 1;
        list = "file:///ok\r\nfile:///nul%00inside\r\n\xFF\xFE junk\r\n";
    }
    p.Send(target, "XdndEnter", long(w), enterFlags, uriList, 0, 0);
    if (manners == Manners::Unruly) {
        p.Send(target, "XdndDrop", long(w) + 1, 0, CurrentTime, 0, 0);  // from nobody
    }
    p.Send(target, "XdndPosition", long(w), 0, (long(x) << 16) | y, CurrentTime, copy);
    int left = kPeerLifeMs;
    XEvent e;
    while (p.Next(&e, &left)) {
        if (e.type == SelectionRequest) {
            const XSelectionRequestEvent& r = e.xselectionrequest;
            XChangeProperty(p.d, r.requestor, r.property, r.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(list.data()), int(list.size()));
            XEvent reply{};
            reply.xselection = {SelectionNotify, 0,        True,       p.d,   r.requestor,
                                r.selection,     r.target, r.property, r.time};
            XSendEvent(p.d, r.requestor, False, NoEventMask, &reply);
            XFlush(p.d);
        }
        if (e.type != ClientMessage) continue;
        const std::string message = p.Name(e.xclient.message_type);
        const long* l = e.xclient.data.l;
        if (message == "XdndStatus") {
            Report(out, "status " + std::to_string(l[1] & 1) + " " + p.Name(l[4]));
            if (manners == Manners::Vanishing) return;
            p.Send(target, "XdndDrop", long(w), 0, CurrentTime, 0, 0);
        } else if (message == "XdndFinished") {
            Report(out, "finished " + std::to_string(l[1] & 1) + " " + p.Name(l[2]));
            return;
        }
    }
}

// A child process running one of the peers; it is killed when this goes.
class Peer {
  public:
    template <typename Body>
    explicit Peer(Body body) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            body(fds[1]);
            _exit(0);  // no destructors of the parent's objects in the child
        }
        close(fds[1]);
        in_ = fds[0];
    }
    ~Peer() {
        Kill();
        if (in_ >= 0) close(in_);
    }
    void Kill() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    // The lines the peer reported so far.
    const std::deque<std::string>& Lines() {
        pollfd fd{in_, POLLIN, 0};
        char buffer[512];
        while (in_ >= 0 && poll(&fd, 1, 0) > 0) {
            const ssize_t n = read(in_, buffer, sizeof buffer);
            if (n <= 0) break;
            pending_.append(buffer, std::size_t(n));
        }
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            lines_.push_back(pending_.substr(0, end));
            pending_.erase(0, end + 1);
        }
        return lines_;
    }
    bool Said(const std::string& line) {
        const auto& lines = Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

  private:
    pid_t pid_ = -1;
    int in_ = -1;
    std::string pending_;
    std::deque<std::string> lines_;
};

// ---- The program's side ----------------------------------------------------------------------

constexpr const char* kFormClass = "VexaX11DragForm";

bool HoldServer() {
    static ::Display* const keeper = XOpenDisplay(nullptr);
    return keeper != nullptr;
}

class X11DragDropTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == 0) GTEST_SKIP() << "no X display";
        if (!HoldServer()) GTEST_SKIP() << "cannot reach the X display";
        auto opened = X11Display::Open();
        if (opened == nullptr) GTEST_SKIP() << "cannot open the X display";
        x11 = opened.get();
        previous = SetDisplayBackend(std::move(opened));
        WNDCLASS cls;
        cls.lpfnWndProc = &FormProc;
        cls.lpszClassName = kFormClass;
        RegisterClass(cls);
        DestroyAllWindowsForTesting();
        current_ = this;
        form = CreateWindowEx(0, kFormClass, "vexa", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
        dnd = std::make_unique<ControlDragDrop>(form, events);
        PumpUntil([&] { return Viewable(); });
    }
    void TearDown() override {
        if (x11 == nullptr) return;
        std::system("xdotool mouseup 1 2>/dev/null");
        DestroyAllWindowsForTesting();
        dnd.reset();
        current_ = nullptr;
        SetDisplayBackend(std::move(previous));
    }

    bool Viewable() {
        XWindowAttributes attributes{};
        XGetWindowAttributes(x11->Connection(), x11->NativeWindow(form), &attributes);
        return attributes.map_state == IsViewable;
    }

    template <typename Done>
    bool PumpUntil(Done done) {
        for (int i = 0; i < kMaxWaits; ++i) {
            x11->Sync();
            PumpMessages();
            if (done()) return true;
            x11->PumpEvents(20);
        }
        return false;
    }

    // Presses on the form and moves: the form starts its drag, and each command of the script
    // runs 60 ms after the one before, while the drag's loop runs.
    void DragOut(std::vector<std::string> commands) {
        script_.assign(commands.begin(), commands.end());
        timer_ = SetTimer(0, 0, 60, &PlayStep);
        std::system("xdotool mousemove 150 150 mousedown 1 mousemove 160 150");
        PumpUntil([&] { return !events.log.empty() && events.log.back().starts_with("Complete"); });
    }

    static void PlayStep(HWND, UINT, std::uintptr_t id, DWORD) {
        auto& script = current_->script_;
        if (!script.empty()) {
            std::system(("xdotool " + script.front()).c_str());
            script.pop_front();
        }
        if (script.empty()) KillTimer(0, id);
    }

    static LRESULT FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        X11DragDropTest* test = current_;
        if (test != nullptr && msg == WM_LBUTTONDOWN) test->pressed_ = true;
        if (test != nullptr && msg == WM_MOUSEMOVE && test->pressed_ && (wParam & MK_LBUTTON)) {
            test->pressed_ = false;
            test->dnd->OLEDrag();
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }

    // Whether another client could grab the pointer now, i.e. nobody holds it.
    static bool PointerIsFree() {
        ::Display* other = XOpenDisplay(nullptr);
        const int result = XGrabPointer(other, DefaultRootWindow(other), False, ButtonPressMask,
                                        GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
        XUngrabPointer(other, CurrentTime);
        XCloseDisplay(other);
        return result == GrabSuccess;
    }

    X11Display* x11 = nullptr;
    std::unique_ptr<DisplayBackend> previous;
    HWND form = 0;
    DragRecorder events;
    std::unique_ptr<ControlDragDrop> dnd;
    static inline X11DragDropTest* current_ = nullptr;
    // Makes the other program go away, from a timer, once it returns true.
    std::function<bool()> vanish_;
    static void VanishNow(HWND, UINT, std::uintptr_t id, DWORD) {
        if (current_->vanish_()) KillTimer(0, id);
    }

  private:
    std::deque<std::string> script_;
    std::uintptr_t timer_ = 0;
    bool pressed_ = false;
};

TEST_F(X11DragDropTest, TextDraggedOutArrivesInTheOtherProgram) {
    Peer target([](int out) { RunTarget(out, 600, 300); });
    ASSERT_TRUE(PumpUntil([&] { return target.Said("ready"); }));
    events.onStartDrag = [](std::shared_ptr<DataObject>& data, std::int32_t&) {
        data->SetData(Variant(), vxCFText);  // rendered when the other program asks
    };
    events.onSetData = [](std::shared_ptr<DataObject>& data, std::int16_t format) {
        data->SetData("Grüße aus Vexa", format);
    };
    DragOut({"mousemove 400 250", "mousemove 650 350", "mousemove 660 360", "mouseup 1"});
    EXPECT_TRUE(PumpUntil([&] { return target.Said("dropped Grüße aus Vexa"); }));
    EXPECT_TRUE(target.Said("types text/plain;charset=utf-8 UTF8_STRING text/plain"));
    EXPECT_EQ(events.log.back(), "Complete 1") << "the other program copied";
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_TRUE(PointerIsFree());
}

TEST_F(X11DragDropTest, DragsBetweenOwnWindowsStayInTheProgram) {
    const HWND other =
        CreateWindowEx(0, kFormClass, "other", WS_POPUP | WS_VISIBLE, 500, 100, 200, 200);
    DragRecorder otherEvents;
    ControlDragDrop otherDnd(other, otherEvents);
    otherDnd.SetOLEDropMode(vxOLEDropManual);
    events.onStartDrag = [](std::shared_ptr<DataObject>& data, std::int32_t&) {
        data->SetData("inside");
    };
    DragOut({"mousemove 550 150", "mousemove 560 170", "mouseup 1"});
    EXPECT_EQ(otherEvents.log,
              (std::vector<std::string>{"Enter effect=3 button=1 shift=0 at 50,50",
                                        "Over effect=3 button=1 shift=0 at 60,70",
                                        "Drop effect=3 button=1 shift=0 at 60,70"}));
    EXPECT_EQ(events.log.back(), "Complete 2");
    EXPECT_TRUE(PointerIsFree());
}

TEST_F(X11DragDropTest, UriListDroppedFromAnotherProgramReachesTheTarget) {
    dnd->SetOLEDropMode(vxOLEDropManual);
    std::vector<std::string> files;
    events.onDragDrop = [&](std::shared_ptr<DataObject>& data, std::int32_t&) {
        for (int i = 1; i <= data->Files().Count(); ++i) files.push_back(data->Files().Item(i));
    };
    const ::Window window = x11->NativeWindow(form);
    Peer source([window](int out) { RunSource(out, window, 150, 160, Manners::Proper); });
    ASSERT_TRUE(PumpUntil([&] { return source.Said("finished 1 XdndActionCopy"); }));
    EXPECT_TRUE(source.Said("aware 5"));
    EXPECT_TRUE(source.Said("status 1 XdndActionCopy"));
    EXPECT_EQ(files, (std::vector<std::string>{"/tmp/a b.txt", "/tmp/ü.txt"}));
    EXPECT_EQ(events.log.front(), "Enter effect=1 button=0 shift=0 at 50,60");
    EXPECT_EQ(events.log.back(), "Drop effect=1 button=0 shift=0 at 50,60");
}

TEST_F(X11DragDropTest, AnUnrulySourceIsHeardOnlyWhereItKeepsToTheProtocol) {
    dnd->SetOLEDropMode(vxOLEDropManual);
    std::vector<std::string> files;
    events.onDragDrop = [&](std::shared_ptr<DataObject>& data, std::int32_t&) {
        for (int i = 1; i <= data->Files().Count(); ++i) files.push_back(data->Files().Item(i));
    };
    const ::Window window = x11->NativeWindow(form);
    Peer source([window](int out) { RunSource(out, window, 150, 160, Manners::Unruly); });
    ASSERT_TRUE(PumpUntil([&] { return source.Said("finished 1 XdndActionCopy"); }));
    EXPECT_EQ(source.Lines().size(), 3u) << "one status, for the position after the enter";
    EXPECT_EQ(events.log, (std::vector<std::string>{"Enter effect=1 button=0 shift=0 at 50,60",
                                                    "Drop effect=1 button=0 shift=0 at 50,60"}));
    EXPECT_EQ(files, (std::vector<std::string>{"/ok", "file:///nul%00inside",
                                               "\xEF\xBF\xBD\xEF\xBF\xBD junk"}));
}

TEST_F(X11DragDropTest, APeerVanishingMidDragLeavesNoGrabNorDrag) {
    // A target killed while the drag is over it.
    Peer target([](int out) { RunTarget(out, 600, 300); });
    ASSERT_TRUE(PumpUntil([&] { return target.Said("ready"); }));
    events.onStartDrag = [&](std::shared_ptr<DataObject>& data, std::int32_t&) {
        data->SetData("lost");
        SetTimer(0, 0, 100, &VanishNow);
    };
    const std::string entered = "types text/plain;charset=utf-8 UTF8_STRING text/plain";
    vanish_ = [&] {
        if (!target.Said(entered)) return false;  // not yet over it
        target.Kill();
        return true;
    };
    // The pointer keeps moving over the target while it goes away.
    std::vector<std::string> moves;
    for (int x = 650; x <= 690; x += 5) moves.push_back("mousemove " + std::to_string(x) + " 360");
    moves.push_back("mouseup 1");
    DragOut(moves);
    EXPECT_TRUE(target.Said(entered)) << "the drag was over it when it went";
    EXPECT_EQ(events.log.back(), "Complete 0");
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_TRUE(PointerIsFree());

    // A source gone after its first position: the target hears it leave.
    dnd->SetOLEDropMode(vxOLEDropManual);
    events = DragRecorder{};
    const ::Window window = x11->NativeWindow(form);
    Peer source([window](int out) { RunSource(out, window, 150, 160, Manners::Vanishing); });
    EXPECT_TRUE(PumpUntil([&] { return events.log.size() >= 2; }));
    EXPECT_EQ(events.log.back(), "Leave effect=0 button=0 shift=0 at 50,60");
}

}  // namespace
}  // namespace vexa::sys::testing
