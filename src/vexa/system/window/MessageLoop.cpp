// Sending, posting, the queue and the loop: posted and input messages first, then paint
// messages for windows with an update region, then timer messages, as the classic loop does.
#include <algorithm>

#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/KeyboardLayout.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowSystem.h"

namespace vexa::sys {

using namespace window_detail;

namespace {

WindowSystem& Ws() {
    return WindowSystem::Get();
}

// Enough for any real backlog; stops a procedure that posts itself a message per message
// from hanging the caller of PumpMessages.
constexpr int kPumpLimit = 1000000;

bool InRange(UINT message, UINT minMsg, UINT maxMsg) {
    if (minMsg == 0 && maxMsg == 0) return true;
    return message >= minMsg && message <= maxMsg;
}

MSG Stamp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = DWORD(Ws().Now());
    msg.pt = Ws().cursor;
    return msg;
}

bool TakeFrom(std::deque<MSG>& queue, MSG* out, HWND filter, UINT minMsg, UINT maxMsg,
              bool remove) {
    auto found = std::find_if(queue.begin(), queue.end(), [&](const MSG& m) {
        return (filter == 0 || m.hwnd == filter) && InRange(m.message, minMsg, maxMsg);
    });
    if (found == queue.end()) return false;
    *out = *found;
    if (remove) queue.erase(found);
    return true;
}

// Posted messages go before input, as the classic loop takes them: a message a handler posts
// is handled before the keys and clicks that were already waiting.
bool TakeQueued(MSG* out, HWND filter, UINT minMsg, UINT maxMsg, bool remove) {
    WindowSystem& ws = Ws();
    return TakeFrom(ws.queue, out, filter, minMsg, maxMsg, remove) ||
           TakeFrom(ws.inputQueue, out, filter, minMsg, maxMsg, remove);
}

bool TakePaint(MSG* out, HWND filter, UINT minMsg, UINT maxMsg) {
    if (!InRange(WM_PAINT, minMsg, maxMsg)) return false;
    const HWND hwnd = NextWindowToPaint(filter);
    if (hwnd == 0) return false;
    *out = Stamp(hwnd, WM_PAINT, 0, 0);
    return true;
}

bool TakeTimer(MSG* out, HWND filter, UINT minMsg, UINT maxMsg, bool remove) {
    if (!InRange(WM_TIMER, minMsg, maxMsg)) return false;
    WindowSystem& ws = Ws();
    const std::uint64_t now = ws.Now();
    auto due = remove ? ws.timers.TakeDue(now, filter) : ws.timers.PeekDue(now, filter);
    if (!due) return false;
    *out = Stamp(due->hwnd, WM_TIMER, WPARAM(due->id), reinterpret_cast<LPARAM>(due->proc));
    return true;
}

bool TakeQuit(MSG* out, bool remove) {
    WindowSystem& ws = Ws();
    if (!ws.quitPosted) return false;
    *out = Stamp(0, WM_QUIT, WPARAM(ws.quitCode), 0);
    if (remove) ws.quitPosted = false;
    return true;
}

LRESULT DispatchTimer(const MSG& msg) {
    // A timer killed after its message was taken does not tick any more.
    if (!Ws().timers.Exists(msg.hwnd, std::uintptr_t(msg.wParam))) return 0;
    // The procedure called is the one the timer was set with: a WM_TIMER posted by hand
    // with some other number in lParam must not make the loop jump to it.
    const TIMERPROC proc = Ws().timers.ProcOf(msg.hwnd, std::uintptr_t(msg.wParam));
    if (msg.lParam != 0 && msg.lParam != reinterpret_cast<LPARAM>(proc)) return 0;
    if (proc != nullptr && msg.lParam != 0) {
        proc(msg.hwnd, WM_TIMER, std::uintptr_t(msg.wParam), msg.time);
        return 0;
    }
    WindowRecord* w = Ws().Find(msg.hwnd);
    return w == nullptr ? 0 : DeliverMessage(*w, WM_TIMER, msg.wParam, msg.lParam);
}

bool SameMessage(const MSG& a, const MSG& b) {
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam &&
           a.lParam == b.lParam && a.time == b.time;
}

// The characters the display's keyboard typed with this key-down, when it posted it.
std::optional<std::u32string> TakeTypedText(const MSG& msg) {
    auto& typed = Ws().typedKey;
    if (!typed || !SameMessage(typed->message, msg)) return std::nullopt;
    std::u32string text = std::move(typed->text);
    typed.reset();
    return text;
}

// Posted, so the characters come before the input still waiting (the key-up among it).
bool PostCharacters(const MSG& keyDown, const std::u32string& characters) {
    MSG charMsg = keyDown;
    charMsg.message = keyDown.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    for (char32_t c : characters) {
        charMsg.wParam = WPARAM(c);
        Ws().queue.push_back(charMsg);
    }
    return !characters.empty();
}

}  // namespace

LRESULT window_detail::DeliverMessage(WindowRecord& w, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = w.proc;
    return proc == nullptr ? 0 : proc(w.hwnd, msg, wParam, lParam);
}

