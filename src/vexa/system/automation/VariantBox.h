// The heap side of a Variant: shared, immutable payloads with an intrusive count.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "vexa/system/automation/DecimalValue.h"
#include "vexa/system/automation/Variant.h"

namespace vexa::detail {

struct VariantBox {
    mutable std::atomic<std::int32_t> references{1};
    virtual ~VariantBox() = default;
};

struct StringBox final : VariantBox {
    explicit StringBox(std::string value) : text(std::move(value)) {}
    std::string text;
};

struct ObjectBox final : VariantBox {
    explicit ObjectBox(std::shared_ptr<Object> value) : object(std::move(value)) {}
    std::shared_ptr<Object> object;
};

struct ArrayBox final : VariantBox {
    explicit ArrayBox(std::vector<Variant> values) : items(std::move(values)) {}
    std::vector<Variant> items;
};

struct DecimalBox final : VariantBox {
    explicit DecimalBox(DecimalValue v) : value(v) {}
    DecimalValue value;
};

}  // namespace vexa::detail

namespace vexa {

// The automation library's own reach into a Variant's payload.
struct VariantAccess {
    static const DecimalValue& DecimalOf(const Variant& decimal) {
        return static_cast<const detail::DecimalBox*>(decimal.Box())->value;
    }
    static Variant FromDecimal(DecimalValue value) {
        return Variant::Boxed(vtDecimal, new detail::DecimalBox(value));
    }
};

}  // namespace vexa
