// One drag (DoDragDrop): the loop, the capture, the keyboard, the source's decisions and the
// targets under the pointer, in this program or, through the display, in another one.
//
// The mouse is captured by a hidden child of the top-level window the drag starts in, so that
// a display that grabs the pointer for a captured window has a shown window to grab with. Keys
// reach the drag through the window system's get-message hook, whichever loop pumps them.
#pragma once

#include <memory>

#include "vexa/system/dragdrop/DragDrop.h"
#include "vexa/system/dragdrop/DropTargetTracker.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

class DragSession {
  public:
    DragSession(std::shared_ptr<DataObject> data, DropSource& source, DWORD allowedEffects);
    ~DragSession();
    DragSession(const DragSession&) = delete;
    DragSession& operator=(const DragSession&) = delete;

    static bool Running() { return running_ != nullptr; }
    DragOutcome Run();

  private:
    static LRESULT TrackerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void TakeKeyboard(MSG* msg);

    bool Start();
    void RunLoop();
    // Steps run one at a time: input arriving while a target or the source is being asked
    // (a handler pumping messages) makes the running step go once more.
    void RequestStep();
    void Step();
    void MoveTo(POINT screenPoint, DWORD keyState);
    DWORD OverOtherProgram(POINT screenPoint, DWORD keyState);
    void LeaveOtherProgram();
    void ShowFeedback();
    void DropAt(POINT screenPoint, DWORD keyState);
    void Cancel();
    void Finish(DragOutcome outcome);

    static DragSession* running_;

    std::shared_ptr<DataObject> data_;
    DropSource& source_;
    DWORD allowed_;
    HWND tracker_ = 0;
    GetMessageHook previousHook_ = nullptr;
    HCURSOR cursorBefore_ = 0;
    DropTargetTracker targets_;
    DWORD effect_ = DROPEFFECT_NONE;  // what the target under the pointer would perform
    DWORD draggingButtons_ = 0;       // the buttons held at the last step
    bool moved_ = false;              // the pointer was taken to a target at least once
    bool overOtherProgram_ = false;
    bool offeredToOtherPrograms_ = false;
    bool escapePressed_ = false;
    bool started_ = false;  // the capture, the hook and the cursor are the drag's
    bool stepping_ = false;
    bool stepAgain_ = false;
    bool done_ = false;
    DragOutcome outcome_;
};

}  // namespace vexa::sys
