// The demo host program. With an X display it shows the form in a real window and runs the
// message loop until the form is closed; with `--png DIR`, or when there is no display, it
// renders the form on the headless display and writes DIR/demo.png.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "DemoForm.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/display/X11Display.h"
#include "vexa/system/window/Window.h"

namespace {

using namespace vexa::sys;

constexpr int kFormWidth = 640;
constexpr int kFormHeight = 480;

struct Options {
    std::string pngDirectory;  // empty: show the form on the X display
    bool valid = true;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
            options.pngDirectory = argv[++i];
        } else {
            std::cerr << "usage: vexa_demo [--png DIR]\n";
            options.valid = false;
        }
    }
    return options;
}

int RunMessageLoop() {
    MSG msg;
    int result;
    while ((result = GetMessage(&msg)) > 0) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return result == 0 ? int(msg.wParam) : 0;
}

int WriteScreenshot(HWND form, const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    const std::string path = (std::filesystem::path(directory) / "demo.png").string();
    PumpMessages();
    if (!HeadlessDisplay::Instance().SaveWindowPng(form, path)) {
        std::cerr << "vexa_demo: cannot write " << path << "\n";
        return 1;
    }
    std::cout << "wrote " << path << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options = ParseOptions(argc, argv);
    if (!options.valid) return 2;
    const char* display = std::getenv("DISPLAY");
    const bool headless = !options.pngDirectory.empty() || display == nullptr || *display == 0;
    if (headless && options.pngDirectory.empty()) options.pngDirectory = ".";
    if (!headless && !UseX11Display()) {
        std::cerr << "vexa_demo: cannot open the X display " << display << "\n";
        return 1;
    }

    vexa::demo::DemoForm form;
    HWND hwnd = form.Create(kFormWidth, kFormHeight);
    if (hwnd == 0) {
        std::cerr << "vexa_demo: cannot create the form window\n";
        return 1;
    }
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return headless ? WriteScreenshot(hwnd, options.pngDirectory) : RunMessageLoop();
}
