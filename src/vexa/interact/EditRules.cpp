#include "vexa/interact/EditRules.h"

#include <unicode/unistr.h>

#include "vexa/model/CellValues.h"
#include "vexa/model/GridRecords.h"
#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

constexpr std::int16_t kEnter = 13;

char32_t TypedCharacter(std::int16_t keyAscii) {
    return char32_t(std::uint16_t(keyAscii));
}

std::string Utf8Of(char32_t character) {
    std::string text;
    icu::UnicodeString(UChar32(character)).toUTF8String(text);
    return text;
}

bool IsEditingBehaviour(std::int32_t behaviour) {
    return behaviour == vxKeyPressEditAppend || behaviour == vxKeyPressEditReplace;
}

}  // namespace

EditRequest ClassifyEditRequest(std::int16_t keyAscii, std::int32_t keyPressBehaviour) {
    if (IsEditingBehaviour(keyPressBehaviour) || keyAscii == 0 || keyAscii == kEnter) {
        return EditRequest::Edit;
    }
    if (keyPressBehaviour == vxKeyPressSearchCurCol ||
        keyPressBehaviour == vxKeyPressSearchDefCol) {
        return EditRequest::Search;
    }
    return EditRequest::Ignore;
}

bool IsTypedKey(std::int16_t keyAscii) {
    return TypedCharacter(keyAscii) >= 32;
}

bool MayStartEdit(std::int16_t keyAscii) {
    return keyAscii == 0 || keyAscii == kEnter || IsTypedKey(keyAscii);
}

std::string InitialEditText(const std::string& displayText, std::int16_t keyAscii,
                            std::int32_t keyPressBehaviour) {
    if (!IsTypedKey(keyAscii)) return displayText;
    const std::string typed = Utf8Of(TypedCharacter(keyAscii));
    if (keyPressBehaviour == vxKeyPressEditAppend) return displayText + typed;
    if (keyPressBehaviour == vxKeyPressEditReplace) return typed;
    return displayText;
}

bool RefusedByNumberOnly(std::int16_t keyAscii, std::int32_t textEditOptions) {
    if (textEditOptions != vxTextEditNumberOnly || !IsTypedKey(keyAscii)) return false;
    const char32_t typed = TypedCharacter(keyAscii);
    return typed < U'0' || typed > U'9';
}

std::string FirstCharacters(const std::string& utf8, std::int32_t count) {
    if (count < 1) return utf8;
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
    if (text.countChar32() <= count) return utf8;
    std::string cut;
    text.tempSubString(0, text.moveIndex32(0, count)).toUTF8String(cut);
    return cut;
}

std::int16_t TextEditorInstanceFor(std::int32_t textFlags, std::int32_t typeFlags) {
    if ((textFlags & vxTextWordBreak) == 0) return 0;
    const bool vertical = (typeFlags & vxTextBoxVScrollBar) != 0;
    const bool horizontal = (typeFlags & vxTextBoxHScrollBar) != 0;
    return std::int16_t(1 + (vertical ? 1 : 0) + (horizontal ? 2 : 0));
}

Variant NextCheckValue(const Variant& value, std::int32_t typeFlags) {
    CellRecord probe;
    probe.value = value;
    probe.flags = std::uint8_t(typeFlags & kCellTypeFlagsMask);
    const std::int32_t state = CellValues::CheckState(probe);
    if ((typeFlags & vxCheckBox3State) != 0) return Variant(std::int32_t((state + 1) % 3));
    if (value.Type() == vtBoolean) return Variant(!value.ToBoolean());
    return Variant(std::int32_t(1 - state));
}

ConvertedText ConvertEditText(const std::string& text, const Variant& oldValue) {
    switch (oldValue.Type()) {
        case vtEmpty:
        case vtNull:
            return {text.empty() ? oldValue : Variant(text), 0};
        case vtInteger:
        case vtLong:
        case vtSingle:
        case vtDouble:
        case vtCurrency:
        case vtDate:
        case vtString:
        case vtBoolean:
        case vtDecimal:
        case vtByte:
            try {
                return {Variant(text).ConvertTo(oldValue.Type()), 0};
            } catch (const Error& error) {
                return {Variant(), error.Number()};
            } catch (...) {
                return {Variant(), rtTypeMismatch};
            }
        default:
            return {oldValue, 0};
    }
}

std::string ConversionErrorText(std::int32_t error) {
    return "Invalid value (" + Variant::ErrorValue(error).ToString() + ").";
}

}  // namespace vexa
