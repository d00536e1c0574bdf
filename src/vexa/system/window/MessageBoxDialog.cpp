#include "vexa/system/window/MessageBoxDialog.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys {

namespace {

// Sizes in pixels at 96 dpi, close to the classic box.
constexpr int kContentPadding = 20;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 8;
constexpr int kBandPadding = 12;
constexpr int kMinimumClientWidth = 200;
constexpr int kMaximumTextWidth = 520;
constexpr int kFontPixelHeight = 12;
constexpr const char* kFontFace = "DejaVu Sans";

struct ButtonKind {
    int id;
    const char* label;  // '&' marks the letter that chooses the button
};

const ButtonKind kButtonKinds[] = {
    {IDOK, "OK"},        {IDCANCEL, "Cancel"},       {IDABORT, "&Abort"},
    {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"},      {IDYES, "&Yes"},
    {IDNO, "&No"},       {IDTRYAGAIN, "&Try Again"}, {IDCONTINUE, "&Continue"},
};

std::string LabelOf(int id) {
    for (const ButtonKind& kind : kButtonKinds) {
        if (kind.id == id) return kind.label;
    }
    return "OK";
}

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void SetSource(cairo_t* cr, COLORREF color) {
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
}

COLORREF Blend(COLORREF a, COLORREF b, double towardsB) {
    auto mix = [towardsB](int x, int y) {
        return std::uint8_t(std::lround(x + (y - x) * towardsB));
    };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

void FillRect(cairo_t* cr, const RECT& r, COLORREF color) {
    SetSource(cr, color);
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_fill(cr);
}

// A frame of `thickness` pixels lying inside r.
void FrameRect(cairo_t* cr, const RECT& r, COLORREF color, int thickness) {
    SetSource(cr, color);
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_rectangle(cr, r.left + thickness, r.top + thickness, r.Width() - 2 * thickness,
                    r.Height() - 2 * thickness);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

PangoFontDescription* DialogFont(bool bold) {
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, kFontFace);
    pango_font_description_set_absolute_size(font, kFontPixelHeight * PANGO_SCALE);
    if (bold) pango_font_description_set_weight(font, PANGO_WEIGHT_BOLD);
    return font;
}

// A layout of `text` in the dialog font; with a mnemonic label the '&' is dropped and the
// letter after it underlined.
PangoLayout* MakeLayout(cairo_t* cr, const std::string& text, bool mnemonic, bool bold = false) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = DialogFont(bold);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    if (!mnemonic) {
        pango_layout_set_text(layout, text.c_str(), int(text.size()));
        return layout;
    }
    std::string shown = text;
    const std::size_t amp = shown.find('&');
    PangoAttrList* attributes = pango_attr_list_new();
    if (amp != std::string::npos && amp + 1 < shown.size()) {
        shown.erase(amp, 1);
        PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
        underline->start_index = guint(amp);
        underline->end_index = guint(amp + 1);
        pango_attr_list_insert(attributes, underline);
    }
    pango_layout_set_text(layout, shown.c_str(), int(shown.size()));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
    return layout;
}

SIZE LayoutSize(PangoLayout* layout) {
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    return SIZE{width, height};
}

enum class IconKind { None, Error, Question, Warning, Information };

IconKind IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return IconKind::Error;
        case MB_ICONQUESTION:
            return IconKind::Question;
        case MB_ICONWARNING:
            return IconKind::Warning;
        case MB_ICONINFORMATION:
            return IconKind::Information;
        default:
            return IconKind::None;
    }
}

