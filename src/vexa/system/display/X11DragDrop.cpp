#include "vexa/system/display/X11DragDrop.h"

// The window system's headers come first: Xlib's macros must not reach them.
#include "vexa/system/display/X11Display.h"
#include "vexa/system/display/X11DragSource.h"
#include "vexa/system/display/X11DropReceiver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstring>

namespace vexa::sys {

namespace {

constexpr std::size_t kMaxAtomNameLength = 256;

}  // namespace

// ---- Shared protocol ---------------------------------------------------------------------------

X11DragDrop::X11DragDrop(X11Display& display, std::function<bool(unsigned long)> isOwnWindow)
    : display_(display), isOwnWindow_(std::move(isOwnWindow)) {
    ::Display* connection = Connection();
    const auto atom = [&](const char* name) { return XInternAtom(connection, name, False); };
    atoms_.aware = atom("XdndAware");
    atoms_.proxy = atom("XdndProxy");
    atoms_.enter = atom("XdndEnter");
    atoms_.position = atom("XdndPosition");
    atoms_.status = atom("XdndStatus");
    atoms_.leave = atom("XdndLeave");
    atoms_.drop = atom("XdndDrop");
    atoms_.finished = atom("XdndFinished");
    atoms_.selection = atom("XdndSelection");
    atoms_.typeList = atom("XdndTypeList");
    atoms_.actionList = atom("XdndActionList");
    atoms_.actionCopy = atom("XdndActionCopy");
    atoms_.actionMove = atom("XdndActionMove");
    atoms_.actionLink = atom("XdndActionLink");
    atoms_.actionAsk = atom("XdndActionAsk");
    atoms_.actionPrivate = atom("XdndActionPrivate");
    atoms_.targets = atom("TARGETS");
    atoms_.incr = atom("INCR");
    atoms_.transfer = atom("VEXA_DND_TRANSFER");
    // Unmapped and input-only: it owns the drag's selection, receives the answers of targets
    // and the data converted for us.
    helper_ = XCreateWindow(connection, DefaultRootWindow(connection), -10, -10, 1, 1, 0, 0,
                            InputOnly, CopyFromParent, 0, nullptr);
    source_ = std::make_unique<X11DragSource>(*this);
    receiver_ = std::make_unique<X11DropReceiver>(*this);
}

X11DragDrop::~X11DragDrop() {
    source_.reset();
    receiver_.reset();
    XDestroyWindow(Connection(), helper_);
}

_XDisplay* X11DragDrop::Connection() const {
    return display_.Connection();
}

std::uint64_t X11DragDrop::NowMs() const {
    return display_.NowMs();
}

void X11DragDrop::PumpEvents(int timeoutMs) {
    display_.PumpEvents(timeoutMs);
}

void X11DragDrop::AnnounceAware(unsigned long window) {
    const long version = kVersion;
    XChangeProperty(Connection(), window, atoms_.aware, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&version), 1);
}

bool X11DragDrop::HandleEvent(XEvent& event) {
    switch (event.type) {
        case MotionNotify:
        case ButtonPress:
        case ButtonRelease:
        case KeyPress:
        case KeyRelease:
            lastTime_ = event.xbutton.time;  // the same place in these events
            return false;
        default:
            return source_->HandleEvent(event) || receiver_->HandleEvent(event);
    }
}

unsigned long X11DragDrop::InternAtom(const std::string& name) const {
    return XInternAtom(Connection(), name.c_str(), False);
}

std::optional<std::string> X11DragDrop::AtomName(unsigned long atom) const {
    if (atom == None) return std::nullopt;
    X11ErrorTrap trap(Connection());
    char* name = XGetAtomName(Connection(), atom);
    if (trap.Failed() || name == nullptr) {
        if (name != nullptr) XFree(name);
        return std::nullopt;
    }
    std::string result(name, std::min(std::strlen(name), kMaxAtomNameLength));
    XFree(name);
    return result;
}

bool X11DragDrop::Send(unsigned long to, unsigned long window, unsigned long type,
                       const long (&data)[5]) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.display = Connection();
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    std::copy(std::begin(data), std::end(data), event.xclient.data.l);
    X11ErrorTrap trap(Connection());
    const Status sent = XSendEvent(Connection(), to, False, NoEventMask, &event);
    return sent != 0 && !trap.Failed();
}

std::vector<unsigned long> X11DragDrop::ReadAtoms(unsigned long window, unsigned long property,
                                                  std::size_t maxItems) const {
    X11ErrorTrap trap(Connection());
    ::Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(Connection(), window, property, 0, long(maxItems), False,
                                          AnyPropertyType, &type, &format, &count, &after, &data);
    std::vector<unsigned long> atoms;
    if (status == Success && !trap.Failed() && data != nullptr && format == 32 &&
        (type == XA_ATOM || type == XA_WINDOW)) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        atoms.assign(values, values + std::min<unsigned long>(count, maxItems));
    }
    if (data != nullptr) XFree(data);
    return atoms;
}

std::optional<std::string> X11DragDrop::TakeBytes(unsigned long window, unsigned long property,
                                                  std::size_t maxBytes) const {
    X11ErrorTrap trap(Connection());
    ::Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    // The length is in 32-bit units; what lies beyond the bound is cut off.
    const long length = long((maxBytes + 3) / 4);
    const int status = XGetWindowProperty(Connection(), window, property, 0, length, True,
                                          AnyPropertyType, &type, &format, &count, &after, &data);
    std::optional<std::string> bytes;
    if (status == Success && !trap.Failed() && type != atoms_.incr && format == 8) {
        const char* text = reinterpret_cast<const char*>(data);
        bytes = std::string(text == nullptr ? "" : text, text == nullptr ? 0 : count);
        if (bytes->size() > maxBytes) bytes->resize(maxBytes);
    }
    if (data != nullptr) XFree(data);
    if (after > 0) XDeleteProperty(Connection(), window, property);
    return bytes;
}

void X11DragDrop::WatchDestruction(unsigned long window, bool watch) const {
    if (window == 0 || isOwnWindow_(window)) return;
    X11ErrorTrap trap(Connection());
    XSelectInput(Connection(), window, watch ? StructureNotifyMask : NoEventMask);
}

DWORD X11DragDrop::EffectOf(unsigned long action) const {
    if (action == atoms_.actionMove) return 2;
    if (action == atoms_.actionLink) return 4;
    if (action == atoms_.actionCopy || action == atoms_.actionPrivate) return 1;
    return 0;
}

unsigned long X11DragDrop::ActionOf(DWORD effect) const {
    if ((effect & 2) != 0) return atoms_.actionMove;
    if ((effect & 1) != 0) return atoms_.actionCopy;
    if ((effect & 4) != 0) return atoms_.actionLink;
    return None;
}

}  // namespace vexa::sys
