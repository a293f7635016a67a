// Discovery of combo boxes on real windows under Wine: the class map's extended kind, and a dialog box's raw
// combo boxes and date picker answering SM_ISSKINNED as the decision for their class and style says (the
// Gallery's pages are walked by tests/gallery/gallery_pages_test.cpp).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/win/combo_box.h"
#include "platform/win/forms.h"
#include "platform/win/framework_classes.h"
#include "platform/win/status_bar.h"
#include "platform/win/std_controls.h"
#include "skin/controls/win/skin_combo_box.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/form/control_discovery.h"
#include "skin/form/win/win_skin_form.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

bool Skinned(HWND h) { return SendMessageW(h, SM_ISSKINNED, 0, 0) == 1; }

class DiscoveryTest : public testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterFrameworkComponents();
        skin.SetSkinFormtype(sfDialog);
        const std::vector<std::uint8_t> built = testskin::BuiltPackage("tocvane.skn");
        if (built.empty()) GTEST_SKIP() << "needs the built default skin";
        TMemoryStream s(built);
        skin.LoadFromStream(s);
        ASSERT_FALSE(skin.Empty);
        skin.SetSkinControls({xcCombo, xcCheckBox, xcRadioButton, xcScrollbar, xcEdit, xcButton, xcBitBtn,
                              xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab});
    }
    void TearDown() override { FreeSkinManager(); }
    // Walks the window as the skin manager has it walked: the form skinner, activated.
    void Activate(HWND h) {
        PostMessageW(h, SM_INITSKIN, 0, 1000);
        Pump(100);
    }

    TSkinData skin{nullptr};
};

// A class the map names "comboboxex" gets a combo box skinner told that its button is a window of its own.
TEST_F(DiscoveryTest, TheMapsExtendedKindMarksTheComboBoxSkinnersSeparateButton) {
    TStringList map{"TComboBox=ComboBoxEx"};
    skin.SetSkin3rd(map);
    TForm form(nullptr);
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 120, 21);
    form.Show();
    Pump(20);
    auto* f = new TWinSkinForm(&form);
    f->Hwnd = form.Handle();
    f->InitTform(&skin, &form);
    Activate(form.Handle());
    TSkinComBox* skinner = nullptr;
    for (TSkinControl* c : f->Controllist)
        if (c->control == combo) skinner = dynamic_cast<TSkinComBox*>(c);
    ASSERT_TRUE(skinner);
    EXPECT_TRUE(skinner->HasButton);
}

// A dialog box's raw windows: drop-down combo boxes are skinned, a simple one is not, an extended one
// through its own combo box, and a date picker of a dialog (no row for it) keeps its look.
TEST_F(DiscoveryTest, TheRawCombosOfADialogAreSkinnedAsTheirDecisionSays) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    HWND dlg = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"对话框", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               60, 60, 320, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(dlg);
    auto child = [&](const wchar_t* cls, DWORD style, int y) {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, y, 150, 120, dlg,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    const HWND kids[] = {child(L"COMBOBOX", CBS_DROPDOWN | WS_VSCROLL, 10),
                         child(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 40),
                         child(L"COMBOBOX", CBS_SIMPLE, 70), child(WC_COMBOBOXEXW, CBS_DROPDOWNLIST, 200),
                         child(DATETIMEPICK_CLASSW, 0, 230)};
    ShowWindow(dlg, SW_SHOW);
    Pump(50);
    TWinSkinForm f(nullptr);
    f.Hwnd = dlg;
    f.InitDlg(&skin);
    Activate(dlg);
    for (HWND h : kids) {
        std::string cls;
        for (wchar_t c : WindowClassName(h)) cls.push_back(char(towlower(c)));
        const HwndChoice choice =
            ChooseHwndSkinner(cls, unsigned(GetWindowLongPtrW(h, GWL_STYLE)), skin.SkinControls());
        const HWND target = choice.firstChild ? GetWindow(h, GW_CHILD) : h;
        EXPECT_EQ(Skinned(target), choice.skinner != SkinnerKind::None) << cls;
    }
    EXPECT_TRUE(Skinned(kids[0]));
    EXPECT_FALSE(Skinned(kids[2]));
    f.UnSubclass();
    DestroyWindow(dlg);
}

}  // namespace
