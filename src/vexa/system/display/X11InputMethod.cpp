#include "vexa/system/display/X11InputMethod.h"

#include "vexa/system/automation/Utf8Text.h"
#include "vexa/system/display/X11KeyMap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <clocale>
#include <vector>

namespace vexa::sys {

namespace {

// Xlib opens input methods for the locale in effect (LC_CTYPE). A program that never chose
// one runs in "C", where Xlib knows nothing of the user's compose sequences: for the opening
// only, the locale of the environment is taken, and the program's own is put back after, so
// that the library never changes the host's locale behind its back. The input method keeps
// what it opened with.
class UserLocaleForOpening {
  public:
    UserLocaleForOpening() {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        saved_ = current != nullptr ? current : "C";
        if (saved_ != "C" && saved_ != "POSIX" && XSupportsLocale()) return;
        if (std::setlocale(LC_CTYPE, "") != nullptr && XSupportsLocale()) {
            switched_ = true;
        } else {
            std::setlocale(LC_CTYPE, saved_.c_str());
        }
    }
    ~UserLocaleForOpening() {
        if (switched_) std::setlocale(LC_CTYPE, saved_.c_str());
    }
    UserLocaleForOpening(const UserLocaleForOpening&) = delete;
    UserLocaleForOpening& operator=(const UserLocaleForOpening&) = delete;

  private:
    std::string saved_;
    bool switched_ = false;
};

// Preedit and status drawn by the input method itself, else by nobody: the windows have no
// place of their own for them.
XIMStyle ChooseStyle(XIM im) {
    XIMStyles* styles = nullptr;
    if (XGetIMValues(im, XNQueryInputStyle, &styles, nullptr) != nullptr || styles == nullptr) {
        return XIMPreeditNothing | XIMStatusNothing;
    }
    XIMStyle chosen = 0;
    for (const XIMStyle wanted :
         {XIMPreeditNothing | XIMStatusNothing, XIMPreeditNone | XIMStatusNone,
          XIMPreeditNothing | XIMStatusNone, XIMPreeditNone | XIMStatusNothing}) {
        for (unsigned short i = 0; i < styles->count_styles && chosen == 0; ++i) {
            if (styles->supported_styles[i] == wanted) chosen = wanted;
        }
    }
    XFree(styles);
    return chosen;
}

}  // namespace

X11InputMethod::X11InputMethod(_XDisplay* display) : display_(display) {
    Open();
}

X11InputMethod::~X11InputMethod() {
    if (waitingForServer_) {
        XUnregisterIMInstantiateCallback(display_, nullptr, nullptr, nullptr, &Instantiated,
                                         reinterpret_cast<XPointer>(this));
    }
    for (auto& [window, context] : contexts_) {
        if (context != nullptr) XDestroyIC(context);
    }
    if (im_ != nullptr) XCloseIM(im_);
}

void X11InputMethod::Open() {
    UserLocaleForOpening locale;
    if (!XSupportsLocale()) return;
    // The user's choice ($XMODIFIERS) first, then Xlib's own input method.
    for (const char* modifiers : {"", "@im=none"}) {
        if (XSetLocaleModifiers(modifiers) == nullptr) continue;
        im_ = XOpenIM(display_, nullptr, nullptr, nullptr);
        if (im_ != nullptr) break;
    }
    if (im_ == nullptr) {
        // An input method server may start later.
        waitingForServer_ = XRegisterIMInstantiateCallback(
            display_, nullptr, nullptr, nullptr, &Instantiated, reinterpret_cast<XPointer>(this));
        return;
    }
    XIMCallback destroyed{reinterpret_cast<XPointer>(this), &Destroyed};
    XSetIMValues(im_, XNDestroyCallback, &destroyed, nullptr);
    for (auto& [window, context] : contexts_) CreateContext(window);
    if (focused_ != 0) SetFocus(focused_, true);
}

void X11InputMethod::Destroyed(XIM, XPointer self, XPointer) {
    // The input method server went away, and its contexts with it: they must not be freed.
    auto* method = reinterpret_cast<X11InputMethod*>(self);
    method->im_ = nullptr;
    for (auto& [window, context] : method->contexts_) context = nullptr;
    method->waitingForServer_ = XRegisterIMInstantiateCallback(method->display_, nullptr, nullptr,
                                                               nullptr, &Instantiated, self);
}

void X11InputMethod::Instantiated(Display* display, XPointer self, XPointer) {
    auto* method = reinterpret_cast<X11InputMethod*>(self);
    XUnregisterIMInstantiateCallback(display, nullptr, nullptr, nullptr, &Instantiated, self);
    method->waitingForServer_ = false;
    if (method->im_ == nullptr) method->Open();
}

void X11InputMethod::AddWindow(unsigned long window) {
    contexts_[window] = nullptr;
    CreateContext(window);
}

void X11InputMethod::CreateContext(unsigned long window) {
    if (im_ == nullptr) return;
    const XIMStyle style = ChooseStyle(im_);
    if (style == 0) return;
    XIC context =
        XCreateIC(im_, XNInputStyle, style, XNClientWindow, window, XNFocusWindow, window, nullptr);
    contexts_[window] = context;
    if (context == nullptr) return;
    long filterEvents = 0;
    XGetICValues(context, XNFilterEvents, &filterEvents, nullptr);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) != 0) {
        XSelectInput(display_, window, attributes.your_event_mask | filterEvents);
    }
}

