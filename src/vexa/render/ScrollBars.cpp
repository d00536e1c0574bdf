#include "vexa/render/ScrollBars.h"

#include <algorithm>

namespace vexa {

void cScrollBars::SetMax(EScrollBar bar, std::int32_t value) {
    Bar& b = At(bar);
    b.max = value + b.page;
    b.pos = std::clamp(b.pos, b.min, std::max(b.min, b.max - std::max(b.page - 1, 0)));
}

void cScrollBars::SetLargeChange(EScrollBar bar, std::int32_t value) {
    Bar& b = At(bar);
    b.max += value - b.page;
    b.page = value;
}

void cScrollBars::SetValue(EScrollBar bar, std::int32_t value) {
    Bar& b = At(bar);
    if (value == b.pos) return;
    b.pos = std::clamp(value, b.min, std::max(b.min, b.max - std::max(b.page - 1, 0)));
    NotifyChange(bar);
}

void cScrollBars::NotifyChange(EScrollBar bar) {
    Bar& b = At(bar);
    if (b.pos == b.lastNotified) return;
    b.lastNotified = b.pos;
    host_.ScrollBarDidChange(bar, b.pos);
}

}  // namespace vexa
