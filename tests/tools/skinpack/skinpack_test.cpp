// The skinpack commands, run in-process on files in the build folder.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/stream.h"
#include "skin/storage/lzh.h"
#include "skin/storage/skin_package_writer.h"
#include "tools/skinpack/command.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Result {
    int status;
    std::string out, err;
};

Result Skinpack(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = skinpack::RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
}

void WriteText(const fs::path& p, const std::string& text) { WriteFileBytes(p, text.data(), text.size()); }

std::string ReadText(const fs::path& p) {
    const Bytes b = ReadFileBytes(p);
    return {b.begin(), b.end()};
}

int CountLines(const std::string& s) { return int(std::count(s.begin(), s.end(), '\n')); }

class SkinpackTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::path(TV_BINARY_DIR) / "skinpack_test" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root);
        fs::create_directories(root / "skin");
        WriteText(root / "skin" / "b.bmp", "BM second");
        WriteText(root / "skin" / "A.bmp", "BM first");
        WriteText(root / "skin" / "skin.ini",
                  "[Colours]\r\nHex=0x1F\r\n; note\r\n[Buttons]\r\nImage=a.bmp\r\n");
    }
    fs::path root;
};

TEST_F(SkinpackTest, PackListUnpackRoundTrip) {
    const std::string pkg = (root / "out.skn").string();
    Result r = Skinpack({"pack", (root / "skin").string(), pkg});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());

    r = Skinpack({"list", pkg});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("version: 70000\n"), std::string::npos);
    EXPECT_NE(r.out.find("directory length: 24\n"), std::string::npos);  // "skin.ini", "A.bmp", "b.bmp"
    EXPECT_NE(r.out.find("entries: 3\n"), std::string::npos);
    EXPECT_NE(r.out.find("sizes add up: yes\n"), std::string::npos);
    // The description first, then the images by name whatever their case.
    const std::size_t ini = r.out.find("skin.ini"), a = r.out.find("a.bmp"), b = r.out.find("b.bmp");
    EXPECT_LT(ini, a);
    EXPECT_LT(a, b);
    EXPECT_NE(r.out.find("    1         8        53  a.bmp\n"), std::string::npos) << r.out;

    r = Skinpack({"unpack", pkg, (root / "back").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(root / "back" / "skin.ini"), ReadText(root / "skin" / "skin.ini"));
    EXPECT_EQ(ReadText(root / "back" / "a.bmp"), "BM first");  // names come back lower-cased
    EXPECT_EQ(ReadText(root / "back" / "b.bmp"), "BM second");

    // The unpacked package is what the writer makes.
    EXPECT_EQ(LzhUnpackBytes(ReadFileBytes(pkg)).size(),
              16u + 69 + 24 + 12 + ReadText(root / "skin" / "skin.ini").size() + 8 + 9);
}

