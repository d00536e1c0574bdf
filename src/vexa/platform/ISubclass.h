// The interface of an object that wants to see messages of a window before or after the
// window's own procedure (see GSubclass).
#pragma once

#include "vexa/platform/PlatformEnums.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class ISubclass {
  public:
    virtual ~ISubclass() = default;

    // Read while the message is being dispatched: how this client wants it handled.
    virtual EMsgResponse MsgResponse() = 0;
    virtual void SetMsgResponse(EMsgResponse) {}

    // Handles a message it registered for and returns the message result. The result is
    // pointer-sized so that results such as handles survive.
    virtual sys::LRESULT WindowProc(sys::HWND hwnd, sys::UINT iMsg, sys::WPARAM wParam,
                                    sys::LPARAM lParam) = 0;
};

}  // namespace vexa
