#include "vexa/system/controls/EditContextMenu.h"

#include <algorithm>
#include <memory>

#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

constexpr const char* kMenuClass = "VexaEditMenu";
constexpr const char* kMenuProperty = "VexaEditMenu";
constexpr int kTextIndent = 24;
constexpr int kTextPaddingRight = 24;
constexpr int kItemPadding = 8;
constexpr int kSeparatorHeight = 7;

struct MenuState {
    HWND owner = 0;                   // the edit window the menu acts on
    std::vector<EditMenuItem> items;  // in order from the top
    std::vector<RECT> rects;          // each item's client rectangle
    int hot = -1;                     // the highlighted item, -1 for none
    bool closing = false;             // being destroyed; losing the capture is expected
};

MenuState* StateOf(HWND menu) {
    return reinterpret_cast<MenuState*>(GetProp(menu, kMenuProperty));
}

int HitItem(const MenuState& state, POINT p) {
    for (std::size_t i = 0; i < state.rects.size(); ++i) {
        const RECT& r = state.rects[i];
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return int(i);
    }
    return -1;
}

void SetHot(HWND menu, MenuState& state, int item) {
    if (item >= 0 && !state.items[std::size_t(item)].enabled) item = -1;
    if (item == state.hot) return;
    state.hot = item;
    InvalidateRect(menu, nullptr, true);
}

void Choose(HWND menu, int item) {
    MenuState* state = StateOf(menu);
    if (state == nullptr || item < 0 || !state->items[std::size_t(item)].enabled) return;
    const EditMenuItem chosen = state->items[std::size_t(item)];
    const HWND owner = state->owner;
    EditContextMenu::Close(menu);
    SendMessage(owner, chosen.message, chosen.wParam, chosen.lParam);
}

