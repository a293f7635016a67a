#include "skin/storage/lzh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/stream.h"
#include "tests/skin/storage/lzh_reference.h"
#include "tests/skin/storage/sample_data.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromText(const std::string& s) { return {s.begin(), s.end()}; }

Bytes Periodic(std::size_t size, int period) {
    sample::Rng rng{std::uint64_t(period)};
    Bytes unit(static_cast<std::size_t>(period));
    for (auto& b : unit) b = std::uint8_t(rng.Next());
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i) out[i] = unit[i % std::size_t(period)];
    return out;
}

Bytes Runs(std::size_t size) {
    sample::Rng rng(3);
    Bytes out;
    while (out.size() < size) out.insert(out.end(), 1 + rng.Below(500), std::uint8_t(rng.Below(4)));
    out.resize(size);
    return out;
}

// The skin-like files one after another, as a package holds them.
Bytes SkinLike() {
    Bytes out;
    for (const auto& f : sample::SkinLikeFiles()) out.insert(out.end(), f.data.begin(), f.data.end());
    return out;
}

struct Case {
    const char* what;
    Bytes data;
};

std::vector<Case> VariedInputs() {
    return {
        {"empty", {}},
        {"one byte", {0x41}},
        {"space", {0x20}},
        {"random 1", sample::RandomBytes(1, 1)},
        {"random 59", sample::RandomBytes(59, 2)},
        {"random 60", sample::RandomBytes(60, 3)},
        {"random 61", sample::RandomBytes(61, 4)},
        {"random 4095", sample::RandomBytes(4095, 5)},
        {"random 4097", sample::RandomBytes(4097, 6)},
        {"random 300K", sample::RandomBytes(300 * 1024, 7)},
        {"text 100K", sample::EnglishText(100 * 1024)},
        {"bmp", sample::BmpImage(200, 120, 1)},
        {"zeros 300K", Bytes(300 * 1024, 0)},
        {"spaces 10K", Bytes(10 * 1024, ' ')},
        {"runs 200K", Runs(200 * 1024)},
        {"period 59", Periodic(50000, 59)},
        {"period 60", Periodic(50000, 60)},
        {"period 61", Periodic(50000, 61)},
        {"period 4096", Periodic(20000, 4096)},
        {"period 4097", Periodic(20000, 4097)},
        {"skin-like", SkinLike()},
    };
}

TEST(LzhCodec, RoundTripsVariedInputs) {
    for (const Case& c : VariedInputs()) {
        SCOPED_TRACE(c.what);
        const Bytes packed = LzhPackBytes(c.data);
        ASSERT_GE(packed.size(), 4u);
        EXPECT_EQ(LzhDeclaredSize(packed), std::int64_t(c.data.size()));
        EXPECT_EQ(LzhUnpackBytes(packed), c.data);
    }
}

TEST(LzhCodec, PackerWritesTheBitsOfThePlainStepByStepPacker) {
    std::vector<Case> cases = VariedInputs();
    cases.push_back({"text 1M", sample::EnglishText(1 << 20, 9)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LzhPackBytes(c.data), lzh_reference::Pack(c.data));
    }
}

TEST(LzhCodec, SingleLiteralMatchesTheInitialTree) {
    // 'A' (65) in the untouched tree: the path from the root is 1 1 1 0 0 1 1 0 1, padded with zeros.
    EXPECT_EQ(LzhPackBytes(Bytes{'A'}), (Bytes{1, 0, 0, 0, 0xE6, 0x80}));
}

TEST(LzhCodec, RepeatedByteIsOneLiteralThenFullMatches) {
    const Bytes data(200, 'x');
    const std::vector<LzhToken> tokens = LzhTokens(LzhPackBytes(data));
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].length, 0);
    EXPECT_EQ(tokens[0].literal, 'x');
    const int lengths[] = {60, 60, 60, 19};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(tokens[std::size_t(k) + 1].length, lengths[k]);
        EXPECT_EQ(tokens[std::size_t(k) + 1].position, 0);
    }
}

