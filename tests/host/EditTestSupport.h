// A grid on a form ready for editing: three columns, four rows, the current cell at (2, 1),
// the event log of GridOnForm, and a second sink whose handlers a test sets to answer the
// editing events' in/out parameters as a host would.
#pragma once

#include <functional>
#include <set>

#include "common/GridOnForm.h"

namespace vexa::test {

struct EditHandlers : VexaEvents {
    std::function<void(bool&, std::string&, std::int32_t&, ETextEditFlags&)> onRequest;
    std::function<void(EEditResults&, Variant&)> onBeforeCommit;
    std::function<void()> onAfterCommit;
    std::function<void()> onCancel;

    void RequestEdit(std::int32_t, std::int32_t, std::int16_t, bool& cancel, std::string& text,
                     std::int32_t& maxLength, ETextEditFlags& options) override {
        if (onRequest) onRequest(cancel, text, maxLength, options);
    }
    void BeforeCommitEdit(std::int32_t, std::int32_t, EEditResults& result, const std::string&,
                          Variant& value, std::int32_t) override {
        if (onBeforeCommit) onBeforeCommit(result, value);
    }
    void AfterCommitEdit(std::int32_t, std::int32_t) override {
        if (onAfterCommit) onAfterCommit();
    }
    void CancelEdit(std::int32_t, std::int32_t) override {
        if (onCancel) onCancel();
    }
};

class EditingGrid : public GridOnForm {
  protected:
    EditingGrid() {
        Fill({80, 120, 80}, 4);
        grid().Advise(&handlers);
        grid().SetCurCell(2, 1);
        sys::SetFocus(grid().hwnd());
        sys::PumpMessages();
        log.Clear();
    }

    // The entries of the editing events that end or start an edit, in order.
    std::vector<std::string> EditEvents() const {
        static const std::set<std::string> names = {"RequestEdit",      "TextEditChange",
                                                    "BeforeCommitEdit", "AfterCommitEdit",
                                                    "CancelEdit",       "QuitCustomEdit"};
        std::vector<std::string> found;
        for (const std::string& entry : log.entries) {
            if (names.count(entry.substr(0, entry.find('(')))) found.push_back(entry);
        }
        return found;
    }
    sys::HWND Editor() { return grid().TextEditHwnd(); }
    void Edit(std::int16_t key = 0) {
        grid().RequestEdit(key);
        sys::PumpMessages();
    }
    void Type(const std::string& text) { display().TypeText(text); }
    void Press(int key) { display().KeyPress(key); }

    EditHandlers handlers;
};

}  // namespace vexa::test
