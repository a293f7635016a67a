// The LZH codec: LZSS matching over a 4,096-byte ring buffer, literals, match lengths and the high bits of
// match positions coded with an adaptive Huffman code and a fixed position code. Skin packages and packed
// INI files are stored in this format, framed by a 4-byte little-endian unpacked size.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

class TStream;

class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Callbacks bound to an object: deliver up to NBytes bytes into DTA (Bytes_Got = 0 ends the input), or
// accept NBytes bytes from DTA. The codec buffers behind them and asks for or hands over whole blocks.
using TReadProc = std::function<void(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Got)>;
using TWriteProc = std::function<void(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Put)>;

// Unpacked sizes above this are taken for damage and refused before anything is allocated.
inline constexpr std::int64_t kLzhMaxUnpackedSize = 64 * 1024 * 1024;

class TLZH {
public:
    TLZH() = default;
    TLZH(TStream* in, TStream* out) : StreamIn(in), StreamOut(out) {}

    // Packs everything GetBytes delivers; Bytes_Written receives the number of input bytes read. The
    // size prefix is the caller's business.
    void LZHPack(std::int32_t& Bytes_Written, const TReadProc& GetBytes, const TWriteProc& PutBytes);
    // Produces exactly TextSize bytes (nothing for 0 or less). Input that ends early reads as zero bits.
    // Raises ElzhException for TextSize above kLzhMaxUnpackedSize.
    void LZHUnpack(std::int32_t TextSize, const TReadProc& GetBytes, const TWriteProc& PutBytes);

    // The stream callbacks: read from StreamIn (no further than its end), write to StreamOut.
    void GetBlockStream(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Got);
    void PutBlockStream(void* DTA, std::uint16_t NBytes, std::uint16_t& Bytes_Got);
    TReadProc StreamReader();
    TWriteProc StreamWriter();

    TStream* StreamIn = nullptr;
    TStream* StreamOut = nullptr;

    std::uint16_t code = 0;     // code bits of the last symbol packed (top bits of the code)
    std::uint16_t len = 0;      // length of that code
    std::int32_t textsize = 0;  // bytes read by the packer
    std::int32_t codesize = 0;  // bytes written by the packer
    std::int32_t printcount = 0;
};

// Packed-stream helpers. Unpack: both positions to 0, the 4-byte size from source, the unpacked bytes to
// dest; source is left just after the last byte the bit stream used. Pack: both positions to 0, the size of
// source as 4 bytes, then the bit stream. Unpacking raises ElzhException for a missing size prefix, a size
// above kLzhMaxUnpackedSize, or a size that the packed bytes cannot hold (more than 60 bytes a bit).
void LzhUnpackStream(TStream& source, TStream& dest);
void LzhPackStream(TStream& source, TStream& dest);

// The same on memory: framed bytes in, framed bytes out, with the same checks.
std::vector<std::uint8_t> LzhPackBytes(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> LzhUnpackBytes(std::span<const std::uint8_t> packed);

// One coded item of a framed stream, for diagnostics: a literal byte (length 0) or a match of length
// 3..60 starting distance = position + 1 bytes back.
struct LzhToken {
    std::uint16_t length;
    std::uint16_t position;
    std::uint8_t literal;
};
std::vector<LzhToken> LzhTokens(std::span<const std::uint8_t> packed);

// The size a framed stream declares (its first 4 bytes), or -1 when it has fewer than 4 bytes.
std::int64_t LzhDeclaredSize(std::span<const std::uint8_t> packed);
