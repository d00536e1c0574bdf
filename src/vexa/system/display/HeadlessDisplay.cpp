#include "vexa/system/display/HeadlessDisplay.h"

#include <algorithm>
#include <stdexcept>

#include "vexa/system/automation/Utf8Text.h"
#include "vexa/system/window/Input.h"
#include "vexa/system/window/KeyboardLayout.h"
#include "vexa/system/window/MessageBoxDialog.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr COLORREF kInvalidColor = 0xFFFFFFFF;

RECT Clip(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return RECT{};
    return r;
}

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

COLORREF PixelAt(cairo_surface_t* surface, int x, int y) {
    if (surface == nullptr) return kInvalidColor;
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    if (x < 0 || y < 0 || x >= width || y >= height) return kInvalidColor;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const auto pixel = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
    return RGB(std::uint8_t((pixel >> 16) & 0xFF), std::uint8_t((pixel >> 8) & 0xFF),
               std::uint8_t(pixel & 0xFF));
}

}  // namespace

HeadlessDisplay::HeadlessDisplay()
    : screen_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kScreenWidth, kScreenHeight)) {
    Recompose(RECT{0, 0, kScreenWidth, kScreenHeight});
}

HeadlessDisplay::~HeadlessDisplay() {
    cairo_surface_destroy(screen_);
}

std::unique_ptr<DisplayBackend> MakeDefaultDisplay() {
    return std::make_unique<HeadlessDisplay>();
}

HeadlessDisplay* HeadlessDisplay::Active() {
    return dynamic_cast<HeadlessDisplay*>(&CurrentDisplay());
}

HeadlessDisplay& HeadlessDisplay::Instance() {
    HeadlessDisplay* display = Active();
    if (display == nullptr) throw std::logic_error("the headless display is not in use");
    return *display;
}

// ---- Input ---------------------------------------------------------------------------------

int HeadlessDisplay::VirtualKeyOfButton(int button) {
    switch (button) {
        case 2:
            return VK_RBUTTON;
        case 4:
            return VK_MBUTTON;
        default:
            return VK_LBUTTON;
    }
}

void HeadlessDisplay::MouseMove(int x, int y) {
    InjectMouseMove(POINT{x, y});
    PumpMessages();
}

void HeadlessDisplay::MouseDown(int button) {
    InjectMouseButton(VirtualKeyOfButton(button), true);
    PumpMessages();
}

void HeadlessDisplay::MouseUp(int button) {
    InjectMouseButton(VirtualKeyOfButton(button), false);
    PumpMessages();
}

void HeadlessDisplay::Click(int x, int y, int button) {
    MouseMove(x, y);
    MouseDown(button);
    MouseUp(button);
}

void HeadlessDisplay::DoubleClick(int x, int y, int button) {
    Click(x, y, button);
    Click(x, y, button);
}

void HeadlessDisplay::Drag(int fromX, int fromY, int toX, int toY, int steps, int button) {
    MouseMove(fromX, fromY);
    MouseDown(button);
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps; ++i) {
        MouseMove(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    }
    MouseUp(button);
}

void HeadlessDisplay::Wheel(int delta) {
    InjectMouseWheel(delta);
    PumpMessages();
}

void HeadlessDisplay::KeyDown(int virtualKey) {
    InjectKey(virtualKey, true);
    PumpMessages();
}

void HeadlessDisplay::KeyUp(int virtualKey) {
    InjectKey(virtualKey, false);
    PumpMessages();
}

