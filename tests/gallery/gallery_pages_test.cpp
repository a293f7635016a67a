// Every control of every Gallery page, and every child window of the dialog box, answers SM_ISSKINNED as
// the engine's discovery decides for it: each page skinned by a form skinner as the manager makes one for
// a framework form, the dialog box by one for a plain window. Runs with the program's own resources.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>

#include "gallery/win/controls_dialog.h"
#include "gallery/win/gallery_page.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/form/control_discovery.h"
#include "skin/form/win/control_discovery_win.h"
#include "skin/form/win/win_skin_form.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/controls/win/skinner_fixtures.h"

namespace {

constexpr LPARAM kInitSkinMark = 1000;

bool Skinned(TControl* c) {
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated())
        return SendMessageW(w->Handle(), SM_ISSKINNED, 0, 0) == 1;
    return c->Perform(SM_ISSKINNED) == 1;  // windowless: through the control itself
}

// A control that discovery gives a skinner the engine has answers that it is skinned.
bool Expected(SkinnerKind kind) { return kind != SkinnerKind::None && HasSkinnerFor(kind); }

bool Bordered(TWinControl* w) {
    RECT r, c;
    GetWindowRect(w->Handle(), &r);
    GetClientRect(w->Handle(), &c);
    return r.right - r.left != c.right || r.bottom - r.top != c.bottom;
}

std::string LowerClass(HWND h) {
    wchar_t name[101] = {};
    GetClassNameW(h, name, 101);
    std::string cls;
    for (const wchar_t* p = name; *p; ++p) cls.push_back(char(std::tolower(*p < 128 ? int(*p) : '?')));
    return cls;
}

// The raw child windows of a window (a child dialog's, say), as the plain-window rows skin them: a window
// whose own children go first is walked too.
void CheckWindows(HWND parent, TSkinData& skin, int& checked) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const HwndChoice choice = ChooseHwndSkinner(
            LowerClass(child), DWORD(GetWindowLongW(child, GWL_STYLE)), skin.SkinControls());
        if (choice.firstChild) continue;
        EXPECT_EQ(SendMessageW(child, SM_ISSKINNED, 0, 0) == 1, Expected(choice.skinner))
            << LowerClass(child) << " " << GetDlgCtrlID(child);
        ++checked;
        if (choice.childrenFirst) CheckWindows(child, skin, checked);
    }
}

// c and everything inside it; groupChoice: the skinner a group gives its children (None: their own).
void Check(TControl* c, TSkinData& skin, SkinnerKind groupChoice, int& checked) {
    SkinChoice choice;
    if (groupChoice != SkinnerKind::None)
        choice.skinner = groupChoice;
    else
        choice = ChooseFrameworkSkinner(DescribeControl(c), skin.Skin3rd(), skin.SkinControls(),
                                        skin.tab != nullptr);
    auto* w = dynamic_cast<TWinControl*>(c);
    if (c->Tag() == skin.DisableTag() || (choice.borderedOnly && w && !Bordered(w))) choice = {};
    EXPECT_EQ(Skinned(c), Expected(choice.skinner)) << c->Name() << " (" << c->ClassName() << ")";
    ++checked;
    if (w)
        for (int i = 0; i < w->ControlCount(); ++i) Check(w->Controls(i), skin, choice.childSkinner, checked);
    if (w && choice.hwndChildren) CheckWindows(w->Handle(), skin, checked);
}

class GalleryPagesTest : public testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        ASSERT_TRUE(LoadDefaultSkin(skin, true));
    }
    void TearDown() override { FreeSkinManager(); }
    TSkinData skin{nullptr};
};

TEST_F(GalleryPagesTest, EveryControlOfEveryPageIsSkinnedAsDiscoveryDecides) {
    for (SkinnerKind k : {SkinnerKind::Button, SkinnerKind::BitButton, SkinnerKind::MenuButton,
                          SkinnerKind::SpeedButton, SkinnerKind::GroupBox})
        EXPECT_TRUE(HasSkinnerFor(k)) << int(k);
    for (const GalleryPageEntry& entry : GalleryPageTable()) {
        std::unique_ptr<TGalleryPage> page{MakeGalleryPage(entry, nullptr)};
        page->Show();
        auto* skinner = new TWinSkinForm(page.get());  // owned by the page, as the manager makes it
        skinner->Hwnd = page->Handle();
        skinner->InitTform(&skin, page.get());
        PostMessageW(page->Handle(), SM_INITSKIN, 0, kInitSkinMark);
        ASSERT_TRUE(PumpUntil([&] { return skinner->Skinstate == TWinSkinForm::kActive; }, 10000))
            << entry.name;
        int checked = 0;
        for (int i = 0; i < page->ControlCount(); ++i)
            Check(page->Controls(i), skin, SkinnerKind::None, checked);
        EXPECT_GT(checked, 0) << entry.name;
    }
}

TEST_F(GalleryPagesTest, EveryChildWindowOfTheDialogBoxIsSkinnedAsDiscoveryDecides) {
    const HWND dlg = ShowControlsDialog(nullptr);
    ASSERT_NE(dlg, nullptr);
    TWinSkinForm skinner(nullptr);
    skinner.Hwnd = dlg;
    skinner.InitDlg(&skin);
    PostMessageW(dlg, SM_INITSKIN, 0, kInitSkinMark);
    ASSERT_TRUE(PumpUntil([&] { return skinner.Skinstate == TWinSkinForm::kActive; }, 10000));
    int checked = 0;
    CheckWindows(dlg, skin, checked);  // an extended combo box is skinned through a window of its own
    EXPECT_GT(checked, 10);
    EXPECT_EQ(SendDlgItemMessageW(dlg, kIdcHeader, SM_ISSKINNED, 0, 0), 1);
    // The picture button keeps the platform's look.
    EXPECT_EQ(SendDlgItemMessageW(dlg, kIdcPicture, SM_ISSKINNED, 0, 0), 0);
    DestroyWindow(dlg);
}

}  // namespace
