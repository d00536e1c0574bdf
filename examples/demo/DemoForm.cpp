#include "DemoForm.h"

#include <memory>
#include <string>

#include "ProductsTable.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa::demo {

using namespace vexa::sys;

namespace {

constexpr const char* kFormClass = "VexaDemoForm";
constexpr const char* kFormTitle = "Vexa demo";
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kBannerColor = RGB(32, 96, 160);
constexpr int kBannerHeight = 48;

bool RegisterFormClass(WNDPROC proc) {
    WNDCLASS wc;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = kFormClass;
    wc.hCursor = LoadCursor(0, IDC_ARROW);
    // A second Create in one program finds the class registered already.
    return RegisterClass(wc) != 0 || GetClassInfo(kFormClass, &wc);
}

void PaintBanner(HDC hdc, const RECT& client) {
    RECT banner{client.left, client.top, client.right, client.top + kBannerHeight};
    HBRUSH brush = CreateSolidBrush(kBannerColor);
    FillRect(hdc, &banner, brush);
    DeleteObject(brush);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(255, 255, 255));
    RECT text = banner;
    text.left += 12;
    DrawText(hdc, "Vexa grid control", -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// The form's grid, made when the form builds its content.
std::unique_ptr<ProductsTable>& Products() {
    static std::unique_ptr<ProductsTable> products;
    return products;
}

void PaintBody(HDC hdc, const RECT& client) {
    RECT body{client.left, client.top + kBannerHeight, client.right, client.bottom};
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(hdc, &body, brush);
    DeleteObject(brush);
}

// Where the grid sits on the form: below the banner, with a margin.
RECT GridRect(HWND form) {
    RECT client;
    GetClientRect(form, &client);
    return RECT{client.left + 12, client.top + kBannerHeight + 12, client.right - 12,
                client.bottom - 12};
}

}  // namespace

HWND DemoForm::Create(int width, int height) {
    if (!RegisterFormClass(&DemoForm::FormProc)) return 0;
    hwnd_ = CreateWindowEx(0, kFormClass, kFormTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                           width, height);
    return hwnd_;
}

void DemoForm::BuildContent(HWND form) {
    // The products grid, filled from the embedded database.
    Products() = std::make_unique<ProductsTable>(form, GridRect(form));
}

void DemoForm::PaintContent(HWND form) {
    PAINTSTRUCT ps;
    HDC hdc = HDC(BeginPaint(form, &ps));
    RECT client;
    GetClientRect(form, &client);
    PaintBanner(hdc, client);
    PaintBody(hdc, client);
    EndPaint(form, &ps);
}

LRESULT DemoForm::FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            BuildContent(hwnd);
            return 0;
        case WM_PAINT:
            PaintContent(hwnd);
            return 0;
        case WM_SIZE:
            if (Products()) {
                const RECT rect = GridRect(hwnd);
                MoveWindow(Products()->Grid().hwnd(), rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, true);
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_DESTROY:
            Products().reset();
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vexa::demo
