#include "vexa/system/display/X11Selections.h"

#include "vexa/system/automation/Utf8Text.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>

namespace vexa::sys {

namespace {

// Text longer than this from another program is refused rather than held.
constexpr std::size_t kLargestText = std::size_t(256) << 20;
constexpr long kWholeProperty = 0x1FFFFFFF;  // in 32-bit units, more than any property holds

std::size_t ItemSize(int format) {
    return format == 8 ? 1 : format == 16 ? sizeof(short) : sizeof(long);
}

int MillisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return int(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

}  // namespace

X11Selections::X11Selections(_XDisplay* display) : display_(display) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, 0, InputOnly,
                            nullptr, CWEventMask, &attributes);
    atoms_.clipboard = XInternAtom(display_, "CLIPBOARD", False);
    atoms_.targets = XInternAtom(display_, "TARGETS", False);
    atoms_.timestamp = XInternAtom(display_, "TIMESTAMP", False);
    atoms_.text = XInternAtom(display_, "TEXT", False);
    atoms_.utf8String = XInternAtom(display_, "UTF8_STRING", False);
    atoms_.incr = XInternAtom(display_, "INCR", False);
    atoms_.transfer = XInternAtom(display_, "VEXA_SELECTION", False);
    atoms_.stamp = XInternAtom(display_, "VEXA_TIMESTAMP", False);
    // A request as large as the server takes, less room for the request's own fields.
    increment_ = std::size_t(std::max(4096L, XMaxRequestSize(display_) * 4 - 1024));
}

X11Selections::~X11Selections() {
    // The server gives up the selections this window owns with it.
    XDestroyWindow(display_, window_);
    XFlush(display_);
}

unsigned long X11Selections::AtomOf(Selection selection) const {
    return selection == Selection::Clipboard ? atoms_.clipboard : XA_PRIMARY;
}

std::optional<X11Selections::Offered>& X11Selections::OfferedFor(unsigned long selectionAtom) {
    return offered_[selectionAtom == atoms_.clipboard ? 0 : 1];
}

// ---- Offering -----------------------------------------------------------------------------

bool X11Selections::Offer(Selection selection, const std::optional<std::string>& utf8) {
    const Atom atom = AtomOf(selection);
    std::optional<Offered>& offered = OfferedFor(atom);
    const Time time = ServerTime();
    if (!utf8) {
        offered.reset();
        XSetSelectionOwner(display_, atom, 0, time);  // empty for every program
        XFlush(display_);
        return true;
    }
    XSetSelectionOwner(display_, atom, window_, time);
    if (XGetSelectionOwner(display_, atom) != window_) {
        offered.reset();
        return false;
    }
    offered = Offered{RepairUtf8(*utf8), time};
    return true;
}

// The selections want a real server time, not CurrentTime, to order the changes of owner:
// appending nothing to a property of ours gets one.
unsigned long X11Selections::ServerTime() {
    XChangeProperty(display_, window_, atoms_.stamp, XA_INTEGER, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    const bool stamped = WaitFor(
        event,
        [&](const XEvent& e) {
            return e.type == PropertyNotify && e.xproperty.window == window_ &&
                   e.xproperty.atom == atoms_.stamp;
        },
        NextDeadline());
    return stamped ? event.xproperty.time : CurrentTime;
}

bool X11Selections::HandleEvent(XEvent& event) {
    switch (event.type) {
        case SelectionRequest:
            if (event.xselectionrequest.owner != window_) return false;
            Serve(event);
            return true;
        case SelectionClear:
            if (event.xselectionclear.window != window_) return false;
            // Another program took it; what we offered is gone for everyone.
            if (event.xselectionclear.selection == atoms_.clipboard ||
                event.xselectionclear.selection == XA_PRIMARY) {
                OfferedFor(event.xselectionclear.selection).reset();
            }
            return true;
        case PropertyNotify:
            if (IsOutgoingRequestor(event.xproperty.window)) {
                ContinueTransfer(event);
                return true;
            }
            return event.xproperty.window == window_;  // left over from a read or a time stamp
        case SelectionNotify:
            return event.xselection.requestor == window_;  // an answer that came too late
        default:
            return false;
    }
}

void X11Selections::Serve(XEvent& request) {
    const XSelectionRequestEvent& asked = request.xselectionrequest;
    // Clients of old name no property: the target is the property then.
    const Atom property = asked.property != 0 ? asked.property : asked.target;
    const bool known = asked.selection == atoms_.clipboard || asked.selection == XA_PRIMARY;
    const std::optional<Offered>& offered = OfferedFor(asked.selection);
    // A request made before we took the selection is for its previous owner.
    const bool current =
        known && offered && (asked.time == CurrentTime || asked.time >= offered->time);
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = asked.requestor;
    reply.xselection.selection = asked.selection;
    reply.xselection.target = asked.target;
    reply.xselection.time = asked.time;
    reply.xselection.property = current && Answer(request, property, *offered) ? property : 0;
    XSendEvent(display_, asked.requestor, False, NoEventMask, &reply);
    XFlush(display_);
}

bool X11Selections::Answer(XEvent& request, unsigned long property, const Offered& offered) {
    const XSelectionRequestEvent& asked = request.xselectionrequest;
    const Atom target = asked.target;
    if (target == atoms_.targets) {
        const Atom targets[] = {atoms_.targets, atoms_.timestamp, atoms_.utf8String, XA_STRING,
                                atoms_.text};
        XChangeProperty(display_, asked.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(targets), std::size(targets));
    } else if (target == atoms_.timestamp) {
        const long time = long(offered.time);
        XChangeProperty(display_, asked.requestor, property, XA_INTEGER, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&time), 1);
    } else if (target == atoms_.utf8String || target == atoms_.text) {
        Send(asked.requestor, property, atoms_.utf8String, offered.text);
    } else if (target == XA_STRING) {
        Send(asked.requestor, property, XA_STRING, Utf8ToLatin1(offered.text));
    } else {
        return false;
    }
    return true;
}

