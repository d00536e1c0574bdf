// A display backend on a real X server: every top-level window is an X window showing its
// back buffer, X input enters the window system's input path (the same one the headless
// display feeds), the window manager's moves, resizes and close button come back as window
// calls, and timers run on the real monotonic clock. Programs opt in with UseX11Display();
// the headless display stays the default.
#pragma once

#include <cairo.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "vexa/system/window/DisplayBackend.h"

// Xlib stays out of this header: its macros (None, Status, KeyPress, ...) clash with names
// of programs that include it.
struct _XDisplay;
struct _XGC;
union _XEvent;

namespace vexa::sys {

class X11DragDrop;
class X11Keyboard;
class X11Selections;

class X11Display : public DisplayBackend {
  public:
    // Connects to the named display (nullptr: $DISPLAY); nullptr when the server cannot be
    // reached or has no 24-bit true-colour visual to show ARGB32 back buffers on.
    static std::unique_ptr<X11Display> Open(const char* displayName = nullptr);
    ~X11Display() override;
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    // The X connection and the X window showing a top-level window (0 when unknown), for
    // tests and hosts that need to reach the server directly.
    _XDisplay* Connection() const { return display_; }
    int EventFd() const override;
    unsigned long NativeWindow(HWND hwnd) const;
    // Waits for the server to process every request sent so far and handles what it sent.
    void Sync();
    // How long another program may take to answer for its clipboard or selection.
    void SetSelectionTimeout(std::chrono::milliseconds timeout);

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
    void Activate(HWND hwnd) override;
    void Present(HWND hwnd, cairo_surface_t* backBuffer, const RECT& dirty) override;
    bool PumpEvents(int timeoutMs) override;
    std::uint64_t NowMs() const override;
    void WarpPointer(POINT screenPoint) override;
    void SetCursorShape(HCURSOR cursor) override;
    void GrabPointer(HWND topLevel, bool grab) override;
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT type) override;
    bool SharesSelections() const override { return true; }
    bool OfferSelection(SharedSelection selection, const std::optional<std::string>& utf8) override;
    std::optional<std::string> ReadSelection(SharedSelection selection) override;
    bool SelectionHasText(SharedSelection selection) override;

    // ---- Drag and drop between programs (XDND, in X11DragDrop).
    DragPlace DragPlaceAt(POINT screenPoint) override;
    void BeginOutgoingDrag(const OutgoingDrag& drag) override;
    DWORD OutgoingDragOver(POINT screenPoint, DWORD requestedEffect) override;
    void OutgoingDragLeave() override;
    DWORD OutgoingDrop() override;
    void EndOutgoingDrag() override;
    void SetIncomingDragSink(IncomingDragSink* sink) override;

  private:
    struct NativeTopLevel {
        unsigned long window = 0;
        RECT rect;  // as the window system knows it, to tell user changes from our own
        bool mapped = false;
        bool focusWhenMapped = false;  // activated before the server showed it
    };

    X11Display(_XDisplay* display, void* visual);
    NativeTopLevel* Find(HWND hwnd);
    HWND FindByNative(unsigned long window) const;
    void PutImage(unsigned long window, cairo_surface_t* surface, const RECT& area);
    bool WaitForEvent(int timeoutMs);
    void HandleEvent(_XEvent& event);
    void HandleButton(_XEvent& event, bool down);
    void HandleConfigure(HWND hwnd, _XEvent& event);
    void HandleExpose(HWND hwnd, _XEvent& event);
    void HandleClientMessage(HWND hwnd, _XEvent& event);
    void HandleDestroyedOutside(HWND hwnd);
    void HandleMapped(HWND hwnd, bool mapped);
    void GiveInputFocus(NativeTopLevel& native);
    unsigned long CursorFor(HCURSOR cursor);

    _XDisplay* display_ = nullptr;
    void* visual_ = nullptr;  // the Visual* the windows are created with
    int screen_ = 0;
    _XGC* gc_ = nullptr;
    unsigned long wmProtocols_ = 0;
    unsigned long wmDeleteWindow_ = 0;
    unsigned long netWmName_ = 0;
    unsigned long utf8String_ = 0;
    cairo_surface_t* screenSurface_ = nullptr;
    std::unordered_map<HWND, NativeTopLevel> windows_;
    std::unordered_map<unsigned long, HWND> byNative_;
    std::unordered_map<HCURSOR, unsigned long> cursors_;
    unsigned long currentCursor_ = 0;
    unsigned long focused_ = 0;  // the X window holding the keyboard focus, as last reported
    std::chrono::steady_clock::time_point start_;
    std::unique_ptr<X11DragDrop> dragDrop_;
    std::unique_ptr<X11Keyboard> keyboard_;
    std::unique_ptr<X11Selections> selections_;
};

// Installs an X11Display on the named display (nullptr: $DISPLAY) as the display backend;
// false, leaving the current backend in place, when the display cannot be opened.
bool UseX11Display(const char* displayName = nullptr);

}  // namespace vexa::sys
