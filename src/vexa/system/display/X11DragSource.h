// A drag of the program carried to other X clients: finds the XDND-aware window under the
// pointer (through its proxy when it has one), enters it with the offered types, sends
// positions (one at a time: the next waits for the target's status, or for a patience limit),
// drops and waits a bounded time for the target to finish, serving the drag's selection
// meanwhile. A target that vanishes is noticed through its destruction and simply gone.
#pragma once

#include <optional>

#include "vexa/system/window/DisplayBackend.h"

union _XEvent;

namespace vexa::sys {

class X11DragDrop;

class X11DragSource {
  public:
    static constexpr int kStatusPatienceMs = 500;
    static constexpr int kFinishTimeoutMs = 3000;

    explicit X11DragSource(X11DragDrop& dnd) : dnd_(dnd) {}
    ~X11DragSource();

    DisplayBackend::DragPlace PlaceAt(POINT screenPoint);
    void Begin(const DisplayBackend::OutgoingDrag& drag);
    DWORD Over(POINT screenPoint, DWORD requestedEffect);
    void Leave();
    DWORD Drop();
    void End();
    bool HandleEvent(_XEvent& event);

  private:
    struct Peer {
        unsigned long window = 0;  // the XDND-aware window
        unsigned long sendTo = 0;  // where its messages go (its proxy, or itself)
        int version = 0;
        bool operator==(const Peer&) const = default;
    };
    struct Answer {
        bool accepted = false;
        unsigned long action = 0;
    };
    struct Position {
        POINT point;
        unsigned long action = 0;
        bool operator==(const Position&) const = default;
    };

    Peer AwarePeer(unsigned long window) const;
    void Enter(const Peer& peer);
    void SendPosition(const Position& position);
    void Forget();
    DWORD Accepted() const;
    void HandleStatus(const long (&data)[5]);
    void HandleFinished(const long (&data)[5]);
    void ServeSelection(_XEvent& event);
    void TargetVanished();

    X11DragDrop& dnd_;
    std::optional<DisplayBackend::OutgoingDrag> offer_;  // while a drag is under way
    Peer candidate_;                                     // under the pointer at the last look
    Peer target_;                                        // entered
    Answer answer_;                                      // the target's last status
    std::optional<Position> sent_;                       // the last position sent
    std::optional<Position> waiting_;                    // to send when the status comes
    bool awaitingStatus_ = false;
    std::uint64_t sentAtMs_ = 0;
    std::optional<Answer> finished_;  // the target's answer to the drop
    bool awaitingFinish_ = false;
};

}  // namespace vexa::sys
