// A form (a recording top-level window) holding edit controls, with helpers to type, press
// key chords and read the text, the selection and the notifications the form received.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "vexa/system/controls/ControlMessages.h"
#include "vexa/system/controls/EditControl.h"
#include "vexa/system/window/Caret.h"
#include "vexa/system/window/Clipboard.h"
#include "window/WindowTestSupport.h"

namespace vexa::sys::testing {

constexpr std::uintptr_t kEditId = 7;

class EditTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(RegisterEditControl());
        form_ = TopLevel(100, 100, 400, 300);
    }

    HWND Edit(UINT style = 0, const RECT& r = RECT{10, 10, 210, 34}, UINT exStyle = 0,
              const char* text = "") {
        HWND edit =
            CreateWindowEx(exStyle, kEditClassName, text, WS_CHILD | WS_VISIBLE | WS_BORDER | style,
                           r.left, r.top, r.Width(), r.Height(), form_, kEditId);
        PumpMessages();
        return edit;
    }
    // An edit with the focus, cleared notifications, ready for typing.
    HWND FocusedEdit(UINT style = ES_AUTOHSCROLL, const RECT& r = RECT{10, 10, 210, 34},
                     UINT exStyle = 0) {
        HWND edit = Edit(style, r, exStyle);
        SetFocus(edit);
        PumpMessages();
        Log().Clear();
        return edit;
    }

    static void Chord(std::vector<int> modifiers, int key) {
        for (int m : modifiers) display().KeyDown(m);
        display().KeyPress(key);
        for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) display().KeyUp(*it);
    }

  public:
    // Types a script: plain text is typed; {KEY} presses a key, with S- (Shift), C- (Ctrl) or
    // CS- before its name: {LEFT}, {C-A}, {S-END}, {CS-RIGHT}.
    static void Play(const std::string& script) {
        std::size_t i = 0;
        while (i < script.size()) {
            const std::size_t brace = script.find('{', i);
            if (brace != i) {
                display().TypeText(script.substr(i, brace - i));
                if (brace == std::string::npos) return;
            }
            const std::size_t close = script.find('}', brace);
            PlayKey(script.substr(brace + 1, close - brace - 1));
            i = close + 1;
        }
    }
    static void PlayKey(std::string name) {
        std::vector<int> modifiers;
        if (const std::size_t dash = name.find('-'); dash != std::string::npos && dash > 0) {
            for (char m : name.substr(0, dash))
                modifiers.push_back(m == 'S' ? VK_SHIFT : VK_CONTROL);
            name = name.substr(dash + 1);
        }
        static const std::map<std::string, int> kKeys = {
            {"LEFT", VK_LEFT},    {"RIGHT", VK_RIGHT}, {"UP", VK_UP},      {"DOWN", VK_DOWN},
            {"HOME", VK_HOME},    {"END", VK_END},     {"BACK", VK_BACK},  {"DEL", VK_DELETE},
            {"ENTER", VK_RETURN}, {"TAB", VK_TAB},     {"PGUP", VK_PRIOR}, {"PGDN", VK_NEXT},
            {"INS", VK_INSERT},   {"ESC", VK_ESCAPE},  {"APPS", VK_APPS},  {"F10", VK_F10}};
        const auto key = kKeys.find(name);
        Chord(modifiers, key != kKeys.end() ? key->second : int(name[0]));
    }
    static std::pair<int, int> Selection(HWND edit) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        return {int(start), int(end)};
    }
    // The edit notifications the form received, in order.
    static std::vector<UINT> Notifications() {
        std::vector<UINT> codes;
        for (const Received& r : Log().Of(WM_COMMAND)) codes.push_back(HIWORD(r.wParam));
        return codes;
    }
    static std::string ClipboardText() { return GetClipboardText().value_or("<none>"); }
    static void PutOnClipboard(const std::string& text) {
        OpenClipboard(0);
        EmptyClipboard();
        SetClipboardText(text);
        CloseClipboard();
    }
    // Client point of a character (its top-left corner, a little inside).
    static POINT ScreenPointOf(HWND edit, int index, int dx = 1, int dy = 2) {
        const LRESULT packed = SendMessage(edit, EM_POSFROMCHAR, WPARAM(index), 0);
        POINT p{GET_X_LPARAM(packed) + dx, GET_Y_LPARAM(packed) + dy};
        ClientToScreen(edit, &p);
        return p;
    }
    static void ClickAt(POINT screen) { display().Click(screen.x, screen.y); }
    // Pixels of the edit's client area (read back from the screen) that match.
    template <typename Predicate>
    static int CountPixels(HWND edit, Predicate matches) {
        RECT client;
        GetClientRect(edit, &client);
        int count = 0;
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x)
                count += matches(display().WindowPixel(edit, x, y), x) ? 1 : 0;
        }
        return count;
    }
    static int PixelsOf(HWND edit, COLORREF color) {
        return CountPixels(edit, [color](COLORREF pixel, int) { return pixel == color; });
    }

  protected:
    HWND form_ = 0;
};

}  // namespace vexa::sys::testing
