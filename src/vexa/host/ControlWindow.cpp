#include "vexa/host/ControlWindow.h"

#include "vexa/host/Vexa.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr const char* kFrameClassName = "Vexa250_75B4A91C.Frame";
constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

// The top-level window of a grid made without a host window: the grid fills its client
// area and follows its size.
sys::LRESULT FrameProcedure(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam, sys::LPARAM lParam) {
    if (msg == sys::WM_SIZE) {
        for (sys::HWND child : sys::GetChildWindows(hwnd)) {
            sys::MoveWindow(child, 0, 0, sys::LOWORD(std::uintptr_t(lParam)),
                            sys::HIWORD(std::uintptr_t(lParam)), true);
        }
        return 0;
    }
    return sys::DefWindowProc(hwnd, msg, wParam, lParam);
}

sys::POINT ClientPoint(sys::LPARAM lParam) {
    return sys::POINT{sys::GET_X_LPARAM(lParam), sys::GET_Y_LPARAM(lParam)};
}

void RegisterClasses(sys::WNDPROC gridProcedure) {
    sys::WNDCLASS probe;
    if (!sys::GetClassInfo(ControlWindow::kClassName, &probe)) {
        sys::WNDCLASS grid;
        grid.style = sys::CS_DBLCLKS;
        grid.lpfnWndProc = gridProcedure;
        grid.hCursor = sys::LoadCursor(0, sys::IDC_ARROW);
        grid.lpszClassName = ControlWindow::kClassName;
        sys::RegisterClass(grid);
    }
    if (!sys::GetClassInfo(kFrameClassName, &probe)) {
        sys::WNDCLASS frame;
        frame.lpfnWndProc = FrameProcedure;
        frame.hCursor = sys::LoadCursor(0, sys::IDC_ARROW);
        frame.hbrBackground = sys::COLOR_BTNFACE + 1;
        frame.lpszClassName = kFrameClassName;
        sys::RegisterClass(frame);
    }
}

// Keys and the mouse, which only a grid at run time answers.
bool IsRunTimeInput(sys::UINT msg) {
    return (msg >= sys::WM_KEYFIRST && msg <= sys::WM_KEYLAST) ||
           (msg >= sys::WM_MOUSEFIRST && msg <= sys::WM_MOUSELAST) || msg == sys::WM_MOUSEHOVER ||
           msg == sys::WM_MOUSELEAVE;
}

}  // namespace

ControlWindow::ControlWindow(sys::HWND parent, const sys::RECT& rect) {
    RegisterClasses(&ControlWindow::Procedure);
    sys::RECT placed = rect;
    if (parent == 0) {
        frame_ = sys::CreateWindowEx(0, kFrameClassName, "Vexa", sys::WS_OVERLAPPEDWINDOW, 0, 0,
                                     kFrameWidth, kFrameHeight);
        parent = frame_;
        sys::GetClientRect(frame_, &placed);
    }
    hwnd_ = sys::CreateWindowEx(
        0, kClassName, "", sys::WS_CHILD | sys::WS_CLIPCHILDREN | sys::WS_TABSTOP, placed.left,
        placed.top, placed.right - placed.left, placed.bottom - placed.top, parent, 0, nullptr);
}

ControlWindow::~ControlWindow() {
    Detach();
    if (sys::IsWindow(hwnd_)) sys::DestroyWindow(hwnd_);
    if (frame_ != 0 && sys::IsWindow(frame_)) sys::DestroyWindow(frame_);
}

void ControlWindow::Attach(Vexa& grid) {
    sys::SetWindowLongPtr(hwnd_, sys::GWLP_USERDATA, reinterpret_cast<sys::LPARAM>(&grid));
}

void ControlWindow::Detach() {
    if (sys::IsWindow(hwnd_)) sys::SetWindowLongPtr(hwnd_, sys::GWLP_USERDATA, 0);
}

sys::LRESULT ControlWindow::Procedure(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                      sys::LPARAM lParam) {
    auto* grid = reinterpret_cast<Vexa*>(sys::GetWindowLongPtr(hwnd, sys::GWLP_USERDATA));
    if (grid == nullptr) return sys::DefWindowProc(hwnd, msg, wParam, lParam);
    // In a form designer the form has the mouse and the keyboard.
    if (!grid->UserMode() && IsRunTimeInput(msg))
        return sys::DefWindowProc(hwnd, msg, wParam, lParam);
    return Dispatch(*grid, hwnd, msg, wParam, lParam);
}

