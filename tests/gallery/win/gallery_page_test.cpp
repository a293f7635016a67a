// Every page of the Gallery's page table, made from its description and skinned as the manager would skin
// it: each control answers SM_ISSKINNED with 1 exactly where discovery's decision gives it a skinner this
// engine has (a group's items the skinner the group's decision names for them).
#include "gallery/win/gallery_page.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/stream.h"
#include "platform/win/forms.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/form/control_discovery.h"
#include "skin/form/win/control_discovery_win.h"
#include "skin/form/win/win_skin_form.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

// The skin component as the Gallery's main form describes it.
void LoadGallerySkin(TSkinData& skin) {
    TMemoryStream s(testskin::ProgramPackage());
    skin.LoadFromStream(s);
    skin.SetDisableTag(99);
    skin.SetSkinControls({xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
                          xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton,
                          xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar});
}

// The decision for one control, as discovery takes it (the group's choice for its items first).
SkinnerKind Expected(TWinControl* c, const TSkinData& skin) {
    if (c->Tag() == skin.DisableTag()) return SkinnerKind::None;
    auto decide = [&](TControl* x) {
        return ChooseFrameworkSkinner(DescribeControl(x), skin.Skin3rd(), skin.SkinControls(),
                                      skin.tab != nullptr);
    };
    if (TWinControl* parent = c->Parent(); parent && parent->Parent()) {
        const SkinChoice group = decide(parent);
        if (group.childSkinner != SkinnerKind::None) return group.childSkinner;
    }
    return decide(c).skinner;
}

TEST(GalleryPages, EveryControlIsSkinnedWhereDiscoveryDecidesSo) {
    TSkinData skin(nullptr);
    LoadGallerySkin(skin);
    ASSERT_FALSE(skin.Empty);
    ASSERT_FALSE(GalleryPageTable().empty());
    for (const GalleryPageEntry& entry : GalleryPageTable()) {
        SCOPED_TRACE(entry.name);
        std::unique_ptr<TGalleryPage> page;
        try {
            page.reset(MakeGalleryPage(entry, nullptr));
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what() << " (is the page in tests/gallery/win/gallery_page_test.rc?)";
            continue;
        }
        page->Show();
        auto* skinner = new TWinSkinForm(page.get());  // owned by the page, as the manager makes it
        skinner->Hwnd = page->Handle();
        skinner->InitTform(&skin, page.get());
        PostMessageW(page->Handle(), SM_INITSKIN, 0, 1000);
        ASSERT_TRUE(PumpUntil([&] { return skinner->Skinstate == TWinSkinForm::kActive; }, 5000));
        std::vector<TWinControl*> controls;
        page->GetTabOrderList(controls);
        ASSERT_FALSE(controls.empty());
        int skinned = 0;
        for (TWinControl* c : controls) {
            const SkinnerKind want = Expected(c, skin);
            const bool shouldBe = want != SkinnerKind::None && HasSkinnerFor(want);
            EXPECT_EQ(SendMessageW(c->Handle(), SM_ISSKINNED, 0, 0), shouldBe ? 1 : 0)
                << c->ClassName() << " " << c->Name() << " \"" << WideToUtf8(c->Caption()) << "\"";
            skinned += shouldBe;
        }
        EXPECT_GT(skinned, 0);
    }
    FreeSkinManager();
}

}  // namespace
