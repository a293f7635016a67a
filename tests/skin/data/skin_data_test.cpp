// The skin component as a framework component: its properties, the stored skin, Loaded and SetActive,
// the load operations and what they ask of the skin manager.
#include <gtest/gtest.h>

#include <filesystem>

#include "fake_skin_manager.h"
#include "platform/class_registry.h"
#include "platform/collection.h"
#include "platform/filer.h"
#include "platform/form_reader.h"
#include "platform/props.h"
#include "skin/data/skin_data.h"
#include "skin/storage/skin_store.h"
#include "test_skins.h"

using namespace testskin;

namespace {

class TTestRoot : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TComponent::TComponent;
};
const TClassInfo TTestRoot::ClassInfo_{"TTestRoot", &TComponent::ClassInfo_, &TComponent::Props};

std::string Description(const std::string& properties, const std::vector<std::uint8_t>& packed) {
    TMemoryStream value;
    value.WriteInt32(std::int32_t(packed.size()));
    if (!packed.empty()) value.WriteBuffer(packed.data(), std::int64_t(packed.size()));
    return "object Root: TTestRoot\n  object SkinData1: TSkinData\n" + properties +
           "    SkinStream = " + FormatBinaryValue(value.Memory(), std::size_t(value.Size()), 6) + "\n" +
           "  end\nend\n";
}

class SkinComponent : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterComponentClasses<TSkinData>();
        FakeSkinManager::Use();
    }
    void TearDown() override { FakeSkinManager::StopUsing(); }

    TSkinData* ReadForm(TTestRoot& root, const std::string& properties,
                        const std::vector<std::uint8_t>& packed) {
        ReadComponentRes(Description(properties, packed), root);
        return dynamic_cast<TSkinData*>(root.FindComponent("SkinData1"));
    }
    static std::vector<FakeSkinManager::Request> Requests() { return FakeSkinManager::Current()->Requests; }
};

}  // namespace

TEST_F(SkinComponent, ReadingTheFormParsesTheSkinBeforeLoaded) {
    TTestRoot root(nullptr);
    TSkinData* d =
        ReadForm(root,
                 "    Active = True\n    SkinControls = [xcMainMenu, xcPopupMenu, xcMenuItem, xcButton]\n"
                 "    Version = '1.00'\n",
                 DefaultPackage());
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->Empty);
    EXPECT_TRUE(d->Active());  // a skin was there when Loaded came
    FakeSkinManager* m = FakeSkinManager::Current();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Dlist, std::vector<TSkinData*>{d});
    EXPECT_EQ(m->MainData, d);
    EXPECT_TRUE(m->HookInstalled);
    ASSERT_EQ(Requests().size(), 1u);  // setting Active while reading asked nothing
    EXPECT_EQ(Requests()[0].action, saInstall);
    EXPECT_EQ(Requests()[0].interval, 250);
    // xcMainMenu set: xcMenuItem goes
    EXPECT_FALSE(d->SkinControls().Contains(xcMenuItem));
    EXPECT_FALSE(d->SkinControls().Contains(xcSystemMenu));
    EXPECT_EQ(d->Version(), kSkinDataVersion);
    EXPECT_EQ(d->SkinStore(), "(none)");
}

TEST_F(SkinComponent, LoadedClearsActiveWhenThereIsNoSkin) {
    TTestRoot root(nullptr);
    TSkinData* d = ReadForm(root, "    Active = True\n    SkinControls = [xcPopupMenu, xcSystemMenu]\n", {});
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->Empty);
    EXPECT_FALSE(d->Active());
    FakeSkinManager* m = FakeSkinManager::Current();
    EXPECT_EQ(m->Dlist.size(), 1u);
    EXPECT_TRUE(m->HookInstalled);
    EXPECT_TRUE(Requests().empty());
    EXPECT_FALSE(d->SkinControls().Contains(xcSystemMenu));  // no xcMainMenu: the system menu goes
    // switching on without a skin is refused
    d->SetActive(true);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(SkinComponent, OtherFormTypesSwitchTheManagerOnWithoutAHook) {
    TTestRoot root(nullptr);
    TSkinData* d = ReadForm(root, "    Active = True\n    SkinFormtype = sfDialog\n", DefaultPackage());
    FakeSkinManager* m = FakeSkinManager::Current();
    EXPECT_TRUE(m->active);
    EXPECT_EQ(m->state, 1);
    EXPECT_FALSE(m->HookInstalled);
    EXPECT_EQ(m->MainData, nullptr);
    EXPECT_TRUE(Requests().empty());
    d->SetActive(false);
    d->SetActive(true);
    EXPECT_TRUE(Requests().empty());
    // a dialog component loads a new skin without asking for a refresh
    TMemoryStream s(SecondPackage());
    d->LoadFromStream(s);
    EXPECT_FALSE(d->Empty);
    EXPECT_EQ(d->SkinName, "Second");
    EXPECT_TRUE(Requests().empty());
}

