// The grid as a user meets it: a form (a shown top-level window on the headless display)
// with a Vexa on it, input through the display's real input path at coordinates the grid
// itself reports, and a sink that records the grid's events as "Name(args)" strings in order.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "vexa/system/display/HeadlessDisplay.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"
#include "vexa/vexa.h"

namespace vexa::test {

// Records events as "CurCellChange(2,3)"; in/out parameters as they arrived.
struct EventLog : VexaEvents {
    std::vector<std::string> entries;

    void Add(const std::string& name, std::initializer_list<long long> args = {}) {
        std::string entry = name + "(";
        bool first = true;
        for (long long arg : args) {
            if (!first) entry += ",";
            entry += std::to_string(arg);
            first = false;
        }
        entries.push_back(entry + ")");
    }
    // The entries whose names start with `prefix`, in order.
    std::vector<std::string> Of(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& entry : entries) {
            if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
        }
        return found;
    }
    void Clear() { entries.clear(); }

    void CellSelectionChange(std::int32_t r, std::int32_t c, bool s) override {
        Add("CellSelectionChange", {r, c, s ? 1 : 0});
    }
    void CurCellChange(std::int32_t r, std::int32_t c) override { Add("CurCellChange", {r, c}); }
    void CustomDrawCell(std::int32_t r, std::int32_t c, std::int32_t, std::int32_t left,
                        std::int32_t top, std::int32_t right, std::int32_t bottom,
                        bool selected) override {
        Add("CustomDrawCell", {r, c, left, top, right, bottom, selected ? 1 : 0});
    }
    void ScrollBarPosChanged(EScrollBar bar, std::int32_t value) override {
        Add("ScrollBarPosChanged", {bar, value});
    }
    void ScrollBarVisibilityChanged(EScrollBar bar, bool visible) override {
        Add("ScrollBarVisibilityChanged", {bar, visible ? 1 : 0});
    }
    void ScrollBarEndScroll(EScrollBar bar) override { Add("ScrollBarEndScroll", {bar}); }
    void ScrollBarThumbTrack(EScrollBar bar, std::int32_t value) override {
        Add("ScrollBarThumbTrack", {bar, value});
    }
    void ScrollBarThicknessChanged(EScrollBar bar, std::int32_t value) override {
        Add("ScrollBarThicknessChanged", {bar, value});
    }
    void WindowsThemeChanged(bool usesStyles) override {
        Add("WindowsThemeChanged", {usesStyles ? 1 : 0});
    }
    void KeyDown(std::int16_t& key, std::int16_t& shift, bool&) override {
        Add("KeyDown", {key, shift});
    }
    void KeyPress(std::int16_t& key) override { Add("KeyPress", {key}); }
    void KeyUp(std::int16_t& key, std::int16_t& shift) override { Add("KeyUp", {key, shift}); }
    void RequestRow(std::int32_t r, bool&) override { Add("RequestRow", {r}); }
    void RequestRowData(std::int32_t r) override { Add("RequestRowData", {r}); }
    void ColHeaderClick(std::int32_t c, bool& doDefault, std::int16_t shift, std::int32_t x,
                        std::int32_t y) override {
        Add("ColHeaderClick", {c, doDefault ? 1 : 0, shift, x, y});
    }
    void ColHeaderDblClick(std::int32_t c) override { Add("ColHeaderDblClick", {c}); }
    void ContentsSorted() override { Add("ContentsSorted"); }
    void ColHeaderBeginDrag(std::int32_t c, bool& cancel) override {
        Add("ColHeaderBeginDrag", {c, cancel ? 1 : 0});
    }
    void ColHeaderEndDrag(std::int32_t c, std::int32_t before, bool& cancel) override {
        Add("ColHeaderEndDrag", {c, before, cancel ? 1 : 0});
    }
    void StartColWidthChange(std::int32_t c, std::int32_t width) override {
        Add("StartColWidthChange", {c, width});
    }
    void ColWidthChanging(std::int32_t c, std::int32_t width) override {
        Add("ColWidthChanging", {c, width});
    }
    void ColWidthChanged(std::int32_t c, std::int32_t width) override {
        Add("ColWidthChanged", {c, width});
    }
    void ColDividerDblClick(std::int32_t c, bool& doDefault) override {
        Add("ColDividerDblClick", {c, doDefault ? 1 : 0});
    }
    void HeaderRightClick(std::int32_t c, std::int16_t shift, std::int32_t x,
                          std::int32_t y) override {
        Add("HeaderRightClick", {c, shift, x, y});
    }
    void ColHeaderMouseEnter(std::int32_t c) override { Add("ColHeaderMouseEnter", {c}); }
    void ColHeaderMouseLeave(std::int32_t c) override { Add("ColHeaderMouseLeave", {c}); }

