// A realised font: its LOGFONT, the Pango description it maps to, and its metrics.
#pragma once

#include <pango/pango.h>

#include <cstdint>
#include <string>

#include "vexa/system/paint/GdiTypes.h"

namespace vexa::sys {

class GdiFont {
  public:
    GdiFont(const LOGFONT& logFont, PangoContext* context, std::uint64_t id);
    ~GdiFont();
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

    const LOGFONT& Log() const { return log_; }
    const PangoFontDescription* Description() const { return description_; }
    const TEXTMETRIC& Metrics() const { return metrics_; }
    // Fonts with equal LOGFONTs share one GdiFont, so the id also keys measurement caches.
    std::uint64_t Id() const { return id_; }
    bool Underline() const { return log_.lfUnderline; }
    bool StrikeOut() const { return log_.lfStrikeOut; }

    // The key under which equal LOGFONTs are shared.
    static std::string KeyOf(const LOGFONT& logFont);

  private:
    void Realise(PangoContext* context);
    TEXTMETRIC Measure(PangoContext* context) const;

    LOGFONT log_;
    PangoFontDescription* description_ = nullptr;
    TEXTMETRIC metrics_;
    std::uint64_t id_;
};

}  // namespace vexa::sys
