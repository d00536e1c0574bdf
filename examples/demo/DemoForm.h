// The demo's form: a banner with two pages (the products grid and a million-row grid in
// virtual mode) and two buttons that save and load the products grid's properties and its
// column and sort layouts to a file; a status line says what the user just did.
#pragma once

#include <memory>
#include <string>

#include "MillionRows.h"
#include "ProductsTable.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::demo {

using sys::HWND;
using sys::LPARAM;
using sys::LRESULT;
using sys::UINT;
using sys::WPARAM;

class DemoForm {
  public:
    enum class Button { Products, Million, Save, Load };

    // `settingsPath`: the file that Save writes and Load reads.
    explicit DemoForm(std::string settingsPath);
    ~DemoForm();

    // Registers the form's class and creates the (hidden) window; 0 on failure.
    HWND Create(int width, int height);
    HWND Handle() const { return hwnd_; }

    // A button's rectangle in the form's client area (for a user's pointer, or a script's).
    static sys::RECT ButtonRect(Button button);
    void Press(Button button);

    ProductsTable& Products() { return *products_; }
    // The million-row page, made the first time it is shown; null before.
    MillionRows* Million() { return million_.get(); }
    const std::string& Status() const { return status_; }
    // Appends every status line to this file too, for scripts that drive the demo.
    void LogStatusTo(std::string path) { statusLogPath_ = std::move(path); }

  private:
    static LRESULT FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void BuildContent();
    void Paint();
    void Layout();
    void ShowPage(Button page);
    void FocusPage();
    void SaveSettings();
    void LoadSettings();
    void Report(std::string status);

    std::string settingsPath_;
    HWND hwnd_ = 0;
    Button page_ = Button::Products;
    std::unique_ptr<ProductsTable> products_;
    std::unique_ptr<MillionRows> million_;
    std::string status_;
    std::string statusLogPath_;
};

}  // namespace vexa::demo
