// The edit control's measure: widths, caret positions and drawable layouts of its text in its
// font, shaped by Pango (right-to-left reading included), with password characters and
// control characters replaced by what is shown for them. Lines already shaped are kept, so
// moving the caret or repainting does not shape the same line again.
#pragma once

#include <pango/pango.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "vexa/system/controls/EditMeasure.h"
#include "vexa/system/paint/GdiFont.h"

namespace vexa::sys {

class EditFontMeasure : public EditMeasure {
  public:
    EditFontMeasure();
    ~EditFontMeasure() override;
    EditFontMeasure(const EditFontMeasure&) = delete;
    EditFontMeasure& operator=(const EditFontMeasure&) = delete;

    void SetFont(std::shared_ptr<const GdiFont> font);
    const GdiFont& Font() const { return *font_; }
    void SetRightToLeft(bool rtl);
    // 0 shows the text itself.
    void SetPasswordChar(char32_t c);
    char32_t PasswordChar() const { return passwordChar_; }

    int Width(std::u32string_view run) const override;
    std::vector<int> PrefixWidths(std::u32string_view run) const override;
    int CaretX(std::u32string_view line, int index) const override;
    int IndexAt(std::u32string_view line, int x) const override;

    // The shaped line, owned by the measure and valid until the next call.
    PangoLayout* Layout(std::u32string_view line) const;
    // Pixel ranges [left, right) covered by characters [from, to) of the line.
    std::vector<std::pair<int, int>> Ranges(std::u32string_view line, int from, int to) const;

  private:
    struct Shaped {
        PangoLayout* layout = nullptr;
        std::vector<int> byteOf;  // UTF-8 offset of each character index, and of the end
        int width = 0;
    };

    std::string Shown(std::u32string_view run) const;
    const Shaped& ShapedLine(std::u32string_view line) const;
    void Forget() const;
    int TabWidth() const;

    std::shared_ptr<const GdiFont> font_;
    bool rtl_ = false;
    char32_t passwordChar_ = 0;
    mutable std::unordered_map<std::string, Shaped> shaped_;
};

}  // namespace vexa::sys
