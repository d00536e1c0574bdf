// Painting the cells area: row by row into a one-row off-screen buffer that is copied to the
// control's window, repainting only rows holding changed cells unless a full repaint is
// pending. A pass gathers its inputs first (PaintState, the visible range, brushes), then
// paints each row in layers: background, cells, row text or group row, row focus, lines.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "vexa/render/CellTextCache.h"
#include "vexa/render/Geometry.h"
#include "vexa/render/GlyphCache.h"
#include "vexa/system/automation/Font.h"
#include "vexa/system/paint/GdiTypes.h"

namespace vexa {

class GridStore;
class CellValues;
class EventSinks;
struct Appearance;
struct BackgroundTile;
class Picture;
struct VisualStyles;
class cUxTheme;
struct CellRecord;
struct RowRecord;

// What the roles above the painter contribute to a pass.
struct PaintState {
    std::int32_t currentRow = 0;
    std::int32_t currentCol = 0;  // a column index
    bool hasFocus = false;
    bool rowMode = false;
    bool editing = false;  // an edit of the current cell is in progress
    bool editable = true;
    // The cell whose check box or combo button the mouse tracks (0, 0: none).
    std::int32_t hotRow = 0;
    std::int32_t hotCol = 0;
    // The pending key-search text and the column it searches (empty: no search).
    std::string keySearchText{};
    std::int32_t keySearchCol = 0;
};

class PainterHost {
  public:
    virtual ~PainterHost() = default;
    virtual sys::HWND Window() const = 0;
    virtual PaintState GatherPaintState() const = 0;
    virtual bool RowRequestInProgress() const = 0;
    virtual bool MoreRowsMayCome() const = 0;
    virtual bool RowTextActive() const = 0;
    // Asks the host for row `row` in virtual mode; true when the row came.
    virtual bool RequestRow(std::int32_t row) = 0;
    // Applies the layout pass to the scroll bars, which may change the offsets.
    virtual void ApplyLayout(const LayoutDecision& decision) = 0;
    virtual std::int32_t HeaderHeight() const = 0;
};

// The painter's flags.
struct PaintFlags {
    bool fullRepaint = false;   // paint every row of the visible range; cleared by each pass
    bool repaintBelow = false;  // also the area below the last row
    bool paintAnyway = false;   // one-shot: paint even while a column is being resized
    bool columnResize = false;  // a column divider is being dragged
    bool shown = false;         // the control has been shown; nothing is painted before
};

class Painter {
  public:
    Painter(GridStore& store, CellValues& cellValues, Geometry& geometry, Appearance& appearance,
            VisualStyles& styles, cUxTheme& theme, EventSinks& events, PainterHost& host);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    PaintFlags& Flags() { return flags_; }

    // Repaints what needs repainting.
    void Draw();
    // The window's paint message: every visible cell is painted again.
    void OnPaint();
    // The window was resized.
    void OnResize();

    // After a change that moves rows or columns: everything visible is painted again.
    void ResetCachedState();
    // Marks every cell of the visible range for repainting.
    void MarkVisibleCellsForRepaint();
    // Makes the row buffer at least `height` pixels high (up to the screen's height).
    void EnlargeRowBuffer(std::int32_t height);
    // Drops the check-box and combo glyphs (the theme changed).
    void DropGlyphCaches();
    // The grid font changed: it is selected into the row buffer.
    void GridFontChanged();

    // The column-resize marker: a 1-pixel not-xor line at the column's left + `newWidth`
    // (or its right edge without one), from below the header to the bottom of the window.
    // Moving it erases the previous line when asked and draws the new one when asked.
    void MoveResizeMarker(std::int32_t position, std::optional<std::int32_t> newWidth,
                          bool erasePrevious, bool drawNew);

    // The font a cell is drawn with (its own, or the grid font for index 0).
    sys::HFONT FontFor(std::int16_t fontIndex);
    // The row buffer's device context, for measuring with the painter's fonts; 0 when there
    // is none.
    sys::HDC BufferDc() const { return buffer_.dc; }

    // Where a check box and a combo button are drawn within a cell's rectangle (in the
    // rectangle's coordinates), so that the mouse finds them where the user sees them; empty
    // when the cell is too small for one.
    sys::RECT CheckBoxSquare(const sys::RECT& cellRect) const;
    static sys::RECT ComboButtonSquare(const sys::RECT& cellRect);

