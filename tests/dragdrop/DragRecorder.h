// The owner of a control's drag and drop as the tests play it: every notification is logged
// as text, and a test may answer any of them.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vexa/system/dragdrop/ControlDragDrop.h"

namespace vexa::sys::testing {

struct DragRecorder : ControlDragDropEvents {
    std::vector<std::string> log;
    std::function<void(std::shared_ptr<DataObject>&, std::int32_t&)> onStartDrag;
    std::function<void(std::shared_ptr<DataObject>&, std::int16_t)> onSetData;
    std::function<void(std::int32_t&, bool&)> onGiveFeedback;
    std::function<void(std::shared_ptr<DataObject>&, std::int32_t&, std::int16_t)> onDragOver;
    std::function<void(std::shared_ptr<DataObject>&, std::int32_t&)> onDragDrop;
    std::vector<std::int32_t> feedback;  // the effects of OLEGiveFeedback, in order

    void OLEStartDrag(std::shared_ptr<DataObject>& data, std::int32_t& allowed) override {
        log.push_back("StartDrag");
        if (onStartDrag) onStartDrag(data, allowed);
    }
    void OLESetData(std::shared_ptr<DataObject>& data, std::int16_t& format) override {
        log.push_back("SetData " + std::to_string(format));
        if (onSetData) onSetData(data, format);
    }
    void OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) override {
        feedback.push_back(effect);
        if (onGiveFeedback) onGiveFeedback(effect, defaultCursors);
    }
    void OLEDragOver(std::shared_ptr<DataObject>& data, std::int32_t& effect, std::int16_t& button,
                     std::int16_t& shift, float& x, float& y, std::int16_t& state) override {
        static const char* const kStates[] = {"Enter", "Leave", "Over"};
        log.push_back(Describe(kStates[state % 3], effect, button, shift, x, y));
        if (onDragOver) onDragOver(data, effect, state);
    }
    void OLEDragDrop(std::shared_ptr<DataObject>& data, std::int32_t& effect, std::int16_t& button,
                     std::int16_t& shift, float& x, float& y) override {
        log.push_back(Describe("Drop", effect, button, shift, x, y));
        if (onDragDrop) onDragDrop(data, effect);
    }
    void OLECompleteDrag(std::int32_t& effect) override {
        log.push_back("Complete " + std::to_string(effect));
    }

    static std::string Describe(const char* what, std::int32_t effect, std::int16_t button,
                                std::int16_t shift, float x, float y) {
        char text[96];
        std::snprintf(text, sizeof text, "%s effect=%d button=%d shift=%d at %g,%g", what,
                      int(effect), int(button), int(shift), double(x), double(y));
        return text;
    }
};

}  // namespace vexa::sys::testing
