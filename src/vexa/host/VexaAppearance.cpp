// The appearance properties and visual styles. Each setter stores the value, tells the
// painter what to repaint and marks the property changed.
#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ImageList.h"
#include "vexa/system/paint/ThemeService.h"

namespace vexa {

namespace {

// What a setter asks of the painter after storing its value.
enum class Repaint { Full, FullAndBelow };

// An image-list control makes its list when an image is first used: drawing its first image
// once makes sure the handle read next exists. Objects that cannot do it are still asked for
// their handle.
void DrawFirstImage(const std::shared_ptr<Object>& imageList, sys::HDC dc) {
    try {
        const Variant images = GetMember(imageList, "ListImages");
        const Variant first = CallMember(images.ToObject(), "Item", std::vector<Variant>{1});
        CallMember(first.ToObject(), "Draw", std::vector<Variant>{std::int32_t(dc)});
    } catch (...) {
    }
}

}  // namespace

// Stores `value` in `field`, repaints as asked and marks the property changed.
#define VEXA_APPEARANCE_SETTER(Name, Type, field, repaint) \
    Type Vexa::Name() const {                              \
        return parts_->appearance.field;                   \
    }                                                      \
    void Vexa::Set##Name(Type value) {                     \
        parts_->appearance.field = value;                  \
        RepaintAll((repaint) == Repaint::FullAndBelow);    \
        PropertyChanged(#Name);                            \
    }

VEXA_APPEARANCE_SETTER(HighlightBackColor, OLE_COLOR, highlightBackColor, Repaint::Full)
VEXA_APPEARANCE_SETTER(HighlightForeColor, OLE_COLOR, highlightForeColor, Repaint::Full)
VEXA_APPEARANCE_SETTER(HighlightBackColorNoFocus, OLE_COLOR, highlightBackColorNoFocus,
                       Repaint::Full)
VEXA_APPEARANCE_SETTER(HighlightForeColorNoFocus, OLE_COLOR, highlightForeColorNoFocus,
                       Repaint::Full)
VEXA_APPEARANCE_SETTER(GridLines, EGridLines, gridLines, Repaint::FullAndBelow)
VEXA_APPEARANCE_SETTER(GridLinesExtend, EGridLinesExtendModes, gridLinesExtend,
                       Repaint::FullAndBelow)
VEXA_APPEARANCE_SETTER(GridLineColor, OLE_COLOR, gridLineColor, Repaint::FullAndBelow)
VEXA_APPEARANCE_SETTER(HighlightSelCells, bool, highlightSelCells, Repaint::Full)
VEXA_APPEARANCE_SETTER(HighlightSelIcons, bool, highlightSelIcons, Repaint::Full)
VEXA_APPEARANCE_SETTER(OpaqueTextInHatchedCells, bool, opaqueTextInHatchedCells, Repaint::Full)
VEXA_APPEARANCE_SETTER(ShowControlsInAllCells, bool, showControlsInAllCells, Repaint::Full)
VEXA_APPEARANCE_SETTER(DrawRowText, bool, drawRowText, Repaint::Full)
VEXA_APPEARANCE_SETTER(FocusRect, bool, focusRect, Repaint::Full)

#undef VEXA_APPEARANCE_SETTER

// ---- Colours with their own rules ----

OLE_COLOR Vexa::BackColor() const {
    return parts_->appearance.backColor;
}

void Vexa::SetBackColor(OLE_COLOR color) {
    GridParts& p = *parts_;
    p.appearance.backColor = color;
    if (const sys::HDC buffer = p.painter.BufferDc())
        sys::SetBkColor(buffer, TranslateColor(color));
    RepaintAll(true);
    PropertyChanged("BackColor");
}

OLE_COLOR Vexa::ForeColor() const {
    return parts_->appearance.foreColor;
}

void Vexa::SetForeColor(OLE_COLOR color) {
    GridParts& p = *parts_;
    p.appearance.foreColor = color;
    if (const sys::HDC buffer = p.painter.BufferDc()) {
        sys::SetTextColor(buffer, TranslateColor(color));
    }
    RepaintAll(false);
    PropertyChanged("ForeColor");
}

OLE_COLOR Vexa::BackColorOddRows() const {
    return parts_->appearance.backColorOddRows;
}

OLE_COLOR Vexa::BackColorEvenRows() const {
    return parts_->appearance.backColorEvenRows;
}

void Vexa::SetBackColorOddRows(OLE_COLOR color) {
    parts_->appearance.backColorOddRows = color;
    RowColorChanged(color);
    PropertyChanged("BackColorOddRows");
}

void Vexa::SetBackColorEvenRows(OLE_COLOR color) {
    parts_->appearance.backColorEvenRows = color;
    RowColorChanged(color);
    PropertyChanged("BackColorEvenRows");
}

void Vexa::RowColorChanged(OLE_COLOR color) {
    GridParts& p = *parts_;
    if (p.painter.Flags().shown && color != kDefaultColor && p.geometry.ParityDirty()) {
        p.geometry.RecomputeParityFrom(1);
    }
    RepaintAll(false);
}

OLE_COLOR Vexa::FocusRectColor1() const {
    return parts_->appearance.focusRectColor1;
}

void Vexa::SetFocusRectColor1(OLE_COLOR color) {
    parts_->appearance.focusRectColor1 = color;
    if (parts_->appearance.focusRect) RepaintAll(false);
    PropertyChanged("FocusRectColor1");
}

OLE_COLOR Vexa::FocusRectColor2() const {
    return parts_->appearance.focusRectColor2;
}

void Vexa::SetFocusRectColor2(OLE_COLOR color) {
    parts_->appearance.focusRectColor2 = color;
    if (parts_->appearance.focusRect) RepaintAll(false);
    PropertyChanged("FocusRectColor2");
}

bool Vexa::DisableIcons() const {
    return parts_->appearance.disableIcons;
}

void Vexa::SetDisableIcons(bool value) {
    parts_->appearance.disableIcons = value;
    if (!parts_->appearance.enabled) RepaintAll(false);
    PropertyChanged("DisableIcons");
}

// ---- Enabled, border, font ----

bool Vexa::Enabled() const {
    return parts_->appearance.enabled;
}

void Vexa::SetEnabled(bool enabled) {
    GridParts& p = *parts_;
    CancelEdit();
    p.appearance.enabled = enabled;
    p.header.Enable(enabled);
    for (std::int32_t r = 1; r <= p.store.RowCount(); ++r) MarkRowForRepaint(r);
    RepaintAll(true);
    OnPaint();
    PropertyChanged("Enabled");
}

EAppearanceConstants Vexa::Appearance() const {
    return parts_->appearance.appearance;
}

void Vexa::SetAppearance(EAppearanceConstants appearance) {
    parts_->appearance.appearance = appearance;
    ApplyBorder();
    PropertyChanged("Appearance");
}

EBorderStyles Vexa::BorderStyle() const {
    return parts_->appearance.borderStyle;
}

void Vexa::SetBorderStyle(EBorderStyles style) {
    parts_->appearance.borderStyle = style;
    ApplyBorder();
    PropertyChanged("BorderStyle");
}

std::shared_ptr<vexa::Font> Vexa::Font() const {
    return parts_->cellValues.GridFont();
}

void Vexa::SetFont(const std::shared_ptr<vexa::Font>& font) {
    GridParts& p = *parts_;
    if (!font) return;
    const std::shared_ptr<vexa::Font>& old = p.cellValues.GridFont();
    if (old && p.gridFontToken != 0) old->Unsubscribe(p.gridFontToken);
    std::shared_ptr<vexa::Font> copy = font->Clone();
    p.gridFontToken = copy->Subscribe([&p](std::string_view) { p.painter.GridFontChanged(); });
    p.cellValues.SetGridFont(std::move(copy));
    p.painter.GridFontChanged();
    PropertyChanged("Font");
}

// ---- Images ----

void Vexa::SetImageList(const Variant& imageList) {
    GridParts& p = *parts_;
    sys::HIMAGELIST handle = 0;
    if (imageList.IsObject()) {
        const std::shared_ptr<Object> object = imageList.ToObject();
        if (!object) RaiseGridError(kErrImageListExpected);
        DrawFirstImage(object, p.painter.BufferDc());
        try {
            handle = sys::HIMAGELIST(GetMember(object, "hImageList").ToLong());
        } catch (...) {
            RaiseGridError(kErrImageListExpected);
        }
    } else if (imageList.Type() == vtLong) {
        handle = sys::HIMAGELIST(std::uint32_t(imageList.ToLong()));
    } else {
        RaiseGridError(kErrImageListExpected);
    }
    if (handle == 0) return;
    int width = 0;
    int height = 0;
    // A handle that names no image list is refused like an argument of the wrong kind.
    if (!sys::ImageList_GetIconSize(handle, &width, &height)) RaiseGridError(kErrImageListExpected);
    p.appearance.imageList = GridImageList{handle, width, height};
}

std::shared_ptr<Picture> Vexa::BackgroundPicture() const {
    return parts_->appearance.background.picture;
}

void Vexa::SetBackgroundPicture(const std::shared_ptr<Picture>& picture) {
    BackgroundTile& tile = parts_->appearance.background;
    tile = BackgroundTile{};
    if (picture && picture->Width() > 0 && picture->Height() > 0) {
        tile = BackgroundTile{picture, picture->Width(), picture->Height()};
    }
    RepaintAll(true);
    PropertyChanged("BackgroundPicture");
}

bool Vexa::ImmediateColumnResizing() const {
    return parts_->appearance.immediateColumnResizing;
}

void Vexa::SetImmediateColumnResizing(bool value) {
    GridParts& p = *parts_;
    if (p.styles.supports[vxSupFeatImmedColResizing]) {
        p.appearance.immediateColumnResizing = value;
        p.header.SetFullDrag(value);
    }
    PropertyChanged("ImmediateColumnResizing");
}

// ---- Visual styles ----

bool Vexa::UseXPStyles() const {
    return parts_->styles.useXPStyles;
}

void Vexa::SetUseXPStyles(bool use) {
    GridParts& p = *parts_;
    p.styles.useXPStyles = use;
    if (use) {
        sys::SetWindowTheme(p.window.Handle(), nullptr, nullptr);
    } else {
        sys::SetWindowTheme(p.window.Handle(), "", "");
    }
    ApplyThemeState();
    PropertyChanged("UseXPStyles");
}

bool Vexa::Supports(ESupportFeatures eSupFeat) const {
    if (eSupFeat < vxSupFeatXPStyles || eSupFeat > vxSupFeatFlatScrollBars) {
        RaiseGridError(kErrInvalidArgument);
    }
    return parts_->styles.supports[std::size_t(eSupFeat)];
}

}  // namespace vexa