sys::LRESULT ControlWindow::Dispatch(Vexa& grid, sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                     sys::LPARAM lParam) {
    switch (msg) {
        case sys::WM_PAINT: {
            sys::PAINTSTRUCT ps;
            sys::BeginPaint(hwnd, &ps);
            grid.OnPaint();
            sys::EndPaint(hwnd, &ps);
            return 0;
        }
        case sys::WM_ERASEBKGND:
            return 1;  // painting covers every pixel
        case sys::WM_SIZE:
            grid.OnSize();
            return 0;
        case sys::WM_SHOWWINDOW:
            if (wParam != 0) grid.OnShown();
            return 0;
        case sys::WM_SETFOCUS:
            grid.OnFocusChanged(true);
            return 0;
        case sys::WM_KILLFOCUS:
            // The grid's own editor and drop-down list keep the focus within the grid.
            if (!sys::IsChild(hwnd, sys::HWND(wParam))) grid.OnFocusChanged(false);
            return 0;
            // ---- Scroll bars

            // ---- Keyboard
        case sys::WM_KEYDOWN:
            grid.OnKeyDown(int(wParam));
            return 0;
        case sys::WM_SYSKEYDOWN:  // keys held with Alt; the system keys keep working
            grid.OnKeyDown(int(wParam));
            return sys::DefWindowProc(hwnd, msg, wParam, lParam);
        case sys::WM_CHAR:
            grid.OnChar(char32_t(wParam));
            return 0;
        case sys::WM_KEYUP:
        case sys::WM_SYSKEYUP:
            grid.OnKeyUp(int(wParam));
            return sys::DefWindowProc(hwnd, msg, wParam, lParam);

            // ---- Header notifications
        case sys::WM_NOTIFY:
            return grid.OnNotify(wParam, lParam);
        case sys::WM_DRAWITEM:
            return grid.OnDrawItem(wParam, lParam);

            // ---- Editor and combo notifications
        case sys::WM_COMMAND:
            grid.OnEditorCommand(wParam, lParam);
            return 0;
        case sys::WM_CTLCOLOREDIT:
            if (const sys::LRESULT brush = grid.OnEditorColors(wParam, lParam)) return brush;
            return sys::DefWindowProc(hwnd, msg, wParam, lParam);

            // ---- Mouse
        case sys::WM_MOUSEMOVE:
            grid.OnMouseMove(wParam, ClientPoint(lParam));
            return 0;
        case sys::WM_LBUTTONDOWN:
            grid.OnMouseDown(1, wParam, ClientPoint(lParam));
            return 0;
        case sys::WM_RBUTTONDOWN:
        case sys::WM_RBUTTONDBLCLK:  // only the left button's double click edits
            grid.OnMouseDown(2, wParam, ClientPoint(lParam));
            return 0;
        case sys::WM_MBUTTONDOWN:
        case sys::WM_MBUTTONDBLCLK:
            grid.OnMouseDown(4, wParam, ClientPoint(lParam));
            return 0;
        case sys::WM_LBUTTONDBLCLK:
            grid.OnDoubleClick(wParam, ClientPoint(lParam));
            return 0;
        case sys::WM_LBUTTONUP:
            grid.OnMouseUp(1, wParam, ClientPoint(lParam));
            return 0;
        case sys::WM_RBUTTONUP:
            grid.OnMouseUp(2, wParam, ClientPoint(lParam));
            return sys::DefWindowProc(hwnd, msg, wParam, lParam);  // the context menu
        case sys::WM_MBUTTONUP:
            grid.OnMouseUp(4, wParam, ClientPoint(lParam));
            return 0;
        case sys::WM_CAPTURECHANGED:
            if (sys::HWND(lParam) != hwnd) grid.OnMouseCaptureLost();
            return 0;

        case sys::WM_GETDLGCODE:
            return sys::DLGC_WANTARROWS | sys::DLGC_WANTALLKEYS | sys::DLGC_WANTCHARS;
        default:
            return sys::DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vexa
