#include "vexa/system/controls/ComboBox.h"

#include <algorithm>
#include <cstring>

#include "vexa/system/controls/ComboItems.h"
#include "vexa/system/controls/ComboList.h"
#include "vexa/system/paint/Gdi.h"
#include "vexa/system/paint/ThemeService.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

constexpr int kFrame = 2;                 // the border around the box, both looks
constexpr int kMaxItemHeight = 32767;     // CB_SETITEMHEIGHT refuses taller items
constexpr int kDefaultVisibleItems = 30;  // when the creation height leaves no room for a list
constexpr int kTextPadding = 2;
constexpr COLORREF kFlatBorder = RGB(118, 118, 118);

struct ComboBoxState final : ComboListOwner {
    HWND hwnd = 0;               // the combo box
    UINT style = 0;              // the style it was created with (WS_VSCROLL is the list's)
    HWND list = 0;               // the drop-down list window
    ComboItems items;            // texts, item data and measured heights
    int selection = -1;          // the selected item, -1 for none
    int selectionAtOpen = -1;    // put back when a drop-down ends in a cancel
    int reportedSelection = -1;  // the selection the parent last heard of (CBN_SELCHANGE)
    bool dropped = false;        // the list is shown
    bool closing = false;        // a close-up is under way; requests to close wait for it
    bool focused = false;        // the box has the keyboard focus
    HFONT font = 0;              // the items' font (WM_SETFONT)
    int itemHeight = 0;          // height of every item unless heights vary per item
    int fieldHeight = 0;         // height of the selection field
    int listBudget = 0;          // the most height the dropped list's items may take
    int droppedWidth = 0;        // the least width of the dropped list (CB_SETDROPPEDWIDTH)
    HTHEME theme = 0;            // the themed look, 0 when visual styles are off

    // ComboListOwner.
    HWND ComboWindow() const override { return hwnd; }
    HFONT ItemFont() const override { return font; }
    bool ListScrolls() const override { return (style & WS_VSCROLL) != 0; }
    int ItemCount() const override { return items.Count(); }
    int ItemHeight(int index) override;
    int Selection() const override { return selection; }
    void DrawListItem(HDC hdc, int index, const RECT& rect, UINT action) override;
    void ListDidTrack(int index) override;
    void ListDidChoose(int index) override;
    void ListDidDismiss() override;
};

