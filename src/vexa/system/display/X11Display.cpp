#include "vexa/system/display/X11Display.h"

// The window system's headers come first: Xlib's macros (None, Status, ...) must not reach
// them.
#include "vexa/system/display/X11DragDrop.h"
#include "vexa/system/display/X11DragSource.h"
#include "vexa/system/display/X11DropReceiver.h"
#include "vexa/system/display/X11Keyboard.h"
#include "vexa/system/display/X11Selections.h"
#include "vexa/system/window/Input.h"
#include "vexa/system/window/MessageBoxDialog.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>

namespace vexa::sys {

namespace {

// Whether the window system's queue still holds a key message the loop has not taken.
bool KeyMessageQueued() {
    for (const auto* queue : {&WindowSystem::Get().queue, &WindowSystem::Get().inputQueue}) {
        for (const MSG& queued : *queue) {
            if (queued.message >= WM_KEYDOWN && queued.message <= WM_SYSKEYUP) return true;
        }
    }
    return false;
}

constexpr long kEventMask =
    ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;
constexpr int kWheelStep = 120;  // WHEEL_DELTA

// ARGB32 back buffers go to the server unconverted, which needs this pixel layout.
Visual* FindArgbCompatibleVisual(::Display* display, int screen) {
    XVisualInfo wanted{};
    wanted.screen = screen;
    wanted.depth = 24;
    wanted.c_class = TrueColor;
    wanted.red_mask = 0xFF0000;
    wanted.green_mask = 0x00FF00;
    wanted.blue_mask = 0x0000FF;
    int count = 0;
    const long mask = VisualScreenMask | VisualDepthMask | VisualClassMask | VisualRedMaskMask |
                      VisualGreenMaskMask | VisualBlueMaskMask;
    XVisualInfo* found = XGetVisualInfo(display, mask, &wanted, &count);
    Visual* visual = count > 0 ? found[0].visual : nullptr;
    if (found != nullptr) XFree(found);
    return visual;
}

int VirtualKeyOfButton(unsigned int button) {
    switch (button) {
        case Button1:
            return VK_LBUTTON;
        case Button2:
            return VK_MBUTTON;
        case Button3:
            return VK_RBUTTON;
        default:
            return 0;
    }
}

unsigned int FontCursorShape(HCURSOR cursor) {
    switch (cursor) {
        case IDC_IBEAM:
            return XC_xterm;
        case IDC_WAIT:
            return XC_watch;
        case IDC_CROSS:
            return XC_crosshair;
        case IDC_UPARROW:
            return XC_sb_up_arrow;
        case IDC_SIZENWSE:
        case IDC_SIZENESW:
            return XC_sizing;
        case IDC_SIZEWE:
        case IDC_SPLITWE:  // the cursor font has no split shape
            return XC_sb_h_double_arrow;
        case IDC_SIZENS:
            return XC_sb_v_double_arrow;
        case IDC_SIZEALL:
            return XC_fleur;
        case IDC_NO:
            return XC_X_cursor;
        case IDC_HAND:
            return XC_hand2;
        case IDC_DRAGMOVE:
            return XC_fleur;
        case IDC_DRAGCOPY:
            return XC_plus;
        case IDC_DRAGLINK:
            return XC_exchange;
        default:
            return XC_left_ptr;
    }
}

// Xlib's own handler ends the process on any protocol error. A window another client
// destroyed fails every request until its DestroyNotify is read, and that is expected; other
// errors are reported and the program goes on.
int ReportXError(::Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d)\n", text, int(error->request_code));
    return 0;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

// ---- Connection ---------------------------------------------------------------------------

std::unique_ptr<X11Display> X11Display::Open(const char* displayName) {
    ::Display* display = XOpenDisplay(displayName);
    if (display == nullptr) return nullptr;
    XSetErrorHandler(&ReportXError);
    Visual* visual = FindArgbCompatibleVisual(display, DefaultScreen(display));
    if (visual == nullptr) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<X11Display>(new X11Display(display, visual));
}

X11Display::X11Display(_XDisplay* display, void* visual)
    : display_(display), visual_(visual), start_(std::chrono::steady_clock::now()) {
    screen_ = DefaultScreen(display_);
    gc_ = XCreateGC(display_, RootWindow(display_, screen_), 0, nullptr);
    wmProtocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    wmDeleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
    utf8String_ = XInternAtom(display_, "UTF8_STRING", False);
    const SIZE size = ScreenSize();
    screenSurface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.cx, size.cy);
    dragDrop_ = std::make_unique<X11DragDrop>(
        *this, [this](unsigned long window) { return FindByNative(window) != 0; });
    keyboard_ = std::make_unique<X11Keyboard>(display_);
    selections_ = std::make_unique<X11Selections>(display_);
}

X11Display::~X11Display() {
    dragDrop_.reset();
    keyboard_.reset();  // its input contexts go before their windows
    selections_.reset();
    for (auto& [hwnd, native] : windows_) XDestroyWindow(display_, native.window);
    for (auto& [cursor, shape] : cursors_) XFreeCursor(display_, shape);
    cairo_surface_destroy(screenSurface_);
    XFreeGC(display_, gc_);
    XCloseDisplay(display_);
}

unsigned long X11Display::NativeWindow(HWND hwnd) const {
    const auto it = windows_.find(hwnd);
    return it == windows_.end() ? 0 : it->second.window;
}

void X11Display::Sync() {
    XSync(display_, False);
    PumpEvents(0);
}

X11Display::NativeTopLevel* X11Display::Find(HWND hwnd) {
    const auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

HWND X11Display::FindByNative(unsigned long window) const {
    const auto it = byNative_.find(window);
    return it == byNative_.end() ? 0 : it->second;
}

// ---- Screen -------------------------------------------------------------------------------

SIZE X11Display::ScreenSize() const {
    return SIZE{DisplayWidth(display_, screen_), DisplayHeight(display_, screen_)};
}

cairo_surface_t* X11Display::ScreenSurface() {
    // Drawing straight on the X screen would need a composited overlay; the off-screen
    // surface keeps screen drawing harmless.
    return screenSurface_;
}

void X11Display::PresentScreen(const RECT&) {}

// ---- Top-level windows ----------------------------------------------------------------------

void X11Display::Create(HWND hwnd, const RECT& rect, const std::string& title, bool popup) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel = WhitePixel(display_, screen_);
    attributes.event_mask = kEventMask | X11Keyboard::EventMask();
    // Popups (drop-downs, tips) are placed by the program, never decorated by the manager.
    attributes.override_redirect = popup ? True : False;
    const unsigned long valueMask = CWBackPixel | CWEventMask | CWOverrideRedirect;
    const ::Window window =
        XCreateWindow(display_, RootWindow(display_, screen_), rect.left, rect.top,
                      unsigned(std::max(1, Width(rect))), unsigned(std::max(1, Height(rect))), 0,
                      24, InputOutput, static_cast<Visual*>(visual_), valueMask, &attributes);
    Atom protocols[] = {wmDeleteWindow_};
    XSetWMProtocols(display_, window, protocols, 1);
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = rect.left;
    hints.y = rect.top;
    hints.width = Width(rect);
    hints.height = Height(rect);
    XSetWMNormalHints(display_, window, &hints);
    if (currentCursor_ != 0) XDefineCursor(display_, window, currentCursor_);
    windows_[hwnd] = NativeTopLevel{window, rect};
    byNative_[window] = hwnd;
    dragDrop_->AnnounceAware(window);
    keyboard_->WindowCreated(window);
    SetTitle(hwnd, title);
}

void X11Display::Destroy(HWND hwnd) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr) return;
    keyboard_->WindowDestroyed(native->window);
    XDestroyWindow(display_, native->window);
    byNative_.erase(native->window);
    windows_.erase(hwnd);
    XFlush(display_);
}

