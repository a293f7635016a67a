// SkinCellCache: skin cells composed at a size (nine-slice, as MakeSkinBitmap makes them), kept for the next
// paint of the same cell at the same size, so that a skinner copies a cell instead of composing it anew.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/bitmap.h"
#include "platform/types.h"

class SkinCellCache {
public:
    // The cells of the few sizes and looks a control shows (a button's five cells, say).
    static constexpr std::size_t kDefaultCapacity = 8;
    explicit SkinCellCache(std::size_t capacity = kDefaultCapacity)
        : capacity_(capacity > 0 ? capacity : 1) {}

    // MakeSkinBitmap(Rect(0, 0, w, h), image, margins, I, N, Tile, vertical), composed on its first use and
    // kept while the image keeps its pixels (its content stamp); the least recently used cell goes when the
    // cache is full.
    // The bitmap lives until the cache is cleared or drops it; callers only read its pixels.
    TBitmap& Cell(const TBitmap& image, const TRect& margins, int I, int N, int Tile, int vertical, int w,
                  int h);
    // Forgets every cell (the skin changed).
    void Clear() { entries_.clear(); }
    std::size_t Size() const { return entries_.size(); }

private:
    struct Key {
        const TBitmap* image;
        std::uint64_t stamp;  // the image's pixels as they were composed
        TRect margins;
        int I, N, Tile, vertical, w, h;
        bool operator==(const Key&) const = default;
    };
    struct Entry {
        Key key;
        std::unique_ptr<TBitmap> bitmap;
    };
    std::vector<Entry> entries_;  // the most recently used last
    std::size_t capacity_;
};
