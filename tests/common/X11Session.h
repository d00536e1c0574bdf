// A real X server for end-to-end tests (they skip without DISPLAY): the X11 display installed
// as the display backend for the test's lifetime, xdotool to act as the user, and the
// screen's pixels as the server shows them.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "vexa/system/display/X11Display.h"
#include "vexa/system/window/Window.h"

// Xlib last: its macros must not reach the window system's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vexa::test {

class X11Session {
  public:
    // Installs the X11 display; false (and nothing installed) when there is no X server.
    bool Open() {
        // A connection held for the whole program keeps the server from resetting between
        // the tests.
        static ::Display* const keeper = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
        if (keeper == nullptr) return false;
        auto opened = sys::X11Display::Open();
        if (opened == nullptr) return false;
        x11_ = opened.get();
        sys::DestroyAllWindowsForTesting();
        previous_ = sys::SetDisplayBackend(std::move(opened));
        return true;
    }
    ~X11Session() {
        if (x11_ == nullptr) return;
        sys::DestroyAllWindowsForTesting();
        sys::SetDisplayBackend(std::move(previous_));
    }

    sys::X11Display& Display() { return *x11_; }

    // Handles what the server sends until `done` holds; false after about 4 seconds.
    template <typename Done>
    bool PumpUntil(Done done) {
        for (int i = 0; i < 200; ++i, x11_->PumpEvents(20)) {
            x11_->Sync();
            sys::PumpMessages();
            if (done()) return true;
        }
        return false;
    }
    // Runs xdotool with `arguments`, then pumps until `done` holds.
    template <typename Done>
    bool Xdotool(const std::string& arguments, Done done) {
        if (std::system(("xdotool " + arguments).c_str()) != 0) return false;
        return PumpUntil(done);
    }
    // Waits until the top-level window is shown by the server.
    void WaitUntilMapped(sys::HWND hwnd) {
        PumpUntil([&] {
            XWindowAttributes attributes;
            XGetWindowAttributes(x11_->Connection(), x11_->NativeWindow(hwnd), &attributes);
            return attributes.map_state == IsViewable;
        });
    }
    // A screen pixel as the server shows it, 0xRRGGBB.
    unsigned long ScreenPixel(int x, int y) {
        x11_->Sync();
        ::Display* connection = x11_->Connection();
        XImage* image =
            XGetImage(connection, DefaultRootWindow(connection), x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) return ~0ul;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

  private:
    sys::X11Display* x11_ = nullptr;
    std::unique_ptr<sys::DisplayBackend> previous_;
};

}  // namespace vexa::test
