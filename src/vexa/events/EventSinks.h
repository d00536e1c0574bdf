// The connected event sinks of a control and the one way events reach them.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "vexa/events/VexaEvents.h"
#include "vexa/system/automation/Log.h"

namespace vexa {

class EventSinks {
  public:
    // Connects a sink once; null and repeated connections are ignored.
    void Advise(VexaEvents* sink) {
        if (sink && !IsAdvised(sink)) sinks_.push_back(sink);
    }
    // Disconnects a sink; allowed from inside one of its handlers.
    void Unadvise(VexaEvents* sink) { std::erase(sinks_, sink); }

    bool IsAdvised(const VexaEvents* sink) const {
        return std::find(sinks_.begin(), sinks_.end(), sink) != sinks_.end();
    }
    std::size_t Count() const { return sinks_.size(); }

    // Calls `handler(sink)` for every connected sink, in connection order. In/out
    // parameters captured by reference carry each handler's changes on to the next and
    // back to the caller. An exception thrown by a handler is swallowed so that the
    // operation raising the event carries on; a sink disconnected by an earlier handler of
    // the same event is not called.
    template <class Handler>
    void Raise(Handler&& handler) const {
        Raise("event", std::forward<Handler>(handler));
    }
    // The same, naming the event for the log hook, which hears of handlers that throw.
    template <class Handler>
    void Raise(std::string_view event, Handler&& handler) const {
        // Handlers may connect and disconnect sinks, so the call walks a copy; the usual few
        // sinks are copied on the stack, since events such as the selection's come in bulk.
        constexpr std::size_t kOnStack = 8;
        const std::size_t count = sinks_.size();
        if (count <= kOnStack) {
            std::array<VexaEvents*, kOnStack> snapshot;
            std::copy(sinks_.begin(), sinks_.end(), snapshot.begin());
            CallEach(event, snapshot.data(), count, handler);
        } else {
            const std::vector<VexaEvents*> snapshot = sinks_;
            CallEach(event, snapshot.data(), snapshot.size(), handler);
        }
    }

  private:
    template <class Handler>
    void CallEach(std::string_view event, VexaEvents* const* sinks, std::size_t count,
                  Handler& handler) const {
        for (std::size_t i = 0; i < count; ++i) {
            if (!IsAdvised(sinks[i])) continue;
            try {
                handler(*sinks[i]);
            } catch (...) {
                // A failing handler skips only itself.
                LogSwallowedException(event);
            }
        }
    }

    std::vector<VexaEvents*> sinks_;
};

}  // namespace vexa
