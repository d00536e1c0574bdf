// What a display backend provides to the window system: a place to show top-level windows,
// native input, a clock and message boxes. The window system owns all window state (tree,
// geometry, z-order, back buffers); the backend only mirrors top-level windows and feeds
// input back through the functions of "vexa/system/window/Input.h".
//
// Contract, for implementers (the headless display is the reference):
// - Calls arrive on the user-interface thread only.
// - Top-level windows are announced with Create and forgotten after Destroy; every call
//   names a live one. Rectangles are screen coordinates of the whole window (the back buffer
//   has exactly that size).
// - Present(hwnd, surface, dirty) is called after the window system painted: copy the dirty
//   part of the back buffer (back-buffer coordinates) to the window as it is shown. The
//   surface is owned by the window system and stays valid until the next Resize or Destroy.
// - PumpEvents(timeoutMs) reads pending native events and turns them into Inject* calls,
//   waiting at most timeoutMs for the first one (0 = do not wait, -1 = wait without limit).
//   It returns false when nothing can ever arrive (then the loop stops waiting).
// - NowMs() is a monotonic clock in milliseconds; timers are due against it.
// - Changes made by the user through the window manager come back as window-system calls:
//   a move or resize -> SetWindowPos(hwnd, 0, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE)
//   (the Move call this causes carries the same rectangle), the close button ->
//   PostMessage(hwnd, WM_CLOSE), activation -> SetActiveWindow(hwnd), an expose -> copy the
//   exposed part of GetWindowSurface(hwnd, true).surface again (no repaint is needed).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

class DisplayBackend {
  public:
    virtual ~DisplayBackend() = default;

    // The screen: size and the surface used for drawing on it (screen coordinates). A
    // backend that cannot draw on its screen returns an off-screen surface of that size.
    virtual SIZE ScreenSize() const = 0;
    virtual cairo_surface_t* ScreenSurface() = 0;
    // The part rect of the screen surface was drawn on directly.
    virtual void PresentScreen(const RECT& rect) = 0;

    // Top-level windows. zOrderAbove is the top-level window directly above hwnd in
    // z-order after the change (0 when hwnd is topmost).
    virtual void Create(HWND hwnd, const RECT& rect, const std::string& title, bool popup) = 0;
    virtual void Destroy(HWND hwnd) = 0;
    virtual void Show(HWND hwnd, bool visible) = 0;
    virtual void Move(HWND hwnd, const RECT& rect) = 0;
    virtual void Restack(HWND hwnd, HWND zOrderAbove) = 0;
    virtual void SetTitle(HWND hwnd, const std::string& title) = 0;
    // The program activated hwnd (SetActiveWindow): give it the keyboard where the native
    // side decides that. Activation that came from the backend itself is announced too.
    virtual void Activate(HWND hwnd) = 0;
    virtual void Present(HWND hwnd, cairo_surface_t* backBuffer, const RECT& dirty) = 0;

    // Input and time.
    virtual bool PumpEvents(int timeoutMs) = 0;
    // A file descriptor that becomes readable when native events arrive, for programs whose
    // own event loop drives the window system; -1 when there is none.
    virtual int EventFd() const { return -1; }
    virtual std::uint64_t NowMs() const = 0;
    // The cursor was moved by the program (SetCursorPos) or its shape changed (SetCursor).
    virtual void WarpPointer(POINT screenPoint) = 0;
    virtual void SetCursorShape(HCURSOR cursor) = 0;
    // Pointer grab while a window has the capture (so drags leaving the window keep
    // reporting motion); the window system calls it on SetCapture / ReleaseCapture.
    virtual void GrabPointer(HWND topLevel, bool grab) = 0;

