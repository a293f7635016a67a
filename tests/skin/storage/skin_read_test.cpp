#include "skin/storage/skin_read.h"

#include <gtest/gtest.h>

#include <string>

#include "skin/storage/lzh.h"
#include "skin/storage/skin_package_writer.h"
#include "tests/skin/storage/sample_data.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& s) { return {s.begin(), s.end()}; }

std::string AsText(const TMemoryStream& s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

// Collects the reader's messages instead of showing them.
class MessageRecorder {
public:
    MessageRecorder() {
        previous_ = SetSkinMessageHook([this](const std::string& t) { messages.push_back(t); });
    }
    ~MessageRecorder() { SetSkinMessageHook(std::move(previous_)); }
    std::vector<std::string> messages;

private:
    TSkinMessageHook previous_;
};

bool LoadPacked(TSkinReader& reader, const Bytes& packed) {
    TMemoryStream s(packed);
    return reader.Loadfromstream(s);
}

void Put32(Bytes& b, std::size_t at, std::int32_t v) {
    for (int k = 0; k < 4; ++k) b[at + std::size_t(k)] = std::uint8_t(std::uint32_t(v) >> (8 * k));
}

const std::vector<SkinPackageEntry> kFiles = {
    {"skin.ini", Text("[TitlebarSkin]\r\nSkinName=Test\r\n")},
    {"CheckBox.BMP", Text("checkbox bits")},
    {"title.bmp", Text("title bits")},
    {"title.bmp", Text("second title")},
    {"", Text("")},
    {"last.bmp", Text("last")},
};

TEST(SkinReader, LoadsEveryKnownVersionAndFindsFilesByName) {
    MessageRecorder recorder;
    for (std::int32_t version : {20000, 30000, 40000, 50000, 60000, 70000}) {
        SCOPED_TRACE(version);
        const Bytes unpacked = BuildSkinPackageUnpacked(kFiles, version);
        const std::string dir = "skin.ini\r\nCheckBox.BMP\r\ntitle.bmp\r\ntitle.bmp\r\n\r\nlast.bmp\r\n";
        // The directory sits right after the header and the opaque block.
        ASSERT_EQ(std::string(unpacked.begin() + 16 + SkinOpaqueSize(version),
                              unpacked.begin() + 16 + SkinOpaqueSize(version) + std::ptrdiff_t(dir.size())),
                  dir);

        TSkinReader reader;
        ASSERT_TRUE(LoadPacked(reader, LzhPackBytes(unpacked))) << reader.LastError;
        EXPECT_EQ(reader.header.Version, version);
        EXPECT_EQ(reader.header.DirLen, std::int32_t(dir.size()));
        EXPECT_EQ(reader.Num, 6);  // the closing CR LF starts no entry; the empty line owns a size
        EXPECT_EQ(reader.Dir[1], "checkbox.bmp");
        EXPECT_EQ(reader.EntryOffset(reader.Num), reader.ms.Size());

        TMemoryStream out;
        reader.readfile("checkbox.bmp", out);
        EXPECT_EQ(AsText(out), "checkbox bits");
        reader.readfile("CHECKBOX.bmp", out);
        EXPECT_EQ(AsText(out), "checkbox bits");
        EXPECT_EQ(out.Position(), 0);
        reader.readfile("Title.BMP", out);
        EXPECT_EQ(AsText(out), "title bits");  // the first of two
        reader.readfile("last.bmp", out);
        EXPECT_EQ(AsText(out), "last");
        reader.readfile("absent.bmp", out);
        EXPECT_EQ(out.Size(), 0);

        std::string found = "unchanged";
        reader.readIni(".ini", out, found);
        EXPECT_EQ(found, "skin.ini");
        EXPECT_EQ(AsText(out), "[TitlebarSkin]\r\nSkinName=Test\r\n");
        found = "unchanged";
        reader.readIni(".INI", out, found);  // the name part is compared as given
        EXPECT_EQ(found, "unchanged");
        EXPECT_EQ(out.Size(), 0);
    }
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(SkinReader, UnknownVersionShowsTheMessageAndKeepsTheOldSkin) {
    MessageRecorder recorder;
    TSkinReader reader;
    ASSERT_TRUE(LoadPacked(reader, BuildSkinPackage(kFiles)));
    Bytes other = BuildSkinPackageUnpacked({{"x.ini", Text("[X]")}});
    Put32(other, 0, 10000);
    EXPECT_FALSE(LoadPacked(reader, LzhPackBytes(other)));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader.header.Version, 10000);
    EXPECT_EQ(reader.Num, 6);
    TMemoryStream out;
    reader.readfile("title.bmp", out);
    EXPECT_EQ(AsText(out), "title bits");
}

TEST(SkinReader, DamagedPackagesAreRejectedWhole) {
    // A package of two files, "a.ini" (3 bytes) and "b.bmp" (4 bytes), version 20000 unless changed.
    const Bytes good = BuildSkinPackageUnpacked({{"a.ini", Text("[A]")}, {"b.bmp", Text("bbbb")}}, 20000);
    const std::size_t sizesAt = 16 + 14;  // header, "a.ini\r\nb.bmp\r\n"

    struct Case {
        const char* what;
        Bytes packed;
    };
    std::vector<Case> cases;
    auto packedWith = [&](auto change) {
        Bytes b = good;
        change(b);
        return LzhPackBytes(b);
    };
    cases.push_back({"empty stream", {}});
    cases.push_back({"size prefix cut", {5, 0}});
    cases.push_back({"declared size beyond reason", {0, 0, 0, 0x10, 0xAA}});
    cases.push_back({"truncated header", LzhPackBytes(Bytes(good.begin(), good.begin() + 15))});
    cases.push_back({"opaque block past the end", packedWith([](Bytes& b) {
                         Put32(b, 0, 30000);  // 256 opaque bytes, more than the package has
                     })});
    cases.push_back({"negative directory length", packedWith([](Bytes& b) { Put32(b, 4, -1); })});
    cases.push_back({"directory past the end", packedWith([](Bytes& b) { Put32(b, 4, 1000); })});
    cases.push_back(
        {"size table past the end", LzhPackBytes(Bytes(good.begin(), good.begin() + sizesAt + 6))});
    cases.push_back({"negative size", packedWith([&](Bytes& b) { Put32(b, sizesAt, -3); })});
    cases.push_back({"sizes overrun the data area", packedWith([&](Bytes& b) { Put32(b, sizesAt + 4, 5); })});
    cases.push_back({"sizes overflow", packedWith([&](Bytes& b) {
                         Put32(b, sizesAt, 0x7FFFFFFF);
                         Put32(b, sizesAt + 4, 0x7FFFFFFF);
                     })});
    {
        std::string dir;
        for (int i = 0; i < 1002; ++i) dir += "f.bmp\r\n";
        Bytes b(16, 0);
        Put32(b, 0, 20000);
        Put32(b, 4, std::int32_t(dir.size()));
        b.insert(b.end(), dir.begin(), dir.end());
        b.resize(b.size() + 4 * 1002, 0);
        cases.push_back({"1,002 entries", LzhPackBytes(b)});
    }

    MessageRecorder recorder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSkinReader reader;
        ASSERT_TRUE(LoadPacked(reader, BuildSkinPackage(kFiles)));
        reader.LastError.clear();
        EXPECT_FALSE(LoadPacked(reader, c.packed));
        EXPECT_FALSE(reader.LastError.empty());
        EXPECT_EQ(reader.Num, 6);
        EXPECT_EQ(reader.Dir.Count(), 6);
        EXPECT_EQ(reader.header.Version, 70000);
        TMemoryStream out;
        reader.readfile("last.bmp", out);
        EXPECT_EQ(AsText(out), "last");
    }
    EXPECT_TRUE(recorder.messages.empty());

    // The limits themselves are accepted: 1,001 entries, sizes that leave bytes over.
    std::vector<SkinPackageEntry> many(1001, SkinPackageEntry{"f.bmp", Text("z")});
    TSkinReader reader;
    EXPECT_TRUE(LoadPacked(reader, BuildSkinPackage(many)));
    EXPECT_EQ(reader.Num, 1001);
    Bytes spare = good;
    spare.push_back('!');
    EXPECT_TRUE(LoadPacked(reader, LzhPackBytes(spare)));
    EXPECT_EQ(reader.ms.Size(), 8);
}

