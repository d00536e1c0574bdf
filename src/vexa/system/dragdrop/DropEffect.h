/// \file
/// Drop effects and the key state of a drag. The source allows a set of effects, the target
/// chooses one; without a choice of its own the key state decides, as the classic rules do:
/// Ctrl copies, Shift moves, Ctrl+Shift links, no modifier moves when that is allowed (else
/// copies, else links). The scroll bit some programs add is ignored.
#pragma once

#include <cstdint>

#include "vexa/system/window/WindowTypes.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// What a drop does with the data: copy, move or link it, or nothing; Scroll is added while the
/// target scrolls.
enum DropEffect : std::int32_t {
    vxDropEffectNone = 0,
    vxDropEffectCopy = 1,
    vxDropEffectMove = 2,
    vxDropEffectLink = 4,
    vxDropEffectScroll = std::int32_t(0x80000000u),
};

/// Whether a control window is a drop target.
enum OLEDropMode : std::int16_t {
    vxOLEDropNone = 0,    ///< no drop-target notifications at all
    vxOLEDropManual = 1,  ///< the control's owner is told and decides
};

/// Where a drag is in its passage over a drop target (the State of a drag-over notification).
enum DragOverState : std::int16_t {
    vxDragEnter = 0,
    vxDragLeave = 1,
    vxDragOver = 2,
};

}  // namespace vexa

namespace vexa::sys {

/**@{*/
/// The drop effects as the platform's drag and drop numbers them.
constexpr DWORD DROPEFFECT_NONE = 0;
constexpr DWORD DROPEFFECT_COPY = 1;
constexpr DWORD DROPEFFECT_MOVE = 2;
constexpr DWORD DROPEFFECT_LINK = 4;
constexpr DWORD DROPEFFECT_SCROLL = 0x80000000u;
/**@}*/
/// The effects proper, without the scroll bit.
constexpr DWORD kDropEffectsMask = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

/// Key-state bits of a drag: MK_LBUTTON, MK_RBUTTON, MK_SHIFT, MK_CONTROL, MK_MBUTTON
/// (Messages.h) and this one.
constexpr DWORD MK_ALT = 0x0020;

/// The key state now, from the window system's keys and buttons.
DWORD DragKeyState();
/// The effect the key state asks for among the allowed ones (none when the modifiers ask for
/// one that is not allowed).
DWORD DefaultDropEffect(DWORD keyState, DWORD allowed);
/// One effect from what a target answered: only allowed effects count, and when several are
/// left the key state picks among them.
DWORD ResolveDropEffect(DWORD keyState, DWORD allowed, DWORD answered);
/// The cursor shown for an effect with the default cursors.
HCURSOR DragCursorFor(DWORD effect);

}  // namespace vexa::sys

VEXA_PUBLIC_END
