/// \file
/// The standard font object of the automation model: a face name, a size in points, style
/// flags, a weight and a character set, with change notification so that whoever shows text
/// in the font can follow changes made through the object later.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vexa/system/automation/Object.h"
#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// Everything that makes two fonts the same font. Size is kept as currency (points scaled by
/// 10,000) as the classic font object does, so equal sizes compare exactly.
struct VEXA_API FontAttributes {
    /// The face name.
    std::string name = "DejaVu Sans";
    std::int64_t sizeScaled = 82500;  ///< 8.25 points, the classic default GUI size
    /**@{*/
    /// The weight (400 normal, 700 bold) and the character set.
    std::int16_t weight = 400;
    std::int16_t charset = 0;
    /**@}*/
    /**@{*/
    /// The style flags.
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    /**@}*/

    /// Equal when every attribute is.
    bool operator==(const FontAttributes&) const = default;
};

/// A font object: its attributes, and the listeners it tells of changes.
class VEXA_API Font : public Object {
  public:
    /// Told the name of a property that changed.
    using Listener = std::function<void(std::string_view property)>;
    /// Names a subscription; 0 is never one.
    using ListenerToken = std::uint64_t;

    /**@{*/
    /// The weights Bold sets.
    static constexpr std::int16_t kNormalWeight = 400;
    static constexpr std::int16_t kBoldWeight = 700;
    /**@}*/
    static constexpr double kMaxSize = 2048.0;  ///< points; larger sizes are refused

    /**@{*/
    /// A font with the given attributes (the default ones without).
    Font();
    explicit Font(FontAttributes attributes);
    /**@}*/
    /// A new shared font, as hosts hand fonts to the grid.
    static std::shared_ptr<Font> Create(FontAttributes attributes = {});

    /**@{*/
    /// Each setter validates first (error 380 "Invalid property value"), stores, then tells
    /// the listeners the property's name ("Name", "Size", "Bold", ...).
    const std::string& Name() const { return attributes_.name; }
    void SetName(std::string_view name);
    /**@}*/
    /**@{*/
    /// The size in points, and as currency (points scaled by 10,000).
    double Size() const { return double(attributes_.sizeScaled) / 10000.0; }
    std::int64_t SizeScaled() const { return attributes_.sizeScaled; }
    void SetSize(double points);
    /**@}*/
    /**@{*/
    /// Bold is a view of the weight: above 550 counts as bold; setting it picks 700 or 400.
    bool Bold() const { return attributes_.weight > 550; }
    void SetBold(bool bold);
    /**@}*/
    /**@{*/
    /// The style flags.
    bool Italic() const { return attributes_.italic; }
    void SetItalic(bool italic);
    bool Underline() const { return attributes_.underline; }
    void SetUnderline(bool underline);
    bool Strikethrough() const { return attributes_.strikethrough; }
    void SetStrikethrough(bool strikethrough);
    /**@}*/
    /// The weight, 0..1000.
    std::int16_t Weight() const { return attributes_.weight; }
    void SetWeight(std::int16_t weight);  ///< 0..1000
    /// The character set, 0..255.
    std::int16_t Charset() const { return attributes_.charset; }
    void SetCharset(std::int16_t charset);  ///< 0..255

    /// Every attribute at once.
    const FontAttributes& Attributes() const { return attributes_; }
    /// Replaces every attribute at once (validated as the setters do) and tells the
    /// listeners the name of each attribute that changed, in declaration order.
    void SetAttributes(const FontAttributes& attributes);

    /// Registers a listener; the token unsubscribes it. Listeners may subscribe and
    /// unsubscribe from inside a notification. When a listener throws, the others are
    /// still told and the first exception is passed on afterwards.
    ListenerToken Subscribe(Listener listener);
    /// Removes the listener the token names; false when there is none.
    bool Unsubscribe(ListenerToken token);
    /// How many listeners are registered.
    std::size_t ListenerCount() const { return listeners_.size(); }

    /// A new font with equal attributes, its own identity and no listeners.
    std::shared_ptr<Font> Clone() const;
    /// Whether both fonts have equal attributes.
    bool IsEqual(const Font& other) const { return attributes_ == other.attributes_; }
    /// A process-wide identity, never reused, usable as a map key for realised fonts.
    std::uint64_t Handle() const { return handle_; }

    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override;
    std::string ClassName() const override { return "Font"; }

  private:
    struct Subscription {
        ListenerToken token;
        std::shared_ptr<Listener> listener;
    };

    static void Validate(const FontAttributes& attributes);
    void Change(std::string_view property, const FontAttributes& changed);
    void Notify(std::string_view property);
    void NotifyEach(std::span<const std::string_view> properties);
    bool IsSubscribed(ListenerToken token) const;
    Variant GetProperty(std::string_view member) const;
    bool PutProperty(std::string_view member, const Variant& value);

    FontAttributes attributes_;
    std::uint64_t handle_;
    std::vector<Subscription> listeners_;
    ListenerToken nextToken_ = 1;
};

/// Error 380 "Invalid property value", raised by setters given a value they cannot hold.
[[noreturn]] void RaiseInvalidPropertyValue();

}  // namespace vexa

VEXA_PUBLIC_END
