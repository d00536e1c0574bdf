// A font listener tied to the lifetime of its owner: destroying (or resetting) the
// subscription unsubscribes, and a font released first is simply forgotten. Objects that
// follow a font someone else may replace (header fonts, combo fonts, the live cell font)
// keep one of these instead of a bare token.
#pragma once

#include <memory>

#include "vexa/system/automation/Font.h"

namespace vexa {

class FontSubscription {
  public:
    FontSubscription() = default;
    FontSubscription(const std::shared_ptr<Font>& font, Font::Listener listener);
    ~FontSubscription() { Reset(); }

    FontSubscription(FontSubscription&& other) noexcept;
    FontSubscription& operator=(FontSubscription&& other) noexcept;
    FontSubscription(const FontSubscription&) = delete;
    FontSubscription& operator=(const FontSubscription&) = delete;

    void Reset();
    // The watched font, or nullptr once reset or released.
    std::shared_ptr<Font> WatchedFont() const { return font_.lock(); }

  private:
    std::weak_ptr<Font> font_;
    Font::ListenerToken token_ = 0;
};

}  // namespace vexa
