// Drag and drop: the grid takes part through its window's drag-and-drop support, as a drop
// target while OLEDropMode is manual and as a drag source when the host calls OLEDrag. The
// grid adds nothing of its own: each notification reaches the host as the grid's event with
// the same arguments, all by reference, so that the host's changes go back into the drag.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"

namespace vexa {

// ---- Members ----

std::int16_t Vexa::OLEDropMode() const {
    return parts_->dragDrop.OLEDropMode();
}

void Vexa::SetOLEDropMode(std::int16_t iMode) {
    parts_->dragDrop.SetOLEDropMode(iMode);
    PropertyChanged("OLEDropMode");
}

void Vexa::OLEDrag() {
    parts_->dragDrop.OLEDrag();
}

// ---- The forwarded notifications ----

void DragDropEventsAdapter::OLEStartDrag(std::shared_ptr<DataObject>& Data,
                                         std::int32_t& AllowedEffects) {
    parts_.events.Raise("OLEStartDrag",
                        [&](VexaEvents& e) { e.OLEStartDrag(Data, AllowedEffects); });
}

void DragDropEventsAdapter::OLESetData(std::shared_ptr<DataObject>& Data,
                                       std::int16_t& DataFormat) {
    parts_.events.Raise("OLESetData", [&](VexaEvents& e) { e.OLESetData(Data, DataFormat); });
}

void DragDropEventsAdapter::OLEGiveFeedback(std::int32_t& Effect, bool& DefaultCursors) {
    parts_.events.Raise("OLEGiveFeedback",
                        [&](VexaEvents& e) { e.OLEGiveFeedback(Effect, DefaultCursors); });
}

void DragDropEventsAdapter::OLEDragOver(std::shared_ptr<DataObject>& Data, std::int32_t& Effect,
                                        std::int16_t& Button, std::int16_t& Shift, float& x,
                                        float& y, std::int16_t& State) {
    parts_.events.Raise("OLEDragOver", [&](VexaEvents& e) {
        e.OLEDragOver(Data, Effect, Button, Shift, x, y, State);
    });
}

void DragDropEventsAdapter::OLEDragDrop(std::shared_ptr<DataObject>& Data, std::int32_t& Effect,
                                        std::int16_t& Button, std::int16_t& Shift, float& x,
                                        float& y) {
    parts_.events.Raise("OLEDragDrop",
                        [&](VexaEvents& e) { e.OLEDragDrop(Data, Effect, Button, Shift, x, y); });
}

void DragDropEventsAdapter::OLECompleteDrag(std::int32_t& Effect) {
    parts_.events.Raise("OLECompleteDrag", [&](VexaEvents& e) { e.OLECompleteDrag(Effect); });
}

}  // namespace vexa