void X11Selections::Send(unsigned long requestor, unsigned long property, unsigned long type,
                         std::string data) {
    if (data.size() <= increment_) {
        XChangeProperty(display_, requestor, property, type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
        return;
    }
    // Too large for one request: announce the size, then send each increment when the
    // requestor deleted the property holding the previous one.
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(outgoing_, [&](const OutgoingTransfer& t) {
        return t.deadline < now || (t.requestor == requestor && t.property == property);
    });
    XSelectInput(display_, requestor, PropertyChangeMask);
    const long size = long(data.size());
    XChangeProperty(display_, requestor, property, atoms_.incr, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&size), 1);
    outgoing_.push_back(
        OutgoingTransfer{requestor, property, type, std::move(data), 0, NextDeadline()});
}

bool X11Selections::IsOutgoingRequestor(unsigned long window) const {
    return std::any_of(outgoing_.begin(), outgoing_.end(),
                       [window](const OutgoingTransfer& t) { return t.requestor == window; });
}

void X11Selections::ContinueTransfer(XEvent& event) {
    const XPropertyEvent& changed = event.xproperty;
    if (changed.state != PropertyDelete) return;
    const auto transfer = std::find_if(outgoing_.begin(), outgoing_.end(), [&](const auto& t) {
        return t.requestor == changed.window && t.property == changed.atom;
    });
    if (transfer == outgoing_.end()) return;
    // The last increment is an empty one.
    const std::size_t length = std::min(increment_, transfer->data.size() - transfer->sent);
    XChangeProperty(display_, transfer->requestor, transfer->property, transfer->type, 8,
                    PropModeReplace,
                    reinterpret_cast<const unsigned char*>(transfer->data.data() + transfer->sent),
                    int(length));
    transfer->sent += length;
    transfer->deadline = NextDeadline();
    if (length == 0) {
        XSelectInput(display_, transfer->requestor, NoEventMask);
        outgoing_.erase(transfer);
    }
    XFlush(display_);
}

// ---- Reading ------------------------------------------------------------------------------

std::optional<std::string> X11Selections::Read(Selection selection) {
    const Atom atom = AtomOf(selection);
    const Window owner = CurrentOwner(atom);
    if (owner == window_) return OfferedFor(atom)->text;
    if (owner == 0) return std::nullopt;
    // UTF-8 first; Latin-1 from programs that have only that.
    for (const Atom target : {atoms_.utf8String, XA_STRING}) {
        const Received received = Convert(atom, target);
        if (received.outcome == Outcome::TimedOut) return std::nullopt;
        if (auto text = TextOf(received)) return text;
    }
    return std::nullopt;
}

bool X11Selections::HasText(Selection selection) {
    const Atom atom = AtomOf(selection);
    const Window owner = CurrentOwner(atom);
    if (owner == window_) return true;
    if (owner == 0) return false;
    const Received received = Convert(atom, atoms_.targets);
    if (received.outcome != Outcome::Received || received.format != 32) return false;
    const auto* targets = reinterpret_cast<const long*>(received.bytes.data());
    const std::size_t count = received.bytes.size() / sizeof(long);
    return std::any_of(targets, targets + count, [&](long target) {
        return Atom(target) == atoms_.utf8String || Atom(target) == XA_STRING ||
               Atom(target) == atoms_.text;
    });
}