bool window_detail::PostInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Ws().Find(hwnd) == nullptr) return false;
    Ws().inputQueue.push_back(Stamp(hwnd, msg, wParam, lParam));
    return true;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRecord* w = Ws().Find(hwnd);
    return w == nullptr ? 0 : DeliverMessage(*w, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd != 0 && Ws().Find(hwnd) == nullptr) return false;
    Ws().queue.push_back(Stamp(hwnd, msg, wParam, lParam));
    return true;
}

void PostQuitMessage(int exitCode) {
    Ws().quitPosted = true;
    Ws().quitCode = exitCode;
}

bool PeekMessage(MSG* msg, HWND filter, UINT minMsg, UINT maxMsg, UINT removeFlags) {
    if (msg == nullptr) return false;
    RunDeferredUpdates();
    WindowSystem& ws = Ws();
    ws.Display().PumpEvents(0);
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    const bool found = TakeQueued(msg, filter, minMsg, maxMsg, remove) ||
                       TakePaint(msg, filter, minMsg, maxMsg) ||
                       TakeTimer(msg, filter, minMsg, maxMsg, remove) ||
                       (filter == 0 && TakeQuit(msg, remove));  // WM_QUIT ignores the range
    if (!found) {
        FlushSurfaces();
        return false;
    }
    if (remove && ws.getMessageHook != nullptr) ws.getMessageHook(msg);
    if (remove) ws.lastMessage = *msg;
    return true;
}

GetMessageHook SetGetMessageHook(GetMessageHook hook) {
    const GetMessageHook previous = Ws().getMessageHook;
    Ws().getMessageHook = hook;
    return previous;
}

int GetMessage(MSG* msg, HWND filter, UINT minMsg, UINT maxMsg) {
    if (msg == nullptr) return -1;
    WindowSystem& ws = Ws();
    for (;;) {
        if (PeekMessage(msg, filter, minMsg, maxMsg, PM_REMOVE)) {
            return msg->message == WM_QUIT ? 0 : 1;
        }
        const auto next = ws.timers.NextDue();
        const std::uint64_t now = ws.Now();
        const int timeout =
            next ? int(std::min<std::uint64_t>(*next > now ? *next - now : 0, 0x7FFFFFFF)) : -1;
        if (!ws.Display().PumpEvents(timeout) && !next) return -1;
    }
}

bool TranslateMessage(const MSG* msg) {
    if (msg == nullptr) return false;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return false;
    if (auto typed = TakeTypedText(*msg)) return PostCharacters(*msg, *typed);
    const auto& keys = Ws().keys;
    const bool shift = (keys[VK_SHIFT] & 0x80) != 0;
    const bool ctrl = (keys[VK_CONTROL] & 0x80) != 0;
    const bool alt = (keys[VK_MENU] & 0x80) != 0;
    const bool caps = (keys[VK_CAPITAL] & 0x01) != 0;
    if (ctrl && alt) return false;  // no character for Ctrl+Alt chords on this layout
    auto character = KeyboardLayout::CharacterFor(int(msg->wParam), shift, caps, ctrl);
    if (!character) return false;
    return PostCharacters(*msg, std::u32string(1, *character));
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr) return 0;
    if (msg->message == WM_PAINT) return DeliverPaint(msg->hwnd, msg->wParam, msg->lParam);
    if (msg->message == WM_TIMER) return DispatchTimer(*msg);
    WindowRecord* w = Ws().Find(msg->hwnd);
    return w == nullptr ? 0 : DeliverMessage(*w, msg->message, msg->wParam, msg->lParam);
}

int PumpMessages() {
    MSG msg;
    int dispatched = 0;
    while (dispatched < kPumpLimit && PeekMessage(&msg, 0, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the program's own loop, which ends on it.
            PostQuitMessage(int(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        ++dispatched;
    }
    FlushSurfaces();
    return dispatched;
}

DWORD GetMessageTime() {
    return Ws().lastMessage.time;
}

DWORD GetMessagePos() {
    const POINT pt = Ws().lastMessage.pt;
    return DWORD(MAKELPARAM(pt.x, pt.y));
}

DWORD GetTickCount() {
    return DWORD(Ws().Now());
}

int MillisecondsToNextTimer() {
    WindowSystem& ws = Ws();
    const std::optional<std::uint64_t> due = ws.timers.NextDue();
    if (!due) return -1;
    const std::uint64_t now = ws.Now();
    return *due <= now ? 0 : int(std::min<std::uint64_t>(*due - now, INT32_MAX));
}

namespace {

void SendToTree(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SendMessage(hwnd, msg, wParam, lParam);
    const WindowRecord* w = Ws().Find(hwnd);
    if (w == nullptr) return;
    for (HWND child : std::vector<HWND>(w->children)) SendToTree(child, msg, wParam, lParam);
}

}  // namespace

void BroadcastMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool includeChildren) {
    const std::vector<HWND> targets = Ws().topLevels;
    for (HWND hwnd : targets) {
        if (includeChildren) {
            SendToTree(hwnd, msg, wParam, lParam);
        } else {
            SendMessage(hwnd, msg, wParam, lParam);
        }
    }
}

}  // namespace vexa::sys