TEST(SkinReader, LoadsFromFiles) {
    const std::string path = std::string(TV_BINARY_DIR) + "/skin_read_test.skn";
    const Bytes packed = BuildSkinPackage(kFiles);
    WriteFileBytes(path, packed.data(), packed.size());
    TSkinReader reader;
    EXPECT_TRUE(reader.loadfromfile(path));
    EXPECT_EQ(reader.Num, 6);
    EXPECT_FALSE(reader.loadfromfile(path + ".missing"));
    EXPECT_EQ(reader.Num, 6);

    // The writer's limits.
    EXPECT_THROW(BuildSkinPackage({{"bad\r\nname", {}}}), std::invalid_argument);
    EXPECT_THROW(BuildSkinPackage(kFiles, 12345), std::invalid_argument);
    EXPECT_THROW(BuildSkinPackage(std::vector<SkinPackageEntry>(1002)), std::invalid_argument);
}

TEST(SkinReader, SkinSizedPackageRoundTrips) {
    std::vector<SkinPackageEntry> entries;
    for (auto& f : sample::SkinLikeFiles()) entries.push_back({f.name, f.data});
    TSkinReader reader;
    ASSERT_TRUE(LoadPacked(reader, BuildSkinPackage(entries)));
    ASSERT_EQ(reader.Num, int(entries.size()));
    EXPECT_EQ(reader.EntryOffset(reader.Num), reader.ms.Size());
    for (const auto& e : entries) {
        TMemoryStream out;
        reader.readfile(e.name, out);
        EXPECT_EQ(out.Bytes(), e.data) << e.name;
    }
}

}  // namespace
