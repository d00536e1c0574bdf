// Drag and drop between programs on X11, in the XDND protocol (version 5): the X11 display owns
// one X11DragDrop, which lets its top-level windows take drops (XdndAware), carries drags of the
// program to other clients (X11DragSource) and drags of other clients to the program
// (X11DropReceiver), and keeps what both need: the protocol's atoms, a helper window that
// owns the drag's selection and receives conversions, and careful access to other clients'
// windows, which may vanish or lie at any moment (X errors on them are trapped, every wait has
// a time limit, everything read from them is bounded).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vexa/system/display/X11ErrorTrap.h"
#include "vexa/system/window/DisplayBackend.h"

struct _XDisplay;
union _XEvent;

namespace vexa::sys {

class X11Display;
class X11DragSource;
class X11DropReceiver;

struct X11DndAtoms {
    unsigned long aware = 0, proxy = 0, enter = 0, position = 0, status = 0, leave = 0, drop = 0,
                  finished = 0, selection = 0, typeList = 0, actionList = 0, actionCopy = 0,
                  actionMove = 0, actionLink = 0, actionAsk = 0, actionPrivate = 0, targets = 0,
                  incr = 0, transfer = 0;
};

class X11DragDrop {
  public:
    static constexpr int kVersion = 5;
    static constexpr int kOldestVersion = 3;

    // isOwnWindow tells the X windows of the display's top-level windows.
    X11DragDrop(X11Display& display, std::function<bool(unsigned long)> isOwnWindow);
    ~X11DragDrop();
    X11DragDrop(const X11DragDrop&) = delete;
    X11DragDrop& operator=(const X11DragDrop&) = delete;

    // A top-level window was created: it takes drops (unwanted ones are refused when they come).
    void AnnounceAware(unsigned long window);
    // Handles the events of the protocol and of its selection; true when the event was one.
    bool HandleEvent(_XEvent& event);

    X11DragSource& Source() { return *source_; }
    X11DropReceiver& Receiver() { return *receiver_; }

    // ---- For the source and the receiver.
    _XDisplay* Connection() const;
    const X11DndAtoms& Atoms() const { return atoms_; }
    unsigned long HelperWindow() const { return helper_; }
    bool IsOwnWindow(unsigned long window) const { return isOwnWindow_(window); }
    unsigned long LastEventTime() const { return lastTime_; }
    std::uint64_t NowMs() const;
    // Handles events (the display's whole pump) for at most timeoutMs.
    void PumpEvents(int timeoutMs);
    unsigned long InternAtom(const std::string& name) const;
    // The name of an atom another client gave (bounded; nothing for an invalid atom).
    std::optional<std::string> AtomName(unsigned long atom) const;
    // Sends a protocol message; false when the window is gone.
    bool Send(unsigned long to, unsigned long window, unsigned long type, const long (&data)[5]);
    // Reads a property of another client's window, at most maxItems atoms / maxBytes bytes.
    std::vector<unsigned long> ReadAtoms(unsigned long window, unsigned long property,
                                         std::size_t maxItems) const;
    // Bytes of an 8-bit property, deleted after reading; nothing for another format or for the
    // incremental transfer, which is not taken.
    std::optional<std::string> TakeBytes(unsigned long window, unsigned long property,
                                         std::size_t maxBytes) const;
    // Listens to (or stops listening to) the destruction of another client's window.
    void WatchDestruction(unsigned long window, bool watch) const;
    DWORD EffectOf(unsigned long action) const;
    unsigned long ActionOf(DWORD effect) const;

  private:
    X11Display& display_;
    std::function<bool(unsigned long)> isOwnWindow_;
    X11DndAtoms atoms_;
    unsigned long helper_ = 0;
    unsigned long lastTime_ = 0;  // of the last input event: the drag's selection is owned since
    std::unique_ptr<X11DragSource> source_;
    std::unique_ptr<X11DropReceiver> receiver_;
};

}  // namespace vexa::sys
