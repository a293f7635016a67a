// slice: what the nine-slice composer makes of one skin image at a given size, written as a 24-bit BMP.
#include <charconv>

#include "platform/bitmap.h"
#include "platform/stream.h"
#include "skin/imaging/img_util.h"
#include "tools/skinpack/command.h"

namespace {

int Slice(std::span<const std::string> args, std::ostream& out, std::ostream& err);

const skinpack::Command kSlice{
    "slice", "slice IMAGE.bmp W H LEFT TOP RIGHT BOTTOM CELL CELLS [--tile] [--vertical] OUT.bmp",
    "compose cell CELL of CELLS at W x H with the given margins, as a skin draws it", Slice};
const skinpack::Registration reg{kSlice};

// The largest preview we write: a full screen and then some.
constexpr int kMaxSide = 16384;

bool ParseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end;
}

int Slice(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    bool tile = false, vertical = false;
    std::vector<std::string> rest;
    for (const std::string& a : args) {
        if (a == "--tile")
            tile = true;
        else if (a == "--vertical")
            vertical = true;
        else
            rest.push_back(a);
    }
    if (rest.size() != 10) return skinpack::UsageError(err, kSlice);
    int n[8];  // W H LEFT TOP RIGHT BOTTOM CELL CELLS
    for (int i = 0; i < 8; ++i)
        if (!ParseInt(rest[std::size_t(i) + 1], n[i])) return skinpack::UsageError(err, kSlice);
    const std::string& image = rest[0];
    const std::string& output = rest[9];
    if (n[0] < 1 || n[1] < 1 || n[0] > kMaxSide || n[1] > kMaxSide)
        return skinpack::Fail(err, output,
                              "size must be 1 to " + std::to_string(kMaxSide) + " pixels each way");
    if (n[7] < 1) return skinpack::Fail(err, image, "the cell count must be at least 1");
    if (n[6] < 1 || n[6] > n[7])
        return skinpack::Fail(err, image, "the cell must be 1 to " + std::to_string(n[7]));

    TBitmap strip;
    try {
        TMemoryStream in(skinpack::ReadInputFile(image));
        if (!strip.LoadFromStream(in)) return skinpack::Fail(err, image, "not a BMP image this engine reads");
    } catch (const std::exception& e) {
        return skinpack::Fail(err, image, e.what());
    }
    const auto composed = MakeSkinBitmap(Rect(0, 0, n[0], n[1]), strip, Rect(n[2], n[3], n[4], n[5]), n[6],
                                         n[7], tile ? 1 : 0, vertical ? 1 : 0);
    try {
        TMemoryStream bytes;
        composed->SaveToStream(bytes, 24);
        skinpack::WriteFileAtomically(output, std::span<const std::uint8_t>(bytes.Bytes()));
    } catch (const std::exception& e) {
        return skinpack::Fail(err, output, e.what());
    }
    out << output << ": " << n[0] << " x " << n[1] << "\n";
    return skinpack::kExitOk;
}

}  // namespace
