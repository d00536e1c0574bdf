// A fixture for tests on a real X server (skipped without DISPLAY): the X11 display installed
// for the test, shown windows with the keyboard focus, and waits on conditions with a bound,
// pumping the X events and the loop meanwhile, while commands (xdotool, setxkbmap) run.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>
#include <string>

#include "WindowTestSupport.h"
#include "vexa/system/display/X11Display.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xlib.h>

namespace vexa::sys::testing {

class X11Test : public ::testing::Test {
  protected:
    static constexpr std::chrono::seconds kPatience{10};  // a bound, never a wait in itself

    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == 0) GTEST_SKIP() << "no X display";
        // The server resets when its last client leaves; a connection held for the whole
        // program keeps it up between the tests.
        static ::Display* const keeper = XOpenDisplay(nullptr);
        if (keeper == nullptr) GTEST_SKIP() << "cannot reach the X display";
        auto opened = X11Display::Open();
        if (opened == nullptr) GTEST_SKIP() << "cannot open the X display";
        RegisterTestClasses();
        DestroyAllWindowsForTesting();
        Log().Clear();
        Log().handlers.clear();
        x11 = opened.get();
        previous = SetDisplayBackend(std::move(opened));
    }
    void TearDown() override {
        if (x11 == nullptr) return;
        Log().handlers.clear();
        DestroyAllWindowsForTesting();
        Log().Clear();
        SetDisplayBackend(std::move(previous));
    }

    ::Display* Connection() const { return x11->Connection(); }

    // A shown popup, mapped by the server, with the window system's and the X focus.
    HWND FocusedWindow(int left = 100, int top = 120) {
        HWND hwnd = CreateWindowEx(0, kRecordingClass, "x11 test", WS_POPUP | WS_VISIBLE, left, top,
                                   200, 150);
        SetFocus(hwnd);
        PumpUntil([&] {
            XWindowAttributes attributes;
            XGetWindowAttributes(Connection(), x11->NativeWindow(hwnd), &attributes);
            return attributes.map_state == IsViewable;
        });
        GiveXFocus(x11->NativeWindow(hwnd));
        return hwnd;
    }
    // Moves the X keyboard focus (0: to nowhere, where key events are thrown away).
    void GiveXFocus(unsigned long window) {
        XSetInputFocus(Connection(), window, RevertToNone, CurrentTime);
        Settle();
    }

    // Handles X events and messages until `done` holds; false when the bound passed first.
    template <typename Done>
    bool PumpUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < deadline) {
            x11->Sync();
            PumpMessages();
            if (done()) return true;
            x11->PumpEvents(20);
        }
        return false;
    }
    // Runs a shell command while pumping, so that the program answers the X clients it
    // talks to, until it ended and `done` holds; then handles what is left.
    template <typename Done>
    bool RunUntil(const std::string& command, Done done) {
        auto finished = std::async(std::launch::async, [command] {
            return std::system(("LC_ALL=C.UTF-8 " + command).c_str());
        });
        const bool reached = PumpUntil([&] {
            return finished.wait_for(std::chrono::seconds(0)) == std::future_status::ready &&
                   done();
        });
        Settle();
        return reached && finished.get() == 0;
    }
    bool Run(const std::string& command) {
        return RunUntil(command, [] { return true; });
    }
    // Handles every event the server sent so far and every message they caused.
    void Settle() {
        do x11->Sync();
        while (PumpMessages() > 0);
    }

    X11Display* x11 = nullptr;
    std::unique_ptr<DisplayBackend> previous;
};

}  // namespace vexa::sys::testing
