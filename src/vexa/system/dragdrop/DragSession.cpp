#include "vexa/system/dragdrop/DragSession.h"

#include <utility>

#include "vexa/system/dragdrop/TransferFormats.h"
#include "vexa/system/window/DisplayBackend.h"
#include "vexa/system/window/Messages.h"

namespace vexa::sys {

namespace {

constexpr const char* kTrackerClass = "VexaDragTracker";
// Posted to the tracker when another program's answer came in.
constexpr UINT kAnswerChanged = WM_USER + 1;
constexpr UINT kFirstKeyMessage = WM_KEYDOWN;
constexpr UINT kLastKeyMessage = 0x0109;  // WM_KEYLAST
constexpr DWORD kButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK;
}

// The top-level window a drag starts in: the one holding the capture (the press that started
// it), else the one under the pointer.
HWND StartingTopLevel() {
    HWND hwnd = GetCapture();
    if (hwnd == 0) {
        POINT cursor;
        GetCursorPos(&cursor);
        hwnd = WindowFromPoint(cursor);
    }
    return hwnd == 0 ? 0 : GetAncestor(hwnd, GA_ROOT);
}

template <typename Call>
auto Guarded(Call call, decltype(call()) fallback) {
    try {
        return call();
    } catch (...) {
        return fallback;
    }
}

}  // namespace

DragSession* DragSession::running_ = nullptr;

DragSession::DragSession(std::shared_ptr<DataObject> data, DropSource& source, DWORD allowedEffects)
    : data_(std::move(data)), source_(source), allowed_(allowedEffects & kDropEffectsMask) {}

DragSession::~DragSession() {
    if (started_ && !done_) Finish(DragOutcome{});
    if (IsWindow(tracker_)) DestroyWindow(tracker_);
    if (running_ == this) running_ = nullptr;
}

DragOutcome DragSession::Run() {
    if (running_ != nullptr || data_ == nullptr || allowed_ == DROPEFFECT_NONE) return {};
    running_ = this;
    started_ = Start();
    if (!started_) return {};
    RequestStep();  // the source and the target under the pointer hear of the drag at once
    RunLoop();
    return outcome_;
}

bool DragSession::Start() {
    WNDCLASS cls;
    if (!GetClassInfo(kTrackerClass, &cls)) {
        cls.lpfnWndProc = &DragSession::TrackerProc;
        cls.lpszClassName = kTrackerClass;
        RegisterClass(cls);
    }
    const HWND topLevel = StartingTopLevel();
    tracker_ = CreateWindowEx(0, kTrackerClass, "", topLevel != 0 ? WS_CHILD : WS_POPUP, 0, 0, 0, 0,
                              topLevel);
    if (tracker_ == 0) return false;
    cursorBefore_ = GetCursor();
    SetCapture(tracker_);
    previousHook_ = SetGetMessageHook(&DragSession::TakeKeyboard);
    return true;
}