ComboBoxState* StateOf(HWND hwnd) {
    return reinterpret_cast<ComboBoxState*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

// ---- Style, geometry, notifications ------------------------------------------------------------

bool OwnerDrawn(const ComboBoxState& s) {
    return (s.style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

bool HeightsVary(const ComboBoxState& s) {
    return (s.style & CBS_OWNERDRAWVARIABLE) != 0;
}

// Owner-drawn boxes without CBS_HASSTRINGS keep the value added as item data, not as text.
bool HasStrings(const ComboBoxState& s) {
    return !OwnerDrawn(s) || (s.style & CBS_HASSTRINGS) != 0;
}

int BoxHeight(const ComboBoxState& s) {
    return s.fieldHeight + 2 * (kFrame + 1);
}

RECT ClientRect(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    return client;
}

RECT ButtonRect(const ComboBoxState& s) {
    const RECT client = ClientRect(s.hwnd);
    const int left = std::max(kFrame, int(client.right) - kFrame - GetSystemMetrics(SM_CXVSCROLL));
    return RECT{left, kFrame, client.right - kFrame, client.bottom - kFrame};
}

RECT FieldRect(const ComboBoxState& s) {
    const RECT client = ClientRect(s.hwnd);
    return RECT{kFrame + 1, kFrame + 1, std::max(kFrame + 1, int(ButtonRect(s).left) - 1),
                client.bottom - kFrame - 1};
}

std::uintptr_t ControlId(HWND hwnd) {
    return std::uintptr_t(GetWindowLongPtr(hwnd, GWLP_ID));
}

// Returns whether the box outlived the parent's handling of the notification.
bool Notify(HWND hwnd, UINT code) {
    SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(std::int32_t(ControlId(hwnd)), code),
                LPARAM(hwnd));
    return IsWindow(hwnd);
}

int TextHeight(HFONT font) {
    const HDC dc = CreateCompatibleDC(0);
    SelectObject(dc, font);
    TEXTMETRIC metrics;
    GetTextMetrics(dc, &metrics);
    DeleteDC(dc);
    return metrics.tmHeight;
}

void InvalidateField(ComboBoxState& s) {
    InvalidateRect(s.hwnd, nullptr, false);
}

// ---- Owner draw --------------------------------------------------------------------------------

int Measure(ComboBoxState& s, UINT itemId, int defaultHeight, std::uintptr_t data) {
    MEASUREITEMSTRUCT measure;
    measure.CtlType = ODT_COMBOBOX;
    measure.CtlID = UINT(ControlId(s.hwnd));
    measure.itemID = itemId;
    measure.itemWidth = UINT(ClientRect(s.hwnd).right);
    measure.itemHeight = UINT(defaultHeight);
    measure.itemData = data;
    SendMessage(GetParent(s.hwnd), WM_MEASUREITEM, measure.CtlID, LPARAM(&measure));
    return std::clamp(int(measure.itemHeight), 1, kMaxItemHeight);
}

void SendDrawItem(ComboBoxState& s, HDC hdc, int index, const RECT& rect, UINT action, UINT state) {
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_COMBOBOX;
    draw.CtlID = UINT(ControlId(s.hwnd));
    draw.itemID = UINT(index);
    draw.itemAction = action;
    draw.itemState = state | (IsWindowEnabled(s.hwnd) ? 0 : ODS_DISABLED);
    draw.hwndItem = s.hwnd;
    draw.hDC = hdc;
    draw.rcItem = rect;
    draw.itemData = s.items.IsValid(index) ? s.items.Data(index) : 0;
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    SendMessage(GetParent(s.hwnd), WM_DRAWITEM, draw.CtlID, LPARAM(&draw));
    RestoreDC(hdc, saved);
}

// An item's text on the highlight when selected, else in the context's text colour.
void DrawTextItem(ComboBoxState& s, HDC hdc, int index, const RECT& rect, bool selected) {
    const int saved = SaveDC(hdc);
    if (selected) {
        FillRect(hdc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    if (s.items.IsValid(index)) {
        IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
        SetBkMode(hdc, TRANSPARENT);
        RECT text{rect.left + kTextPadding, rect.top, rect.right - kTextPadding, rect.bottom};
        DrawText(hdc, s.items.Text(index), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    RestoreDC(hdc, saved);
}

int ComboBoxState::ItemHeight(int index) {
    if (!HeightsVary(*this) || !items.IsValid(index)) return itemHeight;
    if (items.Height(index) == 0) {
        const int height = Measure(*this, UINT(index), itemHeight, items.Data(index));
        if (items.IsValid(index) && items.Height(index) == 0) items.SetHeight(index, height);
    }
    return items.Height(index);
}

void ComboBoxState::DrawListItem(HDC hdc, int index, const RECT& rect, UINT action) {
    const bool selected = index == selection;
    if (OwnerDrawn(*this)) {
        SendDrawItem(*this, hdc, index, rect, action, selected ? ODS_SELECTED | ODS_FOCUS : 0);
    } else {
        DrawTextItem(*this, hdc, index, rect, selected);
    }
}

// ---- Painting the box --------------------------------------------------------------------------

void DrawFrame(ComboBoxState& s, HDC hdc) {
    RECT frame = ClientRect(s.hwnd);
    const bool enabled = IsWindowEnabled(s.hwnd);
    FillRect(hdc, &frame, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    if (s.theme == 0) {
        DrawEdge(hdc, &frame, EDGE_SUNKEN, BF_RECT);
        return;
    }
    const COLORREF color = s.focused || s.dropped ? GetSysColor(COLOR_HIGHLIGHT) : kFlatBorder;
    HBRUSH border = CreateSolidBrush(color);
    FrameRect(hdc, &frame, border);
    DeleteObject(border);
}

void DrawButton(ComboBoxState& s, HDC hdc) {
    RECT button = ButtonRect(s);
    const bool enabled = IsWindowEnabled(s.hwnd);
    if (s.theme != 0) {
        const int state = !enabled ? CBXS_DISABLED : s.dropped ? CBXS_PRESSED : CBXS_NORMAL;
        DrawThemeBackground(s.theme, hdc, CP_DROPDOWNBUTTON, state, &button, nullptr);
        return;
    }
    const UINT state = DFCS_SCROLLCOMBOBOX | (enabled ? 0 : DFCS_INACTIVE) |
                       (s.dropped ? DFCS_PUSHED | DFCS_FLAT : 0);
    DrawFrameControl(hdc, &button, DFC_SCROLL, state);
}

void DrawField(ComboBoxState& s, HDC hdc) {
    const RECT field = FieldRect(s);
    const bool highlighted = s.focused && IsWindowEnabled(s.hwnd);
    SelectObject(hdc, s.font);
    if (OwnerDrawn(s)) {
        const UINT state = ODS_COMBOBOXEDIT | (highlighted ? ODS_SELECTED | ODS_FOCUS : 0);
        SendDrawItem(s, hdc, s.selection, field, ODA_DRAWENTIRE, state);
        return;
    }
    SetTextColor(hdc, GetSysColor(IsWindowEnabled(s.hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextItem(s, hdc, s.selection, field, highlighted);
    // The flat look shows the focus by its border; the classic one by a dotted frame.
    if (highlighted && s.theme == 0) DrawFocusRect(hdc, &field);
}

void OnPaint(ComboBoxState& s) {
    PAINTSTRUCT ps;
    const HDC hdc = HDC(BeginPaint(s.hwnd, &ps));
    DrawFrame(s, hdc);
    DrawButton(s, hdc);
    DrawField(s, hdc);
    EndPaint(s.hwnd, &ps);
}

// ---- Selection ---------------------------------------------------------------------------------

// Moves the selection without telling the parent; the list redraws the two items at once.
void ChangeSelection(ComboBoxState& s, int index) {
    if (index == s.selection) return;
    const int previous = s.selection;
    s.selection = index;
    InvalidateField(s);
    if (s.dropped) ComboListSelectionMoved(s.list, previous, index);
}

// A selection made by the program: no notification, and it becomes what a cancel returns to.
void SelectByProgram(ComboBoxState& s, int index) {
    if (s.dropped) ComboListScrollIntoView(s.list, index);
    ChangeSelection(s, index);
    s.selectionAtOpen = s.reportedSelection = s.selection;
}

// A selection made by the user's keys: shown, and reported with CBN_SELCHANGE.
void SelectByUser(ComboBoxState& s, int index) {
    if (!s.items.IsValid(index) || index == s.selection) return;
    if (s.dropped) ComboListScrollIntoView(s.list, index);
    ChangeSelection(s, index);
    s.reportedSelection = index;
    Notify(s.hwnd, CBN_SELCHANGE);
}

void StepSelection(ComboBoxState& s, int delta) {
    if (s.items.Count() == 0) return;
    const int target =
        s.selection < 0 ? 0 : std::clamp(s.selection + delta, 0, s.items.Count() - 1);
    SelectByUser(s, target);
}

// Keeps the selections pointing at the same items across an insertion (+1) or removal (-1).
void ShiftSelections(ComboBoxState& s, int index, int delta) {
    for (int* selection : {&s.selection, &s.selectionAtOpen, &s.reportedSelection}) {
        if (delta > 0 && *selection >= index) *selection += 1;
        if (delta < 0 && *selection == index) *selection = -1;
        if (delta < 0 && *selection > index) *selection -= 1;
    }
}

// ---- Dropping down and closing up --------------------------------------------------------------

// The height the list's items take from the first, in whole items within the budget.
int FittingListHeight(ComboBoxState& s) {
    int used = 0;
    for (int i = 0; i < s.items.Count(); ++i) {
        const int height = s.ItemHeight(i);
        if (used + height > s.listBudget) return used > 0 ? used : height;
        used += height;
    }
    return used > 0 ? used : s.itemHeight;
}

int DroppedWidth(const ComboBoxState& s) {
    return std::max(s.droppedWidth, int(ClientRect(s.hwnd).right));
}

// Below the box, or above it when only there it fits on the screen.
RECT DropRect(ComboBoxState& s) {
    RECT box;
    GetWindowRect(s.hwnd, &box);
    const int width = DroppedWidth(s);
    const int height = FittingListHeight(s) + 2 * GetSystemMetrics(SM_CYBORDER);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int top = box.bottom;
    if (top + height > screenHeight && box.top - height >= 0) top = box.top - height;
    const int left = std::max(0, std::min(int(box.left), screenWidth - width));
    return RECT{left, top, left + width, top + height};
}

void DropDown(ComboBoxState& s, bool buttonDown) {
    if (s.dropped || s.closing || !IsWindow(s.list)) return;
    const HWND hwnd = s.hwnd;
    if (!Notify(hwnd, CBN_DROPDOWN) || s.dropped) return;
    s.selectionAtOpen = s.reportedSelection = s.selection;
    s.dropped = true;
    InvalidateField(s);
    ShowComboList(s.list, DropRect(s), buttonDown);
}

// The user's choice is reported (ok) or the selection the drop-down began with comes back;
// then the list goes and CBN_CLOSEUP follows. A close requested meanwhile, from a handler of
// these notifications, joins this one.
void CloseUp(ComboBoxState& s, bool ok) {
    if (!s.dropped || s.closing) return;
    const HWND hwnd = s.hwnd;
    s.closing = true;
    if (ok) {
        const bool changed = s.selection != s.reportedSelection;
        s.reportedSelection = s.selection;
        if (changed && !Notify(hwnd, CBN_SELCHANGE)) return;
        if (!Notify(hwnd, CBN_SELENDOK)) return;
    } else {
        s.selection = s.reportedSelection = s.selectionAtOpen;
        if (!Notify(hwnd, CBN_SELENDCANCEL)) return;
    }
    HideComboList(s.list);
    s.dropped = false;
    s.closing = false;
    InvalidateField(s);
    Notify(hwnd, CBN_CLOSEUP);
}

void ToggleDropDown(ComboBoxState& s) {
    if (s.dropped) {
        CloseUp(s, true);
    } else {
        DropDown(s, false);
    }
}

void ComboBoxState::ListDidTrack(int index) {
    ChangeSelection(*this, index);
}

void ComboBoxState::ListDidChoose(int index) {
    ChangeSelection(*this, index);
    CloseUp(*this, true);
}

void ComboBoxState::ListDidDismiss() {
    CloseUp(*this, false);
}

// ---- Items -------------------------------------------------------------------------------------

void ItemsChanged(ComboBoxState& s) {
    ComboListItemsChanged(s.list);
    InvalidateField(s);
}

LRESULT OnInsertString(ComboBoxState& s, int index, LPARAM lParam) {
    const bool strings = HasStrings(s);
    const char* text = strings && lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
    const int inserted = s.items.Insert(index, text, strings ? 0 : std::uintptr_t(lParam));
    if (inserted < 0) return CB_ERR;
    ShiftSelections(s, inserted, +1);
    ItemsChanged(s);
    return inserted;
}

LRESULT OnDeleteString(ComboBoxState& s, int index) {
    if (!s.items.Erase(index)) return CB_ERR;
    ShiftSelections(s, index, -1);
    ItemsChanged(s);
    return s.items.Count();
}

LRESULT OnResetContent(ComboBoxState& s) {
    s.items.Clear();
    s.selection = s.selectionAtOpen = s.reportedSelection = -1;
    ItemsChanged(s);
    return CB_OKAY;
}

LRESULT OnSetCurSel(ComboBoxState& s, int index) {
    const bool valid = s.items.IsValid(index);
    SelectByProgram(s, valid ? index : -1);
    return valid ? index : CB_ERR;
}

LRESULT OnGetLbText(ComboBoxState& s, int index, LPARAM buffer) {
    if (!s.items.IsValid(index) || buffer == 0) return CB_ERR;
    if (!HasStrings(s)) {
        const std::uintptr_t data = s.items.Data(index);
        std::memcpy(reinterpret_cast<void*>(buffer), &data, sizeof data);
        return LRESULT(sizeof data);
    }
    const std::string& text = s.items.Text(index);
    std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
    return LRESULT(text.size());
}

LRESULT OnGetLbTextLen(ComboBoxState& s, int index) {
    if (!s.items.IsValid(index)) return CB_ERR;
    return HasStrings(s) ? LRESULT(s.items.Text(index).size()) : LRESULT(sizeof(std::uintptr_t));
}

LRESULT OnSetItemData(ComboBoxState& s, int index, LPARAM data) {
    if (!s.items.IsValid(index)) return CB_ERR;
    s.items.SetData(index, std::uintptr_t(data));
    return CB_OKAY;
}

LRESULT OnGetItemData(ComboBoxState& s, int index) {
    return s.items.IsValid(index) ? LRESULT(s.items.Data(index)) : CB_ERR;
}

void ResizeToField(ComboBoxState& s) {
    const RECT client = ClientRect(s.hwnd);
    SetWindowPos(s.hwnd, 0, 0, 0, client.right, BoxHeight(s),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnSetItemHeight(ComboBoxState& s, int index, int height) {
    if (height < 1 || height > kMaxItemHeight) return CB_ERR;
    if (index == -1) {
        s.fieldHeight = height;
        ResizeToField(s);
        InvalidateField(s);
        return CB_OKAY;
    }
    if (HeightsVary(s)) {
        if (!s.items.IsValid(index)) return CB_ERR;
        s.items.SetHeight(index, height);
    } else {
        s.itemHeight = height;
    }
    ItemsChanged(s);
    return CB_OKAY;
}

LRESULT OnGetItemHeight(ComboBoxState& s, int index) {
    if (index == -1) return s.fieldHeight;
    if (HeightsVary(s) && !s.items.IsValid(index)) return CB_ERR;
    return s.ItemHeight(index);
}

LRESULT OnGetDroppedControlRect(ComboBoxState& s, LPARAM lParam) {
    auto* rect = reinterpret_cast<RECT*>(lParam);
    if (rect == nullptr) return 0;
    RECT box, list;
    GetWindowRect(s.hwnd, &box);
    if (s.dropped) {
        GetWindowRect(s.list, &list);
    } else {
        list = DropRect(s);
    }
    UnionRect(rect, &box, &list);
    return 1;
}

LRESULT OnSetDroppedWidth(ComboBoxState& s, WPARAM width) {
    if (std::intptr_t(width) < 0) return CB_ERR;
    s.droppedWidth = int(width);
    return DroppedWidth(s);
}

// Owner-drawn boxes without strings compare item data where the others compare texts.
LRESULT OnFindString(ComboBoxState& s, int after, LPARAM lParam, bool exact) {
    if (!HasStrings(s)) return s.items.FindData(std::uintptr_t(lParam), after);
    if (lParam == 0) return CB_ERR;
    const char* text = reinterpret_cast<const char*>(lParam);
    return exact ? s.items.FindExact(text, after) : s.items.FindPrefix(text, after);
}

LRESULT OnSelectString(ComboBoxState& s, int after, LPARAM lParam) {
    const LRESULT found = OnFindString(s, after, lParam, false);
    if (found >= 0) SelectByProgram(s, int(found));
    return found;
}

LRESULT OnSetTopIndex(ComboBoxState& s, int index) {
    return SetComboListTopIndex(s.list, index) ? CB_OKAY : CB_ERR;
}

LRESULT OnGetText(ComboBoxState& s, WPARAM capacity, LPARAM buffer) {
    if (capacity == 0 || buffer == 0) return 0;
    const std::string text =
        HasStrings(s) && s.items.IsValid(s.selection) ? s.items.Text(s.selection) : std::string();
    const std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
    std::memcpy(reinterpret_cast<char*>(buffer), text.data(), count);
    reinterpret_cast<char*>(buffer)[count] = '\0';
    return LRESULT(count);
}

LRESULT OnGetTextLength(ComboBoxState& s) {
    return HasStrings(s) && s.items.IsValid(s.selection) ? LRESULT(s.items.Text(s.selection).size())
                                                         : 0;
}

// ---- Fonts, focus, keys, mouse -----------------------------------------------------------------

void OnSetFont(ComboBoxState& s, WPARAM font, LPARAM redraw) {
    s.font = font != 0 ? HFONT(font) : HFONT(GetStockObject(DEFAULT_GUI_FONT));
    if (!OwnerDrawn(s)) {
        s.itemHeight = s.fieldHeight = TextHeight(s.font);
        ResizeToField(s);
        ItemsChanged(s);
    }
    if (LOWORD(std::uintptr_t(redraw)) != 0) InvalidateField(s);
}

void OnSetFocus(ComboBoxState& s) {
    s.focused = true;
    InvalidateField(s);
    Notify(s.hwnd, CBN_SETFOCUS);
}

void OnKillFocus(ComboBoxState& s) {
    const HWND hwnd = s.hwnd;
    s.focused = false;
    InvalidateField(s);
    CloseUp(s, false);
    if (IsWindow(hwnd)) Notify(hwnd, CBN_KILLFOCUS);
}

bool OnKeyDown(ComboBoxState& s, int key) {
    switch (key) {
        case VK_F4:
            ToggleDropDown(s);
            return true;
        case VK_RETURN:
        case VK_ESCAPE:
            if (!s.dropped) return false;
            CloseUp(s, key == VK_RETURN);
            return true;
        case VK_UP:
        case VK_LEFT:
            StepSelection(s, -1);
            return true;
        case VK_DOWN:
        case VK_RIGHT:
            StepSelection(s, +1);
            return true;
        case VK_PRIOR:
            StepSelection(s, -std::max(ComboListPageSize(s.list) - 1, 1));
            return true;
        case VK_NEXT:
            StepSelection(s, std::max(ComboListPageSize(s.list) - 1, 1));
            return true;
        case VK_HOME:
            SelectByUser(s, 0);
            return true;
        case VK_END:
            SelectByUser(s, s.items.Count() - 1);
            return true;
        default:
            return false;
    }
}

// Alt+Up and Alt+Down open and close the list as F4 does.
bool OnSysKeyDown(ComboBoxState& s, int key) {
    if (key != VK_UP && key != VK_DOWN) return false;
    ToggleDropDown(s);
    return true;
}

void OnChar(ComboBoxState& s, WPARAM character) {
    if (character < 0x20 || character == 0x7F || !HasStrings(s)) return;
    const int found = s.items.FindInitial(char32_t(character), s.selection);
    if (found >= 0) SelectByUser(s, found);
}

void OnMouseWheel(ComboBoxState& s, WPARAM wParam, LPARAM lParam) {
    if (s.dropped) {
        SendMessage(s.list, WM_MOUSEWHEEL, wParam, lParam);
        return;
    }
    const int delta = std::int16_t(HIWORD(wParam));
    if (delta != 0) StepSelection(s, delta > 0 ? -1 : +1);
}

void OnLButtonDown(ComboBoxState& s) {
    const HWND hwnd = s.hwnd;
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
        if (!IsWindow(hwnd)) return;
    }
    if (s.dropped) {
        CloseUp(s, true);
    } else {
        DropDown(s, true);
    }
}

// A size asked for beyond the box's own height is the dropped list's, as at creation.
void OnWindowPosChanging(ComboBoxState& s, WINDOWPOS* pos) {
    if (pos == nullptr || (pos->flags & SWP_NOSIZE) != 0) return;
    const int box = BoxHeight(s);
    if (pos->cy > box) s.listBudget = pos->cy - box;
    pos->cy = box;
}

void OnThemeChanged(ComboBoxState& s) {
    if (s.theme != 0) CloseThemeData(s.theme);
    s.theme = OpenThemeData(s.hwnd, "ComboBox");
    InvalidateField(s);
}

// ---- Creation and the window procedure ---------------------------------------------------------

void MeasureFixedHeights(ComboBoxState& s) {
    s.itemHeight = s.fieldHeight = TextHeight(s.font);
    if (!OwnerDrawn(s)) return;
    s.fieldHeight = Measure(s, UINT(-1), s.fieldHeight, 0);
    if (!HeightsVary(s)) s.itemHeight = Measure(s, 0, s.itemHeight, 0);
}

bool OnCreate(HWND hwnd, const CREATESTRUCT* create) {
    auto* s = new ComboBoxState{};
    s->hwnd = hwnd;
    s->style = create->style;
    s->font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
    s->theme = OpenThemeData(hwnd, "ComboBox");
    SetWindowLongPtr(hwnd, GWLP_USERDATA, LPARAM(s));
    MeasureFixedHeights(*s);
    if (!IsWindow(hwnd)) return false;
    s->listBudget = kDefaultVisibleItems * s->itemHeight;
    s->list = CreateComboList(hwnd, s);
    if (s->list == 0) return false;
    SetWindowPos(hwnd, 0, 0, 0, create->cx, create->cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void OnDestroy(ComboBoxState& s) {
    s.dropped = false;
    if (IsWindow(s.list)) DestroyWindow(s.list);
    s.list = 0;
}

void OnNcDestroy(HWND hwnd, ComboBoxState* s) {
    if (s->theme != 0) CloseThemeData(s->theme);
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
    delete s;
}

LRESULT GetComboBoxInfoMessage(ComboBoxState& s, LPARAM lParam) {
    return GetComboBoxInfo(s.hwnd, reinterpret_cast<COMBOBOXINFO*>(lParam)) ? 1 : 0;
}

LRESULT HandleListMessage(ComboBoxState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int index = int(std::intptr_t(wParam));
    switch (msg) {
        case CB_ADDSTRING:
            return OnInsertString(s, -1, lParam);
        case CB_INSERTSTRING:
            return OnInsertString(s, index, lParam);
        case CB_DELETESTRING:
            return OnDeleteString(s, index);
        case CB_RESETCONTENT:
            return OnResetContent(s);
        case CB_GETCOUNT:
            return s.items.Count();
        case CB_GETCURSEL:
            return s.selection;
        case CB_SETCURSEL:
            return OnSetCurSel(s, index);
        case CB_GETLBTEXT:
            return OnGetLbText(s, index, lParam);
        case CB_GETLBTEXTLEN:
            return OnGetLbTextLen(s, index);
        case CB_SETITEMDATA:
            return OnSetItemData(s, index, lParam);
        case CB_GETITEMDATA:
            return OnGetItemData(s, index);
        case CB_SETITEMHEIGHT:
            return OnSetItemHeight(s, index, int(lParam));
        case CB_GETITEMHEIGHT:
            return OnGetItemHeight(s, index);
        case CB_FINDSTRING:
            return OnFindString(s, index, lParam, false);
        case CB_FINDSTRINGEXACT:
            return OnFindString(s, index, lParam, true);
        case CB_SELECTSTRING:
            return OnSelectString(s, index, lParam);
        case CB_SETTOPINDEX:
            return OnSetTopIndex(s, index);
        case CB_GETTOPINDEX:
            return ComboListTopIndex(s.list);
        default:
            return CB_ERR;
    }
}

LRESULT HandleDropDownMessage(ComboBoxState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case CB_SHOWDROPDOWN:
            if (wParam != 0) {
                DropDown(s, false);
            } else {
                CloseUp(s, false);
            }
            return 1;
        case CB_GETDROPPEDSTATE:
            return s.dropped ? 1 : 0;
        case CB_GETDROPPEDCONTROLRECT:
            return OnGetDroppedControlRect(s, lParam);
        case CB_SETDROPPEDWIDTH:
            return OnSetDroppedWidth(s, wParam);
        case CB_GETDROPPEDWIDTH:
            return DroppedWidth(s);
        case CB_GETCOMBOBOXINFO:
            return GetComboBoxInfoMessage(s, lParam);
        default:
            return CB_ERR;
    }
}

bool IsDropDownMessage(UINT msg) {
    return msg == CB_SHOWDROPDOWN || msg == CB_GETDROPPEDSTATE || msg == CB_GETDROPPEDCONTROLRECT ||
           msg == CB_SETDROPPEDWIDTH || msg == CB_GETDROPPEDWIDTH || msg == CB_GETCOMBOBOXINFO;
}

bool IsColorRequest(UINT msg) {
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

// The scroll-bar bits are the list's; the box itself has neither bars nor a plain border.
void OnNcCreate(HWND hwnd) {
    const LPARAM style = GetWindowLongPtr(hwnd, GWL_STYLE);
    SetWindowLongPtr(hwnd, GWL_STYLE, style & ~LPARAM(WS_VSCROLL | WS_HSCROLL | WS_BORDER));
}

LRESULT ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) OnNcCreate(hwnd);
    if (msg == WM_CREATE) {
        return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam)) ? 0 : -1;
    }
    ComboBoxState* s = StateOf(hwnd);
    if (s == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg >= CB_ADDSTRING && msg <= CB_GETCOMBOBOXINFO) {
        return IsDropDownMessage(msg) ? HandleDropDownMessage(*s, msg, wParam, lParam)
                                      : HandleListMessage(*s, msg, wParam, lParam);
    }
    // The list's colour request, and any other, is the parent's to answer.
    if (IsColorRequest(msg)) return SendMessage(GetParent(hwnd), msg, wParam, lParam);
    switch (msg) {
        case WM_NCDESTROY:
            OnNcDestroy(hwnd, s);
            return 0;
        case WM_DESTROY:
            OnDestroy(*s);
            return 0;
        case WM_PAINT:
            OnPaint(*s);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting fills every pixel
        case WM_SIZE:
            InvalidateField(*s);
            return 0;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(*s, reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_SETFONT:
            OnSetFont(*s, wParam, lParam);
            return 0;
        case WM_GETFONT:
            return LRESULT(s->font);
        case WM_GETTEXT:
            return OnGetText(*s, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return OnGetTextLength(*s);
        case WM_SETFOCUS:
            OnSetFocus(*s);
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus(*s);
            return 0;
        case WM_ENABLE:
            if (wParam == 0) CloseUp(*s, false);
            if (IsWindow(hwnd)) InvalidateField(*s);
            return 0;
        case WM_CANCELMODE:
            CloseUp(*s, false);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS | (s->dropped ? DLGC_WANTALLKEYS : 0);
        case WM_KEYDOWN:
            return OnKeyDown(*s, int(wParam)) ? 0 : DefWindowProc(hwnd, msg, wParam, lParam);
        case WM_SYSKEYDOWN:
            return OnSysKeyDown(*s, int(wParam)) ? 0 : DefWindowProc(hwnd, msg, wParam, lParam);
        case WM_CHAR:
            OnChar(*s, wParam);
            return 0;
        case WM_MOUSEWHEEL:
            OnMouseWheel(*s, wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(*s);
            return 0;
        case WM_THEMECHANGED:
            OnThemeChanged(*s);
            return 0;
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

bool RegisterComboBoxClass() {
    if (!RegisterComboListClass()) return false;
    WNDCLASS existing;
    if (GetClassInfo(kComboBoxClassName, &existing)) return true;
    WNDCLASS cls;
    cls.lpfnWndProc = &ComboBoxProc;
    cls.hCursor = IDC_ARROW;
    cls.lpszClassName = kComboBoxClassName;
    return RegisterClass(cls) != 0;
}

bool GetComboBoxInfo(HWND combo, COMBOBOXINFO* info) {
    if (info == nullptr || GetClassName(combo) != kComboBoxClassName) return false;
    ComboBoxState* s = StateOf(combo);
    if (s == nullptr) return false;
    info->rcItem = FieldRect(*s);
    info->rcButton = ButtonRect(*s);
    info->stateButton = s->dropped ? 0x8 : 0;  // pressed while dropped
    info->hwndCombo = combo;
    info->hwndItem = combo;
    info->hwndList = s->list;
    return true;
}

}  // namespace vexa::sys