    // A modal message box; returns IDOK, IDCANCEL, IDYES, ...
    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                               UINT type) = 0;

    // ---- Clipboard and selections shared with other programs (where the display has them).
    // A display without them leaves these alone: the window system's own clipboard serves.
    enum class SharedSelection {
        Clipboard,  // what cut, copy and paste use
        Primary,    // what the user selected last, which a middle click pastes
    };
    // Whether the clipboard and the primary selection are the desktop's, shared with other
    // programs; the window system calls the three members below only when they are.
    virtual bool SharesSelections() const { return false; }
    // The program offers text (UTF-8) as the selection, taking it from whichever program had
    // it; nullopt empties the selection. False when the display could not take it.
    virtual bool OfferSelection(SharedSelection, const std::optional<std::string>&) {
        return false;
    }
    // The text the selection holds, from whichever program offers it, as valid UTF-8; nullopt
    // when it holds no text or its owner did not answer in time.
    virtual std::optional<std::string> ReadSelection(SharedSelection) { return std::nullopt; }
    // Whether the selection holds text, without transferring it.
    virtual bool SelectionHasText(SharedSelection) { return false; }

    // ---- Drag and drop between programs (where the display has it). A display without it
    // leaves these alone: drags stay inside the program.
    // Effects are the drop-effect bits (copy 1, move 2, link 4); data travels as bytes named
    // by MIME types ("text/plain;charset=utf-8", "text/uri-list", ...).

    // What lies under a screen point for a drag: a window of this program (the window system
    // finds which), a window of another program that takes drops, or neither.
    enum class DragPlace { OwnWindow, OtherProgram, Nowhere };
    virtual DragPlace DragPlaceAt(POINT /*screenPoint*/) { return DragPlace::OwnWindow; }

    // A drag of this program as other programs see it. render gives the bytes of one of the
    // types (nothing when it cannot); answerChanged is called, from PumpEvents, when the other
    // program's answer to the last position came in.
    struct OutgoingDrag {
        std::vector<std::string> types;  // best first
        DWORD allowedEffects = 0;
        std::function<std::optional<std::string>(const std::string& type)> render;
        std::function<void()> answerChanged;
    };
    // Begin once before the first Over; Over while the pointer is over another program's
    // window (entering it as needed) with the effect the key state asks for, returning the
    // effect that program accepts so far; Leave when the pointer leaves it; Drop there,
    // returning the effect it performed (none when it refused or did not answer in time); End
    // once, whatever happened.
    virtual void BeginOutgoingDrag(const OutgoingDrag& /*drag*/) {}
    virtual DWORD OutgoingDragOver(POINT /*screenPoint*/, DWORD /*requestedEffect*/) { return 0; }
    virtual void OutgoingDragLeave() {}
    virtual DWORD OutgoingDrop() { return 0; }
    virtual void EndOutgoingDrag() {}

    // A drag coming from another program: the types it offers and a way to fetch one (nothing
    // when the other program does not deliver it).
    struct IncomingDrag {
        std::vector<std::string> types;
        std::function<std::optional<std::string>(const std::string& type)> fetch;
    };
    // Where the display delivers such drags, from PumpEvents: Enter once, then Over and Leave
    // or Drop, with screen points, the key state (MK_* bits) and the effects the other program
    // allows; Over and Drop return the effect chosen.
    class IncomingDragSink {
      public:
        virtual ~IncomingDragSink() = default;
        virtual void IncomingDragEnter(const IncomingDrag& drag) = 0;
        virtual DWORD IncomingDragOver(POINT screenPoint, DWORD keyState, DWORD allowed) = 0;
        virtual void IncomingDragLeave() = 0;
        virtual DWORD IncomingDrop(POINT screenPoint, DWORD keyState, DWORD allowed) = 0;
    };
    // nullptr: drags from other programs are refused.
    virtual void SetIncomingDragSink(IncomingDragSink* /*sink*/) {}
};

// The backend in use. The default display (MakeDefaultDisplay) is installed on first use
// unless a program installed another one before creating its first window.
DisplayBackend& CurrentDisplay();
// The display a program gets when it installs none: defined by the display backends, so
// that the window system names only this interface.
std::unique_ptr<DisplayBackend> MakeDefaultDisplay();
// Installs a backend, best before the first window is created; top-level windows that exist
// already are moved over (destroyed on the old backend, created, stacked and shown on the
// new). Returns the previous one. The screen metrics (SM_CXSCREEN, SM_CYSCREEN, ...) follow
// the new backend's ScreenSize().
std::unique_ptr<DisplayBackend> SetDisplayBackend(std::unique_ptr<DisplayBackend> backend);

}  // namespace vexa::sys
