// Drags of other X clients over the program's windows: what the source offers (at most
// kMaxTypes types, read from its messages or its type list), its positions answered with the
// effect the program's target there chooses, the data converted from the drag's selection
// when the target reads it (bounded in time and size), and the drop finished. A source that
// vanishes ends its drag as if it had left. The source already chose the action from its
// modifier keys, so the targets hear only its buttons.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vexa/system/window/DisplayBackend.h"

union _XEvent;

namespace vexa::sys {

class X11DragDrop;

class X11DropReceiver {
  public:
    static constexpr std::size_t kMaxTypes = 64;
    static constexpr std::size_t kMaxTransferBytes = 16u << 20;
    static constexpr int kConversionTimeoutMs = 2000;

    explicit X11DropReceiver(X11DragDrop& dnd) : dnd_(dnd) {}

    void SetSink(DisplayBackend::IncomingDragSink* sink) { sink_ = sink; }
    bool HandleEvent(_XEvent& event);

  private:
    void OnEnter(unsigned long window, const long (&data)[5]);
    void OnPosition(const long (&data)[5]);
    void OnLeave();
    void OnDrop(const long (&data)[5]);
    void Reset();
    std::vector<std::string> OfferedTypes(const long (&data)[5]) const;
    DWORD AllowedFor(unsigned long action) const;
    DWORD ButtonState() const;
    void Answer(unsigned long type, long flags, DWORD effect);
    std::optional<std::string> Fetch(std::uint64_t drag, const std::string& type);
    bool WaitForConversion(unsigned long* property);

    X11DragDrop& dnd_;
    DisplayBackend::IncomingDragSink* sink_ = nullptr;
    unsigned long source_ = 0;     // the source's window while a drag is over us
    unsigned long ourWindow_ = 0;  // the window of ours the messages came to
    int version_ = 0;
    std::vector<std::string> types_;
    std::uint64_t drag_ = 0;  // numbers drags, so a late fetch of an old one fails
    POINT lastPoint_;
    DWORD lastAllowed_ = 0;
    unsigned long time_ = 0;  // the source's time of its last position or of the drop
};

}  // namespace vexa::sys