void X11Display::Show(HWND hwnd, bool visible) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr) return;
    if (visible) {
        XMapRaised(display_, native->window);
    } else {
        XUnmapWindow(display_, native->window);
    }
    XFlush(display_);
}

void X11Display::Activate(HWND hwnd) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr || native->window == focused_) return;
    if (native->mapped) {
        GiveInputFocus(*native);
    } else {
        // The server refuses focus for a window it does not show yet: wait for the map.
        native->focusWhenMapped = true;
    }
}

void X11Display::HandleMapped(HWND hwnd, bool mapped) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr) return;
    native->mapped = mapped;
    if (!mapped || !native->focusWhenMapped) return;
    native->focusWhenMapped = false;
    if (GetActiveWindow() == hwnd && native->window != focused_) GiveInputFocus(*native);
}

void X11Display::GiveInputFocus(NativeTopLevel& native) {
    XSetInputFocus(display_, native.window, RevertToParent, CurrentTime);
    XFlush(display_);
}

void X11Display::Move(HWND hwnd, const RECT& rect) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr || SameRect(native->rect, rect)) return;
    native->rect = rect;
    XMoveResizeWindow(display_, native->window, rect.left, rect.top,
                      unsigned(std::max(1, Width(rect))), unsigned(std::max(1, Height(rect))));
    XFlush(display_);
}

