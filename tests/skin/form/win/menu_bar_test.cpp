// The skinned menu bar on a real framework form under Wine: the platform's bar leaves the window and comes
// back, the band is painted from the skin with the items laid out in it, a command item posts its command,
// and the system key opens the drop-down of the item whose accelerator it carries. In an open drop-down the
// arrows enter and leave submenus before they move along the bar, and moving onto a command of the bar only
// lights it; no item freed while a drop-down is open is kept. A plain window's bar goes with its window. On
// an MDI form, a maximised child's buttons sit in the band and act on the child, and the band follows the
// child when it goes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/stream.h"
#include "platform/win/forms.h"
#include "platform/win/menus.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/form/form_manager_link.h"
#include "skin/form/win/menu_bar.h"
#include "skin/form/win/win_skin_form.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::wstring& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

class MenuBarTest : public testing::Test {
protected:
    void SetUp() override {
        TMemoryStream s(testskin::ProgramPackage());
        skin.LoadFromStream(s);
        ASSERT_FALSE(skin.Empty);
        form = MakeHostForm(300, 200);
        auto* menu = new TMainMenu(form.get());
        file = NewItem(form.get(), menu->Items(), L"&File");
        NewItem(form.get(), file, L"&Open");
        NewItem(form.get(), NewItem(form.get(), file, L"&Recent"), L"&One");
        NewItem(form.get(), menu->Items(), L"&Run");  // a command on the bar itself
        help = NewItem(form.get(), menu->Items(), L"&Help");
        NewItem(form.get(), help, L"&About");
        form->SetMenu(menu);
        form->Show();
        Pump(50);
        skinner = new TWinSkinForm(form.get());
        skinner->Hwnd = form->Handle();
        skinner->InitTform(&skin, form.get());
        PostMessageW(form->Handle(), SM_INITSKIN, 0, 1000);
        ASSERT_TRUE(PumpUntil([&] { return skinner->Skinstate == TWinSkinForm::kActive; }, 2000));
    }

    TSkinData skin{nullptr};
    std::unique_ptr<TForm> form;
    TWinSkinForm* skinner = nullptr;  // owned by the form
    TMenuItem* file = nullptr;
    TMenuItem* help = nullptr;
};

TEST_F(MenuBarTest, TheBarMovesIntoTheSkinnedFrameAndComesBack) {
    const HWND h = form->Handle();
    ASSERT_TRUE(skinner->menu);
    EXPECT_EQ(GetMenu(h), nullptr);  // the platform's bar is off the window
    EXPECT_EQ(skinner->MenuHeight, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(form->ClientHeight(), 200 - skinner->MenuHeight);  // the band takes its room from the client
    ASSERT_EQ(skinner->menu->Buttons.size(), 3u);
    EXPECT_EQ(skinner->menu->Buttons[0]->caption, L"&File");
    EXPECT_NE(skinner->menu->Buttons[0]->hsubmenu, nullptr);
    EXPECT_EQ(skinner->menu->Buttons[1]->hsubmenu, nullptr);

    // Laid out left to right in the band, below the caption, and found by position.
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(50);
    const TRect first = skinner->menu->Buttons[0]->bounds;
    const TRect second = skinner->menu->Buttons[1]->bounds;
    EXPECT_EQ(first.Top, skinner->bw.Top);
    EXPECT_EQ(second.Left, first.Right);
    EXPECT_GT(first.Width(), 10);
    EXPECT_EQ(skinner->menu->FindBtn({first.Left + 2, first.Top + 3}), skinner->menu->Buttons[0].get());
    EXPECT_EQ(skinner->menu->FindBtn({first.Left + 2, first.Top - 3}), nullptr);

    // Skinning ends: the window gets its own bar back.
    skinner->UnSubclass();
    EXPECT_NE(GetMenu(h), nullptr);
    EXPECT_FALSE(skinner->menu);
}

TEST_F(MenuBarTest, ACommandOnTheBarPostsItsCommandAndOpensNothing) {
    TMenuBtn* run = skinner->menu->Buttons[1].get();
    bool clicked = false;
    form->Menu()->Items()->Items(1)->OnClick = [&](TObject*) { clicked = true; };
    EXPECT_FALSE(skinner->CheckMenu(run));
    ASSERT_TRUE(PumpUntil([&] { return clicked; }, 2000));
}

TEST_F(MenuBarTest, TheSystemKeyOpensTheItemOfItsAcceleratorAndTheMenuFindsItsItems) {
    static bool opened = false;
    static int items = 0;
    opened = false;
    struct Look {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            // The open drop-down is a popup menu window of this thread.
            HWND popup = FindWindowW(L"#32768", nullptr);
            opened = popup && IsWindowVisible(popup);
            if (opened) items = GetMenuItemCount(HMENU(SendMessageW(popup, MN_GETHMENU, 0, 0)));
            EndMenu();
        }
    };
    SetTimer(nullptr, 0, 300, &Look::Tick);
    // Alt+H: the system key with the character of Help's accelerator.
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'h');
    EXPECT_TRUE(opened);
    EXPECT_EQ(items, 1);  // Help's own drop-down (About)
    EXPECT_FALSE(skinner->fInMenu);
}