TEST(LzhCodec, MatchesPreferTheNearestOfEqualLengthOnTheSearchPath) {
    // The last "abcd" meets both earlier copies on its way down the tree ("abcdZ" sorts after "abcdX"
    // and "abcdY"); both match 4 bytes and the nearer one, 5 bytes back, is coded.
    const std::vector<LzhToken> tokens = LzhTokens(LzhPackBytes(FromText("abcdXabcdYabcdZ")));
    ASSERT_GE(tokens.size(), 2u);
    EXPECT_EQ(tokens[tokens.size() - 2].length, 4);
    EXPECT_EQ(tokens[tokens.size() - 2].position, 4);
    EXPECT_EQ(tokens.back().length, 0);
    EXPECT_EQ(tokens.back().literal, 'Z');
}

TEST(LzhCodec, EmptyInputIsTheSizeAndOneLiteral) {
    const Bytes packed = LzhPackBytes({});
    ASSERT_GE(packed.size(), 5u);
    EXPECT_LE(packed.size(), 6u);
    EXPECT_EQ(LzhDeclaredSize(packed), 0);
    EXPECT_TRUE(LzhUnpackBytes(packed).empty());
    // The code really is one literal: asked for one byte, the unpacker finds it.
    Bytes one = packed;
    one[0] = 1;
    const std::vector<LzhToken> tokens = LzhTokens(one);
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].length, 0);
}

TEST(LzhCodec, TreeHalvingKeepsBothSidesInStep) {
    // Skewed literals: the root passes 0x8000 several times, with long matches in between.
    sample::Rng rng(11);
    Bytes data;
    for (int i = 0; i < 400000; ++i) {
        const unsigned r = rng.Below(1000);
        data.push_back(std::uint8_t(r < 900 ? rng.Below(4) : r < 990 ? rng.Below(40) : rng.Below(256)));
    }
    EXPECT_EQ(LzhUnpackBytes(LzhPackBytes(data)), data);
}

TEST(LzhCodec, CallbacksByteAtATimeGiveTheSameStream) {
    const Bytes data = sample::EnglishText(20000, 5);
    std::size_t at = 0;
    Bytes out;
    int reads = 0;
    TLZH lzh;
    std::int32_t written = 0;
    lzh.LZHPack(
        written,
        [&](void* d, std::uint16_t n, std::uint16_t& got) {
            ++reads;
            got = (at < data.size() && n > 0) ? 1 : 0;  // one byte per call, as a slow source would
            if (got) static_cast<std::uint8_t*>(d)[0] = data[at++];
        },
        [&](void* d, std::uint16_t n, std::uint16_t& put) {
            const auto* p = static_cast<const std::uint8_t*>(d);
            out.insert(out.end(), p, p + n);
            put = n;
        });
    EXPECT_EQ(written, std::int32_t(data.size()));
    EXPECT_EQ(lzh.textsize, std::int32_t(data.size()));
    EXPECT_EQ(lzh.codesize, std::int32_t(out.size()));
    EXPECT_GT(reads, int(data.size()));
    Bytes framed = LzhPackBytes(data);
    EXPECT_EQ(Bytes(framed.begin() + 4, framed.end()), out);

    // Unpacking through callbacks, the output handed over in pieces.
    std::size_t in = 0;
    Bytes back;
    lzh.LZHUnpack(
        std::int32_t(data.size()),
        [&](void* d, std::uint16_t n, std::uint16_t& got) {
            got = std::uint16_t(std::min<std::size_t>({n, 7, out.size() - in}));
            std::memcpy(d, out.data() + in, got);
            in += got;
        },
        [&](void* d, std::uint16_t n, std::uint16_t& put) {
            const auto* p = static_cast<const std::uint8_t*>(d);
            back.insert(back.end(), p, p + n);
            put = n;
        });
    EXPECT_EQ(back, data);
}

