// The default display: a virtual 1920x1080 screen in memory composed from the top-level back
// buffers in z-order, a clock that only moves when told to, input injection through the
// window system's real input path, PNG capture and pixel read-back, and message boxes that
// answer from a queue or show as windows. Tests and the screenshot demo run on it.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "vexa/system/window/DisplayBackend.h"

namespace vexa::sys {

struct MessageBoxCall {
    HWND owner = 0;
    std::string text;
    std::string caption;
    UINT type = 0;
    int answer = 0;
};

class HeadlessDisplay : public DisplayBackend {
  public:
    HeadlessDisplay();
    ~HeadlessDisplay() override;
    HeadlessDisplay(const HeadlessDisplay&) = delete;
    HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

    // The headless display in use, installing it when no backend is installed yet; nullptr
    // when another backend runs.
    static HeadlessDisplay* Active();
    // Active(), or throws std::logic_error when another backend runs.
    static HeadlessDisplay& Instance();

    // ---- Input injection: each call enters the input path and then pumps the loop.
    void MouseMove(int x, int y);
    void MouseDown(int button = 1);  // 1 left, 2 right, 4 middle (the grid's numbering)
    void MouseUp(int button = 1);
    void Click(int x, int y, int button = 1);
    // Two clicks at (x, y) with no time passing between them.
    void DoubleClick(int x, int y, int button = 1);
    // Press at (fromX, fromY), move there in `steps` equal moves, release: a drag as the hand
    // makes it, for header dividers, column drags and selections.
    void Drag(int fromX, int fromY, int toX, int toY, int steps = 4, int button = 1);
    void Wheel(int delta);
    void KeyDown(int virtualKey);
    void KeyUp(int virtualKey);
    void KeyPress(int virtualKey);  // down then up
    // Each character of the UTF-8 text: keys of the US layout for what has one (with Shift
    // as needed), producing WM_KEYDOWN, WM_CHAR, WM_KEYUP; other characters as WM_CHAR only.
    void TypeText(const std::string& utf8);

    // ---- Clock: Now() in ms; AdvanceClock fires the timers falling due, in due order, each
    // at its due time, pumping the loop after each.
    std::uint64_t Now() const { return now_; }
    void AdvanceClock(std::uint64_t ms);

    // ---- Screen capture (shows pending back-buffer changes first).
    COLORREF ScreenPixel(int x, int y);
    // Pixel of a top-level window's back buffer, or of a child's client area at client (x, y).
    COLORREF WindowPixel(HWND hwnd, int x, int y);
    bool SaveScreenPng(const std::string& path);
    bool SaveWindowPng(HWND hwnd, const std::string& path);

    // ---- Message boxes: answered from the queue (else by their default button) without a
    // window, or, once message box windows are shown, as real modal windows that injected
    // input answers. Every box is recorded with its answer either way.
    void QueueMessageBoxAnswer(int answer);
    void ShowMessageBoxWindows(bool show) { showMessageBoxWindows_ = show; }
    const std::vector<MessageBoxCall>& MessageBoxCalls() const { return messageBoxes_; }
    void ClearMessageBoxCalls() { messageBoxes_.clear(); }

    // ---- DisplayBackend.
    SIZE ScreenSize() const override;
    cairo_surface_t* ScreenSurface() override;
    void PresentScreen(const RECT& rect) override;
    void Create(HWND hwnd, const RECT& rect, const std::string& title, bool popup) override;
    void Destroy(HWND hwnd) override;
    void Show(HWND hwnd, bool visible) override;
    void Move(HWND hwnd, const RECT& rect) override;
    void Restack(HWND hwnd, HWND zOrderAbove) override;
    void SetTitle(HWND hwnd, const std::string& title) override;
    void Activate(HWND) override {}  // the window system's focus is all there is
    void Present(HWND hwnd, cairo_surface_t* backBuffer, const RECT& dirty) override;
    bool PumpEvents(int timeoutMs) override;
    std::uint64_t NowMs() const override { return now_; }
    void WarpPointer(POINT screenPoint) override;
    void SetCursorShape(HCURSOR cursor) override;
    void GrabPointer(HWND topLevel, bool grab) override;
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT type) override;

    HCURSOR CursorShape() const { return cursorShape_; }
    bool PointerGrabbed() const { return grabbed_ != 0; }

  private:
    struct ShownWindow {
        HWND hwnd = 0;
        RECT rect;
        bool visible = false;
    };

    ShownWindow* Find(HWND hwnd);
    void Recompose(const RECT& screenRect);
    void DrawWindow(cairo_t* cr, const ShownWindow& window, const RECT& area);
    static int VirtualKeyOfButton(int button);

    std::uint64_t now_ = 0;
    cairo_surface_t* screen_ = nullptr;
    std::vector<ShownWindow> windows_;  // bottom to top
    std::deque<int> answers_;
    std::vector<MessageBoxCall> messageBoxes_;
    HCURSOR cursorShape_ = 0;
    HWND grabbed_ = 0;
    bool showMessageBoxWindows_ = false;
};

}  // namespace vexa::sys