// Runs steps from a timer inside a menu's loop, one after the other: each tick runs the current step until it
// answers true. After about five seconds the menu is closed whatever is left.
class MenuScript {
public:
    explicit MenuScript(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &MenuScript::Tick);
    }
    ~MenuScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuScript* self = current_;
        if (!self || self->Finished()) return;
        if (self->steps_[self->next_]()) ++self->next_;
        if (!self->Finished() && ++self->ticks_ > 100) {
            self->next_ = self->steps_.size();
            EndMenu();
        }
    }
    static inline MenuScript* current_ = nullptr;
    std::vector<std::function<bool()>> steps_;
    std::size_t next_ = 0;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
};

BOOL CALLBACK CollectPopup(HWND h, LPARAM list) {
    if (IsWindowVisible(h) && WindowClassName(h) == L"#32768")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
    return TRUE;
}

// The visible popup menu windows of this thread.
std::vector<HWND> OpenPopups() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), &CollectPopup, LPARAM(&found));
    return found;
}

// The window's hot or pressed object, when it is one the window still has; otherwise "dangling".
std::string ActiveObject(TWinSkinForm& f) {
    if (!f.ActiveBtn) return "none";
    if (f.menu)
        for (auto& b : f.menu->Buttons)
            if (b.get() == f.ActiveBtn) return "item " + std::to_string(b->index);
    for (auto& b : f.SysBtn)
        if (b.get() == f.ActiveBtn) return "caption button";
    return "dangling";
}

TEST_F(MenuBarTest, AnItemWhoseClickRebuildsOrReleasesTheBarLeavesNoFreedItemBehind) {
    // A drop-down's own click runs as it opens; this one changes another item of the bar, which rebuilds
    // every item while the drop-down is open.
    bool clicked = false;
    file->OnClick = [&](TObject*) {
        help->SetCaption(L"&Help!");
        clicked = true;
    };
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(50);
    const TRect r = skinner->menu->Buttons[0]->bounds;
    RECT w;
    GetWindowRect(form->Handle(), &w);
    MenuScript script({[&] { return clicked; }, [] { return EndMenu(), true; }});
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTMENU,
                 MAKELPARAM(w.left + r.Left + 4, w.top + r.Top + 4));
    ASSERT_TRUE(clicked);
    EXPECT_EQ(skinner->menu->Buttons[2]->caption, L"&Help!");  // rebuilt
    EXPECT_EQ(ActiveObject(*skinner), "none");                 // the pressed item went with the rebuild

    // Skinning ends while the drop-down is open: the bar goes with its items.
    clicked = false;
    file->OnClick = [&](TObject*) {
        skinner->UnSubclass();
        clicked = true;
    };
    MenuScript again({[&] { return clicked; }, [] { return EndMenu(), true; }});
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTMENU,
                 MAKELPARAM(w.left + r.Left + 4, w.top + r.Top + 4));
    ASSERT_TRUE(clicked);
    EXPECT_FALSE(skinner->menu);
    EXPECT_EQ(ActiveObject(*skinner), "none");
}

// Whether the item at a position of a menu is the selected one.
bool Selected(HMENU menu, int index) {
    return (GetMenuState(menu, UINT(index), MF_BYPOSITION) & MF_HILITE) != 0;
}

