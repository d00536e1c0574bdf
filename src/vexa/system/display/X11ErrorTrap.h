// Runs a scope with X errors counted instead of reported: requests on other clients' windows,
// which may be gone by the time the server reads them, fail quietly and can be told apart.
#pragma once

struct _XDisplay;

namespace vexa::sys {

// Failed() waits for the server to have answered every request made in the scope.
class X11ErrorTrap {
  public:
    explicit X11ErrorTrap(_XDisplay* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;
    bool Failed();

  private:
    _XDisplay* display_;
    void* previous_ = nullptr;  // the handler in place before, restored afterwards
    int errorsBefore_ = 0;
};

}  // namespace vexa::sys
