// The window system: classes, windows and their tree, window procedures, properties, the
// message queue and loop, focus, capture, the cursor, timers, invalidation and painting,
// system metrics and colours, message boxes and the back buffers the drawing library paints
// into. Functions keep the classic names and semantics. Everything runs on the user-interface
// thread; a destroyed or unknown handle never crashes a call, it gives 0/false/empty.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vexa/system/window/Messages.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// ---- Classes ---------------------------------------------------------------------------
// Returns a non-zero atom, or 0 when the name is empty, already registered or the
// procedure is missing.
ATOM RegisterClass(const WNDCLASS& wndClass);
bool UnregisterClass(const std::string& className);
bool GetClassInfo(const std::string& className, WNDCLASS* wndClass);
std::string GetClassName(HWND hwnd);

// ---- Creation and the window tree ------------------------------------------------------
// Sends WM_NCCREATE, WM_NCCALCSIZE and WM_CREATE (lParam: CREATESTRUCT*); a procedure
// answering WM_CREATE with -1 (or WM_NCCREATE with 0) makes the call fail and return 0. A
// WS_CHILD window lives in its parent's client area, (x, y) relative to it; a top-level
// window gets a back buffer; a WS_POPUP window created with a parent is owned by it.
HWND CreateWindowEx(UINT exStyle, const std::string& className, const std::string& windowName,
                    UINT style, int x, int y, int width, int height, HWND parent = 0,
                    std::uintptr_t id = 0, void* createParam = nullptr);
// WM_DESTROY goes to the window and then its children (they still exist while their parent
// handles it), WM_NCDESTROY to the children first; owned popups are destroyed too. The
// handle is invalid afterwards and never reused.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
bool IsChild(HWND parent, HWND hwnd);
// The parent of a child window, the owner of an owned popup, else 0.
HWND GetParent(HWND hwnd);
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetTopLevelWindow(HWND hwnd);
// Children bottom-to-top in z-order is the internal order; this returns them top first.
std::vector<HWND> GetChildWindows(HWND parent);
HWND GetDlgItem(HWND parent, std::uintptr_t id);
// GW_CHILD (the top child), GW_HWNDFIRST/LAST/NEXT/PREV (siblings in z-order, top first),
// GW_OWNER.
HWND GetWindow(HWND hwnd, UINT command);
HWND GetDesktopWindow();

// Windows belong to a process and a thread. Tests mark a window as another process's to
// exercise the rules about external windows.
DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
void SetWindowProcessForTesting(HWND hwnd, DWORD processId);

// ---- Geometry ----------------------------------------------------------------------------
// Screen coordinates.
bool GetWindowRect(HWND hwnd, RECT* rect);
// (0, 0, width, height) of the client area: the window minus what WS_BORDER,
// WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, WS_VSCROLL and WS_HSCROLL take, as adjusted by the
// window's WM_NCCALCSIZE. Caption and sizing-frame bits of a top-level window are the display
// window manager's decoration and take no room.
bool GetClientRect(HWND hwnd, RECT* rect);
// The client area in the window's own coordinates, its top-left corner at (0, 0): what the
// non-client parts are laid out around.
bool GetClientRectInWindow(HWND hwnd, RECT* rect);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint = true);
// Sends WM_WINDOWPOSCHANGING/WM_WINDOWPOSCHANGED, WM_MOVE and WM_SIZE when they changed;
// SWP_FRAMECHANGED recomputes the client area through WM_NCCALCSIZE.
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
bool BringWindowToTop(HWND hwnd);
// Returns whether the window was visible before.
bool ShowWindow(HWND hwnd, int command);
bool IsWindowVisible(HWND hwnd);
// Returns whether the window was disabled before; sends WM_ENABLE when the state changes.
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);

// ---- Window data, procedures and properties ----------------------------------------------
// GWLP_WNDPROC (the procedure, as an integer), GWLP_USERDATA, GWL_STYLE, GWL_EXSTYLE,
// GWLP_ID, GWLP_HWNDPARENT. Set returns the previous value; both return 0 for an unknown
// handle or index. The procedure of another process's window cannot be replaced.
LPARAM GetWindowLongPtr(HWND hwnd, int index);
LPARAM SetWindowLongPtr(HWND hwnd, int index, LPARAM value);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A hook the standard controls install so that DefWindowProc can hit-test, draw and handle
// the window scroll bars in the non-client area (WM_NCHITTEST, WM_NC*BUTTON*...). It is
// asked first and returns true when it handled the message and stored the result. For
// WM_NCPAINT it is called after the default frame (borders, edges, a plain scroll-bar area)
// has been drawn, to draw the bars over it; its answer is not used.
using DefWindowProcHook = bool (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   LRESULT* result);
void SetDefWindowProcHook(DefWindowProcHook hook);

bool SetProp(HWND hwnd, const std::string& name, std::intptr_t value);
std::intptr_t GetProp(HWND hwnd, const std::string& name);
std::intptr_t RemoveProp(HWND hwnd, const std::string& name);

