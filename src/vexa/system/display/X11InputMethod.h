// The X input method of the program: one connection to it (a server such as the desktop's
// input method, else Xlib's own, which knows the locale's dead keys and compose sequences),
// one input context per top-level window, and the lookup of what a key press typed. Without
// any input method, key presses still type what the server's keymap puts on the key.
#pragma once

#include <string>
#include <unordered_map>

struct _XDisplay;
struct _XIM;
struct _XIC;
union _XEvent;

namespace vexa::sys {

class X11InputMethod {
  public:
    explicit X11InputMethod(_XDisplay* display);
    ~X11InputMethod();
    X11InputMethod(const X11InputMethod&) = delete;
    X11InputMethod& operator=(const X11InputMethod&) = delete;

    bool IsOpen() const { return im_ != nullptr; }
    // Gives a top-level window its input context and selects the events the input method
    // needs on it; forgets it again.
    void AddWindow(unsigned long window);
    void RemoveWindow(unsigned long window);
    // The window got or lost the keyboard focus.
    void SetFocus(unsigned long window, bool focused);
    // Gives the input method every event first: true when it took the event (a dead key, a
    // key in the middle of a compose sequence, the input method's own traffic).
    bool Filter(_XEvent& event);

    struct Lookup {
        unsigned long keysym = 0;  // the keysym of the press, 0 when only text was committed
        std::string text;          // what the press typed, UTF-8 as Xlib gives it
    };
    // What a key press (not filtered) typed.
    Lookup LookUp(_XEvent& keyPress);

  private:
    void Open();
    void CreateContext(unsigned long window);
    static void Destroyed(_XIM* im, char* self, char* unused);
    static void Instantiated(_XDisplay* display, char* self, char* unused);
    Lookup LookUpWithoutInputMethod(_XEvent& keyPress);

    _XDisplay* display_;
    _XIM* im_ = nullptr;
    std::unordered_map<unsigned long, _XIC*> contexts_;  // input context of each window
    unsigned long focused_ = 0;                          // the window with the keyboard focus
    bool waitingForServer_ = false;  // asked Xlib to say when an input method appears
};

}  // namespace vexa::sys
