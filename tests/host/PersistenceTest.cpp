// The design-time property set going out to a property bag (in memory or a text file) and
// coming back in: defaults not stored, values that do not fit skipped one by one, painting
// held back until everything is in.
#include <cairo.h>

#include <cstdio>
#include <functional>

#include "common/GridOnForm.h"
#include "vexa/system/paint/ThemeService.h"

namespace vexa::test {
namespace {

Variant Long(std::uint32_t value) {
    return Variant(std::int32_t(value));
}

std::string FontText(const std::shared_ptr<vexa::Font>& font) {
    return font ? font->Name() + " " + std::to_string(font->SizeScaled()) + " " +
                      std::to_string(font->Weight())
                : "none";
}

std::string PictureText(const std::shared_ptr<Picture>& picture) {
    return picture ? std::to_string(picture->Width()) + "x" + std::to_string(picture->Height())
                   : "none";
}

std::shared_ptr<Picture> SmallPicture() {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 6);
    std::shared_ptr<Picture> picture = Picture::FromSurface(surface);
    cairo_surface_destroy(surface);
    return picture;
}

// A persisted property: what a new grid shows, a value other than the default as it is
// stored, what the grid shows once that value is loaded, and how a host reads it.
struct Persisted {
    std::string name;
    Variant shownDefault;
    Variant stored;
    Variant shown;
    Variant (*read)(Vexa&);
};

#define READ(expr) [](Vexa& g) { return Variant(expr); }
// A property whose value the grid shows as it was stored, read as `type`.
// clang-format off
#define AS(type, name, def, other) \
    Persisted{#name, type(def), type(other), type(other), READ(type(g.name()))}
// clang-format on

const std::vector<Persisted>& Properties() {
    static const std::vector<Persisted> all = {
        AS(Long, Appearance, 1, 0),
        AS(bool, AutoWidthColWithHeader, true, false),
        AS(Long, BackColor, 0x80000005, 0x336699),
        AS(Long, BackColorOddRows, ~0u, 0xEEEEEE),
        AS(Long, BackColorEvenRows, ~0u, 0xDDDDDD),
        {"BackgroundPicture", "none", SmallPicture(), "8x6",
         READ(PictureText(g.BackgroundPicture()))},
        AS(Long, BorderStyle, 2, 1),
        AS(Long, DefaultRowHeight, 15, 22),
        AS(bool, DisableIcons, true, false),
        AS(bool, DrawRowText, true, false),
        AS(bool, Editable, true, false),
        AS(bool, Enabled, true, false),
        AS(bool, FocusRect, true, false),
        AS(Long, FocusRectColor1, 0x80000005, 0xFF),
        AS(Long, FocusRectColor2, 0x80000008, 0xFF00),
        {"Font", "DejaVu Sans 82500 400",
         Font::Create({.name = "DejaVu Serif", .sizeScaled = 120000, .weight = 700}),
         "DejaVu Serif 120000 700", READ(FontText(g.Font()))},
        AS(Long, ForeColor, 0x80000008, 0x202020),
        AS(Long, GridLineColor, 0x8000000F, 0xC0C0C0),
        AS(Long, GridLines, 3, 0),
        AS(Long, GridLinesExtend, 0, 1),
        AS(Long, HighlightBackColor, 0x8000000D, 0x800000),
        AS(Long, HighlightBackColorNoFocus, 0x8000000F, 0x808080),
        AS(Long, HighlightForeColor, 0x8000000E, 0xFFFF00),
        AS(Long, HighlightForeColorNoFocus, 0x80000008, 0x101010),
        AS(bool, HighlightSelIcons, false, true),
        AS(bool, HighlightSelCells, true, false),
        AS(Long, KeyPressBehaviour, 2, 4),
        AS(bool, KeySearchFromCurRow, false, true),
        AS(bool, KeySearchLoop, false, true),
        AS(Long, MemMngWantFreeRows, 0, 50),
        AS(bool, MultiSelect, false, true),
        AS(std::int16_t, OLEDropMode, 0, 1),
        AS(bool, OpaqueTextInHatchedCells, true, false),
        AS(bool, ImmediateColumnResizing, false, true),
        AS(bool, RowMode, false, true),
        AS(Long, ScrollBarStyle, 0, 2),
        AS(bool, ShowControlsInAllCells, false, true),
        AS(bool, SilentValidation, false, true),
        AS(bool, TextEditCustomContextMenu, false, true),
        AS(bool, UseXPStyles, true, false),
        AS(bool, Virtual, false, true),
    };
    return all;
}

const Persisted& Property(const std::string& name) {
    for (const Persisted& p : Properties()) {
        if (p.name == name) return p;
    }
    throw std::out_of_range(name);
}

// Every property as the grid shows it, "Name=value" in table order.
std::vector<std::string> Shown(Vexa& grid) {
    std::vector<std::string> shown;
    for (const Persisted& p : Properties()) shown.push_back(p.name + "=" + p.read(grid).ToString());
    return shown;
}

std::vector<std::string> Expected(const std::function<Variant(const Persisted&)>& value) {
    std::vector<std::string> expected;
    for (const Persisted& p : Properties()) expected.push_back(p.name + "=" + value(p).ToString());
    return expected;
}

const auto kDefaults = [](const Persisted& p) { return p.shownDefault; };
const auto kOthers = [](const Persisted& p) { return p.shown; };
// A set without a value is read as the defaults, but the Font setter given none keeps the
// font it has.
const auto kDefaultsAfterOthers = [](const Persisted& p) {
    return p.name == "Font" ? p.shown : p.shownDefault;
};

MemoryPropertyBag OtherValues() {
    MemoryPropertyBag bag;
    for (const Persisted& p : Properties()) bag.Set(p.name, p.stored);
    return bag;
}

// The log hook's entries while alive.
struct HeardLog {
    HeardLog() {
        previous = SetLogHook([this](const LogEntry& e) { entries.push_back(e); });
    }
    ~HeardLog() { SetLogHook(previous); }
    std::vector<LogEntry> entries;
    LogHook previous;
};

class PersistenceTest : public GridOnForm {};

TEST_F(PersistenceTest, ANewGridHasTheDefaultsAndStoresNoneOfThem) {
    EXPECT_EQ(Shown(grid()), Expected(kDefaults));
    EXPECT_FALSE(grid().IsDirty());
    MemoryPropertyBag bag;
    grid().WriteProperties(bag);
    // Font has no default to match: a grid always stores its font.
    ASSERT_EQ(bag.Count(), 1u);
    EXPECT_EQ(bag.Entries()[0].first, "Font");
}

// Other values go out and come back in through the bag itself or through a text file.
class PersistenceRoundTrip : public PersistenceTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PersistenceRoundTrip, EveryPropertySurvivesASaveAndALoadAndMissingOnesReadAsDefaults) {
    MemoryPropertyBag others = OtherValues();
    grid().ReadProperties(others);
    EXPECT_EQ(Shown(grid()), Expected(kOthers));

