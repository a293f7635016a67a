// Skinning ending, on real windows under Wine: menu items get their own handlers back, a window of another
// thread is let go on its thread, a failure while a skinner is made leaves the window plain, and framework
// MDI children are skinned and released as framework forms.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/stream.h"
#include "platform/win/forms.h"
#include "platform/win/menus.h"
#include "platform/win/std_controls.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/manager/skin_decision.h"
#include "skin/manager/win/skin_manage.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

bool IsSkinned(HWND h) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(h, SM_ISSKINNED, 0, 0, SMTO_NORMAL, 3000, &answer);
    return answer == 1;
}

constexpr int kWaitMs = 5000;  // deferred actions run 250 ms later; a loaded machine is slower

class SkinReleaseTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClass(L"TvReleaseTest"); }
    void SetUp() override {
        UseSkinManager();
        TMemoryStream s(testskin::ProgramPackage());
        skin = std::make_unique<TSkinData>(nullptr);
        skin->LoadFromStream(s);
        ASSERT_FALSE(skin->Empty);
        skin->SetActive(true);
        manager = PrimarySkinManager();
        ASSERT_NE(manager, nullptr);
    }
    void TearDown() override {
        FreeSkinManager();
        skin.reset();
        SetSkinManagerFactory(nullptr);
    }
    void SetControls(std::initializer_list<TSkinControlType> add,
                     std::initializer_list<TSkinControlType> drop) {
        TSkinControlTypes c = skin->SkinControls();
        for (TSkinControlType t : add) c.Include(t);
        for (TSkinControlType t : drop) c.Exclude(t);
        skin->SetSkinControls(c);
    }
    static void ShowAndWait(TForm& form) {
        form.Show();
        SetForegroundWindow(form.Handle());
        ASSERT_TRUE(PumpUntil([&] { return IsSkinned(form.Handle()); }, kWaitMs));
    }
    void SwitchOff(HWND h) {
        skin->SetActive(false);
        ASSERT_TRUE(PumpUntil([&] { return !IsSkinned(h); }, kWaitMs));
    }

    std::unique_ptr<TSkinData> skin;
    TSkinManage* manager = nullptr;
};

// A form with a context menu (one item measures itself) and a menu bar whose drop-down item draws itself.
struct MenuForm {
    TForm form{nullptr};
    TPopupMenu* popup = new TPopupMenu(&form);
    TMenuItem* plain = new TMenuItem(&form);
    TMenuItem* measured = new TMenuItem(&form);
    TMainMenu* bar = new TMainMenu(&form);
    TMenuItem* drawn = new TMenuItem(&form);
    int ownMeasures = 0, ownDraws = 0;
    MenuForm() {
        form.SetBounds(120, 120, 300, 200);
        plain->SetCaption(L"普通 plain");
        measured->SetCaption(L"自己量 measures itself");
        measured->OnMeasureItem = [this](TObject*, TCanvas&, int&, int&) { ++ownMeasures; };
        popup->Items()->Add(plain);
        popup->Items()->Add(measured);
        auto* file = new TMenuItem(&form);
        file->SetCaption(L"文件(&F)");
        drawn->SetCaption(L"自己画 draws itself");
        drawn->OnDrawItem = [this](TObject*, TCanvas&, const TRect&, bool) { ++ownDraws; };
        file->Add(drawn);
        bar->Items()->Add(file);
        form.SetMenu(bar);
    }
};

TEST_F(SkinReleaseTest, ReleaseGivesEveryMenuItemItsOwnHandlersBack) {
    // Frame skinning off: the window is released through the path for windows without a skinned frame.
    SetControls({xcPopupMenu}, {xcMainMenu, xcMenuItem});
    MenuForm f;
    ShowAndWait(f.form);
    ASSERT_TRUE(PumpUntil([&] { return bool(f.plain->OnDrawItem); }, kWaitMs));
    SwitchOff(f.form.Handle());
    EXPECT_FALSE(f.plain->OnDrawItem);
    EXPECT_FALSE(f.plain->OnMeasureItem);
    ASSERT_TRUE(f.measured->OnMeasureItem);
    int w = 0, h = 0;
    TCanvas canvas;
    f.measured->OnMeasureItem(f.measured, canvas, w, h);
    EXPECT_EQ(f.ownMeasures, 1);  // its own handler, not the skinner's

    // With the frame skinned but no drop-down painting, the menu bar's items keep their own handlers.
    skin->SetActive(true);
    SetControls({xcMainMenu, xcPopupMenu}, {xcMenuItem});
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(f.form.Handle()) && bool(f.plain->OnDrawItem); }, kWaitMs));
    SwitchOff(f.form.Handle());
    EXPECT_FALSE(f.plain->OnDrawItem);
    ASSERT_TRUE(f.drawn->OnDrawItem);
    f.drawn->OnDrawItem(f.drawn, canvas, TRect{0, 0, 10, 10}, false);
    EXPECT_EQ(f.ownDraws, 1);
    // The menu pops up and closes with nothing of a freed skinner called.
    struct Close {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            EndMenu();
        }
    };
    SetTimer(nullptr, 0, 300, &Close::Tick);
    f.popup->Popup(200, 200);
}

