// The text editors' key, mouse and context-menu messages: each is passed to the host as the
// TextEdit... event of the current cell before the editor sees it. Enter and Esc typed in the
// editor ask the control to commit or cancel instead of reaching the editor.
#include <initializer_list>

#include "vexa/events/EventSinks.h"
#include "vexa/interact/CellEditor.h"
#include "vexa/model/GridStore.h"
#include "vexa/platform/GSubclass.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kEscape = 27;

constexpr std::initializer_list<sys::UINT> kInputMessages = {
    sys::WM_KEYDOWN,     sys::WM_KEYUP,       sys::WM_CHAR,          sys::WM_MOUSEMOVE,
    sys::WM_LBUTTONDOWN, sys::WM_LBUTTONUP,   sys::WM_LBUTTONDBLCLK, sys::WM_RBUTTONDOWN,
    sys::WM_RBUTTONUP,   sys::WM_MBUTTONDOWN, sys::WM_MBUTTONUP,
};

std::int16_t ShiftFromKeys() {
    return std::int16_t((sys::GetKeyState(sys::VK_SHIFT) < 0 ? 1 : 0) |
                        (sys::GetKeyState(sys::VK_CONTROL) < 0 ? 2 : 0) |
                        (sys::GetKeyState(sys::VK_MENU) < 0 ? 4 : 0));
}

std::int16_t ShiftFromMouse(sys::WPARAM keys) {
    return std::int16_t(((keys & sys::MK_SHIFT) != 0 ? 1 : 0) |
                        ((keys & sys::MK_CONTROL) != 0 ? 2 : 0) |
                        (sys::GetKeyState(sys::VK_MENU) < 0 ? 4 : 0));
}

// The buttons held, in the events' numbering: 1 left, 2 right, 4 middle.
std::int16_t ButtonsHeld(sys::WPARAM keys) {
    return std::int16_t(((keys & sys::MK_LBUTTON) != 0 ? 1 : 0) |
                        ((keys & sys::MK_RBUTTON) != 0 ? 2 : 0) |
                        ((keys & sys::MK_MBUTTON) != 0 ? 4 : 0));
}

std::int16_t ButtonOf(sys::UINT msg) {
    switch (msg) {
        case sys::WM_LBUTTONDOWN:
        case sys::WM_LBUTTONUP:
            return 1;
        case sys::WM_RBUTTONDOWN:
        case sys::WM_RBUTTONUP:
            return 2;
        default:
            return 4;
    }
}

bool IsButtonDown(sys::UINT msg) {
    return msg == sys::WM_LBUTTONDOWN || msg == sys::WM_RBUTTONDOWN || msg == sys::WM_MBUTTONDOWN;
}

}  // namespace

void CellEditor::AttachInput(sys::HWND hwnd) {
    for (sys::UINT msg : kInputMessages) AttachMessage(this, hwnd, msg);
    if (settings_.customContextMenu) AttachMessage(this, hwnd, sys::WM_CONTEXTMENU);
}

void CellEditor::DetachInput(sys::HWND hwnd) {
    for (sys::UINT msg : kInputMessages) DetachMessage(this, hwnd, msg);
    DetachMessage(this, hwnd, sys::WM_CONTEXTMENU);
}

sys::LRESULT CellEditor::WindowProc(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                    sys::LPARAM lParam) {
    if (msg == sys::WM_CONTEXTMENU) {
        // The editor's own menu never shows while the host asked for the event instead.
        if (IsEditorInUse(hwnd)) {
            TableWalk walk(store_);
            const std::int32_t row = store_.CurrentRow(), col = store_.CurrentCol();
            events_.Raise("TextEditCustomContextMenu",
                          [&](VexaEvents& e) { e.TextEditCustomContextMenu(row, col); });
        }
        return 0;
    }
    if (!IsEditorInUse(hwnd)) return CallOldWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
        case sys::WM_KEYDOWN:
        case sys::WM_KEYUP:
            return OnKey(hwnd, msg, wParam, lParam);
        case sys::WM_CHAR:
            return OnChar(hwnd, wParam, lParam);
        default:
            return OnMouse(hwnd, msg, wParam, lParam);
    }
}