void DrawCentredGlyph(cairo_t* cr, const std::string& glyph, double cx, double cy, COLORREF color) {
    PangoLayout* layout = MakeLayout(cr, glyph, false, true);
    PangoFontDescription* font = DialogFont(true);
    pango_font_description_set_absolute_size(font, 20 * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    const SIZE size = LayoutSize(layout);
    SetSource(cr, color);
    cairo_move_to(cr, std::round(cx - size.cx / 2.0), std::round(cy - size.cy / 2.0));
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

void DrawIcon(cairo_t* cr, IconKind kind, const RECT& r) {
    const double cx = r.left + r.Width() / 2.0;
    const double cy = r.top + r.Height() / 2.0;
    const double radius = r.Width() / 2.0;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    switch (kind) {
        case IconKind::Warning:
            SetSource(cr, RGB(0xF2, 0xB2, 0x00));
            cairo_move_to(cr, cx, r.top + 1);
            cairo_line_to(cr, r.right, r.bottom - 2);
            cairo_line_to(cr, r.left, r.bottom - 2);
            cairo_close_path(cr);
            cairo_fill(cr);
            DrawCentredGlyph(cr, "!", cx, cy + 3, RGB(0, 0, 0));
            break;
        case IconKind::Error:
            SetSource(cr, RGB(0xD3, 0x2F, 0x2F));
            cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
            cairo_fill(cr);
            SetSource(cr, RGB(0xFF, 0xFF, 0xFF));
            cairo_set_line_width(cr, 3);
            cairo_move_to(cr, cx - radius / 2.5, cy - radius / 2.5);
            cairo_line_to(cr, cx + radius / 2.5, cy + radius / 2.5);
            cairo_move_to(cr, cx + radius / 2.5, cy - radius / 2.5);
            cairo_line_to(cr, cx - radius / 2.5, cy + radius / 2.5);
            cairo_stroke(cr);
            break;
        case IconKind::Question:
        case IconKind::Information:
            SetSource(cr, RGB(0x19, 0x76, 0xD2));
            cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
            cairo_fill(cr);
            DrawCentredGlyph(cr, kind == IconKind::Question ? "?" : "i", cx, cy,
                             RGB(0xFF, 0xFF, 0xFF));
            break;
        case IconKind::None:
            break;
    }
    cairo_restore(cr);
}

}  // namespace

std::vector<int> MessageBoxButtons(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        case MB_CANCELTRYCONTINUE:
            return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
        default:
            return {IDOK};
    }
}

int MessageBoxDefaultButton(UINT type) {
    const std::vector<int> buttons = MessageBoxButtons(type);
    const std::size_t index = std::min<std::size_t>((type & MB_DEFMASK) >> 8, buttons.size() - 1);
    return buttons[index];
}

namespace {

class MessageBoxDialog {
  public:
    MessageBoxDialog(HWND owner, const std::string& text, const std::string& caption, UINT type);
    int Run();

  private:
    struct Button {
        int id = 0;
        std::string label;
        RECT rect;
    };

    static LRESULT Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void RegisterWindowClass();
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    bool Create();
    SIZE Layout();
    RECT PlaceOnScreen(SIZE client) const;
    void Paint();
    void PaintButton(cairo_t* cr, const Button& button, std::size_t index);

    void OnKeyDown(int key);
    void OnCharacter(unsigned character);
    void OnButtonDown(POINT p);
    void OnMouseMove(POINT p);
    void OnButtonUp(POINT p);
    void MoveFocus(int step);
    void Choose(int id);
    // The answer of Escape and the close button; 0 when the box cannot be dismissed so.
    int DismissAnswer() const;
    int ButtonAt(POINT p) const;
    void Repaint();

