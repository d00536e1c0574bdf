#include "vexa/render/PathText.h"

#include "vexa/system/paint/Gdi.h"

namespace vexa {

namespace {

constexpr std::uint32_t kEllipsisBits =
    sys::DT_PATH_ELLIPSIS | sys::DT_END_ELLIPSIS | sys::DT_WORD_ELLIPSIS;

std::int32_t TextWidth(sys::HDC dc, std::string_view text, std::uint32_t flags) {
    sys::RECT rect{0, 0, 0, 0};
    sys::DrawText(dc, text, -1, &rect, (flags & ~kEllipsisBits) | sys::DT_CALCRECT);
    return rect.right - rect.left;
}

}  // namespace

TextToDraw FitPathText(sys::HDC dc, std::string_view text, std::int32_t width,
                       std::uint32_t flags) {
    const bool path = (flags & sys::DT_PATH_ELLIPSIS) != 0 && (flags & sys::DT_SINGLELINE) != 0;
    if (!path) return {std::string(text), flags};
    std::size_t separator = text.rfind('\\');
    if (separator == std::string_view::npos) separator = text.rfind('/');
    if (separator == std::string_view::npos) {
        return {std::string(text), (flags & ~sys::DT_PATH_ELLIPSIS) | sys::DT_WORD_ELLIPSIS};
    }
    if (TextWidth(dc, text, flags) <= width) return {std::string(text), flags};
    const std::string_view tail = text.substr(separator);
    std::string head(text.substr(0, separator));
    sys::RECT room{0, 0, width - TextWidth(dc, tail, flags), 0};
    sys::DrawText(
        dc, head, -1, &room,
        (flags & ~kEllipsisBits) | sys::DT_CALCRECT | sys::DT_END_ELLIPSIS | sys::DT_MODIFYSTRING);
    // The shortened part ends at its first NUL, as a modified text buffer would.
    if (const std::size_t nul = head.find('\0'); nul != std::string::npos) head.resize(nul);
    return {head.append(tail), flags};
}

}  // namespace vexa
