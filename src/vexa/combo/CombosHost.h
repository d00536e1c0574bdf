// What the combo lists need from the control: the window their drop-down lists live in, the
// look they start with, the owner of their drop-down lists' events, and a word before a list
// goes, so that an edit in it can end first.
#pragma once

#include <cstdint>
#include <memory>

#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class DropDownListOwner;
class Font;

class CombosHost {
  public:
    virtual sys::HWND ListParentWindow() const = 0;
    // The control's font; each new list gets a copy.
    virtual std::shared_ptr<Font> GridFont() const = 0;
    virtual bool UsesVisualStyles() const = 0;
    // The image list the items' icons come from (the control's).
    virtual sys::HIMAGELIST ItemImages() const = 0;
    virtual DropDownListOwner& DropDownOwner() = 0;
    virtual void ComboListWillBeRemoved(std::int16_t listIndex) = 0;

  protected:
    ~CombosHost() = default;
};

}  // namespace vexa
