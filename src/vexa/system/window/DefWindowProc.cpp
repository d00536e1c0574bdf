// The default window procedure: the non-client area (size, hit test, frame drawing), text,
// painting and erasing, cursor and activation requests passed up to the parent, and the
// WM_MOVE/WM_SIZE notifications that follow a position change.
#include <algorithm>
#include <cstring>

#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

using namespace window_detail;

namespace {

WindowSystem& Ws() {
    return WindowSystem::Get();
}

void SetSourceColor(cairo_t* cr, COLORREF color) {
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
}

void FillRect(cairo_t* cr, const RECT& r, COLORREF color) {
    if (RectIsEmpty(r)) return;
    SetSourceColor(cr, color);
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(cr);
}

// A frame of one-pixel lines inside r: top/left in one colour, bottom/right in another.
void DrawEdgeLines(cairo_t* cr, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    FillRect(cr, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
    FillRect(cr, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    FillRect(cr, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillRect(cr, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

RECT Inset(const RECT& r, int d) {
    return RECT{r.left + d, r.top + d, r.right - d, r.bottom - d};
}

// Scroll-bar rectangles in window coordinates (left/top of the window = 0).
RECT VerticalBarRect(const WindowRecord& w) {
    const int cx = Ws().metrics[SM_CXVSCROLL];
    const RECT c = w.clientArea;
    if ((w.exStyle & WS_EX_LEFTSCROLLBAR) != 0) return RECT{c.left - cx, c.top, c.left, c.bottom};
    return RECT{c.right, c.top, c.right + cx, c.bottom};
}

RECT HorizontalBarRect(const WindowRecord& w) {
    const RECT c = w.clientArea;
    return RECT{c.left, c.bottom, c.right, c.bottom + Ws().metrics[SM_CYHSCROLL]};
}

void PaintFrame(WindowRecord& w) {
    WindowSurface surface = GetWindowSurface(w.hwnd, true);
    if (surface.surface == nullptr || RectIsEmpty(surface.clip)) return;
    cairo_t* cr = cairo_create(surface.surface);
    cairo_rectangle(cr, surface.clip.left, surface.clip.top, surface.clip.Width(),
                    surface.clip.Height());
    cairo_clip(cr);
    cairo_translate(cr, surface.origin.x, surface.origin.y);
    const auto& colors = Ws().colors;
    RECT frame{0, 0, w.Width(), w.Height()};
    const bool decorated = !w.IsChild() && (w.style & WS_CAPTION) == WS_CAPTION;
    if ((w.style & WS_BORDER) != 0 && !decorated) {
        DrawEdgeLines(cr, frame, colors[COLOR_WINDOWFRAME], colors[COLOR_WINDOWFRAME]);
        frame = Inset(frame, 1);
    }
    if ((w.exStyle & WS_EX_CLIENTEDGE) != 0) {
        DrawEdgeLines(cr, frame, colors[COLOR_BTNSHADOW], colors[COLOR_BTNHIGHLIGHT]);
        DrawEdgeLines(cr, Inset(frame, 1), colors[COLOR_3DDKSHADOW], colors[COLOR_3DLIGHT]);
        frame = Inset(frame, 2);
    }
    if ((w.exStyle & WS_EX_STATICEDGE) != 0) {
        DrawEdgeLines(cr, frame, colors[COLOR_BTNSHADOW], colors[COLOR_BTNHIGHLIGHT]);
    }
    if ((w.style & WS_VSCROLL) != 0) FillRect(cr, VerticalBarRect(w), colors[COLOR_SCROLLBAR]);
    if ((w.style & WS_HSCROLL) != 0) FillRect(cr, HorizontalBarRect(w), colors[COLOR_SCROLLBAR]);
    if ((w.style & (WS_VSCROLL | WS_HSCROLL)) == (WS_VSCROLL | WS_HSCROLL)) {
        const RECT v = VerticalBarRect(w);
        FillRect(cr, RECT{v.left, w.clientArea.bottom, v.right, HorizontalBarRect(w).bottom},
                 colors[COLOR_BTNFACE]);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface.surface);
    if (WindowRecord* top = BufferOwner(w)) MarkDirty(*top, surface.clip);
}

LRESULT HitTest(const WindowRecord& w, POINT screen) {
    const POINT origin = WindowScreenOrigin(w);
    const POINT p{screen.x - origin.x, screen.y - origin.y};
    if (!Contains(RECT{0, 0, w.Width(), w.Height()}, p)) return HTNOWHERE;
    if (Contains(w.clientArea, p)) return HTCLIENT;
    if ((w.style & WS_VSCROLL) != 0 && Contains(VerticalBarRect(w), p)) return HTVSCROLL;
    if ((w.style & WS_HSCROLL) != 0 && Contains(HorizontalBarRect(w), p)) return HTHSCROLL;
    return HTBORDER;
}

bool EraseBackground(HWND hwnd, WPARAM hdc) {
    WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return false;
    const HBRUSH brush = w->windowClass.hbrBackground;
    if (brush < 1 || brush > HBRUSH(COLOR_COUNT)) return false;
    if (hdc != 0 && hdc != WPARAM(hwnd) && Ws().dcBackgroundFiller != nullptr) {
        Ws().dcBackgroundFiller(hdc, hwnd, Ws().colors[brush - 1]);
        return true;
    }
    WindowSurface surface = GetWindowSurface(hwnd, false);
    if (surface.surface == nullptr) return false;
    RECT area = RectIsEmpty(w->update) ? RECT{0, 0, w->clientArea.Width(), w->clientArea.Height()}
                                       : w->update;
    area = Intersection(Offset(area, surface.origin.x, surface.origin.y), surface.clip);
    if (RectIsEmpty(area)) return true;
    cairo_t* cr = cairo_create(surface.surface);
    FillRect(cr, area, Ws().colors[brush - 1]);
    cairo_destroy(cr);
    cairo_surface_flush(surface.surface);
    if (WindowRecord* top = BufferOwner(*w)) MarkDirty(*top, area);
    return true;
}

LRESULT CopyText(const WindowRecord& w, WPARAM capacity, LPARAM buffer) {
    if (capacity == 0 || buffer == 0) return 0;
    const std::size_t count = std::min<std::size_t>(w.text.size(), capacity - 1);
    char* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, w.text.data(), count);
    out[count] = '\0';
    return LRESULT(count);
}

void NotifyPositionChange(HWND hwnd, const WINDOWPOS& pos) {
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return;
    const RECT client = w->clientArea;
    if ((pos.flags & SWP_NOMOVE) == 0) {
        SendMessage(hwnd, WM_MOVE, 0,
                    MAKELPARAM(w->rect.left + client.left, w->rect.top + client.top));
    }
    if ((pos.flags & SWP_NOSIZE) == 0 && IsWindow(hwnd)) {
        SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    }
}

LRESULT SetCursorRequest(const WindowRecord& w, WPARAM wParam, LPARAM lParam) {
    if (w.IsChild() && SendMessage(w.parent, WM_SETCURSOR, wParam, lParam) != 0) return 1;
    const LRESULT hit = std::int16_t(LOWORD(std::uintptr_t(lParam)));
    if (hit == HTCLIENT) {
        if (w.windowClass.hCursor != 0) {
            SetCursor(w.windowClass.hCursor);
            return 1;
        }
        return 0;
    }
    SetCursor(IDC_ARROW);
    return 0;
}

LRESULT MouseActivateRequest(const WindowRecord& w, WPARAM wParam, LPARAM lParam) {
    if (w.IsChild()) {
        const LRESULT parentAnswer = SendMessage(w.parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (parentAnswer != 0) return parentAnswer;
    }
    return MA_ACTIVATE;
}

// The context-menu request that right-button releases, the Apps key and Shift+F10 make;
// lParam -1 tells the keyboard asked for it.
void RequestContextMenu(HWND hwnd, LPARAM screenPoint) {
    SendMessage(hwnd, WM_CONTEXTMENU, WPARAM(hwnd), screenPoint);
}

LPARAM ScreenPointOf(HWND hwnd, LPARAM clientPoint) {
    POINT p{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    ClientToScreen(hwnd, &p);
    return MAKELPARAM(p.x, p.y);
}

bool KeyIsDown(int vk) {
    return GetKeyState(vk) < 0;
}

LRESULT SystemKeyDown(HWND hwnd, WPARAM vk) {
    if (vk == WPARAM(VK_F4) && KeyIsDown(VK_MENU)) {
        SendMessage(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (vk == WPARAM(VK_F10) && KeyIsDown(VK_SHIFT)) {
        RequestContextMenu(hwnd, -1);
    }
    return 0;
}

}  // namespace

void SetDefWindowProcHook(DefWindowProcHook hook) {
    Ws().defWindowProcHook = hook;
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowSystem& ws = Ws();
    WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) return 0;
    if (ws.defWindowProcHook != nullptr && msg != WM_NCPAINT) {
        LRESULT hooked = 0;
        if (ws.defWindowProcHook(hwnd, msg, wParam, lParam, &hooked)) return hooked;
        w = ws.Find(hwnd);
        if (w == nullptr) return 0;
    }
    switch (msg) {
        case WM_NCCREATE:
            return 1;
        case WM_NCCALCSIZE: {
            auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
            if (params == nullptr) return 0;
            const RECT window = params->rgrc[0];
            params->rgrc[0] = Offset(DefaultClientArea(*w, window), window.left, window.top);
            return 0;
        }
        case WM_NCHITTEST:
            return HitTest(*w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_NCPAINT: {
            // The frame first, then the hook draws the scroll bars over their place.
            PaintFrame(*w);
            LRESULT ignored = 0;
            if (ws.defWindowProcHook != nullptr && IsWindow(hwnd)) {
                ws.defWindowProcHook(hwnd, msg, wParam, lParam, &ignored);
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return EraseBackground(hwnd, wParam) ? 1 : 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_SETTEXT:
            w->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            if (w->IsTopLevel()) ws.Display().SetTitle(hwnd, w->text);
            return 1;
        case WM_GETTEXT:
            return CopyText(*w, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return LRESULT(w->text.size());
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SETCURSOR:
            return SetCursorRequest(*w, wParam, lParam);
        case WM_MOUSEACTIVATE:
            return MouseActivateRequest(*w, wParam, lParam);
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
        case WM_CONTEXTMENU:
            // Unhandled wheel and context-menu requests travel up to the parent.
            return w->IsChild() ? SendMessage(w->parent, msg, wParam, lParam) : 0;
        case WM_WINDOWPOSCHANGED:
            if (lParam != 0) NotifyPositionChange(hwnd, *reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !ws.focusChangeInProgress && ws.focus != hwnd &&
                !IsChild(hwnd, ws.focus)) {
                SetFocus(hwnd);
            }
            return 0;
        case WM_RBUTTONUP:
            RequestContextMenu(hwnd, ScreenPointOf(hwnd, lParam));
            return 0;
        case WM_NCRBUTTONUP:
            RequestContextMenu(hwnd, lParam);
            return 0;
        case WM_KEYUP:
            if (wParam == WPARAM(VK_APPS)) RequestContextMenu(hwnd, -1);
            return 0;
        case WM_SYSKEYDOWN:
            return SystemKeyDown(hwnd, wParam);
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case WM_SETREDRAW:
            w->redrawOff = wParam == 0;
            return 0;
        case WM_CANCELMODE:
            if (ws.capture == hwnd) ReleaseCapture();
            return 0;
        case WM_GETFONT:
            return 0;
        default:
            return 0;
    }
}

}  // namespace vexa::sys