void X11Display::Restack(HWND hwnd, HWND zOrderAbove) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr) return;
    NativeTopLevel* above = Find(zOrderAbove);
    if (above == nullptr) {
        XRaiseWindow(display_, native->window);
    } else {
        ::Window order[] = {above->window, native->window};  // top to bottom
        XRestackWindows(display_, order, 2);
    }
    XFlush(display_);
}

void X11Display::SetTitle(HWND hwnd, const std::string& title) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr) return;
    XStoreName(display_, native->window, title.c_str());
    XChangeProperty(display_, native->window, netWmName_, utf8String_, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
    XFlush(display_);
}

// ---- Showing back buffers -----------------------------------------------------------------

void X11Display::Present(HWND hwnd, cairo_surface_t* backBuffer, const RECT& dirty) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr || backBuffer == nullptr) return;
    PutImage(native->window, backBuffer, dirty);
    XFlush(display_);
}

void X11Display::PutImage(unsigned long window, cairo_surface_t* surface, const RECT& area) {
    if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32) {
        return;
    }
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int left = std::clamp(int(area.left), 0, width);
    const int top = std::clamp(int(area.top), 0, height);
    const int right = std::clamp(int(area.right), left, width);
    const int bottom = std::clamp(int(area.bottom), top, height);
    if (right == left || bottom == top) return;
    // The image borrows the surface's pixels: the visual was chosen so that they need no
    // conversion.
    XImage* image = XCreateImage(display_, static_cast<Visual*>(visual_), 24, ZPixmap, 0,
                                 reinterpret_cast<char*>(cairo_image_surface_get_data(surface)),
                                 unsigned(width), unsigned(height), 32,
                                 cairo_image_surface_get_stride(surface));
    if (image == nullptr) return;
    XPutImage(display_, window, gc_, image, left, top, left, top, unsigned(right - left),
              unsigned(bottom - top));
    image->data = nullptr;  // not ours to free
    XDestroyImage(image);
}

// ---- Events -------------------------------------------------------------------------------

bool X11Display::PumpEvents(int timeoutMs) {
    if (XPending(display_) == 0 && timeoutMs != 0) WaitForEvent(timeoutMs);
    while (XPending(display_) > 0) {
        XEvent event;
        XPeekEvent(display_, &event);
        // TranslateMessage reads the key state when the loop takes a key message, so the
        // next key event waits in the X queue until the key messages before it were taken:
        // a Shift release read in the same batch cannot turn Shift+B into "b". Nothing is
        // dispatched from inside the pump, so nested loops keep receiving input.
        if ((event.type == KeyPress || event.type == KeyRelease) && KeyMessageQueued()) break;
        XNextEvent(display_, &event);
        if (keyboard_->Filter(event)) continue;
        HandleEvent(event);
    }
    return true;  // the server can always send more
}

