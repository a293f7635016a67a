// Building skin packages: the container the skin reader loads, made from named files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SkinPackageEntry {
    std::string name;                // directory name as stored; 8-bit text without CR or LF
    std::vector<std::uint8_t> data;  // the file's bytes
};

// The unpacked package: 16-byte header {Version, DirLen, 0, 0}, an opaque block of zeros sized for the
// version, the directory (one name per line, each ended by CR LF), the 32-bit size table and the files,
// concatenated in the given order. Raises std::invalid_argument for an unknown version, more entries
// than a reader holds (1,001), a name containing CR or LF, or a package larger than a reader accepts.
std::vector<std::uint8_t> BuildSkinPackageUnpacked(const std::vector<SkinPackageEntry>& entries,
                                                   std::int32_t version = 70000);

// The same package in its stored form: 4-byte little-endian unpacked size, then the LZH bit stream.
// This is what a skin file, a skin stream property or a skin store item holds.
std::vector<std::uint8_t> BuildSkinPackage(const std::vector<SkinPackageEntry>& entries,
                                           std::int32_t version = 70000);
