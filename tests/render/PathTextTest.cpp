// Paths too wide for their cell keep their last part and lose the middle to an ellipsis.
#include <gtest/gtest.h>

#include "vexa/render/PathText.h"
#include "vexa/system/paint/Gdi.h"

namespace vexa {
namespace {

using namespace sys;

constexpr std::uint32_t kPath = DT_SINGLELINE | DT_PATH_ELLIPSIS;

struct Measuring {
    HDC dc = CreateCompatibleDC(0);
    ~Measuring() { DeleteDC(dc); }
    int Width(const std::string& text) const {
        RECT r{0, 0, 0, 0};
        DrawText(dc, text, -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        return r.right;
    }
};

TEST(PathText, TextsThatFitOrAreNoSingleLinePathsAreLeftAlone) {
    const Measuring m;
    const std::string path = "C:\\Program Files\\Vexa\\setup.exe";
    for (std::uint32_t flags : {kPath, std::uint32_t(DT_PATH_ELLIPSIS), DT_SINGLELINE}) {
        const int width = flags == kPath ? m.Width(path) : 10;
        const TextToDraw fitted = FitPathText(m.dc, path, width, flags);
        EXPECT_EQ(fitted.text, path) << flags;
        EXPECT_EQ(fitted.flags, flags);
    }
}

TEST(PathText, WithoutASeparatorTheWordEllipsisTakesOver) {
    const Measuring m;
    const TextToDraw fitted = FitPathText(m.dc, "no separator here", 20, kPath | DT_VCENTER);
    EXPECT_EQ(fitted.text, "no separator here");
    EXPECT_EQ(fitted.flags, DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_VCENTER);
}

TEST(PathText, TheLastPartStaysWholeAndWhatComesBeforeItIsCut) {
    const Measuring m;
    struct Case {
        std::string text;
        std::string tail;
    };
    for (const Case& c : {Case{"C:\\Program Files\\Vexa\\setup.exe", "\\setup.exe"},
                          Case{"/usr/share/doc/vexa/readme.txt", "/readme.txt"},
                          // A backslash wins over a slash after it.
                          Case{"C:\\mixed/paths\\last/part.txt", "\\last/part.txt"}}) {
        SCOPED_TRACE(c.text);
        const int width = m.Width(c.tail) + m.Width("C:...");
        const TextToDraw fitted = FitPathText(m.dc, c.text, width, kPath);
        ASSERT_GT(fitted.text.size(), c.tail.size() + 3);
        EXPECT_EQ(fitted.text.substr(fitted.text.size() - c.tail.size()), c.tail);
        const std::string head = fitted.text.substr(0, fitted.text.size() - c.tail.size() - 3);
        EXPECT_EQ(fitted.text.substr(head.size(), 3), "...");
        EXPECT_EQ(c.text.compare(0, head.size(), head), 0) << "the head is the path's start";
        EXPECT_LE(m.Width(fitted.text), width);
    }
    // A last part wider than the cell leaves only the ellipsis before it.
    const TextToDraw narrow = FitPathText(m.dc, "C:\\dir\\averyveryverylongname.txt", 30, kPath);
    EXPECT_EQ(narrow.text, "...\\averyveryverylongname.txt");
}

}  // namespace
}  // namespace vexa