TEST_F(SkinComponent, SetActiveAndLoadsDriveTheManager) {
    TTestRoot root(nullptr);
    TSkinData* d = ReadForm(root, "", DefaultPackage());
    FakeSkinManager* m = FakeSkinManager::Current();
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(m->state, 0);

    d->SetActive(true);
    EXPECT_EQ(m->UpdateData, d);
    EXPECT_EQ(m->state, 1);
    d->SetActive(true);  // unchanged: nothing
    d->SetActive(false);
    const std::vector<FakeSkinManager::Request> expected{{saInstall, d, 250}, {saUninstall, d, 250}};
    EXPECT_EQ(Requests(), expected);

    m->Requests.clear();
    m->UpdateData = nullptr;
    TMemoryStream s(SecondPackage());
    d->LoadFromStream(s);
    EXPECT_EQ(m->UpdateData, d);
    EXPECT_EQ(Requests(), (std::vector<FakeSkinManager::Request>{{saSkinChanged, d, 250}}));

    m->Requests.clear();
    d->Install();
    d->Uninstall();
    d->ChangeForm(reinterpret_cast<HWND>(std::uintptr_t(0x1234)));
    EXPECT_EQ(m->lpara, reinterpret_cast<HWND>(std::uintptr_t(0x1234)));
    EXPECT_EQ(Requests(), (std::vector<FakeSkinManager::Request>{
                              {saInstall, d, 250}, {saUninstall, d, 250}, {saReskinForm, d, 250}}));
    d->EnableSkin(false);
    EXPECT_FALSE(m->active);
    d->InstallThread(77);
    d->UnInstallThread(77);
    EXPECT_EQ(m->ThreadCalls, (std::vector<std::int64_t>{77, -77}));
}

TEST_F(SkinComponent, OnlyThisFormAsksEvenWhenSwitchedOff) {
    TTestRoot root(nullptr);
    TSkinData* d = ReadForm(root, "    SkinFormtype = sfOnlyThisForm\n", {});
    FakeSkinManager* m = FakeSkinManager::Current();
    d->SetActive(true);  // no skin: only UpdateData
    EXPECT_EQ(m->UpdateData, d);
    EXPECT_TRUE(Requests().empty());
    d->SetActive(false);
    EXPECT_EQ(Requests(), (std::vector<FakeSkinManager::Request>{{saUninstall, d, 250}}));
}

TEST_F(SkinComponent, DestroyingTheComponentUnregistersIt) {
    auto* root = new TTestRoot(nullptr);
    TSkinData* d = ReadForm(*root, "    Active = True\n", DefaultPackage());
    FakeSkinManager* m = FakeSkinManager::Current();
    EXPECT_EQ(m->Dlist, std::vector<TSkinData*>{d});
    delete root;
    EXPECT_TRUE(m->Dlist.empty());
}

TEST_F(SkinComponent, PublishedPropertiesByName) {
    TSkinData d(nullptr);
    EXPECT_EQ(GetEnumPropByName(&d, "Active"), "False");
    EXPECT_EQ(GetOrdPropByName(&d, "DisableTag"), 99);
    EXPECT_EQ(GetSetPropByName(&d, "Options"), "xoPreview,xoToolbarBK,xoCaptionButtonHint");
    EXPECT_EQ(GetEnumPropByName(&d, "SkinFormtype"), "sfMainform");
    EXPECT_EQ(GetEnumPropByName(&d, "MenuUpdate"), "True");
    EXPECT_EQ(GetEnumPropByName(&d, "MenuMerge"), "False");
    EXPECT_EQ(d.Skin3rd().Count(), 118);
    const std::string controls = GetSetPropByName(&d, "SkinControls");
    EXPECT_EQ(controls.find("xcMenuItem"), std::string::npos);
    EXPECT_NE(controls.find("xcSystemMenu"), std::string::npos);

    // Version and SkinStore ignore what is written to them
    EXPECT_TRUE(SetPropByName(&d, "Version", std::string_view("9.9")));
    EXPECT_EQ(GetStrPropByName(&d, "Version"), L"5.40.07.15");
    SetPropByName(&d, "SkinStore", std::string_view("x"));
    EXPECT_EQ(GetStrPropByName(&d, "SkinStore"), L"(none)");
    // at design time the store reports whether a skin is held
    d.SetDesigning(true);
    EXPECT_EQ(d.SkinStore(), "(none)");
    d.data.WriteInt32(1);
    EXPECT_EQ(d.SkinStore(), "(Good)");
    d.SetDesigning(false);
    EXPECT_EQ(d.SkinStore(), "(none)");

    EXPECT_TRUE(SetPropByName(&d, "SkinFormtype", std::string_view("sfDLL")));
    EXPECT_EQ(d.SkinFormtype(), sfDLL);
    TStringList rows{"TMine=button"};
    d.SetSkin3rd(rows);
    EXPECT_EQ(d.Skin3rd().Count(), 1);
}

