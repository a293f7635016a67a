// Replacing the procedure of a window that is not ours: messages reach the owner and go on to the replaced
// procedure, detaching restores the chain or, under someone else's subclass, leaves a forwarder, and a
// window's last message clears its entry.
#include "platform/win/subclass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

std::vector<UINT> g_original;  // messages the window's own procedure saw

LRESULT CALLBACK OriginalProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    g_original.push_back(msg);
    if (msg == WM_USER + 1) return 41;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

struct Recorder {
    HWND hwnd = nullptr;
    std::vector<UINT> seen;
    bool swallow = false;
    void Handle(TMessage& m);
};
using Role = Subclass<Recorder, &Recorder::Handle>;

void Recorder::Handle(TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_USER + 2) throw std::runtime_error("painting failed");
    if (swallow && m.Msg == WM_USER + 1) {
        m.Result = 7;
        return;
    }
    m.Result = Role::CallPrevious(hwnd, m);
}

// A second role on the same window.
struct Other {
    HWND hwnd = nullptr;
    int calls = 0;
    void Handle(TMessage& m) {
        ++calls;
        m.Result = Subclass<Other, &Other::Handle>::CallPrevious(hwnd, m) + 100;
    }
};
using OtherRole = Subclass<Other, &Other::Handle>;

class SubclassTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OriginalProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TvSubclassTest";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, L"TvSubclassTest", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                wc.hInstance, nullptr);
        ASSERT_NE(hwnd_, nullptr);
        g_original.clear();
    }
    void TearDown() override {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
        UnregisterClassW(L"TvSubclassTest", GetModuleHandleW(nullptr));
    }
    WNDPROC Current() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)); }
    HWND hwnd_ = nullptr;
};

TEST_F(SubclassTest, OwnerSeesMessagesFirstAndDetachRestoresTheProcedure) {
    Recorder r;
    r.hwnd = hwnd_;
    EXPECT_EQ(Role::Attach(hwnd_, &r), &OriginalProc);
    EXPECT_EQ(Role::Attach(hwnd_, &r), nullptr);  // one owner per role and window
    EXPECT_EQ(Role::OwnerOf(hwnd_), &r);
    EXPECT_TRUE(Role::OnTop(hwnd_));

    EXPECT_EQ(SendMessageW(hwnd_, WM_USER + 1, 0, 0), 41);  // passed on, the result comes back
    r.swallow = true;
    EXPECT_EQ(SendMessageW(hwnd_, WM_USER + 1, 0, 0), 7);  // swallowed: the window never sees it
    EXPECT_EQ(std::count(g_original.begin(), g_original.end(), WM_USER + 1), 1);
    // A failing handler answers 0 and nothing unwinds through the system.
    EXPECT_EQ(SendMessageW(hwnd_, WM_USER + 2, 0, 0), 0);

    Role::Detach(hwnd_);
    EXPECT_EQ(Current(), &OriginalProc);
    EXPECT_EQ(Role::OwnerOf(hwnd_), nullptr);
    r.seen.clear();
    EXPECT_EQ(SendMessageW(hwnd_, WM_USER + 1, 0, 0), 41);
    EXPECT_TRUE(r.seen.empty());
    Role::Detach(hwnd_);  // a second detach does nothing
    EXPECT_EQ(Current(), &OriginalProc);
}

TEST_F(SubclassTest, TwoRolesChainAndDetachingUnderAnotherSubclassLeavesAForwarder) {
    Recorder r;
    r.hwnd = hwnd_;
    Other o;
    o.hwnd = hwnd_;
    Role::Attach(hwnd_, &r);
    EXPECT_EQ(OtherRole::Attach(hwnd_, &o), Role::Proc());
    EXPECT_EQ(SendMessageW(hwnd_, WM_USER + 1, 0, 0), 141);  // Other, then Recorder, then the window
    EXPECT_EQ(o.calls, 1);
    EXPECT_EQ(std::count(r.seen.begin(), r.seen.end(), WM_USER + 1), 1);

    // The lower role goes while the upper one stays: its procedure stays in the chain and only forwards.
    Role::Detach(hwnd_);
    EXPECT_EQ(Role::OwnerOf(hwnd_), nullptr);
    r.seen.clear();
    EXPECT_EQ(SendMessageW(hwnd_, WM_USER + 1, 0, 0), 141);
    EXPECT_TRUE(r.seen.empty());

    // Then the upper one: the chain ends at the forwarder, which still reaches the window.
    OtherRole::Detach(hwnd_);
    EXPECT_EQ(Current(), Role::Proc());
    EXPECT_EQ(SendMessageW(hwnd_, WM_USER + 1, 0, 0), 41);
}

TEST_F(SubclassTest, TheLastMessageReachesTheOwnerAndClearsTheEntry) {
    Recorder r;
    r.hwnd = hwnd_;
    Role::Attach(hwnd_, &r);
    DestroyWindow(hwnd_);
    ASSERT_FALSE(r.seen.empty());
    EXPECT_EQ(r.seen.back(), UINT(WM_NCDESTROY));
    EXPECT_EQ(g_original.back(), UINT(WM_NCDESTROY));  // passed on to the window's own procedure too
    EXPECT_EQ(Role::OwnerOf(hwnd_), nullptr);          // the handle may be reused now

    // A new window that happens to get the old handle starts without an owner.
    Recorder again{};
    hwnd_ = CreateWindowExW(0, L"TvSubclassTest", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(Role::OwnerOf(hwnd_), nullptr);
    again.hwnd = hwnd_;
    EXPECT_EQ(Role::Attach(hwnd_, &again), &OriginalProc);
    Role::Detach(hwnd_);
}

}  // namespace
