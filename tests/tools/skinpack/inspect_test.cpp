// skinpack inspect: the facts it prints for a skin and the warnings a skin author gets.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/class_registry.h"
#include "platform/form_reader.h"
#include "platform/stream.h"
#include "skin/data/skin_data.h"
#include "tests/skin/data/fake_skin_manager.h"
#include "tests/skin/data/test_skins.h"
#include "tools/skinpack/command.h"

using namespace testskin;

namespace {

struct Outcome {
    int status = 0;
    std::string out, err;
};

Outcome Inspect(const std::vector<std::uint8_t>& package, const char* command = "inspect") {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tv_inspect_test.skn";
    WriteFileBytes(file, package.data(), package.size());
    std::ostringstream out, err;
    const std::vector<std::string> args{command, file.string()};
    Outcome r;
    r.status = skinpack::RunCommandLine(args, out, err);
    r.out = out.str();
    r.err = err.str();
    std::filesystem::remove(file);
    return r;
}

bool Has(const std::string& text, const std::string& line) {
    return text.find(line + "\n") != std::string::npos;
}

}  // namespace

TEST(SkinpackInspect, PrintsObjectsButtonsAndColoursOneFactPerLine) {
    const Outcome r = Inspect(DefaultPackage());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "skin-name: Test Skin"));
    EXPECT_TRUE(Has(r.out, "object.border[2].Top.image: 223x56"));
    EXPECT_TRUE(Has(r.out, "object.border[2].Top.layout: stacked"));
    EXPECT_TRUE(Has(r.out, "object.border[2].Top.cell: 223x28"));
    EXPECT_TRUE(Has(r.out, "object.border[2].Top.margins: 11,0,140,0"));
    EXPECT_TRUE(Has(r.out, "object.SArrow.cells: 23"));
    EXPECT_TRUE(Has(r.out, "object.SArrow.cell: 17x16"));
    EXPECT_TRUE(Has(r.out, "object.MenuItem: absent"));
    EXPECT_TRUE(Has(r.out, "object.TrackBar.section: TRACK"));
    EXPECT_TRUE(Has(r.out, "caption-buttons: 8"));
    EXPECT_TRUE(Has(r.out, "caption-button.2.action: 4"));
    EXPECT_TRUE(Has(r.out, "caption-button.2.position: 44,5"));
    EXPECT_TRUE(Has(r.out, "caption-button.7.position: 17,0"));
    EXPECT_TRUE(Has(r.out, "colour.3.ButtonFace: 237,237,237 (given)"));
    EXPECT_TRUE(Has(r.out, "colour.0.WindowText: system 8"));
    EXPECT_TRUE(Has(r.out, "presets: 12"));
    EXPECT_TRUE(Has(r.out, "preset.6: 0,70,213"));
    EXPECT_TRUE(Has(r.out, "custom-colour.9: 255,255,255"));
    EXPECT_EQ(r.out.find("warning"), std::string::npos) << r.out;
    // every line is "key: value"
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) EXPECT_NE(line.find(": "), std::string::npos) << line;
    // the same package prints the same text
    EXPECT_EQ(Inspect(DefaultPackage()).out, r.out);
}

TEST(SkinpackInspect, WarnsAboutWhatASkinAuthorWouldMiss) {
    std::vector<SkinPackageEntry> images = DefaultImages();
    images.push_back({"odd.bmp", BmpBytes(CellStrip(100, 10, 1, 40))});
    images.push_back({"broken.bmp", {'B', 'M', 1, 2, 3}});
    const std::string ini = DefaultIni() + R"(
[ButtonHelp]
Action=5
ButtonImage=odd.bmp
frame=3
[Colours2]
color=1 2 3
[Trackbar.ThumbHorz]
Image=gone.bmp
[Progress.Chunk]
Image=SCROLL.BMP
[MenuBackground]
Image=broken.bmp
)";
    const Outcome r = Inspect(Package(ini, images));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("warning: caption-button.5: image width 100 does not divide into 3 cells"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("warning: section [ButtonHelp] is read as a caption button"), std::string::npos);
    EXPECT_NE(r.out.find("warning: section [Colours2] is read as a colour preset"), std::string::npos);
    EXPECT_NE(r.out.find("image \"gone.bmp\" is missing from the package"), std::string::npos);
    EXPECT_NE(r.out.find("\"SCROLL.BMP\" is not read"), std::string::npos);
    EXPECT_NE(r.out.find("image \"broken.bmp\" is not a BMP"), std::string::npos);
    EXPECT_EQ(r.out.find("[Button0] is read"), std::string::npos);
}

TEST(SkinpackInspect, RefusesWhatIsNoSkinPackage) {
    const Outcome r = Inspect({1, 2, 3, 4, 5});
    EXPECT_EQ(r.status, skinpack::kExitFailure);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("skinpack: "), std::string::npos);
}

namespace {
class TBlockRoot : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TComponent::TComponent;
};
const TClassInfo TBlockRoot::ClassInfo_{"TBlockRoot", &TComponent::ClassInfo_, &TComponent::Props};
}  // namespace

TEST(SkinpackSkinDataBlock, TheWindowsSkinComponentReadsBackAsConfigured) {
    const std::vector<std::uint8_t> packed = DefaultPackage();
    const Outcome r = Inspect(packed, "skindata-block");
    ASSERT_EQ(r.status, 0) << r.err;
    RegisterComponentClasses<TSkinData>();
    FakeSkinManager::Use();
    TBlockRoot root(nullptr);
    ReadComponentRes("object Form1: TBlockRoot\n" + r.out + "end\n", root);
    auto* d = dynamic_cast<TSkinData*>(root.FindComponent("SkinData1"));
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->Empty);
    EXPECT_TRUE(d->Active());
    EXPECT_EQ(d->DisableTag(), 99);
    EXPECT_EQ(d->Version(), "5.40.07.15");
    EXPECT_EQ(d->Skin3rd().Count(), 118);
    EXPECT_EQ(d->Skin3rd()[117], "TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(d->Options(), (TSkinOptions{xoPreview, xoToolbarBK, xoCaptionButtonHint}));
    EXPECT_TRUE(d->SkinControls().Contains(xcTrackBar));
    EXPECT_FALSE(d->SkinControls().Contains(xcSystemMenu));
    EXPECT_FALSE(d->SkinControls().Contains(xcMenuItem));
    EXPECT_EQ(d->data.Bytes(), packed);
    FakeSkinManager* m = FakeSkinManager::Current();
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->HookInstalled);
    EXPECT_EQ(m->MainData, d);
    ASSERT_EQ(m->Requests.size(), 1u);
    EXPECT_EQ(m->Requests[0].action, saInstall);
    FakeSkinManager::StopUsing();
}
