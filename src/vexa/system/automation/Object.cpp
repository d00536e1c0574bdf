#include "vexa/system/automation/Object.h"

#include <algorithm>

#include "vexa/system/automation/RuntimeError.h"
#include "vexa/system/automation/Variant.h"

namespace vexa {

Variant Object::Invoke(std::string_view, std::span<const Variant>, InvokeKind) {
    RaiseRuntimeError(rtMemberNotSupported);
}

bool MemberIs(std::string_view member, std::string_view name) {
    // Member names are ASCII; the C library's case mapping would follow its locale.
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c | 0x20) : c; };
    return std::ranges::equal(member, name, [&](char a, char b) { return lower(a) == lower(b); });
}

namespace {
const std::shared_ptr<Object>& Required(const std::shared_ptr<Object>& object) {
    if (!object) RaiseRuntimeError(rtObjectNotSet);
    return object;
}
}  // namespace

Variant CallMember(const std::shared_ptr<Object>& object, std::string_view member,
                   std::span<const Variant> args) {
    return Required(object)->Invoke(member, args, InvokeKind::Method);
}

Variant GetMember(const std::shared_ptr<Object>& object, std::string_view member) {
    return Required(object)->Invoke(member, {}, InvokeKind::PropertyGet);
}

void PutMember(const std::shared_ptr<Object>& object, std::string_view member,
               const Variant& value) {
    Required(object)->Invoke(member, std::span<const Variant>(&value, 1), InvokeKind::PropertyPut);
}

}  // namespace vexa
