#include "vexa/system/display/X11DragSource.h"

// The window system's headers come first: Xlib's macros must not reach them.
#include "vexa/system/display/X11DragDrop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>

namespace vexa::sys {

namespace {

constexpr int kMaxWindowDepth = 16;

}  // namespace

X11DragSource::~X11DragSource() {
    End();
}

// ---- Who is under the pointer -------------------------------------------------------------

X11DragSource::Peer X11DragSource::AwarePeer(unsigned long window) const {
    const auto version = dnd_.ReadAtoms(window, dnd_.Atoms().aware, 1);
    if (version.empty() || long(version[0]) < X11DragDrop::kOldestVersion) return {};
    Peer peer{window, window, int(std::min<unsigned long>(version[0], X11DragDrop::kVersion))};
    // A proxy counts only when it names itself as its own proxy.
    const auto proxy = dnd_.ReadAtoms(window, dnd_.Atoms().proxy, 1);
    if (!proxy.empty() && proxy[0] != 0) {
        const auto confirmed = dnd_.ReadAtoms(proxy[0], dnd_.Atoms().proxy, 1);
        if (!confirmed.empty() && confirmed[0] == proxy[0]) peer.sendTo = proxy[0];
    }
    return peer;
}

DisplayBackend::DragPlace X11DragSource::PlaceAt(POINT screenPoint) {
    ::Display* connection = dnd_.Connection();
    const ::Window root = DefaultRootWindow(connection);
    ::Window current = root;
    candidate_ = {};
    // Down the stack of windows under the point (through a window manager's frames) to ours or
    // to one that takes drops.
    for (int depth = 0; depth < kMaxWindowDepth; ++depth) {
        ::Window child = None;
        int x = 0;
        int y = 0;
        X11ErrorTrap trap(connection);
        const bool found = XTranslateCoordinates(connection, root, current, screenPoint.x,
                                                 screenPoint.y, &x, &y, &child) != 0;
        if (trap.Failed() || !found || child == None) break;
        current = child;
        if (dnd_.IsOwnWindow(current)) return DisplayBackend::DragPlace::OwnWindow;
        candidate_ = AwarePeer(current);
        if (candidate_.window != 0) return DisplayBackend::DragPlace::OtherProgram;
    }
    return DisplayBackend::DragPlace::Nowhere;
}

// ---- The drag ---------------------------------------------------------------------------------

void X11DragSource::Begin(const DisplayBackend::OutgoingDrag& drag) {
    End();
    offer_ = drag;
    ::Display* connection = dnd_.Connection();
    std::vector<unsigned long> types;
    for (const std::string& type : drag.types) types.push_back(dnd_.InternAtom(type));
    XChangeProperty(connection, dnd_.HelperWindow(), dnd_.Atoms().typeList, XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(types.data()),
                    int(types.size()));
    XSetSelectionOwner(connection, dnd_.Atoms().selection, dnd_.HelperWindow(),
                       dnd_.LastEventTime());
}

void X11DragSource::Enter(const Peer& peer) {
    target_ = peer;
    answer_ = {};
    sent_.reset();
    waiting_.reset();
    awaitingStatus_ = false;
    dnd_.WatchDestruction(peer.window, true);
    const std::size_t typeCount = offer_->types.size();
    long data[5] = {long(dnd_.HelperWindow()), long(peer.version) << 24, 0, 0, 0};
    if (typeCount > 3) data[1] |= 1;  // the whole list is in XdndTypeList
    for (std::size_t i = 0; i < std::min<std::size_t>(typeCount, 3); ++i) {
        data[2 + i] = long(dnd_.InternAtom(offer_->types[i]));
    }
    if (!dnd_.Send(peer.sendTo, peer.window, dnd_.Atoms().enter, data)) TargetVanished();
}

DWORD X11DragSource::Over(POINT screenPoint, DWORD requestedEffect) {
    if (!offer_) return 0;
    if (candidate_.window != 0 && !(candidate_ == target_)) {
        Leave();
        Enter(candidate_);
    }
    if (target_.window == 0) return 0;
    const DWORD effect = requestedEffect != 0 ? requestedEffect : offer_->allowedEffects;
    const Position position{screenPoint, dnd_.ActionOf(effect)};
    const bool patient = dnd_.NowMs() - sentAtMs_ < std::uint64_t(kStatusPatienceMs);
    if (awaitingStatus_ && patient) {
        waiting_ = position;
    } else if (!sent_ || !(*sent_ == position)) {
        SendPosition(position);
    }
    return Accepted();
}

void X11DragSource::SendPosition(const Position& position) {
    const long data[5] = {long(dnd_.HelperWindow()), 0,
                          long((position.point.x & 0xFFFF) << 16 | (position.point.y & 0xFFFF)),
                          long(dnd_.LastEventTime()), long(position.action)};
    sent_ = position;
    waiting_.reset();
    awaitingStatus_ = true;
    sentAtMs_ = dnd_.NowMs();
    if (!dnd_.Send(target_.sendTo, target_.window, dnd_.Atoms().position, data)) TargetVanished();
}

DWORD X11DragSource::Accepted() const {
    if (!answer_.accepted || !offer_) return 0;
    const DWORD effect = dnd_.EffectOf(answer_.action);
    // An old target names no action: the one asked for stands.
    const DWORD performed = effect != 0 ? effect : dnd_.EffectOf(sent_ ? sent_->action : 0);
    return performed & offer_->allowedEffects;
}

void X11DragSource::Leave() {
    if (target_.window == 0) return;
    const long data[5] = {long(dnd_.HelperWindow()), 0, 0, 0, 0};
    dnd_.Send(target_.sendTo, target_.window, dnd_.Atoms().leave, data);
    Forget();
}

void X11DragSource::Forget() {
    dnd_.WatchDestruction(target_.window, false);
    target_ = {};
    answer_ = {};
    sent_.reset();
    waiting_.reset();
    awaitingStatus_ = false;
    awaitingFinish_ = false;
}

DWORD X11DragSource::Drop() {
    if (target_.window == 0 || Accepted() == 0) {
        Leave();
        return 0;
    }
    const DWORD accepted = Accepted();
    const long data[5] = {long(dnd_.HelperWindow()), 0, long(dnd_.LastEventTime()), 0, 0};
    finished_.reset();
    waiting_.reset();
    awaitingFinish_ = true;
    if (!dnd_.Send(target_.sendTo, target_.window, dnd_.Atoms().drop, data)) TargetVanished();
    // The target reads the data now: the selection is served while waiting for it to finish.
    const std::uint64_t deadline = dnd_.NowMs() + kFinishTimeoutMs;
    while (awaitingFinish_ && target_.window != 0 && dnd_.NowMs() < deadline) {
        dnd_.PumpEvents(int(deadline - dnd_.NowMs()));
    }
    const bool oldTarget = target_.version < 5;
    DWORD performed = 0;
    if (finished_ && finished_->accepted) {
        performed = oldTarget ? accepted : dnd_.EffectOf(finished_->action) & accepted;
        if (performed == 0) performed = accepted;  // accepted without naming an action
    }
    Forget();
    return performed;
}

void X11DragSource::End() {
    Leave();
    if (!offer_) return;
    offer_.reset();
    ::Display* connection = dnd_.Connection();
    if (XGetSelectionOwner(connection, dnd_.Atoms().selection) == dnd_.HelperWindow()) {
        XSetSelectionOwner(connection, dnd_.Atoms().selection, None, dnd_.LastEventTime());
    }
    XFlush(connection);
}

// ---- What targets send ----------------------------------------------------------------------

bool X11DragSource::HandleEvent(XEvent& event) {
    const X11DndAtoms& atoms = dnd_.Atoms();
    if (event.type == ClientMessage && event.xclient.window == dnd_.HelperWindow()) {
        const long(&fields)[5] = event.xclient.data.l;
        if (event.xclient.message_type == atoms.status) {
            HandleStatus(fields);
            return true;
        }
        if (event.xclient.message_type == atoms.finished) {
            HandleFinished(fields);
            return true;
        }
        return false;
    }
    if (event.type == SelectionRequest && event.xselectionrequest.selection == atoms.selection) {
        ServeSelection(event);
        return true;
    }
    if (event.type == DestroyNotify && target_.window != 0 &&
        event.xdestroywindow.window == target_.window) {
        TargetVanished();
        return true;
    }
    return false;
}

void X11DragSource::HandleStatus(const long (&data)[5]) {
    // Answers from a window we are not over (any more) are stale, or not answers at all.
    if (target_.window == 0 || static_cast<unsigned long>(data[0]) != target_.window) return;
    const Answer before = answer_;
    answer_ = Answer{(data[1] & 1) != 0, static_cast<unsigned long>(data[4])};
    awaitingStatus_ = false;
    // Once dropped, the target hears no more positions.
    if (waiting_ && !awaitingFinish_ && !(sent_ && *waiting_ == *sent_)) SendPosition(*waiting_);
    const bool changed = before.accepted != answer_.accepted || before.action != answer_.action;
    if (changed && offer_ && offer_->answerChanged) offer_->answerChanged();
}

void X11DragSource::HandleFinished(const long (&data)[5]) {
    if (!awaitingFinish_ || static_cast<unsigned long>(data[0]) != target_.window) return;
    finished_ = Answer{(data[1] & 1) != 0, static_cast<unsigned long>(data[2])};
    awaitingFinish_ = false;
}

void X11DragSource::TargetVanished() {
    Forget();
    if (offer_ && offer_->answerChanged) offer_->answerChanged();
}

void X11DragSource::ServeSelection(XEvent& event) {
    const XSelectionRequestEvent& request = event.xselectionrequest;
    ::Display* connection = dnd_.Connection();
    // Obsolete requestors name no property: the target's name serves as one.
    const ::Atom property = request.property != None ? request.property : request.target;
    bool served = false;
    X11ErrorTrap trap(connection);
    if (offer_ && request.target == dnd_.Atoms().targets) {
        std::vector<unsigned long> targets{dnd_.Atoms().targets};
        for (const std::string& type : offer_->types) targets.push_back(dnd_.InternAtom(type));
        XChangeProperty(connection, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(targets.data()),
                        int(targets.size()));
        served = true;
    } else if (offer_ && offer_->render) {
        const auto name = dnd_.AtomName(request.target);
        const auto offered = name ? std::find(offer_->types.begin(), offer_->types.end(), *name)
                                  : offer_->types.end();
        const auto bytes = offered != offer_->types.end() ? offer_->render(*name) : std::nullopt;
        // One request carries it all: data bigger than that is refused.
        const long maxRequest = XExtendedMaxRequestSize(connection) != 0
                                    ? XExtendedMaxRequestSize(connection)
                                    : XMaxRequestSize(connection);
        if (bytes && bytes->size() < std::size_t(maxRequest) * 4 - 1024) {
            XChangeProperty(connection, request.requestor, property, request.target, 8,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(bytes->data()),
                            int(bytes->size()));
            served = true;
        }
    }
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = connection;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.property = served ? property : None;
    reply.xselection.time = request.time;
    XSendEvent(connection, request.requestor, False, NoEventMask, &reply);
    XFlush(connection);
}

}  // namespace vexa::sys
