#include "vexa/host/Application.h"

#include "vexa/system/display/X11Display.h"
#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr const char* kFormClass = "Vexa250_75B4A91C.Form";
// Set on forms whose closing ends Run.
constexpr const char* kQuitOnCloseProperty = "Vexa.QuitOnClose";

sys::LRESULT FormProcedure(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam, sys::LPARAM lParam) {
    if (msg == sys::WM_DESTROY && sys::GetProp(hwnd, kQuitOnCloseProperty) != 0) {
        sys::PostQuitMessage(0);
    }
    return sys::DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterFormClass() {
    sys::WNDCLASS probe;
    if (sys::GetClassInfo(kFormClass, &probe)) return;
    sys::WNDCLASS form;
    form.lpfnWndProc = FormProcedure;
    form.hCursor = sys::LoadCursor(0, sys::IDC_ARROW);
    form.hbrBackground = sys::COLOR_BTNFACE + 1;
    form.lpszClassName = kFormClass;
    sys::RegisterClass(form);
}

}  // namespace

bool Application::UseX11Display(const char* name) {
    return sys::UseX11Display(name);
}

int Application::Run() {
    sys::MSG msg;
    int result = 0;
    while ((result = sys::GetMessage(&msg)) > 0) {
        sys::TranslateMessage(&msg);
        sys::DispatchMessage(&msg);
    }
    return result == 0 ? int(msg.wParam) : 0;
}

void Application::Quit(int exitCode) {
    sys::PostQuitMessage(exitCode);
}

int Application::Pump() {
    sys::CurrentDisplay().PumpEvents(0);
    return sys::PumpMessages();
}

int Application::EventFd() {
    return sys::CurrentDisplay().EventFd();
}

int Application::MillisecondsToNextTimer() {
    return sys::MillisecondsToNextTimer();
}

Form::Form(const std::string& title, int width, int height, bool quitOnClose) {
    RegisterFormClass();
    hwnd_ =
        sys::CreateWindowEx(0, kFormClass, title, sys::WS_OVERLAPPEDWINDOW | sys::WS_CLIPCHILDREN,
                            40, 40, width, height);
    if (quitOnClose) sys::SetProp(hwnd_, kQuitOnCloseProperty, 1);
}

Form::~Form() {
    if (sys::IsWindow(hwnd_)) {
        // Going away with its owner object is not the user closing it.
        sys::RemoveProp(hwnd_, kQuitOnCloseProperty);
        sys::DestroyWindow(hwnd_);
    }
}

bool Form::IsOpen() const {
    return sys::IsWindow(hwnd_);
}

sys::RECT Form::ClientRect() const {
    sys::RECT rect;
    sys::GetClientRect(hwnd_, &rect);
    return rect;
}

void Form::Show() {
    sys::ShowWindow(hwnd_, sys::SW_SHOW);
    sys::UpdateWindow(hwnd_);
}

}  // namespace vexa