void HeadlessDisplay::KeyPress(int virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void HeadlessDisplay::TypeText(const std::string& utf8) {
    for (char32_t c : DecodeUtf8(utf8)) {
        const auto stroke = KeyboardLayout::KeyFor(c);
        if (!stroke) {
            InjectCharacter(c);
            PumpMessages();
            continue;
        }
        const bool capsLock = (GetKeyState(VK_CAPITAL) & 0x01) != 0;
        const bool isLetter = stroke->virtualKey >= 'A' && stroke->virtualKey <= 'Z';
        const bool needShift = isLetter ? (stroke->shift != capsLock) : stroke->shift;
        const bool shiftHeld = GetKeyState(VK_SHIFT) < 0;
        const bool pressShift = needShift && !shiftHeld;
        const bool releaseShift = !needShift && shiftHeld;
        if (pressShift) KeyDown(VK_SHIFT);
        if (releaseShift) KeyUp(VK_SHIFT);
        KeyPress(stroke->virtualKey);
        if (pressShift) KeyUp(VK_SHIFT);
        if (releaseShift) KeyDown(VK_SHIFT);
    }
}

// ---- Clock ---------------------------------------------------------------------------------

void HeadlessDisplay::AdvanceClock(std::uint64_t ms) {
    const std::uint64_t target = now_ + ms;
    TimerQueue& timers = WindowSystem::Get().timers;
    for (;;) {
        const auto due = timers.NextDue();
        if (!due || *due > target) break;
        now_ = std::max(now_, *due);
        PumpMessages();
        const auto after = timers.NextDue();
        if (after && *after <= now_) break;  // a tick that cannot be taken; do not spin
    }
    now_ = target;
    PumpMessages();
}

// ---- Capture -------------------------------------------------------------------------------

COLORREF HeadlessDisplay::ScreenPixel(int x, int y) {
    FlushSurfaces();
    return PixelAt(screen_, x, y);
}

COLORREF HeadlessDisplay::WindowPixel(HWND hwnd, int x, int y) {
    FlushSurfaces();
    const WindowSurface surface = GetWindowSurface(hwnd, false);
    RECT client;
    if (!GetClientRect(hwnd, &client) || x < 0 || y < 0 || x >= client.right ||
        y >= client.bottom) {
        return kInvalidColor;
    }
    return PixelAt(surface.surface, surface.origin.x + x, surface.origin.y + y);
}

bool HeadlessDisplay::SaveScreenPng(const std::string& path) {
    FlushSurfaces();
    cairo_surface_flush(screen_);
    return cairo_surface_write_to_png(screen_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool HeadlessDisplay::SaveWindowPng(HWND hwnd, const std::string& path) {
    FlushSurfaces();
    const WindowSurface surface = GetWindowSurface(hwnd, true);
    RECT rect;
    if (surface.surface == nullptr || !GetWindowRect(hwnd, &rect)) return false;
    cairo_surface_t* copy =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rect.Width(), rect.Height());
    cairo_t* cr = cairo_create(copy);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface.surface, -surface.origin.x, -surface.origin.y);
    cairo_paint(cr);
    cairo_destroy(cr);
    const bool saved = cairo_surface_write_to_png(copy, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(copy);
    return saved;
}

// ---- Message boxes ---------------------------------------------------------------------------

void HeadlessDisplay::QueueMessageBoxAnswer(int answer) {
    answers_.push_back(answer);
}

int HeadlessDisplay::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                                    UINT type) {
    int answer = MessageBoxDefaultButton(type);
    if (showMessageBoxWindows_) {
        answer = RunMessageBoxDialog(owner, text, caption, type);
    } else if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    messageBoxes_.push_back(MessageBoxCall{owner, text, caption, type, answer});
    return answer;
}

// ---- Backend -------------------------------------------------------------------------------

SIZE HeadlessDisplay::ScreenSize() const {
    return SIZE{kScreenWidth, kScreenHeight};
}

cairo_surface_t* HeadlessDisplay::ScreenSurface() {
    return screen_;
}

void HeadlessDisplay::PresentScreen(const RECT&) {
    // The screen surface is what the headless display shows; nothing to copy.
}

HeadlessDisplay::ShownWindow* HeadlessDisplay::Find(HWND hwnd) {
    auto found = std::find_if(windows_.begin(), windows_.end(),
                              [hwnd](const ShownWindow& w) { return w.hwnd == hwnd; });
    return found == windows_.end() ? nullptr : &*found;
}

void HeadlessDisplay::Create(HWND hwnd, const RECT& rect, const std::string&, bool) {
    windows_.push_back(ShownWindow{hwnd, rect, false});
}

void HeadlessDisplay::Destroy(HWND hwnd) {
    ShownWindow* window = Find(hwnd);
    if (window == nullptr) return;
    const RECT area = window->rect;
    const bool visible = window->visible;
    windows_.erase(windows_.begin() + (window - windows_.data()));
    if (visible) Recompose(area);
}

void HeadlessDisplay::Show(HWND hwnd, bool visible) {
    ShownWindow* window = Find(hwnd);
    if (window == nullptr || window->visible == visible) return;
    window->visible = visible;
    Recompose(window->rect);
}

void HeadlessDisplay::Move(HWND hwnd, const RECT& rect) {
    ShownWindow* window = Find(hwnd);
    if (window == nullptr) return;
    const RECT old = window->rect;
    window->rect = rect;
    if (!window->visible) return;
    Recompose(old);
    Recompose(rect);
}

void HeadlessDisplay::Restack(HWND hwnd, HWND zOrderAbove) {
    ShownWindow* window = Find(hwnd);
    if (window == nullptr) return;
    const std::size_t index = std::size_t(window - windows_.data());
    const bool alreadyThere =
        zOrderAbove == 0 ? index + 1 == windows_.size()
                         : index + 1 < windows_.size() && windows_[index + 1].hwnd == zOrderAbove;
    if (alreadyThere) return;  // activation restacks often without changing anything
    const ShownWindow moved = *window;
    windows_.erase(windows_.begin() + std::ptrdiff_t(index));
    auto above =
        std::find_if(windows_.begin(), windows_.end(),
                     [zOrderAbove](const ShownWindow& w) { return w.hwnd == zOrderAbove; });
    windows_.insert(zOrderAbove == 0 ? windows_.end() : above, moved);
    if (moved.visible) Recompose(moved.rect);
}

void HeadlessDisplay::SetTitle(HWND, const std::string&) {}

void HeadlessDisplay::Present(HWND hwnd, cairo_surface_t*, const RECT& dirty) {
    const ShownWindow* window = Find(hwnd);
    if (window == nullptr || !window->visible) return;
    const RECT onScreen{dirty.left + window->rect.left, dirty.top + window->rect.top,
                        dirty.right + window->rect.left, dirty.bottom + window->rect.top};
    Recompose(onScreen);
}

bool HeadlessDisplay::PumpEvents(int timeoutMs) {
    // Nothing arrives on its own here; waiting for a timer lets the virtual time pass.
    if (timeoutMs < 0) return false;
    now_ += std::uint64_t(timeoutMs);
    return true;
}

void HeadlessDisplay::WarpPointer(POINT) {}

void HeadlessDisplay::SetCursorShape(HCURSOR cursor) {
    cursorShape_ = cursor;
}

void HeadlessDisplay::GrabPointer(HWND topLevel, bool grab) {
    grabbed_ = grab ? topLevel : 0;
}

void HeadlessDisplay::DrawWindow(cairo_t* cr, const ShownWindow& window, const RECT& area) {
    // The back buffer is fetched each time: resizing replaces it.
    const WindowSurface surface = GetWindowSurface(window.hwnd, true);
    if (surface.surface == nullptr) return;
    const RECT part = Clip(area, window.rect);
    if (IsEmpty(part)) return;
    cairo_save(cr);
    cairo_set_source_surface(cr, surface.surface, window.rect.left, window.rect.top);
    cairo_rectangle(cr, part.left, part.top, part.Width(), part.Height());
    cairo_fill(cr);
    cairo_restore(cr);
}

void HeadlessDisplay::Recompose(const RECT& screenRect) {
    const RECT area = Clip(screenRect, RECT{0, 0, kScreenWidth, kScreenHeight});
    if (IsEmpty(area)) return;
    cairo_t* cr = cairo_create(screen_);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    cairo_set_source_rgb(cr, GetRValue(desktop) / 255.0, GetGValue(desktop) / 255.0,
                         GetBValue(desktop) / 255.0);
    cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
    cairo_fill(cr);
    for (const ShownWindow& window : windows_) {
        if (window.visible) DrawWindow(cr, window, area);
    }
    cairo_destroy(cr);
    cairo_surface_flush(screen_);
}

}  // namespace vexa::sys
