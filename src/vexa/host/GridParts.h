// The control's parts: one object per role, declared in the order the control comes into
// being, so that construction gives the creation order and destruction its reverse. The
// adapters answer the small interfaces through which the roles ask for what lies above
// them.
#pragma once

#include <cstdint>

#include "vexa/combo/CombosObject.h"
#include "vexa/events/EventSinks.h"
#include "vexa/header/HeaderControl.h"
#include "vexa/header/HeaderObjectOwner.h"
#include "vexa/host/ControlWindow.h"
#include "vexa/host/GridSubclass.h"
#include "vexa/host/RoleAdapters.h"
#include "vexa/host/Vexa.h"
#include "vexa/interact/CellEditor.h"
#include "vexa/interact/KeySearch.h"
#include "vexa/interact/Keyboard.h"
#include "vexa/interact/Mouse.h"
#include "vexa/interact/Selection.h"
#include "vexa/model/CellValues.h"
#include "vexa/model/GridStore.h"
#include "vexa/render/Appearance.h"
#include "vexa/render/Geometry.h"
#include "vexa/render/Measure.h"
#include "vexa/render/Painter.h"
#include "vexa/render/ScrollBarObject.h"
#include "vexa/render/ScrollBars.h"
#include "vexa/render/UxTheme.h"
#include "vexa/sort/ShellSortObject.h"
#include "vexa/system/dragdrop/ControlDragDrop.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa {

class Vexa;

// Virtual mode: the host is asked for rows as painting or the keyboard reaches past the end.
struct VirtualRows {
    bool enabled = false;
    bool moreRowsAvailable = false;  // the host has not refused a row yet
    bool requesting = false;         // a request is being answered: painting waits
};

// Where the control stands in its life, as the container set it up.
struct Lifecycle {
    AmbientProperties ambient{};  // what the container said of itself at creation
    bool loading = false;         // properties are being applied (a new set or a loaded one)
    bool dirty = false;           // a persisted property changed since the set was last saved
    // Theme and settings messages that came while loading: taken up once loading ends.
    bool themeChangedWhileLoading = false;
    bool settingsChangedWhileLoading = false;
};

struct GridParts {
    GridParts(Vexa& grid, sys::HWND parent, const sys::RECT& rect);
    ~GridParts();
    GridParts(const GridParts&) = delete;
    GridParts& operator=(const GridParts&) = delete;

    Vexa& grid;
    EventSinks events;
    // The adapters hold references only, so they come before the roles that are given them.
    RoleAdapters adapters{*this};
    EditingAdapters editingAdapters{*this};

    // ---- Creation, in the control's order
    ControlWindow window;
    VisualStyles styles;
    GridStore store;  // the tables with their sentinels and the row-key index
    VirtualRows virtualRows;
    // The cell the last cell member addressed: the live font's target.
    std::int32_t lastCellRow = 0;
    std::int32_t lastCellCol = 0;
    // The criterion count of the last completed sort, for the header's sort icons.
    std::int32_t lastSortCriteria = 0;
    CombosObject combos{editingAdapters.combos};
    CellValues cellValues;  // the grid font and the cell-font table
    ShellSortObject sortObject;
    cHeaderControl header{store, adapters.header};
    HeaderObjectOwner headerObject{header};
    cUxTheme theme;
    Appearance appearance;
    Geometry geometry{store, adapters.geometry};
    // Shared so that the host's ScrollBarObjects can tell when the grid is gone.
    std::shared_ptr<cScrollBars> scrollBars = std::make_shared<cScrollBars>(adapters.scrollBars);
    Painter painter{store,  cellValues, geometry, appearance,
                    styles, theme,      events,   adapters.painter};
    Measure measure{store, cellValues, geometry, painter, appearance, events};
    bool autoWidthColWithHeader = true;
    EScrollBarStyles scrollBarStyle = vxScrollBarRegular;

    // ---- Scroll bar facades
    std::shared_ptr<ScrollBarObject> hScrollBar =
        std::make_shared<ScrollBarObject>(scrollBars, vxScrollBarH);
    std::shared_ptr<ScrollBarObject> vScrollBar =
        std::make_shared<ScrollBarObject>(scrollBars, vxScrollBarV);

    // ---- Selection, keyboard, key search
    Selection selection{store, events};
    Keyboard keyboard{store, adapters.keyboard};
    KeySearch keySearch{store, cellValues};

    // ---- Header (made with the tables above)

    // ---- Combo lists and the editor
    CellEditor editor{store, events, editingAdapters.editor};

    // ---- Mouse and drag and drop
    MouseAdapters mouseAdapters{*this};
    Mouse mouse{store, geometry, painter, events, mouseAdapters.mouse};
    sys::ControlDragDrop dragDrop{window.Handle(), mouseAdapters.dragDrop};

    bool hasFocus = false;
    // The layout pass is being applied to the scroll bars (scrolling then leaves painting to
    // the pass that runs it).
    bool applyingLayout = false;
    // ScrollBarVisibilityChanged is not raised by the next layout pass (the bars were made
    // anew after a settings change).
    bool suppressBarVisibilityEvents = false;
    // The host's changes to the grid font reach the grid through this subscription.
    Font::ListenerToken gridFontToken = 0;

    // ---- Lifecycle and persistence
    Lifecycle lifecycle;
    // Last made and first gone: the theme and settings messages reach a whole control only.
    GridSubclass subclass{grid};
};

}  // namespace vexa
