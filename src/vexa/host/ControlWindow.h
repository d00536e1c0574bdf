// The control's window: a child of the host's window (or of a top-level window of its own
// for a grid made without one) whose procedure unpacks the messages and hands them to the
// control.
#pragma once

#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class Vexa;

class ControlWindow {
  public:
    // The window class of the control's window.
    static constexpr const char* kClassName = "Vexa250_75B4A91C.Grid";

    // parent 0: the control makes a shown top-level window for itself.
    ControlWindow(sys::HWND parent, const sys::RECT& rect);
    ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    sys::HWND Handle() const { return hwnd_; }
    // The top-level window made for a grid without a host window (0 otherwise).
    sys::HWND OwnFrame() const { return frame_; }
    // Messages reach the control from now on (it is whole).
    void Attach(Vexa& grid);
    // Messages stop reaching the control (it is going away).
    void Detach();

  private:
    static sys::LRESULT Procedure(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                  sys::LPARAM lParam);
    static sys::LRESULT Dispatch(Vexa& grid, sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                 sys::LPARAM lParam);

    sys::HWND frame_ = 0;
    sys::HWND hwnd_ = 0;
};

}  // namespace vexa