void DragSession::RunLoop() {
    MSG msg;
    while (!done_) {
        if (!IsWindow(tracker_) || GetCapture() != tracker_) {
            Cancel();  // the capture was taken away or the window it was on destroyed
            break;
        }
        const int got = GetMessage(&msg);
        if (got == 0) {
            PostQuitMessage(int(msg.wParam));  // the program's own loop ends on it
            Cancel();
            break;
        }
        if (got < 0) {
            Cancel();  // nothing can ever arrive: the drag cannot end otherwise
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void DragSession::TakeKeyboard(MSG* msg) {
    if (running_ == nullptr || running_->done_) return;
    if (msg->message >= kFirstKeyMessage && msg->message <= kLastKeyMessage) {
        msg->hwnd = running_->tracker_;
    }
}

LRESULT DragSession::TrackerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DragSession* session = running_;
    if (session == nullptr || session->tracker_ != hwnd || session->done_) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (IsMouseMessage(msg) || msg == kAnswerChanged || msg == WM_KEYUP || msg == WM_SYSKEYUP) {
        session->RequestStep();
    } else if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        if (wParam == WPARAM(VK_ESCAPE)) session->escapePressed_ = true;
        session->RequestStep();
    } else if (msg == WM_CAPTURECHANGED && HWND(lParam) != hwnd) {
        session->Cancel();
    } else if (msg != WM_CHAR && msg != WM_SYSCHAR) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return 0;
}

void DragSession::RequestStep() {
    if (stepping_) {
        stepAgain_ = true;
        return;
    }
    stepping_ = true;
    do {
        stepAgain_ = false;
        Step();
    } while (stepAgain_ && !done_);
    stepping_ = false;
}

void DragSession::Step() {
    POINT point;
    GetCursorPos(&point);
    const DWORD keyState = DragKeyState();
    const bool escape = std::exchange(escapePressed_, false);
    const DragAction action =
        Guarded([&] { return source_.QueryContinueDrag(escape, keyState); }, DragAction::Cancel);
    if (action == DragAction::Cancel) return Cancel();
    if (action == DragAction::Drop) {
        if (!moved_) MoveTo(point, keyState);  // dropped at once: the target there takes it
        if (!done_) DropAt(point, keyState);
        return;
    }
    draggingButtons_ = keyState & kButtons;
    MoveTo(point, keyState);
    if (!done_) ShowFeedback();
}

void DragSession::MoveTo(POINT screenPoint, DWORD keyState) {
    moved_ = true;
    const auto place = CurrentDisplay().DragPlaceAt(screenPoint);
    if (place != DisplayBackend::DragPlace::OtherProgram) LeaveOtherProgram();
    if (place != DisplayBackend::DragPlace::OwnWindow) targets_.Leave();
    switch (place) {
        case DisplayBackend::DragPlace::OwnWindow:
            effect_ =
                targets_.Over(WindowFromPoint(screenPoint), data_, keyState, screenPoint, allowed_);
            break;
        case DisplayBackend::DragPlace::OtherProgram:
            effect_ = OverOtherProgram(screenPoint, keyState);
            break;
        case DisplayBackend::DragPlace::Nowhere:
            effect_ = DROPEFFECT_NONE;
            break;
    }
}

DWORD DragSession::OverOtherProgram(POINT screenPoint, DWORD keyState) {
    DisplayBackend& display = CurrentDisplay();
    if (!offeredToOtherPrograms_) {
        DisplayBackend::OutgoingDrag offer;
        offer.types = OfferedTypes(*data_);
        offer.allowedEffects = allowed_;
        offer.render = [data = data_](const std::string& type) { return RenderType(*data, type); };
        offer.answerChanged = [tracker = tracker_] { PostMessage(tracker, kAnswerChanged); };
        display.BeginOutgoingDrag(offer);
        offeredToOtherPrograms_ = true;
    }
    overOtherProgram_ = true;
    const DWORD requested = DefaultDropEffect(keyState, allowed_);
    return ResolveDropEffect(keyState, allowed_, display.OutgoingDragOver(screenPoint, requested));
}

void DragSession::LeaveOtherProgram() {
    if (!overOtherProgram_) return;
    overOtherProgram_ = false;
    CurrentDisplay().OutgoingDragLeave();
}

void DragSession::ShowFeedback() {
    const bool useDefaultCursors = Guarded([&] { return source_.GiveFeedback(effect_); }, true);
    if (useDefaultCursors) SetCursor(DragCursorFor(effect_));
}

void DragSession::DropAt(POINT screenPoint, DWORD keyState) {
    // The target hears which buttons were dragging, although they are up by now.
    const DWORD dropKeys = (keyState & ~kButtons) | draggingButtons_;
    DragOutcome outcome;
    if (effect_ == DROPEFFECT_NONE) {
        targets_.Leave();
        LeaveOtherProgram();
    } else if (overOtherProgram_) {
        overOtherProgram_ = false;
        outcome = DragOutcome{true, CurrentDisplay().OutgoingDrop()};
    } else if (targets_.HasTarget()) {
        outcome = DragOutcome{true, targets_.Drop(data_, dropKeys, screenPoint, allowed_)};
    }
    Finish(outcome);
}

void DragSession::Cancel() {
    if (done_) return;
    targets_.Leave();
    LeaveOtherProgram();
    Finish(DragOutcome{});
}

void DragSession::Finish(DragOutcome outcome) {
    if (done_) return;
    done_ = true;
    outcome_ = outcome;
    if (offeredToOtherPrograms_) CurrentDisplay().EndOutgoingDrag();
    offeredToOtherPrograms_ = false;
    SetGetMessageHook(previousHook_);
    if (GetCapture() == tracker_) ReleaseCapture();
    SetCursor(cursorBefore_ != 0 ? cursorBefore_ : IDC_ARROW);
}

DragOutcome DoDragDrop(std::shared_ptr<DataObject> data, DropSource& source, DWORD allowedEffects) {
    if (DragSession::Running()) return {};
    DragSession session(std::move(data), source, allowedEffects);
    return session.Run();
}

bool IsDragging() {
    return DragSession::Running();
}

DragAction DropSource::QueryContinueDrag(bool escapePressed, DWORD keyState) {
    if (escapePressed) return DragAction::Cancel;
    return (keyState & kButtons) == 0 ? DragAction::Drop : DragAction::Continue;
}

bool DropSource::GiveFeedback(DWORD) {
    return true;
}

}  // namespace vexa::sys