void X11InputMethod::RemoveWindow(unsigned long window) {
    const auto it = contexts_.find(window);
    if (it == contexts_.end()) return;
    if (it->second != nullptr) XDestroyIC(it->second);
    contexts_.erase(it);
    if (focused_ == window) focused_ = 0;
}

void X11InputMethod::SetFocus(unsigned long window, bool focused) {
    if (focused) {
        focused_ = window;
    } else if (focused_ == window) {
        focused_ = 0;
    }
    const auto it = contexts_.find(window);
    if (it == contexts_.end() || it->second == nullptr) return;
    if (focused) {
        XSetICFocus(it->second);
    } else {
        XUnsetICFocus(it->second);
    }
}

bool X11InputMethod::Filter(XEvent& event) {
    return XFilterEvent(&event, 0) == True;
}

X11InputMethod::Lookup X11InputMethod::LookUp(XEvent& keyPress) {
    const auto it = contexts_.find(keyPress.xkey.window);
    if (it == contexts_.end() || it->second == nullptr) return LookUpWithoutInputMethod(keyPress);
    std::vector<char> buffer(64);
    KeySym keysym = 0;
    Status status = 0;
    int length = 0;
    for (;;) {
        length = Xutf8LookupString(it->second, &keyPress.xkey, buffer.data(), int(buffer.size()),
                                   &keysym, &status);
        if (status != XBufferOverflow) break;
        buffer.resize(std::size_t(length) + 1);
    }
    Lookup result;
    if (status == XLookupKeySym || status == XLookupBoth) result.keysym = keysym;
    if (status == XLookupChars || status == XLookupBoth) result.text.assign(buffer.data(), length);
    return result;
}

X11InputMethod::Lookup X11InputMethod::LookUpWithoutInputMethod(XEvent& keyPress) {
    char bytes[32];
    KeySym keysym = 0;
    const int length = XLookupString(&keyPress.xkey, bytes, sizeof bytes, &keysym, nullptr);
    Lookup result{keysym, {}};
    // A control character (Ctrl+letter, Return, ...) comes as its byte; any other character
    // from the keysym, since the bytes are in the locale's encoding, not necessarily UTF-8.
    if (length == 1 && (static_cast<unsigned char>(bytes[0]) < 0x20 || bytes[0] == 0x7F)) {
        result.text.assign(bytes, 1);
    } else if (const auto character = X11KeyMap::CharacterFor(keysym)) {
        AppendUtf8(result.text, *character);
    }
    return result;
}

}  // namespace vexa::sys
