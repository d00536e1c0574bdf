#include "vexa/system/display/X11Keyboard.h"

// The window system's headers come first: Xlib's macros must not reach them.
#include "vexa/system/automation/Utf8Text.h"
#include "vexa/system/display/X11InputMethod.h"
#include "vexa/system/display/X11KeyMap.h"
#include "vexa/system/window/Input.h"
#include "vexa/system/window/Window.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <array>

namespace vexa::sys {

namespace {

constexpr int kFirstKeycode = 8;  // X reserves the codes below
constexpr int kKeycodeCount = 256;

X11KeyModifiers ModifiersOf(unsigned int state) {
    return X11KeyModifiers{(state & ShiftMask) != 0, (state & ControlMask) != 0,
                           (state & Mod1Mask) != 0, (state & LockMask) != 0};
}

void InjectCharacters(const std::u32string& characters) {
    for (char32_t c : characters) InjectCharacter(c);
}

bool IsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

bool IsGenericModifier(int virtualKey) {
    return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU;
}

}  // namespace

X11Keyboard::X11Keyboard(_XDisplay* display)
    : display_(display), inputMethod_(std::make_unique<X11InputMethod>(display)) {
    // Without this, auto-repeat reaches clients as release and press pairs.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display_, True, &supported);
    serverMarksRepeats_ = supported == True;
}

X11Keyboard::~X11Keyboard() = default;

long X11Keyboard::EventMask() {
    return KeyPressMask | KeyReleaseMask | KeymapStateMask | FocusChangeMask;
}

void X11Keyboard::WindowCreated(unsigned long window) {
    inputMethod_->AddWindow(window);
}

void X11Keyboard::WindowDestroyed(unsigned long window) {
    inputMethod_->RemoveWindow(window);
}

void X11Keyboard::FocusChanged(unsigned long window, bool focused) {
    inputMethod_->SetFocus(window, focused);
}

bool X11Keyboard::Filter(XEvent& event) {
    return inputMethod_->Filter(event);
}

bool X11Keyboard::HandleEvent(XEvent& event) {
    switch (event.type) {
        case KeyPress:
            HandlePress(event);
            return true;
        case KeyRelease:
            HandleRelease(event);
            return true;
        case KeymapNotify:
            SyncHeldKeys(event);
            return true;
        case MappingNotify:
            // Another layout (setxkbmap, a layout switch): later lookups use the new keymap.
            if (event.xmapping.request != MappingPointer) XRefreshKeyboardMapping(&event.xmapping);
            return true;
        default:
            return false;
    }
}

void X11Keyboard::HandlePress(XEvent& event) {
    const XKeyEvent& key = event.xkey;
    const X11InputMethod::Lookup typed = inputMethod_->LookUp(event);
    const std::u32string text = DecodeUtf8(typed.text);
    if (key.keycode == 0) {
        // Text the input method committed (the end of a compose sequence, say).
        InjectCharacters(X11KeyMap::CharactersFor(0, {}, text));
        return;
    }
    const X11KeyLevels levels = LevelsOf(key.keycode, key.state);
    const int virtualKey = X11KeyMap::VirtualKeyOfKey(levels);
    const std::u32string characters =
        X11KeyMap::CharactersFor(virtualKey, ModifiersOf(key.state), text);
    if (virtualKey == 0) {
        // A key the classic keyboard has no virtual key for still types its characters.
        InjectCharacters(characters);
        return;
    }
    if (X11KeyMap::IsAltGr(levels.effective)) InjectKey(VK_LCONTROL, true);
    InjectKeyTyping(virtualKey, characters);
}

void X11Keyboard::HandleRelease(XEvent& event) {
    const XKeyEvent& key = event.xkey;
    if (key.keycode == 0 || IsAutoRepeatRelease(event)) return;
    const X11KeyLevels levels = LevelsOf(key.keycode, key.state);
    const int virtualKey = X11KeyMap::VirtualKeyOfKey(levels);
    // A key whose press the input method kept (a dead key) was never down for the program.
    if (virtualKey == 0 || !IsDown(virtualKey)) return;
    InjectKey(virtualKey, false);
    if (X11KeyMap::IsAltGr(levels.effective) && IsDown(VK_LCONTROL)) InjectKey(VK_LCONTROL, false);
}

bool X11Keyboard::IsAutoRepeatRelease(const XEvent& release) {
    if (serverMarksRepeats_ || XEventsQueued(display_, QueuedAfterReading) == 0) return false;
    XEvent next;
    XPeekEvent(display_, &next);
    return next.type == KeyPress && next.xkey.keycode == release.xkey.keycode &&
           next.xkey.time == release.xkey.time;
}

void X11Keyboard::SyncHeldKeys(const XEvent& keymapEvent) {
    // The key vector the server sends when the focus comes back: keys pressed or released
    // while another program had the keyboard are set as they are, without messages.
    std::array<bool, 256> held{};
    for (int keycode = kFirstKeycode; keycode < kKeycodeCount; ++keycode) {
        if ((keymapEvent.xkeymap.key_vector[keycode / 8] & (1 << (keycode % 8))) == 0) continue;
        const X11KeyLevels levels = LevelsOf(unsigned(keycode), 0);
        held[std::size_t(X11KeyMap::VirtualKeyOfKey(levels)) & 0xFF] = true;
        if (X11KeyMap::IsAltGr(levels.unshifted)) held[VK_LCONTROL] = true;
    }
    // Mouse buttons (below VK_BACK) keep the state the pointer gave them.
    for (int virtualKey = VK_BACK; virtualKey < int(held.size()); ++virtualKey) {
        if (IsGenericModifier(virtualKey)) continue;  // they follow their sides
        if (IsDown(virtualKey) != held[std::size_t(virtualKey)]) {
            SyncKeyState(virtualKey, held[std::size_t(virtualKey)]);
        }
    }
}

unsigned long X11Keyboard::EffectiveKeysym(unsigned int keycode, unsigned int state) {
    unsigned int consumed = 0;
    KeySym keysym = NoSymbol;
    XkbLookupKeySym(display_, KeyCode(keycode), state, &consumed, &keysym);
    return keysym;
}

X11KeyLevels X11Keyboard::LevelsOf(unsigned int keycode, unsigned int state) {
    const int group = XkbGroupForCoreState(state);
    const auto code = KeyCode(keycode);
    return X11KeyLevels{XkbKeycodeToKeysym(display_, code, group, 0),
                        XkbKeycodeToKeysym(display_, code, group, 1),
                        EffectiveKeysym(keycode, state), keycode};
}

}  // namespace vexa::sys
