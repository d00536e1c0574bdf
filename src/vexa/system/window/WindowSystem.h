// The state behind the window API: classes, the window records and their tree, the queue,
// focus, capture, input state, timers, settings and the update bookkeeping. Internal to the
// window library; everything else goes through the free functions of Window.h.
#pragma once

#include <cairo.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vexa/system/window/Messages.h"
#include "vexa/system/window/TimerQueue.h"
#include "vexa/system/window/Window.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

class DisplayBackend;

struct WindowRecord {
    HWND hwnd = 0;
    WNDCLASS windowClass;
    WNDPROC proc = nullptr;
    UINT style = 0;
    UINT exStyle = 0;
    std::uintptr_t id = 0;
    LPARAM userData = 0;
    HWND parent = 0;             // set for WS_CHILD windows
    HWND owner = 0;              // set for owned top-level windows
    std::vector<HWND> children;  // bottom to top
    RECT rect;                   // parent client coordinates for children, screen for top-level
    RECT clientArea;             // relative to the window's top-left corner
    std::string text;
    std::unordered_map<std::string, std::intptr_t> props;
    DWORD processId = 0;
    DWORD threadId = 0;
    bool destroying = false;
    bool finalizing = false;  // WM_NCDESTROY is under way: no new procedure any more

    // Painting: the update region is kept as its bounding rectangle (client coordinates).
    bool hasUpdate = false;
    bool eraseRequested = false;
    bool frameDirty = false;
    bool redrawOff = false;  // WM_SETREDRAW FALSE: invalidation is ignored until TRUE
    RECT update;
    std::uint64_t beginPaints = 0;  // tells whether a WM_PAINT handler really painted

    // Top-level windows only.
    cairo_surface_t* backBuffer = nullptr;
    RECT dirty;  // back-buffer coordinates, shown at the next flush
    bool presentedOnce = false;

    bool IsChild() const { return (style & WS_CHILD) != 0 && parent != 0; }
    bool IsTopLevel() const { return !IsChild(); }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

struct ClickMemory {
    HWND hwnd = 0;
    int button = 0;
    std::uint64_t time = 0;
    POINT point;
    bool wasDoubleClick = false;
};

class WindowSystem {
  public:
    static WindowSystem& Get();

    WindowRecord* Find(HWND hwnd);
    const WNDCLASS* FindClass(const std::string& name) const;
    // Windows leave only through these two, so that the last lookup is never kept stale.
    void Remove(HWND hwnd);
    void RemoveAll();

    // ---- state, used by the free functions in the window folder
    std::unordered_map<std::string, WNDCLASS> classes;
    std::unordered_map<HWND, std::unique_ptr<WindowRecord>> windows;
    // The last two windows found, the latest first: a control asks for its own window many
    // times in a row, and for its parent in between when it works out screen positions.
    struct FoundWindow {
        HWND hwnd = 0;
        WindowRecord* record = nullptr;
    };
    std::array<FoundWindow, 2> lastFound{};
    std::vector<HWND> topLevels;  // bottom to top
    HWND nextHandle = 0x10000;
    ATOM nextAtom = 0xC000;

    HWND focus = 0;
    HWND active = 0;
    HWND capture = 0;

    std::deque<MSG> queue;       // posted messages
    std::deque<MSG> inputQueue;  // mouse and keyboard input, taken after the posted ones
    bool quitPosted = false;
    int quitCode = 0;
    MSG lastMessage;

    TimerQueue timers;

    POINT cursor;
    std::optional<RECT> cursorClip;
    std::array<std::uint8_t, 256> keys{};  // 0x80 down, 0x01 toggled
    // What the display's keyboard typed with the key-down it posted last, and that message:
    // TranslateMessage posts these characters for it instead of the built-in layout's.
    struct TypedKey {
        MSG message;
        std::u32string text;
    };
    std::optional<TypedKey> typedKey;
    ClickMemory lastClick;
    UINT doubleClickTime = 500;
    HCURSOR cursorShape = 0;
    HWND trackLeave = 0;
    bool focusChangeInProgress = false;

