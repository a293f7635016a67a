// The skin-author preview commands: slice writes what the composer makes, region prints the window region.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/bitmap.h"
#include "skin/imaging/img_util.h"
#include "tools/skinpack/command.h"

namespace {

namespace fs = std::filesystem;

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

CommandRun Skinpack(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = skinpack::RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
}

class PreviewCommands : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tv_imaging_preview_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::create_directories(dir_);
        // Two stacked frames of 6 x 4 with key-coloured corners.
        strip_ = TBitmap(6, 8, pf24bit);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 6; ++x)
                strip_.SetPixel(
                    x, y, (x == 0 || x == 5) && (y % 4 == 0) ? SkinKeyColor : RGBColor(x * 40, y * 30, 7));
        strip_.SaveToFile(Path("strip.bmp"));
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
    TBitmap strip_;
};

TEST_F(PreviewCommands, SliceWritesTheComposedImage) {
    const CommandRun r = Skinpack({"slice", Path("strip.bmp"), "17", "11", "2", "1", "2", "1", "2", "2",
                                   "--vertical", "--tile", Path("out.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    TBitmap written;
    ASSERT_TRUE(written.LoadFromFile(Path("out.bmp")));
    EXPECT_EQ(written.PixelFormat(), pf24bit);
    const auto expected = MakeSkinBitmap(Rect(0, 0, 17, 11), strip_, Rect(2, 1, 2, 1), 2, 2, 1, 1);
    ASSERT_EQ(written.Width(), 17);
    ASSERT_EQ(written.Height(), 11);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 17; ++x) ASSERT_EQ(written.Pixel(x, y), expected->Pixel(x, y)) << x << "," << y;
}

TEST_F(PreviewCommands, RegionPrintsRectanglesThenTheirCount) {
    const CommandRun r = Skinpack({"region", Path("strip.bmp"), "100", "-1"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string first, last, line;
    std::getline(lines, first);
    int count = 0;
    while (std::getline(lines, line)) {
        last = line;
        ++count;
    }
    EXPECT_EQ(first, "101 -1 105 0");  // row 0 without its two key corners
    EXPECT_EQ(last, "8");              // 8 rows, one run each
    EXPECT_EQ(count, 8);
}

TEST_F(PreviewCommands, BadInputIsOneLineAndAFailingStatus) {
    std::ofstream(Path("junk.bmp")) << "not an image";
    for (const char* cmd : {"region", "slice"}) {
        SCOPED_TRACE(cmd);
        const CommandRun r = std::string(cmd) == "region"
                                 ? Skinpack({"region", Path("junk.bmp")})
                                 : Skinpack({"slice", Path("junk.bmp"), "4", "4", "0", "0", "0", "0", "1",
                                             "1", Path("o.bmp")});
        EXPECT_EQ(r.status, skinpack::kExitFailure);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(fs::exists(Path("o.bmp")));
    EXPECT_EQ(Skinpack({"region", Path("strip.bmp"), "1"}).status, skinpack::kExitUsage);
    EXPECT_EQ(
        Skinpack({"slice", Path("strip.bmp"), "4x", "4", "0", "0", "0", "0", "1", "1", Path("o.bmp")}).status,
        skinpack::kExitUsage);
    EXPECT_EQ(
        Skinpack({"slice", Path("strip.bmp"), "4", "4", "0", "0", "0", "0", "1", "0", Path("o.bmp")}).status,
        skinpack::kExitFailure);
    EXPECT_EQ(
        Skinpack({"slice", Path("strip.bmp"), "0", "4", "0", "0", "0", "0", "1", "1", Path("o.bmp")}).status,
        skinpack::kExitFailure);
}

}  // namespace
