// The X keyboard as the window system's keyboard: key events become the classic key messages
// with the virtual keys of the active layout, the characters come from the input method
// (dead keys and compose sequences included), auto-repeat comes as repeated key-downs, and
// the key state catches up with keys pressed or released while another program had the
// keyboard.
#pragma once

#include <cstdint>
#include <memory>

struct _XDisplay;
union _XEvent;

namespace vexa::sys {

class X11InputMethod;
struct X11KeyLevels;

class X11Keyboard {
  public:
    explicit X11Keyboard(_XDisplay* display);
    ~X11Keyboard();
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    // The event mask a top-level window needs for the keyboard.
    static long EventMask();
    void WindowCreated(unsigned long window);
    void WindowDestroyed(unsigned long window);
    void FocusChanged(unsigned long window, bool focused);
    // Gives the input method each event before anything else sees it: true when it took it.
    bool Filter(_XEvent& event);
    // Handles key presses and releases, keymap changes and the key vector that follows a
    // focus change; false for any other event.
    bool HandleEvent(_XEvent& event);

  private:
    void HandlePress(_XEvent& event);
    void HandleRelease(_XEvent& event);
    void SyncHeldKeys(const _XEvent& keymapEvent);
    bool IsAutoRepeatRelease(const _XEvent& release);
    unsigned long EffectiveKeysym(unsigned int keycode, unsigned int state);
    X11KeyLevels LevelsOf(unsigned int keycode, unsigned int state);

    _XDisplay* display_;
    std::unique_ptr<X11InputMethod> inputMethod_;
    bool serverMarksRepeats_ = false;  // the server sends no releases within auto-repeat
};

}  // namespace vexa::sys
