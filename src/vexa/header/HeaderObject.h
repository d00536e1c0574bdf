/// \file
/// HeaderObject: the column header's settings as a host sees them, returned by Vexa::Header().
/// A host may keep the object after the grid is gone: it then reads back what it still holds
/// itself (fonts, AutoHeightFlags) and neutral values otherwise, and ignores changes.
#pragma once

#include <cstdint>
#include <memory>

#include "vexa/model/Enums.h"
#include "vexa/model/GridRecords.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/automation/Variant.h"
#include "vexa/system/window/WindowTypes.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

class cHeaderControl;
class HeaderObjectOwner;

/// The column header's settings, returned by Vexa::Header.
class VEXA_API HeaderObject {
  public:
    /// Stops following the fonts it was given.
    ~HeaderObject();
    HeaderObject(const HeaderObject&) = delete;
    HeaderObject& operator=(const HeaderObject&) = delete;

    /**@{*/
    /// Title colours of columns without colours of their own.
    OLE_COLOR ForeColor() const;
    void SetForeColor(OLE_COLOR color);
    OLE_COLOR BackColor() const;
    void SetBackColor(OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// Hiding the header gives its room to the cells.
    bool Visible() const;
    void SetVisible(bool visible);
    /**@}*/
    /**@{*/
    /// Columns may be dragged to new places.
    bool DragCols() const;
    void SetDragCols(bool on);
    /**@}*/
    /**@{*/
    /// Pixels; below 1 raises 514; a height below MinHeight is ignored.
    std::int32_t Height() const;
    void SetHeight(std::int32_t height);
    /**@}*/
    /// The header's window; 0 once the grid is gone.
    sys::HWND hwnd() const;
    /// The icons of ColHeaderIcon: an image-list object (its hImageList is read) or an
    /// image-list handle as a number; anything else raises 518.
    void SetImageList(const Variant& imageList);
    /**@{*/
    /// The title font and the font of the sort numbers; the header follows later changes made
    /// through the objects. Null is ignored.
    std::shared_ptr<vexa::Font> Font() const;
    void SetFont(const std::shared_ptr<vexa::Font>& font);
    std::shared_ptr<vexa::Font> SortInfoFont() const;
    void SetSortInfoFont(const std::shared_ptr<vexa::Font>& font);
    /**@}*/
    /// Fits the height to the titles, icons and sort information.
    void AutoHeight();
    /**@{*/
    /// Whether the header draws with the visual styles of the theme.
    bool UseXPStyles() const;
    void SetUseXPStyles(bool use);
    /**@}*/
    /**@{*/
    /// Flat frames instead of 3D ones, without visual styles.
    bool Flat() const;
    void SetFlat(bool on);
    /**@}*/
    /**@{*/
    /// Items click like buttons.
    bool Buttons() const;
    void SetButtons(bool on);
    /**@}*/
    /**@{*/
    /// What a sorted column's title shows (nothing, icons, or numbers and icons) and how its
    /// icons are drawn.
    ESortInfoStyles SortInfoStyle() const;
    void SetSortInfoStyle(ESortInfoStyles style);
    ESortIconStyles SortIconStyle() const;
    void SetSortIconStyle(ESortIconStyles style);
    /**@}*/
    /**@{*/
    /// The colour of solid sort icons.
    OLE_COLOR SolidSortIconColor() const;
    void SetSolidSortIconColor(OLE_COLOR color);
    /**@}*/
    /**@{*/
    /// Without visual styles, the item under the mouse shows the parts named by HotTrackFlags
    /// in HotTrackForeColor.
    bool HotTrack() const;
    void SetHotTrack(bool on);
    OLE_COLOR HotTrackForeColor() const;
    void SetHotTrackForeColor(OLE_COLOR color);
    EHeaderHotTrackFlags HotTrackFlags() const;
    void SetHotTrackFlags(EHeaderHotTrackFlags flags);
    /**@}*/
    /**@{*/
    /// The occasions on which the grid fits the header height by itself.
    EHeaderAutoHeightFlags AutoHeightFlags() const;
    void SetAutoHeightFlags(EHeaderAutoHeightFlags flags);
    /**@}*/
    /**@{*/
    /// Below 0 raises 514; a header lower than the new minimum grows to it.
    std::int32_t MinHeight() const;
    void SetMinHeight(std::int32_t height);
    /**@}*/

  private:
    friend class HeaderObjectOwner;

    explicit HeaderObject(cHeaderControl& header);
    // The grid is going: nothing reaches the header any more.
    void Detach();
    void HandFontToHeader(bool sortInfo);
    void Follow(std::shared_ptr<vexa::Font>& slot, Font::ListenerToken& token,
                const std::shared_ptr<vexa::Font>& font, bool sortInfo);

    cHeaderControl* header_;
    std::shared_ptr<vexa::Font> font_;
    std::shared_ptr<vexa::Font> sortInfoFont_;
    Font::ListenerToken fontToken_ = 0;
    Font::ListenerToken sortInfoFontToken_ = 0;
    EHeaderAutoHeightFlags autoHeightFlags_ = static_cast<EHeaderAutoHeightFlags>(0);
};

}  // namespace vexa

VEXA_PUBLIC_END