bool X11Display::WaitForEvent(int timeoutMs) {
    XFlush(display_);
    pollfd descriptor{ConnectionNumber(display_), POLLIN, 0};
    return poll(&descriptor, 1, timeoutMs) > 0;
}

void X11Display::HandleEvent(XEvent& event) {
    if (keyboard_->HandleEvent(event) || selections_->HandleEvent(event)) return;
    if (dragDrop_->HandleEvent(event)) return;
    const HWND hwnd = FindByNative(event.xany.window);
    if (hwnd == 0) return;
    switch (event.type) {
        case MotionNotify:
            InjectMouseMove(POINT{event.xmotion.x_root, event.xmotion.y_root});
            break;
        case ButtonPress:
        case ButtonRelease:
            HandleButton(event, event.type == ButtonPress);
            break;
        case ConfigureNotify:
            HandleConfigure(hwnd, event);
            break;
        case Expose:
            HandleExpose(hwnd, event);
            break;
        case ClientMessage:
            HandleClientMessage(hwnd, event);
            break;
        case DestroyNotify:
            HandleDestroyedOutside(hwnd);
            break;
        case FocusIn:
            focused_ = event.xfocus.window;
            keyboard_->FocusChanged(focused_, true);
            if (GetActiveWindow() != hwnd) SetActiveWindow(hwnd);
            break;
        case FocusOut:
            keyboard_->FocusChanged(event.xfocus.window, false);
            if (focused_ == event.xfocus.window) focused_ = 0;
            break;
        case MapNotify:
        case UnmapNotify:
            HandleMapped(hwnd, event.type == MapNotify);
            break;
        default:
            break;
    }
}

void X11Display::HandleButton(XEvent& event, bool down) {
    const XButtonEvent& button = event.xbutton;
    InjectMouseMove(POINT{button.x_root, button.y_root});
    // Wheel notches arrive as presses of buttons 4-7 followed by releases that mean nothing.
    if (button.button >= 4 && button.button <= 7) {
        if (!down) return;
        const bool horizontal = button.button >= 6;
        const bool positive = button.button == 4 || button.button == 7;
        InjectMouseWheel(positive ? kWheelStep : -kWheelStep, horizontal);
        return;
    }
    const int virtualKey = VirtualKeyOfButton(button.button);
    if (virtualKey != 0) InjectMouseButton(virtualKey, down);
}

void X11Display::HandleConfigure(HWND hwnd, XEvent& event) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr) return;
    const XConfigureEvent& configure = event.xconfigure;
    // A reparenting manager reports the position in its frame; the screen position counts.
    int x = configure.x;
    int y = configure.y;
    ::Window child = 0;
    if (!configure.send_event) {
        XTranslateCoordinates(display_, native->window, RootWindow(display_, screen_), 0, 0, &x, &y,
                              &child);
    }
    const RECT rect{x, y, x + configure.width, y + configure.height};
    if (SameRect(rect, native->rect)) return;
    native->rect = rect;
    SetWindowPos(hwnd, 0, x, y, configure.width, configure.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void X11Display::HandleExpose(HWND hwnd, XEvent& event) {
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr) return;
    const XExposeEvent& expose = event.xexpose;
    const WindowSurface surface = GetWindowSurface(hwnd, true);
    if (surface.surface == nullptr) return;
    const RECT area{expose.x, expose.y, expose.x + expose.width, expose.y + expose.height};
    PutImage(native->window, surface.surface, area);
    XFlush(display_);
}

