#include "vexa/system/dragdrop/DropEffect.h"

#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

bool IsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

bool IsSingleEffect(DWORD effects) {
    return effects == DROPEFFECT_COPY || effects == DROPEFFECT_MOVE || effects == DROPEFFECT_LINK;
}

}  // namespace

DWORD DragKeyState() {
    DWORD state = 0;
    if (IsDown(VK_LBUTTON)) state |= MK_LBUTTON;
    if (IsDown(VK_RBUTTON)) state |= MK_RBUTTON;
    if (IsDown(VK_MBUTTON)) state |= MK_MBUTTON;
    if (IsDown(VK_SHIFT)) state |= MK_SHIFT;
    if (IsDown(VK_CONTROL)) state |= MK_CONTROL;
    if (IsDown(VK_MENU)) state |= MK_ALT;
    return state;
}

DWORD DefaultDropEffect(DWORD keyState, DWORD allowed) {
    allowed &= kDropEffectsMask;
    const bool ctrl = (keyState & MK_CONTROL) != 0;
    const bool shift = (keyState & MK_SHIFT) != 0;
    if (ctrl || shift) {
        const DWORD asked = ctrl && shift ? DROPEFFECT_LINK
                            : ctrl        ? DROPEFFECT_COPY
                                          : DROPEFFECT_MOVE;
        return allowed & asked;
    }
    for (DWORD effect : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK}) {
        if ((allowed & effect) != 0) return effect;
    }
    return DROPEFFECT_NONE;
}

DWORD ResolveDropEffect(DWORD keyState, DWORD allowed, DWORD answered) {
    const DWORD left = answered & allowed & kDropEffectsMask;
    if (left == DROPEFFECT_NONE || IsSingleEffect(left)) return left;
    return DefaultDropEffect(keyState, left);
}

HCURSOR DragCursorFor(DWORD effect) {
    switch (effect & kDropEffectsMask) {
        case DROPEFFECT_MOVE:
            return IDC_DRAGMOVE;
        case DROPEFFECT_COPY:
            return IDC_DRAGCOPY;
        case DROPEFFECT_LINK:
            return IDC_DRAGLINK;
        default:
            return IDC_NO;
    }
}

}  // namespace vexa::sys
