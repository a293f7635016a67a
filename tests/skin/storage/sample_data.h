// Deterministic inputs for the storage tests and benchmarks: random bytes, English-like text, 24-bit BMP
// images and a skin-like set of files.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace sample {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t Next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return s_;
    }
    unsigned Below(unsigned n) { return unsigned(Next() % n); }

private:
    std::uint64_t s_;
};

inline std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint64_t seed) {
    Rng rng(seed);
    std::vector<std::uint8_t> out(size);
    for (auto& b : out) b = std::uint8_t(rng.Next() >> 24);
    return out;
}

inline std::vector<std::uint8_t> EnglishText(std::size_t size, std::uint64_t seed = 1) {
    static const char* const words[] = {
        "the",     "of",       "and",       "to",       "in",        "a",          "is",       "that",
        "for",     "it",       "as",        "was",      "with",      "be",         "by",       "on",
        "not",     "he",       "this",      "are",      "or",        "his",        "from",     "at",
        "which",   "but",      "have",      "an",       "had",       "they",       "you",      "were",
        "their",   "one",      "all",       "we",       "can",       "her",        "has",      "there",
        "been",    "if",       "more",      "when",     "will",      "would",      "who",      "so",
        "no",      "window",   "timer",     "lap",      "minute",    "second",     "runner",   "track",
        "morning", "evening",  "country",   "question", "between",   "government", "number",   "however",
        "against", "without",  "something", "children", "important", "beautiful",  "river",    "mountain",
        "history", "language", "together",  "remember", "thousand",  "hundred",    "yesterday"};
    constexpr unsigned kCommon = sizeof words / sizeof words[0];
    static const char* const syllables[] = {"con", "ver",  "sa",  "tion", "ment", "pre", "in",  "ter",
                                            "ly",  "al",   "er",  "ous",  "ble",  "de",  "pro", "re",
                                            "ing", "ed",   "an",  "or",   "ex",   "com", "par", "ti",
                                            "na",  "ture", "ist", "ic",   "ra",   "mo"};
    constexpr unsigned kSyllables = sizeof syllables / sizeof syllables[0];
    // The common words, then 3,000 rarer ones of two to four syllables: about as varied as prose.
    std::vector<std::string> vocabulary(words, words + kCommon);
    Rng wordRng(seed + 1000);
    while (vocabulary.size() < kCommon + 3000) {
        std::string w;
        for (unsigned n = 2 + wordRng.Below(3); n > 0; --n) w += syllables[wordRng.Below(kSyllables)];
        vocabulary.push_back(w);
    }
    const unsigned kWords = unsigned(vocabulary.size());
    Rng rng(seed);
    std::string text;
    text.reserve(size + 32);
    bool capital = true;
    while (text.size() < size) {
        // Zipf-like: the common words far more often than the rare ones.
        const double u = double(rng.Below(1u << 30)) / double(1u << 30);
        const unsigned w = std::min(kWords - 1, unsigned(std::pow(double(kWords), u)) - 1);
        std::string word = vocabulary[w];
        if (capital) word[0] = char(word[0] - 'a' + 'A');
        text += word;
        capital = false;
        const unsigned p = rng.Below(100);
        if (p < 7) {
            text += ". ";
            capital = true;
            if (rng.Below(6) == 0) text += "\r\n\r\n";
        } else if (p < 12) {
            text += ", ";
        } else {
            text += ' ';
        }
    }
    text.resize(size);
    return {text.begin(), text.end()};
}

// An uncompressed 24-bit BMP drawn as skin images are: a vertical gradient inside a two-pixel frame,
// magenta (transparent) corners and a small glyph in the middle; every other image has a grainy texture.
inline std::vector<std::uint8_t> BmpImage(int width, int height, std::uint64_t seed) {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t pixels = std::uint32_t(stride * height);
    const std::uint32_t fileSize = 54 + pixels;
    std::vector<std::uint8_t> b(fileSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) b[at + std::size_t(k)] = std::uint8_t(v >> (8 * k));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, pixels);
    Rng rng(seed);
    const int base = int(rng.Below(120));
    const bool textured = seed % 2 == 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* px = &b[54 + std::size_t(y * stride + x * 3)];
            const bool corner = (x < 3 || x >= width - 3) && (y < 3 || y >= height - 3);
            const bool frame = x < 2 || x >= width - 2 || y < 2 || y >= height - 2;
            const int cx = x - width / 2, cy = y - height / 2;
            const bool glyph = cx >= -4 && cx <= 4 && cy >= -4 && cy <= 4 && (cx == cy || cx == -cy);
            if (corner) {
                px[0] = 0xFF, px[1] = 0x00, px[2] = 0xFF;
            } else if (frame) {
                px[0] = std::uint8_t(base / 2), px[1] = std::uint8_t(base / 3), px[2] = 40;
            } else if (glyph) {
                px[0] = std::uint8_t(20 + rng.Below(8)), px[1] = 20, px[2] = std::uint8_t(30 + rng.Below(8));
            } else if (textured) {
                const int grain = int(rng.Below(8));
                px[0] = std::uint8_t(base + grain);
                px[1] = std::uint8_t(base / 2 + 60 + grain);
                px[2] = std::uint8_t(90 + grain / 2);
            } else {
                px[0] = std::uint8_t(base + y * 100 / height);
                px[1] = std::uint8_t(base / 2 + 60 + y * 40 / height);
                px[2] = std::uint8_t(90 + y * 20 / height);
            }
        }
    }
    return b;
}

struct NamedFile {
    std::string name;
    std::vector<std::uint8_t> data;
};

// A skin description and the images it names: about 270 KB in all.
inline std::vector<NamedFile> SkinLikeFiles() {
    std::vector<NamedFile> files;
    std::string ini = "[TitlebarSkin]\r\nSkinName=Sample\r\n";
    Rng rng(7);
    int n = 0;
    std::size_t total = 0;
    while (total < 262000) {
        const int w = 16 + int(rng.Below(10)) * 12;
        const int h = 12 + int(rng.Below(6)) * 8;
        std::string name = "image" + std::to_string(n) + ".bmp";
        ini += "[Object" + std::to_string(n) + "]\r\nImage=" + name +
               "\r\nFrame=" + std::to_string(1 + n % 5) +
               "\r\nLeftWidth=4\r\nTopHeight=3\r\nRightWidth=4\r\nBottomHeight=3\r\nTrans=1\r\n";
        files.push_back({name, BmpImage(w, h, std::uint64_t(n))});
        total += files.back().data.size();
        ++n;
    }
    files.insert(files.begin(), NamedFile{"skin.ini", {ini.begin(), ini.end()}});
    return files;
}

}  // namespace sample
