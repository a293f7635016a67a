// The skin manager on real windows under Wine: which windows its hook skins (own windows on activation,
// message boxes, dialog boxes from resources with their controls, never the tag-99 form), the deferred
// install, uninstall and skin-change actions, threads with hooks of their own, and shutdown.
#include "skin/manager/win/skin_manage.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "dialog_ids.h"
#include "platform/stream.h"
#include "platform/win/forms.h"
#include "platform/win/timer.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/manager/skin_decision.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

bool IsSkinned(HWND h) { return SendMessageW(h, SM_ISSKINNED, 0, 0) == 1; }

TSize ClientSizeOf(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return {r.right, r.bottom};
}

constexpr int kActionWaitMs = 3000;  // deferred actions run 250 ms later; Wine may be slow to deliver

class SkinManagerTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterTestClass(L"TvManagerTest");
        RegisterTestClass(L"TApplication");
    }
    void SetUp() override {
        UseSkinManager();
        TMemoryStream s(testskin::ProgramPackage());
        skin = std::make_unique<TSkinData>(nullptr);
        skin->OnSkinChanged = [this](TObject*) { ++skinChanged; };
        skin->LoadFromStream(s);  // the first load makes the manager
        ASSERT_FALSE(skin->Empty);
        skin->SetActive(true);  // before any activation: switches the manager on at once
        manager = PrimarySkinManager();
        ASSERT_NE(manager, nullptr);
        ASSERT_TRUE(manager->active);
    }
    void TearDown() override {
        for (HWND h : windows)
            if (IsWindow(h)) DestroyWindow(h);
        FreeSkinManager();
        skin.reset();
        SetSkinManagerFactory(nullptr);
    }
    HWND MakeWindow(const wchar_t* cls = L"TvManagerTest", int clientWidth = 300, int clientHeight = 200) {
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        RECT r{0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&r, style, FALSE, 0);
        HWND h = CreateWindowExW(0, cls, L"管理器", style, 80, 80, r.right - r.left, r.bottom - r.top,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        windows.push_back(h);
        return h;
    }
    // Shows and activates a window, then lets the skinner finish its set-up.
    void Show(HWND h) {
        ShowWindow(h, SW_SHOWNORMAL);
        SetForegroundWindow(h);
        Pump(100);
    }

    std::unique_ptr<TSkinData> skin;
    TSkinManage* manager = nullptr;
    std::vector<HWND> windows;
    int skinChanged = 0;
};

TEST_F(SkinManagerTest, ActivationSkinsTheProgramsOwnWindowsOnce) {
    HWND h = MakeWindow();
    EXPECT_FALSE(IsSkinned(h));
    Show(h);
    ASSERT_TRUE(IsSkinned(h));
    EXPECT_EQ(manager->state, 1);
    TWinSkinForm* f = manager->FindForm(h);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->host, manager);
    EXPECT_TRUE(PumpUntil([&] { return f->Skinstate == TWinSkinForm::kActive; }, 2000));
    EXPECT_EQ(ClientSizeOf(h), (TSize{300, 200}));  // the client keeps its size under the skinned frame
    // Asked again, by the hook or by a request: still one skinner.
    EXPECT_FALSE(manager->AddForm(h));
    SetForegroundWindow(GetDesktopWindow());
    Show(h);
    EXPECT_EQ(manager->Forms().size(), 1u);

    // The skinner goes with its window; the next decision drops it from the list.
    DestroyWindow(h);
    HWND other = MakeWindow();
    Show(other);
    EXPECT_EQ(manager->Forms().size(), 1u);
    EXPECT_EQ(manager->FindForm(h), nullptr);
    EXPECT_NE(manager->FindForm(other), nullptr);
}

