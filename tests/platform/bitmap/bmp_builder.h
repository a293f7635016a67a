// Builds BMP files byte by byte for the loader tests: any header generation, row order and pixel encoding.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

struct BmpSpec {
    int headerSize = 40;  // 12 core, 40 info, 108 V4, 124 V5
    int width = 0;
    int height = 0;  // as stored: negative means top-down
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks;  // red, green, blue (bit fields)
    std::vector<TColor> palette;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint8_t> pixels;  // the pixel data exactly as stored
};

inline void PutLE(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

inline std::vector<std::uint8_t> BuildBmp(const BmpSpec& s) {
    std::vector<std::uint8_t> dib;
    PutLE(dib, std::uint32_t(s.headerSize), 4);
    if (s.headerSize == 12) {
        PutLE(dib, std::uint32_t(s.width), 2);
        PutLE(dib, std::uint32_t(s.height), 2);
        PutLE(dib, 1, 2);
        PutLE(dib, std::uint32_t(s.bitCount), 2);
    } else {
        PutLE(dib, std::uint32_t(s.width), 4);
        PutLE(dib, std::uint32_t(s.height), 4);
        PutLE(dib, 1, 2);
        PutLE(dib, std::uint32_t(s.bitCount), 2);
        PutLE(dib, s.compression, 4);
        PutLE(dib, std::uint32_t(s.pixels.size()), 4);
        PutLE(dib, 2835, 4);
        PutLE(dib, 2835, 4);
        PutLE(dib, s.colorsUsed, 4);
        PutLE(dib, 0, 4);
        if (s.headerSize > 40) {
            for (int i = 0; i < 3; ++i) PutLE(dib, s.masks.size() == 3 ? s.masks[std::size_t(i)] : 0, 4);
            while (int(dib.size()) < s.headerSize) dib.push_back(0);
        } else if (s.masks.size() == 3) {
            for (std::uint32_t m : s.masks) PutLE(dib, m, 4);
        }
    }
    for (TColor c : s.palette) {
        dib.push_back(std::uint8_t(GetBValue(c)));
        dib.push_back(std::uint8_t(GetGValue(c)));
        dib.push_back(std::uint8_t(GetRValue(c)));
        if (s.headerSize != 12) dib.push_back(0);
    }
    std::vector<std::uint8_t> file{'B', 'M'};
    PutLE(file, std::uint32_t(14 + dib.size() + s.pixels.size()), 4);
    PutLE(file, 0, 4);
    PutLE(file, std::uint32_t(14 + dib.size()), 4);
    file.insert(file.end(), dib.begin(), dib.end());
    file.insert(file.end(), s.pixels.begin(), s.pixels.end());
    return file;
}

// Rows of packed pixel values (top row first), stored bottom-up unless topDown, each padded to 4 bytes.
inline std::vector<std::uint8_t> PackRows(const std::vector<std::vector<std::uint32_t>>& rows, int bitCount,
                                          bool topDown) {
    std::vector<std::uint8_t> out;
    const int n = int(rows.size());
    for (int k = 0; k < n; ++k) {
        const auto& row = rows[std::size_t(topDown ? k : n - 1 - k)];
        std::vector<std::uint8_t> bytes((row.size() * std::size_t(bitCount) + 31) / 32 * 4, 0);
        for (std::size_t x = 0; x < row.size(); ++x) {
            const std::uint32_t v = row[x];
            switch (bitCount) {
            case 1: bytes[x / 8] |= std::uint8_t((v & 1) << (7 - x % 8)); break;
            case 4: bytes[x / 2] |= std::uint8_t((v & 15) << (x % 2 ? 0 : 4)); break;
            default:
                for (int b = 0; b < bitCount / 8; ++b)
                    bytes[x * std::size_t(bitCount / 8) + std::size_t(b)] = std::uint8_t(v >> (8 * b));
            }
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}
