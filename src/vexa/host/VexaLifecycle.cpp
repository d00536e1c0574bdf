// The control's life after its parts are made: the container's answers, the child windows,
// the design-time properties going in (defaults or a stored set) and out, and the about box.
#include <string>
#include <utility>

#include "vexa/Version.h"
#include "vexa/host/GridParts.h"
#include "vexa/host/Persistence.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/GridErrors.h"
#include "vexa/system/automation/Log.h"
#include "vexa/system/window/Messages.h"
#include "vexa/system/window/Window.h"

namespace vexa {

namespace {

// Applies one property; a value that does not convert or that the setter refuses is skipped,
// leaving the property as it was.
void ApplyValue(Vexa& grid, const PersistedProperty& property, const Variant& value) {
    try {
        property.set(grid, ConvertForSetter(property.type, value));
    } catch (...) {
        LogSwallowedException("Loading property " + std::string(property.name));
    }
}

}  // namespace

// ---- Creation ----

void Vexa::Initialize(const AmbientProperties& ambient) {
    GridParts& p = *parts_;
    p.lifecycle.ambient = ambient;
    p.cellValues.SetComboLists(&p.editingAdapters.comboLists);
    const sys::HWND window = p.window.Handle();
    p.window.Attach(*this);
    p.subclass.Attach(window, sys::GetParent(window));
}

void Vexa::CreateChildWindows() {
    GridParts& p = *parts_;
    const sys::HWND window = p.window.Handle();
    p.header.Create(window, p.lifecycle.ambient.userMode);
    if (!p.lifecycle.ambient.userMode) return;
    p.scrollBars->Create(window);
    p.scrollBars->SetStyle(p.scrollBarStyle);
    p.scrollBars->SetOrientation(2);
}

void Vexa::ShowControlWindow() {
    const GridParts& p = *parts_;
    sys::ShowWindow(p.window.Handle(), sys::SW_SHOW);
    if (p.window.OwnFrame() != 0) sys::ShowWindow(p.window.OwnFrame(), sys::SW_SHOW);
}

bool Vexa::UserMode() const {
    return parts_->lifecycle.ambient.userMode;
}

// ---- Properties going in and out ----

template <class Steps>
void Vexa::LoadProperties(Steps steps) {
    GridParts& p = *parts_;
    p.store.CheckShapeUnlocked();
    if (p.lifecycle.loading) RaiseGridError(kErrInvalidArgument);
    // Whatever happens inside, the grid leaves loading with painting as it was.
    struct Loading {
        explicit Loading(GridParts& parts) : p(parts), redraw(parts.appearance.redraw) {
            p.appearance.redraw = false;
            p.lifecycle.loading = true;
        }
        ~Loading() {
            p.appearance.redraw = redraw;
            p.lifecycle.loading = false;
            p.lifecycle.dirty = false;
        }
        GridParts& p;
        bool redraw;
    };
    {
        Loading loading(p);
        steps();
    }
    RepaintAll(true);
    if (std::exchange(p.lifecycle.themeChangedWhileLoading, false)) HeaderThemeChanged();
    if (std::exchange(p.lifecycle.settingsChangedWhileLoading, false)) {
        OnSettingChange(sys::SPI_SETNONCLIENTMETRICS);
    }
}

void Vexa::InitProperties() {
    const std::shared_ptr<vexa::Font>& ambientFont = parts_->lifecycle.ambient.font;
    const Variant font(ambientFont ? ambientFont : vexa::Font::Create());
    LoadProperties([&] {
        for (const PersistedProperty& property : PersistedProperties()) {
            ApplyValue(*this, property,
                       property.type == PersistedType::Font ? font : property.defaultValue);
        }
    });
}

void Vexa::ReadProperties(PropertyBag& bag) {
    LoadProperties([&] {
        for (const PersistedProperty& property : PersistedProperties()) {
            Variant value;
            try {
                value = bag.ReadProperty(property.name, property.defaultValue);
            } catch (...) {
                LogSwallowedException("Reading property " + std::string(property.name));
                continue;
            }
            ApplyValue(*this, property, value);
        }
    });
}

void Vexa::WriteProperties(PropertyBag& bag) {
    for (const PersistedProperty& property : PersistedProperties()) {
        try {
            bag.WriteProperty(property.name, property.get(*this), property.defaultValue);
        } catch (...) {
            LogSwallowedException("Writing property " + std::string(property.name));
        }
    }
    parts_->lifecycle.dirty = false;
}

bool Vexa::IsDirty() const {
    return parts_->lifecycle.dirty;
}

void Vexa::PropertyChanged(std::string_view name) {
    Lifecycle& lifecycle = parts_->lifecycle;
    if (!lifecycle.loading && FindPersistedProperty(name) != nullptr) lifecycle.dirty = true;
}

// ---- About ----

void Vexa::ShowAboutBox() {
    const std::string text = std::string("Vexa grid control\nVersion ") + Version() +
                             "\n\nA grid control for Linux desktop programs.";
    sys::MessageBox(hwnd(), text, "About Vexa", sys::MB_OK | sys::MB_ICONINFORMATION);
}

}  // namespace vexa
