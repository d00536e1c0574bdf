#include "vexa/system/controls/ComboList.h"

#include <algorithm>

#include "vexa/system/controls/ListScrollBar.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

constexpr std::uintptr_t kRepeatTimer = 1;
constexpr UINT kRepeatDelayMs = 350;
constexpr UINT kRepeatIntervalMs = 50;
constexpr std::uintptr_t kAutoScrollTimer = 2;
constexpr UINT kAutoScrollIntervalMs = 50;
constexpr int kWheelLines = 3;
constexpr COLORREF kFlatBorder = RGB(118, 118, 118);

// What the left button went down on.
enum class Press { None, Items, Bar, Combo };

struct ComboListState {
    HWND hwnd = 0;                                  // the list window
    ComboListOwner* owner = nullptr;                // the combo box behind it
    int topIndex = 0;                               // first item shown
    Press press = Press::None;                      // where the held left button went down
    ListScrollPart barPart = ListScrollPart::None;  // the scroll-bar part held down
    int thumbGrab = 0;           // pointer's distance from the thumb's top while dragging it
    bool autoScrolling = false;  // a drag past the top or bottom edge scrolls on a timer
    HTHEME theme = 0;            // the themed look, 0 when visual styles are off for the list
    bool repainting = false;     // painting again after the parent moved the list mid-paint
};

ComboListState* StateOf(HWND hwnd) {
    return reinterpret_cast<ComboListState*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

int ClientHeight(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    return client.bottom;
}

int ItemCount(const ComboListState& s) {
    return s.owner->ItemCount();
}

// ---- Layout ------------------------------------------------------------------------------------

// The rectangle of an item in client coordinates; empty when it is not shown.
RECT ItemRect(ComboListState& s, int index) {
    if (index < s.topIndex || index >= ItemCount(s)) return RECT{};
    RECT client;
    GetClientRect(s.hwnd, &client);
    int top = 0;
    for (int i = s.topIndex; i < index && top < client.bottom; ++i) top += s.owner->ItemHeight(i);
    if (top >= client.bottom) return RECT{};
    return RECT{0, top, client.right, top + s.owner->ItemHeight(index)};
}

int ItemAt(ComboListState& s, POINT point) {
    RECT client;
    GetClientRect(s.hwnd, &client);
    if (!PtInRect(&client, point)) return -1;
    int top = 0;
    for (int i = s.topIndex; i < ItemCount(s) && top < client.bottom; ++i) {
        const int bottom = top + s.owner->ItemHeight(i);
        if (point.y < bottom) return i;
        top = bottom;
    }
    return -1;
}

int PageSize(ComboListState& s) {
    const int height = ClientHeight(s.hwnd);
    int used = 0, page = 0;
    for (int i = s.topIndex; i < ItemCount(s); ++i) {
        used += s.owner->ItemHeight(i);
        if (used > height) break;
        ++page;
    }
    return std::max(page, 1);
}

// The top index that shows `last` as the lowest item whole (or alone when taller).
int TopShowingAtBottom(ComboListState& s, int last) {
    const int height = ClientHeight(s.hwnd);
    int top = last, used = s.owner->ItemHeight(last);
    while (top > 0 && used + s.owner->ItemHeight(top - 1) <= height) {
        used += s.owner->ItemHeight(top - 1);
        --top;
    }
    return top;
}

// The last page starts here: measures the items from the end backwards, never more than fit.
int MaxTopIndex(ComboListState& s) {
    return ItemCount(s) == 0 ? 0 : TopShowingAtBottom(s, ItemCount(s) - 1);
}

bool AllItemsFit(ComboListState& s) {
    const int height = ClientHeight(s.hwnd);
    int used = 0;
    for (int i = 0; i < ItemCount(s); ++i) {
        used += s.owner->ItemHeight(i);
        if (used > height) return false;
    }
    return true;
}

ListScrollInfo ScrollInfo(ComboListState& s) {
    return ListScrollInfo{s.topIndex, MaxTopIndex(s), PageSize(s), ItemCount(s)};
}

// The bar's place in client coordinates: the strip right of the client area.
RECT BarRect(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    if ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL) == 0) return RECT{};
    return RECT{client.right, 0, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom};
}

