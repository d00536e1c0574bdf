#include "vexa/system/dragdrop/ControlDragDrop.h"

#include <optional>

#include "vexa/system/automation/Error.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

constexpr std::int32_t kInvalidPropertyValue = 380;

// A handler that throws changes nothing more: the drag carries on with what it had.
template <typename Call>
void Notify(Call call) {
    try {
        call();
    } catch (...) {
    }
}

std::int16_t ButtonOf(DWORD keyState) {
    return std::int16_t(((keyState & MK_LBUTTON) != 0 ? 1 : 0) |
                        ((keyState & MK_RBUTTON) != 0 ? 2 : 0) |
                        ((keyState & MK_MBUTTON) != 0 ? 4 : 0));
}

std::int16_t ShiftOf(DWORD keyState) {
    return std::int16_t(((keyState & MK_SHIFT) != 0 ? 1 : 0) |
                        ((keyState & MK_CONTROL) != 0 ? 2 : 0) |
                        ((keyState & MK_ALT) != 0 ? 4 : 0));
}

}  // namespace

// ---- Drop target -------------------------------------------------------------------------

class ControlDragDrop::Target final : public DropTarget {
  public:
    explicit Target(ControlDragDrop& owner) : owner_(&owner) {}
    // The drop mode went back to none or the control went away: no notification any more.
    void Detach() { owner_ = nullptr; }

    void DragEnter(const std::shared_ptr<DataObject>& data, DWORD keyState, POINT screenPoint,
                   DWORD& effect) override {
        data_ = data;
        Pass(vxDragEnter, keyState, screenPoint, effect);
    }
    void DragOver(DWORD keyState, POINT screenPoint, DWORD& effect) override {
        Pass(vxDragOver, keyState, screenPoint, effect);
    }
    void DragLeave() override {
        DWORD effect = DROPEFFECT_NONE;
        Pass(vxDragLeave, lastKeyState_, lastPoint_, effect);
        data_.reset();
    }
    void Drop(const std::shared_ptr<DataObject>& data, DWORD keyState, POINT screenPoint,
              DWORD& effect) override {
        data_ = data;
        Pass(std::nullopt, keyState, screenPoint, effect);
        data_.reset();
    }

  private:
    // Raises OLEDragOver (with a state) or OLEDragDrop (without) and takes the effect back.
    void Pass(std::optional<DragOverState> state, DWORD keyState, POINT screenPoint,
              DWORD& effect) {
        lastKeyState_ = keyState;
        lastPoint_ = screenPoint;
        if (owner_ == nullptr) {
            effect = DROPEFFECT_NONE;
            return;
        }
        POINT client = screenPoint;
        ScreenToClient(owner_->control_, &client);
        std::shared_ptr<DataObject> data = data_;
        const std::int32_t offered = std::int32_t(effect);
        std::int32_t answer = offered;
        std::int16_t button = ButtonOf(keyState);
        std::int16_t shift = ShiftOf(keyState);
        float x = float(client.x);
        float y = float(client.y);
        std::int16_t stateArgument = state.value_or(vxDragOver);
        ControlDragDropEvents& events = owner_->events_;
        Notify([&] {
            if (state) {
                events.OLEDragOver(data, answer, button, shift, x, y, stateArgument);
            } else {
                events.OLEDragDrop(data, answer, button, shift, x, y);
            }
        });
        // Left alone, the effect is the one the key state asks for.
        effect = answer == offered ? DefaultDropEffect(keyState, effect) : DWORD(answer);
    }

    ControlDragDrop* owner_;
    std::shared_ptr<DataObject> data_;
    DWORD lastKeyState_ = 0;
    POINT lastPoint_;
};

// ---- Drag source -------------------------------------------------------------------------

class ControlDragDrop::Source final : public DropSource {
  public:
    explicit Source(ControlDragDropEvents& events) : events_(events) {}

    bool GiveFeedback(DWORD effect) override {
        std::int32_t shown = std::int32_t(effect);
        bool defaultCursors = true;
        Notify([&] { events_.OLEGiveFeedback(shown, defaultCursors); });
        // The handler may have named another effect for the default cursor to show.
        if (defaultCursors) SetCursor(DragCursorFor(DWORD(shown)));
        return false;
    }

  private:
    ControlDragDropEvents& events_;
};

// ---- The control's side --------------------------------------------------------------------

ControlDragDrop::ControlDragDrop(HWND control, ControlDragDropEvents& events)
    : control_(control), events_(events) {}

ControlDragDrop::~ControlDragDrop() {
    SetOLEDropMode(vxOLEDropNone);
}

void ControlDragDrop::SetOLEDropMode(std::int16_t mode) {
    if (mode != vxOLEDropNone && mode != vxOLEDropManual) {
        throw Error(kInvalidPropertyValue, "Vexa", "Invalid property value");
    }
    dropMode_ = mode;
    if (mode == vxOLEDropManual && target_ == nullptr) {
        target_ = std::make_shared<Target>(*this);
        RegisterDragDrop(control_, target_);
    } else if (mode == vxOLEDropNone && target_ != nullptr) {
        RevokeDragDrop(control_);
        target_->Detach();
        target_.reset();
    }
}

std::int32_t ControlDragDrop::OLEDrag() {
    auto data = std::make_shared<DataObject>();
    std::int32_t allowed = vxDropEffectCopy | vxDropEffectMove;
    Notify([&] { events_.OLEStartDrag(data, allowed); });
    DragOutcome outcome;
    if (data != nullptr && !data->Formats().empty() && (DWORD(allowed) & kDropEffectsMask) != 0) {
        data->FixFormats(true);
        data->SetRenderer(
            [this, weak = std::weak_ptr<DataObject>(data)](DataObject&, std::int16_t format) {
                std::shared_ptr<DataObject> asked = weak.lock();
                Notify([&] { events_.OLESetData(asked, format); });
            });
        Source source(events_);
        outcome = DoDragDrop(data, source, DWORD(allowed));
        data->SetRenderer(nullptr);
        data->FixFormats(false);
    }
    std::int32_t effect = std::int32_t(outcome.effect);
    Notify([&] { events_.OLECompleteDrag(effect); });
    return effect;
}

}  // namespace vexa::sys