TEST_F(SkinComponent, SkinStreamIsACountThenThePackedSkin) {
    TSkinData d(nullptr);
    TBinaryProperties props(d);
    ASSERT_NE(props.Find("SkinStream"), nullptr);
    EXPECT_TRUE(props.Find("SkinStream")->HasData);  // always written
    EXPECT_EQ(props.Write("SkinStream"), (std::vector<std::uint8_t>{0, 0, 0, 0}));

    const std::vector<std::uint8_t> packed = DefaultPackage();
    std::vector<std::uint8_t> value{std::uint8_t(packed.size()), std::uint8_t(packed.size() >> 8),
                                    std::uint8_t(packed.size() >> 16), std::uint8_t(packed.size() >> 24)};
    value.insert(value.end(), packed.begin(), packed.end());
    ASSERT_TRUE(props.Read("SkinStream", value));
    EXPECT_FALSE(d.Empty);
    EXPECT_EQ(d.data.Bytes(), packed);
    EXPECT_EQ(props.Write("SkinStream"), value);

    // at design time the bytes are kept but nothing is parsed
    TSkinData designed(nullptr);
    designed.SetDesigning(true);
    TBinaryProperties(designed).Read("SkinStream", value);
    EXPECT_TRUE(designed.Empty);
    EXPECT_EQ(designed.data.Size(), std::int64_t(packed.size()));
    EXPECT_EQ(designed.SArrow, nullptr);
}

TEST_F(SkinComponent, LoadFromFileAndTheSkinFileProperty) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tv_skin_data_test";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "second.skn";
    const std::vector<std::uint8_t> packed = SecondPackage();
    WriteFileBytes(file, packed.data(), packed.size());

    TSkinData d(nullptr);
    d.SetSkinFormtype(sfDialog);
    {
        TMemoryStream s(DefaultPackage());
        d.LoadFromStream(s);
    }
    const TDataSkinObject* arrows = d.SArrow.get();
    // a file that does not exist loads nothing and keeps the skin objects
    d.LoadFromFile((dir / "missing.skn").string());
    EXPECT_TRUE(d.Empty);
    EXPECT_EQ(d.SArrow.get(), arrows);
    EXPECT_EQ(d.SkinFile(), (dir / "missing.skn").string());

    ASSERT_TRUE(SetPropByName(&d, "SkinFile", file.string()));
    EXPECT_FALSE(d.Empty);
    EXPECT_EQ(d.SkinName, "Second");
    EXPECT_EQ(d.data.Bytes(), packed);
    std::filesystem::remove_all(dir);
}