  private:
    struct Pass;
    struct RowBuffer {
        sys::HDC dc = 0;
        sys::HBITMAP bitmap = 0;
        sys::HGDIOBJ previousBitmap = 0;
        sys::HGDIOBJ previousFont = 0;
        std::int32_t height = 0;
    };

    // The background picture in a memory context, made when a picture is first tiled.
    struct PictureCopy {
        std::shared_ptr<Picture> source;
        sys::HDC dc = 0;
        sys::HBITMAP bitmap = 0;
        sys::HGDIOBJ previousBitmap = 0;
    };

    // ---- The pass (Painter.cpp)
    void RunPass();
    bool NothingToPaint();
    bool BeginPass(Pass& pass);
    void ExtendForVirtualRows(Pass& pass);
    void PaintRows(Pass& pass);
    bool RowNeedsPaint(const Pass& pass, std::int32_t row);
    void PaintRow(Pass& pass, std::int32_t row);
    void PaintBelowRows(Pass& pass);
    void EndPass(Pass& pass);
    void FillBackground(const Pass& pass, sys::HDC dc, const sys::RECT& rect, std::int32_t phaseY);
    sys::HDC PictureDc(const BackgroundTile& tile);
    void ReleasePictureDc();
    void FillRowParity(const Pass& pass, const RowRecord& row) const;
    void DrawRightExtension(const Pass& pass, std::int32_t bottom) const;
    sys::HFONT GridFont();
    void CreateRowBuffer(std::int32_t height);
    void ReleaseRowBuffer();

    // ---- Cells (PainterCells.cpp)
    void PaintCell(Pass& pass, std::int32_t row, std::int32_t position, std::int32_t height);
    bool IsHighlighted(const Pass& pass, const CellRecord& cell, std::int32_t position) const;
    void PaintCellBackground(const Pass& pass, const CellRecord& cell, const sys::RECT& rect,
                             bool highlighted) const;
    void PaintIcons(const Pass& pass, const CellRecord& cell, sys::RECT& textRect,
                    bool limitToRect) const;
    void PaintCheckBox(Pass& pass, const CellRecord& cell, const sys::RECT& cellRect, bool hot);
    void PaintComboButton(Pass& pass, const sys::RECT& cellRect, bool pressed, bool flat, bool hot);
    void PaintCellText(Pass& pass, const CellRecord& cell, sys::RECT textRect, bool hatchOpaque);
    bool TextIsOpaque(const CellRecord& cell, bool highlighted) const;
    void PaintKeySearch(const Pass& pass, const CellRecord& cell, sys::RECT textRect);
    bool CellGetsGridLine(const Pass& pass, std::int32_t position) const;
    void PaintGridLine(const Pass& pass, sys::RECT rect) const;
    void PaintFocusRect(const Pass& pass, sys::RECT rect) const;
    void PaintRowBand(Pass& pass, std::int32_t row);
    void PaintRowFocus(const Pass& pass, std::int32_t row) const;
    void RaiseCustomDraw(const Pass& pass, std::int32_t row, std::int32_t col,
                         const sys::RECT& rect, bool selected);

    GridStore& store_;
    CellValues& cellValues_;
    Geometry& geometry_;
    Appearance& appearance_;
    VisualStyles& styles_;
    cUxTheme& theme_;
    EventSinks& events_;
    PainterHost& host_;
    PaintFlags flags_;
    RowBuffer buffer_;
    PictureCopy picture_;
    CellTextCache cellTexts_;
    GlyphCache checkBoxes_{GlyphKind::CheckBox};
    GlyphCache comboButtons_{GlyphKind::ComboButton};
    // Realised fonts by the font object's identity.
    std::unordered_map<std::uint64_t, sys::HFONT> fonts_;
    sys::HFONT gridFont_ = 0;
    FontAttributes gridFontAttributes_;
    std::optional<sys::RECT> resizeMarker_;  // the line drawn last, screen coordinates
    std::int32_t wantedBufferHeight_ = 0;
    bool painting_ = false;   // a pass is under way
    bool drawAgain_ = false;  // Draw was called during the pass
};

}  // namespace vexa