TEST_F(MenuBarTest, TheArrowsEnterAndLeaveSubmenusAndOnlyLightACommandOfTheBar) {
    bool ran = false;
    form->Menu()->Items()->Items(1)->OnClick = [&](TObject*) { ran = true; };  // Run, a command on the bar
    const HMENU drop = file->Handle();
    auto press = [](WPARAM key) {
        return [key] {
            const std::vector<HWND> open = OpenPopups();
            if (!open.empty()) PostMessageW(open.front(), WM_KEYDOWN, key, 0);
            return true;
        };
    };
    auto popups = [](std::size_t n) { return [n] { return OpenPopups().size() == n; }; };
    bool enteredSubmenu = false, leftSubmenu = false;
    MenuScript script({
        [&] { return OpenPopups().size() == 1 && Selected(drop, 0); },  // opened on its first item
        press(VK_DOWN),
        [&] { return Selected(drop, 1); },  // Recent, which has a submenu
        press(VK_RIGHT),
        [&] { return enteredSubmenu = popups(2)(); },
        press(VK_LEFT),
        [&] { return leftSubmenu = popups(1)(); },
        press(VK_UP),
        [&] { return Selected(drop, 0); },  // Open, without one: Right moves on to Run
        press(VK_RIGHT),
    });
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f');
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(enteredSubmenu);
    EXPECT_TRUE(leftSubmenu);
    Pump(100);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_FALSE(ran);  // moving onto a command does not run it
    TMenuBtn* run = skinner->menu->Buttons[1].get();
    EXPECT_EQ(skinner->ActiveBtn, run);
    EXPECT_EQ(run->state, TNCObject::kHot);
}

TEST_F(MenuBarTest, InARightToLeftMenuLeftEntersTheSubmenu) {
    form->Menu()->SetBiDiMode(bdRightToLeft);
    const HMENU drop = file->Handle();
    bool entered = false;
    MenuScript script({
        [&] { return OpenPopups().size() == 1 && Selected(drop, 0); },
        [&] { return PostMessageW(OpenPopups().front(), WM_KEYDOWN, VK_DOWN, 0), true; },
        [&] { return Selected(drop, 1); },
        [&] { return PostMessageW(OpenPopups().front(), WM_KEYDOWN, VK_LEFT, 0), true; },
        [&] { return entered = OpenPopups().size() == 2; },
        [] { return EndMenu(), true; },
    });
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f');
    EXPECT_TRUE(entered);
    EXPECT_TRUE(script.Finished());
}

TEST_F(MenuBarTest, TheMouseMovingOntoACommandOfTheBarOnlyLightsIt) {
    bool ran = false;
    form->Menu()->Items()->Items(1)->OnClick = [&](TObject*) { ran = true; };
    TMenuBtn* run = skinner->menu->Buttons[1].get();
    RECT w;
    GetWindowRect(form->Handle(), &w);
    const POINT over{w.left + (run->bounds.Left + run->bounds.Right) / 2,
                     w.top + (run->bounds.Top + run->bounds.Bottom) / 2};
    MenuScript script({
        [] { return OpenPopups().size() == 1; },
        [&] {
            SetCursorPos(over.x, over.y);
            PostMessageW(OpenPopups().front(), WM_MOUSEMOVE, 0, 0);
            return true;
        },
    });
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f');
    EXPECT_TRUE(script.Finished());
    Pump(100);
    EXPECT_FALSE(ran);
    EXPECT_EQ(skinner->ActiveBtn, run);
    EXPECT_EQ(run->state, TNCObject::kHot);
}