    HWND owner_ = 0;
    std::string text_;
    std::string caption_;
    UINT type_ = 0;
    IconKind icon_ = IconKind::None;
    std::vector<Button> buttons_;
    std::size_t focus_ = 0;
    int pressed_ = -1;  // index of the button held down with the mouse
    bool pressedInside_ = false;
    RECT iconRect_;
    RECT textRect_;
    int bandTop_ = 0;
    HWND hwnd_ = 0;
    bool done_ = false;
    int answer_ = 0;
};

MessageBoxDialog::MessageBoxDialog(HWND owner, const std::string& text, const std::string& caption,
                                   UINT type)
    : owner_(IsWindow(owner) ? GetTopLevelWindow(owner) : 0),
      text_(text),
      caption_(caption.empty() ? "Error" : caption),
      type_(type),
      icon_(IconOf(type)) {
    const int defaultId = MessageBoxDefaultButton(type);
    for (int id : MessageBoxButtons(type)) {
        if (id == defaultId) focus_ = buttons_.size();
        buttons_.push_back(Button{id, LabelOf(id), RECT{}});
    }
    answer_ = defaultId;
}

void MessageBoxDialog::RegisterWindowClass() {
    WNDCLASS existing;
    if (GetClassInfo(kMessageBoxClassName, &existing)) return;
    WNDCLASS wc;
    wc.lpfnWndProc = &MessageBoxDialog::Procedure;
    wc.hCursor = LoadCursor(0, IDC_ARROW);
    wc.lpszClassName = kMessageBoxClassName;
    RegisterClass(wc);
}

LRESULT MessageBoxDialog::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<MessageBoxDialog*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (dialog == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    return dialog->Handle(msg, wParam, lParam);
}

LRESULT MessageBoxDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // painting covers the whole client area
        case WM_KEYDOWN:
            OnKeyDown(int(wParam));
            return 0;
        case WM_CHAR:
            OnCharacter(unsigned(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown(p);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(p);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(p);
            return 0;
        case WM_CAPTURECHANGED:
            if (pressed_ >= 0) {
                pressed_ = -1;
                Repaint();
            }
            return 0;
        case WM_CLOSE:
            // Never destroyed by the default handling: the box ends through its loop.
            if (const int answer = DismissAnswer(); answer != 0) Choose(answer);
            return 0;
        default:
            return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

bool MessageBoxDialog::Create() {
    RegisterWindowClass();
    const SIZE client = Layout();
    const RECT place = PlaceOnScreen(client);
    // Owned by the owner's top-level window, so it goes when its owner goes.
    hwnd_ =
        CreateWindowEx(0, kMessageBoxClassName, caption_, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                       place.left, place.top, place.Width(), place.Height(), owner_);
    if (hwnd_ == 0) return false;
    SetWindowLongPtr(hwnd_, GWLP_USERDATA, reinterpret_cast<LPARAM>(this));
    return true;
}

SIZE MessageBoxDialog::Layout() {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    PangoLayout* layout = MakeLayout(cr, text_, false);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int wrapWidth =
        std::clamp(screenWidth * 5 / 8 - 2 * kContentPadding, 100, kMaximumTextWidth);
    pango_layout_set_width(layout, wrapWidth * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    const SIZE text = LayoutSize(layout);
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);

    const bool hasIcon = icon_ != IconKind::None;
    const int iconWidth = hasIcon ? kIconSize + kIconGap : 0;
    const int contentHeight = std::max(text.cy, hasIcon ? kIconSize : 0);
    const int buttonsWidth =
        int(buttons_.size()) * kButtonWidth + int(buttons_.size() - 1) * kButtonGap;
    const int clientWidth =
        std::max({kMinimumClientWidth, iconWidth + text.cx + 2 * kContentPadding,
                  buttonsWidth + 2 * kBandPadding});

    iconRect_ = RECT{kContentPadding, kContentPadding, kContentPadding + kIconSize,
                     kContentPadding + kIconSize};
    const int textTop = kContentPadding + (contentHeight - text.cy) / 2;
    textRect_ = RECT{kContentPadding + iconWidth, textTop, kContentPadding + iconWidth + wrapWidth,
                     textTop + text.cy};
    bandTop_ = kContentPadding * 2 + contentHeight;
    const int buttonTop = bandTop_ + kBandPadding;
    int x = clientWidth - kBandPadding - buttonsWidth;
    for (Button& button : buttons_) {
        button.rect = RECT{x, buttonTop, x + kButtonWidth, buttonTop + kButtonHeight};
        x += kButtonWidth + kButtonGap;
    }
    return SIZE{clientWidth, buttonTop + kButtonHeight + kBandPadding};
}

RECT MessageBoxDialog::PlaceOnScreen(SIZE client) const {
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT ownerRect;
    if (owner_ != 0 && IsWindowVisible(owner_) && GetWindowRect(owner_, &ownerRect)) {
        around = ownerRect;
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int left = around.left + (around.Width() - client.cx) / 2;
    int top = around.top + (around.Height() - client.cy) / 2;
    left = std::clamp(left, 0, std::max(0, screenWidth - client.cx));
    top = std::clamp(top, 0, std::max(0, screenHeight - client.cy));
    return RECT{left, top, left + client.cx, top + client.cy};
}

int MessageBoxDialog::Run() {
    if (!Create()) return answer_;
    const bool disableOwner = owner_ != 0 && IsWindowEnabled(owner_);
    if (disableOwner) EnableWindow(owner_, false);
    ShowWindow(hwnd_, SW_SHOW);
    SetActiveWindow(hwnd_);
    SetFocus(hwnd_);

    MSG msg;
    while (!done_ && IsWindow(hwnd_)) {
        const int got = GetMessage(&msg);
        if (got == 0) {
            PostQuitMessage(int(msg.wParam));  // the program's own loop ends on it
            break;
        }
        if (got < 0) break;  // nothing can ever arrive: nobody will answer
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }

    if (disableOwner && IsWindow(owner_)) EnableWindow(owner_, true);
    if (IsWindow(hwnd_)) {
        SetWindowLongPtr(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (owner_ != 0 && IsWindow(owner_)) SetActiveWindow(owner_);
    return answer_;
}

void MessageBoxDialog::Paint() {
    PAINTSTRUCT ps;
    BeginPaint(hwnd_, &ps);
    const WindowSurface target = GetWindowSurface(hwnd_);
    if (target.surface != nullptr && target.clip.right > target.clip.left) {
        cairo_t* cr = cairo_create(target.surface);
        cairo_rectangle(cr, target.clip.left, target.clip.top, target.clip.Width(),
                        target.clip.Height());
        cairo_clip(cr);
        cairo_translate(cr, target.origin.x, target.origin.y);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);

        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(cr, RECT{0, 0, client.right, bandTop_}, GetSysColor(COLOR_WINDOW));
        FillRect(cr, RECT{0, bandTop_, client.right, client.bottom}, GetSysColor(COLOR_BTNFACE));
        DrawIcon(cr, icon_, iconRect_);

        PangoLayout* layout = MakeLayout(cr, text_, false);
        pango_layout_set_width(layout, textRect_.Width() * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        SetSource(cr, GetSysColor(COLOR_WINDOWTEXT));
        cairo_move_to(cr, textRect_.left, textRect_.top);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);

        for (std::size_t i = 0; i < buttons_.size(); ++i) PaintButton(cr, buttons_[i], i);
        cairo_destroy(cr);
        cairo_surface_flush(target.surface);
        MarkSurfaceDirty(GetTopLevelWindow(hwnd_), target.clip);
    }
    EndPaint(hwnd_, &ps);
}

void MessageBoxDialog::PaintButton(cairo_t* cr, const Button& button, std::size_t index) {
    const bool pushed = pressed_ == int(index) && pressedInside_;
    const bool focused = focus_ == index;
    const COLORREF face = GetSysColor(COLOR_WINDOW);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    FillRect(cr, button.rect, pushed ? Blend(face, shadow, 0.35) : face);
    if (focused) {
        FrameRect(cr, button.rect, GetSysColor(COLOR_HIGHLIGHT), 2);
    } else {
        FrameRect(cr, button.rect, shadow, 1);
    }
    PangoLayout* layout = MakeLayout(cr, button.label, true);
    const SIZE size = LayoutSize(layout);
    SetSource(cr, GetSysColor(COLOR_BTNTEXT));
    const int offset = pushed ? 1 : 0;
    cairo_move_to(cr, button.rect.left + (button.rect.Width() - size.cx) / 2 + offset,
                  button.rect.top + (button.rect.Height() - size.cy) / 2 + offset);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

void MessageBoxDialog::OnKeyDown(int key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
        case VK_TAB:
            MoveFocus(shift ? -1 : 1);
            break;
        case VK_LEFT:
        case VK_UP:
            MoveFocus(-1);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            MoveFocus(1);
            break;
        case VK_RETURN:
        case VK_SPACE:
            Choose(buttons_[focus_].id);
            break;
        case VK_ESCAPE:
            if (const int answer = DismissAnswer(); answer != 0) Choose(answer);
            break;
        default:
            break;
    }
}

void MessageBoxDialog::OnCharacter(unsigned character) {
    if (character >= 0x80 || !std::isalnum(int(character))) return;
    const int wanted = std::tolower(int(character));
    for (const Button& button : buttons_) {
        const std::size_t amp = button.label.find('&');
        if (amp == std::string::npos || amp + 1 >= button.label.size()) continue;
        if (std::tolower(static_cast<unsigned char>(button.label[amp + 1])) == wanted) {
            Choose(button.id);
            return;
        }
    }
}

void MessageBoxDialog::OnButtonDown(POINT p) {
    const int index = ButtonAt(p);
    if (index < 0) return;
    pressed_ = index;
    pressedInside_ = true;
    focus_ = std::size_t(index);
    SetCapture(hwnd_);
    Repaint();
}

void MessageBoxDialog::OnMouseMove(POINT p) {
    if (pressed_ < 0) return;
    const bool inside = Contains(buttons_[std::size_t(pressed_)].rect, p);
    if (inside == pressedInside_) return;
    pressedInside_ = inside;
    Repaint();
}

void MessageBoxDialog::OnButtonUp(POINT p) {
    if (pressed_ < 0) return;
    const Button& button = buttons_[std::size_t(pressed_)];
    const bool inside = Contains(button.rect, p);
    const int id = button.id;
    pressed_ = -1;
    ReleaseCapture();
    if (inside) {
        Choose(id);
    } else {
        Repaint();
    }
}

void MessageBoxDialog::MoveFocus(int step) {
    const int count = int(buttons_.size());
    focus_ = std::size_t(((int(focus_) + step) % count + count) % count);
    Repaint();
}

void MessageBoxDialog::Choose(int id) {
    answer_ = id;
    done_ = true;
}

int MessageBoxDialog::DismissAnswer() const {
    for (const Button& button : buttons_) {
        if (button.id == IDCANCEL) return IDCANCEL;
    }
    return buttons_.size() == 1 && buttons_.front().id == IDOK ? IDOK : 0;
}

int MessageBoxDialog::ButtonAt(POINT p) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (Contains(buttons_[i].rect, p)) return int(i);
    }
    return -1;
}

void MessageBoxDialog::Repaint() {
    InvalidateRect(hwnd_, nullptr, false);
}

}  // namespace

int RunMessageBoxDialog(HWND owner, const std::string& text, const std::string& caption,
                        UINT type) {
    MessageBoxDialog dialog(owner, text, caption, type);
    return dialog.Run();
}

}  // namespace vexa::sys