TEST_F(SkinManagerTest, WindowsTheDecisionRefusesStayPlain) {
    // The never-skin tag, the framework's own application window, a child window.
    TForm tagged(nullptr);
    tagged.SetTag(kNeverSkinTag);
    tagged.SetBounds(100, 100, 200, 150);
    tagged.Show();
    Pump(100);
    EXPECT_FALSE(IsSkinned(tagged.Handle()));
    EXPECT_EQ(manager->FindForm(tagged.Handle()), nullptr);

    TForm other(nullptr);
    other.SetTag(kNeverSkinTag - 1);
    other.SetBounds(120, 120, 200, 150);
    other.Show();
    Pump(100);
    EXPECT_TRUE(IsSkinned(other.Handle()));

    HWND app = MakeWindow(L"TApplication");
    Show(app);
    EXPECT_FALSE(IsSkinned(app));

    HWND parent = MakeWindow();
    HWND child = CreateWindowExW(0, L"TvManagerTest", L"child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_FALSE(manager->AddForm(child));
    // An explicit request takes a child window too.
    skin->SkinForm(child);
    EXPECT_TRUE(IsSkinned(child));
}

// Runs `check` on the first "#32770" window the modal loop shows, then closes it with `close`.
struct ModalProbe {
    std::function<void(HWND)> check;
    UINT_PTR timer = 0;
    bool seen = false;
    static ModalProbe* current;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalProbe* p = current;
        if (!p || p->seen) return;
        HWND dlg = FindWindowW(L"#32770", nullptr);
        if (!dlg || !IsWindowVisible(dlg)) return;
        p->seen = true;
        KillTimer(nullptr, p->timer);
        p->check(dlg);
    }
    void Arm() {
        current = this;
        timer = SetTimer(nullptr, 0, 150, &Tick);
    }
};
ModalProbe* ModalProbe::current = nullptr;

TEST_F(SkinManagerTest, MessageBoxesGetSkinnedFrames) {
    HWND owner = MakeWindow();
    Show(owner);
    bool skinned = false;
    bool grown = false;
    ModalProbe probe;
    probe.check = [&](HWND dlg) {
        Pump(300);  // the skinner finishes its set-up
        skinned = IsSkinned(dlg);
        RECT r{};
        GetWindowRect(dlg, &r);
        TWinSkinForm* f = manager->FindForm(dlg);
        grown = f && f->ismessagebox && r.right - r.left > 0;
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    };
    probe.Arm();
    const int answer = MessageBoxW(owner, L"消息框的正文", L"一个相当长的消息框标题，比正文长得多", MB_OK);
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(probe.seen);
    EXPECT_TRUE(skinned);
    EXPECT_TRUE(grown);
}

INT_PTR CALLBACK StandardDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(dlg, LOWORD(wp) == IDOK ? 7 : 8);
        return TRUE;
    }
    return FALSE;
}

TEST_F(SkinManagerTest, DialogBoxesFromResourcesAreSkinnedByHandle) {
    HWND owner = MakeWindow();
    Show(owner);
    bool frame = false, okButton = false, edit = false, scrollBar = false;
    ModalProbe probe;
    probe.check = [&](HWND dlg) {
        Pump(300);
        frame = IsSkinned(dlg);
        okButton = IsSkinned(GetDlgItem(dlg, IDOK));
        edit = IsSkinned(GetDlgItem(dlg, IDC_NAME));
        scrollBar = IsSkinned(GetDlgItem(dlg, IDC_SCROLL));
        // The skinned default button posts its command when clicked with the mouse.
        HWND ok = GetDlgItem(dlg, IDOK);
        SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    probe.Arm();
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_STANDARD), owner,
                                           &StandardDialogProc, 0);
    EXPECT_TRUE(probe.seen);
    EXPECT_EQ(result, 7);  // closed through IDOK
    EXPECT_TRUE(frame);
    EXPECT_TRUE(okButton);
    EXPECT_TRUE(edit);
    EXPECT_TRUE(scrollBar);
}