TEST(LzhCodec, StreamHelpersFrameAndRestore) {
    const Bytes data = sample::BmpImage(64, 40, 9);
    TMemoryStream source(data);
    source.SetPosition(17);  // the helpers start from position 0 whatever the caller left
    TMemoryStream packed;
    LzhPackStream(source, packed);
    EXPECT_EQ(packed.Bytes(), LzhPackBytes(data));

    TMemoryStream back;
    LzhUnpackStream(packed, back);
    EXPECT_EQ(back.Bytes(), data);

    // The block callbacks on file streams give the same result.
    const std::string path = std::string(TV_BINARY_DIR) + "/lzh_stream_test.bin";
    WriteFileBytes(path, packed.Memory(), std::size_t(packed.Size()));
    {
        TFileStream file(path, fmOpenRead);
        TMemoryStream viaFile;
        LzhUnpackStream(file, viaFile);
        EXPECT_EQ(viaFile.Bytes(), data);
    }
    {
        TMemoryStream plain(data);
        const std::string plainPath = path + ".plain";
        WriteFileBytes(plainPath, data.data(), data.size());
        TFileStream file(plainPath, fmOpenRead);
        TMemoryStream repacked;
        LzhPackStream(file, repacked);
        EXPECT_EQ(repacked.Bytes(), packed.Bytes());
    }
}

TEST(LzhCodec, DamagedStreamsNeverRunPastTheDeclaredSize) {
    const Bytes data(200, 'x');  // literal + matches 60, 60, 60, 19
    Bytes packed = LzhPackBytes(data);
    for (std::uint32_t declared : {1u, 2u, 61u, 150u, 199u}) {
        SCOPED_TRACE(declared);
        packed[0] = std::uint8_t(declared);
        const Bytes out = LzhUnpackBytes(packed);
        EXPECT_EQ(out, Bytes(declared, 'x'));
        std::size_t handed = 0;
        TLZH lzh;
        std::size_t in = 4;
        lzh.LZHUnpack(
            std::int32_t(declared),
            [&](void* d, std::uint16_t n, std::uint16_t& got) {
                got = std::uint16_t(std::min<std::size_t>(n, packed.size() - in));
                std::memcpy(d, packed.data() + in, got);
                in += got;
            },
            [&](void*, std::uint16_t n, std::uint16_t& put) {
                handed += n;
                put = n;
            });
        EXPECT_EQ(handed, declared);
    }

    // A stream cut short reads as zero bits and still gives exactly the declared size.
    const Bytes text = sample::EnglishText(5000);
    Bytes cut = LzhPackBytes(text);
    cut.resize(cut.size() / 2);
    EXPECT_EQ(LzhUnpackBytes(cut).size(), text.size());

    // Garbage bit streams: the size holds, whatever the bits say.
    for (std::uint64_t seed = 0; seed < 20; ++seed) {
        Bytes junk = sample::RandomBytes(300, seed);
        junk[0] = 0x10, junk[1] = 0x27, junk[2] = 0, junk[3] = 0;  // 10,000
        EXPECT_EQ(LzhUnpackBytes(junk).size(), 10000u);
    }
}

