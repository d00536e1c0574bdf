#include "vexa/platform/GSubclass.h"

#include <string>
#include <vector>

#include "vexa/system/automation/Error.h"
#include "vexa/system/window/Window.h"

namespace vexa {

using namespace vexa::sys;

namespace {

// The library's executable name followed by the name of the dispatching procedure.
constexpr const char* kErrorSource = "Vexa250_75B4A91C.WindowProc";

enum SubclassError : std::int32_t {
    kCantSubclass = 13081,
    kAlreadyHandled = 13082,
    kInvalidWindow = 13083,
    kExternalWindow = 13084,
};

[[noreturn]] void Raise(std::int32_t code) {
    const char* message = "";
    switch (code) {
        case kCantSubclass:
            message = "Can't subclass window";
            break;
        case kAlreadyHandled:
            message = "Message already handled by another class";
            break;
        case kInvalidWindow:
            message = "Invalid window";
            break;
        case kExternalWindow:
            message = "Can't modify external window";
            break;
        default:
            break;
    }
    throw Error(ErrorNumberOf(code), kErrorSource, message);
}

// ---- Property names, built from decimal numbers as the bookkeeping is documented.
std::string OldProcName(HWND hwnd) {
    return std::to_string(hwnd);
}
std::string RegistrationCountName(HWND hwnd) {
    return std::to_string(hwnd) + "C";
}
std::string ClientCountName(HWND hwnd, UINT msg) {
    return "C" + std::to_string(msg) + "#" + std::to_string(hwnd);
}
std::string ClientName(HWND hwnd, UINT msg, std::intptr_t index) {
    return std::to_string(index) + "#" + std::to_string(msg) + "#" + std::to_string(hwnd);
}

ISubclass* ClientAt(HWND hwnd, UINT msg, std::intptr_t index) {
    return reinterpret_cast<ISubclass*>(GetProp(hwnd, ClientName(hwnd, msg, index)));
}

std::intptr_t FindClient(ISubclass* iwp, HWND hwnd, UINT msg) {
    const std::intptr_t count = GetProp(hwnd, ClientCountName(hwnd, msg));
    for (std::intptr_t i = 1; i <= count; ++i) {
        if (ClientAt(hwnd, msg, i) == iwp) return i;
    }
    return 0;
}

// What the thread is dispatching, for CurrentMessage and CallOldWindowProc.
struct DispatchState {
    UINT message = 0;
    WNDPROC oldProc = nullptr;
};
thread_local DispatchState tCurrent;

// Restores the outer dispatch state when a client's handling sends further messages.
class DispatchScope {
  public:
    explicit DispatchScope() : saved_(tCurrent) {}
    ~DispatchScope() { tCurrent = saved_; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

  private:
    DispatchState saved_;
};

LRESULT CallOld(WNDPROC oldProc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (oldProc == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    return CallWindowProc(oldProc, hwnd, msg, wParam, lParam);
}

LRESULT DispatchingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto oldProc = reinterpret_cast<WNDPROC>(GetProp(hwnd, OldProcName(hwnd)));
    const std::intptr_t count = GetProp(hwnd, ClientCountName(hwnd, msg));
    if (count <= 0) return CallOld(oldProc, hwnd, msg, wParam, lParam);

    // The clients as the message found them. Handling a message may detach clients (itself or
    // others) or destroy the window: numbering by position would then shift a later client out
    // of its turn, so each one is taken from this list and called only while it is still
    // registered, since a detached client may already be gone.
    std::vector<ISubclass*> clients;
    clients.reserve(std::size_t(count));
    for (std::intptr_t i = 1; i <= count; ++i) clients.push_back(ClientAt(hwnd, msg, i));
    const auto registered = [&](ISubclass* client) { return FindClient(client, hwnd, msg) != 0; };

    DispatchScope scope;
    LRESULT result = 0;
    bool oldCalled = false;
    // The window's own procedure runs at most once per message, and never for a window that
    // a client has destroyed meanwhile.
    const auto oldDue = [&] { return !oldCalled && IsWindow(hwnd); };
    const auto callOld = [&] {
        oldCalled = true;
        return CallOld(oldProc, hwnd, msg, wParam, lParam);
    };
    for (std::size_t i = 0; i < clients.size(); ++i) {
        ISubclass* client = clients[i];
        const bool last = i + 1 == clients.size();
        if (client == nullptr) {
            // An empty registration: the window's own handling stands in for it.
            if (oldDue()) result = callOld();
            continue;
        }
        if (!registered(client)) continue;
        tCurrent = DispatchState{msg, oldProc};
        EMsgResponse response = client->MsgResponse();
        if (i == 0 && response == emrPreprocess && oldDue()) {
            callOld();
            if (!registered(client)) continue;
        }
        result = client->WindowProc(hwnd, msg, wParam, lParam);
        if (last) {
            // Asked again, as the client may have changed its mind while handling the message;
            // one that detached meanwhile is held to the answer it gave before.
            if (registered(client)) response = client->MsgResponse();
            if (response == emrPostProcess && oldDue()) result = callOld();
        }
    }
    return result;
}

void Subclass(HWND hwnd) {
    const std::string countName = RegistrationCountName(hwnd);
    const std::intptr_t registrations = GetProp(hwnd, countName);
    if (registrations > 0) {
        SetProp(hwnd, countName, registrations + 1);
        return;
    }
    const LPARAM previous =
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LPARAM>(&DispatchingProc));
    if (previous == 0) Raise(kCantSubclass);
    // Still in place from a restore the window refused: the stored procedure stays the one to
    // forward to, or the dispatching procedure would forward to itself.
    if (previous != reinterpret_cast<LPARAM>(&DispatchingProc)) {
        SetProp(hwnd, OldProcName(hwnd), previous);
    }
    SetProp(hwnd, countName, 1);
}

void Unsubclass(HWND hwnd) {
    const std::string countName = RegistrationCountName(hwnd);
    const std::intptr_t registrations = GetProp(hwnd, countName);
    if (registrations <= 0) return;
    if (registrations > 1) {
        SetProp(hwnd, countName, registrations - 1);
        return;
    }
    RemoveProp(hwnd, countName);
    // A window in its last message keeps whatever procedure it has; the dispatching procedure
    // then stays in place with no clients and must still find the window's own procedure.
    if (SetWindowLongPtr(hwnd, GWLP_WNDPROC, GetProp(hwnd, OldProcName(hwnd))) != 0) {
        RemoveProp(hwnd, OldProcName(hwnd));
    }
}

}  // namespace

void AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
    if (!IsWindow(hwnd)) Raise(kInvalidWindow);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId()) Raise(kExternalWindow);
    // Checked before anything changes, so that a refused registration leaves the window's
    // registration count true and a later detach can restore the procedure.
    if (iwp != nullptr && FindClient(iwp, hwnd, iMsg) != 0) Raise(kAlreadyHandled);
    Subclass(hwnd);
    const std::string countName = ClientCountName(hwnd, iMsg);
    const std::intptr_t clients = GetProp(hwnd, countName) + 1;
    SetProp(hwnd, countName, clients);
    SetProp(hwnd, ClientName(hwnd, iMsg, clients), reinterpret_cast<std::intptr_t>(iwp));
}

void DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg) {
    if (!IsWindow(hwnd)) return;
    const std::intptr_t position = FindClient(iwp, hwnd, iMsg);
    // Only a registration that exists gives back its share of the window's count.
    if (position == 0) return;
    Unsubclass(hwnd);
    const std::string countName = ClientCountName(hwnd, iMsg);
    const std::intptr_t clients = GetProp(hwnd, countName);
    for (std::intptr_t i = position; i < clients; ++i) {
        SetProp(hwnd, ClientName(hwnd, iMsg, i), GetProp(hwnd, ClientName(hwnd, iMsg, i + 1)));
    }
    RemoveProp(hwnd, ClientName(hwnd, iMsg, clients));
    if (clients > 1) {
        SetProp(hwnd, countName, clients - 1);
    } else {
        RemoveProp(hwnd, countName);
    }
}

UINT CurrentMessage() {
    return tCurrent.message;
}

LRESULT CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    WNDPROC oldProc = tCurrent.oldProc;
    if (oldProc == nullptr) {
        oldProc = reinterpret_cast<WNDPROC>(GetProp(hwnd, OldProcName(hwnd)));
        if (oldProc == nullptr) return DefWindowProc(hwnd, iMsg, wParam, lParam);
    }
    return CallWindowProc(oldProc, hwnd, iMsg, wParam, lParam);
}

}  // namespace vexa
