#include "vexa/system/automation/Font.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "vexa/system/automation/ObjectHandle.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

constexpr std::int32_t kInvalidPropertyValue = 380;

std::int64_t ScaledPoints(double points) {
    if (!std::isfinite(points) || points <= 0.0 || points > Font::kMaxSize) {
        RaiseInvalidPropertyValue();
    }
    const auto scaled = static_cast<std::int64_t>(std::llround(points * 10000.0));
    if (scaled <= 0) RaiseInvalidPropertyValue();
    return scaled;
}

}  // namespace

void RaiseInvalidPropertyValue() {
    throw Error(kInvalidPropertyValue, "Vexa", "Invalid property value");
}

Font::Font() : Font(FontAttributes{}) {}

Font::Font(FontAttributes attributes)
    : attributes_(std::move(attributes)), handle_(NewObjectHandle()) {
    Validate(attributes_);
}

std::shared_ptr<Font> Font::Create(FontAttributes attributes) {
    return std::make_shared<Font>(std::move(attributes));
}

void Font::Validate(const FontAttributes& attributes) {
    const bool valid = !attributes.name.empty() && attributes.sizeScaled > 0 &&
                       attributes.sizeScaled <= std::int64_t(kMaxSize * 10000) &&
                       attributes.weight >= 0 && attributes.weight <= 1000 &&
                       attributes.charset >= 0 && attributes.charset <= 255;
    if (!valid) RaiseInvalidPropertyValue();
}

void Font::Change(std::string_view property, const FontAttributes& changed) {
    Validate(changed);
    attributes_ = changed;
    Notify(property);
}

void Font::SetName(std::string_view name) {
    FontAttributes changed = attributes_;
    changed.name = std::string(name);
    Change("Name", changed);
}

void Font::SetSize(double points) {
    FontAttributes changed = attributes_;
    changed.sizeScaled = ScaledPoints(points);
    Change("Size", changed);
}

void Font::SetBold(bool bold) {
    FontAttributes changed = attributes_;
    changed.weight = bold ? kBoldWeight : kNormalWeight;
    Change("Bold", changed);
}

void Font::SetItalic(bool italic) {
    FontAttributes changed = attributes_;
    changed.italic = italic;
    Change("Italic", changed);
}

void Font::SetUnderline(bool underline) {
    FontAttributes changed = attributes_;
    changed.underline = underline;
    Change("Underline", changed);
}

void Font::SetStrikethrough(bool strikethrough) {
    FontAttributes changed = attributes_;
    changed.strikethrough = strikethrough;
    Change("Strikethrough", changed);
}

void Font::SetWeight(std::int16_t weight) {
    FontAttributes changed = attributes_;
    changed.weight = weight;
    Change("Weight", changed);
}

void Font::SetCharset(std::int16_t charset) {
    FontAttributes changed = attributes_;
    changed.charset = charset;
    Change("Charset", changed);
}

void Font::SetAttributes(const FontAttributes& attributes) {
    Validate(attributes);
    const FontAttributes before = attributes_;
    attributes_ = attributes;
    // Told one by one, so a listener that only cares about, say, the size can tell.
    std::vector<std::string_view> changed;
    if (before.name != attributes.name) changed.push_back("Name");
    if (before.sizeScaled != attributes.sizeScaled) changed.push_back("Size");
    if (before.weight != attributes.weight) changed.push_back("Weight");
    if (before.charset != attributes.charset) changed.push_back("Charset");
    if (before.italic != attributes.italic) changed.push_back("Italic");
    if (before.underline != attributes.underline) changed.push_back("Underline");
    if (before.strikethrough != attributes.strikethrough) changed.push_back("Strikethrough");
    NotifyEach(changed);
}

Font::ListenerToken Font::Subscribe(Listener listener) {
    const ListenerToken token = nextToken_++;
    listeners_.push_back({token, std::make_shared<Listener>(std::move(listener))});
    return token;
}

