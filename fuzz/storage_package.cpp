// Fuzzes the skin package reader. The first byte chooses the form of the rest: 0 a packed package as stored,
// anything else an unpacked package that is packed first, so that mutations reach the header, directory and
// size table directly.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/storage/lzh.h"
#include "skin/storage/skin_read.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const bool quiet = (SetSkinMessageHook([](const std::string&) {}), true);
    (void)quiet;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    std::vector<std::uint8_t> packed;
    if (data[0] == 0) {
        if (LzhDeclaredSize(rest) > (1 << 20)) return 0;
        packed.assign(rest.begin(), rest.end());
    } else {
        packed = LzhPackBytes(rest);
    }
    TSkinReader reader;
    TMemoryStream stream(std::move(packed));
    if (!reader.Loadfromstream(stream)) return 0;
    if (reader.Num > kSkinMaxEntries || reader.EntryOffset(reader.Num) > reader.ms.Size()) std::abort();
    TMemoryStream out;
    std::int64_t total = 0;
    for (int i = 0; i < reader.Num; ++i) {
        reader.readfile(reader.Dir[i], out);
        total += out.Size();
    }
    std::string found;
    reader.readIni(".ini", out, found);
    return total >= 0 ? 0 : 1;
}
