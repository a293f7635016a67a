// The skinned menu bar on a real framework form under Wine: the platform's bar leaves the window and comes
// back, the band is painted from the skin with the items laid out in it, a command item posts its command,
// and the system key opens the drop-down of the item whose accelerator it carries.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/stream.h"
#include "platform/win/forms.h"
#include "platform/win/menus.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
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
        const std::vector<std::uint8_t> built = testskin::BuiltPackage("tocvane.skn");
        TMemoryStream s(built.empty() ? testskin::DefaultPackage() : built);
        skin.LoadFromStream(s);
        ASSERT_FALSE(skin.Empty);
        form = MakeHostForm(300, 200);
        auto* menu = new TMainMenu(form.get());
        file = NewItem(form.get(), menu->Items(), L"&File");
        NewItem(form.get(), file, L"&Open");
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
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        // The open drop-down is a popup menu window of this thread.
        HWND popup = FindWindowW(L"#32768", nullptr);
        opened = popup && IsWindowVisible(popup);
        if (opened) items = GetMenuItemCount(HMENU(SendMessageW(popup, MN_GETHMENU, 0, 0)));
        EndMenu();
    });
    // Alt+H: the system key with the character of Help's accelerator.
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'h');
    EXPECT_TRUE(opened);
    EXPECT_EQ(items, 1);  // Help's own drop-down (About)
    EXPECT_FALSE(skinner->fInMenu);
}

}  // namespace