TEST(LzhCodec, RefusesImplausibleSizesBeforeAllocating) {
    Bytes packed = LzhPackBytes(FromText("abc"));
    for (std::uint32_t declared : {64u * 1024 * 1024 + 1, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(declared);
        for (int k = 0; k < 4; ++k) packed[std::size_t(k)] = std::uint8_t(declared >> (8 * k));
        EXPECT_THROW(LzhUnpackBytes(packed), ElzhException);
        TMemoryStream in(packed), out;
        EXPECT_THROW(LzhUnpackStream(in, out), ElzhException);
        EXPECT_EQ(out.Size(), 0);
    }
    EXPECT_THROW(LzhUnpackBytes(Bytes{1, 0, 0}), ElzhException);
    TLZH lzh;
    EXPECT_THROW(lzh.LZHUnpack(kLzhMaxUnpackedSize + 1, nullptr, nullptr), ElzhException);
}

// Each coded item takes at least a bit and yields at most 60 bytes: a size beyond packed bits x 60 is a lie.
TEST(LzhCodec, RefusesSizesTheBitsCannotHold) {
    auto declare = [](Bytes packed, std::uint32_t size) {
        for (int k = 0; k < 4; ++k) packed[std::size_t(k)] = std::uint8_t(size >> (8 * k));
        return packed;
    };
    // A 520-byte stream that declares 37,292,588 bytes (a fuzzer's find: 71,000 times its size).
    const Bytes bomb = declare(sample::RandomBytes(520, 7), 37292588u);
    EXPECT_THROW(LzhUnpackBytes(bomb), ElzhException);
    EXPECT_THROW(LzhTokens(bomb), ElzhException);
    {
        TMemoryStream in(bomb), out;
        EXPECT_THROW(LzhUnpackStream(in, out), ElzhException);
        EXPECT_EQ(out.Size(), 0);
    }

    // The bound itself: 3 packed bytes hold at most 3 * 8 * 60 = 1440 bytes.
    const Bytes three = declare(Bytes{0, 0, 0, 0, 0xA5, 0x5A, 0xA5}, 1440);
    EXPECT_EQ(LzhUnpackBytes(three).size(), 1440u);
    EXPECT_THROW(LzhUnpackBytes(declare(three, 1441)), ElzhException);
    EXPECT_THROW(LzhUnpackBytes(declare(Bytes{0, 0, 0, 0}, 1)), ElzhException);
    EXPECT_TRUE(LzhUnpackBytes(Bytes{0, 0, 0, 0}).empty());

    // Whatever our own packer writes stays within the bound, the most compressible input included.
    for (const Bytes& data : {Bytes(1 << 20, 0), Bytes(1 << 20, ' '), Bytes(1, 'a'), Periodic(300000, 1)}) {
        const Bytes packed = LzhPackBytes(data);
        EXPECT_LE(std::int64_t(data.size()), std::int64_t(packed.size() - 4) * 8 * 60);
        EXPECT_EQ(LzhUnpackBytes(packed), data);
    }
}

// The codec reads ahead in blocks; afterwards the input stands just after the packed bits, so a caller
// reading on after a packed block keeps its place.
TEST(LzhCodec, StreamsStopJustAfterThePackedBits) {
    const std::string path = std::string(TV_BINARY_DIR) + "/lzh_position_test.bin";
    for (const Bytes& data : {FromText("abcabcabc"), sample::EnglishText(100000), Bytes(70000, 'z')}) {
        SCOPED_TRACE(data.size());
        const Bytes packed = LzhPackBytes(data);
        Bytes file = packed;
        file.insert(file.end(), 50000, 0xEE);
        file.push_back(0x42);
        WriteFileBytes(path, file.data(), file.size());
        {
            TFileStream in(path, fmOpenRead);
            TMemoryStream out;
            LzhUnpackStream(in, out);
            EXPECT_EQ(out.Bytes(), data);
            EXPECT_EQ(in.Position(), std::int64_t(packed.size()));
        }
        TMemoryStream in(file), out;
        LzhUnpackStream(in, out);
        EXPECT_EQ(out.Bytes(), data);
        EXPECT_EQ(in.Position(), std::int64_t(packed.size()));
    }
    // A stream cut short ends at its end, not past it.
    Bytes cut = LzhPackBytes(sample::EnglishText(5000));
    cut.resize(cut.size() / 2);
    TMemoryStream in(cut), out;
    LzhUnpackStream(in, out);
    EXPECT_EQ(in.Position(), in.Size());
}

}  // namespace