char Mnemonic(const std::string& label) {
    const std::size_t amp = label.find('&');
    if (amp == std::string::npos || amp + 1 >= label.size()) return 0;
    const char c = label[amp + 1];
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// The next enabled item in a direction, wrapping around; -1 when none is enabled.
int NextEnabled(const MenuState& state, int from, int step) {
    const int count = int(state.items.size());
    for (int i = 1; i <= count; ++i) {
        const int candidate =
            ((from < 0 && step < 0 ? count : from) + step * i + count * 2) % count;
        if (state.items[std::size_t(candidate)].enabled) return candidate;
    }
    return -1;
}

void PaintItem(HDC hdc, const MenuState& state, std::size_t i) {
    const EditMenuItem& item = state.items[i];
    RECT r = state.rects[i];
    const bool hot = int(i) == state.hot;
    if (hot) FillRect(hdc, &r, HBRUSH(COLOR_HIGHLIGHT + 1));
    if (item.separatorBefore) {
        const int y = r.top - kSeparatorHeight / 2 - 1;
        RECT line{r.left + 2, y, r.right - 2, y + 1};
        FillRect(hdc, &line, HBRUSH(COLOR_BTNSHADOW + 1));
        line = RECT{line.left, y + 1, line.right, y + 2};
        FillRect(hdc, &line, HBRUSH(COLOR_BTNHIGHLIGHT + 1));
    }
    const int color = !item.enabled ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    SetTextColor(hdc, GetSysColor(color));
    r.left += kTextIndent;
    DrawText(hdc, item.label, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void OnPaint(HWND menu, const MenuState& state) {
    PAINTSTRUCT ps;
    const HDC hdc = HDC(BeginPaint(menu, &ps));
    RECT client;
    GetClientRect(menu, &client);
    FillRect(hdc, &client, HBRUSH(COLOR_MENU + 1));
    SetBkMode(hdc, TRANSPARENT);
    for (std::size_t i = 0; i < state.items.size(); ++i) PaintItem(hdc, state, i);
    EndPaint(menu, &ps);
}

void OnButtonUp(HWND menu, MenuState& state, POINT p) {
    const int item = HitItem(state, p);
    if (item >= 0) Choose(menu, item);
}

void OnButtonDown(HWND menu, POINT p) {
    RECT client;
    GetClientRect(menu, &client);
    const bool inside = p.x >= 0 && p.y >= 0 && p.x < client.right && p.y < client.bottom;
    if (!inside) EditContextMenu::Close(menu);
}

LRESULT MenuProc(HWND menu, UINT msg, WPARAM wParam, LPARAM lParam) {
    MenuState* state = StateOf(menu);
    if (msg == WM_NCDESTROY) {
        RemoveProp(menu, kMenuProperty);
        delete state;
        return DefWindowProc(menu, msg, wParam, lParam);
    }
    if (state == nullptr) return DefWindowProc(menu, msg, wParam, lParam);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_PAINT:
            OnPaint(menu, *state);
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            SetHot(menu, *state, HitItem(*state, p));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            OnButtonDown(menu, p);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            OnButtonUp(menu, *state, p);
            return 0;
        case WM_CAPTURECHANGED:
            if (!state->closing) EditContextMenu::Close(menu);
            return 0;
        default:
            return DefWindowProc(menu, msg, wParam, lParam);
    }
}

void RegisterMenuClass() {
    WNDCLASS cls;
    if (GetClassInfo(kMenuClass, &cls)) return;
    cls.lpfnWndProc = &MenuProc;
    cls.hCursor = IDC_ARROW;
    cls.lpszClassName = kMenuClass;
    RegisterClass(cls);
}

// Item rectangles from the top, and the size of the whole menu.
SIZE LayOut(MenuState& state) {
    const HDC hdc = CreateCompatibleDC(0);
    TEXTMETRIC metrics;
    GetTextMetrics(hdc, &metrics);
    int width = 0;
    for (const EditMenuItem& item : state.items) {
        RECT r{0, 0, 0, 0};
        DrawText(hdc, item.label, -1, &r, DT_SINGLELINE | DT_CALCRECT);
        width = std::max(width, int(r.right));
    }
    DeleteDC(hdc);
    width += kTextIndent + kTextPaddingRight;
    const int height = metrics.tmHeight + kItemPadding;
    int y = 0;
    for (const EditMenuItem& item : state.items) {
        if (item.separatorBefore) y += kSeparatorHeight;
        state.rects.push_back(RECT{0, y, width, y + height});
        y += height;
    }
    return SIZE{width, y};
}

}  // namespace

HWND EditContextMenu::Open(HWND owner, POINT screen, std::vector<EditMenuItem> items) {
    RegisterMenuClass();
    auto state = std::make_unique<MenuState>();
    state->owner = owner;
    state->items = std::move(items);
    const SIZE size = LayOut(*state);
    const int border = 2 * GetSystemMetrics(SM_CXBORDER);
    const int width = size.cx + border;
    const int height = size.cy + border;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int x = screen.x + width > screenWidth ? std::max(0, screen.x - width) : screen.x;
    const int y = screen.y + height > screenHeight ? std::max(0, screen.y - height) : screen.y;
    const HWND menu =
        CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kMenuClass, "",
                       WS_POPUP | WS_BORDER, x, y, width, height, owner);
    if (menu == 0) return 0;
    SetProp(menu, kMenuProperty, std::intptr_t(state.release()));
    ShowWindow(menu, SW_SHOWNA);
    SetCapture(menu);
    return menu;
}

void EditContextMenu::Close(HWND menu) {
    MenuState* state = StateOf(menu);
    if (state == nullptr || state->closing) return;
    state->closing = true;
    if (GetCapture() == menu) ReleaseCapture();
    DestroyWindow(menu);
}

void EditContextMenu::HandleKey(HWND menu, int virtualKey) {
    MenuState* state = StateOf(menu);
    if (state == nullptr) return;
    switch (virtualKey) {
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10:
            Close(menu);
            return;
        case VK_UP:
        case VK_DOWN:
            SetHot(menu, *state, NextEnabled(*state, state->hot, virtualKey == VK_DOWN ? 1 : -1));
            return;
        case VK_RETURN:
        case VK_SPACE:
            Choose(menu, state->hot);
            return;
        default:
            break;
    }
    for (std::size_t i = 0; i < state->items.size(); ++i) {
        if (Mnemonic(state->items[i].label) == char(virtualKey)) {
            Choose(menu, int(i));
            return;
        }
    }
}

int EditContextMenu::HotItem(HWND menu) {
    const MenuState* state = StateOf(menu);
    return state != nullptr ? state->hot : -1;
}

RECT EditContextMenu::ItemRect(HWND menu, int item) {
    const MenuState* state = StateOf(menu);
    if (state == nullptr || item < 0 || item >= int(state->rects.size())) return RECT{};
    return state->rects[std::size_t(item)];
}

}  // namespace vexa::sys