bool Font::Unsubscribe(ListenerToken token) {
    for (auto it = listeners_.begin(); it != listeners_.end(); ++it) {
        if (it->token == token) {
            listeners_.erase(it);
            return true;
        }
    }
    return false;
}

void Font::Notify(std::string_view property) {
    NotifyEach(std::span<const std::string_view>(&property, 1));
}

void Font::NotifyEach(std::span<const std::string_view> properties) {
    std::exception_ptr firstFailure;
    for (const std::string_view property : properties) {
        // A snapshot, so listeners may (un)subscribe while being told; one removed
        // meanwhile is skipped, one added meanwhile waits for the next change.
        const std::vector<Subscription> snapshot = listeners_;
        for (const Subscription& subscription : snapshot) {
            if (!IsSubscribed(subscription.token)) continue;
            try {
                (*subscription.listener)(property);
            } catch (...) {
                if (!firstFailure) firstFailure = std::current_exception();
            }
        }
    }
    if (firstFailure) std::rethrow_exception(firstFailure);
}

bool Font::IsSubscribed(ListenerToken token) const {
    return std::ranges::any_of(listeners_, [&](const Subscription& s) { return s.token == token; });
}

std::shared_ptr<Font> Font::Clone() const {
    return Create(attributes_);
}

Variant Font::GetProperty(std::string_view member) const {
    if (MemberIs(member, "Name")) return Variant(Name());
    if (MemberIs(member, "Size")) return Variant::Currency(SizeScaled());
    if (MemberIs(member, "Bold")) return Variant(Bold());
    if (MemberIs(member, "Italic")) return Variant(Italic());
    if (MemberIs(member, "Underline")) return Variant(Underline());
    if (MemberIs(member, "Strikethrough")) return Variant(Strikethrough());
    if (MemberIs(member, "Weight")) return Variant(Weight());
    if (MemberIs(member, "Charset")) return Variant(Charset());
    RaiseRuntimeError(rtMemberNotSupported);
}

bool Font::PutProperty(std::string_view member, const Variant& value) {
    if (MemberIs(member, "Name")) {
        SetName(value.ToString());
    } else if (MemberIs(member, "Size")) {
        SetSize(value.ToDouble());
    } else if (MemberIs(member, "Bold")) {
        SetBold(value.ToBoolean());
    } else if (MemberIs(member, "Italic")) {
        SetItalic(value.ToBoolean());
    } else if (MemberIs(member, "Underline")) {
        SetUnderline(value.ToBoolean());
    } else if (MemberIs(member, "Strikethrough")) {
        SetStrikethrough(value.ToBoolean());
    } else if (MemberIs(member, "Weight")) {
        SetWeight(value.ToInteger());
    } else if (MemberIs(member, "Charset")) {
        SetCharset(value.ToInteger());
    } else {
        return false;
    }
    return true;
}

Variant Font::Invoke(std::string_view member, std::span<const Variant> args, InvokeKind kind) {
    if (MemberIs(member, "Clone") && kind == InvokeKind::Method) {
        if (!args.empty()) RaiseRuntimeError(rtWrongArgumentCount);
        return Variant(Clone());
    }
    if (MemberIs(member, "IsEqual") && kind == InvokeKind::Method) {
        if (args.size() != 1) RaiseRuntimeError(rtWrongArgumentCount);
        auto other = std::dynamic_pointer_cast<Font>(args[0].ToObject());
        return Variant(other != nullptr && IsEqual(*other));
    }
    if (kind == InvokeKind::PropertyPut) {
        if (args.size() != 1) RaiseRuntimeError(rtWrongArgumentCount);
        if (!PutProperty(member, args[0])) RaiseRuntimeError(rtMemberNotSupported);
        return {};
    }
    // A property read may also arrive as a call without arguments, as late binding allows.
    if (!args.empty()) RaiseRuntimeError(rtWrongArgumentCount);
    return GetProperty(member);
}

}  // namespace vexa