    // Editing: texts and values as "BeforeCommitEdit(2,1,text,Long:5,0)".
    static std::string Describe(const Variant& value) {
        if (value.IsEmpty() || value.IsNull()) return TypeName(value);
        if (value.IsObject() || value.IsArray()) return TypeName(value);
        return TypeName(value) + ":" + value.ToString();
    }
    void Add(const std::string& name, std::initializer_list<long long> args,
             std::initializer_list<std::string> texts) {
        Add(name, args);
        std::string& entry = entries.back();
        entry.pop_back();
        for (const std::string& text : texts) entry += (entry.back() == '(' ? "" : ",") + text;
        entry += ")";
    }
    void RequestEdit(std::int32_t r, std::int32_t c, std::int16_t key, bool&, std::string& text,
                     std::int32_t&, ETextEditFlags&) override {
        Add("RequestEdit", {r, c, key}, {text});
    }
    void BeforeCommitEdit(std::int32_t r, std::int32_t c, EEditResults&, const std::string& text,
                          Variant& value, std::int32_t convErr) override {
        Add("BeforeCommitEdit", {r, c}, {text, Describe(value), std::to_string(convErr)});
    }
    void AfterCommitEdit(std::int32_t r, std::int32_t c) override {
        Add("AfterCommitEdit", {r, c});
    }
    void CancelEdit(std::int32_t r, std::int32_t c) override { Add("CancelEdit", {r, c}); }
    void QuitCustomEdit() override { Add("QuitCustomEdit"); }
    void TextEditChange(std::int32_t r, std::int32_t c) override { Add("TextEditChange", {r, c}); }
    void TextEditKeyDown(std::int32_t r, std::int32_t c, std::int16_t key, std::int16_t) override {
        Add("TextEditKeyDown", {r, c, key});
    }
    void TextEditKeyPress(std::int32_t r, std::int32_t c, std::int16_t& key) override {
        Add("TextEditKeyPress", {r, c, key});
    }
    void TextEditMouseDown(std::int32_t r, std::int32_t c, std::int16_t button, std::int16_t, float,
                           float) override {
        Add("TextEditMouseDown", {r, c, button});
    }
    void TextEditCustomContextMenu(std::int32_t r, std::int32_t c) override {
        Add("TextEditCustomContextMenu", {r, c});
    }

    // Mouse and drag and drop: coordinates as whole client pixels.
    void MouseDown(std::int16_t button, std::int16_t& shift, float x, float y, std::int32_t r,
                   std::int32_t c, bool& doDefault, bool underControl) override {
        Add("MouseDown",
            {button, shift, (long long)x, (long long)y, r, c, doDefault, underControl});
    }
    void MouseMove(std::int16_t button, std::int16_t shift, float x, float y, std::int32_t r,
                   std::int32_t c) override {
        Add("MouseMove", {button, shift, (long long)x, (long long)y, r, c});
    }
    void MouseUp(std::int16_t button, std::int16_t shift, float x, float y, std::int32_t r,
                 std::int32_t c, bool& doDefault) override {
        Add("MouseUp", {button, shift, (long long)x, (long long)y, r, c, doDefault});
    }
    void MouseEnter(std::int32_t r, std::int32_t c) override { Add("MouseEnter", {r, c}); }
    void MouseLeave(std::int32_t r, std::int32_t c) override { Add("MouseLeave", {r, c}); }
    void DblClick(std::int32_t r, std::int32_t c, bool& requestEdit) override {
        Add("DblClick", {r, c, requestEdit});
    }
    void StartCellDrag(std::int16_t button, std::int16_t shift, float x, float y, std::int32_t r,
                       std::int32_t c) override {
        Add("StartCellDrag", {button, shift, (long long)x, (long long)y, r, c});
    }
    void OLEStartDrag(std::shared_ptr<DataObject>&, std::int32_t& allowed) override {
        Add("OLEStartDrag", {allowed});
    }
    void OLESetData(std::shared_ptr<DataObject>&, std::int16_t& format) override {
        Add("OLESetData", {format});
    }
    void OLEGiveFeedback(std::int32_t& effect, bool& defaultCursors) override {
        Add("OLEGiveFeedback", {effect, defaultCursors});
    }
    void OLEDragOver(std::shared_ptr<DataObject>&, std::int32_t& effect, std::int16_t& button,
                     std::int16_t& shift, float& x, float& y, std::int16_t& state) override {
        Add("OLEDragOver", {effect, button, shift, (long long)x, (long long)y, state});
    }
    void OLEDragDrop(std::shared_ptr<DataObject>&, std::int32_t& effect, std::int16_t& button,
                     std::int16_t& shift, float& x, float& y) override {
        Add("OLEDragDrop", {effect, button, shift, (long long)x, (long long)y});
    }
    void OLECompleteDrag(std::int32_t& effect) override { Add("OLECompleteDrag", {effect}); }
};

