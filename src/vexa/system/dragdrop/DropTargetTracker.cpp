#include "vexa/system/dragdrop/DropTargetTracker.h"

#include "vexa/system/dragdrop/DropTargetRegistry.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

// A target that throws has answered nothing: it refuses, and the drag goes on.
template <typename Call>
void Guarded(Call call) {
    try {
        call();
    } catch (...) {
    }
}

}  // namespace

void DropTargetTracker::Forget() {
    window_ = 0;
    target_.reset();
}

void DropTargetTracker::ForgetIfDestroyed() {
    if (target_ != nullptr && !IsWindow(window_)) Forget();
}

DWORD DropTargetTracker::Over(HWND windowUnderPoint, const std::shared_ptr<DataObject>& data,
                              DWORD keyState, POINT screenPoint, DWORD allowed) {
    ForgetIfDestroyed();
    const RegisteredTarget found = FindDropTarget(windowUnderPoint);
    const bool entering = found.target != target_ || found.hwnd != window_;
    if (entering) Leave();
    if (found.target == nullptr) return DROPEFFECT_NONE;
    window_ = found.hwnd;
    target_ = found.target;
    // Held here: the target may be revoked, and released, while it answers.
    const std::shared_ptr<DropTarget> target = found.target;
    DWORD effect = allowed;
    Guarded([&] {
        if (entering) {
            target->DragEnter(data, keyState, screenPoint, effect);
        } else {
            target->DragOver(keyState, screenPoint, effect);
        }
    });
    ForgetIfDestroyed();
    if (target_ != target) return DROPEFFECT_NONE;  // left while it answered
    return ResolveDropEffect(keyState, allowed, effect);
}

void DropTargetTracker::Leave() {
    ForgetIfDestroyed();
    if (target_ == nullptr) return;
    const std::shared_ptr<DropTarget> leaving = target_;
    Forget();
    Guarded([&] { leaving->DragLeave(); });
}

DWORD DropTargetTracker::Drop(const std::shared_ptr<DataObject>& data, DWORD keyState,
                              POINT screenPoint, DWORD allowed) {
    ForgetIfDestroyed();
    if (target_ == nullptr) return DROPEFFECT_NONE;
    const std::shared_ptr<DropTarget> dropping = target_;
    Forget();
    DWORD effect = allowed;
    bool answered = false;
    Guarded([&] {
        dropping->Drop(data, keyState, screenPoint, effect);
        answered = true;
    });
    return answered ? ResolveDropEffect(keyState, allowed, effect) : DROPEFFECT_NONE;
}

}  // namespace vexa::sys
