#include "vexa/system/display/X11DropReceiver.h"

// The window system's headers come first: Xlib's macros must not reach them.
#include "vexa/system/display/X11DragDrop.h"
#include "vexa/system/window/Messages.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>

namespace vexa::sys {

namespace {

constexpr std::size_t kMaxActions = 8;

}  // namespace

bool X11DropReceiver::HandleEvent(XEvent& event) {
    const X11DndAtoms& atoms = dnd_.Atoms();
    if (event.type == DestroyNotify && source_ != 0 && event.xdestroywindow.window == source_) {
        OnLeave();  // the source vanished in the middle of its drag
        return true;
    }
    if (event.type != ClientMessage || !dnd_.IsOwnWindow(event.xclient.window)) return false;
    const long(&data)[5] = event.xclient.data.l;
    const unsigned long type = event.xclient.message_type;
    const bool fromSource = source_ != 0 && static_cast<unsigned long>(data[0]) == source_;
    if (type == atoms.enter) {
        OnEnter(event.xclient.window, data);
    } else if (type == atoms.position) {
        if (fromSource) OnPosition(data);
    } else if (type == atoms.leave) {
        if (fromSource) OnLeave();
    } else if (type == atoms.drop) {
        if (fromSource) OnDrop(data);
    } else {
        return false;
    }
    return true;
}

void X11DropReceiver::OnEnter(unsigned long window, const long (&data)[5]) {
    const int version = int((static_cast<unsigned long>(data[1]) >> 24) & 0xFF);
    if (version < X11DragDrop::kOldestVersion) return;
    if (source_ != 0) OnLeave();  // a drag that never ended is over now
    source_ = static_cast<unsigned long>(data[0]);
    ourWindow_ = window;
    version_ = std::min(version, X11DragDrop::kVersion);
    types_ = OfferedTypes(data);
    ++drag_;
    dnd_.WatchDestruction(source_, true);
    if (sink_ == nullptr) return;
    DisplayBackend::IncomingDrag drag;
    drag.types = types_;
    drag.fetch = [this, number = drag_](const std::string& t) { return Fetch(number, t); };
    sink_->IncomingDragEnter(drag);
}

std::vector<std::string> X11DropReceiver::OfferedTypes(const long (&data)[5]) const {
    std::vector<unsigned long> atoms;
    if ((data[1] & 1) != 0) {
        atoms = dnd_.ReadAtoms(source_, dnd_.Atoms().typeList, kMaxTypes);
    } else {
        for (int i = 2; i < 5; ++i) atoms.push_back(static_cast<unsigned long>(data[i]));
    }
    std::vector<std::string> types;
    for (unsigned long atom : atoms) {
        const auto name = dnd_.AtomName(atom);
        if (name && !name->empty() && std::find(types.begin(), types.end(), *name) == types.end()) {
            types.push_back(*name);
        }
    }
    return types;
}

void X11DropReceiver::OnPosition(const long (&data)[5]) {
    const auto packed = static_cast<unsigned long>(data[2]);
    lastPoint_ = POINT{int((packed >> 16) & 0xFFFF), int(packed & 0xFFFF)};
    time_ = static_cast<unsigned long>(data[3]);
    lastAllowed_ = AllowedFor(static_cast<unsigned long>(data[4]));
    const DWORD effect =
        sink_ == nullptr ? 0 : sink_->IncomingDragOver(lastPoint_, ButtonState(), lastAllowed_);
    // Bit 1: positions are wanted everywhere, the target may answer differently anywhere.
    if (source_ != 0) Answer(dnd_.Atoms().status, (effect != 0 ? 1 : 0) | 2, effect);
}

void X11DropReceiver::OnLeave() {
    if (sink_ != nullptr) sink_->IncomingDragLeave();
    Reset();
}

void X11DropReceiver::OnDrop(const long (&data)[5]) {
    if (version_ >= 1 && data[2] != 0) time_ = static_cast<unsigned long>(data[2]);
    const DWORD effect =
        sink_ == nullptr ? 0 : sink_->IncomingDrop(lastPoint_, ButtonState(), lastAllowed_);
    if (source_ != 0) Answer(dnd_.Atoms().finished, effect != 0 ? 1 : 0, effect);
    Reset();
}

void X11DropReceiver::Reset() {
    dnd_.WatchDestruction(source_, false);
    source_ = 0;
    types_.clear();
    ++drag_;
}

void X11DropReceiver::Answer(unsigned long type, long flags, DWORD effect) {
    const unsigned long action = effect != 0 ? dnd_.ActionOf(effect) : None;
    long data[5] = {long(ourWindow_), flags, 0, 0, 0};
    // Status carries the action last, Finished right after the flags.
    data[type == dnd_.Atoms().status ? 4 : 2] = long(action);
    dnd_.Send(source_, source_, type, data);
}

DWORD X11DropReceiver::AllowedFor(unsigned long action) const {
    if (action != dnd_.Atoms().actionAsk) {
        const DWORD effect = dnd_.EffectOf(action);
        return effect != 0 ? effect : 1;  // an unknown action is at least a copy
    }
    DWORD allowed = 0;
    for (unsigned long listed : dnd_.ReadAtoms(source_, dnd_.Atoms().actionList, kMaxActions)) {
        allowed |= dnd_.EffectOf(listed);
    }
    return allowed != 0 ? allowed : 1 | 2 | 4;
}

DWORD X11DropReceiver::ButtonState() const {
    ::Display* connection = dnd_.Connection();
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    XQueryPointer(connection, DefaultRootWindow(connection), &root, &child, &rootX, &rootY, &x, &y,
                  &mask);
    DWORD state = 0;
    if ((mask & Button1Mask) != 0) state |= MK_LBUTTON;
    if ((mask & Button2Mask) != 0) state |= MK_MBUTTON;
    if ((mask & Button3Mask) != 0) state |= MK_RBUTTON;
    return state;
}

// ---- Data ---------------------------------------------------------------------------------------

std::optional<std::string> X11DropReceiver::Fetch(std::uint64_t drag, const std::string& type) {
    if (drag != drag_ || source_ == 0) return std::nullopt;
    if (std::find(types_.begin(), types_.end(), type) == types_.end()) return std::nullopt;
    ::Display* connection = dnd_.Connection();
    const unsigned long property = dnd_.Atoms().transfer;
    XDeleteProperty(connection, dnd_.HelperWindow(), property);
    XConvertSelection(connection, dnd_.Atoms().selection, dnd_.InternAtom(type), property,
                      dnd_.HelperWindow(), time_);
    unsigned long converted = None;
    if (!WaitForConversion(&converted) || converted == None) return std::nullopt;
    return dnd_.TakeBytes(dnd_.HelperWindow(), converted, kMaxTransferBytes);
}

// Waits for the source's answer alone: other events stay queued for the display.
bool X11DropReceiver::WaitForConversion(unsigned long* property) {
    ::Display* connection = dnd_.Connection();
    const std::uint64_t deadline = dnd_.NowMs() + kConversionTimeoutMs;
    const auto isAnswer = [](::Display*, XEvent* event, XPointer helper) -> Bool {
        return event->type == SelectionNotify &&
               event->xselection.requestor == *reinterpret_cast<::Window*>(helper);
    };
    ::Window helper = dnd_.HelperWindow();
    for (;;) {
        XEvent event;
        if (XCheckIfEvent(connection, &event, isAnswer, reinterpret_cast<XPointer>(&helper))) {
            *property = event.xselection.property;
            return true;
        }
        const std::uint64_t now = dnd_.NowMs();
        if (now >= deadline) return false;
        XFlush(connection);
        pollfd descriptor{ConnectionNumber(connection), POLLIN, 0};
        poll(&descriptor, 1, int(std::min<std::uint64_t>(deadline - now, 50)));
    }
}

}  // namespace vexa::sys
