#include "vexa/system/window/Caret.h"

#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

using namespace window_detail;

namespace {

struct CaretState {
    HWND owner = 0;
    RECT rect;  // client coordinates
    int hideLevel = 0;
    bool drawn = false;
    std::uintptr_t timer = 0;
    UINT blinkTime = 530;
};

CaretState& Caret() {
    static CaretState state;
    return state;
}

// Inverting twice restores the pixels, so drawing and erasing are the same operation.
void Invert() {
    CaretState& caret = Caret();
    const WindowSurface surface = GetWindowSurface(caret.owner);
    if (surface.surface == nullptr) return;
    const RECT area =
        Intersection(Offset(caret.rect, surface.origin.x, surface.origin.y), surface.clip);
    if (RectIsEmpty(area)) return;
    cairo_t* cr = cairo_create(surface.surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface.surface);
    MarkSurfaceDirty(GetAncestor(caret.owner, GA_ROOT), area);
}

void Draw(bool on) {
    CaretState& caret = Caret();
    if (caret.drawn == on || caret.owner == 0) return;
    Invert();
    caret.drawn = on;
}

void Blink(HWND, UINT, std::uintptr_t, DWORD) {
    CaretState& caret = Caret();
    if (caret.hideLevel == 0) Draw(!caret.drawn);
}

void StopBlinking() {
    CaretState& caret = Caret();
    if (caret.timer != 0) KillTimer(0, caret.timer);
    caret.timer = 0;
}

// Each show or move starts a fresh blink period with the caret on, as typing expects.
void RestartBlinking() {
    CaretState& caret = Caret();
    StopBlinking();
    if (caret.hideLevel != 0 || caret.owner == 0) return;
    Draw(true);
    caret.timer = SetTimer(0, 0, caret.blinkTime, &Blink);
}

bool Owns(HWND hwnd) {
    return Caret().owner != 0 && (hwnd == 0 || hwnd == Caret().owner);
}

}  // namespace

namespace window_detail {

void CaretBeforePaint(HWND hwnd) {
    if (Caret().owner == hwnd) Draw(false);
}

void CaretAfterPaint(HWND hwnd) {
    CaretState& caret = Caret();
    if (caret.owner == hwnd && caret.hideLevel == 0 && caret.timer != 0) Draw(true);
}

void CaretWindowGone(HWND hwnd) {
    if (Caret().owner == hwnd) {
        StopBlinking();
        Caret() = CaretState{0, RECT{}, 0, false, 0, Caret().blinkTime};
    }
}

}  // namespace window_detail

bool CreateCaret(HWND hwnd, std::uintptr_t bitmap, int width, int height) {
    (void)bitmap;
    if (!IsWindow(hwnd) || hwnd == GetDesktopWindow()) return false;
    DestroyCaret();
    CaretState& caret = Caret();
    caret.owner = hwnd;
    caret.rect = RECT{0, 0, width > 0 ? width : GetSystemMetrics(SM_CXBORDER),
                      height > 0 ? height : GetSystemMetrics(SM_CYBORDER)};
    caret.hideLevel = 1;
    caret.drawn = false;
    return true;
}

bool DestroyCaret() {
    CaretState& caret = Caret();
    if (caret.owner == 0) return false;
    StopBlinking();
    Draw(false);
    caret.owner = 0;
    return true;
}

bool HideCaret(HWND hwnd) {
    CaretState& caret = Caret();
    if (!Owns(hwnd)) return false;
    ++caret.hideLevel;
    StopBlinking();
    Draw(false);
    return true;
}

bool ShowCaret(HWND hwnd) {
    CaretState& caret = Caret();
    if (!Owns(hwnd) || caret.hideLevel == 0) return false;
    --caret.hideLevel;
    RestartBlinking();
    return true;
}

bool SetCaretPos(int x, int y) {
    CaretState& caret = Caret();
    if (caret.owner == 0) return false;
    const bool wasDrawn = caret.drawn;
    Draw(false);
    caret.rect = Offset(caret.rect, x - caret.rect.left, y - caret.rect.top);
    if (wasDrawn || caret.hideLevel == 0) RestartBlinking();
    return true;
}

bool GetCaretPos(POINT* point) {
    if (point == nullptr || Caret().owner == 0) return false;
    *point = POINT{Caret().rect.left, Caret().rect.top};
    return true;
}

UINT GetCaretBlinkTime() {
    return Caret().blinkTime;
}

bool SetCaretBlinkTime(UINT milliseconds) {
    if (milliseconds == 0) return false;
    Caret().blinkTime = milliseconds;
    if (Caret().timer != 0) RestartBlinking();
    return true;
}

bool IsCaretDrawn() {
    return Caret().drawn;
}

}  // namespace vexa::sys
