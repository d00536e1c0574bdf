#include "vexa/host/GridSubclass.h"

#include "vexa/host/Vexa.h"
#include "vexa/platform/GSubclass.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

void GridSubclass::Attach(sys::HWND window, sys::HWND parent) {
    window_ = window;
    parent_ = parent;
    AttachMessage(this, window_, sys::WM_THEMECHANGED);
    if (parent_ != 0) AttachMessage(this, parent_, sys::WM_SETTINGCHANGE);
}

void GridSubclass::Detach() {
    // A window already gone took its subscriptions with it.
    auto detach = [this](sys::HWND hwnd, sys::UINT msg) {
        if (hwnd == 0 || !sys::IsWindow(hwnd)) return;
        try {
            DetachMessage(this, hwnd, msg);
        } catch (...) {
        }
    };
    detach(window_, sys::WM_THEMECHANGED);
    detach(parent_, sys::WM_SETTINGCHANGE);
    window_ = parent_ = 0;
}

EMsgResponse GridSubclass::MsgResponse() {
    // The parent's own procedure still hears of the settings change, after the grid.
    return CurrentMessage() == sys::WM_SETTINGCHANGE ? emrPostProcess : emrConsume;
}

sys::LRESULT GridSubclass::WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                      sys::LPARAM lParam) {
    if (msg == sys::WM_SETTINGCHANGE) {
        grid_.OnSettingChange(wParam);
        return 0;
    }
    grid_.OnThemeChanged();
    return CallOldWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace vexa
