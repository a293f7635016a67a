// skinpack inspect: the facts it prints for a skin and the warnings a skin author gets.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/stream.h"
#include "test_skins.h"
#include "tools/skinpack/command.h"

using namespace testskin;

namespace {

struct Outcome {
    int status = 0;
    std::string out, err;
};

Outcome Inspect(const std::vector<std::uint8_t>& package) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tv_inspect_test.skn";
    WriteFileBytes(file, package.data(), package.size());
    std::ostringstream out, err;
    const std::vector<std::string> args{"inspect", file.string()};
    Outcome r;
    r.status = skinpack::RunCommandLine(args, out, err);
    r.out = out.str();
    r.err = err.str();
    std::filesystem::remove(file);
    return r;
}

bool Has(const std::string& text, const std::string& line) { return text.find(line + "\n") != std::string::npos; }

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
    EXPECT_NE(r.out.find("warning: caption-button.5: image width 100 does not divide into 3 cells"), std::string::npos)
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