// The owner as the server has it now: another program may have taken the selection a moment
// ago, before its loss reached us.
unsigned long X11Selections::CurrentOwner(unsigned long selectionAtom) {
    const Window owner = XGetSelectionOwner(display_, selectionAtom);
    std::optional<Offered>& offered = OfferedFor(selectionAtom);
    if (owner != window_) offered.reset();
    return owner == window_ && !offered ? 0 : owner;
}

X11Selections::Received X11Selections::Convert(unsigned long selectionAtom, unsigned long target) {
    XDeleteProperty(display_, window_, atoms_.transfer);
    XConvertSelection(display_, selectionAtom, target, atoms_.transfer, window_, CurrentTime);
    XEvent event;
    const bool answered = WaitFor(
        event,
        [&](const XEvent& e) {
            return e.type == SelectionNotify && e.xselection.requestor == window_ &&
                   e.xselection.selection == selectionAtom && e.xselection.target == target;
        },
        NextDeadline());
    if (!answered) return Received{.outcome = Outcome::TimedOut};
    if (event.xselection.property == 0) return Received{.outcome = Outcome::Refused};
    Received received = TakeProperty();
    if (received.outcome == Outcome::Received && received.type == atoms_.incr) {
        return TakeIncrements(NextDeadline());
    }
    return received;
}

// Reads and deletes the transfer property; deleting it is what asks for the next increment.
X11Selections::Received X11Selections::TakeProperty() {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display_, window_, atoms_.transfer, 0, kWholeProperty, True,
                           AnyPropertyType, &type, &format, &count, &remaining, &data);
    if (status != Success || type == 0) {
        if (data != nullptr) XFree(data);
        return Received{.outcome = Outcome::Refused};
    }
    Received received{.outcome = Outcome::Received, .type = type, .format = format};
    received.bytes.assign(reinterpret_cast<const char*>(data), count * ItemSize(format));
    XFree(data);
    return received;
}

X11Selections::Received X11Selections::TakeIncrements(Deadline deadline) {
    Received whole{.outcome = Outcome::Received};
    for (;;) {
        XEvent event;
        const bool arrived = WaitFor(
            event,
            [&](const XEvent& e) {
                return e.type == PropertyNotify && e.xproperty.window == window_ &&
                       e.xproperty.atom == atoms_.transfer && e.xproperty.state == PropertyNewValue;
            },
            deadline);
        if (!arrived) return Received{.outcome = Outcome::TimedOut};
        const Received part = TakeProperty();
        if (part.outcome != Outcome::Received) return part;
        if (part.bytes.empty()) return whole;  // the empty increment ends it
        if (whole.bytes.size() + part.bytes.size() > kLargestText) return Received{};
        whole.type = part.type;
        whole.format = part.format;
        whole.bytes += part.bytes;
        deadline = NextDeadline();
    }
}

std::optional<std::string> X11Selections::TextOf(const Received& received) const {
    if (received.outcome != Outcome::Received || received.format != 8) return std::nullopt;
    // What another program sends is repaired, never trusted.
    if (received.type == atoms_.utf8String) return RepairUtf8(received.bytes);
    if (received.type == XA_STRING) return Latin1ToUtf8(received.bytes);
    return std::nullopt;
}

// Waits for the event `match` picks, serving other programs' requests to us meanwhile (two
// programs reading each other's selection must not wait on each other) and leaving every
// other event in the queue, in order, for the event loop.
template <typename Match>
bool X11Selections::WaitFor(XEvent& event, Match match, Deadline deadline) {
    const auto isSelectionTraffic = [](Display*, XEvent* e, XPointer self) -> Bool {
        const auto* selections = reinterpret_cast<const X11Selections*>(self);
        const Window window = e->xany.window;
        switch (e->type) {
            case SelectionRequest:
                return e->xselectionrequest.owner == selections->window_;
            case SelectionNotify:
                return e->xselection.requestor == selections->window_;
            case SelectionClear:
                return window == selections->window_;
            case PropertyNotify:
                return window == selections->window_ || selections->IsOutgoingRequestor(window);
            default:
                return False;
        }
    };
    for (;;) {
        while (
            XCheckIfEvent(display_, &event, isSelectionTraffic, reinterpret_cast<XPointer>(this))) {
            if (match(event)) return true;
            HandleEvent(event);
        }
        const int left = MillisecondsUntil(deadline);
        if (left == 0) return false;
        pollfd descriptor{ConnectionNumber(display_), POLLIN, 0};
        poll(&descriptor, 1, left);
    }
}

}  // namespace vexa::sys
