#include "tools/skingen/png.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace skingen {

namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void PutBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v >> 24));
    out.push_back(std::uint8_t(v >> 16));
    out.push_back(std::uint8_t(v >> 8));
    out.push_back(std::uint8_t(v));
}

void Chunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data) {
    PutBE32(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBE32(out, Crc32(std::span(out).subspan(start)));
}

// Bits go out least significant first; Huffman codes are stored most significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Put(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) PutBit((value >> i) & 1);
    }
    void PutCode(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) PutBit((code >> i) & 1);
    }
    void Flush() {
        if (used_) out_.push_back(acc_);
        acc_ = 0;
        used_ = 0;
    }

private:
    void PutBit(std::uint32_t bit) {
        acc_ = std::uint8_t(acc_ | (bit << used_));
        if (++used_ == 8) Flush();
    }
    std::vector<std::uint8_t>& out_;
    std::uint8_t acc_ = 0;
    int used_ = 0;
};

void PutLiteral(BitWriter& w, int v) {  // the fixed literal/length code
    if (v < 144)
        w.PutCode(0x30 + v, 8);
    else if (v < 256)
        w.PutCode(0x190 + (v - 144), 9);
    else if (v < 280)
        w.PutCode(v - 256, 7);
    else
        w.PutCode(0xC0 + (v - 280), 8);
}

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                               33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& w, int length, int distance) {
    int li = 28;
    while (kLengthBase[li] > length) --li;
    PutLiteral(w, 257 + li);
    w.Put(std::uint32_t(length - kLengthBase[li]), kLengthExtra[li]);
    int di = 29;
    while (kDistBase[di] > distance) --di;
    w.PutCode(std::uint32_t(di), 5);
    w.Put(std::uint32_t(distance - kDistBase[di]), kDistExtra[di]);
}

// One final block with the fixed codes; matches found through a hash of three bytes and a short chain.
std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
    constexpr int kWindow = 32768, kHashSize = 1 << 15, kChain = 16, kMaxMatch = 258;
    std::vector<std::uint8_t> out;
    BitWriter w(out);
    w.Put(1, 1);  // final block
    w.Put(1, 2);  // fixed Huffman codes
    std::vector<int> head(kHashSize, -1), prev(data.size(), -1);
    auto hash = [&](std::size_t i) {
        return int(((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (kHashSize - 1));
    };
    auto insert = [&](std::size_t i) {
        if (i + 2 >= data.size()) return;
        const int h = hash(i);
        prev[i] = head[std::size_t(h)];
        head[std::size_t(h)] = int(i);
    };
    std::size_t i = 0;
    while (i < data.size()) {
        int bestLen = 0, bestDist = 0;
        if (i + 2 < data.size()) {
            int cand = head[std::size_t(hash(i))];
            for (int n = 0; n < kChain && cand >= 0 && int(i) - cand <= kWindow;
                 ++n, cand = prev[std::size_t(cand)]) {
                const std::size_t limit = std::min<std::size_t>(kMaxMatch, data.size() - i);
                std::size_t len = 0;
                while (len < limit && data[std::size_t(cand) + len] == data[i + len]) ++len;
                if (int(len) > bestLen) {
                    bestLen = int(len);
                    bestDist = int(i) - cand;
                    if (len == limit) break;
                }
            }
        }
        if (bestLen >= 3) {
            PutMatch(w, bestLen, bestDist);
            for (int k = 0; k < bestLen; ++k) insert(i + std::size_t(k));
            i += std::size_t(bestLen);
        } else {
            PutLiteral(w, data[i]);
            insert(i);
            ++i;
        }
    }
    PutLiteral(w, 256);
    w.Flush();
    return out;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    crc = ~crc;
    for (std::uint8_t b : bytes) crc = CrcTable()[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : bytes) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(const Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    std::vector<std::uint8_t> raw;
    raw.reserve(std::size_t(h) * (std::size_t(w) * 3 + 1));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < w; ++x) {
            const Rgb c = canvas.At(x, y);
            raw.insert(raw.end(), {c.r, c.g, c.b});
        }
    }
    // zlib stream: header, one deflate stream with fixed codes, Adler-32.
    std::vector<std::uint8_t> z{0x78, 0x01};
    const std::vector<std::uint8_t> packed = Deflate(raw);
    z.insert(z.end(), packed.begin(), packed.end());
    PutBE32(z, Adler32(raw));

    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> ihdr;
    PutBE32(ihdr, std::uint32_t(w));
    PutBE32(ihdr, std::uint32_t(h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit, RGB, deflate, no filter choice, no interlace
    Chunk(out, "IHDR", ihdr);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", {});
    return out;
}

}  // namespace skingen
