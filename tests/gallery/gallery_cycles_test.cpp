// The Gallery's windows through many cycles of skinning off and on: its main form with a page, the MDI page
// with children and the dialog box from its resource stay working, and what the engine holds (GDI objects,
// windows, menus) comes back to its count after the first cycle.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "gallery/win/controls_dialog.h"
#include "gallery/win/gallery_form.h"
#include "gallery/win/gallery_page.h"
#include "gallery/win/mdi_form.h"
#include "platform/win/gdi.h"
#include "skin/data/skin_messages.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/manager/skin_decision.h"
#include "skin/manager/win/skin_manage.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

constexpr int kCycles = 200;
constexpr int kWaitMs = 10000;

bool IsSkinned(HWND h) { return SendMessageW(h, SM_ISSKINNED, 0, 0) == 1; }

// Menus reachable from the thread's windows, and their entries.
int CountMenu(HMENU menu) {
    if (!menu || !IsMenu(menu)) return 0;
    int n = 1 + GetMenuItemCount(menu);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) n += CountMenu(GetSubMenu(menu, i));
    return n;
}

struct Census {
    long windows = 0, menus = 0;
    int gdi = 0;
    static BOOL CALLBACK Child(HWND h, LPARAM p) {
        auto* c = reinterpret_cast<Census*>(p);
        ++c->windows;
        return TRUE;
    }
    static BOOL CALLBACK Top(HWND h, LPARAM p) {
        auto* c = reinterpret_cast<Census*>(p);
        ++c->windows;
        c->menus += CountMenu(GetMenu(h));
        EnumChildWindows(h, &Child, p);
        return TRUE;
    }
    static Census Take() {
        Census c;
        EnumThreadWindows(GetCurrentThreadId(), &Top, LPARAM(&c));
        c.gdi = gdi::LiveHandles();
        return c;
    }
};

class GalleryCycles : public testing::Test {
protected:
    void TearDown() override { FreeSkinManager(); }
};

TEST_F(GalleryCycles, SkinningOffAndOnManyTimesLeavesNothingBehind) {
    InstallSkinDataPlatform();
    UseSkinManager();
    Application->Initialize();
    TGalleryForm* gallery = nullptr;
    Application->CreateForm(gallery);
    gallery->Show();
    TGalleryPage* page = MakeGalleryPage(*FindGalleryPage("buttons"), Application);
    page->Show();
    auto* mdi = new TMdiForm(Application);
    mdi->ShowTiled();
    HWND dialog = ShowControlsDialog(gallery->Handle());
    ASSERT_NE(dialog, nullptr);
    SetForegroundWindow(dialog);
    TSkinManage* manager = PrimarySkinManager();
    ASSERT_NE(manager, nullptr);
    TSkinData* skin = gallery->SkinData1;
    const HWND windows[] = {gallery->Handle(), page->Handle(), mdi->Handle(), dialog};
    auto allSkinned = [&] {
        for (HWND h : windows)
            if (!IsSkinned(h)) return false;
        return IsSkinned(mdi->MDIChildren(0)->Handle());
    };
    ASSERT_TRUE(PumpUntil(allSkinned, kWaitMs));

    // One cycle: everything released, then everything skinned again.
    auto cycle = [&]() -> std::string {
        manager->UpdateData = skin;
        manager->SetAction(saUninstall, 1);
        if (!PumpUntil([&] { return manager->Forms().empty(); }, kWaitMs)) return "skinners left after off";
        for (HWND h : windows)
            if (IsSkinned(h)) return "a window still skinned after off";
        manager->UpdateData = skin;
        manager->SetAction(saInstall, 1);
        if (PumpUntil(allSkinned, kWaitMs)) return "";
        const char* names[] = {"main form", "page", "MDI form", "dialog"};
        for (int i = 0; i < 4; ++i)
            if (!IsSkinned(windows[i])) return std::string(names[i]) + " not skinned again";
        return "the MDI child not skinned again";
    };
    ASSERT_EQ(cycle(), "");
    Pump(200);
    const Census before = Census::Take();
    for (int i = 0; i < kCycles; ++i) ASSERT_EQ(cycle(), "") << "cycle " << i;
    Pump(200);
    const Census after = Census::Take();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.menus, before.menus);
    // The menu bar is the engine's again: the platform's own is not on the window.
    EXPECT_EQ(GetMenu(gallery->Handle()), nullptr);

    DestroyWindow(dialog);
}

}  // namespace