sys::LRESULT CellEditor::OnKey(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                               sys::LPARAM lParam) {
    {
        TableWalk walk(store_);
        const std::int32_t row = store_.CurrentRow(), col = store_.CurrentCol();
        const auto key = std::int16_t(wParam);
        const std::int16_t shift = ShiftFromKeys();
        if (msg == sys::WM_KEYDOWN) {
            events_.Raise("TextEditKeyDown",
                          [&](VexaEvents& e) { e.TextEditKeyDown(row, col, key, shift); });
        } else {
            events_.Raise("TextEditKeyUp",
                          [&](VexaEvents& e) { e.TextEditKeyUp(row, col, key, shift); });
        }
    }
    return sys::IsWindow(hwnd) ? CallOldWindowProc(hwnd, msg, wParam, lParam) : 0;
}

sys::LRESULT CellEditor::OnChar(sys::HWND hwnd, sys::WPARAM wParam, sys::LPARAM lParam) {
    // Characters beyond the 16-bit key code reach the host as U+FFFD and the editor as typed.
    const std::int16_t typed = std::int16_t(wParam <= 0xFFFF ? wParam : 0xFFFD);
    std::int16_t keyAscii = typed;
    {
        TableWalk walk(store_);
        const std::int32_t row = store_.CurrentRow(), col = store_.CurrentCol();
        events_.Raise("TextEditKeyPress",
                      [&](VexaEvents& e) { e.TextEditKeyPress(row, col, keyAscii); });
    }
    if (keyAscii == kEnter) {
        host_.EditorDidAskToCommit();
        return 0;
    }
    if (keyAscii == kEscape) {
        host_.EditorDidAskToCancel();
        return 0;
    }
    if (keyAscii == 0 || !sys::IsWindow(hwnd) || !IsEditorInUse(hwnd)) return 0;
    const sys::WPARAM character = keyAscii == typed ? wParam : sys::WPARAM(std::uint16_t(keyAscii));
    return CallOldWindowProc(hwnd, sys::WM_CHAR, character, lParam);
}

sys::LRESULT CellEditor::OnMouse(sys::HWND hwnd, sys::UINT msg, sys::WPARAM wParam,
                                 sys::LPARAM lParam) {
    {
        TableWalk walk(store_);
        const std::int32_t row = store_.CurrentRow(), col = store_.CurrentCol();
        const float x = sys::GET_X_LPARAM(lParam), y = sys::GET_Y_LPARAM(lParam);
        const std::int16_t shift = ShiftFromMouse(wParam);
        if (msg == sys::WM_LBUTTONDBLCLK) {
            events_.Raise("TextEditDblClick", [&](VexaEvents& e) { e.TextEditDblClick(row, col); });
        } else if (msg == sys::WM_MOUSEMOVE) {
            const std::int16_t buttons = ButtonsHeld(wParam);
            events_.Raise("TextEditMouseMove", [&](VexaEvents& e) {
                e.TextEditMouseMove(row, col, buttons, shift, x, y);
            });
        } else if (IsButtonDown(msg)) {
            const std::int16_t button = ButtonOf(msg);
            events_.Raise("TextEditMouseDown", [&](VexaEvents& e) {
                e.TextEditMouseDown(row, col, button, shift, x, y);
            });
        } else {
            const std::int16_t button = ButtonOf(msg);
            events_.Raise("TextEditMouseUp",
                          [&](VexaEvents& e) { e.TextEditMouseUp(row, col, button, shift, x, y); });
        }
    }
    return sys::IsWindow(hwnd) ? CallOldWindowProc(hwnd, msg, wParam, lParam) : 0;
}

}  // namespace vexa