TEST_F(SkinReleaseTest, ASkinChangeAttachesTheHandlersOfNewItemsToo) {
    SetControls({xcMainMenu, xcPopupMenu}, {});
    MenuForm f;
    ShowAndWait(f.form);
    ASSERT_TRUE(PumpUntil([&] { return bool(f.plain->OnDrawItem); }, kWaitMs));
    auto* later = new TMenuItem(&f.form);
    later->SetCaption(L"后来的 added later");
    f.popup->Items()->Add(later);
    EXPECT_FALSE(later->OnDrawItem);
    SendMessageW(f.form.Handle(), SM_SKINCHANGE, 0, 0);
    EXPECT_TRUE(later->OnDrawItem);
}

TEST_F(SkinReleaseTest, AWindowOfAnotherThreadIsSkinnedAndLetGoOnItsThread) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD threadId = 0;
    std::atomic<HWND> window{nullptr};
    bool alive = false;
    std::thread worker([&] {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread gets its queue
        threadId = GetCurrentThreadId();
        SetEvent(ready);
        WaitForSingleObject(go, kWaitMs);  // the thread's hooks are in place
        HWND w =
            CreateWindowExW(0, L"TvReleaseTest", L"工作线程 worker", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                            60, 60, 260, 160, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(w, SW_SHOWNORMAL);
        SetForegroundWindow(w);
        window = w;
        while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        // The window goes on working after the engine let it go.
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        SetWindowTextW(w, L"还在 still here");
        alive = IsWindow(w) && SendMessageW(w, SM_ISSKINNED, 0, 0) != 1;
        DestroyWindow(w);
    });
    // However the test ends, the worker ends with it.
    struct Join {
        std::thread& t;
        HANDLE events[3];
        ~Join() {
            SetEvent(events[1]);
            SetEvent(events[2]);
            if (t.joinable()) t.join();
            for (HANDLE e : events) CloseHandle(e);
        }
    } join{worker, {ready, go, done}};
    WaitForSingleObject(ready, kWaitMs);
    manager->InstallThread(threadId);
    SetEvent(go);
    ASSERT_TRUE(PumpUntil([&] { return window && IsSkinned(window); }, kWaitMs));
    TWinSkinForm* f = manager->FindForm(window);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return f->Skinstate == TWinSkinForm::kActive; }, kWaitMs));

    // Switched off from this thread's timer, the window is released; asked for from this thread, it is
    // skinned again, on its own.
    SwitchOff(window);
    EXPECT_EQ(manager->FindForm(window), nullptr);
    skin->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return manager->active; }, kWaitMs));
    EXPECT_TRUE(manager->AddForm(window));
    EXPECT_TRUE(IsSkinned(window));
    // The manager goes while the window is skinned: its thread lets it go.
    FreeSkinManager();
    manager = nullptr;
    EXPECT_FALSE(IsSkinned(window));
    SetEvent(done);
    worker.join();
    EXPECT_TRUE(alive);
}

TEST_F(SkinReleaseTest, AFailureWhileASkinnerIsMadeLeavesTheWindowPlain) {
    int asked = 0;
    skin->OnBeforeSkinForm = [&](TObject*, HWND, const std::string&) {
        ++asked;
        throw std::runtime_error("a handler of the application fails");
    };
    TForm failing(nullptr);
    failing.SetBounds(100, 100, 240, 160);
    failing.Show();
    SetForegroundWindow(failing.Handle());
    Pump(300);
    EXPECT_GE(asked, 1);
    EXPECT_FALSE(IsSkinned(failing.Handle()));
    EXPECT_EQ(manager->FindForm(failing.Handle()), nullptr);
    // The next window is skinned as usual.
    skin->OnBeforeSkinForm = nullptr;
    TForm next(nullptr);
    next.SetBounds(140, 140, 240, 160);
    ShowAndWait(next);
}