    MemoryPropertyBag memory;
    TextPropertyBag text;
    PropertyBag& saved = GetParam() ? static_cast<PropertyBag&>(text) : memory;
    grid().WriteProperties(saved);
    const std::string path = ::testing::TempDir() + "vexa-properties.txt";
    TextPropertyBag reopened;
    if (GetParam()) {
        text.Save(path);
        reopened.Load(path);
        std::remove(path.c_str());
    }
    PropertyBag& loaded = GetParam() ? static_cast<PropertyBag&>(reopened) : memory;
    Vexa second(form(), kGridRect);
    second.ReadProperties(loaded);
    EXPECT_EQ(Shown(second), Expected(kOthers));

    MemoryPropertyBag empty;
    second.ReadProperties(empty);
    EXPECT_EQ(Shown(second), Expected(kDefaultsAfterOthers));
}

INSTANTIATE_TEST_SUITE_P(ThroughBagOrFile, PersistenceRoundTrip, ::testing::Bool());

TEST_F(PersistenceTest, AValueThatDoesNotFitIsSkippedAndEverythingElseLoads) {
    struct Case {
        std::string name;
        Variant stored;
        bool refused;
        Variant shown;  // refused: the value the property had before
    };
    const std::vector<Case> cases = {
        {"GridLines", "Both", true, Long(0)},
        {"BackColor", Font::Create(), true, Long(0x336699)},
        {"Font", 5, true, "DejaVu Serif 120000 700"},
        {"BackgroundPicture", Font::Create(), true, "8x6"},
        {"DefaultRowHeight", 0, true, 22},  // refused by its setter
        {"DefaultRowHeight", 1e12, true, 22},
        {"MemMngWantFreeRows", -5, true, 50},
        {"Enabled", Variant::Null(), true, false},
        {"MultiSelect", Variant(std::vector<Variant>{true}), true, true},
        {"FocusRect", Variant::ErrorValue(5), true, false},
        // These convert as the classic conversions do.
        {"GridLines", "2", false, Long(2)},
        {"RowMode", 0, false, false},
        {"UseXPStyles", "False", false, false},
        {"BorderStyle", 0.6, false, Long(1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " stored as " + TypeName(c.stored));
        MemoryPropertyBag others = OtherValues();
        grid().ReadProperties(others);
        MemoryPropertyBag set;
        set.Set(c.name, c.stored);
        HeardLog heard;
        grid().ReadProperties(set);
        EXPECT_EQ(Shown(grid()), Expected([&](const Persisted& p) {
                      return p.name == c.name ? c.shown : kDefaultsAfterOthers(p);
                  }));
        ASSERT_EQ(heard.entries.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_NE(heard.entries[0].where.find(c.name), std::string::npos);
        }
    }
}

TEST_F(PersistenceTest, DamagedLinesOfAPropertyFileReadAsMissing) {
    grid().SetGridLines(vxGridLinesNone);
    TextPropertyBag file;
    file.FromString(
        "' saved by hand\n"
        "BackColor = 255&\n"
        "GridLines = Both\n"
        "RowMode = True junk\n"
        "MultiSelect = True\n");
    grid().ReadProperties(file);
    EXPECT_EQ(file.SkippedLines(), 2u);
    EXPECT_EQ(grid().BackColor(), 255u);
    EXPECT_EQ(grid().GridLines(), vxGridLinesBoth);
    EXPECT_FALSE(grid().RowMode());
    EXPECT_TRUE(grid().MultiSelect());
}

// Counts the paint passes through the custom-drawn cell each of them draws, and what the grid
// showed then.
struct PaintCounter : VexaEvents {
    void CustomDrawCell(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                        std::int32_t, std::int32_t, bool) override {
        backColors.push_back(grid->BackColor());
        if (!nested) return;
        nested = false;
        try {
            MemoryPropertyBag bag;
            grid->ReadProperties(bag);
        } catch (const Error& e) {
            nestedError = e.Number();
        }
    }
    Vexa* grid = nullptr;
    std::vector<OLE_COLOR> backColors;
    bool nested = false;
    std::int32_t nestedError = 0;
};

TEST_F(PersistenceTest, LoadingPaintsOnceWhenEverythingIsInAndTheThemeItSetsIsNoNews) {
    Fill({80, 80}, 3);
    grid().SetCellType(2, 2, vxCellCustomDraw);
    PaintCounter passes;
    passes.grid = &grid();
    grid().Advise(&passes);
    log.Clear();
    MemoryPropertyBag others;
    for (const char* name : {"BackColor", "GridLines", "BorderStyle", "DefaultRowHeight", "Font",
                             "FocusRect", "UseXPStyles"}) {  // UseXPStyles off sets the theme
        others.Set(name, Property(name).stored);
    }
    grid().ReadProperties(others);
    EXPECT_EQ(passes.backColors, std::vector<OLE_COLOR>{0x336699});
    EXPECT_TRUE(log.Of("WindowsThemeChanged").empty());
    EXPECT_EQ(Pixel(CellRect(1, 1).left + 3, CellRect(1, 1).top + 3), sys::RGB(0x99, 0x66, 0x33));

    // A host that turned painting off keeps it off; a load from inside painting is refused.
    grid().SetRedraw(false);
    passes.backColors.clear();
    MemoryPropertyBag empty;
    grid().ReadProperties(empty);
    EXPECT_FALSE(grid().Redraw());
    EXPECT_TRUE(passes.backColors.empty());
    passes.nested = true;
    grid().SetRedraw(true);
    EXPECT_EQ(passes.nestedError, GridErrorNumber(kErrInvalidArgument));
}

TEST_F(PersistenceTest, ChangingAPersistedPropertyLeavesSomethingToSave) {
    const std::vector<std::function<void(Vexa&)>> changes = {
        [](Vexa& g) { g.SetBackColor(0x123456); },
        [](Vexa& g) { g.SetMemMngWantFreeRows(9); },
        [](Vexa& g) { g.SetDefaultRowHeight(30); },
        [](Vexa& g) { g.SetUseXPStyles(false); },
        [](Vexa& g) { g.SetFont(vexa::Font::Create({.name = "DejaVu Serif"})); },
        [](Vexa& g) { g.SetTextEditCustomContextMenu(true); },
    };
    for (const auto& change : changes) {
        grid().InitProperties();
        EXPECT_FALSE(grid().IsDirty());
        change(grid());
        EXPECT_TRUE(grid().IsDirty());
        MemoryPropertyBag bag;
        grid().WriteProperties(bag);
        EXPECT_FALSE(grid().IsDirty());
    }
    // Columns, rows and layouts are not part of the set.
    grid().AddCol({.sKey = "a"});
    grid().SetRowCount(3);
    grid().SetColWidth("a", 50);
    EXPECT_FALSE(grid().IsDirty());
}

TEST_F(PersistenceTest, ANewGridTakesTheContainersFontAndInitPropertiesGivesItBack) {
    const auto serif = vexa::Font::Create({.name = "DejaVu Serif", .sizeScaled = 100000});
    Vexa placed(form(), kGridRect, {.font = serif});
    EXPECT_EQ(FontText(placed.Font()), FontText(serif));
    serif->SetBold(true);  // the grid took a copy
    EXPECT_EQ(placed.Font()->Weight(), vexa::Font::kNormalWeight);
    MemoryPropertyBag others = OtherValues();
    placed.ReadProperties(others);
    placed.InitProperties();
    EXPECT_EQ(Shown(placed), Expected([&](const Persisted& p) {
                  return p.name == "Font" ? Variant(FontText(serif)) : p.shownDefault;
              }));
}

}  // namespace
}  // namespace vexa::test
