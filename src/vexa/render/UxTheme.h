// Visual styles: the theme wrapper cUxTheme that opens a theme class for a window, draws one
// part into a rectangle and measures it, and the grid's visual-style state (the UseXPStyles
// switch, whether a theme is in use, the themed check-box size and the feature table).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "vexa/model/Enums.h"
#include "vexa/system/paint/GdiTypes.h"

namespace vexa {

class cUxTheme {
  public:
    std::string Class = "Button";
    std::int32_t Part = 1;
    std::int32_t State = 1;
    sys::HDC hDC = 0;
    sys::HWND hwnd = 0;

    std::int32_t Left() const { return rect_.left; }
    std::int32_t Top() const { return rect_.top; }
    std::int32_t Width() const { return rect_.right - rect_.left; }
    std::int32_t Height() const { return rect_.bottom - rect_.top; }
    // Setting any side keeps right = left + width and bottom = top + height.
    void SetLeft(std::int32_t left);
    void SetTop(std::int32_t top);
    void SetWidth(std::int32_t width) { rect_.right = rect_.left + width; }
    void SetHeight(std::int32_t height) { rect_.bottom = rect_.top + height; }

    // The parent's background, then the themed part, into the rectangle. Without theme data
    // nothing is drawn and the error hook is told.
    void Draw();
    // The part's true width; 0 without theme data.
    std::int32_t GetThemePartWidth();
    // The part's content rectangle inside the rectangle; the rectangle itself without theme
    // data.
    sys::RECT ContentRect();

    // Receives the messages of failures that are not errors of any call (no theme data).
    // By default they are discarded.
    std::function<void(const std::string&)> errorHook;

  private:
    void ReportMissingThemeData();
    sys::RECT rect_;
};

// The grid's visual-style state.
struct VisualStyles {
    bool useXPStyles = true;
    // UseXPStyles and the platform's themes are usable.
    bool inUse = false;
    // The themed check box's size when smaller than 16, else 16.
    std::int32_t checkBoxSize = 16;
    // Indexed by ESupportFeatures.
    std::array<bool, 3> supports{};

    // Fills the feature table and reads the theme state: the check of theme usability and
    // the themed check-box size measured with `theme` on the window.
    void Refresh(cUxTheme& theme, sys::HWND window);
};

}  // namespace vexa
