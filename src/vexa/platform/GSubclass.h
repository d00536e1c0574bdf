// Per-message window subclassing: any number of clients register for single messages of a
// window; one dispatching procedure per window hands each registered message to its clients
// and to the window's previous procedure in the order their MsgResponse asks for. All
// bookkeeping lives in properties of the subclassed window, named from decimal numbers
// (h = handle, m = message, i = 1-based client number):
//   "h"        the previous window procedure
//   "hC"       number of (client, message) registrations on the window
//   "Cm#h"     number of clients of message m
//   "i#m#h"    client i of message m (a raw pointer; clients detach before they die)
// A message goes to the clients registered when it arrived, in order; one detached meanwhile
// (by itself, another client or the window's end) is not called for it any more, and the
// window's previous procedure runs at most once and not after the window is gone.
// Errors are vexa::Error with source "Vexa250_75B4A91C.WindowProc": 13081 "Can't subclass
// window", 13082 "Message already handled by another class", 13083 "Invalid window", 13084
// "Can't modify external window".
#pragma once

#include "vexa/platform/ISubclass.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

// The operations, callable directly by the control's objects.
void AttachMessage(ISubclass* iwp, sys::HWND hwnd, sys::UINT iMsg);
void DetachMessage(ISubclass* iwp, sys::HWND hwnd, sys::UINT iMsg);
// The message being dispatched to a client on this thread (0 outside any dispatch).
sys::UINT CurrentMessage();
// Calls the previous procedure of the window being dispatched (outside a dispatch: of hwnd,
// or DefWindowProc when hwnd is not subclassed) and returns its result.
sys::LRESULT CallOldWindowProc(sys::HWND hwnd, sys::UINT iMsg, sys::WPARAM wParam,
                               sys::LPARAM lParam);

// The front object: the same operations as members.
class GSubclass {
  public:
    void AttachMessage(ISubclass* iwp, sys::HWND hwnd, sys::UINT iMsg) {
        vexa::AttachMessage(iwp, hwnd, iMsg);
    }
    void DetachMessage(ISubclass* iwp, sys::HWND hwnd, sys::UINT iMsg) {
        vexa::DetachMessage(iwp, hwnd, iMsg);
    }
    sys::UINT CurrentMessage() const { return vexa::CurrentMessage(); }
    sys::LRESULT CallOldWindowProc(sys::HWND hwnd, sys::UINT iMsg, sys::WPARAM wParam,
                                   sys::LPARAM lParam) {
        return vexa::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
    }
};

}  // namespace vexa
