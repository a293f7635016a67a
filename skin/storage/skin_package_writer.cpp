// Building skin packages.
#include "skin/storage/skin_package_writer.h"

#include <stdexcept>

#include "skin/storage/lzh.h"
#include "skin/storage/skin_read.h"

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(std::uint8_t(v >> (8 * k)));
}

}  // namespace

std::vector<std::uint8_t> BuildSkinPackageUnpacked(const std::vector<SkinPackageEntry>& entries,
                                                   std::int32_t version) {
    const int opaque = SkinOpaqueSize(version);
    if (opaque < 0) throw std::invalid_argument("unknown package version " + std::to_string(version));
    if (entries.size() > std::size_t(kSkinMaxEntries))
        throw std::invalid_argument(std::to_string(entries.size()) + " files, a package holds at most " +
                                    std::to_string(kSkinMaxEntries));
    std::string dir;
    std::size_t total = 16 + std::size_t(opaque);
    for (const SkinPackageEntry& e : entries) {
        if (e.name.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("file name with a line break");
        dir += e.name;
        dir += "\r\n";
        total += 4 + e.data.size();
        if (total > std::size_t(kLzhMaxUnpackedSize))
            throw std::invalid_argument("package larger than " + std::to_string(kLzhMaxUnpackedSize) +
                                        " bytes");
    }
    total += dir.size();
    if (total > std::size_t(kLzhMaxUnpackedSize))
        throw std::invalid_argument("package larger than " + std::to_string(kLzhMaxUnpackedSize) + " bytes");

    std::vector<std::uint8_t> out;
    out.reserve(total);
    Put32(out, std::uint32_t(version));
    Put32(out, std::uint32_t(dir.size()));
    Put32(out, 0);
    Put32(out, 0);
    out.insert(out.end(), std::size_t(opaque), 0);
    out.insert(out.end(), dir.begin(), dir.end());
    for (const SkinPackageEntry& e : entries) Put32(out, std::uint32_t(e.data.size()));
    for (const SkinPackageEntry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}

std::vector<std::uint8_t> BuildSkinPackage(const std::vector<SkinPackageEntry>& entries,
                                           std::int32_t version) {
    return LzhPackBytes(BuildSkinPackageUnpacked(entries, version));
}
