/// \file
/// Reference-counted automation objects that hosts and the control call by member name,
/// the way late-bound automation calls reach an object.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class Variant;

/// How a member is called late-bound: as a method, a property read or a property write.
enum class InvokeKind { Method, PropertyGet, PropertyPut };

/// An automation object: reference-counted and callable by member name.
class VEXA_API Object : public std::enable_shared_from_this<Object> {
  public:
    virtual ~Object() = default;

    /// Calls `member` (matched without regard to case, as late binding does). The base
    /// implementation knows no member and raises 438. Property puts pass the new value as
    /// the last argument.
    virtual Variant Invoke(std::string_view member, std::span<const Variant> args, InvokeKind kind);

    /// The name TypeName reports for a variant holding this object.
    virtual std::string ClassName() const { return "Object"; }
};

/// Case-insensitive member-name comparison for Invoke implementations.
bool MemberIs(std::string_view member, std::string_view name);

/**@{*/
/// Late-bound conveniences; a null object raises 91.
Variant CallMember(const std::shared_ptr<Object>& object, std::string_view member,
                   std::span<const Variant> args = {});
Variant GetMember(const std::shared_ptr<Object>& object, std::string_view member);
void PutMember(const std::shared_ptr<Object>& object, std::string_view member,
               const Variant& value);
/**@}*/

}  // namespace vexa

VEXA_PUBLIC_END
