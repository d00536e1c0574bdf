#include "DemoForm.h"

#include <fstream>
#include <utility>

#include "vexa/system/paint/Gdi.h"
#include "vexa/system/window/Window.h"

namespace vexa::demo {

using namespace vexa::sys;

namespace {

constexpr const char* kFormClass = "VexaDemoForm";
constexpr const char* kFormTitle = "Vexa demo";
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kBannerColor = RGB(32, 96, 160);
constexpr COLORREF kActiveTabColor = RGB(255, 255, 255);
constexpr COLORREF kButtonColor = RGB(56, 120, 184);
constexpr COLORREF kStatusColor = RGB(240, 240, 240);
constexpr int kBannerHeight = 44;
constexpr int kStatusHeight = 24;
constexpr int kMargin = 10;

struct ButtonFace {
    DemoForm::Button button;
    const char* label;
    int left;
    int width;
};
// The two page tabs, then the two buttons, left to right after the title.
constexpr ButtonFace kButtons[] = {{DemoForm::Button::Products, "Products", 190, 90},
                                   {DemoForm::Button::Million, "1,000,000 rows", 284, 120},
                                   {DemoForm::Button::Save, "Save settings", 430, 110},
                                   {DemoForm::Button::Load, "Load settings", 544, 110}};

// The one form of the program, for its window procedure.
DemoForm* theForm = nullptr;

bool RegisterFormClass(WNDPROC proc) {
    WNDCLASS wc;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = kFormClass;
    wc.hCursor = LoadCursor(0, IDC_ARROW);
    // A second Create in one program finds the class registered already.
    return RegisterClass(wc) != 0 || GetClassInfo(kFormClass, &wc);
}

void Fill(HDC hdc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

void Text(HDC hdc, const char* text, RECT rect, COLORREF colour, UINT format) {
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, colour);
    DrawText(hdc, text, -1, &rect, format | DT_VCENTER | DT_SINGLELINE);
}

// Where the grids sit: between the banner and the status line, with a margin.
RECT GridRect(HWND form) {
    RECT client;
    GetClientRect(form, &client);
    return RECT{client.left + kMargin, client.top + kBannerHeight + kMargin, client.right - kMargin,
                client.bottom - kStatusHeight - kMargin};
}

void Place(Vexa& grid, const RECT& rect) {
    MoveWindow(grid.hwnd(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               true);
}

}  // namespace

DemoForm::DemoForm(std::string settingsPath) : settingsPath_(std::move(settingsPath)) {
    theForm = this;
}

DemoForm::~DemoForm() {
    if (hwnd_ != 0 && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    theForm = nullptr;
}

HWND DemoForm::Create(int width, int height) {
    if (!RegisterFormClass(&DemoForm::FormProc)) return 0;
    hwnd_ = CreateWindowEx(0, kFormClass, kFormTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                           width, height);
    return hwnd_;
}

RECT DemoForm::ButtonRect(Button button) {
    for (const ButtonFace& face : kButtons) {
        if (face.button == button)
            return RECT{face.left, 8, face.left + face.width, kBannerHeight - 8};
    }
    return RECT{};
}

void DemoForm::Press(Button button) {
    switch (button) {
        case Button::Products:
        case Button::Million:
            ShowPage(button);
            break;
        case Button::Save:
            SaveSettings();
            break;
        case Button::Load:
            LoadSettings();
            break;
    }
}

void DemoForm::BuildContent() {
    products_ = std::make_unique<ProductsTable>(hwnd_, GridRect(hwnd_),
                                                [this](std::string s) { Report(std::move(s)); });
    Report("Click a title to sort, type to search a product, F2 or a double click to edit");
}

void DemoForm::ShowPage(Button page) {
    if (page == Button::Million && !million_) {
        million_ = std::make_unique<MillionRows>(hwnd_, GridRect(hwnd_));
    }
    page_ = page;
    ShowWindow(products_->Grid().hwnd(), page == Button::Products ? SW_SHOW : SW_HIDE);
    if (million_) ShowWindow(million_->Grid().hwnd(), page == Button::Million ? SW_SHOW : SW_HIDE);
    FocusPage();
    const RECT banner{0, 0, 10000, kBannerHeight};
    InvalidateRect(hwnd_, &banner, false);
    Report(page == Button::Products
               ? "The products"
               : "A million rows in SQLite: the grid asks for each row as it scrolls into view");
}

void DemoForm::FocusPage() {
    if (page_ == Button::Products && products_) SetFocus(products_->Grid().hwnd());
    if (page_ == Button::Million && million_) SetFocus(million_->Grid().hwnd());
}

// The products grid's design-time properties and its column and sort layouts, in one file.
void DemoForm::SaveSettings() {
    try {
        Vexa& grid = products_->Grid();
        TextPropertyBag bag;
        grid.WriteProperties(bag);
        bag.WriteProperty("LayoutCol", Variant(grid.LayoutCol()), Variant(std::string()));
        bag.WriteProperty("LayoutSort", Variant(grid.LayoutSort()), Variant(std::string()));
        bag.Save(settingsPath_);
        Report("Saved the grid's properties and layouts to " + settingsPath_);
    } catch (const Error& error) {
        Report("Could not save " + settingsPath_ + ": " + error.Description());
    }
}

void DemoForm::LoadSettings() {
    try {
        Vexa& grid = products_->Grid();
        TextPropertyBag bag;
        bag.Load(settingsPath_);
        grid.ReadProperties(bag);
        grid.SetLayoutCol(bag.ReadProperty("LayoutCol", Variant(std::string())).ToString());
        grid.SetLayoutSort(bag.ReadProperty("LayoutSort", Variant(std::string())).ToString());
        Report("Loaded the grid's properties and layouts from " + settingsPath_);
    } catch (const Error& error) {
        Report("Could not load " + settingsPath_ + ": " + error.Description());
    }
}

void DemoForm::Report(std::string status) {
    status_ = std::move(status);
    if (!statusLogPath_.empty()) std::ofstream(statusLogPath_, std::ios::app) << status_ << '\n';
    RECT client;
    GetClientRect(hwnd_, &client);
    RECT line{client.left, client.bottom - kStatusHeight, client.right, client.bottom};
    InvalidateRect(hwnd_, &line, false);
}

void DemoForm::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = HDC(BeginPaint(hwnd_, &ps));
    RECT client;
    GetClientRect(hwnd_, &client);
    Fill(hdc, client, kBackground);
    const RECT banner{client.left, client.top, client.right, client.top + kBannerHeight};
    Fill(hdc, banner, kBannerColor);
    Text(hdc, "Vexa grid control", RECT{12, 0, 180, kBannerHeight}, RGB(255, 255, 255), DT_LEFT);
    for (const ButtonFace& face : kButtons) {
        const RECT rect = ButtonRect(face.button);
        const bool active = face.button == page_;
        Fill(hdc, rect, active ? kActiveTabColor : kButtonColor);
        Text(hdc, face.label, rect, active ? kBannerColor : RGB(255, 255, 255), DT_CENTER);
    }
    const RECT status{client.left, client.bottom - kStatusHeight, client.right, client.bottom};
    Fill(hdc, status, kStatusColor);
    Text(hdc, status_.c_str(), RECT{status.left + 8, status.top, status.right - 8, status.bottom},
         RGB(40, 40, 40), DT_LEFT | DT_END_ELLIPSIS);
    EndPaint(hwnd_, &ps);
}

void DemoForm::Layout() {
    const RECT rect = GridRect(hwnd_);
    if (products_) Place(products_->Grid(), rect);
    if (million_) Place(million_->Grid(), rect);
    InvalidateRect(hwnd_, nullptr, false);
}

LRESULT DemoForm::FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DemoForm* form = theForm;
    if (form == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_CREATE:
            form->hwnd_ = hwnd;
            form->BuildContent();
            return 0;
        case WM_PAINT:
            form->Paint();
            return 0;
        case WM_SIZE:
            form->Layout();
            return 0;
        case WM_SETFOCUS:  // the form passes the keyboard on to the page's grid
            form->FocusPage();
            return 0;
        case WM_LBUTTONDOWN: {
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            for (const ButtonFace& face : kButtons) {
                if (const RECT rect = ButtonRect(face.button); PtInRect(&rect, point))
                    form->Press(face.button);
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_DESTROY:
            form->million_.reset();
            form->products_.reset();
            form->hwnd_ = 0;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vexa::demo
