// The demo host program. With an X display it shows the form in a real window and runs the
// message loop until the form is closed; with `--png DIR`, or when there is no display, it
// plays a short session on the headless display and writes a PNG of each step to DIR.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "DemoForm.h"
#include "DemoTour.h"
#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/display/X11Display.h"
#include "vexa/system/window/Window.h"

namespace {

using namespace vexa::sys;

constexpr int kFormWidth = 820;
constexpr int kFormHeight = 560;

struct Options {
    std::string pngDirectory;  // empty: show the form on the X display
    std::string settingsPath;  // where the form saves and loads the grid's settings
    std::string statusLog;     // where each status line is appended too; empty: nowhere
    bool valid = true;
};

// $XDG_CONFIG_HOME/vexa-demo.properties, or ~/.config/..., or the current folder's.
std::string DefaultSettingsPath() {
    std::filesystem::path folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != 0) {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0) {
        folder = std::filesystem::path(home) / ".config";
    }
    std::error_code error;
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    return (folder / "vexa-demo.properties").string();
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
            options.pngDirectory = argv[++i];
        } else if (std::strcmp(argv[i], "--status-log") == 0 && i + 1 < argc) {
            options.statusLog = argv[++i];
        } else if (std::strcmp(argv[i], "--settings") == 0 && i + 1 < argc) {
            options.settingsPath = argv[++i];
        } else {
            std::cerr << "usage: vexa_demo [--png DIR] [--settings FILE] [--status-log FILE]\n";
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

}  // namespace

int main(int argc, char** argv) {
    Options options = ParseOptions(argc, argv);
    if (!options.valid) return 2;
    const char* display = std::getenv("DISPLAY");
    const bool headless = !options.pngDirectory.empty() || display == nullptr || *display == 0;
    if (headless && options.pngDirectory.empty()) options.pngDirectory = ".";
    if (options.settingsPath.empty()) {
        options.settingsPath =
            headless
                ? (std::filesystem::path(options.pngDirectory) / "vexa-demo.properties").string()
                : DefaultSettingsPath();
    }
    if (!headless && !UseX11Display()) {
        std::cerr << "vexa_demo: cannot open the X display " << display << "\n";
        return 1;
    }

    vexa::demo::DemoForm form(options.settingsPath);
    form.LogStatusTo(options.statusLog);
    HWND hwnd = form.Create(kFormWidth, kFormHeight);
    if (hwnd == 0) {
        std::cerr << "vexa_demo: cannot create the form window\n";
        return 1;
    }
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return headless ? vexa::demo::RunTour(form, options.pngDirectory) : RunMessageLoop();
}
