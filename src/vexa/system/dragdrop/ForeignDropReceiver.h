// Drags coming from other programs, as the display delivers them: the receiver turns what the
// other program offers into a data object and walks it over the registered targets exactly as
// a drag inside the program would be.
#pragma once

#include <memory>

#include "vexa/system/dragdrop/DropTargetTracker.h"
#include "vexa/system/window/DisplayBackend.h"

namespace vexa::sys {

class ForeignDropReceiver final : public DisplayBackend::IncomingDragSink {
  public:
    // Makes the display in use deliver drags from other programs here.
    static void InstallOnCurrentDisplay();

    void IncomingDragEnter(const DisplayBackend::IncomingDrag& drag) override;
    DWORD IncomingDragOver(POINT screenPoint, DWORD keyState, DWORD allowed) override;
    void IncomingDragLeave() override;
    DWORD IncomingDrop(POINT screenPoint, DWORD keyState, DWORD allowed) override;

  private:
    void Release();

    DropTargetTracker targets_;
    std::shared_ptr<DataObject> data_;  // of the drag under way, nullptr between drags
    DWORD effect_ = DROPEFFECT_NONE;    // the last answer to the other program
};

}  // namespace vexa::sys
