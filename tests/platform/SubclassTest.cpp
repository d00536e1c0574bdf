// Per-message subclassing: client order, the three response modes, detaching, the
// bookkeeping properties and the errors.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vexa/platform/GSubclass.h"
#include "vexa/system/automation/Error.h"
#include "vexa/system/window/Window.h"

namespace vexa {
namespace {

using namespace vexa::sys;

std::vector<std::string>& Trace() {
    static std::vector<std::string> trace;
    return trace;
}

LRESULT OriginalProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_USER) {
        Trace().push_back("original");
        return 100;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class Client : public ISubclass {
  public:
    Client(std::string name, EMsgResponse response, LRESULT result)
        : name_(std::move(name)), response_(response), result_(result) {}

    EMsgResponse MsgResponse() override {
        ++responsesAsked;
        return response_;
    }
    void SetMsgResponse(EMsgResponse response) override { response_ = response; }
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        Trace().push_back(name_);
        seenCurrent = CurrentMessage();
        seenWindow = hwnd;
        const LRESULT result = result_;
        if (callOld) return CallOldWindowProc(hwnd, msg, wParam, lParam) + 1;
        // Last, as the action may detach or even destroy this client.
        if (onMessage) {
            auto action = onMessage;
            action();
        }
        return result;
    }

    UINT seenCurrent = 0;
    HWND seenWindow = 0;
    int responsesAsked = 0;
    bool callOld = false;
    std::function<void()> onMessage;

  private:
    std::string name_;
    EMsgResponse response_;
    LRESULT result_;
};

constexpr UINT kMsg = WM_USER + 10;
constexpr const char* kSource = "Vexa250_75B4A91C.WindowProc";

class SubclassTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASS cls;
        cls.lpfnWndProc = &OriginalProc;
        cls.lpszClassName = "VexaSubclassTest";
        RegisterClass(cls);
        hwnd = CreateWindowEx(0, "VexaSubclassTest", "", WS_POPUP, 0, 0, 10, 10);
        Trace().clear();
    }
    void TearDown() override { DestroyWindow(hwnd); }

    LPARAM Proc() const { return GetWindowLongPtr(hwnd, GWLP_WNDPROC); }
    std::intptr_t Prop(const std::string& suffixed) const { return GetProp(hwnd, suffixed); }
    std::string H() const { return std::to_string(hwnd); }

    static std::int32_t NumberOf(const std::function<void()>& call, std::string* message) {
        try {
            call();
        } catch (const Error& e) {
            if (message != nullptr) *message = e.Description();
            EXPECT_EQ(e.Source(), kSource);
            return e.Number();
        }
        return 0;
    }

    HWND hwnd = 0;
};

TEST_F(SubclassTest, ConsumeSkipsThePreviousProcedure) {
    Client a("a", emrConsume, 7);
    AttachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(SendMessage(hwnd, kMsg), 7);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(a.seenCurrent, kMsg);
    EXPECT_EQ(CurrentMessage(), 0u);  // nothing is dispatched any more
    DetachMessage(&a, hwnd, kMsg);
}

TEST_F(SubclassTest, PreprocessRunsThePreviousProcedureFirstAndReturnsTheClientsResult) {
    Client a("a", emrPreprocess, 7);
    AttachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(SendMessage(hwnd, kMsg), 7);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"original", "a"}));
    DetachMessage(&a, hwnd, kMsg);
}

TEST_F(SubclassTest, PostProcessRunsThePreviousProcedureLastAndReturnsItsResult) {
    Client a("a", emrPostProcess, 7);
    AttachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(SendMessage(hwnd, kMsg), 100);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"a", "original"}));
    DetachMessage(&a, hwnd, kMsg);
}

TEST_F(SubclassTest, TheFirstClientDecidesPreprocessingAndTheLastPostProcessing) {
    Client first("first", emrPreprocess, 1);
    Client middle("middle", emrPostProcess, 2);
    Client last("last", emrPostProcess, 3);
    AttachMessage(&first, hwnd, kMsg);
    AttachMessage(&middle, hwnd, kMsg);
    AttachMessage(&last, hwnd, kMsg);
    // The previous procedure ran first already, so the last client's result stands.
    EXPECT_EQ(SendMessage(hwnd, kMsg), 3);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"original", "first", "middle", "last"}));

    Trace().clear();
    first.SetMsgResponse(emrConsume);
    EXPECT_EQ(SendMessage(hwnd, kMsg), 100);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"first", "middle", "last", "original"}));
    DetachMessage(&first, hwnd, kMsg);
    DetachMessage(&middle, hwnd, kMsg);
    DetachMessage(&last, hwnd, kMsg);
}

