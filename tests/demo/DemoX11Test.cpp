// The demo program on a real X server, driven with xdotool as a user drives it: a title
// clicked to sort, a cell edited, a product found by typing, pages scrolled. The program's
// status line (also written to a log) and the screen's pixels show what happened.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The demo's banner colour, where the form's client area begins.
constexpr unsigned long kBanner = 0x2060A0;

class DemoProgram {
  public:
    explicit DemoProgram(const fs::path& folder) : log_(folder / "status.log") {
        const std::string settings = (folder / "settings.properties").string();
        const std::string log = log_.string();
        const char* argv[] = {VEXA_DEMO_PROGRAM, "--settings", settings.c_str(),
                              "--status-log",    log.c_str(),  nullptr};
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
            pid_ = 0;
        }
    }
    ~DemoProgram() {
        if (pid_ == 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    bool Running() const { return pid_ != 0; }
    std::vector<std::string> StatusLines() const {
        std::vector<std::string> lines;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

  private:
    fs::path log_;
    pid_t pid_ = 0;
};

class DemoX11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
        x_ = XOpenDisplay(nullptr);
        if (x_ == nullptr) GTEST_SKIP() << "no X server";
        folder_ = fs::temp_directory_path() / ("vexa-demo-test-" + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::system("xdotool keyup shift ctrl alt >/dev/null 2>&1");
        if (x_ != nullptr) XCloseDisplay(x_);
        std::error_code error;
        if (!folder_.empty()) fs::remove_all(folder_, error);
    }

    // Waits up to about 10 seconds for `done`, polling every 50 ms.
    static bool WaitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 200; ++i) {
            if (done()) return true;
            usleep(50'000);
        }
        return done();
    }
    // The screen's pixels in a rectangle, 0xRRGGBB each.
    std::vector<unsigned long> Pixels(int x, int y, int width, int height) {
        std::vector<unsigned long> pixels;
        XImage* image = XGetImage(x_, DefaultRootWindow(x_), x, y, unsigned(width),
                                  unsigned(height), AllPlanes, ZPixmap);
        if (image == nullptr) return pixels;
        for (int row = 0; row < height; ++row) {
            for (int col = 0; col < width; ++col)
                pixels.push_back(XGetPixel(image, col, row) & 0xFFFFFF);
        }
        XDestroyImage(image);
        return pixels;
    }
    // The top-left of the first banner-coloured pixel on the screen: the form's client origin.
    bool FindForm() {
        const int width = DisplayWidth(x_, DefaultScreen(x_));
        const int height = std::min(DisplayHeight(x_, DefaultScreen(x_)), 400);
        const std::vector<unsigned long> screen = Pixels(0, 0, width, height);
        for (std::size_t i = 0; i < screen.size(); ++i) {
            if (screen[i] == kBanner) {
                origin_ = {int(i % std::size_t(width)), int(i / std::size_t(width))};
                return true;
            }
        }
        return false;
    }
    static void Xdotool(const std::string& arguments) {
        ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
    }
    void ClickAt(int x, int y) {
        Xdotool("mousemove " + std::to_string(origin_.x + x) + " " + std::to_string(origin_.y + y) +
                " click 1");
    }
    // The grid's area as the user sees it.
    std::vector<unsigned long> Grid() { return Pixels(origin_.x + 12, origin_.y + 56, 500, 300); }
    // Waits for a status line containing `text` after the first `skip` lines.
    bool StatusSays(const DemoProgram& demo, const std::string& text, std::size_t skip = 0) {
        return WaitFor([&] {
            const std::vector<std::string> lines = demo.StatusLines();
            for (std::size_t i = skip; i < lines.size(); ++i) {
                if (lines[i].find(text) != std::string::npos) return true;
            }
            return false;
        });
    }
    // Every status line so far, for a failure's message.
    static std::string Heard(const DemoProgram& demo) {
        std::string heard;
        for (const std::string& line : demo.StatusLines()) heard += "\n  " + line;
        return heard;
    }

    ::Display* x_ = nullptr;
    fs::path folder_;
    struct {
        int x = 0, y = 0;
    } origin_;
};

TEST_F(DemoX11Test, ASortAnEditAKeySearchAndScrollingAsAUserDoesThem) {
    DemoProgram demo(folder_);
    ASSERT_TRUE(demo.Running());
    ASSERT_TRUE(WaitFor([&] { return !demo.StatusLines().empty() && FindForm(); }))
        << "the demo's window never showed";
    ASSERT_TRUE(WaitFor([&] { return Grid() == Grid(); }));
    const std::vector<unsigned long> first = Grid();

    // The Price title: after the Id, Product and Category columns (44, 170 and 110 wide).
    ClickAt(12 + 44 + 170 + 110 + 40, 66);
    EXPECT_TRUE(StatusSays(demo, "Sorted by Price up")) << Heard(demo);
    const std::vector<unsigned long> sorted = Grid();
    EXPECT_NE(sorted, first) << "the rows did not move";

    // A click on a product name (the third row shown) makes it the current cell; edit it there.
    const std::size_t beforeClick = demo.StatusLines().size();
    ClickAt(12 + 44 + 100, 56 + 18 + 2 * 20 + 10);
    EXPECT_TRUE(StatusSays(demo, ", Product: ", beforeClick)) << Heard(demo);
    Xdotool("key --delay 40 F2 Home shift+End type --delay 20 Edited");
    Xdotool("key Return");
    EXPECT_TRUE(StatusSays(demo, "Product is now Edited")) << Heard(demo);

    Xdotool("type --delay 40 Heavy");
    EXPECT_TRUE(StatusSays(demo, "Product: Heavy")) << Heard(demo);

    Xdotool("key --delay 40 Next Next Next");
    EXPECT_TRUE(WaitFor([&] {
        const std::vector<std::string> lines = demo.StatusLines();
        return !lines.empty() && lines.back().rfind("Row ", 0) == 0 &&
               std::atoi(lines.back().c_str() + 4) > 30;
    })) << Heard(demo);
    EXPECT_NE(Grid(), sorted) << "the grid did not scroll";
}

}  // namespace