// A plain window's menu bar, taken into the band, is the window's all the same: it goes with the window, and
// a window that outlives its skinner gets it back.
TEST(PlainMenuBar, TheMenuGoesWithTheWindowOrBackToIt) {
    RegisterTestClass(L"TvPlainMenuBar");
    TSkinData skin{nullptr};
    TMemoryStream s(testskin::ProgramPackage());
    skin.LoadFromStream(s);
    ASSERT_FALSE(skin.Empty);
    auto skinned = [&](HMENU bar) {
        HWND h = CreateWindowExW(0, L"TvPlainMenuBar", L"菜单", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                                 200, nullptr, bar, GetModuleHandleW(nullptr), nullptr);
        auto f = std::make_unique<TWinSkinForm>(nullptr);
        f->Hwnd = h;
        f->InitDlg(&skin);
        PostMessageW(h, SM_INITSKIN, 0, 1000);
        EXPECT_TRUE(PumpUntil([&] { return f->Skinstate == TWinSkinForm::kActive; }, 2000));
        EXPECT_TRUE(f->menu);
        EXPECT_EQ(GetMenu(h), nullptr);  // in the band
        return std::pair{h, std::move(f)};
    };
    auto makeBar = [] {
        HMENU bar = CreateMenu(), file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, 101, L"&Open");
        AppendMenuW(bar, MF_POPUP, UINT_PTR(file), L"&File");
        AppendMenuW(bar, MF_STRING, 102, L"&Run");
        return bar;
    };

    HMENU bar = makeBar();
    auto [h, f] = skinned(bar);
    DestroyWindow(h);
    EXPECT_EQ(f->Skinstate, TWinSkinForm::kDead);
    EXPECT_FALSE(IsMenu(bar));  // as the platform destroys a window's own menu bar with it

    // Let go while the window stays (the manager's teardown): the bar is on the window again.
    bar = makeBar();
    auto [h2, f2] = skinned(bar);
    f2->UnSubclass3();
    EXPECT_EQ(GetMenu(h2), bar);
    DestroyWindow(h2);
    EXPECT_FALSE(IsMenu(bar));
}

// The manager as far as an MDI form's skinner uses it: it records the maximised flag.
class FakeManager : public FormManagerLink {
public:
    void InstallHook() override {}
    void InstallThread(std::uint32_t) override {}
    void UnInstallThread(std::uint32_t) override {}
    void AddSkinData(TSkinData*) override {}
    void RemoveSkinData(TSkinData*) override {}
    bool AddForm(HWND) override { return false; }
    void SetAction(std::int32_t, std::int32_t) override {}
    void DeleteSysbtn() override {}
    void SetMDIMax(bool maximised) override {
        MDIMax = maximised;
        ++changes;  // the manager's work (the children's shapes) happens here
    }
    int changes = 0;
    void DeleteForm2(const TWinSkinForm*) override {}
    void SetPopMenu() override {}
    void SetHMenu(HMENU) override {}
    TBitmap* GetMenuBg(HMENU) override { return nullptr; }
};

class MdiMenuBarTest : public testing::Test {
protected:
    void SetUp() override {
        TMemoryStream s(testskin::ProgramPackage());
        skin.LoadFromStream(s);
        ASSERT_FALSE(skin.Empty);
        Application->Initialize();
        frame = std::make_unique<TForm>(nullptr);
        auto* menu = new TMainMenu(frame.get());
        NewItem(frame.get(), NewItem(frame.get(), menu->Items(), L"&File"), L"E&xit");
        NewItem(frame.get(), NewItem(frame.get(), menu->Items(), L"&Window"), L"&Tile");
        frame->SetFormStyle(fsMDIForm);
        frame->SetBounds(20, 20, 500, 360);
        frame->SetMenu(menu);
        frame->Show();
        for (int i = 0; i < 2; ++i) {
            auto* child = new TForm(frame.get());
            child->SetFormStyle(fsMDIChild);
            child->SetBounds(0, 0, 200, 150);
            child->Show();
            children.push_back(child);
        }
        Pump(50);
        skinner = new TWinSkinForm(frame.get());
        skinner->Hwnd = frame->Handle();
        skinner->host = &manager;
        skinner->InitTform(&skin, frame.get());
        PostMessageW(frame->Handle(), SM_INITSKIN, 0, 1000);
        ASSERT_TRUE(PumpUntil([&] { return skinner->Skinstate == TWinSkinForm::kActive; }, 2000));
        ASSERT_TRUE(skinner->menu);
    }

    void TearDown() override {
        if (skinner && frame) skinner->host = nullptr;
    }

    // The band's MDI buttons (minimise, restore, close), as the skin lists them.
    std::vector<TWinSysButton*> BandButtons() {
        std::vector<TWinSysButton*> found;
        for (auto& b : skinner->SysBtn)
            if (b->data->Visibility == 100) found.push_back(b.get());
        return found;
    }