TEST_F(SubclassTest, ConsumingClientsCallThePreviousProcedureThemselves) {
    Client a("a", emrConsume, 0);
    a.callOld = true;
    AttachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(SendMessage(hwnd, kMsg), 101);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"a", "original"}));
    DetachMessage(&a, hwnd, kMsg);
}

TEST_F(SubclassTest, OtherMessagesGoStraightToThePreviousProcedure) {
    Client a("a", emrConsume, 7);
    AttachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(SendMessage(hwnd, kMsg + 1), 100);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"original"}));
    DetachMessage(&a, hwnd, kMsg);
}

TEST_F(SubclassTest, TwoMessagesReplaceTheProcedureOnceAndDetachingBothRestoresIt) {
    const LPARAM original = Proc();
    Client a("a", emrConsume, 7);
    AttachMessage(&a, hwnd, kMsg);
    const LPARAM dispatching = Proc();
    EXPECT_NE(dispatching, original);
    AttachMessage(&a, hwnd, kMsg + 1);
    EXPECT_EQ(Proc(), dispatching);
    EXPECT_EQ(Prop(H()), original);
    EXPECT_EQ(Prop(H() + "C"), 2);
    EXPECT_EQ(Prop("C" + std::to_string(kMsg) + "#" + H()), 1);
    EXPECT_EQ(Prop("1#" + std::to_string(kMsg) + "#" + H()), reinterpret_cast<std::intptr_t>(&a));
    DetachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(Proc(), dispatching);
    DetachMessage(&a, hwnd, kMsg + 1);
    EXPECT_EQ(Proc(), original);
    EXPECT_EQ(Prop(H()), 0);
    EXPECT_EQ(Prop(H() + "C"), 0);
    EXPECT_EQ(SendMessage(hwnd, kMsg), 100);
}

TEST_F(SubclassTest, DetachingMovesLaterClientsDown) {
    Client a("a", emrConsume, 1);
    Client b("b", emrConsume, 2);
    Client c("c", emrConsume, 3);
    AttachMessage(&a, hwnd, kMsg);
    AttachMessage(&b, hwnd, kMsg);
    AttachMessage(&c, hwnd, kMsg);
    DetachMessage(&a, hwnd, kMsg);
    const std::string m = std::to_string(kMsg);
    EXPECT_EQ(Prop("C" + m + "#" + H()), 2);
    EXPECT_EQ(Prop("1#" + m + "#" + H()), reinterpret_cast<std::intptr_t>(&b));
    EXPECT_EQ(Prop("2#" + m + "#" + H()), reinterpret_cast<std::intptr_t>(&c));
    EXPECT_EQ(Prop("3#" + m + "#" + H()), 0);
    Trace().clear();
    SendMessage(hwnd, kMsg);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"b", "c"}));
    // A client that is not registered changes nothing, not even the window's count.
    DetachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(Prop(H() + "C"), 2);
    DetachMessage(&b, hwnd, kMsg);
    DetachMessage(&c, hwnd, kMsg);
    EXPECT_EQ(Prop(H() + "C"), 0);
}

TEST_F(SubclassTest, TheSameClientTwiceForOneMessageIsRefusedWithoutSideEffects) {
    const LPARAM original = Proc();
    Client a("a", emrConsume, 1);
    AttachMessage(&a, hwnd, kMsg);
    std::string message;
    EXPECT_EQ(NumberOf([&] { AttachMessage(&a, hwnd, kMsg); }, &message),
              std::int32_t(0x80040000u + 13082));
    EXPECT_EQ(message, "Message already handled by another class");
    EXPECT_EQ(Prop(H() + "C"), 1);
    DetachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(Proc(), original);
}

TEST_F(SubclassTest, InvalidAndForeignWindowsAreRefused) {
    Client a("a", emrConsume, 1);
    HWND gone = CreateWindowEx(0, "VexaSubclassTest", "", WS_POPUP, 0, 0, 10, 10);
    DestroyWindow(gone);
    std::string message;
    EXPECT_EQ(NumberOf([&] { AttachMessage(&a, gone, kMsg); }, &message),
              std::int32_t(0x80040000u + 13083));
    EXPECT_EQ(message, "Invalid window");
    EXPECT_EQ(NumberOf([&] { AttachMessage(&a, 0, kMsg); }, nullptr),
              std::int32_t(0x80040000u + 13083));

    // The desktop is a window, but not one of this process.
    EXPECT_EQ(NumberOf([&] { AttachMessage(&a, GetDesktopWindow(), kMsg); }, &message),
              std::int32_t(0x80040000u + 13084));

    HWND foreign = CreateWindowEx(0, "VexaSubclassTest", "", WS_POPUP, 0, 0, 10, 10);
    SetWindowProcessForTesting(foreign, GetCurrentProcessId() + 1);
    EXPECT_EQ(NumberOf([&] { AttachMessage(&a, foreign, kMsg); }, &message),
              std::int32_t(0x80040000u + 13084));
    EXPECT_EQ(message, "Can't modify external window");
    EXPECT_EQ(GetProp(foreign, std::to_string(foreign) + "C"), 0);
    DestroyWindow(foreign);
    DetachMessage(&a, gone, kMsg);  // harmless
}

