// SkinCellCache: composed skin cells kept by size and look.
#include "skin/imaging/skin_cell_cache.h"

#include <algorithm>
#include <utility>

#include "skin/imaging/img_util.h"

TBitmap& SkinCellCache::Cell(const TBitmap& image, const TRect& margins, int I, int N, int Tile, int vertical,
                             int w, int h) {
    const Key key{&image, image.ContentStamp(), margins, I, N, Tile, vertical, w, h};
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
    if (found != entries_.end()) {
        // To the back: the least recently used cell is always the first.
        std::rotate(found, found + 1, entries_.end());
        return *entries_.back().bitmap;
    }
    if (entries_.size() >= capacity_) entries_.erase(entries_.begin());
    entries_.push_back({key, MakeSkinBitmap(Rect(0, 0, w, h), image, margins, I, N, Tile, vertical)});
    return *entries_.back().bitmap;
}
