// The control as a subclassing client: it sees the theme changes of its own window and the
// settings changes of its parent window, which reach no other procedure of the control.
#pragma once

#include "vexa/platform/ISubclass.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class Vexa;

class GridSubclass final : public ISubclass {
  public:
    explicit GridSubclass(Vexa& grid) : grid_(grid) {}
    ~GridSubclass() override { Detach(); }
    GridSubclass(const GridSubclass&) = delete;
    GridSubclass& operator=(const GridSubclass&) = delete;

    // Subscribes to WM_THEMECHANGED of `window` and WM_SETTINGCHANGE of `parent`.
    void Attach(sys::HWND window, sys::HWND parent);
    void Detach();

    EMsgResponse MsgResponse() override;
    sys::LRESULT WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                            sys::LPARAM lParam) override;

  private:
    Vexa& grid_;
    sys::HWND window_ = 0;
    sys::HWND parent_ = 0;
};

}  // namespace vexa
