// The X selections as the program's clipboard and primary selection: the program owns the
// CLIPBOARD or PRIMARY selection while it offers text and answers other programs' requests
// for it (UTF8_STRING, STRING, TEXT, TARGETS, TIMESTAMP; large text in increments), and reads
// the text another program offers by converting the selection, waiting a bounded time for the
// answer and taking only the events of that exchange from the queue.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "vexa/system/window/DisplayBackend.h"

struct _XDisplay;
union _XEvent;

namespace vexa::sys {

class X11Selections {
  public:
    using Selection = DisplayBackend::SharedSelection;

    explicit X11Selections(_XDisplay* display);
    ~X11Selections();
    X11Selections(const X11Selections&) = delete;
    X11Selections& operator=(const X11Selections&) = delete;

    // How long another program may take to answer a request (and each increment of a large
    // answer) before the read gives up.
    void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    bool Offer(Selection selection, const std::optional<std::string>& utf8);
    std::optional<std::string> Read(Selection selection);
    bool HasText(Selection selection);
    // Handles the events of the selections (requests of other programs, the loss of a
    // selection, increments of large answers); false for any other event.
    bool HandleEvent(_XEvent& event);

  private:
    struct Offered {
        std::string text;        // valid UTF-8
        unsigned long time = 0;  // the server time the selection was taken at
    };
    // A large answer going out in increments, each one when the requestor took the last.
    struct OutgoingTransfer {
        unsigned long requestor = 0;
        unsigned long property = 0;
        unsigned long type = 0;
        std::string data;
        std::size_t sent = 0;
        std::chrono::steady_clock::time_point deadline;
    };
    enum class Outcome { Received, Refused, TimedOut };
    struct Received {
        Outcome outcome = Outcome::Refused;
        unsigned long type = 0;
        int format = 0;
        std::string bytes{};  // format 32 items come as Xlib gives them: one long each
    };
    using Deadline = std::chrono::steady_clock::time_point;

    unsigned long AtomOf(Selection selection) const;
    std::optional<Offered>& OfferedFor(unsigned long selectionAtom);
    unsigned long ServerTime();
    unsigned long CurrentOwner(unsigned long selectionAtom);
    Received Convert(unsigned long selectionAtom, unsigned long target);
    Received TakeProperty();
    Received TakeIncrements(Deadline deadline);
    std::optional<std::string> TextOf(const Received& received) const;
    template <typename Match>
    bool WaitFor(_XEvent& event, Match match, Deadline deadline);
    void Serve(_XEvent& request);
    bool Answer(_XEvent& request, unsigned long property, const Offered& offered);
    void Send(unsigned long requestor, unsigned long property, unsigned long type,
              std::string data);
    void ContinueTransfer(_XEvent& propertyEvent);
    bool IsOutgoingRequestor(unsigned long window) const;
    Deadline NextDeadline() const { return std::chrono::steady_clock::now() + timeout_; }

    _XDisplay* display_;
    unsigned long window_ = 0;  // an unmapped window of ours that owns and receives
    std::chrono::milliseconds timeout_{3000};
    std::size_t increment_ = 0;  // answers longer than this go in increments of this size
    std::array<std::optional<Offered>, 2> offered_;  // by Selection
    std::vector<OutgoingTransfer> outgoing_;
    struct {
        unsigned long clipboard, targets, timestamp, text, utf8String, incr, transfer, stamp;
    } atoms_{};
};

}  // namespace vexa::sys
