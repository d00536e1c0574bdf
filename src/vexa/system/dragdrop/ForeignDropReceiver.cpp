#include "vexa/system/dragdrop/ForeignDropReceiver.h"

#include "vexa/system/dragdrop/TransferFormats.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

void ForeignDropReceiver::InstallOnCurrentDisplay() {
    // Never destroyed: a display may still hold it while static destructors run.
    static auto* receiver = new ForeignDropReceiver();
    CurrentDisplay().SetIncomingDragSink(receiver);
}

void ForeignDropReceiver::IncomingDragEnter(const DisplayBackend::IncomingDrag& drag) {
    IncomingDragLeave();  // a drag that never ended is over now
    data_ = DataFromOtherProgram(drag.types, drag.fetch);
}

DWORD ForeignDropReceiver::IncomingDragOver(POINT screenPoint, DWORD keyState, DWORD allowed) {
    if (data_ == nullptr) return DROPEFFECT_NONE;
    effect_ = targets_.Over(WindowFromPoint(screenPoint), data_, keyState, screenPoint, allowed);
    return effect_;
}

void ForeignDropReceiver::IncomingDragLeave() {
    targets_.Leave();
    Release();
}

DWORD ForeignDropReceiver::IncomingDrop(POINT screenPoint, DWORD keyState, DWORD allowed) {
    if (data_ == nullptr || effect_ == DROPEFFECT_NONE) {
        IncomingDragLeave();
        return DROPEFFECT_NONE;
    }
    const DWORD effect = targets_.Drop(data_, keyState, screenPoint, allowed);
    Release();
    return effect;
}

void ForeignDropReceiver::Release() {
    // Data fetched stays readable; what was not fetched cannot be any more.
    if (data_ != nullptr) data_->SetRenderer(nullptr);
    data_.reset();
    effect_ = DROPEFFECT_NONE;
}

}  // namespace vexa::sys
