// WM_NOTIFY to the header's parent, asked afresh each time: the parent may change (a header is
// detached with SetParent(header, 0) before it is destroyed, and then tells nobody).
#include "vexa/system/controls/HeaderState.h"
#include "vexa/system/window/Window.h"

namespace vexa::sys::header_detail {

namespace {

NMHDR HeaderOf(HWND hwnd, UINT code) {
    NMHDR header;
    header.hwndFrom = hwnd;
    header.idFrom = std::uintptr_t(GetWindowLongPtr(hwnd, GWLP_ID));
    header.code = code;
    return header;
}

LRESULT Send(HWND hwnd, const NMHDR& header, void* payload) {
    const HWND parent = GetParent(hwnd);
    if (parent == 0) return 0;
    return SendMessage(parent, WM_NOTIFY, WPARAM(header.idFrom), reinterpret_cast<LPARAM>(payload));
}

}  // namespace

LRESULT NotifyParent(HWND hwnd, UINT code) {
    NMHDR header = HeaderOf(hwnd, code);
    return Send(hwnd, header, &header);
}

LRESULT NotifyItem(HWND hwnd, UINT code, int index, HDITEM* item, int button) {
    NMHEADER notification;
    notification.hdr = HeaderOf(hwnd, code);
    notification.iItem = index;
    notification.iButton = button;
    notification.pitem = item;
    return Send(hwnd, notification.hdr, &notification);
}

}  // namespace vexa::sys::header_detail