TEST_F(SubclassTest, AWindowBeingTornDownCannotBeSubclassed) {
    static Client* client = nullptr;
    static std::int32_t number = 0;
    static std::string message;
    Client a("a", emrConsume, 1);
    client = &a;
    WNDCLASS cls;
    cls.lpszClassName = "VexaSubclassTeardown";
    cls.lpfnWndProc = [](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
        if (msg == WM_NCDESTROY) {
            number = NumberOf([h] { AttachMessage(client, h, kMsg); }, &message);
        }
        return DefWindowProc(h, msg, w, l);
    };
    RegisterClass(cls);
    HWND dying = CreateWindowEx(0, "VexaSubclassTeardown", "", WS_POPUP, 0, 0, 10, 10);
    DestroyWindow(dying);
    EXPECT_EQ(number, std::int32_t(0x80040000u + 13081));
    EXPECT_EQ(message, "Can't subclass window");
}

TEST_F(SubclassTest, NestedMessagesRestoreTheCurrentMessage) {
    class Nesting : public ISubclass {
      public:
        EMsgResponse MsgResponse() override { return emrConsume; }
        LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM, LPARAM) override {
            if (msg == kMsg) {
                SendMessage(hwnd, kMsg + 1);
                afterNested = CurrentMessage();
            }
            return 0;
        }
        UINT afterNested = 0;
    } client;
    AttachMessage(&client, hwnd, kMsg);
    AttachMessage(&client, hwnd, kMsg + 1);
    SendMessage(hwnd, kMsg);
    EXPECT_EQ(client.afterNested, kMsg);
    DetachMessage(&client, hwnd, kMsg);
    DetachMessage(&client, hwnd, kMsg + 1);
}

TEST_F(SubclassTest, TheFrontObjectOffersTheSameOperations) {
    GSubclass subclass;
    Client a("a", emrPostProcess, 5);
    subclass.AttachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(SendMessage(hwnd, kMsg), 100);
    EXPECT_EQ(a.seenCurrent, kMsg);
    EXPECT_EQ(subclass.CallOldWindowProc(hwnd, kMsg, 0, 0), 100);  // outside a dispatch
    subclass.DetachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(subclass.CurrentMessage(), 0u);
}

TEST_F(SubclassTest, ClientsDetachedDuringDispatchKeepTheOthersInTurn) {
    Client a("a", emrConsume, 1);
    Client b("b", emrConsume, 2);
    Client c("c", emrConsume, 3);
    AttachMessage(&a, hwnd, kMsg);
    AttachMessage(&b, hwnd, kMsg);
    AttachMessage(&c, hwnd, kMsg);

    // The first client leaves while handling: the others still get the message, once each,
    // and nobody asked for the window's own procedure.
    a.onMessage = [&] { DetachMessage(&a, hwnd, kMsg); };
    EXPECT_EQ(SendMessage(hwnd, kMsg), 3);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"a", "b", "c"}));

    // A client detached by an earlier one before its turn is not called any more.
    Trace().clear();
    b.onMessage = [&] { DetachMessage(&c, hwnd, kMsg); };
    EXPECT_EQ(SendMessage(hwnd, kMsg), 2);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"b"}));
    EXPECT_EQ(Prop(H() + "C"), 1);

    // A client attached during the dispatch joins from the next message on.
    Trace().clear();
    b.onMessage = [&] { AttachMessage(&a, hwnd, kMsg); };
    EXPECT_EQ(SendMessage(hwnd, kMsg), 2);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"b"}));
    b.onMessage = nullptr;
    Trace().clear();
    EXPECT_EQ(SendMessage(hwnd, kMsg), 1);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"b", "a"}));
    DetachMessage(&a, hwnd, kMsg);
    DetachMessage(&b, hwnd, kMsg);
    EXPECT_EQ(Prop(H() + "C"), 0);
}

TEST_F(SubclassTest, ALastClientThatDetachesAndDiesWhileHandlingKeepsItsPostProcessing) {
    const LPARAM original = Proc();
    auto owned = std::make_unique<Client>("a", emrPostProcess, 7);
    Client* a = owned.get();
    AttachMessage(a, hwnd, kMsg);
    a->onMessage = [&] {
        DetachMessage(owned.get(), hwnd, kMsg);
        owned.reset();
    };
    // It asked for post-processing when the message came in; the window's own procedure
    // runs after it and its result is returned.
    EXPECT_EQ(SendMessage(hwnd, kMsg), 100);
    EXPECT_EQ(owned, nullptr);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"a", "original"}));
    EXPECT_EQ(Proc(), original);
}

