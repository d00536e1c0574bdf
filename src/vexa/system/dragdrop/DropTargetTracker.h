// Follows a drag from target to target: DragEnter when the pointer reaches a registered window,
// DragOver while it stays, DragLeave when it goes, Drop at the end. A target whose window was
// destroyed is forgotten without a word; one revoked while the pointer is over it is left.
#pragma once

#include <memory>

#include "vexa/system/dragdrop/DragDrop.h"

namespace vexa::sys {

class DropTargetTracker {
  public:
    // Moves onto the target of the window under the point (0: none) and returns the effect
    // it would perform.
    DWORD Over(HWND windowUnderPoint, const std::shared_ptr<DataObject>& data, DWORD keyState,
               POINT screenPoint, DWORD allowed);
    void Leave();
    // Drops on the current target and returns the effect it performed; none without one.
    DWORD Drop(const std::shared_ptr<DataObject>& data, DWORD keyState, POINT screenPoint,
               DWORD allowed);
    bool HasTarget() const { return target_ != nullptr; }

  private:
    void Forget();
    void ForgetIfDestroyed();

    HWND window_ = 0;
    std::shared_ptr<DropTarget> target_;
};

}  // namespace vexa::sys
