// Fuzzes the LZH unpacker with arbitrary framed streams, and the packer with a round trip of the input and
// against the plain step-by-step packer, bit for bit.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/storage/lzh.h"
#include "tests/skin/storage/lzh_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    const std::int64_t declared = LzhDeclaredSize(input);
    // A size the bits cannot hold (more than 60 bytes a bit) is refused; any other one is met exactly.
    // Large declared sizes only cost time: every one up to the limit decodes the same way.
    if (declared >= 0 && declared <= (1 << 20)) {
        const bool honest = declared <= (std::int64_t(size) - 4) * 8 * 60;
        try {
            const std::vector<std::uint8_t> out = LzhUnpackBytes(input);
            if (!honest || std::int64_t(out.size()) != declared) std::abort();
        } catch (const ElzhException&) {
            if (honest) std::abort();
        }
    }
    if (size <= (1 << 16)) {
        const std::vector<std::uint8_t> packed = LzhPackBytes(input);
        if (packed != lzh_reference::Pack(input)) std::abort();
        if (LzhUnpackBytes(packed) != std::vector<std::uint8_t>(data, data + size)) std::abort();
    }
    return 0;
}
