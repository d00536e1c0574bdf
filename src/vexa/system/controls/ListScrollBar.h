// The vertical scroll bar of the drop-down list: its layout, what lies under a point, and its
// drawing. The list keeps the bar's state itself and draws it in its non-client area through
// DrawListScrollBar, the one place to change should the list move to the window scroll bars.
#pragma once

#include "vexa/system/paint/GdiTypes.h"
#include "vexa/system/window/WindowTypes.h"

namespace vexa::sys {

// The list scrolls by whole items: the position is the index of the top item.
struct ListScrollInfo {
    int position = 0;     // the top item
    int maxPosition = 0;  // the highest top item (the last page starts there)
    int page = 1;         // items shown whole at once
    int count = 0;        // items in all
};

enum class ListScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct ListScrollLayout {
    RECT lineUp;    // the arrow button at the top
    RECT lineDown;  // the arrow button at the bottom
    RECT track;     // between the arrows
    RECT thumb;     // inside the track; empty when there is nothing to scroll or no room
};

ListScrollLayout LayoutListScrollBar(const RECT& bar, const ListScrollInfo& info);
ListScrollPart ListScrollPartAt(const RECT& bar, const ListScrollInfo& info, POINT point);
// The position that puts the thumb's top edge at thumbTop.
int ListScrollPositionForThumb(const RECT& bar, const ListScrollInfo& info, int thumbTop);
// `pressed` is drawn pushed; `themed` chooses the flat look over the classic raised one.
void DrawListScrollBar(HDC hdc, const RECT& bar, const ListScrollInfo& info, ListScrollPart pressed,
                       bool themed);

}  // namespace vexa::sys