class GridOnForm : public ::testing::Test {
  protected:
    static constexpr int kFormWidth = 800;
    static constexpr int kFormHeight = 600;
    static constexpr sys::RECT kGridRect{20, 30, 20 + 600, 30 + 400};

    GridOnForm() {
        sys::DestroyAllWindowsForTesting();
        sys::WNDCLASS formClass;
        formClass.lpfnWndProc = &sys::DefWindowProc;
        formClass.hbrBackground = sys::COLOR_BTNFACE + 1;
        formClass.lpszClassName = "VexaTestForm";
        sys::RegisterClass(formClass);  // a second registration fails harmlessly
        form_ = sys::CreateWindowEx(0, "VexaTestForm", "form",
                                    sys::WS_POPUP | sys::WS_VISIBLE | sys::WS_CLIPCHILDREN, 0, 0,
                                    kFormWidth, kFormHeight);
        grid_ = std::make_unique<Vexa>(form_, kGridRect);
        grid_->Advise(&log);
        sys::PumpMessages();
    }
    ~GridOnForm() override {
        grid_.reset();
        sys::DestroyAllWindowsForTesting();
    }

    Vexa& grid() { return *grid_; }
    // Destroys the grid (for what a host keeps of it afterwards).
    void ResetGrid() { grid_.reset(); }
    // Makes the grid anew as a container with these ambient properties places it.
    void RecreateGrid(const AmbientProperties& ambient) {
        grid_.reset();
        grid_ = std::make_unique<Vexa>(form_, kGridRect, ambient);
        grid_->Advise(&log);
        sys::PumpMessages();
    }
    sys::HWND form() const { return form_; }
    static sys::HeadlessDisplay& display() { return sys::HeadlessDisplay::Instance(); }

    // Columns of the given widths, keyed "c1", "c2", ...; `rows` rows; every cell shows its
    // row and column.
    void Fill(std::initializer_list<std::int32_t> widths, std::int32_t rows) {
        int i = 0;
        for (std::int32_t width : widths) {
            ++i;
            grid().AddCol({.sKey = "c" + std::to_string(i), .lWidth = width});
        }
        grid().SetRowCount(rows);
        for (std::int32_t r = 1; r <= rows; ++r) {
            for (std::int32_t c = 1; c <= i; ++c) {
                grid().SetCellValue(r, c, std::to_string(r) + "." + std::to_string(c));
            }
        }
        sys::PumpMessages();
    }

    // A cell's rectangle in the grid's client coordinates, as the grid reports it.
    sys::RECT CellRect(std::int32_t row, std::int32_t col) {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        grid().CellBoundary(row, col, left, top, width, height);
        return sys::RECT{left, top, left + width, top + height};
    }
    // A client point of the grid in screen coordinates, for injected input.
    sys::POINT ToScreen(sys::POINT client) {
        sys::ClientToScreen(grid().hwnd(), &client);
        return client;
    }
    sys::POINT CellCentre(std::int32_t row, std::int32_t col) {
        const sys::RECT r = CellRect(row, col);
        return ToScreen(sys::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    // A pixel of the grid's client area, after everything pending was shown.
    sys::COLORREF Pixel(int x, int y) {
        sys::PumpMessages();
        return display().WindowPixel(grid().hwnd(), x, y);
    }
    void SavePng(const std::string& path) {
        sys::PumpMessages();
        display().SaveWindowPng(form_, path);
    }

    EventLog log;

  private:
    sys::HWND form_ = 0;
    std::unique_ptr<Vexa> grid_;
};

}  // namespace vexa::test
