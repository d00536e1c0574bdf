// The header's window class: its state's lifetime, the one window procedure and the handlers
// of the messages that are neither item, mouse nor painting work.
#include "vexa/system/controls/HeaderControl.h"

#include "vexa/system/controls/HeaderState.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

using namespace header_detail;

namespace header_detail {

namespace {
constexpr const char* kStateProperty = "VexaHeaderState";
}  // namespace

HeaderState* StateOf(HWND hwnd) {
    return reinterpret_cast<HeaderState*>(GetProp(hwnd, kStateProperty));
}

UINT StyleOf(const HeaderState& state) {
    return UINT(GetWindowLongPtr(state.hwnd, GWL_STYLE));
}

int ClientHeight(const HeaderState& state) {
    RECT client;
    GetClientRect(state.hwnd, &client);
    return client.bottom;
}

void InvalidateItem(const HeaderState& state, int index) {
    if (!IsItem(state, index)) return;
    const RECT rect = ItemRect(state, index);
    InvalidateRect(state.hwnd, &rect, false);
}

void InvalidateAll(const HeaderState& state) {
    InvalidateRect(state.hwnd, nullptr, false);
}

}  // namespace header_detail

namespace {

void OpenTheme(HeaderState& state) {
    if (state.theme != 0) CloseThemeData(state.theme);
    state.theme = OpenThemeData(state.hwnd, "Header");
}

LRESULT OnCreate(HWND hwnd) {
    auto* state = new HeaderState;
    state->hwnd = hwnd;
    SetProp(hwnd, kStateProperty, reinterpret_cast<std::intptr_t>(state));
    OpenTheme(*state);
    return 0;
}

void OnNcDestroy(HWND hwnd) {
    HeaderState* state = StateOf(hwnd);
    if (state == nullptr) return;
    KillTimer(hwnd, kEscapeWatchTimer);
    if (state->theme != 0) CloseThemeData(state->theme);
    if (state->dragImage != 0) ImageList_Destroy(state->dragImage);
    RemoveProp(hwnd, kStateProperty);
    delete state;
}

void OnPaint(HeaderState& state) {
    PAINTSTRUCT ps;
    const HDC hdc = BeginPaint(state.hwnd, &ps);
    if (hdc != 0 && hdc != state.hwnd) PaintHeader(state, hdc, ps.rcPaint);
    EndPaint(state.hwnd, &ps);
}

void OnSetFont(HeaderState& state, WPARAM font, LPARAM redraw) {
    state.font = HFONT(font);
    if (redraw != 0) InvalidateAll(state);
}

LRESULT OnLayout(const HeaderState& state, HDLAYOUT* layout) {
    if (layout == nullptr || layout->prc == nullptr || layout->pwpos == nullptr) return 0;
    const bool hidden = (StyleOf(state) & HDS_HIDDEN) != 0;
    const int height = hidden ? 0 : WantedHeight(state);
    RECT& room = *layout->prc;
    *layout->pwpos =
        WINDOWPOS{state.hwnd, 0, room.left, room.top, room.right - room.left, height, SWP_NOZORDER};
    room.top += height;
    return 1;
}

LRESULT OnSetImageList(HeaderState& state, WPARAM which, LPARAM list) {
    HIMAGELIST& slot = which == HDSIL_STATE ? state.stateImages : state.images;
    const HIMAGELIST previous = slot;
    slot = HIMAGELIST(list);
    InvalidateAll(state);
    return LRESULT(previous);
}

LRESULT OnSetHotDivider(HeaderState& state, WPARAM byPoint, LPARAM value) {
    const int divider = byPoint != 0 ? DividerNear(state, GET_X_LPARAM(value)) : int(value);
    const bool valid = divider >= 0 && divider <= ItemCount(state);
    state.hotDivider = valid ? divider : -1;
    InvalidateAll(state);
    return state.hotDivider;
}

LRESULT OnGetItemRect(const HeaderState& state, WPARAM index, LPARAM rect) {
    if (!IsItem(state, int(index)) || rect == 0) return 0;
    *reinterpret_cast<RECT*>(rect) = ItemRect(state, int(index));
    return 1;
}

LRESULT OnHitTest(const HeaderState& state, LPARAM info) {
    auto* hit = reinterpret_cast<HDHITTESTINFO*>(info);
    if (hit == nullptr) return -1;
    const HDHITTESTINFO answer = HitTest(state, hit->pt);
    hit->flags = answer.flags;
    hit->iItem = answer.iItem;
    return answer.iItem;
}

LRESULT OnDeleteItem(HWND hwnd, int index) {
    HeaderState* state = StateOf(hwnd);
    if (state == nullptr || !IsItem(*state, index)) return 0;
    // A press, track or drag of the item cannot outlive it.
    if (state->mode != HeaderMode::Idle && state->activeItem == index) CancelMode(hwnd);
    state = StateOf(hwnd);
    return state != nullptr && DeleteItem(*state, index) ? 1 : 0;
}

// Messages answered from the state alone, without notifying anyone.
bool HandleQuery(HeaderState& state, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
        case HDM_GETITEMCOUNT:
            *result = ItemCount(state);
            return true;
        case HDM_INSERTITEM:
            *result = lParam == 0 ? -1
                                  : InsertItem(state, int(wParam),
                                               *reinterpret_cast<const HDITEM*>(lParam));
            return true;
        case HDM_GETITEM:
            *result = GetItem(state, int(wParam), reinterpret_cast<HDITEM*>(lParam)) ? 1 : 0;
            return true;
        case HDM_LAYOUT:
            *result = OnLayout(state, reinterpret_cast<HDLAYOUT*>(lParam));
            return true;
        case HDM_HITTEST:
            *result = OnHitTest(state, lParam);
            return true;
        case HDM_GETITEMRECT:
            *result = OnGetItemRect(state, wParam, lParam);
            return true;
        case HDM_SETIMAGELIST:
            *result = OnSetImageList(state, wParam, lParam);
            return true;
        case HDM_GETIMAGELIST:
            *result = LRESULT(wParam == HDSIL_STATE ? state.stateImages : state.images);
            return true;
        case HDM_ORDERTOINDEX:
            *result = IndexAtOrder(state, int(wParam));
            return true;
        case HDM_CREATEDRAGIMAGE:
            *result = LRESULT(CreateDragImage(state, int(wParam)));
            return true;
        case HDM_GETORDERARRAY:
            *result = GetOrderArray(state, int(wParam), reinterpret_cast<int*>(lParam)) ? 1 : 0;
            return true;
        case HDM_SETORDERARRAY:
            *result =
                SetOrderArray(state, int(wParam), reinterpret_cast<const int*>(lParam)) ? 1 : 0;
            return true;
        case HDM_SETHOTDIVIDER:
            *result = OnSetHotDivider(state, wParam, lParam);
            return true;
        case WM_SETFONT:
            OnSetFont(state, wParam, lParam);
            *result = 0;
            return true;
        case WM_GETFONT:
            *result = LRESULT(state.font);
            return true;
        default:
            return false;
    }
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT HeaderWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(hwnd);
    HeaderState* state = StateOf(hwnd);
    if (state == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    if (HandleQuery(*state, msg, wParam, lParam, &result)) return result;
    switch (msg) {
        case WM_NCDESTROY:
            OnNcDestroy(hwnd);
            return 0;
        case WM_PAINT:
            OnPaint(*state);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers every pixel
        case WM_SIZE:
        case WM_STYLECHANGED:
        case WM_ENABLE:
            InvalidateAll(*state);
            return 0;
        case WM_THEMECHANGED:
            OpenTheme(*state);
            InvalidateAll(*state);
            return 0;
        case HDM_DELETEITEM:
            return OnDeleteItem(hwnd, int(wParam));
        case HDM_SETITEM:
            return lParam != 0 &&
                           SetItem(hwnd, int(wParam), *reinterpret_cast<const HDITEM*>(lParam))
                       ? 1
                       : 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(hwnd, PointOf(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(hwnd, PointOf(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(hwnd, PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(hwnd, PointOf(lParam));
            return 0;
        case WM_RBUTTONUP:
            OnRButtonUp(hwnd, wParam, lParam);
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave(hwnd);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(hwnd, HWND(lParam));
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(hwnd, wParam);
            return 0;
        case WM_TIMER:
            if (wParam == kEscapeWatchTimer) OnEscapeWatch(hwnd);
            return 0;
        case WM_SETCURSOR:
            if (HWND(wParam) == hwnd && LOWORD(std::uintptr_t(lParam)) == HTCLIENT &&
                OnSetCursor(hwnd))
                return 1;
            return DefWindowProc(hwnd, msg, wParam, lParam);
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

bool RegisterHeaderControl() {
    WNDCLASS existing;
    if (GetClassInfo(WC_HEADER, &existing)) return true;
    WNDCLASS cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = &HeaderWindowProc;
    cls.hCursor = LoadCursor(0, IDC_ARROW);
    cls.lpszClassName = WC_HEADER;
    return RegisterClass(cls) != 0;
}

}  // namespace vexa::sys