    void PaintFrame() {
        RedrawWindow(frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(50);
    }

    // A real click, as the mouse gives it, at a point of the window (window coordinates).
    void ClickAt(TPoint p) {
        RECT w;
        GetWindowRect(frame->Handle(), &w);
        const LPARAM at = MAKELPARAM(w.left + p.X, w.top + p.Y);
        SendMessageW(frame->Handle(), WM_NCLBUTTONDOWN, HTMENU, at);
        SendMessageW(frame->Handle(), WM_NCLBUTTONUP, HTMENU, at);
        Pump(50);
    }

    TSkinData skin{nullptr};
    FakeManager manager;
    std::unique_ptr<TForm> frame;
    std::vector<TForm*> children;
    TWinSkinForm* skinner = nullptr;  // owned by the form
};

TEST_F(MdiMenuBarTest, AMaximisedChildsButtonsSitInTheBandAndActOnIt) {
    const std::vector<TWinSysButton*> buttons = BandButtons();
    ASSERT_EQ(buttons.size(), 3u);
    ASSERT_FALSE(buttons[1]->data->Map.Empty());
    PaintFrame();
    for (TWinSysButton* b : buttons) EXPECT_FALSE(b->visible);  // no child is maximised

    TCustomForm* child = frame->ActiveMDIChild();
    ASSERT_NE(child, nullptr);
    SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    PaintFrame();
    ASSERT_TRUE(skinner->MDIChildMax());
    EXPECT_TRUE(manager.MDIMax);
    const int bandTop = skinner->bw.Top, bandBottom = skinner->bw.Top + skinner->MenuHeight;
    for (TWinSysButton* b : buttons) {
        EXPECT_TRUE(b->visible);
        EXPECT_GE(b->bounds.Top, bandTop);
        EXPECT_LE(b->bounds.Bottom, bandBottom);
        EXPECT_LE(b->bounds.Right, skinner->fwidth - skinner->bw.Right);
    }
    // Minimise, restore and close from left to right, after the bar's last item.
    EXPECT_LT(buttons[0]->bounds.Right, buttons[1]->bounds.Left);
    EXPECT_LT(buttons[1]->bounds.Right, buttons[2]->bounds.Left);
    EXPECT_GT(buttons[0]->bounds.Left, skinner->menu->Buttons.back()->bounds.Right);

    // The restore button restores the child.
    const TRect r = buttons[1]->bounds;
    ClickAt({r.Left + r.Width() / 2, r.Top + r.Height() / 2});
    EXPECT_FALSE(IsZoomed(child->Handle()));
    PaintFrame();
    EXPECT_FALSE(manager.MDIMax);
    for (TWinSysButton* b : buttons) EXPECT_FALSE(b->visible);
}

TEST_F(MdiMenuBarTest, TheBandLetsGoOfAChildThatWasMaximisedWhenItGoes) {
    TCustomForm* child = frame->ActiveMDIChild();
    ASSERT_NE(child, nullptr);
    SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    PaintFrame();
    ASSERT_TRUE(manager.MDIMax);

    // Destroyed by hand, as the framework destroys a closed child, not through WM_MDIDESTROY: the frame is
    // painted again and the band and the manager follow.
    DestroyWindow(child->Handle());
    ASSERT_TRUE(PumpUntil([&] { return !manager.MDIMax; }, 2000));
    EXPECT_FALSE(skinner->MDIChildMax());
    for (TWinSysButton* b : BandButtons()) EXPECT_FALSE(b->visible);

    // A child minimised from its maximised state leaves no maximised flag either.
    TForm* other = children.front();
    ASSERT_NE(other, child);
    SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(other->Handle()), 0);
    PaintFrame();
    ASSERT_TRUE(manager.MDIMax);
    SendMessageW(other->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PaintFrame();
    EXPECT_FALSE(manager.MDIMax);
}

TEST_F(MdiMenuBarTest, TheMaximiseButtonOfASkinnedChildTellsTheManager) {
    TForm* child = children.back();
    auto* childSkinner = new TWinSkinForm(child);  // owned by the child
    childSkinner->Hwnd = child->Handle();
    childSkinner->host = &manager;
    childSkinner->InitTform(&skin, child);
    PostMessageW(child->Handle(), SM_INITSKIN, 0, 1000);
    ASSERT_TRUE(PumpUntil([&] { return childSkinner->Skinstate == TWinSkinForm::kActive; }, 2000));
    const int before = manager.changes;
    childSkinner->Maximize();
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(child->Handle()) != FALSE; }, 2000));
    EXPECT_TRUE(manager.MDIMax);
    EXPECT_GT(manager.changes, before);  // through the manager, which takes the children's shapes off
    childSkinner->host = nullptr;
}

}  // namespace