bool SetWindowText(HWND hwnd, const std::string& text);
std::string GetWindowText(HWND hwnd);
int GetWindowTextLength(HWND hwnd);

// ---- Messages and the loop -----------------------------------------------------------------
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// hwnd 0 posts a thread message (it is returned by the loop but dispatched nowhere).
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
// Order: posted and input messages, then WM_PAINT for windows with an update region, then
// WM_TIMER for due timers, as on the classic platform. filter 0 means any window; min/max 0
// mean any message; WM_QUIT comes whatever the range. WM_PAINT and WM_TIMER are generated,
// never queued. Posted messages come before input (mouse and keyboard) messages, whatever
// order they were queued in.
bool PeekMessage(MSG* msg, HWND filter, UINT minMsg, UINT maxMsg, UINT removeFlags);
// Waits for a message through the display backend; returns 0 for WM_QUIT, -1 when nothing
// can ever arrive (the headless display with no message, paint or timer pending), else 1.
// On the headless display waiting for a timer advances the clock to its due time.
int GetMessage(MSG* msg, HWND filter = 0, UINT minMsg = 0, UINT maxMsg = 0);
// Posts WM_CHAR / WM_SYSCHAR for key-down messages of character keys: what the display's
// keyboard typed for a key-down it posted, else the character of the US layout.
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
// A hook that sees every message a loop takes out of the queue (PeekMessage with PM_REMOVE,
// GetMessage) before the loop gets it, and may change it: turning it into WM_NULL discards it,
// changing hwnd redirects it. The drag-and-drop loop uses it to take the keyboard while a drag
// runs, whichever loop is pumping. Returns the previous hook.
using GetMessageHook = void (*)(MSG* msg);
GetMessageHook SetGetMessageHook(GetMessageHook hook);
// Delivers every pending message, paint and due timer (translate + dispatch) until none is
// left, then shows changed back buffers. Returns the number of messages dispatched.
int PumpMessages();
// The time and cursor position of the message last retrieved.
DWORD GetMessageTime();
DWORD GetMessagePos();
DWORD GetTickCount();  // the display clock in milliseconds
// Milliseconds until the next timer falls due (0 when one is due already); -1 without timers.
// Lets another event loop sleep exactly as long as the window system may.
int MillisecondsToNextTimer();

// ---- Focus, activation, capture, cursor --------------------------------------------------
// Sends WM_KILLFOCUS(new) to the old and WM_SETFOCUS(old) to the new focus window. Returns
// the previous focus window; 0 and nothing changes for a disabled or invalid window.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
// Sends WM_CAPTURECHANGED(new) to the window losing the capture.
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
bool GetCursorPos(POINT* point);
// Moves the cursor (inside the ClipCursor rectangle) and delivers the resulting mouse move.
bool SetCursorPos(int x, int y);
// nullptr frees the cursor.
bool ClipCursor(const RECT* rect);
bool GetClipCursor(RECT* rect);
HCURSOR LoadCursor(std::uintptr_t instance, HCURSOR id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
bool TrackMouseEvent(TRACKMOUSEEVENT* track);
// The deepest visible, enabled window under a screen point, 0 over the desktop.
HWND WindowFromPoint(POINT screenPoint);
// The direct child of parent containing a point in parent's client coordinates (hidden
// and disabled ones included), parent itself when none does, 0 outside the parent.
HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);
bool ClientToScreen(HWND hwnd, POINT* point);
bool ScreenToClient(HWND hwnd, POINT* point);
// Maps between client areas (0 = the screen); returns MAKELONG(dx, dy) as the classic does.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
int MapWindowPoints(HWND from, HWND to, RECT* rect);
// High bit (value < 0) while the key is down, low bit toggled on each press.
std::int16_t GetKeyState(int virtualKey);
std::int16_t GetAsyncKeyState(int virtualKey);
UINT GetDoubleClickTime();
bool SetDoubleClickTime(UINT milliseconds);

// ---- Timers ----------------------------------------------------------------------------------
// A window timer (hwnd != 0) is identified by (hwnd, id) and arrives as WM_TIMER, or as a
// call of proc when one is given. A timer without window (hwnd 0) gets a fresh identifier
// unless id names one of them already. Intervals below 10 ms are raised to 10. Returns the
// identifier, 0 on failure (unknown window, id 0 with a window, the documented limit of 10000
// timers reached). Ticks come from the message loop when the display clock passes due time.
std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc = nullptr);
bool KillTimer(HWND hwnd, std::uintptr_t id);
constexpr std::size_t kMaxTimers = 10000;
constexpr UINT USER_TIMER_MINIMUM = 10;