class MdiReleaseTest : public SkinReleaseTest {
protected:
    void SetUp() override {
        SkinReleaseTest::SetUp();
        SetControls({xcMainMenu}, {});
        frame.SetFormStyle(fsMDIForm);
        frame.SetBounds(40, 40, 560, 420);
        auto* window = new TMenuItem(&frame);
        window->SetCaption(L"窗口(&W)");
        bar->Items()->Add(window);
        frame.SetMenu(bar);
        ShowAndWait(frame);
    }
    TForm* NewChild(int tag = 0) {
        auto* child = new TForm(&frame);
        child->SetTag(tag);
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(0, 0, 240, 160);
        auto* memo = new TMemo(child);
        memo->SetParent(child);
        memo->SetAlign(alClient);
        memo->SetScrollBars(ssVertical);
        child->Show();
        return child;
    }
    TForm frame{nullptr};
    TMainMenu* bar = new TMainMenu(&frame);
};

TEST_F(MdiReleaseTest, FrameworkChildrenAreSkinnedAsFrameworkForms) {
    TForm* child = NewChild();
    TForm* tagged = NewChild(kNeverSkinTag);
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(child->Handle()); }, kWaitMs));
    TWinSkinForm* f = manager->FindForm(child->Handle());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->FForm, child);
    EXPECT_EQ(manager->MDIForm, &frame);
    // Its memo gets the skin's scroll bars; the never-skin tag is honoured.
    auto* memo = dynamic_cast<TMemo*>(child->Controls(0));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return IsSkinned(memo->Handle()); }, kWaitMs));
    EXPECT_FALSE(IsSkinned(tagged->Handle()));
    // A skin change reaches the child through its form's message path.
    EXPECT_EQ(SendMessageW(child->Handle(), SM_QUERYFORM, 0, SkinSignature), SkinSignature);
}

TEST_F(MdiReleaseTest, TheLastChildGoingGivesTheMenuBarItsUpdatesBack) {
    ASSERT_TRUE(skin->MenuUpdate());
    TForm* child = NewChild();
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(child->Handle()); }, kWaitMs));
    EXPECT_FALSE(skin->MenuUpdate());  // while children are made
    child->Close();
    ASSERT_TRUE(PumpUntil([&] { return skin->MenuUpdate(); }, kWaitMs));
}

TEST_F(MdiReleaseTest, RestoringAMaximisedChildGivesItsSiblingsTheirShapesBack) {
    TForm* a = NewChild();
    TForm* b = NewChild();
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(a->Handle()) && IsSkinned(b->Handle()); }, kWaitMs));
    TWinSkinForm* fb = manager->FindForm(b->Handle());
    ASSERT_TRUE(PumpUntil([&] { return fb->Skinstate == TWinSkinForm::kActive && fb->crop; }, kWaitMs));
    SendMessageW(b->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(PumpUntil([&] { return manager->MDIMax; }, kWaitMs));
    TWinSkinForm* fa = manager->FindForm(a->Handle());
    EXPECT_FALSE(fa->crop);
    SendMessageW(b->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !manager->MDIMax; }, kWaitMs));
    EXPECT_TRUE(fa->crop);
}

}  // namespace

namespace {

// A click whose handler runs a loop of its own (a dialog, say) in which skinning is switched off: the
// button's skinner, on the stack under the handler, goes once the click returns, and the button works on.
TEST_F(SkinReleaseTest, SkinningEndingInsideAClickFreesTheButtonsSkinnerAfterTheClick) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 260, 160);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(20, 20, 100, 28);
    button->SetCaption(L"关闭皮肤 Off");
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        skin->SetActive(false);
        PumpUntil([&] { return !IsSkinned(form.Handle()); }, kWaitMs);
    };
    ShowAndWait(form);
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(button->Handle()); }, kWaitMs));
    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(IsSkinned(button->Handle()));
    // The button is the platform's again: it paints and clicks by itself.
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
}

}  // namespace