TEST_F(SkinComponent, DoFormSkinVetoes) {
    TSkinData d(nullptr);
    bool doSkin = true;
    d.DoFormSkin(reinterpret_cast<HWND>(std::uintptr_t(5)), "SysMonthCal32", doSkin);
    EXPECT_FALSE(doSkin);
    EXPECT_EQ(d.formhwnd, reinterpret_cast<HWND>(std::uintptr_t(5)));
    doSkin = true;
    d.DoFormSkin(nullptr, "TfrPreviewForm", doSkin);
    EXPECT_TRUE(doSkin);  // only with xcFastReport
    d.SetSkinControls(d.SkinControls() | TSkinControlTypes{xcFastReport});
    d.DoFormSkin(nullptr, "TfrPreviewForm", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = true;
    d.DoFormSkin(nullptr, "TFRPreviewForm", doSkin);  // the prefix is case-sensitive
    EXPECT_TRUE(doSkin);
    doSkin = false;
    d.DoFormSkin(nullptr, "TForm1", doSkin);
    EXPECT_FALSE(doSkin);  // left as it came

    // an event handler decides alone
    std::string asked;
    d.OnFormSkin = [&](TObject* sender, const std::string& name, bool& skin) {
        asked = name;
        skin = sender == &d;
    };
    doSkin = false;
    d.DoFormSkin(nullptr, "SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin);
    EXPECT_EQ(asked, "SysMonthCal32");
}

TEST_F(SkinComponent, SmallServices) {
    EXPECT_EQ(TSkinData::GetFileName("skin.v2.skn"), "skin");
    EXPECT_EQ(TSkinData::GetFileName("skin"), "");
    EXPECT_EQ(TSkinData::GetFileName(".ini"), "");

    TSkinData d(nullptr);
    EXPECT_EQ(d.GetCaptionColor(), clBtnFace);  // no Top image: the button face
    EXPECT_EQ(d.bmpmenu.Width(), 64);
    EXPECT_EQ(d.Button->IDName, "Buttons");
    EXPECT_EQ(d.border[3]->IDName, "Bottom");
    EXPECT_EQ(d.SArrow, nullptr);

    d.ActivateHint(Rect(0, 0, 10, 10), L"Close");
    EXPECT_TRUE(d.IsHint());
    d.HideHint();
    EXPECT_FALSE(d.IsHint());
    d.SetOptions(TSkinOptions{xoPreview});
    d.ActivateHint(Rect(0, 0, 10, 10), L"Close");
    EXPECT_FALSE(d.IsHint());

    TStringList trace;
    d.DoDebug("lost");
    d.DebugList = &trace;
    d.DoDebug("kept");
    EXPECT_EQ(trace.Count(), 1);

    TSkinData other(nullptr);
    d.ChangeProperty(&other, "SkinFormtype", "sfDialog");
    EXPECT_EQ(other.SkinFormtype(), sfDialog);
    d.ChangeProperty(&other, "DisableTag", "5");  // not an enumeration
    EXPECT_EQ(other.DisableTag(), 99);
    d.ChangeProperty(nullptr, "SkinFormtype", "sfDialog");

    int changed = 0;
    d.OnSkinChanged = [&](TObject* sender) { changed += sender == &d; };
    d.DoSkinChanged();
    EXPECT_EQ(changed, 1);
}

TEST_F(SkinComponent, LoadFromCollectionLoadsAStoredSkinAsItsFileWouldAndRefusesOtherIndices) {
    TSkinStore store(nullptr);
    for (const auto& bytes : {DefaultPackage(), SecondPackage()}) {
        TMemoryStream s(bytes);
        store.Store()->Add()->LoadFromStream(s);
    }
    TSkinData d(nullptr);
    d.SetSkinFormtype(sfDialog);
    for (int index : {-1, 2, -1000}) {
        d.LoadFromCollection(&store, index);
        EXPECT_TRUE(d.Empty) << index;
        EXPECT_EQ(d.data.Size(), 0) << index;
    }
    d.LoadFromCollection(nullptr, 0);
    EXPECT_EQ(d.data.Size(), 0);
    d.LoadFromCollection(&store, 1);
    EXPECT_FALSE(d.Empty);
    EXPECT_EQ(d.SkinName, "Second");
    // a refused index leaves the loaded skin alone
    d.LoadFromCollection(&store, -1);
    EXPECT_FALSE(d.Empty);
    EXPECT_EQ(d.data.Bytes(), SecondPackage());
    // The same package from a file: the same skin.
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tv_store_skin.skn";
    {
        TMemoryStream s(DefaultPackage());
        s.SaveToFile(file);
    }
    store.Store()->Items(0)->LoadFromFile(file);
    EXPECT_EQ(store.Store()->Items(0)->DataSize(), int(std::filesystem::file_size(file)));
    TSkinData fromFile(nullptr);
    fromFile.SetSkinFormtype(sfDialog);
    fromFile.LoadFromFile(file.string());
    d.LoadFromCollection(&store, 0);
    EXPECT_EQ(d.SkinName, "Test Skin");
    EXPECT_EQ(d.SkinName, fromFile.SkinName);
    EXPECT_EQ(d.Colors, fromFile.Colors);
    EXPECT_EQ(d.data.Bytes(), fromFile.data.Bytes());
    std::filesystem::remove(file);
}

TEST_F(SkinComponent, WithoutAnEngineTheComponentStillHoldsItsSkin) {
    FakeSkinManager::StopUsing();  // a program that never asked for the manager
    TTestRoot root(nullptr);
    TSkinData* d = ReadForm(root, "    Active = True\n", DefaultPackage());
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->Empty);
    EXPECT_EQ(SkinManager(), nullptr);
    // Requests have nobody to go to and change nothing.
    d->Install();
    d->SetActive(false);
    d->SkinForm(nullptr);
    TMemoryStream nothing;
    d->LoadFromStream(nothing);
    EXPECT_EQ(SkinManager(), nullptr);
}
