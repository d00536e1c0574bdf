#include "vexa/system/window/KeyboardLayout.h"

#include <array>
#include <utility>

#include "vexa/system/window/Messages.h"

namespace vexa::sys {

namespace {

struct PunctuationKey {
    int virtualKey;
    char plain;
    char shifted;
};

constexpr std::array<PunctuationKey, 11> kPunctuation = {{
    {VK_OEM_1, ';', ':'},
    {VK_OEM_PLUS, '=', '+'},
    {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'},
    {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},
    {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},
    {VK_OEM_7, '\'', '"'},
}};

constexpr char kShiftedDigits[] = ")!@#$%^&*(";

std::optional<char32_t> ControlKeyCharacter(int vk) {
    switch (vk) {
        case VK_BACK:
            return U'\b';
        case VK_TAB:
            return U'\t';
        case VK_RETURN:
            return U'\r';
        case VK_ESCAPE:
            return U'\x1B';
        case VK_SPACE:
            return U' ';
        default:
            return std::nullopt;
    }
}

// What the keys other than letters type with Ctrl held, as the classic translation has it.
std::optional<char32_t> ControlChordCharacter(int vk) {
    switch (vk) {
        case VK_SPACE:
            return U' ';
        case VK_RETURN:
            return U'\n';
        case VK_BACK:
            return U'\x7F';
        case VK_OEM_4:
            return U'\x1B';
        case VK_OEM_5:
            return U'\x1C';
        case VK_OEM_6:
            return U'\x1D';
        default:
            return std::nullopt;
    }
}

std::optional<char32_t> NumpadCharacter(int vk) {
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return char32_t(U'0' + (vk - VK_NUMPAD0));
    switch (vk) {
        case VK_MULTIPLY:
            return U'*';
        case VK_ADD:
            return U'+';
        case VK_SUBTRACT:
            return U'-';
        case VK_DECIMAL:
            return U'.';
        case VK_DIVIDE:
            return U'/';
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<char32_t> KeyboardLayout::CharacterFor(int vk, bool shift, bool capsLock, bool ctrl) {
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return char32_t(vk - 'A' + 1);
        const bool upper = shift != capsLock;
        return char32_t(upper ? vk : vk - 'A' + 'a');
    }
    if (ctrl) return ControlChordCharacter(vk);
    if (auto c = ControlKeyCharacter(vk)) return c;
    if (vk >= '0' && vk <= '9') {
        return char32_t(shift ? kShiftedDigits[vk - '0'] : char(vk));
    }
    for (const PunctuationKey& key : kPunctuation) {
        if (key.virtualKey == vk) return char32_t(shift ? key.shifted : key.plain);
    }
    return NumpadCharacter(vk);
}

std::optional<KeyStroke> KeyboardLayout::KeyFor(char32_t c) {
    if (c >= U'a' && c <= U'z') return KeyStroke{int(c - U'a' + 'A'), false};
    if (c >= U'A' && c <= U'Z') return KeyStroke{int(c), true};
    if (c >= U'0' && c <= U'9') return KeyStroke{int(c), false};
    switch (c) {
        case U' ':
            return KeyStroke{VK_SPACE, false};
        case U'\r':
        case U'\n':
            return KeyStroke{VK_RETURN, false};
        case U'\t':
            return KeyStroke{VK_TAB, false};
        case U'\b':
            return KeyStroke{VK_BACK, false};
        case U'\x1B':
            return KeyStroke{VK_ESCAPE, false};
        default:
            break;
    }
    for (int digit = 0; digit < 10; ++digit) {
        if (c == char32_t(kShiftedDigits[digit])) return KeyStroke{'0' + digit, true};
    }
    for (const PunctuationKey& key : kPunctuation) {
        if (c == char32_t(key.plain)) return KeyStroke{key.virtualKey, false};
        if (c == char32_t(key.shifted)) return KeyStroke{key.virtualKey, true};
    }
    return std::nullopt;
}

}  // namespace vexa::sys
