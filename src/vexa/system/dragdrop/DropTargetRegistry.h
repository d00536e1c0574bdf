// Which windows have drop targets (RegisterDragDrop); internal to the drag-and-drop service.
#pragma once

#include <memory>

#include "vexa/system/dragdrop/DragDrop.h"

namespace vexa::sys {

struct RegisteredTarget {
    HWND hwnd = 0;
    std::shared_ptr<DropTarget> target;
};

// The target of hwnd or of its nearest registered ancestor within its top-level window.
RegisteredTarget FindDropTarget(HWND hwnd);

}  // namespace vexa::sys