TEST_F(SkinManagerTest, UninstallAndInstallRunLaterFromTheTimer) {
    // Installing skins the framework's visible forms; plain windows wait for their next activation.
    TForm form(nullptr);
    form.SetBounds(100, 100, 320, 240);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    form.Show();
    Pump(100);
    HWND h = form.Handle();
    ASSERT_TRUE(IsSkinned(h));
    TWinSkinForm* f = manager->FindForm(h);
    ASSERT_TRUE(PumpUntil([&] { return f->Skinstate == TWinSkinForm::kActive; }, 2000));

    skin->SetActive(false);
    EXPECT_TRUE(IsSkinned(h));  // never inside the call that asked
    ASSERT_TRUE(PumpUntil([&] { return !IsSkinned(h); }, kActionWaitMs));
    EXPECT_TRUE(manager->Forms().empty());
    EXPECT_FALSE(manager->active);
    EXPECT_EQ(ClientSizeOf(h), (TSize{300, 200}));
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(h, rgn), ERROR);  // no region any more
    DeleteObject(rgn);
    EXPECT_EQ(skinChanged, 1);
    EXPECT_EQ(manager->UpdateData, nullptr);

    skin->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(h); }, kActionWaitMs));
    EXPECT_EQ(skinChanged, 2);
    f = manager->FindForm(h);
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return f->Skinstate == TWinSkinForm::kActive; }, 2000));
    EXPECT_EQ(ClientSizeOf(h), (TSize{300, 200}));
}

TEST_F(SkinManagerTest, ASkinChangeReachesEverySkinnedWindow) {
    HWND a = MakeWindow();
    Show(a);
    HWND b = MakeWindow();
    Show(b);
    ASSERT_EQ(manager->Forms().size(), 2u);
    const std::vector<std::uint8_t> second = testskin::SecondPackage();
    TMemoryStream s(second);
    skin->LoadFromStream(s);
    ASSERT_TRUE(PumpUntil([&] { return skinChanged == 1; }, kActionWaitMs));
    for (HWND h : {a, b}) {
        TWinSkinForm* f = manager->FindForm(h);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Skinstate, TWinSkinForm::kActive);
        EXPECT_TRUE(IsSkinned(h));
    }

    // Re-skinning one form makes it a new skinner and fires no event.
    manager->FindForm(a)->formclass = "the old skinner";  // a new one may take the old one's address
    skin->ChangeForm(a);
    ASSERT_TRUE(PumpUntil(
        [&] {
            TWinSkinForm* now = manager->FindForm(a);
            return now && now->formclass != "the old skinner";
        },
        kActionWaitMs));
    EXPECT_EQ(skinChanged, 1);
    EXPECT_EQ(manager->UpdateData, skin.get());
}

TEST_F(SkinManagerTest, ThreadsWithHooksOfTheirOwnStillMakeScrollBars) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD threadId = 0;
    bool made = false;
    std::thread worker([&] {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread gets its queue
        threadId = GetCurrentThreadId();
        SetEvent(ready);
        WaitForSingleObject(go, 5000);
        HWND top = CreateWindowExW(0, L"TvManagerTest", L"worker", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        HWND bar = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 100, 16, top,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
        made = bar != nullptr;
        DestroyWindow(top);
    });
    WaitForSingleObject(ready, 5000);
    manager->InstallThread(threadId);
    manager->InstallThread(threadId);
    EXPECT_EQ(manager->lists->Threadlist.size(), 1u);
    SetEvent(go);
    worker.join();
    EXPECT_TRUE(made);
    manager->UnInstallThread(threadId);
    EXPECT_TRUE(manager->lists->Threadlist.empty());
    manager->UnInstallThread(threadId);  // nothing left to remove
    CloseHandle(ready);
    CloseHandle(go);
}

TEST_F(SkinManagerTest, RemovingTheMainComponentForgetsItAndItsRequest) {
    skin->Install();
    EXPECT_EQ(manager->UpdateData, skin.get());
    manager->RemoveSkinData(skin.get());
    EXPECT_EQ(manager->MainData, nullptr);
    EXPECT_EQ(manager->UpdateData, nullptr);
    EXPECT_TRUE(manager->Components().empty());
    manager->AddSkinData(skin.get());  // the teardown frees the component, which removes it again
}

TEST_F(SkinManagerTest, ShutdownReleasesTheWindowsThatAreStillOpen) {
    HWND h = MakeWindow();
    Show(h);
    ASSERT_TRUE(IsSkinned(h));
    FreeSkinManager();
    EXPECT_EQ(PrimarySkinManager(), nullptr);
    EXPECT_FALSE(IsSkinned(h));
    // The window lives on unskinned; new windows are left alone.
    HWND later = MakeWindow();
    Show(later);
    EXPECT_FALSE(IsSkinned(later));
}

}  // namespace
