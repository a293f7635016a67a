// The skin package reader.
#include "skin/storage/skin_read.h"

#include <cstring>
#include <iostream>
#include <system_error>

#include "skin/storage/lzh.h"

namespace {

TSkinMessageHook& MessageHook() {
    static TSkinMessageHook hook;
    return hook;
}

std::int32_t ReadLE32(const std::uint8_t* p) {
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}

}  // namespace

int SkinOpaqueSize(std::int32_t version) {
    switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
    }
}

TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook) {
    TSkinMessageHook previous = std::move(MessageHook());
    MessageHook() = std::move(hook);
    return previous;
}

void ShowSkinMessage(const std::string& text) {
    if (const TSkinMessageHook& hook = MessageHook()) {
        hook(text);
        return;
    }
    std::string shown = text;
    for (char& c : shown)
        if (c == '\r') c = '\n';
    std::cerr << shown << '\n';
}

bool TSkinReader::Reject(std::string reason) {
    LastError = std::move(reason);
    return false;
}

void TSkinReader::Decompress(TStream& source, TStream& dest) { LzhUnpackStream(source, dest); }

bool TSkinReader::Loadfromstream(TStream& stream) {
    TMemoryStream unpacked;
    try {
        Decompress(stream, unpacked);
    } catch (const ElzhException& e) {
        return Reject(e.what());
    } catch (const EStreamError& e) {
        return Reject(std::string("cannot read the package: ") + e.what());
    }
    return Load(unpacked.Bytes());
}

bool TSkinReader::loadfromfile(const std::filesystem::path& fileName) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) return Reject("file not found");
    TMemoryStream file;
    try {
        file.LoadFromFile(fileName);
    } catch (const EStreamError& e) {
        return Reject(std::string("cannot read the file: ") + e.what());
    }
    return Loadfromstream(file);
}

// Everything is checked against the package's real length before the reader's state changes, so a damaged
// package neither reads past its end nor leaves a half-loaded directory behind.
bool TSkinReader::Load(const std::vector<std::uint8_t>& package) {
    const std::int64_t size = std::int64_t(package.size());
    if (size < 16) return Reject("truncated header: " + std::to_string(size) + " bytes, 16 needed");
    TSkinHeader h;
    h.Version = ReadLE32(&package[0]);
    h.DirLen = ReadLE32(&package[4]);
    h.U1 = ReadLE32(&package[8]);
    h.U2 = ReadLE32(&package[12]);

    const int opaque = SkinOpaqueSize(h.Version);
    if (opaque < 0) {
        header = h;
        ShowSkinMessage(kOlderSkinMessage);
        return Reject("unknown package version " + std::to_string(h.Version));
    }
    const std::int64_t dirAt = 16 + std::int64_t(opaque);
    if (dirAt > size) return Reject("opaque block runs past the end of the package");
    if (h.DirLen < 0) return Reject("negative directory length " + std::to_string(h.DirLen));
    if (dirAt + h.DirLen > size) return Reject("directory runs past the end of the package");

    const std::string text(reinterpret_cast<const char*>(&package[std::size_t(dirAt)]),
                           std::size_t(h.DirLen));
    TStringList dir;
    dir.SetText(AsciiLower(text));
    const int num = dir.Count();
    if (num > kSkinMaxEntries)
        return Reject(std::to_string(num) + " entries, more than " + std::to_string(kSkinMaxEntries));
    const std::int64_t sizesAt = dirAt + h.DirLen;
    const std::int64_t dataAt = sizesAt + 4 * std::int64_t(num);
    if (dataAt > size) return Reject("size table runs past the end of the package");

    std::array<std::int32_t, kSkinMaxEntries> entrySizes{};
    std::int64_t total = 0;
    for (int i = 0; i < num; ++i) {
        entrySizes[std::size_t(i)] = ReadLE32(&package[std::size_t(sizesAt + 4 * i)]);
        if (entrySizes[std::size_t(i)] < 0)
            return Reject("entry " + std::to_string(i) + " has a negative size");
        total += entrySizes[std::size_t(i)];
    }
    const std::int64_t dataSize = size - dataAt;
    if (total > dataSize)
        return Reject("entry sizes add up to " + std::to_string(total) + " bytes, the data area holds " +
                      std::to_string(dataSize));

    header = h;
    Dir = std::move(dir);
    Num = num;
    sizes = entrySizes;
    ms.Clear();
    ms.WriteBuffer(package.data() + dataAt, dataSize);
    LastError.clear();
    return true;
}

std::int64_t TSkinReader::EntryOffset(int i) const {
    std::int64_t offset = 0;
    for (int k = 0; k < i && k < Num; ++k) offset += sizes[std::size_t(k)];
    return offset;
}

void TSkinReader::readfile(const std::string& name, TMemoryStream& dest) {
    dest.Clear();
    const std::string wanted = AsciiLower(name);
    std::int64_t offset = 0;
    for (int i = 0; i < Num && i < Dir.Count(); ++i) {
        if (Dir[i] == wanted) {
            dest.WriteBuffer(ms.Memory() + offset, sizes[std::size_t(i)]);
            dest.SetPosition(0);
            return;
        }
        offset += sizes[std::size_t(i)];
    }
}

void TSkinReader::readIni(const std::string& namePart, TMemoryStream& dest, std::string& foundName) {
    dest.Clear();
    std::int64_t offset = 0;
    for (int i = 0; i < Num && i < Dir.Count(); ++i) {
        if (Dir[i].find(namePart) != std::string::npos) {
            dest.WriteBuffer(ms.Memory() + offset, sizes[std::size_t(i)]);
            dest.SetPosition(0);
            foundName = Dir[i];
            return;
        }
        offset += sizes[std::size_t(i)];
    }
}
