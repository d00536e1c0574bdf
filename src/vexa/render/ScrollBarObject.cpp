#include "vexa/render/ScrollBarObject.h"

#include "vexa/render/ScrollBars.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

template <class Read>
std::int32_t ReadOr0(const std::weak_ptr<cScrollBars>& link, Read read) {
    const std::shared_ptr<cScrollBars> bars = link.lock();
    return bars ? read(*bars) : 0;
}

}  // namespace

std::int32_t ScrollBarObject::Value() const {
    return ReadOr0(bars_, [&](const cScrollBars& b) { return b.Value(bar_); });
}

void ScrollBarObject::SetValue(std::int32_t value) {
    if (const std::shared_ptr<cScrollBars> bars = bars_.lock()) bars->SetValue(bar_, value);
}

std::int32_t ScrollBarObject::Thickness() const {
    return sys::GetSystemMetrics(bar_ == vxScrollBarH ? sys::SM_CYHSCROLL : sys::SM_CXVSCROLL);
}

bool ScrollBarObject::Visible() const {
    return ReadOr0(bars_, [&](const cScrollBars& b) { return b.Visible(bar_) ? 1 : 0; }) != 0;
}

std::int32_t ScrollBarObject::LargeChange() const {
    return ReadOr0(bars_, [&](const cScrollBars& b) { return b.LargeChange(bar_); });
}

std::int32_t ScrollBarObject::SmallChange() const {
    return ReadOr0(bars_, [&](const cScrollBars& b) { return b.SmallChange(bar_); });
}

std::int32_t ScrollBarObject::Min() const {
    return ReadOr0(bars_, [&](const cScrollBars& b) { return b.Min(bar_); });
}

std::int32_t ScrollBarObject::Max() const {
    return ReadOr0(bars_, [&](const cScrollBars& b) { return b.Max(bar_); });
}

}  // namespace vexa
