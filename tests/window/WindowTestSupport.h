// Shared helpers of the window tests: a window class whose procedure records every message
// it gets (optionally answering some itself), and a fixture that leaves no window behind.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::testing {

struct Received {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Everything the recording procedure saw, in order, and per-message handlers tests install.
struct MessageLog {
    std::vector<Received> messages;
    std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> handlers;

    // The `msg` messages, of one window or (0) of all.
    std::vector<Received> Of(UINT msg, HWND hwnd = 0) const {
        std::vector<Received> result;
        for (const Received& r : messages) {
            if (r.msg == msg && (hwnd == 0 || r.hwnd == hwnd)) result.push_back(r);
        }
        return result;
    }
    // The messages among `interesting`, in arrival order.
    std::vector<UINT> Sequence(const std::vector<UINT>& interesting) const {
        std::vector<UINT> result;
        for (const Received& r : messages) {
            for (UINT m : interesting) {
                if (r.msg == m) result.push_back(m);
            }
        }
        return result;
    }
    // The windows that got `msg`, in order.
    std::vector<HWND> Windows(UINT msg) const {
        std::vector<HWND> result;
        for (const Received& r : Of(msg)) result.push_back(r.hwnd);
        return result;
    }
    // The wParam of each `msg` the window got, in order.
    std::vector<WPARAM> WParams(UINT msg, HWND hwnd) const {
        std::vector<WPARAM> result;
        for (const Received& r : Of(msg, hwnd)) result.push_back(r.wParam);
        return result;
    }
    // The client (or screen) point, or the size, carried by each `msg` the window got.
    std::vector<POINT> Points(UINT msg, HWND hwnd) const {
        std::vector<POINT> result;
        for (const Received& r : Of(msg, hwnd))
            result.push_back(POINT{GET_X_LPARAM(r.lParam), GET_Y_LPARAM(r.lParam)});
        return result;
    }
    // The characters the window got as WM_CHAR, in order.
    std::u32string Chars(HWND hwnd) const {
        std::u32string typed;
        for (const Received& r : Of(WM_CHAR, hwnd)) typed += char32_t(r.wParam);
        return typed;
    }
    // Every message as window, number and wParam.
    std::vector<std::tuple<HWND, UINT, WPARAM>> Calls() const {
        std::vector<std::tuple<HWND, UINT, WPARAM>> result;
        for (const Received& r : messages) result.emplace_back(r.hwnd, r.msg, r.wParam);
        return result;
    }
    void Clear() { messages.clear(); }
};

inline MessageLog& Log() {
    static MessageLog log;
    return log;
}

inline LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Log().messages.push_back(Received{hwnd, msg, wParam, lParam});
    auto handler = Log().handlers.find(msg);
    if (handler != Log().handlers.end()) return handler->second(hwnd, wParam, lParam);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

constexpr const char* kRecordingClass = "VexaTestRecording";
constexpr const char* kDoubleClickClass = "VexaTestRecordingDblClk";

inline void RegisterTestClasses() {
    WNDCLASS cls;
    cls.lpfnWndProc = &RecordingProc;
    cls.lpszClassName = kRecordingClass;
    RegisterClass(cls);  // a second registration fails harmlessly
    cls.style = CS_DBLCLKS;
    cls.lpszClassName = kDoubleClickClass;
    RegisterClass(cls);
}

// The bounds, in client coordinates, of the window's pixels in `color` (right < left when
// there are none); a message box frames its focused button in the highlight colour.
inline RECT BoundsOfColour(HWND hwnd, COLORREF color) {
    const WindowSurface s = GetWindowSurface(hwnd);
    cairo_surface_flush(s.surface);
    const unsigned char* data = cairo_image_surface_get_data(s.surface);
    const int stride = cairo_image_surface_get_stride(s.surface);
    const std::uint32_t wanted = 0xFF000000u | (std::uint32_t(GetRValue(color)) << 16) |
                                 (std::uint32_t(GetGValue(color)) << 8) | GetBValue(color);
    RECT found{1 << 20, 1 << 20, -1, -1};
    for (int y = s.clip.top; y < s.clip.bottom; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = s.clip.left; x < s.clip.right; ++x) {
            if (row[x] != wanted) continue;
            const int left = x - s.origin.x, top = y - s.origin.y;
            found = RECT{std::min(found.left, left), std::min(found.top, top),
                         std::max(found.right, left + 1), std::max(found.bottom, top + 1)};
        }
    }
    return found;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterTestClasses();
        DestroyAllWindowsForTesting();
        Log().Clear();
        Log().handlers.clear();
        display().ClearMessageBoxCalls();
    }
    void TearDown() override {
        Log().handlers.clear();
        DestroyAllWindowsForTesting();
        Log().Clear();
    }

    static HeadlessDisplay& display() { return HeadlessDisplay::Instance(); }

    static HWND TopLevel(int x, int y, int w, int h, UINT style = WS_POPUP | WS_VISIBLE,
                         UINT exStyle = 0, const char* cls = kRecordingClass) {
        HWND hwnd = CreateWindowEx(exStyle, cls, "top", style, x, y, w, h);
        PumpMessages();
        return hwnd;
    }
    static HWND Child(HWND parent, int x, int y, int w, int h, UINT style = WS_CHILD | WS_VISIBLE,
                      UINT exStyle = 0, const char* cls = kRecordingClass, std::uintptr_t id = 0) {
        HWND hwnd = CreateWindowEx(exStyle, cls, "child", style, x, y, w, h, parent, id);
        PumpMessages();
        return hwnd;
    }
};

}  // namespace vexa::sys::testing
