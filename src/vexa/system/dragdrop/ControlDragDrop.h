// The component framework's drag-and-drop support for a control window: as a drag source when
// its owner calls OLEDrag, as a drop target while its drop mode is manual. The owner hears six
// notifications; every argument is passed by reference and read back when the handler returns,
// so the owner's changes (data, effects, cursor choice) go back into the drag.
#pragma once

#include <cstdint>
#include <memory>

#include "vexa/system/dragdrop/DragDrop.h"

namespace vexa::sys {

// Coordinates are the control's client pixels; Button is 1 left, 2 right, 4 middle; Shift is
// 1 Shift, 2 Ctrl, 4 Alt. Effects start as the ones the source allows; a handler that leaves
// them alone lets the key state choose.
class ControlDragDropEvents {
  public:
    virtual ~ControlDragDropEvents() = default;
    // Fill the data (or promise formats) and say which effects the drag allows (copy and move
    // to begin with). No format or no effect: the drag does not start.
    virtual void OLEStartDrag(std::shared_ptr<DataObject>& /*Data*/,
                              std::int32_t& /*AllowedEffects*/) {}
    // A target reads a promised format: supply it with Data->SetData(value, DataFormat).
    virtual void OLESetData(std::shared_ptr<DataObject>& /*Data*/, std::int16_t& /*DataFormat*/) {}
    // The effect the target would perform: keep the default cursor for it, or set a cursor and
    // clear DefaultCursors.
    virtual void OLEGiveFeedback(std::int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
    // State: vxDragEnter, vxDragLeave or vxDragOver.
    virtual void OLEDragOver(std::shared_ptr<DataObject>& /*Data*/, std::int32_t& /*Effect*/,
                             std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*x*/,
                             float& /*y*/, std::int16_t& /*State*/) {}
    virtual void OLEDragDrop(std::shared_ptr<DataObject>& /*Data*/, std::int32_t& /*Effect*/,
                             std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*x*/,
                             float& /*y*/) {}
    // The drag ended with this effect (none when cancelled or refused).
    virtual void OLECompleteDrag(std::int32_t& /*Effect*/) {}
};

class ControlDragDrop {
  public:
    ControlDragDrop(HWND control, ControlDragDropEvents& events);
    ~ControlDragDrop();
    ControlDragDrop(const ControlDragDrop&) = delete;
    ControlDragDrop& operator=(const ControlDragDrop&) = delete;

    std::int16_t OLEDropMode() const { return dropMode_; }
    // vxOLEDropNone or vxOLEDropManual; raises 380 (invalid property value) for others.
    void SetOLEDropMode(std::int16_t mode);
    // Runs a drag of the control's data (OLEStartDrag, the drag, OLECompleteDrag); returns the
    // final effect.
    std::int32_t OLEDrag();

  private:
    class Target;
    class Source;

    HWND control_;
    ControlDragDropEvents& events_;
    std::int16_t dropMode_ = vxOLEDropNone;
    std::shared_ptr<Target> target_;  // registered while the drop mode is manual
};

}  // namespace vexa::sys