void X11Display::HandleDestroyedOutside(HWND hwnd) {
    // Another client destroyed the X window (ours are forgotten before they go): the window
    // cannot be shown any more, so it is destroyed as the program would, with WM_DESTROY.
    NativeTopLevel* native = Find(hwnd);
    if (native == nullptr) return;
    keyboard_->WindowDestroyed(native->window);
    byNative_.erase(native->window);
    windows_.erase(hwnd);
    DestroyWindow(hwnd);
}

void X11Display::HandleClientMessage(HWND hwnd, XEvent& event) {
    const XClientMessageEvent& message = event.xclient;
    if (message.message_type == wmProtocols_ && Atom(message.data.l[0]) == wmDeleteWindow_) {
        PostMessage(hwnd, WM_CLOSE);
    }
}

// ---- Time, pointer, message boxes ---------------------------------------------------------

std::uint64_t X11Display::NowMs() const {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return std::uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void X11Display::WarpPointer(POINT screenPoint) {
    XWarpPointer(display_, 0, RootWindow(display_, screen_), 0, 0, 0, 0, screenPoint.x,
                 screenPoint.y);
    XFlush(display_);
}

unsigned long X11Display::CursorFor(HCURSOR cursor) {
    const auto it = cursors_.find(cursor);
    if (it != cursors_.end()) return it->second;
    const ::Cursor shape = XCreateFontCursor(display_, FontCursorShape(cursor));
    cursors_[cursor] = shape;
    return shape;
}

void X11Display::SetCursorShape(HCURSOR cursor) {
    currentCursor_ = CursorFor(cursor);
    for (auto& [hwnd, native] : windows_) XDefineCursor(display_, native.window, currentCursor_);
    XFlush(display_);
}

void X11Display::GrabPointer(HWND topLevel, bool grab) {
    if (!grab) {
        XUngrabPointer(display_, CurrentTime);
        XFlush(display_);
        return;
    }
    NativeTopLevel* native = Find(topLevel);
    if (native == nullptr) return;
    XGrabPointer(display_, native->window, False,
                 ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                 GrabModeAsync, None, None, CurrentTime);
    XFlush(display_);
}

int X11Display::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                               UINT type) {
    return RunMessageBoxDialog(owner, text, caption, type);
}

// ---- Drag and drop between programs -------------------------------------------------------

DisplayBackend::DragPlace X11Display::DragPlaceAt(POINT screenPoint) {
    return dragDrop_->Source().PlaceAt(screenPoint);
}

void X11Display::BeginOutgoingDrag(const OutgoingDrag& drag) {
    dragDrop_->Source().Begin(drag);
}

DWORD X11Display::OutgoingDragOver(POINT screenPoint, DWORD requestedEffect) {
    return dragDrop_->Source().Over(screenPoint, requestedEffect);
}

void X11Display::OutgoingDragLeave() {
    dragDrop_->Source().Leave();
}

DWORD X11Display::OutgoingDrop() {
    return dragDrop_->Source().Drop();
}

void X11Display::EndOutgoingDrag() {
    dragDrop_->Source().End();
}

void X11Display::SetIncomingDragSink(IncomingDragSink* sink) {
    dragDrop_->Receiver().SetSink(sink);
}

// ---- Clipboard and selections -----------------------------------------------------------

void X11Display::SetSelectionTimeout(std::chrono::milliseconds timeout) {
    selections_->SetTimeout(timeout);
}

bool X11Display::OfferSelection(SharedSelection selection, const std::optional<std::string>& utf8) {
    return selections_->Offer(selection, utf8);
}

std::optional<std::string> X11Display::ReadSelection(SharedSelection selection) {
    return selections_->Read(selection);
}

bool X11Display::SelectionHasText(SharedSelection selection) {
    return selections_->HasText(selection);
}

int X11Display::EventFd() const {
    return ConnectionNumber(display_);
}

// ---- Installation -------------------------------------------------------------------------

bool UseX11Display(const char* displayName) {
    std::unique_ptr<X11Display> display = X11Display::Open(displayName);
    if (display == nullptr) return false;
    SetDisplayBackend(std::move(display));
    return true;
}

}  // namespace vexa::sys