TEST_F(SkinpackTest, ListFileSetsTheOrder) {
    WriteText(root / "order.txt", "# images first\r\nb.bmp\r\n\r\n  skin.ini  \r\n");
    const std::string pkg = (root / "out.skn").string();
    Result r = Skinpack({"pack", (root / "skin").string(), pkg, (root / "order.txt").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Skinpack({"list", pkg});
    EXPECT_NE(r.out.find("entries: 2\n"), std::string::npos);
    EXPECT_LT(r.out.find("b.bmp"), r.out.find("skin.ini"));
}

TEST_F(SkinpackTest, LzhAndIniCommands) {
    const fs::path ini = root / "skin" / "skin.ini";
    Result r = Skinpack({"lzh-pack", ini.string(), (root / "skin.z").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Skinpack({"lzh-unpack", (root / "skin.z").string(), (root / "skin.back").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(root / "skin.back"), ReadText(ini));

    r = Skinpack({"ini-get", ini.string(), "colours", "HEX"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0x1F\n");
    r = Skinpack({"ini-get", "-z", (root / "skin.z").string(), "Buttons", "image"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a.bmp\n");
    r = Skinpack({"ini-get", ini.string(), "Buttons", "Missing"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(CountLines(r.err), 1);
    r = Skinpack({"ini-get", "-z", ini.string(), "Buttons", "Image"});  // plain text read as packed
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("skinpack: " + ini.string() + ": ", 0), 0u) << r.err;
}

TEST_F(SkinpackTest, ErrorsAreOneLineAndLeaveNoHalfWrittenOutput) {
    const fs::path pkg = root / "out.skn";
    WriteText(pkg, "previous content");

    // A list naming a missing file: the earlier output stays as it was, and no temporary file is left.
    WriteText(root / "order.txt", "skin.ini\r\nmissing.bmp\r\n");
    Result r = Skinpack({"pack", (root / "skin").string(), pkg.string(), (root / "order.txt").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(CountLines(r.err), 1);
    EXPECT_NE(r.err.find("missing.bmp"), std::string::npos);
    EXPECT_EQ(ReadText(pkg), "previous content");
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(root)) ++files;
    EXPECT_EQ(files, 3);  // skin/, out.skn, order.txt

    // A damaged package: one line naming the file, nothing unpacked.
    Bytes damaged = BuildSkinPackage({{"a.ini", {'x'}}});
    damaged[0] = 2;  // declares 2 bytes: the header is cut short
    WriteFileBytes(pkg, damaged.data(), damaged.size());
    r = Skinpack({"unpack", pkg.string(), (root / "back").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "skinpack: " + pkg.string() +
                         ": not a usable skin package: truncated header: 2 bytes, 16 "
                         "needed\n");
    EXPECT_FALSE(fs::exists(root / "back"));

    // An unknown version is reported on the same line as the reader's message.
    Bytes unknown = BuildSkinPackageUnpacked({{"a.ini", {'x'}}});
    unknown[0] = 1;
    const Bytes packedUnknown = LzhPackBytes(unknown);
    WriteFileBytes(pkg, packedUnknown.data(), packedUnknown.size());
    r = Skinpack({"list", pkg.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(CountLines(r.err), 1);
    EXPECT_NE(r.err.find("This is Older Skin File Please update to new version !"), std::string::npos)
        << r.err;

    // Entry names that would leave the target folder are refused before anything is written.
    const Bytes evil = BuildSkinPackage({{"skin.ini", {'x'}}, {"../evil.bmp", {'y'}}});
    WriteFileBytes(pkg, evil.data(), evil.size());
    r = Skinpack({"unpack", pkg.string(), (root / "back").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(root / "evil.bmp"));
    EXPECT_FALSE(fs::exists(root / "back" / "skin.ini"));

    // Missing inputs, wrong usage, unknown commands.
    r = Skinpack({"pack", (root / "nowhere").string(), pkg.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "skinpack: " + (root / "nowhere").string() + ": not a folder\n");
    r = Skinpack({"lzh-unpack", (root / "nowhere.z").string(), (root / "x").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(CountLines(r.err), 1);
    EXPECT_FALSE(fs::exists(root / "x"));
    EXPECT_EQ(Skinpack({"list"}).status, 2);
    EXPECT_EQ(Skinpack({"frobnicate"}).status, 2);
    EXPECT_EQ(Skinpack({}).status, 2);
    r = Skinpack({"help"});
    EXPECT_EQ(r.status, 0);
    for (const char* name : {"pack", "unpack", "list", "lzh-pack", "lzh-unpack", "ini-get"})
        EXPECT_NE(r.out.find(name), std::string::npos) << name;
}

TEST(SkinpackHelpers, AtomicWriteReplacesWholeFiles) {
    const fs::path p = fs::path(TV_BINARY_DIR) / "skinpack_atomic.bin";
    skinpack::WriteFileAtomically(p, std::string_view("first version, longer"));
    skinpack::WriteFileAtomically(p, std::string_view("second"));
    EXPECT_EQ(ReadText(p), "second");
    EXPECT_THROW(skinpack::WriteFileAtomically(fs::path(TV_BINARY_DIR) / "no" / "such" / "dir" / "f",
                                               std::string_view("x")),
                 std::runtime_error);
    EXPECT_EQ(skinpack::ErrorLine("a.skn", "bad\r\nthing"), "skinpack: a.skn: bad  thing");
}

}  // namespace
