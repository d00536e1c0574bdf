#include "vexa/system/automation/FontSubscription.h"

#include <utility>

namespace vexa {

FontSubscription::FontSubscription(const std::shared_ptr<Font>& font, Font::Listener listener)
    : font_(font), token_(font ? font->Subscribe(std::move(listener)) : 0) {}

FontSubscription::FontSubscription(FontSubscription&& other) noexcept
    : font_(std::move(other.font_)), token_(std::exchange(other.token_, 0)) {}

FontSubscription& FontSubscription::operator=(FontSubscription&& other) noexcept {
    if (this != &other) {
        Reset();
        font_ = std::move(other.font_);
        token_ = std::exchange(other.token_, 0);
    }
    return *this;
}

void FontSubscription::Reset() {
    if (const std::shared_ptr<Font> font = font_.lock(); font && token_ != 0) {
        font->Unsubscribe(token_);
    }
    font_.reset();
    token_ = 0;
}

}  // namespace vexa
