// Discovery on real windows under Wine: once a form skinner has walked a Gallery page (read from its own
// description) or a dialog box's child windows, every control answers SM_ISSKINNED as the decision for its
// class, kind and style says.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/form_reader.h"
#include "platform/props.h"
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

std::string PageText(const std::string& name) {
    std::ifstream in(std::string(TV_SOURCE_DIR) + "/gallery/program/pages/" + name + ".form");
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    // The page's own form class is the Gallery's; here a plain form reads the description.
    const std::size_t at = text.find(": TGalleryPage");
    if (at != std::string::npos) text.replace(at, 14, ": TForm");
    return text;
}

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

// What discovery reads of a framework control, as the form skinner reads it.
FrameworkControl Describe(TControl* c) {
    FrameworkControl info;
    info.className = c->ClassName();
    auto* w = dynamic_cast<TWinControl*>(c);
    info.windowed = w != nullptr;
    info.isGroupBox = dynamic_cast<TCustomGroupBox*>(c) != nullptr;
    info.isStatusBar = dynamic_cast<TCustomStatusBar*>(c) != nullptr;
    info.isPanel = dynamic_cast<TCustomPanel*>(c) != nullptr;
    info.isMemo = dynamic_cast<TCustomMemo*>(c) != nullptr;
    info.isButton = dynamic_cast<TButton*>(c) != nullptr;
    info.isEdit = dynamic_cast<TCustomEdit*>(c) != nullptr;
    if (w) info.hasScrollBars = (GetWindowLongPtrW(w->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
    info.numButtons = int(GetOrdPropByName(c, "NumButtons"));
    info.kindProp = GetEnumPropByName(c, "Kind");
    return info;
}

TEST_F(DiscoveryTest, EveryControlOfTheListsPageIsSkinnedAsItsDecisionSays) {
    TForm page(nullptr);
    for (const char* h :
         {"ComboChange", "ComboDropDown", "ComboCloseUp", "DateChange", "DateDropDown", "DateCloseUp"})
        page.RegisterHandler(h, [](TObject*) {});
    ReadComponentRes(PageText("lists"), page);
    page.Show();
    Pump(50);
    auto* f = new TWinSkinForm(&page);  // owned by the form, as the manager makes it
    f->Hwnd = page.Handle();
    f->InitTform(&skin, &page);
    Activate(page.Handle());

    int checked = 0;
    for (TComponent* component : page.ComponentList()) {
        auto* c = dynamic_cast<TWinControl*>(component);
        if (!c) continue;
        const SkinChoice choice =
            ChooseFrameworkSkinner(Describe(c), skin.Skin3rd(), skin.SkinControls(), false);
        EXPECT_EQ(Skinned(c->Handle()), choice.skinner != SkinnerKind::None) << c->Name();
        // An extended combo box is skinned through the combo box it keeps as its child.
        if (dynamic_cast<TComboBoxEx*>(c)) EXPECT_TRUE(Skinned(GetWindow(c->Handle(), GW_CHILD)));
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

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