// Client origin relative to the window's top-left corner.
POINT ClientOffset(HWND hwnd) {
    RECT window;
    GetWindowRect(hwnd, &window);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return POINT{origin.x - window.left, origin.y - window.top};
}

void RedrawFrame(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// Shows the bar only when the items do not all fit; the bar takes width only, so the answer
// does not depend on whether it is shown.
void UpdateScrollBarPresence(ComboListState& s) {
    const LPARAM style = GetWindowLongPtr(s.hwnd, GWL_STYLE);
    const bool wanted = s.owner->ListScrolls() && !AllItemsFit(s);
    if (wanted == ((style & WS_VSCROLL) != 0)) return;
    SetWindowLongPtr(s.hwnd, GWL_STYLE, wanted ? (style | WS_VSCROLL) : (style & ~WS_VSCROLL));
    SetWindowPos(s.hwnd, 0, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// While hidden the list only keeps the index in range: the last page is worked out when it
// shows, so that filling a closed list measures nothing.
int TopIndexLimit(ComboListState& s) {
    return IsWindowVisible(s.hwnd) ? MaxTopIndex(s) : std::max(ItemCount(s) - 1, 0);
}

bool SetTopIndex(ComboListState& s, int index) {
    const int top = std::clamp(index, 0, TopIndexLimit(s));
    if (top == s.topIndex) return false;
    s.topIndex = top;
    InvalidateRect(s.hwnd, nullptr, false);
    RedrawFrame(s.hwnd);
    return true;
}

void ScrollIntoView(ComboListState& s, int index) {
    if (index < 0 || index >= ItemCount(s)) return;
    if (index < s.topIndex) {
        SetTopIndex(s, index);
    } else if (index >= s.topIndex + PageSize(s)) {
        SetTopIndex(s, TopShowingAtBottom(s, index));
    }
}

void Relayout(ComboListState& s) {
    if (!IsWindowVisible(s.hwnd)) {
        SetTopIndex(s, s.topIndex);
        return;
    }
    UpdateScrollBarPresence(s);
    SetTopIndex(s, s.topIndex);
    ScrollIntoView(s, s.owner->Selection());
}

// ---- Drawing -----------------------------------------------------------------------------------

// Sets the list's font and default colours, then asks the parent (through the combo box).
// The answer may move the list: the caller checks the window rectangle afterwards.
HBRUSH RequestColors(ComboListState& s, HDC hdc) {
    SelectObject(hdc, s.owner->ItemFont());
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
    const HBRUSH brush = HBRUSH(
        SendMessage(s.owner->ComboWindow(), WM_CTLCOLORLISTBOX, WPARAM(hdc), LPARAM(s.hwnd)));
    return brush != 0 ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void DrawItem(ComboListState& s, HDC hdc, int index, const RECT& rect, HBRUSH background,
              UINT action) {
    FillRect(hdc, &rect, background);
    s.owner->DrawListItem(hdc, index, rect, action);
}

void PaintItems(ComboListState& s, HDC hdc, const RECT& area, HBRUSH background) {
    RECT client;
    GetClientRect(s.hwnd, &client);
    int top = 0;
    for (int i = s.topIndex; i < ItemCount(s) && top < client.bottom && top < area.bottom; ++i) {
        const RECT item{0, top, client.right, top + s.owner->ItemHeight(i)};
        if (item.bottom > area.top) DrawItem(s, hdc, i, item, background, ODA_DRAWENTIRE);
        top = item.bottom;
    }
    const RECT rest{area.left, std::max(top, int(area.top)), area.right, area.bottom};
    if (rest.bottom > rest.top) FillRect(hdc, &rest, background);
}

bool SameRect(HWND hwnd, const RECT& before) {
    RECT now;
    GetWindowRect(hwnd, &now);
    return now == before;
}

void OnPaint(ComboListState& s) {
    RECT before;
    GetWindowRect(s.hwnd, &before);
    PAINTSTRUCT ps;
    const HDC hdc = HDC(BeginPaint(s.hwnd, &ps));
    const HBRUSH background = RequestColors(s, hdc);
    const bool moved = !SameRect(s.hwnd, before);
    if (!moved) PaintItems(s, hdc, ps.rcPaint, background);
    EndPaint(s.hwnd, &ps);
    if (moved && !s.repainting && IsWindow(s.hwnd)) {
        // The parent placed the list while asked for colours: paint it where it is now.
        s.repainting = true;
        UpdateWindow(s.hwnd);
        s.repainting = false;
    }
}

void OnNcPaint(ComboListState& s, WPARAM wParam, LPARAM lParam) {
    DefWindowProc(s.hwnd, WM_NCPAINT, wParam, lParam);
    const HDC hdc = GetWindowDC(s.hwnd);
    if (s.theme != 0) {
        RECT window;
        GetWindowRect(s.hwnd, &window);
        RECT frame{0, 0, window.right - window.left, window.bottom - window.top};
        HBRUSH border = CreateSolidBrush(kFlatBorder);
        FrameRect(hdc, &frame, border);
        DeleteObject(border);
    }
    RECT bar = BarRect(s.hwnd);
    if (!IsRectEmpty(&bar)) {
        const POINT offset = ClientOffset(s.hwnd);
        OffsetRect(&bar, offset.x, offset.y);
        DrawListScrollBar(hdc, bar, ScrollInfo(s), s.barPart, s.theme != 0);
    }
    ReleaseDC(s.hwnd, hdc);
}

void RedrawItemsNow(ComboListState& s, int first, int second) {
    if (!IsWindowVisible(s.hwnd)) return;
    RECT before;
    GetWindowRect(s.hwnd, &before);
    const HDC hdc = GetDC(s.hwnd);
    const HBRUSH background = RequestColors(s, hdc);
    if (SameRect(s.hwnd, before)) {
        for (int index : {first, second}) {
            const RECT rect = ItemRect(s, index);
            if (!IsRectEmpty(&rect)) DrawItem(s, hdc, index, rect, background, ODA_SELECT);
        }
    } else {
        InvalidateRect(s.hwnd, nullptr, false);
    }
    ReleaseDC(s.hwnd, hdc);
}

// ---- The scroll bar ----------------------------------------------------------------------------

void ScrollBy(ComboListState& s, ListScrollPart part) {
    const int page = PageSize(s);
    switch (part) {
        case ListScrollPart::LineUp:
            SetTopIndex(s, s.topIndex - 1);
            break;
        case ListScrollPart::LineDown:
            SetTopIndex(s, s.topIndex + 1);
            break;
        case ListScrollPart::PageUp:
            SetTopIndex(s, s.topIndex - page);
            break;
        case ListScrollPart::PageDown:
            SetTopIndex(s, s.topIndex + page);
            break;
        default:
            break;
    }
}

ListScrollPart BarPartAt(ComboListState& s, POINT point) {
    return ListScrollPartAt(BarRect(s.hwnd), ScrollInfo(s), point);
}

void PressBar(ComboListState& s, POINT point) {
    s.press = Press::Bar;
    s.barPart = BarPartAt(s, point);
    if (s.barPart == ListScrollPart::Thumb) {
        s.thumbGrab = point.y - LayoutListScrollBar(BarRect(s.hwnd), ScrollInfo(s)).thumb.top;
    } else if (s.barPart != ListScrollPart::None) {
        ScrollBy(s, s.barPart);
        SetTimer(s.hwnd, kRepeatTimer, kRepeatDelayMs);
    }
    RedrawFrame(s.hwnd);
}

void ReleaseBar(ComboListState& s) {
    KillTimer(s.hwnd, kRepeatTimer);
    s.barPart = ListScrollPart::None;
    RedrawFrame(s.hwnd);
}

void DragThumb(ComboListState& s, POINT point) {
    SetTopIndex(s,
                ListScrollPositionForThumb(BarRect(s.hwnd), ScrollInfo(s), point.y - s.thumbGrab));
}

// Held arrows repeat; a held page area repeats until the thumb reaches the pointer.
void OnRepeatTimer(ComboListState& s) {
    SetTimer(s.hwnd, kRepeatTimer, kRepeatIntervalMs);
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(s.hwnd, &cursor);
    if (s.barPart == ListScrollPart::None || s.barPart == ListScrollPart::Thumb) return;
    if (BarPartAt(s, cursor) == s.barPart) ScrollBy(s, s.barPart);
}

// ---- Mouse -------------------------------------------------------------------------------------

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void StopAutoScroll(ComboListState& s) {
    if (s.autoScrolling) KillTimer(s.hwnd, kAutoScrollTimer);
    s.autoScrolling = false;
}

// While the left button drags over the items, going past the top or bottom edge scrolls one
// item a tick towards the pointer and tracks the item coming into view at that edge.
void OnAutoScrollTimer(ComboListState& s) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(s.hwnd, &cursor);
    const bool above = cursor.y < 0, below = cursor.y >= ClientHeight(s.hwnd);
    if (s.press != Press::Items || GetKeyState(VK_LBUTTON) >= 0 || (!above && !below)) {
        StopAutoScroll(s);
        return;
    }
    SetTopIndex(s, s.topIndex + (above ? -1 : 1));
    const int edge = above ? s.topIndex : s.topIndex + PageSize(s) - 1;
    s.owner->ListDidTrack(std::clamp(edge, 0, ItemCount(s) - 1));
}

void OnMouseMove(ComboListState& s, LPARAM lParam) {
    const POINT point = PointOf(lParam);
    if (s.barPart == ListScrollPart::Thumb) {
        DragThumb(s, point);
        return;
    }
    if (s.press == Press::Bar) return;
    const int item = ItemAt(s, point);
    if (item >= 0) {
        // A press on the box drags into the list from here on.
        if (s.press == Press::Combo) s.press = Press::Items;
        s.owner->ListDidTrack(item);
    }
    const bool pastAnEdge = point.y < 0 || point.y >= ClientHeight(s.hwnd);
    if (s.press == Press::Items && pastAnEdge && !s.autoScrolling) {
        s.autoScrolling = SetTimer(s.hwnd, kAutoScrollTimer, kAutoScrollIntervalMs) != 0;
    }
}

void OnButtonDown(ComboListState& s, UINT msg, LPARAM lParam) {
    const POINT point = PointOf(lParam);
    RECT client, bar = BarRect(s.hwnd);
    GetClientRect(s.hwnd, &client);
    if (PtInRect(&client, point)) {
        if (msg != WM_LBUTTONDOWN) return;
        s.press = Press::Items;
        const int item = ItemAt(s, point);
        if (item >= 0) s.owner->ListDidTrack(item);
    } else if (PtInRect(&bar, point)) {
        if (msg == WM_LBUTTONDOWN) PressBar(s, point);
    } else {
        s.press = Press::None;
        s.owner->ListDidDismiss();
    }
}

void OnLButtonUp(ComboListState& s, LPARAM lParam) {
    const Press press = s.press;
    s.press = Press::None;
    StopAutoScroll(s);
    if (s.barPart != ListScrollPart::None) {
        ReleaseBar(s);
        return;
    }
    if (press != Press::Items && press != Press::Combo) return;
    const int item = ItemAt(s, PointOf(lParam));
    if (item >= 0) s.owner->ListDidChoose(item);
}

void OnMouseWheel(ComboListState& s, WPARAM wParam) {
    const int delta = std::int16_t(HIWORD(wParam));
    SetTopIndex(s, s.topIndex - delta * kWheelLines / WHEEL_DELTA);
}

void OnCaptureChanged(ComboListState& s, LPARAM newCapture) {
    if (HWND(newCapture) == s.hwnd || !IsWindowVisible(s.hwnd)) return;
    s.press = Press::None;
    if (s.barPart != ListScrollPart::None) ReleaseBar(s);
    s.owner->ListDidDismiss();
}

// ---- Window procedure --------------------------------------------------------------------------

void OnThemeChanged(ComboListState& s) {
    if (s.theme != 0) CloseThemeData(s.theme);
    s.theme = OpenThemeData(s.hwnd, "ComboBox");
    RedrawWindow(s.hwnd, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool OnNcCreate(HWND hwnd, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
    auto* owner = static_cast<ComboListOwner*>(create->lpCreateParams);
    if (owner == nullptr) return false;
    auto* s = new ComboListState{};
    s->hwnd = hwnd;
    s->owner = owner;
    s->theme = OpenThemeData(hwnd, "ComboBox");
    SetWindowLongPtr(hwnd, GWLP_USERDATA, LPARAM(s));
    return true;
}

void OnNcDestroy(HWND hwnd, ComboListState* s) {
    if (s->theme != 0) CloseThemeData(s->theme);
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
    delete s;
}

LRESULT ComboListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) return OnNcCreate(hwnd, lParam) ? 1 : 0;
    ComboListState* s = StateOf(hwnd);
    if (s == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_NCDESTROY:
            OnNcDestroy(hwnd, s);
            return 0;
        case WM_PAINT:
            OnPaint(*s);
            return 0;
        case WM_NCPAINT:
            OnNcPaint(*s, wParam, lParam);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills every pixel
        case WM_SIZE:
            Relayout(*s);
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            OnMouseMove(*s, lParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            OnButtonDown(*s, msg, lParam);
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(*s, lParam);
            return 0;
        case WM_MOUSEWHEEL:
            OnMouseWheel(*s, wParam);
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer) OnRepeatTimer(*s);
            if (wParam == kAutoScrollTimer) OnAutoScrollTimer(*s);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(*s, lParam);
            return 0;
        case WM_THEMECHANGED:
            OnThemeChanged(*s);
            return 0;
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

bool RegisterComboListClass() {
    WNDCLASS existing;
    if (GetClassInfo(kComboListClassName, &existing)) return true;
    WNDCLASS cls;
    cls.lpfnWndProc = &ComboListProc;
    cls.hCursor = IDC_ARROW;
    cls.lpszClassName = kComboListClassName;
    return RegisterClass(cls) != 0;
}

HWND CreateComboList(HWND combo, ComboListOwner* owner) {
    if (!RegisterComboListClass()) return 0;
    return CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kComboListClassName,
                          "", WS_POPUP | WS_BORDER, 0, 0, 100, 100, combo, 0, owner);
}

void ShowComboList(HWND list, const RECT& rect, bool buttonDown) {
    ComboListState* s = StateOf(list);
    if (s == nullptr) return;
    s->press = buttonDown ? Press::Combo : Press::None;
    SetWindowPos(list, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Relayout(*s);
    SetCapture(list);
    UpdateWindow(list);
}

void HideComboList(HWND list) {
    ComboListState* s = StateOf(list);
    if (s == nullptr) return;
    if (s->barPart != ListScrollPart::None) ReleaseBar(*s);
    StopAutoScroll(*s);
    s->press = Press::None;
    SetWindowPos(list, 0, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetCapture() == list) ReleaseCapture();
}

int ComboListTopIndex(HWND list) {
    const ComboListState* s = StateOf(list);
    return s == nullptr ? 0 : s->topIndex;
}

bool SetComboListTopIndex(HWND list, int index) {
    ComboListState* s = StateOf(list);
    if (s == nullptr || index < 0 || index >= ItemCount(*s)) return false;
    SetTopIndex(*s, index);
    return true;
}

void ComboListScrollIntoView(HWND list, int index) {
    if (ComboListState* s = StateOf(list)) ScrollIntoView(*s, index);
}

int ComboListPageSize(HWND list) {
    ComboListState* s = StateOf(list);
    return s == nullptr ? 1 : PageSize(*s);
}

void ComboListSelectionMoved(HWND list, int from, int to) {
    if (ComboListState* s = StateOf(list)) RedrawItemsNow(*s, from, to);
}

void ComboListItemsChanged(HWND list) {
    ComboListState* s = StateOf(list);
    if (s == nullptr) return;
    s->topIndex = std::clamp(s->topIndex, 0, std::max(ItemCount(*s) - 1, 0));
    Relayout(*s);
    if (!IsWindowVisible(list)) return;
    InvalidateRect(list, nullptr, false);
    RedrawFrame(list);
}

}  // namespace vexa::sys
