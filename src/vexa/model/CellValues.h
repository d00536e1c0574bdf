// The cell-values model: the cell-font and format-string tables cells index into, the
// grid font that index 0 stands for, the live font CellFont hands out, and the column
// default cells with the rule that fills new cells from them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "vexa/model/CellFontTable.h"
#include "vexa/model/CellObject.h"
#include "vexa/model/CellObjectHost.h"
#include "vexa/model/DefaultCellSource.h"
#include "vexa/model/FormatStringTable.h"
#include "vexa/model/GridRecords.h"
#include "vexa/system/automation/Font.h"

namespace vexa {

class GridStore;

// The combo lists as cells see them. The combo lists answer through the control, so that the
// model never knows them.
class ComboListSource {
  public:
    // The list whose key equals `key` exactly (case counts); 0 when none.
    virtual std::int16_t ListIndexOfKey(const std::string& key) const = 0;
    virtual std::string KeyOfList(std::int16_t listIndex) const = 0;
    virtual ComboMatch MatchItem(std::int16_t listIndex, const Variant& value) const = 0;
    virtual std::string ItemText(std::int16_t listIndex, std::int16_t itemIndex) const = 0;

  protected:
    ~ComboListSource() = default;
};

class CellValues final : public DefaultCellSource, public CellObjectHost {
  public:
    // Installs itself as the store's default-cell source. `liveFontChanged` is told of every
    // change a host makes to the live font (see LiveFontFor).
    CellValues(GridStore& store, std::function<void(const Font&)> liveFontChanged);
    ~CellValues() override;
    CellValues(const CellValues&) = delete;
    CellValues& operator=(const CellValues&) = delete;

    // The initial value of a cell type; error 514 for an unknown type.
    static Variant InitValue(std::int32_t cellType);
    // The check state a check cell shows: 0 unchecked, 1 checked, 2 indeterminate (only
    // in three-state cells). Objects are unchecked; a true Boolean is checked.
    static std::int32_t CheckState(const CellRecord& cell);

    FormatStringTable& Formats() { return formats_; }
    const FormatStringTable& Formats() const { return formats_; }
    CellFontTable& Fonts() { return fonts_; }
    const CellFontTable& Fonts() const { return fonts_; }

    // The grid's font, which font index 0 stands for.
    const std::shared_ptr<Font>& GridFont() const { return gridFont_; }
    void SetGridFont(std::shared_ptr<Font> font) { gridFont_ = std::move(font); }
    // The font a cell is drawn with: its table entry, or the grid font for index 0.
    std::shared_ptr<Font> FontOf(const CellRecord& cell) const;

    // The live font, holding a copy of `cell`'s font. Changes made to it later are passed to
    // the constructor's handler.
    std::shared_ptr<Font> LiveFontFor(const CellRecord& cell);

    std::string DisplayText(const CellRecord& cell) const;

    // The combo lists combo cells show their items from (null: none).
    void SetComboLists(const ComboListSource* lists) { comboLists_ = lists; }
    // The key of the combo list a cell refers to; empty when it refers to none.
    std::string ComboKey(const CellRecord& cell) const;

    // ---- DefaultCellSource ----
    std::shared_ptr<CellObject> CreateDefaultCell() override;
    void InitCellFromDefault(const CellObject& defaultCell, CellRecord& cell) override;
    std::uint64_t DefaultsRevision() const override { return link_->revision; }
    bool FontStillEnters(const CellObject& defaultCell, std::int16_t fontIndex) const override;

    // ---- CellObjectHost ----
    std::int16_t EnterFormatString(const std::string& format) override {
        return formats_.Enter(format);
    }
    std::int16_t ComboListIndex(const std::string& key) const override;
    ComboMatch MatchComboItem(std::int16_t listIndex, const Variant& value) const override;

  private:
    void LiveFontChanged();
    // The cell-font entry of a default cell's font as it is now; 0 when it has none.
    std::int16_t DefaultCellFontIndex(const CellObject& defaultCell);

    FormatStringTable formats_;
    CellFontTable fonts_;
    std::shared_ptr<Font> gridFont_ = Font::Create();
    std::shared_ptr<Font> liveFont_ = Font::Create();
    Font::ListenerToken liveFontToken_ = 0;
    bool fillingLiveFont_ = false;
    std::function<void(const Font&)> liveFontChanged_;
    std::shared_ptr<CellObjectHostLink> link_;
    const ComboListSource* comboLists_ = nullptr;
};

}  // namespace vexa
