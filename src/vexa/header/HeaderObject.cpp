#include "vexa/header/HeaderObject.h"

#include "vexa/header/HeaderControl.h"
#include "vexa/header/HeaderObjectOwner.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/automation/Object.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa {

namespace {

sys::HFONT Realise(const Font& font) {
    const FontAttributes& a = font.Attributes();
    sys::FontFields fields;
    fields.Name = a.name;
    fields.Size = double(a.sizeScaled) / 10000.0;
    fields.Weight = a.weight;
    fields.Bold = font.Bold();
    fields.Italic = a.italic;
    fields.Underline = a.underline;
    fields.Strikethrough = a.strikethrough;
    return sys::CreateFontFromFields(fields);
}

sys::HIMAGELIST ImageListHandleOf(const Variant& imageList) {
    if (imageList.IsObject()) {
        const std::shared_ptr<Object> object = imageList.ToObject();
        if (!object) RaiseGridError(kErrImageListExpected);
        try {
            return sys::HIMAGELIST(std::uint32_t(GetMember(object, "hImageList").ToLong()));
        } catch (...) {
            RaiseGridError(kErrImageListExpected);
        }
    }
    if (imageList.Type() == vtLong || imageList.Type() == vtInteger) {
        return sys::HIMAGELIST(std::uint32_t(imageList.ToLong()));
    }
    RaiseGridError(kErrImageListExpected);
}

}  // namespace

HeaderObject::HeaderObject(cHeaderControl& header)
    : header_(&header), font_(Font::Create()), sortInfoFont_(Font::Create()) {
    Follow(font_, fontToken_, font_, false);
    Follow(sortInfoFont_, sortInfoFontToken_, sortInfoFont_, true);
}

HeaderObject::~HeaderObject() {
    if (font_) font_->Unsubscribe(fontToken_);
    if (sortInfoFont_) sortInfoFont_->Unsubscribe(sortInfoFontToken_);
}

void HeaderObject::Detach() {
    header_ = nullptr;
}

void HeaderObject::Follow(std::shared_ptr<vexa::Font>& slot, Font::ListenerToken& token,
                          const std::shared_ptr<vexa::Font>& font, bool sortInfo) {
    if (slot && token != 0) slot->Unsubscribe(token);
    slot = font;
    token = slot->Subscribe([this, sortInfo](std::string_view) { HandFontToHeader(sortInfo); });
    HandFontToHeader(sortInfo);
}

void HeaderObject::HandFontToHeader(bool sortInfo) {
    if (header_ == nullptr) return;
    if (sortInfo) {
        header_->SetSortInfoFont(Realise(*sortInfoFont_));
    } else {
        header_->SetTitleFont(Realise(*font_));
    }
}

// ---- Colours and looks ----

namespace {

// Reads a look setting, or the neutral value once the grid is gone.
template <class T>
T Read(const cHeaderControl* header, T HeaderLook::*field) {
    return header != nullptr ? header->Look().*field : T{};
}

template <class T>
void Write(cHeaderControl* header, T HeaderLook::*field, T value) {
    if (header == nullptr) return;
    HeaderLook look = header->Look();
    look.*field = value;
    header->SetLook(look);
}

}  // namespace

OLE_COLOR HeaderObject::ForeColor() const {
    return Read(header_, &HeaderLook::foreColor);
}
void HeaderObject::SetForeColor(OLE_COLOR color) {
    Write(header_, &HeaderLook::foreColor, color);
}
OLE_COLOR HeaderObject::BackColor() const {
    return Read(header_, &HeaderLook::backColor);
}
void HeaderObject::SetBackColor(OLE_COLOR color) {
    Write(header_, &HeaderLook::backColor, color);
}
ESortInfoStyles HeaderObject::SortInfoStyle() const {
    return static_cast<ESortInfoStyles>(Read(header_, &HeaderLook::sortInfoStyle));
}
void HeaderObject::SetSortInfoStyle(ESortInfoStyles style) {
    Write<std::int32_t>(header_, &HeaderLook::sortInfoStyle, style);
}
ESortIconStyles HeaderObject::SortIconStyle() const {
    return static_cast<ESortIconStyles>(Read(header_, &HeaderLook::sortIconStyle));
}
void HeaderObject::SetSortIconStyle(ESortIconStyles style) {
    Write<std::int32_t>(header_, &HeaderLook::sortIconStyle, style);
}
OLE_COLOR HeaderObject::SolidSortIconColor() const {
    return Read(header_, &HeaderLook::solidSortIconColor);
}
void HeaderObject::SetSolidSortIconColor(OLE_COLOR color) {
    Write(header_, &HeaderLook::solidSortIconColor, color);
}
bool HeaderObject::HotTrack() const {
    return Read(header_, &HeaderLook::hotTrack);
}
void HeaderObject::SetHotTrack(bool on) {
    Write(header_, &HeaderLook::hotTrack, on);
}
OLE_COLOR HeaderObject::HotTrackForeColor() const {
    return Read(header_, &HeaderLook::hotTrackForeColor);
}
void HeaderObject::SetHotTrackForeColor(OLE_COLOR color) {
    Write(header_, &HeaderLook::hotTrackForeColor, color);
}
EHeaderHotTrackFlags HeaderObject::HotTrackFlags() const {
    return static_cast<EHeaderHotTrackFlags>(Read(header_, &HeaderLook::hotTrackFlags));
}
void HeaderObject::SetHotTrackFlags(EHeaderHotTrackFlags flags) {
    Write<std::int32_t>(header_, &HeaderLook::hotTrackFlags, flags);
}