    std::set<HWND> paintPending;  // handles grow with creation: parents come first
    std::set<HWND> dirtySurfaces;
    // Updates windows' owners put off until something could observe them (DeferUpdate).
    std::vector<std::pair<HWND, std::function<void()>>> deferredUpdates;
    bool screenDirty = false;
    RECT screenDirtyRect;

    std::array<int, 100> metrics{};
    std::array<COLORREF, 31> colors{};

    DefWindowProcHook defWindowProcHook = nullptr;
    GetMessageHook getMessageHook = nullptr;
    PaintDcProvider paintDcProvider = nullptr;
    PaintDcReleaser paintDcReleaser = nullptr;
    DcBackgroundFiller dcBackgroundFiller = nullptr;

    std::uint64_t Now();
    DisplayBackend& Display();

  private:
    WindowSystem();
};

// Helpers shared by the files of the window folder.
namespace window_detail {

bool RectIsEmpty(const RECT& r);
RECT Intersection(const RECT& a, const RECT& b);
RECT Union(const RECT& a, const RECT& b);  // empty operands are ignored
RECT Offset(const RECT& r, int dx, int dy);
bool Contains(const RECT& r, POINT p);

// Screen position of a window's top-left corner and of its client area's top-left corner.
POINT WindowScreenOrigin(const WindowRecord& w);
POINT ClientScreenOrigin(const WindowRecord& w);
// The top-level window whose back buffer holds w, and w's corner in that buffer.
WindowRecord* BufferOwner(WindowRecord& w);
POINT WindowBufferOrigin(const WindowRecord& w);
bool IsVisibleChain(const WindowRecord& w);
// Recomputes the client area through WM_NCCALCSIZE; returns whether it changed.
bool RecalculateClientArea(HWND hwnd);
// The non-client border DefWindowProc computes from the style bits.
RECT DefaultClientArea(const WindowRecord& w, const RECT& windowRect);
void InvalidateWindowArea(HWND hwnd, const RECT* clientRect, bool erase, bool frame);
// The whole window, its frame and every visible descendant: for a window shown, moved or
// resized, whose pixels all have to be drawn again.
void InvalidateWindowTree(HWND hwnd);
void InvalidateParentArea(const WindowRecord& child, const RECT& rectInParent);
void ResizeBackBuffer(WindowRecord& w);
void DestroyBackBuffer(WindowRecord& w);
void MarkDirty(WindowRecord& topLevel, const RECT& bufferRect);
void RemoveFromZOrder(WindowRecord& w);
void InsertTopLevel(WindowRecord& w, HWND insertAfter);
// Focus, capture and activation bookkeeping for a window going away or hiding.
void ForgetWindowInput(HWND hwnd);
// Activates the next window (the owner, else the highest visible one) when hwnd is active.
void MoveActivationAwayFrom(HWND hwnd);
LRESULT DeliverMessage(WindowRecord& w, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues a mouse or keyboard message; false for an unknown window.
bool PostInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The next window whose client area needs WM_PAINT (filter 0: any); dirty frames met on the
// way get WM_NCPAINT at once.
HWND NextWindowToPaint(HWND filter);
// The top-level window directly above hwnd in z-order, 0 when it is the top one.
HWND TopLevelAbove(HWND hwnd);
// Runs a WM_PAINT delivery; a handler that neither began painting nor shrank the update
// region gets it validated, or the loop would hand it WM_PAINT forever.
LRESULT DeliverPaint(HWND hwnd, WPARAM wParam, LPARAM lParam);
// The caret steps aside while its window paints and goes with its window.
void CaretBeforePaint(HWND hwnd);
void CaretAfterPaint(HWND hwnd);
void CaretWindowGone(HWND hwnd);
// Mouse-key flags (MK_*) from the current key state.
WPARAM MouseKeyFlags();

}  // namespace window_detail

}  // namespace vexa::sys
