// The mouse over the grid in a real window on a real X server: xdotool clicks, Shift+clicks and
// drags to select, and another X client, a plain-Xlib drag source in a child process, drops
// text on a cell of the grid through the X drag-and-drop protocol, or vanishes mid-drag.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "vexa/system/window/Messages.h"
#include "vexa/vexa.h"
// Xlib's macros come last.
#include "common/X11Session.h"

namespace vexa::test {
namespace {

constexpr int kSourceLifeMs = 10000;  // the child never outlives this

// An XDND source offering `text` as UTF-8, dropping on `target` at root (x, y). Exits 0 once
// the target reported the drop finished and accepted; a vanishing one goes away as soon as the
// target answered its position.
[[noreturn]] void RunDropSource(unsigned long target, int x, int y, const std::string& text,
                                bool vanish = false) {
    ::Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) _exit(2);
    const auto atom = [d](const char* name) { return XInternAtom(d, name, False); };
    const ::Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(d, atom("XdndSelection"), w, CurrentTime);
    const auto send = [&](const char* type, long l1, long l2, long l3, long l4) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = target;
        e.xclient.message_type = atom(type);
        e.xclient.format = 32;
        const long data[5] = {long(w), l1, l2, l3, l4};
        std::copy(data, data + 5, e.xclient.data.l);
        XSendEvent(d, target, False, NoEventMask, &e);
        XFlush(d);
    };
    const long utf8 = long(atom("text/plain;charset=utf-8"));
    send("XdndEnter", 5l << 24, utf8, 0, 0);
    send("XdndPosition", 0, (long(x) << 16) | y, CurrentTime, long(atom("XdndActionCopy")));
    for (int left = kSourceLifeMs; left > 0;) {
        if (XPending(d) == 0) {
            pollfd fd{ConnectionNumber(d), POLLIN, 0};
            poll(&fd, 1, 20);
            left -= 20;
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == SelectionRequest) {
            const XSelectionRequestEvent& r = e.xselectionrequest;
            XChangeProperty(d, r.requestor, r.property, r.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text.data()), int(text.size()));
            XEvent reply{};
            reply.xselection = {SelectionNotify, 0,        True,       d,     r.requestor,
                                r.selection,     r.target, r.property, r.time};
            XSendEvent(d, r.requestor, False, NoEventMask, &reply);
            XFlush(d);
        } else if (e.type == ClientMessage && e.xclient.message_type == atom("XdndStatus")) {
            if ((e.xclient.data.l[1] & 1) == 0) _exit(3);  // refused
            if (vanish) {
                XCloseDisplay(d);  // its window goes with it
                _exit(0);
            }
            send("XdndDrop", 0, CurrentTime, 0, 0);
        } else if (e.type == ClientMessage && e.xclient.message_type == atom("XdndFinished")) {
            _exit((e.xclient.data.l[1] & 1) != 0 ? 0 : 4);
        }
    }
    _exit(5);
}

// The host puts dropped text into the cell under the drop.
struct DropHost : VexaEvents {
    Vexa* grid = nullptr;
    std::vector<std::int16_t> overStates;
    void OLEDragOver(std::shared_ptr<DataObject>&, std::int32_t& effect, std::int16_t&,
                     std::int16_t&, float&, float&, std::int16_t& state) override {
        overStates.push_back(state);
        effect = vxDropEffectCopy;
    }
    void OLEDragDrop(std::shared_ptr<DataObject>& data, std::int32_t& effect, std::int16_t&,
                     std::int16_t&, float& x, float& y) override {
        std::int32_t row = 0, col = 0;
        grid->CellFromPoint(std::int32_t(x), std::int32_t(y), row, col);
        if (row > 0 && col > 0) grid->SetCellValue(row, col, data->GetData(vxCFText));
        effect = vxDropEffectCopy;
    }
};

TEST(MouseX11Test, ClicksDragsAndDropsFromAnotherClient) {
    X11Session x11;
    if (!x11.Open()) GTEST_SKIP() << "no X display";
    Vexa grid;
    for (int c = 0; c < 3; ++c) grid.AddCol({.lWidth = 90});
    grid.SetRowCount(10);
    grid.SetMultiSelect(true);
    grid.SetOLEDropMode(vxOLEDropManual);
    DropHost host;
    host.grid = &grid;
    grid.Advise(&host);
    const sys::HWND frame = sys::GetParent(grid.hwnd());
    sys::SetActiveWindow(frame);
    x11.WaitUntilMapped(frame);

    const auto at = [&](std::int32_t row, std::int32_t col) {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        grid.CellBoundary(row, col, left, top, width, height);
        sys::POINT p{left + width / 2, top + height / 2};
        sys::ClientToScreen(grid.hwnd(), &p);
        return p;
    };
    const auto to = [&](std::int32_t row, std::int32_t col) {
        const sys::POINT p = at(row, col);
        return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " ";
    };
    const auto selected = [&] {
        std::string rows;
        for (std::int32_t r = 1; r <= grid.RowCount(); ++r) {
            for (std::int32_t c = 1; c <= grid.ColCount(); ++c) {
                rows += grid.CellSelected(r, c) ? "1" : "0";
            }
            rows += r < grid.RowCount() ? "/" : "";
        }
        return rows;
    };
    const auto current = [&](std::int32_t row, std::int32_t col) {
        return grid.CurRow() == row && grid.CurCol() == col;
    };

    ASSERT_TRUE(x11.Xdotool(to(2, 1) + "click 1", [&] { return current(2, 1); }));
    EXPECT_EQ(selected(), "000/100/000/000/000/000/000/000/000/000");
    ASSERT_TRUE(
        x11.Xdotool(to(4, 2) + "keydown shift click 1 keyup shift", [&] { return current(4, 2); }));
    EXPECT_EQ(selected(), "000/110/110/110/000/000/000/000/000/000");
    ASSERT_TRUE(x11.Xdotool(to(5, 1) + "mousedown 1 " + to(6, 2) + to(7, 3) + "mouseup 1",
                            [&] { return current(7, 3) && sys::GetCapture() == 0; }));
    EXPECT_EQ(selected(), "000/000/000/000/111/111/111/000/000/000");

    // Another client drops text on a cell; then one vanishes in the middle of its drag.
    const unsigned long target = x11.Display().NativeWindow(frame);
    const auto dragFromAfar = [&](std::int32_t row, bool vanish, auto arrived) {
        const sys::POINT drop = at(row, 2);
        host.overStates.clear();
        const pid_t source = fork();
        if (source == 0) RunDropSource(target, drop.x, drop.y, "from afar", vanish);
        EXPECT_GT(source, 0);
        const bool done = x11.PumpUntil(arrived);
        int status = -1;
        x11.PumpUntil([&] { return waitpid(source, &status, WNOHANG) == source; });
        if (status == -1) {
            kill(source, SIGKILL);
            waitpid(source, &status, 0);
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(sys::GetCapture(), 0u);
        return done;
    };
    EXPECT_TRUE(dragFromAfar(9, false, [&] {
        return grid.CellValue(9, 2) == Variant("from afar");
    })) << grid.CellText(9, 2);
    EXPECT_TRUE(dragFromAfar(10, true, [&] {
        return !host.overStates.empty() && host.overStates.back() == vxDragLeave;
    })) << host.overStates.size();
    EXPECT_EQ(grid.CellText(10, 2), "");
    ASSERT_TRUE(x11.Xdotool(to(10, 3) + "click 1", [&] { return current(10, 3); }))
        << "the grid still answers the mouse";
}

}  // namespace
}  // namespace vexa::test