// ---- Invalidation and painting ---------------------------------------------------------------
// rect nullptr means the whole client area. The update region is kept as one rectangle, the
// union of everything invalidated; children overlapping it are invalidated too unless the
// window has WS_CLIPCHILDREN.
bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase);
bool ValidateRect(HWND hwnd, const RECT* rect);
bool RedrawWindow(HWND hwnd, const RECT* rect, UINT flags);
// Sends WM_PAINT at once when the window has an update region.
bool UpdateWindow(HWND hwnd);
// Returns whether there is an update region (and its bounds in client coordinates).
bool GetUpdateRect(HWND hwnd, RECT* rect, bool erase);
// Fills ps (rcPaint = update rectangle, fErase = the background still needs erasing: it is
// false when WM_ERASEBKGND, sent here when erasing was requested, answered non-zero) and
// validates the window. Returns ps->hdc, or the window handle when no provider is set; 0
// on failure.
std::uintptr_t BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// The drawing library installs these so that BeginPaint hands out a device context.
using PaintDcProvider = std::uintptr_t (*)(HWND hwnd, const PAINTSTRUCT& ps);
using PaintDcReleaser = void (*)(HWND hwnd, std::uintptr_t hdc);
void SetPaintDcProvider(PaintDcProvider provider, PaintDcReleaser releaser);
// The drawing library installs this so that WM_ERASEBKGND fills the device context it is
// given (hwnd's client rectangle in that context's coordinates, as far as its clip allows)
// rather than the window's own pixels: a child drawing its parent's background into a
// memory context must not paint over the parent.
using DcBackgroundFiller = void (*)(std::uintptr_t hdc, HWND hwnd, COLORREF color);
void SetDcBackgroundFiller(DcBackgroundFiller filler);

// ---- Back buffers ----------------------------------------------------------------------------
// Every top-level window has a back buffer: a Cairo ARGB32 image surface the size of the
// window. The surface may be replaced when the window is resized: fetch it per drawing.
struct WindowSurface {
    cairo_surface_t* surface = nullptr;
    POINT origin;  // where hwnd's client (or whole window) area starts in the back buffer
    RECT clip;     // the visible part of that area in back-buffer coordinates (children
                   // are clipped to their ancestors); empty when nothing is visible
};
WindowSurface GetWindowSurface(HWND hwnd, bool includeNonClient = false);
// Back-buffer rectangles of windows that painting hwnd must leave alone: visible children
// when hwnd has WS_CLIPCHILDREN, overlapping higher siblings when it has WS_CLIPSIBLINGS.
std::vector<RECT> GetClipExclusions(HWND hwnd, bool includeNonClient = false);
// The display's screen, for drawing on the screen (drag feedback). Screen coordinates.
cairo_surface_t* GetScreenSurface();
// Tells the display that rect (back-buffer coordinates) of topLevel's back buffer changed;
// topLevel 0 means rect of the screen surface changed. Shown when the loop goes idle.
void MarkSurfaceDirty(HWND topLevel, const RECT& rect);
// Shows every changed back buffer now.
void FlushSurfaces();

// ---- Updates put off until observed ----------------------------------------------------------
// A window's owner may put off a change that the system would show or report at once (a
// scroll bar's range while many rows are appended). `update` runs once, before anything can
// see the difference: before a back buffer is handed out for drawing or reading, before
// changed back buffers are shown, when messages are taken from the queue, and before scroll
// bars are read, changed or drawn. A window has at most one: a new one replaces the old, and
// a destroyed window's is dropped.
void DeferUpdate(HWND hwnd, std::function<void()> update);
void CancelDeferredUpdate(HWND hwnd);
// Runs every window's deferred update now; an update deferred meanwhile waits for the next run.
void RunDeferredUpdates();

// ---- System metrics, colours, settings ---------------------------------------------------
int GetSystemMetrics(int index);
// Changes a metric (for a settings change); callers then broadcast WM_SETTINGCHANGE.
void SetSystemMetric(int index, int value);
COLORREF GetSysColor(int index);
bool SetSysColors(int count, const int* indices, const COLORREF* colors);
// Sends msg to every top-level window (WM_SETTINGCHANGE goes there), or with
// includeChildren to every window, parents before their children (WM_THEMECHANGED, which
// every window receives when the theme switches).
void BroadcastMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool includeChildren = false);

// ---- Message boxes -----------------------------------------------------------------------
// Shown by the display backend: the X11 display shows a modal message box window (see
// MessageBoxDialog.h); the headless display records the call and answers with the next
// answer queued by a test, else the box's default button, unless told to show windows too.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// ---- Testing ---------------------------------------------------------------------------------
// Destroys every window and timer and clears focus, capture and queues; classes, metrics,
// colours and the clock stay.
void DestroyAllWindowsForTesting();
// What exists now, for tests that check that a component leaves nothing behind: the windows,
// the running timers (with or without window) and the properties of one window.
std::size_t WindowCountForTesting();
std::size_t TimerCountForTesting();
std::size_t PropCountForTesting(HWND hwnd);

}  // namespace vexa::sys