TEST_F(SubclassTest, ADestroyedWindowStopsTheDispatch) {
    Client a("a", emrPostProcess, 7);
    Client b("b", emrPostProcess, 8);
    AttachMessage(&a, hwnd, kMsg);
    AttachMessage(&b, hwnd, kMsg);
    a.onMessage = [&] { DestroyWindow(hwnd); };
    // Neither the second client nor the window's procedure hears of a window that is gone.
    EXPECT_EQ(SendMessage(hwnd, kMsg), 7);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"a"}));
    EXPECT_FALSE(IsWindow(hwnd));
    // The clients' later detaching is harmless, and the handle cannot be subclassed again.
    DetachMessage(&a, hwnd, kMsg);
    DetachMessage(&b, hwnd, kMsg);
    EXPECT_EQ(NumberOf([&] { AttachMessage(&a, hwnd, kMsg); }, nullptr),
              std::int32_t(0x80040000u + 13083));
}

TEST_F(SubclassTest, AWindowDestroyedWhileSubclassedLeavesNothingBehind) {
    Client a("a", emrPostProcess, 0);
    Client watcher("watcher", emrPreprocess, 0);
    AttachMessage(&a, hwnd, kMsg);
    AttachMessage(&watcher, hwnd, WM_DESTROY);
    AttachMessage(&watcher, hwnd, WM_NCDESTROY);
    // The watcher lets go as the window ends; messages the window still gets in its last
    // moments reach its own procedure.
    LRESULT lateAnswer = 0;
    watcher.onMessage = [&] {
        if (watcher.seenCurrent != WM_NCDESTROY) return;
        DetachMessage(&watcher, hwnd, WM_DESTROY);
        DetachMessage(&watcher, hwnd, WM_NCDESTROY);
        DetachMessage(&a, hwnd, kMsg);
        lateAnswer = SendMessage(hwnd, kMsg + 1);
    };
    const HWND gone = hwnd;
    DestroyWindow(hwnd);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"watcher", "watcher", "original"}));
    EXPECT_EQ(lateAnswer, 100);
    EXPECT_EQ(watcher.seenWindow, gone);
    EXPECT_EQ(GetWindowLongPtr(gone, GWLP_WNDPROC), 0);

    // A new window starts clean: no bookkeeping carried over from the old handle.
    hwnd = CreateWindowEx(0, "VexaSubclassTest", "", WS_POPUP, 0, 0, 10, 10);
    ASSERT_NE(hwnd, gone);
    const LPARAM original = Proc();
    AttachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(Prop(H() + "C"), 1);
    Trace().clear();
    EXPECT_EQ(SendMessage(hwnd, kMsg), 100);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"a", "original"}));
    DetachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(Proc(), original);
}

TEST_F(SubclassTest, OneClientOnSeveralWindowsIsKeptApartPerWindow) {
    HWND other = CreateWindowEx(0, "VexaSubclassTest", "", WS_POPUP, 0, 0, 10, 10);
    const LPARAM original = Proc();
    Client a("a", emrConsume, 7);
    Client b("b", emrConsume, 8);
    AttachMessage(&a, hwnd, kMsg);
    AttachMessage(&a, other, kMsg);
    AttachMessage(&b, other, kMsg);
    EXPECT_EQ(Prop(H() + "C"), 1);
    EXPECT_EQ(GetProp(other, std::to_string(other) + "C"), 2);

    EXPECT_EQ(SendMessage(other, kMsg), 8);
    EXPECT_EQ(a.seenWindow, other);
    EXPECT_EQ(SendMessage(hwnd, kMsg), 7);
    EXPECT_EQ(a.seenWindow, hwnd);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"a", "b", "a"}));

    // Leaving one window restores only that one.
    DetachMessage(&a, hwnd, kMsg);
    EXPECT_EQ(Proc(), original);
    EXPECT_NE(GetWindowLongPtr(other, GWLP_WNDPROC), original);
    Trace().clear();
    EXPECT_EQ(SendMessage(hwnd, kMsg), 100);
    EXPECT_EQ(SendMessage(other, kMsg), 8);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"original", "a", "b"}));
    DetachMessage(&a, other, kMsg);
    DetachMessage(&b, other, kMsg);
    EXPECT_EQ(GetWindowLongPtr(other, GWLP_WNDPROC), original);
    DestroyWindow(other);
}

}  // namespace
}  // namespace vexa
