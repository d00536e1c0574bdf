// The drag-and-drop service: windows register drop targets, a drag source runs a drag with
// DoDragDrop, and the service carries the drag between the windows of the program and, where
// the display can, to and from other programs.
//
// A drag runs a message loop of its own while the mouse is captured: mouse moves and key
// changes go to the source (may the drag go on?) and to the target under the pointer (which
// effect would it perform?), the source shows the feedback, and releasing the button drops.
// Keyboard input belongs to the drag while it runs. The loop ends on a drop, on a cancel
// (Escape, the capture taken away, the program quitting) or when nothing can arrive any more
// (the headless display with nothing scheduled), and always gives the capture back.
#pragma once

#include <memory>

#include "vexa/system/dragdrop/DataObject.h"
#include "vexa/system/dragdrop/DropEffect.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// A window's drop target. Points are screen coordinates, keyState the MK_* bits. effect comes
// in as the effects the source allows and goes out as the one the target would perform
// (several bits let the key state choose among them; none refuses).
class DropTarget {
  public:
    virtual ~DropTarget() = default;
    virtual void DragEnter(const std::shared_ptr<DataObject>& data, DWORD keyState,
                           POINT screenPoint, DWORD& effect) = 0;
    virtual void DragOver(DWORD keyState, POINT screenPoint, DWORD& effect) = 0;
    virtual void DragLeave() = 0;
    // keyState carries the buttons that were dragging, although they are up by now.
    virtual void Drop(const std::shared_ptr<DataObject>& data, DWORD keyState, POINT screenPoint,
                      DWORD& effect) = 0;
};

enum class DragAction { Continue, Drop, Cancel };

// The source of a drag; the defaults are the classic ones.
class DropSource {
  public:
    virtual ~DropSource() = default;
    // Escape cancels; releasing every mouse button drops.
    virtual DragAction QueryContinueDrag(bool escapePressed, DWORD keyState);
    // Shows the feedback for the effect the target would perform; returns true to have the
    // service show the default cursor for it (DragCursorFor), false when it set one itself.
    virtual bool GiveFeedback(DWORD effect);
};

// The target of hwnd; a drag over a window without one goes to its nearest registered
// ancestor. False for an unknown window, no target or a window registered already. A window
// destroyed is forgotten (its target is not called again).
bool RegisterDragDrop(HWND hwnd, std::shared_ptr<DropTarget> target);
bool RevokeDragDrop(HWND hwnd);

struct DragOutcome {
    bool dropped = false;            // a target took the drop (its effect may still be none)
    DWORD effect = DROPEFFECT_NONE;  // the effect performed: none after a cancel
};

// Runs a drag of data allowing the given effects and returns when it ended. A drag started
// while one runs is refused at once (not dropped, no effect).
DragOutcome DoDragDrop(std::shared_ptr<DataObject> data, DropSource& source, DWORD allowedEffects);
bool IsDragging();

}  // namespace vexa::sys