// ---- Window, behaviour and sizes ----

bool HeaderObject::Visible() const {
    return header_ != nullptr && header_->Visible();
}
void HeaderObject::SetVisible(bool visible) {
    if (header_ != nullptr) header_->SetVisible(visible);
}
bool HeaderObject::DragCols() const {
    return header_ != nullptr && header_->DragColumns();
}
void HeaderObject::SetDragCols(bool on) {
    if (header_ != nullptr) header_->SetDragColumns(on);
}
bool HeaderObject::UseXPStyles() const {
    return header_ != nullptr && header_->UseXPStyles();
}
void HeaderObject::SetUseXPStyles(bool use) {
    if (header_ != nullptr) header_->SetUseXPStyles(use);
}
bool HeaderObject::Flat() const {
    return header_ != nullptr && header_->Flat();
}
void HeaderObject::SetFlat(bool on) {
    if (header_ != nullptr) header_->SetFlat(on);
}
bool HeaderObject::Buttons() const {
    return header_ != nullptr && header_->Buttons();
}
void HeaderObject::SetButtons(bool on) {
    if (header_ != nullptr) header_->SetButtons(on);
}
sys::HWND HeaderObject::hwnd() const {
    return header_ != nullptr ? header_->Handle() : 0;
}

std::int32_t HeaderObject::Height() const {
    return header_ != nullptr ? header_->Height() : 0;
}
void HeaderObject::SetHeight(std::int32_t height) {
    if (height < 1) RaiseGridError(kErrInvalidArgument);
    if (header_ != nullptr) header_->SetHeight(height);
}
std::int32_t HeaderObject::MinHeight() const {
    return header_ != nullptr ? header_->MinHeight() : 0;
}
void HeaderObject::SetMinHeight(std::int32_t height) {
    if (height < 0) RaiseGridError(kErrInvalidArgument);
    if (header_ != nullptr) header_->SetMinHeight(height);
}
void HeaderObject::AutoHeight() {
    if (header_ != nullptr) header_->AutoHeight();
}
EHeaderAutoHeightFlags HeaderObject::AutoHeightFlags() const {
    return autoHeightFlags_;
}
void HeaderObject::SetAutoHeightFlags(EHeaderAutoHeightFlags flags) {
    autoHeightFlags_ = flags;
}

void HeaderObject::SetImageList(const Variant& imageList) {
    const sys::HIMAGELIST handle = ImageListHandleOf(imageList);
    if (header_ != nullptr) header_->SetImageList(handle);
}

// ---- Fonts ----

std::shared_ptr<vexa::Font> HeaderObject::Font() const {
    return font_;
}
void HeaderObject::SetFont(const std::shared_ptr<vexa::Font>& font) {
    if (font) Follow(font_, fontToken_, font, false);
}
std::shared_ptr<vexa::Font> HeaderObject::SortInfoFont() const {
    return sortInfoFont_;
}
void HeaderObject::SetSortInfoFont(const std::shared_ptr<vexa::Font>& font) {
    if (font) Follow(sortInfoFont_, sortInfoFontToken_, font, true);
}

// ---- The grid's hold ----

HeaderObjectOwner::HeaderObjectOwner(cHeaderControl& header) : object_(new HeaderObject(header)) {}

HeaderObjectOwner::~HeaderObjectOwner() {
    object_->Detach();
}

}  // namespace vexa
