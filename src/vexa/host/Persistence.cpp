#include "vexa/host/Persistence.h"

#include <array>

#include "vexa/host/Vexa.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/Picture.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

constexpr std::int32_t kSysColorWindow = std::int32_t(0x80000005u);
constexpr std::int32_t kSysColorWindowText = std::int32_t(0x80000008u);
constexpr std::int32_t kSysColorHighlight = std::int32_t(0x8000000Du);
constexpr std::int32_t kSysColorHighlightText = std::int32_t(0x8000000Eu);
constexpr std::int32_t kSysColorButtonFace = std::int32_t(0x8000000Fu);

// One table row per property kind: the getter's value stored as the kind's variant, the
// setter given the converted value in the property's own type.
#define VEXA_BOOLEAN(Name, def)                                                                \
    PersistedProperty {                                                                        \
#Name, PersistedType::Boolean, Variant(bool(def)),                                     \
            [](const Vexa&                                                                     \
                   g) { return Variant(g.Name()); }, [](Vexa & g,                              \
                                                        const Variant&                         \
                                                            v) { g.Set##Name(v.ToBoolean()); } \
    }
#define VEXA_LONG(Name, def)                                                          \
    PersistedProperty {                                                               \
#Name, PersistedType::Long, Variant(def),                                           \
            [](const Vexa& g) { return Variant(std::int32_t(g.Name())); },                  \
            [](Vexa& g, const Variant& v) { g.Set##Name(decltype(g.Name())(v.ToLong())); } \
    }
#define VEXA_COLOUR(Name, def)                                               \
    PersistedProperty {                                                      \
#Name, PersistedType::Colour, Variant(def),                                \
            [](const Vexa& g) { return Variant(std::int32_t(g.Name())); },         \
            [](Vexa& g, const Variant& v) { g.Set##Name(OLE_COLOR(v.ToLong())); } \
    }

const PersistedProperty kOleDropMode{
    "OLEDropMode", PersistedType::Integer, Variant(std::int16_t(0)),
    [](const Vexa& g) { return Variant(g.OLEDropMode()); },
    [](Vexa& g, const Variant& v) { g.SetOLEDropMode(v.ToInteger()); }};

const PersistedProperty kFont{
    "Font", PersistedType::Font, Variant::Nothing(),
    // A copy: a bag that keeps objects must not see later changes made to the grid's font.
    [](const Vexa& g) { return g.Font() ? Variant(g.Font()->Clone()) : Variant::Nothing(); },
    [](Vexa& g, const Variant& v) { g.SetFont(std::dynamic_pointer_cast<Font>(v.ToObject())); }};

const PersistedProperty kBackgroundPicture{
    "BackgroundPicture", PersistedType::Picture, Variant::Nothing(),
    [](const Vexa& g) { return Variant(std::shared_ptr<Object>(g.BackgroundPicture())); },
    [](Vexa& g, const Variant& v) {
        g.SetBackgroundPicture(std::dynamic_pointer_cast<Picture>(v.ToObject()));
    }};

const std::array<PersistedProperty, 41>& Table() {
    static const std::array<PersistedProperty, 41> table = {
        VEXA_LONG(Appearance, std::int32_t(vxAppearance3D)),
        VEXA_BOOLEAN(AutoWidthColWithHeader, true),
        VEXA_COLOUR(BackColor, kSysColorWindow),
        VEXA_COLOUR(BackColorOddRows, std::int16_t(-1)),
        VEXA_COLOUR(BackColorEvenRows, std::int16_t(-1)),
        kBackgroundPicture,
        VEXA_LONG(BorderStyle, std::int32_t(vxBorder3D)),
        VEXA_LONG(DefaultRowHeight, std::int16_t(15)),
        VEXA_BOOLEAN(DisableIcons, true),
        VEXA_BOOLEAN(DrawRowText, true),
        VEXA_BOOLEAN(Editable, true),
        VEXA_BOOLEAN(Enabled, true),
        VEXA_BOOLEAN(FocusRect, true),
        VEXA_COLOUR(FocusRectColor1, kSysColorWindow),
        VEXA_COLOUR(FocusRectColor2, kSysColorWindowText),
        kFont,
        VEXA_COLOUR(ForeColor, kSysColorWindowText),
        VEXA_COLOUR(GridLineColor, kSysColorButtonFace),
        VEXA_LONG(GridLines, std::int32_t(vxGridLinesBoth)),
        VEXA_LONG(GridLinesExtend, std::int32_t(vxGridLinesExtendNone)),
        VEXA_COLOUR(HighlightBackColor, kSysColorHighlight),
        VEXA_COLOUR(HighlightBackColorNoFocus, kSysColorButtonFace),
        VEXA_COLOUR(HighlightForeColor, kSysColorHighlightText),
        VEXA_COLOUR(HighlightForeColorNoFocus, kSysColorWindowText),
        VEXA_BOOLEAN(HighlightSelIcons, false),
        VEXA_BOOLEAN(HighlightSelCells, true),
        VEXA_LONG(KeyPressBehaviour, std::int32_t(vxKeyPressEditReplace)),
        VEXA_BOOLEAN(KeySearchFromCurRow, false),
        VEXA_BOOLEAN(KeySearchLoop, false),
        VEXA_LONG(MemMngWantFreeRows, std::int16_t(0)),
        VEXA_BOOLEAN(MultiSelect, false),
        kOleDropMode,
        VEXA_BOOLEAN(OpaqueTextInHatchedCells, true),
        VEXA_BOOLEAN(ImmediateColumnResizing, false),
        VEXA_BOOLEAN(RowMode, false),
        VEXA_LONG(ScrollBarStyle, std::int32_t(vxScrollBarRegular)),
        VEXA_BOOLEAN(ShowControlsInAllCells, false),
        VEXA_BOOLEAN(SilentValidation, false),
        VEXA_BOOLEAN(TextEditCustomContextMenu, false),
        VEXA_BOOLEAN(UseXPStyles, true),
        VEXA_BOOLEAN(Virtual, false),
    };
    return table;
}

#undef VEXA_BOOLEAN
#undef VEXA_LONG
#undef VEXA_COLOUR

// Nothing, or an object of the kind `T`.
template <class T>
Variant ObjectOf(const Variant& value) {
    const std::shared_ptr<Object> object = value.ToObject();
    if (object && !std::dynamic_pointer_cast<T>(object)) RaiseRuntimeError(rtTypeMismatch);
    return Variant(object);
}

}  // namespace

std::span<const PersistedProperty> PersistedProperties() {
    return Table();
}

const PersistedProperty* FindPersistedProperty(std::string_view name) {
    for (const PersistedProperty& property : Table()) {
        if (property.name == name) return &property;
    }
    return nullptr;
}

Variant ConvertForSetter(PersistedType type, const Variant& value) {
    switch (type) {
        case PersistedType::Boolean:
            return Variant(value.ToBoolean());
        case PersistedType::Long:
        case PersistedType::Colour:
            return Variant(value.ToLong());
        case PersistedType::Integer:
            return Variant(value.ToInteger());
        case PersistedType::Font:
            return ObjectOf<Font>(value);
        case PersistedType::Picture:
            return ObjectOf<Picture>(value);
    }
    RaiseRuntimeError(rtTypeMismatch);
}

}  // namespace vexa
