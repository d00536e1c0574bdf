// The demo's form: a top-level window with a caption whose content is built in one place
// (BuildContent), so that controls can be added there later.
#pragma once

#include "vexa/system/window/WindowTypes.h"

namespace vexa::demo {

using sys::HWND;
using sys::LPARAM;
using sys::LRESULT;
using sys::UINT;
using sys::WPARAM;

class DemoForm {
  public:
    // Registers the form's class and creates the (hidden) window; 0 on failure.
    HWND Create(int width, int height);
    HWND Handle() const { return hwnd_; }

  private:
    static LRESULT FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Creates the form's child content; the place where hosted controls are created.
    static void BuildContent(HWND form);
    static void PaintContent(HWND form);

    HWND hwnd_ = 0;
};

}  // namespace vexa::demo
