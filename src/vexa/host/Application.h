/// \file
/// Running a program's windows: choosing the display, the message loop, and what another
/// event loop (GLib, Qt, libuv...) needs to drive Vexa without polling: the file descriptor
/// to watch and how long it may sleep before a timer falls due.
#pragma once

#include <string>

#include "vexa/system/window/WindowTypes.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// The program's message loop and display, for hosts that run Vexa's loop or drive it from
/// their own.
class VEXA_API Application {
  public:
    /// Shows windows on the X display `name` (nullptr: $DISPLAY) instead of the default
    /// headless display; false, and nothing changes, when it cannot be opened. Call it before
    /// the first window is made.
    static bool UseX11Display(const char* name = nullptr);
    /// Runs the message loop until Quit is called (or nothing can arrive any more); returns
    /// the code given to Quit.
    static int Run();
    /// Posts the quit message: Run returns `exitCode` once it reaches it.
    static void Quit(int exitCode = 0);
    /// Handles every message, paint and timer that is pending, without waiting; returns how
    /// many messages were handled.
    static int Pump();
    /// Readable when the display has events for Pump; -1 on the headless display.
    static int EventFd();
    /// Milliseconds until the next timer falls due (0: due now); -1 without timers.
    static int MillisecondsToNextTimer();
};

/// A top-level window to place grids on. Closing it destroys it; with `quitOnClose` that also
/// ends Application::Run.
class VEXA_API Form {
  public:
    /// A hidden form titled `title`, `width` by `height` pixels; Show shows it.
    Form(const std::string& title, int width, int height, bool quitOnClose = true);
    /// Destroys the window unless the user already closed it.
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    /// The form's window, the parent to give a grid.
    sys::HWND hwnd() const { return hwnd_; }
    /// False once the user closed the form.
    bool IsOpen() const;
    /// The client area's rectangle, for placing a grid in it.
    sys::RECT ClientRect() const;
    /// Shows the form.
    void Show();

  private:
    sys::HWND hwnd_ = 0;
};

}  // namespace vexa

VEXA_PUBLIC_END
